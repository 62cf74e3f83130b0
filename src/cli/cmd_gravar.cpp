#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "chave_cli.h"
#include "comando.h"
#include "gravacao_cli.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "declfile/gravacao.h"
#include "validation/regras_declaracao.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string data;
  OpcoesMidias midias;
  std::vector<std::string> estabs;
  bool json = false;
};

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

  const RelatorioGravacao r = GravaNasMidias(c, pedido, o.midias, ctx);
  if (o.json)
    ctx.out << VolumesJson(c, r).dump(2) << "\n";
  else
    ImprimeVolumes(r.volumes, ctx.out);
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--data", o->data, "Data de geração do arquivo (DDMMAAAA)")->required();
  AdicionaOpcoesMidias(app, o->midias);
  app.add_option("--estab", o->estabs, "Estabelecimento a gravar, INSCRICAO/PREFIXO (padrão: todos de 2004)")
      ->take_all();
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
