#pragma once
// Writing the declaration file from a command (gravar, and the commands that
// re-record or rectify): the media come from --destino, the k-th one for
// volume k; nobody can be asked for another, so a refused or missing medium
// ends the run, said on stderr.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "casos/verifica_grava.h"
#include "comando.h"
#include "passagem_cli.h"

namespace vornex {
class Catalogo;
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

class MidiasLinhaComando;

// The media of --destino and their prompts on stderr, for one writing run.
class MidiasCli {
 public:
  // ErroComando without any --destino.
  MidiasCli(const OpcoesMidias& o, Contexto& ctx);
  ~MidiasCli();

  // The media for the use case; the check's progress on stderr, ended
  // before the writing starts, when the warnings found go to stderr too
  // (unless `json`: they go into its output).
  const MeiosGravacao& meios(Conexao& c, const Catalogo& catalogo, bool json);
  // The media alone, for a run whose check has its own progress line
  // `verificacao`: it ends before the writing starts.
  const MeiosGravacao& meiosApos(AcompanhamentoTexto& verificacao);

  // A run that did not finish throws ErroComando with the reason, after
  // listing on stderr the volumes that were finished (they stay on their media).
  void confere(const RelatorioGravacao& r) const;
  void terminaProgresso() const;

 private:
  Contexto& ctx_;
  std::unique_ptr<MidiasLinhaComando> ui_;
  std::unique_ptr<AcompanhamentoTexto> progresso_;
  MeiosGravacao meios_;
};

// The result of a check-then-write run (gravar, retificar): a refused request
// throws ErroComando with its text; a refused responsible person ("Responsável:
// ..." or {"responsavel": ...}) and errors of the check (the findings as
// verificar prints them) give exit status 1; a finished run prints its volumes
// (JSON: volumes, protocol rows and the check's findings).
void ImprimeVerificaEGrava(Conexao& c, const ResultadoVerificaEGrava& r, const Catalogo& catalogo,
                           const MidiasCli& midias, bool json, Contexto& ctx);

// Each volume's path, record counts and seal.
void ImprimeVolumes(const std::vector<VolumeGravado>& volumes, std::ostream& out);
// {"volumes": [...], "te8ProID": [rows], "te8ProES": [rows]}, rows keyed by
// the tables' column names.
nlohmann::ordered_json VolumesJson(Conexao& c, const RelatorioGravacao& r);

}  // namespace vornex::cli
