#include "chave_cli.h"

#include "comando.h"
#include "common/texto.h"
#include "common/versao.h"

namespace vornex::cli {

namespace {

bool PrefixoValido(std::string_view p) {
  if (p.size() != 2) return false;
  for (char ch : p)
    if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z'))) return false;
  return true;
}

}  // namespace

ChaveEstabelecimento LeChaveEstabelecimento(const std::string& texto) {
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
  return {std::string(AnoBase), InscricaoArmazenada(digitos), prefixo};
}

}  // namespace vornex::cli
