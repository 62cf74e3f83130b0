#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "casos/retifica_declaracao.h"
#include "comando.h"
#include "common/catalogo.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "pasta_cli.h"
#include "validation/referencias_tabelas.h"
#include "vinculos_cli.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string data;
  OpcoesMidias midias;
  std::vector<std::string> vinculos;
  std::vector<std::string> estabs;
  bool json = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const TabelasReferencia tabelas = TabelasReferencia::Carrega(c);
  const Catalogo catalogo = tabelas.catalogo();
  const ReferenciasTabelas ref(tabelas);

  PedidoRetificacao pedido;
  pedido.dataGeracao = o.data;
  for (const auto& texto : o.vinculos) {
    const ChaveVinculo v = ChaveVinculoDoArgumento(texto);
    pedido.vinculos.push_back({v.estabelecimento.inscricao, v.estabelecimento.prefixo, v.pis, v.admissao, v.nome});
  }
  for (const auto& texto : o.estabs) {
    const auto k = ChaveDoArgumento(texto);
    pedido.estabelecimentos.push_back({k.inscricao, k.prefixo});
  }
  MidiasCli midias(o.midias, ctx);
  const auto r = RetificaDeclaracao(c, ref, pedido, midias.meios(c, catalogo, o.json));
  ImprimeVerificaEGrava(c, r, catalogo, midias, o.json, ctx);
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--data", o->data, "Data de geração do arquivo (DDMMAAAA)")->required();
  AdicionaOpcoesMidias(app, o->midias);
  app.add_option("--vinculo", o->vinculos,
                 "Vínculo a retificar, INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME] (repetível)");
  app.add_option("--estab", o->estabs, "Estabelecimento declarado sem empregados a retificar, INSCRICAO/PREFIXO");
  app.add_flag("--json", o->json, "Saída em JSON: volumes, linhas de te8ProID e te8ProES e a verificação");
  app.footer(
      "Copia os vínculos escolhidos (já corrigidos) para as tabelas de trabalho, verifica-os e grava o arquivo "
      "de retificação Zema2004 na raiz de cada mídia.");
  app.callback([o, &ctx] { ComErroComando([&] { Executa(*o, ctx); }); });
}

const RegistroComando registro{"retificar", "Grava a retificação dos vínculos escolhidos (arquivo Zema2004)",
                               Configura};

}  // namespace
}  // namespace vornex::cli
