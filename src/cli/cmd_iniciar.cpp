#include <filesystem>

#include "comando.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"

namespace vornex::cli {
namespace {

void Configura(CLI::App& app, Contexto& ctx) {
  app.footer(
      "Cria uma pasta de dados nova: tabelas da declaração vazias e tabelas de referência carregadas dos "
      "arquivos instalados com o programa. Não substitui uma pasta que já tenha dados.");
  app.callback([&ctx] {
    const std::filesystem::path pasta = ResolvePastaDados(ctx.pastaDados);
    std::vector<ResumoCarga> resumo;
    try {
      resumo = InicializaPastaDados(pasta);
    } catch (const std::exception& e) {
      throw ErroComando(e.what());
    }
    ctx.out << "Pasta de dados criada: " << pasta.string() << "\n";
    for (const auto& r : resumo) ctx.out << "  " << r.tabela << ": " << r.linhas << " linhas (" << r.arquivo << ")\n";
  });
}

const RegistroComando registro{"iniciar", "Cria uma pasta de dados nova", Configura};

}  // namespace
}  // namespace vornex::cli
