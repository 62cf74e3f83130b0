#include <memory>
#include <string>
#include <vector>

#include "casos/manutencao.h"
#include "comando.h"
#include "estabelecimentos_cli.h"
#include "manutencao_cli.h"
#include "pasta_cli.h"
#include "vinculos_cli.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::vector<std::string> estabs;
  std::vector<std::string> vinculos;
};

void ExcluiEstabelecimentos(const Opcoes& o, Conexao& c, Contexto& ctx) {
  PedidoExclusaoEstabelecimentos p;
  p.estabelecimentos = *EstabelecimentosEscolhidos(c, o.estabs);
  const auto r = vornex::ExcluiEstabelecimentos(c, p);
  for (const auto& k : r.ausentes)
    throw ErroComando("estabelecimento não encontrado no ano-base 2004: " + NomeEstabelecimento(k));
  ctx.out << r.excluidos << " estabelecimento(s) excluído(s) com " << r.vinculosExcluidos << " vínculo(s).\n";
}

void ExcluiVinculos(const Opcoes& o, Conexao& c, Contexto& ctx) {
  if (o.estabs.size() != 1) throw ErroComando("--vinculo pede um único --estab");
  PedidoExclusaoVinculos p;
  p.estabelecimento = EstabelecimentosEscolhidos(c, o.estabs)->front();
  for (const auto& v : o.vinculos) p.vinculos.push_back(VinculoDoArgumento(v));
  p.recusaAusentes = true;
  const auto r = vornex::ExcluiVinculos(c, p);
  if (!r.recusa.ok()) return RecusaAusentes(ctx, c, r.recusa, r.ausentes);
  ctx.out << r.excluidos << kTextoVinculosExcluidos << "\n"
          << NomeEstabelecimento(p.estabelecimento) << ": " << TextoContagem(r.contagem) << ".\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--estab", o->estabs, "Estabelecimento, INSCRICAO/PREFIXO (repetível)")->required();
  app.add_option("--vinculo", o->vinculos,
                 "Vínculo do estabelecimento a excluir, PISPASEP/DDMMAAAA[/NOME] (repetível); sem ele, exclui os "
                 "estabelecimentos");
  app.footer(
      "Sem --vinculo exclui cada estabelecimento com todos os seus vínculos; com --vinculo exclui só os vínculos "
      "indicados e reconta os vínculos e estrangeiros do estabelecimento. Tudo ou nada: uma recusa não altera nada.");
  app.callback([o, &ctx] {
    ComErroComando([&] {
      Conexao c = AbreDeclaracao(ctx);
      if (o->vinculos.empty())
        ExcluiEstabelecimentos(*o, c, ctx);
      else
        ExcluiVinculos(*o, c, ctx);
    });
  });
}

const RegistroComando registro{"excluir", "Exclui estabelecimentos com seus vínculos, ou vínculos escolhidos",
                               Configura};

}  // namespace
}  // namespace vornex::cli
