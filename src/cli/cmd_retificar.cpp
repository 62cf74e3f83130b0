#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "comando.h"
#include "common/catalogo.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "declfile/gravacao.h"
#include "declfile/retificacao.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "reports/rp_comum.h"
#include "validation/checagem_responsavel.h"
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
  auto falha = [&](NuMensagem m) { throw ErroComando(relatorio::TextoMensagem(catalogo, m.texto())); };

  if (NuMensagem m = CriticaDaGeracao(o.data); !m.ok()) falha(m != "0420" && m != "0423" ? "0421"_msg : m);
  if (!CriaTabelasRetificacao(c)) throw ErroComando(std::string(kTextoErroInicioRetificacao));
  SelecaoRetificacao selecao;
  if (NuMensagem m = selecao.carrega(c); !m.ok()) falha(m);
  for (const auto& texto : o.vinculos) {
    const ChaveVinculo v = ChaveVinculoDoArgumento(texto);
    const auto i = selecao.indice(v.estabelecimento.inscricao, v.estabelecimento.prefixo);
    if (!i) falha("1925"_msg);
    selecao.marcaVinculo(*i, v.pis, v.admissao, v.nome);
  }
  for (const auto& texto : o.estabs) {
    const auto k = ChaveDoArgumento(texto);
    const auto i = selecao.indice(k.inscricao, k.prefixo);
    if (!i) falha("1925"_msg);
    selecao.marca(*i, true);
  }
  if (NuMensagem m = selecao.confere(); !m.ok()) falha(m);

  // The responsible page of the writing steps comes next.
  const auto resp = LeResponsavel(c);
  const NuMensagem mResp = VerificaResponsavel(resp ? *resp : DefinicaoSistema(kTabelaResponsavel)->novaLinha(), ref);
  if (!mResp.ok()) {
    const std::string texto = relatorio::TextoMensagem(catalogo, mResp.texto());
    if (o.json)
      ctx.out << nlohmann::ordered_json{{"responsavel", {{"retorno", mResp.str()}, {"TxMensagem", texto}}}}.dump(2)
              << "\n";
    else
      ctx.out << "Responsável: " << texto << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  if (NuMensagem m = PreparaRetificacao(c, selecao); !m.ok()) falha(m);
  selecao.LiberaSelecao();

  OpcoesConsistencia opcoes;
  opcoes.origem = OrigemConsistencia::Trabalho;
  opcoes.anoBase = std::string(kAnoBaseRetificacao);
  int verificacao = 0;
  {
    AcompanhamentoTexto progresso(ctx.err, "Verificando Informações ...");
    verificacao = VerificaConsistencia(c, ref, opcoes, progresso);
  }
  if (verificacao & kConsistenciaErros) {
    if (o.json)
      ctx.out << nlohmann::ordered_json{{"verificacao", OcorrenciasJson(c, verificacao)}}.dump(2) << "\n";
    else
      ImprimeOcorrencias(c, ctx.out);
    ctx.saida = kSaidaErrosDados;
    return;
  }
  if (!o.json) ImprimeOcorrencias(c, ctx.err);

  PedidoGravacao pedido;  // every row of the work tables
  pedido.modo = {true, true};
  pedido.dataGeracao = o.data;
  pedido.horaGeracao = HoraAtual();
  const RelatorioGravacao r = GravaNasMidias(c, pedido, o.midias, ctx);
  if (o.json) {
    nlohmann::ordered_json j = VolumesJson(c, r);
    j["verificacao"] = OcorrenciasJson(c, verificacao);
    ctx.out << j.dump(2) << "\n";
  } else {
    ImprimeVolumes(r.volumes, ctx.out);
  }
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
