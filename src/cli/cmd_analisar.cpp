#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "comando.h"
#include "common/catalogo.h"
#include "common/passagem.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "declfile/analise_estrutura.h"
#include "declfile/texto_estrutura.h"
#include "ocorrencias.h"
#include "pasta_cli.h"
#include "validation/consistencia.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string arquivo;
  bool json = false;
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

// Texts read from a file need not be UTF-8.
std::string Json(const nlohmann::json& j) { return j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace); }

void Executa(const Opcoes& o, Contexto& ctx) {
  const fs::path arquivo = fs::absolute(o.arquivo);
  std::error_code ec;
  if (!fs::is_regular_file(arquivo, ec))
    throw ErroComando("O arquivo especificado não existe. Verifique o caminho e o nome do arquivo. (" +
                      arquivo.string() + ")");
  Conexao c = AbreDeclaracao(ctx);

  TAnaliseEstrutura analise(c);
  long estabelecimentos = 0, vinculos = 0;
  const int bits = ComErroComando([&] {
    return analise.AnalisaArquivo(arquivo, 2004, false, SemAcompanhamento(), estabelecimentos, vinculos);
  });
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
      ctx.out << Json(j) << "\n";
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
  const int r = ComErroComando([&] { return VerificaConsistencia(c, opcoes); });
  ctx.saida = (r & kConsistenciaErros) ? kSaidaErrosDados : kSaidaOk;

  ComErroComando([&] {
    if (o.json) {
      j["consistencia"] = OcorrenciasJson(c, r);
      ctx.out << Json(j) << "\n";
      return 0;
    }
    ctx.out << "Estrutura do arquivo correta: " << estabelecimentos << " estabelecimento(s), " << vinculos
            << " vínculo(s)" << ((bits & kAnaliseRetificacao) ? "; arquivo de retificação" : "") << ".\n";
    ImprimeOcorrencias(c, ctx.out);
    if (r == 0) ctx.out << "Os estabelecimentos presentes no arquivo estão corretos.\n";
    return 0;
  });
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("arquivo", o->arquivo, "Arquivo ZEMA a analisar")->required();
  app.add_flag("--json", o->json,
               "Resultado em JSON: bits, contagens, linhas de Te8stru e a verificação com as linhas de Te8ErrWa");
  app.footer(
      "Verifica a estrutura do arquivo registro a registro, carrega o seu conteúdo nas tabelas de trabalho e "
      "verifica as inconsistências. Saída 1 quando há erro de estrutura (só o primeiro é mostrado) ou erros "
      "de consistência.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"analisar", "Analisa a estrutura e o conteúdo de um arquivo ZEMA", Configura};

}  // namespace
}  // namespace vornex::cli
