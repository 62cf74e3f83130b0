#include <filesystem>
#include <iomanip>

#include "comando.h"
#include "data/banco.h"
#include "data/indexacao.h"
#include "data/pasta_dados.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

// Messages of the run: the closing notice on stdout, everything else on stderr.
class DialogosTexto : public Dialogos {
 public:
  DialogosTexto(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}
  int mostra(TipoDialogo tipo, Botoes botoes, const std::string& texto) override {
    (tipo == TipoDialogo::Informacao ? out_ : err_) << texto << "\n";
    return botoes == Botoes::SimNao ? kResultadoNo : kResultadoOk;
  }

 private:
  std::ostream& out_;
  std::ostream& err_;
};

class ProgressoTexto : public ProgressoIndexacao {
 public:
  explicit ProgressoTexto(std::ostream& err) : err_(err) {}
  void inicia(int total) override {
    total_ = total;
    err_ << "Indexando arquivos ...\n";
  }
  void avanca(const PassoIndexacao& p) override {
    err_ << "[" << std::setw(2) << p.numero << "/" << total_ << "] " << p.arquivoIndice << "\n";
  }

 private:
  std::ostream& err_;
  int total_ = 0;
};

void Configura(CLI::App& app, Contexto& ctx) {
  app.footer("Recria os índices de todas as tabelas, um passo por índice, com o progresso na saída de erro.");
  app.callback([&ctx] {
    const std::filesystem::path pasta = PastaDados(ctx);
    DialogosTexto dialogos(ctx.out, ctx.err);
    ProgressoTexto progresso(ctx.err);
    try {
      if (!VerificaArquivosDados(pasta, dialogos)) throw ErroComando(kTextoFaltamArquivos);
      Conexao c = AbreZema2004(pasta);
      if (!IndexaArquivos(c, dialogos, progresso).sucesso) ctx.saida = kSaidaFalha;
    } catch (const ErroBanco& e) {
      // A file too damaged to open ends the run as a failed step would.
      throw ErroComando("erro " + std::to_string(e.codigo()) + " do gerenciador de dados: " + e.what() + "\n" +
                        kTextoArquivosComProblemas);
    } catch (const ErroComando&) {
      throw;
    } catch (const std::exception& e) {
      throw ErroComando(e.what());
    }
  });
}

const RegistroComando registro{"indexar", "Recria os índices das tabelas da pasta de dados", Configura};

}  // namespace
}  // namespace vornex::cli
