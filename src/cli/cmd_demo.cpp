#include <memory>

#include "comando.h"
#include "demonstracao/demonstracao.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<OpcoesDemonstracao>();
  app.add_option("--estabelecimentos", o->estabelecimentos, "Número de estabelecimentos (padrão 10)")
      ->check(Faixa(1, 99999));
  app.add_option("--vinculos", o->vinculos, "Número de vínculos, repartidos entre eles (padrão 500)")
      ->check(NoMinimo(0));
  app.add_option("--semente", o->semente, "Semente do sorteio: a mesma semente dá a mesma declaração (padrão 2004)");
  app.footer(
      "Preenche a declaração de uma pasta de dados vazia com estabelecimentos e vínculos fictícios do "
      "ano-base 2004, todos aceitos pelas críticas, para explorar o programa.");
  app.callback([o, &ctx] {
    Conexao c = AbreDeclaracao(ctx);
    const auto r = ComErroComando([&] { return GeraDemonstracao(c, *o); });
    ctx.out << "Declaração de demonstração gravada: " << r.estabelecimentos << " estabelecimentos ("
            << r.semEmpregados << " sem empregados), " << r.vinculos << " vínculos (" << r.estrangeiros
            << " de estrangeiros).\n";
  });
}

const RegistroComando registro{"demo", "Preenche a declaração com dados de demonstração", Configura};

}  // namespace
}  // namespace vornex::cli
