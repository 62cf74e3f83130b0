#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "casos/responsavel.h"
#include "comando.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "data/declaracao.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "json_cli.h"
#include "linhas_json.h"
#include "pasta_cli.h"
#include "validation/referencias_tabelas.h"

namespace vornex::cli {
namespace {

using nlohmann::json;

// A responsible person's object is small; anything much larger is not one.
constexpr std::uintmax_t kTamanhoMaximoArquivo = 1 << 20;

void Mostra(bool emJson, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx, TravaPastaDados::Modo::Compartilhada);
  ComErroComando([&] {
    Tabela t(c, kTabelaResponsavel);
    const Linha r = LeResponsavelOuVazio(c);
    if (emJson)
      ctx.out << TextoJson(LinhaJson(t.definicao(), r)) << "\n";
    else
      ImprimeLinha(ctx.out, t.definicao(), r);
    return 0;
  });
}

void Grava(const std::string& arquivo, Contexto& ctx) {
  const json objeto = LeObjeto(arquivo, kTamanhoMaximoArquivo, "um responsável");
  Conexao c = AbreDeclaracao(ctx);
  const TabelasReferencia tabelas = ComErroComando([&] { return TabelasReferencia::Carrega(c); });
  const ReferenciasTabelas ref(tabelas);
  const Catalogo catalogo = tabelas.catalogo();
  auto texto = [&](NuMensagem m) { return catalogo.texto(m.texto()); };

  const auto r = ComErroComando([&] {
    Tabela t(c, kTabelaResponsavel);
    PedidoGravaResponsavel pedido;
    pedido.responsavel = LeResponsavelOuVazio(c);
    AplicaObjeto(t.definicao(), objeto, pedido.responsavel);
    // The registration is judged as typed: its length gives the type, unless
    // the object gives the type of a stored (14-character) value.
    const std::string inscricao(Apara(pedido.responsavel["CoCgcCeiResponsavel"]));
    if (inscricao.size() != 14 || !objeto.contains("InInscrResponsavel")) pedido.inscricaoDigitada = inscricao;
    return GravaResponsavel(c, ref, pedido);
  });

  for (const auto& a : r.checagem.avisos) ctx.err << "Aviso em " << a.campo << ": " << texto(a.mensagem) << "\n";
  if (!r.checagem.ok()) {
    for (const auto& f : r.checagem.falhas) ctx.err << f.campo << ": " << texto(f.mensagem) << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  ctx.out << "Responsável gravado: " << NomeTipoInscricaoResp(r.responsavel["InInscrResponsavel"]) << " "
          << InscricaoRespDigitada(r.responsavel["CoCgcCeiResponsavel"], r.responsavel["InInscrResponsavel"])
          << " - " << r.responsavel["NoResponsavelArquivo"] << ".\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  app.require_subcommand(1);

  auto emJson = std::make_shared<bool>(false);
  CLI::App* mostrar = app.add_subcommand("mostrar", "Mostra as colunas do responsável pela declaração");
  mostrar->add_flag("--json", *emJson, "Objeto JSON com as colunas de BD8Resp");
  mostrar->callback([emJson, &ctx] { Mostra(*emJson, ctx); });

  auto arquivo = std::make_shared<std::string>();
  CLI::App* gravar = app.add_subcommand("gravar", "Grava o responsável pela declaração a partir de um objeto JSON");
  gravar->add_option("arquivo", *arquivo, "ARQ.json com as colunas de BD8Resp")->required();
  gravar->footer(
      "As colunas ausentes mantêm o valor gravado. CoCgcCeiResponsavel é lido como digitado: 14 dígitos um "
      "CNPJ, 12 um CEI, 11 um CPF. Antes de gravar, aplica as críticas da tela do responsável; havendo erro, "
      "lista a mensagem de cada campo recusado, não grava nada e termina com 1.");
  gravar->callback([arquivo, &ctx] { Grava(*arquivo, ctx); });
}

const RegistroComando registro{"responsavel", "Mostra ou grava o responsável pela declaração", Configura};

}  // namespace
}  // namespace vornex::cli
