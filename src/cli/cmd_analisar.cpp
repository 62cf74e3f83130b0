#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include <optional>

#include "casos/analisa_arquivo.h"
#include "comando.h"
#include "common/catalogo.h"
#include "data/banco.h"
#include "declfile/texto_estrutura.h"
#include "gravacao_cli.h"
#include "json_cli.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "validation/consistencia.h"
#include "validation/ocorrencias.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string arquivo;
  bool json = false;
  bool regravar = false;
  OpcoesMidias midias;
};

nlohmann::json LinhasEstruturaJson(const std::vector<ErroEstrutura>& erros) {
  nlohmann::json r = nlohmann::json::array();
  for (const auto& e : erros)
    r.push_back({{"AnBase", e.anBase},
                 {"CoMsg", e.coMsg},
                 {"Sequencia", e.sequencia},
                 {"InscricaoPrefixo", e.inscricaoPrefixo},
                 {"TipoCampo", e.tipoCampo},
                 {"PosicaoInicial", e.posicaoInicial},
                 {"Conteudo", e.conteudo}});
  return r;
}

void Executa(const Opcoes& o, Contexto& ctx) {
  PedidoAnaliseArquivo pedido;
  pedido.arquivo = fs::absolute(o.arquivo);
  if (std::string falha; !ArquivoParaAnalise(pedido.arquivo, falha)) throw ErroComando(falha);
  Conexao c = AbreDeclaracao(ctx);
  AcompanhamentoTexto estrutura(ctx.err, "Analisando o arquivo: " + pedido.arquivo.string());
  AcompanhamentoTexto consistencia(ctx.err, "Consistindo o arquivo: " + pedido.arquivo.string(), &estrutura);
  std::optional<MidiasCli> midias;
  if (o.regravar) {
    midias.emplace(o.midias, ctx);
    pedido.regravacao = &midias->meiosApos(consistencia);
  }
  MeiosAnalise meios;
  meios.estrutura = &estrutura;
  meios.verificacao = &consistencia;
  const ResultadoAnaliseArquivo r = ComErroComando([&] { return AnalisaEVerifica(c, pedido, meios); });
  estrutura.termina();
  consistencia.termina();
  if (!r.falha.empty()) throw ErroComando(r.falha);
  const int bits = r.estrutura;

  nlohmann::json j = {{"resultado", bits},
                      {"estabelecimentos", r.estabelecimentos},
                      {"vinculos", r.vinculos},
                      {"retificacao", r.retificacao()},
                      {"Te8stru", LinhasEstruturaJson(r.errosEstrutura)}};
  const Catalogo catalogo = ComErroComando([&] { return Catalogo::LeConexao(c); });

  if (bits & kAnaliseErros) {
    ctx.saida = kSaidaErrosDados;
    if (o.json) {
      ctx.out << TextoJson(j) << "\n";
      return;
    }
    ctx.out << kTituloRelatorioEstrutura << ": " << pedido.arquivo.string() << "\n";
    for (const auto& l : TextoRelatorioEstrutura(r.errosEstrutura, catalogo)) ctx.out << l << "\n";
    ctx.out << kNotaPrimeiraOcorrencia << "\n";
    return;
  }

  ctx.saida = (r.verificacao & kConsistenciaErros) ? kSaidaErrosDados : kSaidaOk;
  const ResultadoSelo selo = r.selo.value_or(ResultadoSelo::Invalido);
  j["selo"] = NomeSelo(selo);
  ComErroComando([&] {
    if (o.json) return 0;
    ctx.out << "Estrutura do arquivo correta: " << r.estabelecimentos << " estabelecimento(s), " << r.vinculos
            << " vínculo(s)" << (r.retificacao() ? "; arquivo de retificação" : "") << ".\n";
    ctx.out << TextoSelo(selo) << "\n";
    ImprimeOcorrencias(LeOcorrencias(c), catalogo, ctx.out);
    if (r.verificacao == 0) ctx.out << "Os estabelecimentos presentes no arquivo estão corretos.\n";
    return 0;
  });

  // Errors prevent the acceptance of the file: there is nothing to re-record.
  if (r.regravacaoRecusada) ctx.err << "O arquivo tem erros que impedem a sua entrega: nada foi gravado.\n";
  if (r.regravacao) {
    midias->confere(*r.regravacao);
    ComErroComando([&] {
      if (o.json)
        j["regravacao"] = VolumesJson(c, *r.regravacao);
      else
        ImprimeVolumes(r.regravacao->volumes, ctx.out);
      return 0;
    });
  }
  if (o.json)
    ComErroComando([&] {
      EscreveObjetoJson(ctx.out, j, "consistencia",
                        [&](std::ostream& out) { EscreveOcorrenciasJson(c, catalogo, r.verificacao, out); });
      return 0;
    });
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("arquivo", o->arquivo, "Arquivo ZEMA a analisar")->required();
  app.add_flag("--json", o->json,
               "Resultado em JSON: bits, contagens, linhas de Te8stru e a verificação com as linhas de Te8ErrWa");
  auto* regravar = app.add_flag("--regravar", o->regravar,
                                "Grava de novo o arquivo analisado, sem erros, nas mídias de --destino");
  AdicionaOpcoesMidias(app, o->midias, false);
  app.get_option("--destino")->needs(regravar);
  regravar->needs(app.get_option("--destino"));
  app.footer(
      "Verifica a estrutura do arquivo registro a registro, carrega o seu conteúdo nas tabelas de trabalho e "
      "verifica as inconsistências. Saída 1 quando há erro de estrutura (só o primeiro é mostrado) ou erros "
      "de consistência.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"analisar", "Analisa a estrutura e o conteúdo de um arquivo ZEMA", Configura};

}  // namespace
}  // namespace vornex::cli
