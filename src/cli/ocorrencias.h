#pragma once
// The findings of a consistency pass (Te8ErrWa rows, see
// validation/ocorrencias.h) for the command line: as text grouped like the
// error report, or as JSON.
#include <nlohmann/json.hpp>

#include <ostream>
#include <vector>

#include "data/linha.h"

namespace vornex {
class Catalogo;
class Conexao;
}

namespace vornex::cli {

// Errors first, then warnings; under each record (responsible person,
// establishment, link) the message text, then one "label = content" line per
// row. Prints nothing when there are no findings.
void ImprimeOcorrencias(const std::vector<Linha>& linhas, const Catalogo& catalogo, std::ostream& out);

// {"resultado", "erros", "avisos", "interrompida", "ocorrencias": [rows]}:
// `resultado` the pass's bits; each row keyed by the Te8ErrWa columns, plus
// "TxMensagem" (text of `retorno`) and "TxLbl" (text of `lbl`).
nlohmann::json OcorrenciasJson(const std::vector<Linha>& linhas, const Catalogo& catalogo, int resultado);
// The same object written to `out` as Te8ErrWa is read, row by row, never
// held whole: the form for a pass that may leave any number of findings.
void EscreveOcorrenciasJson(Conexao& c, const Catalogo& catalogo, int resultado, std::ostream& out);

}  // namespace vornex::cli
