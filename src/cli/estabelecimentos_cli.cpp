#include "estabelecimentos_cli.h"

#include "comando.h"
#include "common/texto.h"
#include "common/versao.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

bool PrefixoValido(std::string_view p) {
  if (p.size() != 2) return false;
  for (char ch : p)
    if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) return false;
  return true;
}

}  // namespace

ChaveEstabelecimento ChaveDoArgumento(const std::string& texto) {
  std::string inscricao = texto, prefixo = "00";
  // A CNPJ typed with its own "/" keeps it: only a valid prefix is split off.
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
  return {std::string(AnoBase), InscricaoArmazenada(digitos), prefixo};
}

std::optional<std::vector<ChaveEstabelecimento>> EstabelecimentosEscolhidos(Conexao& c,
                                                                            const std::vector<std::string>& argumentos) {
  if (argumentos.empty()) return std::nullopt;
  std::vector<ChaveEstabelecimento> chaves;
  for (const auto& a : argumentos) {
    auto k = ChaveDoArgumento(a);
    if (!ComErroComando([&] { return BuscaEstabelecimento(c, k); }))
      throw ErroComando("estabelecimento não encontrado no ano-base 2004: " + a);
    chaves.push_back(std::move(k));
  }
  return chaves;
}

}  // namespace vornex::cli
