#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "casos/listas.h"
#include "comando.h"
#include "estabelecimentos_cli.h"
#include "json_cli.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string estab;
  bool json = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const ChaveEstabelecimento k = ChaveDoArgumento(o.estab);
  const auto lista = ComErroComando([&] {
    if (!BuscaEstabelecimento(c, k)) throw ErroComando("estabelecimento não encontrado: " + o.estab);
    PedidoListaVinculos p;
    p.estabelecimento = k;
    p.comUsoEmpresa = true;
    return ListaVinculos(c, p);
  });
  if (o.json) {
    nlohmann::json j = nlohmann::json::array();
    for (const auto& v : lista.itens)
      j.push_back({{"CoPisPasepEmpregado", v.chave.pis},
                   {"DaAdmissaoEmpregado", v.chave.admissao},
                   {"NoEmpregado", v.chave.nome},
                   {"NuSequencialRegistro", v.chave.sequencial},
                   {"TxUsoEmpregado", v.usoEmpresa}});
    ctx.out << TextoJson(j) << "\n";
    return;
  }
  for (const auto& v : lista.itens) ctx.out << v.texto << "\n";
  ctx.out << lista.itens.size() << " vínculo(s).\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--estab", o->estab, "INSCRICAO/PREFIXO (sem prefixo: 00)")->required();
  app.add_flag("--json", o->json, "Lista em JSON, com as colunas da chave de Bd8vinc");
  app.footer("Lista os vínculos do estabelecimento na ordem do PIS/PASEP: PIS/PASEP, admissão, nome e uso da "
             "empresa.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"vinculos", "Lista os vínculos de um estabelecimento", Configura};

}  // namespace
}  // namespace vornex::cli
