#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "chave_cli.h"
#include "comando.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "declfile/gravacao.h"
#include "platform/midia.h"
#include "validation/regras_declaracao.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string data;
  std::vector<std::string> destinos;
  std::optional<std::uint64_t> capacidade;
  std::vector<std::string> estabs;
  bool sobrescrever = false;
  bool json = false;
};

// The k-th destination is the medium of volume k. Nobody can be asked for
// another one, so every refusal ends the run as interrupted, said on stderr.
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

std::string UmaLinha(std::string s) {
  for (auto& c : s)
    if (c == '\n') c = ' ';
  return s;
}

std::string TextoMensagem(const Catalogo& catalogo, NuMensagem m) {
  const Mensagem* msg = catalogo.busca(m.texto());
  return msg ? msg->texto : "mensagem " + m.str();
}

// The generation date as the writing assistant takes it: a valid date of 2005.
void ConfereData(const std::string& data, const Catalogo& catalogo) {
  NuMensagem m = CriticaDaGeracao(data);
  if (m.ok()) return;
  if (m != "0420" && m != "0423") m = "0421"_msg;
  throw ErroComando(TextoMensagem(catalogo, m));
}

// The chosen establishments, or all of the base year in inscription and
// prefix order.
std::vector<ChaveEstabelecimento> Selecao(Conexao& c, const Opcoes& o, const Catalogo& catalogo) {
  std::vector<ChaveEstabelecimento> r;
  if (!o.estabs.empty()) {
    for (const auto& e : o.estabs) {
      auto k = LeChaveEstabelecimento(e);
      if (!BuscaEstabelecimento(c, k))
        throw ErroComando("Estabelecimento não encontrado no ano-base " + std::string(AnoBase) + ": " + e);
      r.push_back(std::move(k));
    }
    return r;
  }
  Consulta& q = c.prepara({"SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento", "FROM BD8Emp",
                           "WHERE Anbase = :AnBase", "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  q.defineTexto("AnBase", AnoBase);
  while (q.proxima()) r.push_back({std::string(AnoBase), std::string(q.texto(0)), std::string(q.texto(1))});
  if (r.empty()) throw ErroComando(TextoMensagem(catalogo, "1700"_msg));
  return r;
}

nlohmann::ordered_json Linhas(Conexao& c, const char* tabela) {
  nlohmann::ordered_json a = nlohmann::ordered_json::array();
  for (const auto& l : Tabela(c, tabela).todas()) {
    nlohmann::ordered_json o = nlohmann::ordered_json::object();
    const auto& nomes = l.esquema().colunas();
    for (std::size_t i = 0; i < nomes.size(); ++i) o[nomes[i]] = l[i];
    a.push_back(std::move(o));
  }
  return a;
}

void MostraVolumes(const std::vector<VolumeGravado>& volumes, std::ostream& out) {
  for (const auto& v : volumes) {
    out << "Volume " << v.volume << ": " << v.arquivo.string() << "\n"
        << "  Registros: " << v.registros << " (tipo 1: " << v.tipo1 << ", tipo 2: " << v.tipo2
        << ", prefixos diferentes de 00: " << v.prefixos << ")\n"
        << "  Selo: " << v.selo << "\n";
  }
}

void Executa(const Opcoes& o, Contexto& ctx) {
  const fs::path pasta = ResolvePastaDados(ctx.pastaDados);
  if (!fs::exists(pasta / kArquivoDeclaracao)) throw ErroComando("Pasta de dados não encontrada: " + pasta.string());
  Conexao c = AbreZema2004(pasta);
  const TabelasReferencia referencias = TabelasReferencia::Carrega(c);
  const Catalogo catalogo = referencias.catalogo();

  ConfereData(o.data, catalogo);
  PedidoGravacao pedido;
  pedido.selecao = Selecao(c, o, catalogo);
  pedido.dataGeracao = o.data;
  pedido.horaGeracao = HoraAtual();

  std::vector<Midia> destinos;
  for (const auto& d : o.destinos) destinos.push_back(MidiaPasta(fs::absolute(d), o.capacidade));
  MidiasLinhaComando ui(destinos, o.sobrescrever, ctx.err);
  const RelatorioGravacao r = GravaArquivoDeclaracao(c, pedido, destinos.front(), ui, SemAcompanhamento());

  if (r.resultado != ResultadoGravacao::Gravado) {
    if (!r.volumes.empty()) {
      ctx.err << "Volumes concluídos antes da interrupção (permanecem nas mídias):\n";
      MostraVolumes(r.volumes, ctx.err);
    }
    if (r.resultado == ResultadoGravacao::Falhou) throw ErroComando(UmaLinha(r.mensagem));
    // Nobody interrupts a command line run: a medium was refused or missing.
    if (ui.faltou > 0)
      throw ErroComando("gravação não concluída: falta um --destino para o volume " + std::to_string(ui.faltou) + ".");
    throw ErroComando("gravação não concluída: a mídia do volume " + std::to_string(r.volumes.size() + 1) +
                      " não pôde ser usada.");
  }

  if (o.json) {
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
    j[kTabelaProtocoloId] = Linhas(c, kTabelaProtocoloId);
    j[kTabelaProtocoloEs] = Linhas(c, kTabelaProtocoloEs);
    ctx.out << j.dump(2) << "\n";
  } else {
    MostraVolumes(r.volumes, ctx.out);
  }
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--data", o->data, "Data de geração do arquivo (DDMMAAAA)")->required();
  app.add_option("--destino", o->destinos,
                 "Pasta ou volume removível de cada volume, na ordem (repita para mais volumes)")
      ->required()
      ->take_all();
  app.add_option("--capacidade", o->capacidade,
                 "Capacidade de cada mídia em bytes (1457664 simula um disquete de 1,44 MB)")
      ->check(CLI::PositiveNumber);
  app.add_option("--estab", o->estabs, "Estabelecimento a gravar, INSCRICAO/PREFIXO (padrão: todos de 2004)")
      ->take_all();
  app.add_flag("--sobrescrever", o->sobrescrever, "Autoriza substituir um Zema2004 antigo na mídia");
  app.add_flag("--json", o->json, "Saída em JSON: volumes e linhas de te8ProID e te8ProES");
  app.footer(
      "Confere o responsável e as inconsistências dos estabelecimentos e grava o arquivo Zema2004 na raiz de "
      "cada mídia, um arquivo completo por volume. A mídia deve estar vazia ou conter só um Zema2004 antigo.");
  app.callback([o, &ctx] {
    try {
      Executa(*o, ctx);
    } catch (const ErroBanco& e) {
      throw ErroComando("erro " + std::to_string(e.codigo()) + " do gerenciador de dados: " + e.what());
    }
  });
}

const RegistroComando registro{"gravar", "Grava a declaração (arquivo Zema2004) em uma ou mais mídias", Configura};

}  // namespace
}  // namespace vornex::cli
