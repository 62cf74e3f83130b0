#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "comando.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "pasta_cli.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "declfile/gravacao.h"
#include "data/tabelas.h"
#include "reports/rp_comum.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

namespace vornex::cli {
namespace {


struct Opcoes {
  std::string data;
  OpcoesMidias midias;
  std::vector<std::string> estabs;
  bool json = false;
};

// The generation date as the writing assistant takes it: a valid date of 2005.
void ConfereData(const std::string& data, const Catalogo& catalogo) {
  const NuMensagem m = CriticaDataGravacao(data);
  if (!m.ok()) throw ErroComando(relatorio::TextoMensagem(catalogo, m.texto()));
}

// The chosen establishments, or all of the base year in inscription and
// prefix order.
std::vector<ChaveEstabelecimento> Selecao(Conexao& c, const Opcoes& o, const Catalogo& catalogo) {
  if (auto escolhidos = EstabelecimentosEscolhidos(c, o.estabs)) return std::move(*escolhidos);
  std::vector<ChaveEstabelecimento> r;
  Consulta& q = c.prepara({"SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento", "FROM BD8Emp",
                           "WHERE Anbase = :AnBase", "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  q.defineTexto("AnBase", AnoBase);
  while (q.proxima()) r.push_back({std::string(AnoBase), std::string(q.texto(0)), std::string(q.texto(1))});
  if (r.empty()) throw ErroComando(relatorio::TextoMensagem(catalogo, "1700"));
  return r;
}

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const TabelasReferencia tabelas = ComErroComando([&] { return TabelasReferencia::Carrega(c); });
  const ReferenciasTabelas ref(tabelas);
  const Catalogo catalogo = tabelas.catalogo();
  ConfereData(o.data, catalogo);

  // The establishments, then the responsible person, as the assistant's steps go.
  PedidoGravacao pedido;
  pedido.selecao = ComErroComando([&] { return Selecao(c, o, catalogo); });
  pedido.dataGeracao = o.data;
  if (!ComErroComando([&] { return ResponsavelAprovado(c, ref, catalogo, o.json, ctx); })) return;

  OpcoesConsistencia opcoes;
  opcoes.anoBase = std::string(AnoBase);
  opcoes.selecao = pedido.selecao;
  ComErroComando([&] { return VerificaEGrava(c, ref, opcoes, pedido, o.midias, o.json, ctx), 0; });
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
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"gravar", "Grava a declaração (arquivo Zema2004) em uma ou mais mídias", Configura};

}  // namespace
}  // namespace vornex::cli
