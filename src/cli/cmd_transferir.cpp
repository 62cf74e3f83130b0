#include <map>
#include <memory>
#include <string>
#include <vector>

#include "casos/manutencao.h"
#include "comando.h"
#include "estabelecimentos_cli.h"
#include "manutencao_cli.h"
#include "pasta_cli.h"
#include "common/catalogo.h"
#include "vinculos_cli.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string de, para, tipo;
  std::vector<std::string> vinculos;
  bool todos = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  PedidoTransferencia p;
  p.origem = ChaveDoArgumento(o.de);
  p.destino = ChaveDoArgumento(o.para);
  p.tipoDestino = o.tipo;
  p.todos = o.todos;
  for (const auto& v : o.vinculos) p.vinculos.push_back(VinculoDoArgumento(v));
  p.recusaAusentes = true;
  const auto r = TransfereVinculos(c, p);
  if (!r.recusa.ok()) return RecusaAusentes(ctx, c, r.recusa, r.ausentes);
  ctx.out << Catalogo::LeConexao(c).texto(kMsgTransferenciaConcluida.texto()) << "\n"
          << r.transferidos << " vínculo(s) de " << NomeEstabelecimento(p.origem) << " para "
          << NomeEstabelecimento(r.destino) << " (" << (r.tipoDestino == "3" ? "CEI" : "CNPJ") << ").\n"
          << "Origem: " << TextoContagem(r.origem) << ".\n"
          << "Destino: " << TextoContagem(r.contagemDestino) << ".\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--de", o->de, "Estabelecimento de origem, INSCRICAO/PREFIXO")->required();
  app.add_option("--para", o->para, "Estabelecimento de destino (novo), INSCRICAO/PREFIXO")->required();
  app.add_option("--tipo", o->tipo, "Tipo da inscrição de destino válida como CNPJ e como CEI (padrão: cnpj)")
      ->transform(CLI::CheckedTransformer(std::map<std::string, std::string>{{"cnpj", "1"}, {"cei", "3"}}));
  auto* vinculos = app.add_option("--vinculo", o->vinculos, "Vínculo a transferir, PISPASEP/DDMMAAAA[/NOME] (repetível)");
  auto* todos = app.add_flag("--todos", o->todos, "Transfere todos os vínculos da origem");
  vinculos->excludes(todos);
  app.footer(
      "Cria o estabelecimento de destino, sem os dados cadastrais da origem, move para ele os vínculos escolhidos "
      "e reconta os vínculos e estrangeiros dos dois. Um destino que já existe é recusado; uma recusa não altera "
      "nada.");
  app.callback([o, &ctx] { ComErroComando([&] { Executa(*o, ctx); }); });
}

const RegistroComando registro{"transferir", "Transfere vínculos para um novo estabelecimento", Configura};

}  // namespace
}  // namespace vornex::cli
