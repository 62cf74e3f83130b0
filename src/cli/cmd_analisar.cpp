#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "comando.h"
#include "common/catalogo.h"
#include "common/passagem.h"
#include "data/banco.h"
#include "data/indexacao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "declfile/analise_estrutura.h"
#include "declfile/texto_estrutura.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string arquivo;
  bool json = false;
};

// Messages of the data-folder checks go to stderr; nothing is ever asked.
class DialogosErro : public Dialogos {
 public:
  explicit DialogosErro(std::ostream& err) : err_(err) {}
  int mostra(TipoDialogo, Botoes botoes, const std::string& texto) override {
    err_ << texto << "\n";
    return botoes == Botoes::SimNao ? kResultadoNo : kResultadoOk;
  }

 private:
  std::ostream& err_;
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
  const fs::path pasta = ResolvePastaDados(ctx.pastaDados);
  const fs::path arquivo = fs::absolute(o.arquivo);
  DialogosErro dialogos(ctx.err);
  std::error_code ec;
  if (!fs::is_regular_file(arquivo, ec))
    throw ErroComando("O arquivo especificado não existe. Verifique o caminho e o nome do arquivo. (" +
                      arquivo.string() + ")");
  try {
    if (AbreOuInicializaPastaDados(pasta)) ctx.err << "Pasta de dados inicializada: " << pasta.string() << "\n";
    if (!VerificaArquivosDados(pasta, dialogos)) throw ErroComando(kTextoFaltamArquivos);
    Conexao c = AbreZema2004(pasta);

    TAnaliseEstrutura analise(c);
    long estabelecimentos = 0, vinculos = 0;
    const int bits = analise.AnalisaArquivo(arquivo, 2004, false, SemAcompanhamento(), estabelecimentos, vinculos);
    if (!analise.falhaCopia().empty()) throw ErroComando(analise.falhaCopia());
    const std::vector<ErroEstrutura> erros = LeErrosEstrutura(c);

    nlohmann::json j = {{"resultado", bits},
                        {"estabelecimentos", estabelecimentos},
                        {"vinculos", vinculos},
                        {"retificacao", (bits & kAnaliseRetificacao) != 0},
                        {"Te8stru", LinhasEstruturaJson(erros)}};

    if (bits & kAnaliseErros) {
      ctx.saida = kSaidaErrosDados;
      if (o.json) {
        ctx.out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
        return;
      }
      const Catalogo catalogo = TabelasReferencia::Carrega(c).catalogo();
      ctx.out << kTituloRelatorioEstrutura << ": " << arquivo.string() << "\n";
      for (const auto& l : TextoRelatorioEstrutura(erros, catalogo)) ctx.out << l << "\n";
      ctx.out << kNotaPrimeiraOcorrencia << "\n";
      return;
    }

    if (o.json) {
      ctx.out << j.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << "\n";
      return;
    }
    ctx.out << "Estrutura do arquivo correta: " << estabelecimentos << " estabelecimento(s), " << vinculos
            << " vínculo(s)" << ((bits & kAnaliseRetificacao) ? "; arquivo de retificação" : "") << ".\n";
  } catch (const ErroBanco& e) {
    throw ErroComando("erro " + std::to_string(e.codigo()) + " do gerenciador de dados: " + e.what());
  }
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("arquivo", o->arquivo, "Arquivo ZEMA a analisar")->required();
  app.add_flag("--json", o->json, "Resultado em JSON: bits, contagens e linhas de Te8stru");
  app.footer(
      "Verifica a estrutura do arquivo registro a registro e carrega o seu conteúdo nas tabelas de trabalho. "
      "Saída 1 quando há erro de estrutura (só o primeiro é mostrado).");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"analisar", "Analisa a estrutura e o conteúdo de um arquivo ZEMA", Configura};

}  // namespace
}  // namespace vornex::cli
