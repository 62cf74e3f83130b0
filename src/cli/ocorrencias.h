#pragma once
// The findings of the last consistency pass (Te8ErrWa) for the command
// line: as text grouped like the error report, or as JSON.
#include <nlohmann/json.hpp>

#include <ostream>

namespace vornex {
class Conexao;
}

namespace vornex::cli {

// Errors first, then warnings; under each record (responsible person,
// establishment, link) the message text, then one "label = content" line per
// row. Prints nothing when there are no findings.
void ImprimeOcorrencias(Conexao& c, std::ostream& out);

// {"resultado", "erros", "avisos", "interrompida", "ocorrencias": [rows]}:
// `resultado` the pass's bits; each row keyed by the Te8ErrWa columns, plus
// "TxMensagem" (text of `retorno`) and "TxLbl" (text of `lbl`).
nlohmann::json OcorrenciasJson(Conexao& c, int resultado);
// The same object written to `out` row by row, never held whole: the form
// for a pass that may leave any number of findings.
void EscreveOcorrenciasJson(Conexao& c, int resultado, std::ostream& out);

}  // namespace vornex::cli
