#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "comando.h"
#include "common/catalogo.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "declfile/gravacao.h"
#include "declfile/retificacao.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "pasta_cli.h"
#include "reports/rp_comum.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"
#include "validation/regras_declaracao.h"
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
  // The message, and what it is about when the user named it.
  auto falha = [&](NuMensagem m, const std::string& sobre = {}) {
    throw ErroComando(relatorio::TextoMensagem(catalogo, m.texto()) + (sobre.empty() ? "" : " (" + sobre + ")"));
  };

  if (NuMensagem m = CriticaDataGravacao(o.data); !m.ok()) falha(m);
  if (!CriaTabelasRetificacao(c)) throw ErroComando(std::string(kTextoErroInicioRetificacao));
  SelecaoRetificacao selecao;
  if (NuMensagem m = selecao.carrega(c); !m.ok()) falha(m);
  for (const auto& texto : o.vinculos) {
    const ChaveVinculo v = ChaveVinculoDoArgumento(texto);
    const auto i = selecao.indice(v.estabelecimento.inscricao, v.estabelecimento.prefixo);
    if (!i) falha("1925"_msg, texto);
    selecao.marcaVinculo(*i, v.pis, v.admissao, v.nome);
  }
  for (const auto& texto : o.estabs) {
    const auto k = ChaveDoArgumento(texto);
    const auto i = selecao.indice(k.inscricao, k.prefixo);
    if (!i) falha("1925"_msg, texto);
    selecao.marca(*i, true);
  }
  if (NuMensagem m = selecao.confere(); !m.ok()) falha(m);

  // The responsible page of the writing steps comes next.
  if (!ResponsavelAprovado(c, ref, catalogo, o.json, ctx)) return;
  std::string ausente;
  if (NuMensagem m = PreparaRetificacao(c, selecao, &ausente); !m.ok()) falha(m, ausente);
  selecao.LiberaSelecao();

  OpcoesConsistencia opcoes;
  opcoes.origem = OrigemConsistencia::Trabalho;
  opcoes.anoBase = std::string(kAnoBaseRetificacao);
  PedidoGravacao pedido;  // every row of the work tables
  pedido.modo = {true, true};
  pedido.dataGeracao = o.data;
  VerificaEGrava(c, ref, opcoes, pedido, o.midias, o.json, ctx);
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
