#include <memory>
#include <string>
#include <vector>

#include "comando.h"
#include "common/texto.h"
#include "data/declaracao.h"
#include "ocorrencias.h"
#include "pasta_cli.h"
#include "validation/consistencia.h"

namespace vornex::cli {
namespace {

struct Opcoes {
  std::vector<std::string> estabelecimentos;
  bool json = false;
};

bool PrefixoValido(std::string_view p) {
  if (p.size() != 2) return false;
  for (char ch : p)
    if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) return false;
  return true;
}

// "INSCRICAO/PREFIXO", the registration typed with or without its
// punctuation; without a prefix, "00".
ChaveEstabelecimento Chave(const std::string& texto) {
  std::string inscricao = texto, prefixo = "00";
  if (auto barra = texto.rfind('/'); barra != std::string::npos && PrefixoValido(texto.substr(barra + 1))) {
    inscricao = texto.substr(0, barra);
    prefixo = texto.substr(barra + 1);
  }
  std::string digitos;
  bool valido = true;
  for (char ch : Apara(inscricao)) {
    if (ch >= '0' && ch <= '9')
      digitos.push_back(ch);
    else
      valido = valido && (ch == '.' || ch == '/' || ch == '-');
  }
  if (!valido || digitos.empty() || digitos.size() > 14)
    throw ErroComando("estabelecimento inválido: " + texto + " (use INSCRICAO/PREFIXO)");
  return {"2004", InscricaoArmazenada(digitos), prefixo};
}

void Executa(const Opcoes& o, Contexto& ctx) {
  Conexao c = AbreDeclaracao(ctx);
  OpcoesConsistencia opcoes;
  opcoes.anoBase = "2004";
  if (!o.estabelecimentos.empty()) {
    std::vector<ChaveEstabelecimento> chaves;
    for (const auto& e : o.estabelecimentos) {
      auto k = Chave(e);
      if (!ComErroComando([&] { return BuscaEstabelecimento(c, k); }))
        throw ErroComando("estabelecimento não encontrado no ano-base 2004: " + e);
      chaves.push_back(std::move(k));
    }
    opcoes.selecao = std::move(chaves);
  }
  const int r = ComErroComando([&] { return VerificaConsistencia(c, opcoes); });
  ComErroComando([&] {
    if (o.json) {
      ctx.out << OcorrenciasJson(c, r).dump(2) << "\n";
    } else {
      ImprimeOcorrencias(c, ctx.out);
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
      "Verifica a consistência das declarações do ano-base 2004 e lista os erros, depois os avisos. "
      "Termina com 1 quando há erros, 0 quando há só avisos ou nada.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"verificar", "Verifica as inconsistências das declarações", Configura};

}  // namespace
}  // namespace vornex::cli
