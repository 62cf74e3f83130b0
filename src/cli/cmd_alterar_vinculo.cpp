#include <memory>
#include <string>

#include "casos/manutencao.h"
#include "comando.h"
#include "estabelecimentos_cli.h"
#include "manutencao_cli.h"
#include "pasta_cli.h"
#include "common/catalogo.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::string estab, codigo;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  const PedidoAlteracaoVinculo p{ChaveDoArgumento(o.estab), o.codigo, {}};
  const auto r = AlteraTipoVinculo(c, p);
  if (!r.recusa.ok()) return Recusa(ctx, c, r.recusa);
  ctx.out << Catalogo::LeConexao(c).texto(kMsgTipoVinculoAlterado.texto()) << "\n"
          << NomeEstabelecimento(p.estabelecimento) << ": " << r.alterados << " vínculo(s) com o código "
          << p.codigo << ".\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--estab", o->estab, "Estabelecimento, INSCRICAO/PREFIXO")->required();
  app.add_option("--codigo", o->codigo, "Código de vínculo (tb8vinc) para todos os empregados")->required();
  app.footer(
      "Dá o mesmo código de vínculo a todos os vínculos do estabelecimento (só deste prefixo), depois de conferir "
      "que o código é permitido para o tipo de inscrição.");
  app.callback([o, &ctx] { ComErroComando([&] { Executa(*o, ctx); }); });
}

const RegistroComando registro{"alterar-vinculo", "Altera o código de vínculo de todos os empregados de um "
                                                  "estabelecimento",
                               Configura};

}  // namespace
}  // namespace vornex::cli
