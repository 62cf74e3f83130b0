#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "casos/estabelecimento.h"
#include "comando.h"
#include "common/texto.h"
#include "json_cli.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string ano = "2004";
  bool json = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  FiltroConsultaEstab filtro;
  filtro.anBase = o.ano;
  const auto lista = ComErroComando([&] { return ConsultaEstabelecimentos(c, filtro); });
  if (o.json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& e : lista)
      j.push_back({{"inscricao", e.inscricao},
                   {"tipo", e.tipo},
                   {"prefixo", e.prefixo},
                   {"razao", e.razao},
                   {"anoBase", e.anBase},
                   {"vinculos", ValorInteiro(e.vinculos)}});
    ctx.out << TextoJson(j) << "\n";
    return;
  }
  for (const auto& e : lista)
    ctx.out << FormataInscricao(e.inscricao, e.tipo) << "  " << e.prefixo << "  " << e.anBase << "  "
            << ValorInteiro(e.vinculos) << "  " << e.razao << "\n";
  ctx.out << lista.size() << " estabelecimento(s) do ano-base " << o.ano << ".\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--ano", o->ano, "Ano-base (padrão 2004)")->check(CLI::IsMember({"2004", "2005"}));
  app.add_flag("--json", o->json, "Lista em JSON");
  app.footer(
      "Lista os estabelecimentos do ano-base na ordem da inscrição e do prefixo: inscrição, prefixo, "
      "ano-base, número de vínculos e nome.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"estabelecimentos", "Lista os estabelecimentos da declaração", Configura};

}  // namespace
}  // namespace vornex::cli
