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

namespace vornex {
class Conexao;
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

// Each volume's path, record counts and seal.
void ImprimeVolumes(const std::vector<VolumeGravado>& volumes, std::ostream& out);
// {"volumes": [...], "te8ProID": [rows], "te8ProES": [rows]}, rows keyed by
// the tables' column names.
nlohmann::ordered_json VolumesJson(Conexao& c, const RelatorioGravacao& r);

}  // namespace vornex::cli
