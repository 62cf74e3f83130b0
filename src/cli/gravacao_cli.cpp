#include "gravacao_cli.h"

#include "json_cli.h"

#include <filesystem>

#include "common/catalogo.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "platform/midia.h"
#include "validation/ocorrencias.h"

namespace vornex::cli {

namespace {

namespace fs = std::filesystem;

}  // namespace

class MidiasLinhaComando : public InterfaceMidia {
 public:
  MidiasLinhaComando(std::vector<Midia> destinos, bool sobrescrever, std::ostream& err)
      : destinos_(std::move(destinos)), sobrescrever_(sobrescrever), err_(err) {}

  bool midiaNaoPronta(const Midia& m) override {
    err_ << TextoMidiaNaoPronta(m) << "\n";
    return false;
  }
  std::optional<Midia> pedeMidia(int volume, bool repeticao, const Midia&) override {
    if (repeticao) return std::nullopt;
    if (volume < 1 || static_cast<std::size_t>(volume) > destinos_.size()) {
      faltou = volume;
      return std::nullopt;
    }
    const Midia& m = destinos_[static_cast<std::size_t>(volume - 1)];
    if (!MidiaDisponivel(m)) err_ << TextoMidiaNaoPronta(m) << "\n";
    return m;
  }
  bool confirmaInterrupcao() override { return true; }
  void avisa(AvisoMidia aviso, const Midia& m) override { err_ << TextoAviso(aviso, m) << "\n"; }
  bool autorizaSobrescrever(const Midia& m) override {
    if (!sobrescrever_) err_ << TextoSobrescrever(m) << "\n(use --sobrescrever para autorizar)\n";
    return sobrescrever_;
  }

  int faltou = 0;  // volume for which no --destino was given

 private:
  std::vector<Midia> destinos_;
  bool sobrescrever_;
  std::ostream& err_;
};

namespace {

std::string UmaLinha(std::string s) {
  for (auto& c : s)
    if (c == '\n') c = ' ';
  return s;
}

}  // namespace

void AdicionaOpcoesMidias(CLI::App& app, OpcoesMidias& o, bool obrigatorio) {
  auto* destino = app.add_option("--destino", o.destinos,
                                 "Pasta ou volume removível de cada volume, na ordem (repita para mais volumes)");
  if (obrigatorio) destino->required();
  app.add_option("--capacidade", o.capacidade,
                 "Capacidade de cada mídia em bytes (1457664 simula um disquete de 1,44 MB)")
      ->check(NoMinimo(1));
  app.add_flag("--sobrescrever", o.sobrescrever, "Autoriza substituir um Zema2004 antigo na mídia");
}

MidiasCli::MidiasCli(const OpcoesMidias& o, Contexto& ctx) : ctx_(ctx) {
  if (o.destinos.empty()) throw ErroComando("informe ao menos um --destino");
  std::vector<Midia> destinos;
  // A destination that is the mount point of a removable volume is taken as
  // that volume, so that its removal is noticed.
  const std::vector<Midia> removiveis = ListaMidias();
  for (const auto& d : o.destinos) {
    fs::path pasta = fs::absolute(d).lexically_normal();
    if (!pasta.has_filename() && pasta.has_parent_path() && pasta != pasta.root_path()) pasta = pasta.parent_path();
    Midia m = MidiaPasta(pasta, o.capacidade);
    for (const auto& r : removiveis)
      if (r.pasta.lexically_normal() == m.pasta) {
        m = r;
        m.capacidade = o.capacidade;
      }
    destinos.push_back(std::move(m));
  }
  meios_.primeira = destinos.front();
  ui_ = std::make_unique<MidiasLinhaComando>(std::move(destinos), o.sobrescrever, ctx.err);
  meios_.midias = ui_.get();
}

const MeiosGravacao& MidiasCli::meios(Conexao& c, const Catalogo& catalogo, bool json) {
  progresso_ = std::make_unique<AcompanhamentoTexto>(ctx_.err, "Verificando Informações ...");
  meios_.verificacao = progresso_.get();
  meios_.prossegue = [this, &c, &catalogo, json](int) {
    progresso_->termina();
    if (!json) ImprimeOcorrencias(LeOcorrencias(c), catalogo, ctx_.err);
    return true;
  };
  return meios_;
}

const MeiosGravacao& MidiasCli::meiosApos(AcompanhamentoTexto& verificacao) {
  meios_.prossegue = [&verificacao](int) {
    verificacao.termina();
    return true;
  };
  return meios_;
}

MidiasCli::~MidiasCli() = default;

void MidiasCli::terminaProgresso() const {
  if (progresso_) progresso_->termina();
}

void MidiasCli::confere(const RelatorioGravacao& r) const {
  if (r.resultado == ResultadoGravacao::Gravado) return;
  if (!r.volumes.empty()) {
    ctx_.err << AvisoVolumesIncompletos(r) << "\n";
    ImprimeVolumes(r.volumes, ctx_.err);
  }
  if (r.resultado == ResultadoGravacao::Falhou) throw ErroComando(UmaLinha(r.mensagem));
  // Nobody interrupts a command line run: a medium was refused or missing.
  if (ui_->faltou > 0)
    throw ErroComando("gravação não concluída: falta um --destino para o volume " + std::to_string(ui_->faltou) + ".");
  throw ErroComando("gravação não concluída: a mídia do volume " + std::to_string(r.volumes.size() + 1) +
                    " não pôde ser usada.");
}

void ImprimeVolumes(const std::vector<VolumeGravado>& volumes, std::ostream& out) {
  for (const auto& v : volumes) {
    out << "Volume " << v.volume << ": " << v.arquivo.string() << "\n"
        << "  Registros: " << v.registros << " (tipo 1: " << v.tipo1 << ", tipo 2: " << v.tipo2
        << ", prefixos diferentes de 00: " << v.prefixos << ")\n"
        << "  Selo: " << v.selo << "\n";
  }
}

nlohmann::ordered_json VolumesJson(Conexao& c, const RelatorioGravacao& r) {
  nlohmann::ordered_json j;
  j["volumes"] = nlohmann::ordered_json::array();
  for (const auto& v : r.volumes)
    j["volumes"].push_back({{"volume", v.volume},
                            {"arquivo", v.arquivo.string()},
                            {"registros", v.registros},
                            {"tipo1", v.tipo1},
                            {"tipo2", v.tipo2},
                            {"prefixos", v.prefixos},
                            {"selo", v.selo}});
  j[kTabelaProtocoloId] = LinhasJson(Tabela(c, kTabelaProtocoloId).todas());
  j[kTabelaProtocoloEs] = LinhasJson(Tabela(c, kTabelaProtocoloEs).todas());
  return j;
}

void ImprimeVerificaEGrava(Conexao& c, const ResultadoVerificaEGrava& r, const Catalogo& catalogo,
                           const MidiasCli& midias, bool json, Contexto& ctx) {
  midias.terminaProgresso();
  switch (r.etapa) {
    case EtapaCaso::Pedido:
      // The message, and what it is about when the request named it.
      if (!r.falha.empty()) throw ErroComando(r.falha);
      throw ErroComando(catalogo.texto(r.mensagem) + (r.sobre.empty() ? "" : " (" + r.sobre + ")"));
    case EtapaCaso::Responsavel: {
      const std::string texto = catalogo.texto(r.mensagem);
      if (json)
        ctx.out << TextoJson(nlohmann::ordered_json{{"responsavel", {{"retorno", r.mensagem.str()}, {"TxMensagem", texto}}}})
                << "\n";
      else
        ctx.out << "Responsável: " << texto << "\n";
      ctx.saida = kSaidaErrosDados;
      return;
    }
    case EtapaCaso::Verificacao:
      if (json)
        EscreveObjetoJson(ctx.out, nlohmann::ordered_json::object(), "verificacao",
                          [&](std::ostream& o) { EscreveOcorrenciasJson(c, catalogo, r.verificacao, o); });
      else
        ImprimeOcorrencias(LeOcorrencias(c), catalogo, ctx.out);
      ctx.saida = kSaidaErrosDados;
      return;
    case EtapaCaso::Gravacao:
      break;
  }
  midias.confere(*r.gravacao);
  if (json) {
    EscreveObjetoJson(ctx.out, VolumesJson(c, *r.gravacao), "verificacao",
                      [&](std::ostream& o) { EscreveOcorrenciasJson(c, catalogo, r.verificacao, o); });
  } else {
    ImprimeVolumes(r.gravacao->volumes, ctx.out);
  }
}

}  // namespace vornex::cli
