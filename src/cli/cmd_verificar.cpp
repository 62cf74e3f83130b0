#include <memory>
#include <string>
#include <vector>

#include "comando.h"
#include "json_cli.h"
#include "estabelecimentos_cli.h"
#include "ocorrencias.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "common/catalogo.h"
#include "common/versao.h"
#include "validation/consistencia.h"
#include "validation/ocorrencias.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::vector<std::string> estabelecimentos;
  bool json = false;
};

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  OpcoesConsistencia opcoes;
  opcoes.anoBase = std::string(AnoBase);
  opcoes.selecao = EstabelecimentosEscolhidos(c, o.estabelecimentos);
  if (const NuMensagem m = ComErroComando([&] { return ConfereEstabelecimentosAVerificar(c, opcoes); }); !m.ok())
    throw ErroComando(Catalogo::LeConexao(c).texto(m.texto()));
  AcompanhamentoTexto progresso(ctx.err, "Verificando Informações ...");
  const int r = ComErroComando([&] { return VerificaConsistencia(c, opcoes, progresso); });
  progresso.termina();
  ComErroComando([&] {
    if (o.json) {
      EscreveOcorrenciasJson(c, Catalogo::LeConexao(c), r, ctx.out);
    } else {
      ImprimeOcorrencias(LeOcorrencias(c), Catalogo::LeConexao(c), ctx.out);
      if (r == 0) ctx.out << "As declarações selecionadas não apresentaram erros ou avisos.\n";
    }
    return 0;
  });
  ctx.saida = (r & kConsistenciaErros) ? kSaidaErrosDados : kSaidaOk;
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("--estab", o->estabelecimentos,
                 "Só este estabelecimento, INSCRICAO/PREFIXO (repetível; padrão: todos do ano-base 2004)");
  app.add_flag("--json", o->json, "Resultado e ocorrências em JSON");
  app.footer(
      "Verifica a consistência das declarações do ano-base 2004 e lista os erros, depois os avisos "
      "(o progresso vai para a saída de erro). "
      "Termina com 1 quando há erros, 0 quando há só avisos ou nada.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"verificar", "Verifica as inconsistências das declarações", Configura};

}  // namespace
}  // namespace vornex::cli
