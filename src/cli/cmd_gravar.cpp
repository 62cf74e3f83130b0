#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "casos/grava_declaracao.h"
#include "comando.h"
#include "common/catalogo.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "pasta_cli.h"
#include "validation/referencias_tabelas.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string data;
  OpcoesMidias midias;
  std::vector<std::string> estabs;
  bool json = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  ComErroComando([&] {
    const TabelasReferencia tabelas = TabelasReferencia::Carrega(c);
    const ReferenciasTabelas ref(tabelas);
    const Catalogo catalogo = tabelas.catalogo();
    PedidoGravaDeclaracao pedido;
    pedido.dataGeracao = o.data;
    pedido.selecao = EstabelecimentosEscolhidos(c, o.estabs);
    MidiasCli midias(o.midias, ctx);
    const auto r = GravaDeclaracao(c, ref, pedido, midias.meios(c, catalogo, o.json));
    ImprimeVerificaEGrava(c, r, catalogo, midias, o.json, ctx);
    return 0;
  });
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
