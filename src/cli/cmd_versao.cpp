#include "comando.h"
#include "common/versao.h"

namespace vornex::cli {
namespace {

void Configura(CLI::App& app, Contexto& ctx) {
  app.callback([&ctx] { ctx.out << VersaoSistema << "\n"; });
}

const RegistroComando registro{"versao", "Mostra a versão do programa", Configura};

}  // namespace
}  // namespace vornex::cli
