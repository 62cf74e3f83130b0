#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "comando.h"
#include "estabelecimentos_cli.h"
#include "gravacao_cli.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/referencia.h"
#include "declfile/gravacao.h"
#include "data/tabelas.h"
#include "validation/checagem_responsavel.h"
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

std::string TextoMensagem(const Catalogo& catalogo, NuMensagem m) {
  const Mensagem* msg = catalogo.busca(m.texto());
  return msg ? msg->texto : "mensagem " + m.str();
}

// The generation date as the writing assistant takes it: a valid date of 2005.
void ConfereData(const std::string& data, const Catalogo& catalogo) {
  const NuMensagem m = CriticaDataGravacao(data);
  if (!m.ok()) throw ErroComando(TextoMensagem(catalogo, m));
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
  if (r.empty()) throw ErroComando(TextoMensagem(catalogo, "1700"_msg));
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
  const auto resp = ComErroComando([&] { return LeResponsavel(c); });
  const NuMensagem mResp = VerificaResponsavel(resp ? *resp : DefinicaoSistema(kTabelaResponsavel)->novaLinha(), ref);
  if (!mResp.ok()) {
    const std::string texto = TextoMensagem(catalogo, mResp);
    if (o.json)
      ctx.out << nlohmann::ordered_json{{"responsavel", {{"retorno", mResp.str()}, {"TxMensagem", texto}}}}.dump(2)
              << "\n";
    else
      ctx.out << "Responsável: " << texto << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }

  OpcoesConsistencia opcoes;
  opcoes.anoBase = std::string(AnoBase);
  opcoes.selecao = pedido.selecao;
  int verificacao = 0;
  {
    AcompanhamentoTexto progresso(ctx.err, "Verificando Informações ...");
    verificacao = ComErroComando([&] { return VerificaConsistencia(c, ref, opcoes, progresso); });
  }
  if (verificacao & kConsistenciaErros) {
    // The findings as verificar gives them; nothing is written.
    ComErroComando([&] {
      if (o.json)
        ctx.out << nlohmann::ordered_json{{"verificacao", OcorrenciasJson(c, verificacao)}}.dump(2) << "\n";
      else
        ImprimeOcorrencias(c, ctx.out);
      return 0;
    });
    ctx.saida = kSaidaErrosDados;
    return;
  }
  // Warnings do not stop the writing; they are shown on stderr (in the JSON output).
  if (!o.json) ComErroComando([&] { return ImprimeOcorrencias(c, ctx.err), 0; });

  pedido.horaGeracao = HoraAtual();
  const RelatorioGravacao r = ComErroComando([&] { return GravaNasMidias(c, pedido, o.midias, ctx); });
  ComErroComando([&] {
    if (o.json) {
      nlohmann::ordered_json j = VolumesJson(c, r);
      j["verificacao"] = OcorrenciasJson(c, verificacao);
      ctx.out << j.dump(2) << "\n";
    } else {
      ImprimeVolumes(r.volumes, ctx.out);
    }
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
