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

Conexao AbreDeclaracao(Contexto& ctx, TravaPastaDados::Modo modo) {
  return ComErroComando([&] {
    const std::filesystem::path pasta = ResolvePastaDados(ctx.pastaDados);
    if (AbreOuInicializaPastaDados(pasta)) ctx.err << "Pasta de dados inicializada: " << pasta.string() << "\n";
    if (!ctx.trava) ctx.trava = std::make_unique<TravaPastaDados>(pasta, modo);
    DialogosErro dialogos(ctx.err);
    if (!VerificaArquivosDados(pasta, dialogos)) throw ErroComando(kTextoFaltamArquivos);
    return AbreZema2004(pasta);
  });
}

}  // namespace vornex::cli
