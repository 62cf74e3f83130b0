#include "pasta_cli.h"

#include <filesystem>

#include "data/indexacao.h"
#include "data/pasta_dados.h"

namespace vornex::cli {
namespace {

// Start-up's messages on stderr; questions answered No.
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

}  // namespace

std::filesystem::path PastaDados(Contexto& ctx) {
  return ComErroComando([&] {
    const std::filesystem::path pasta = ResolvePastaDados(ctx.pastaDados);
    std::error_code ec;
    if (!ctx.pastaDados.empty() && !std::filesystem::exists(pasta, ec))
      throw ErroComando("A pasta de dados não existe: " + pasta.string() +
                        " (para criar uma pasta nova, use o comando iniciar).");
    if (AbreOuInicializaPastaDados(pasta)) ctx.err << "Pasta de dados inicializada: " << pasta.string() << "\n";
    return pasta;
  });
}

Conexao AbreDeclaracao(Contexto& ctx, TravaPastaDados::Modo modo) {
  const std::filesystem::path pasta = PastaDados(ctx);
  return ComErroComando([&] {
    if (!ctx.trava) ctx.trava = std::make_unique<TravaPastaDados>(pasta, modo);
    DialogosErro dialogos(ctx.err);
    if (!VerificaArquivosDados(pasta, dialogos)) throw ErroComando(kTextoFaltamArquivos);
    return AbreZema2004(pasta);
  });
}

}  // namespace vornex::cli
