#pragma once
// Writing the declaration file from a command (gravar, and the commands that
// re-record or rectify): the media come from --destino, the k-th one for
// volume k; nobody can be asked for another, so a refused or missing medium
// ends the run, said on stderr.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "comando.h"
#include "declfile/gravacao.h"
#include "validation/consistencia.h"

namespace vornex {
class Catalogo;
class Conexao;
class Referencias;
}

namespace vornex::cli {

struct OpcoesMidias {
  std::vector<std::string> destinos;
  std::optional<std::uint64_t> capacidade;
  bool sobrescrever = false;
};

// --destino (repeatable; required when `obrigatorio`), --capacidade, --sobrescrever.
void AdicionaOpcoesMidias(CLI::App& app, OpcoesMidias& o, bool obrigatorio = true);

// Runs the writer onto the media. A run that did not finish throws
// ErroComando with the reason, after listing on stderr the volumes that were
// finished (they stay on their media).
RelatorioGravacao GravaNasMidias(Conexao& c, const PedidoGravacao& pedido, const OpcoesMidias& o, Contexto& ctx);

// The responsible person checked as the responsible screen confirms it. A
// failure is printed (as JSON with `json`) with exit status 1, and answers false.
bool ResponsavelAprovado(Conexao& c, const Referencias& ref, const Catalogo& catalogo, bool json, Contexto& ctx);

// The consistency check of what is to be written, then the writing. Errors
// print the findings as verificar does and write nothing (exit status 1);
// warnings go to stderr (into the JSON) and the writing goes on; the volumes
// written are printed last.
void VerificaEGrava(Conexao& c, const Referencias& ref, const OpcoesConsistencia& opcoes,
                    const PedidoGravacao& pedido, const OpcoesMidias& midias, bool json, Contexto& ctx);

// Each volume's path, record counts and seal.
void ImprimeVolumes(const std::vector<VolumeGravado>& volumes, std::ostream& out);
// {"volumes": [...], "te8ProID": [rows], "te8ProES": [rows]}, rows keyed by
// the tables' column names.
nlohmann::ordered_json VolumesJson(Conexao& c, const RelatorioGravacao& r);

}  // namespace vornex::cli
