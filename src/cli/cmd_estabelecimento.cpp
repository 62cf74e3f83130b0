#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "casos/estabelecimento.h"
#include "comando.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "estabelecimentos_cli.h"
#include "json_cli.h"
#include "linhas_json.h"
#include "pasta_cli.h"
#include "validation/referencias_tabelas.h"

namespace vornex::cli {
namespace {

using nlohmann::json;

// An establishment object is small; anything much larger is not one.
constexpr std::uintmax_t kTamanhoMaximoArquivo = 1 << 20;

// --- mostrar ----------------------------------------------------------------------

struct OpcoesMostrar {
  std::string estab;
  std::string ano = "2004";
  bool json = false;
};

void Mostra(const OpcoesMostrar& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  ChaveEstabelecimento k = ChaveDoArgumento(o.estab);
  k.anBase = o.ano;
  ComErroComando([&] {
    Tabela t(c, kTabelaEstabelecimentos);
    const auto e = BuscaEstabelecimento(c, k);
    if (!e) throw ErroComando("estabelecimento não encontrado no ano-base " + o.ano + ": " + o.estab);
    if (o.json) {
      ctx.out << TextoJson(LinhaJson(t.definicao(), *e)) << "\n";
      return 0;
    }
    ImprimeLinha(ctx.out, t.definicao(), *e);
    return 0;
  });
}

// --- gravar -----------------------------------------------------------------------

struct OpcoesGravar {
  std::string arquivo;
  bool excluiVinculos = false;
};

void Grava(const OpcoesGravar& o, Contexto& ctx) {
  const json objeto = LeObjeto(o.arquivo, kTamanhoMaximoArquivo, "um estabelecimento");
  Conexao c = AbreDeclaracao(ctx);
  const TabelasReferencia tabelas = ComErroComando([&] { return TabelasReferencia::Carrega(c); });
  const ReferenciasTabelas ref(tabelas);
  const Catalogo catalogo = tabelas.catalogo();
  auto texto = [&](NuMensagem m) { return catalogo.texto(m.texto()); };

  const std::string inscricao = TextoDe(objeto, "CoCgcCeiEstabelecimento", "");
  if (Apara(inscricao).empty()) throw ErroComando("o objeto não tem CoCgcCeiEstabelecimento");
  std::string prefixo(Apara(TextoDe(objeto, "NuPrefixoEstabelecimento", "")));
  const ChaveEstabelecimento k{TextoDe(objeto, "AnBase", std::string(AnoBase)), InscricaoArmazenada(inscricao),
                               prefixo.empty() ? "00" : prefixo};

  PedidoGravaEstab pedido;
  pedido.modo = ModoChecagem::TodosOsCampos;
  pedido.excluiVinculos = o.excluiVinculos;
  const auto r = ComErroComando([&] {
    Tabela t(c, kTabelaEstabelecimentos);
    auto existente = BuscaEstabelecimento(c, k);
    pedido.novo = !existente;
    pedido.estab = existente ? *existente : NovoEstabelecimento(c, k);
    AplicaObjeto(t.definicao(), objeto, pedido.estab);
    pedido.estab["CoCgcCeiEstabelecimento"] = k.inscricao;
    pedido.estab["NuPrefixoEstabelecimento"] = k.prefixo;
    // A new establishment without its type takes it as the screen does, by
    // the check digits and the length typed.
    if (pedido.novo && Apara(pedido.estab["InInscrEstabelecimento"]).empty())
      pedido.estab["InInscrEstabelecimento"] = TipoDaInscricaoDigitada(Apara(inscricao)).tipo;
    return GravaEstabelecimento(c, ref, pedido);
  });

  for (const auto& a : r.checagem.avisos) ctx.err << "Aviso em " << a.campo << ": " << texto(a.mensagem) << "\n";
  if (!r.checagem.ok()) {
    for (const auto& f : r.checagem.falhas) ctx.err << f.campo << ": " << texto(f.mensagem) << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  if (!r.confirmacao.ok()) {
    ctx.err << texto(r.confirmacao) << "\n(use --exclui-vinculos para confirmar)\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  ctx.out << (pedido.novo ? "Estabelecimento incluído: " : "Estabelecimento alterado: ")
          << FormataInscricao(r.estab["CoCgcCeiEstabelecimento"], r.estab["InInscrEstabelecimento"]) << "/"
          << k.prefixo << " (" << r.vinculos << " vínculos";
  if (r.vinculosExcluidos > 0) ctx.out << ", " << r.vinculosExcluidos << " excluídos";
  ctx.out << ").\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  app.require_subcommand(1);

  auto m = std::make_shared<OpcoesMostrar>();
  CLI::App* mostrar = app.add_subcommand("mostrar", "Mostra as colunas de um estabelecimento");
  mostrar->add_option("estabelecimento", m->estab, "INSCRICAO/PREFIXO (sem prefixo: 00)")->required();
  mostrar->add_option("--ano", m->ano, "Ano-base (padrão 2004)")->check(CLI::IsMember({"2004", "2005"}));
  mostrar->add_flag("--json", m->json, "Objeto JSON com as colunas de Bd8emp");
  mostrar->callback([m, &ctx] { Mostra(*m, ctx); });

  auto g = std::make_shared<OpcoesGravar>();
  CLI::App* gravar = app.add_subcommand("gravar", "Inclui ou altera um estabelecimento a partir de um objeto JSON");
  gravar->add_option("arquivo", g->arquivo, "ARQ.json com as colunas de Bd8emp")->required();
  gravar->add_flag("--exclui-vinculos", g->excluiVinculos,
                   "Confirma a exclusão dos vínculos de um estabelecimento passado a sem empregados");
  gravar->footer(
      "As colunas ausentes mantêm o valor gravado (ou o padrão de um estabelecimento novo). Antes de gravar, "
      "aplica as críticas da confirmação da tela do estabelecimento; havendo erro, lista a mensagem de cada "
      "campo recusado, não grava nada e termina com 1.");
  gravar->callback([g, &ctx] { Grava(*g, ctx); });
}

const RegistroComando registro{"estabelecimento", "Mostra ou grava um estabelecimento", Configura};

}  // namespace
}  // namespace vornex::cli
