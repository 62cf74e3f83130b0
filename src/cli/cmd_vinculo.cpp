#include <memory>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "casos/vinculo.h"
#include "comando.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "estabelecimentos_cli.h"
#include "json_cli.h"
#include "linhas_json.h"
#include "pasta_cli.h"
#include "validation/referencias_tabelas.h"
#include "vinculos_cli.h"

namespace vornex::cli {
namespace {

using nlohmann::json;

// A link object is small; anything much larger is not one.
constexpr std::uintmax_t kTamanhoMaximoArquivo = 1 << 20;

struct OpcoesChave {
  std::string estab;
  std::string vinculo;
};

void OpcoesDeChave(CLI::App* app, OpcoesChave& o) {
  app->add_option("--estab", o.estab, "INSCRICAO/PREFIXO (sem prefixo: 00)")->required();
  app->add_option("--vinculo", o.vinculo, "PISPASEP/DDMMAAAA[/NOME] (o nome só para PIS/PASEP zerado)")
      ->required();
}

// The link named by the options; ErroComando when it is not there.
Linha VinculoDasOpcoes(Conexao& c, const OpcoesChave& o) {
  const ChaveEstabelecimento k = ChaveDoArgumento(o.estab);
  const VinculoEscolhido v = VinculoDoArgumento(o.vinculo);
  auto l = ComErroComando([&] { return AbreVinculo(c, k, v.pis, v.admissao, v.nome.value_or("")); });
  if (!l) throw ErroComando("vínculo não encontrado: " + o.estab + " " + o.vinculo);
  return *l;
}

// --- mostrar ----------------------------------------------------------------------

struct OpcoesMostrar : OpcoesChave {
  bool json = false;
};

void Mostra(const OpcoesMostrar& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const Linha v = VinculoDasOpcoes(c, o);
  const Tabela t(c, kTabelaVinculos);
  if (o.json)
    ctx.out << TextoJson(LinhaJson(t.definicao(), v)) << "\n";
  else
    ImprimeLinha(ctx.out, t.definicao(), v);
}

// --- gravar -----------------------------------------------------------------------

void Grava(const std::string& arquivo, Contexto& ctx) {
  const json objeto = LeObjeto(arquivo, kTamanhoMaximoArquivo, "um vínculo");
  Conexao c = AbreDeclaracao(ctx);
  const TabelasReferencia tabelas = ComErroComando([&] { return TabelasReferencia::Carrega(c); });
  const ReferenciasTabelas ref(tabelas);
  const Catalogo catalogo = tabelas.catalogo();
  auto texto = [&](NuMensagem m) { return catalogo.texto(m.texto()); };

  const std::string inscricao(Apara(TextoDe(objeto, "CoCgcCeiEstabelecimento")));
  if (inscricao.empty()) throw ErroComando("o objeto não tem CoCgcCeiEstabelecimento");
  const std::string prefixo(Apara(TextoDe(objeto, "NuPrefixoEstabelecimento")));
  const ChaveEstabelecimento k{TextoDe(objeto, "AnBase", "2004"), InscricaoArmazenada(inscricao),
                               prefixo.empty() ? "00" : prefixo};

  PedidoGravaVinculo pedido;
  pedido.modo = ModoChecagem::TodosOsCampos;
  const auto r = ComErroComando([&] {
    if (!BuscaEstabelecimento(c, k)) throw ErroComando("estabelecimento não encontrado: " + inscricao + "/" + k.prefixo);
    Tabela t(c, kTabelaVinculos);
    const auto existente = AbreVinculo(c, k, TextoDe(objeto, "CoPisPasepEmpregado"),
                                       TextoDe(objeto, "DaAdmissaoEmpregado"), TextoDe(objeto, "NoEmpregado"));
    pedido.vinculo = existente ? *existente : NovoVinculo(c, k);
    if (existente) pedido.original = ChaveDoVinculo(*existente);
    AplicaObjeto(t.definicao(), objeto, pedido.vinculo);
    pedido.vinculo["AnBase"] = k.anBase;
    pedido.vinculo["CoCgcCeiEstabelecimento"] = k.inscricao;
    pedido.vinculo["NuPrefixoEstabelecimento"] = k.prefixo;
    return GravaVinculo(c, ref, pedido);
  });

  if (!r.checagem.ok()) {
    for (const auto& f : r.checagem.falhas) ctx.err << f.campo << ": " << texto(f.mensagem) << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  if (!r.aviso13.ok()) ctx.err << "Aviso: " << texto(r.aviso13) << "\n";
  ctx.out << (pedido.original ? "Vínculo alterado: " : "Vínculo incluído: ")
          << FormataPis(r.vinculo["CoPisPasepEmpregado"]) << " " << FormataData(r.vinculo["DaAdmissaoEmpregado"])
          << " (" << r.contagem.vinculos << " vínculos, " << r.contagem.estrangeiros << " estrangeiros).\n";
}

// --- excluir ----------------------------------------------------------------------

void Exclui(const OpcoesChave& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const Linha v = VinculoDasOpcoes(c, o);
  const auto r = ComErroComando([&] { return ExcluiVinculo(c, ChaveDoVinculo(v)); });
  ctx.out << "Vínculo excluído: " << FormataPis(v["CoPisPasepEmpregado"]) << " "
          << FormataData(v["DaAdmissaoEmpregado"]) << " (" << r.contagem.vinculos << " vínculos).\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  app.require_subcommand(1);

  auto m = std::make_shared<OpcoesMostrar>();
  CLI::App* mostrar = app.add_subcommand("mostrar", "Mostra as colunas de um vínculo");
  OpcoesDeChave(mostrar, *m);
  mostrar->add_flag("--json", m->json, "Objeto JSON com as colunas de Bd8vinc");
  mostrar->callback([m, &ctx] { Mostra(*m, ctx); });

  auto arquivo = std::make_shared<std::string>();
  CLI::App* gravar = app.add_subcommand("gravar", "Inclui ou altera um vínculo a partir de um objeto JSON");
  gravar->add_option("arquivo", *arquivo, "ARQ.json com as colunas de Bd8vinc")->required();
  gravar->footer(
      "O estabelecimento e o vínculo vêm das colunas da chave do objeto; um vínculo existente com o mesmo "
      "PIS/PASEP e data de admissão é alterado, senão é incluído. Os valores vão em centavos (9 dígitos). Antes "
      "de gravar, aplica as críticas da confirmação da tela do empregado; havendo erro, lista a mensagem de "
      "cada campo recusado, não grava nada e termina com 1. As contagens do estabelecimento são refeitas.");
  gravar->callback([arquivo, &ctx] { Grava(*arquivo, ctx); });

  auto e = std::make_shared<OpcoesChave>();
  CLI::App* excluir = app.add_subcommand("excluir", "Exclui um vínculo e refaz as contagens do estabelecimento");
  OpcoesDeChave(excluir, *e);
  excluir->callback([e, &ctx] { Exclui(*e, ctx); });
}

const RegistroComando registro{"vinculo", "Mostra, grava ou exclui um vínculo", Configura};

}  // namespace
}  // namespace vornex::cli
