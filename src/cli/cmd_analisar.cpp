#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "comando.h"
#include "json_cli.h"
#include "common/catalogo.h"
#include "common/passagem.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "declfile/analise_estrutura.h"
#include "declfile/selo.h"
#include "declfile/texto_estrutura.h"
#include "gravacao_cli.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "validation/consistencia.h"

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
  const fs::path arquivo = fs::absolute(o.arquivo);
  std::error_code ec;
  if (!fs::is_regular_file(arquivo, ec))
    throw ErroComando("O arquivo especificado não existe. Verifique o caminho e o nome do arquivo. (" +
                      arquivo.string() + ")");
  Conexao c = AbreDeclaracao(ctx);

  TAnaliseEstrutura analise(c);
  long estabelecimentos = 0, vinculos = 0;
  AcompanhamentoTexto estrutura(ctx.err, "Analisando o arquivo: " + arquivo.string());
  const int bits = ComErroComando([&] {
    return analise.AnalisaArquivo(arquivo, 2004, false, estrutura, estabelecimentos, vinculos);
  });
  estrutura.termina();
  if (!analise.falhaCopia().empty()) throw ErroComando(analise.falhaCopia());
  const std::vector<ErroEstrutura> erros = ComErroComando([&] { return LeErrosEstrutura(c); });

  nlohmann::json j = {{"resultado", bits},
                      {"estabelecimentos", estabelecimentos},
                      {"vinculos", vinculos},
                      {"retificacao", (bits & kAnaliseRetificacao) != 0},
                      {"Te8stru", LinhasEstruturaJson(erros)}};

  if (bits & kAnaliseErros) {
    ctx.saida = kSaidaErrosDados;
    if (o.json) {
      ctx.out << TextoJson(j) << "\n";
      return;
    }
    const Catalogo catalogo = ComErroComando([&] { return TabelasReferencia::Carrega(c).catalogo(); });
    ctx.out << kTituloRelatorioEstrutura << ": " << arquivo.string() << "\n";
    for (const auto& l : TextoRelatorioEstrutura(erros, catalogo)) ctx.out << l << "\n";
    ctx.out << kNotaPrimeiraOcorrencia << "\n";
    return;
  }

  // A file read from a medium: the responsible person is checked and the
  // closing date must be stated.
  OpcoesConsistencia opcoes;
  opcoes.origem = OrigemConsistencia::Trabalho;
  opcoes.verificaResponsavel = true;
  opcoes.encerramentoEstrito = true;
  AcompanhamentoTexto consistencia(ctx.err, "Consistindo o arquivo: " + arquivo.string());
  const int r = ComErroComando([&] { return VerificaConsistencia(c, opcoes, consistencia); });
  consistencia.termina();
  ctx.saida = (r & kConsistenciaErros) ? kSaidaErrosDados : kSaidaOk;

  // The seal says whether the file is the one its writer sealed; it does
  // not change the analysis' result.
  const ResultadoSelo selo = VerificaSelo(arquivo);
  j["selo"] = NomeSelo(selo);
  ComErroComando([&] {
    if (o.json) return 0;
    ctx.out << "Estrutura do arquivo correta: " << estabelecimentos << " estabelecimento(s), " << vinculos
            << " vínculo(s)" << ((bits & kAnaliseRetificacao) ? "; arquivo de retificação" : "") << ".\n";
    ctx.out << TextoSelo(selo) << "\n";
    ImprimeOcorrencias(c, ctx.out);
    if (r == 0) ctx.out << "Os estabelecimentos presentes no arquivo estão corretos.\n";
    return 0;
  });

  if (o.regravar) {
    if (r & kConsistenciaErros) {
      // Errors prevent the acceptance of the file: there is nothing to re-record.
      ctx.err << "O arquivo tem erros que impedem a sua entrega: nada foi gravado.\n";
    } else {
      // From the work tables as loaded, a rectification when the file was one;
      // no generation date is typed in this mode.
      PedidoGravacao pedido;
      pedido.modo = {true, (bits & kAnaliseRetificacao) != 0};
      const RelatorioGravacao g = ComErroComando([&] { return GravaNasMidias(c, pedido, o.midias, ctx); });
      ComErroComando([&] {
        if (o.json)
          j["regravacao"] = VolumesJson(c, g);
        else
          ImprimeVolumes(g.volumes, ctx.out);
        return 0;
      });
    }
  }
  if (o.json)
    ComErroComando([&] {
      EscreveObjetoJson(ctx.out, j, "consistencia", [&](std::ostream& out) { EscreveOcorrenciasJson(c, r, out); });
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
