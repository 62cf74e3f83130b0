#include "vinculos_cli.h"

#include <vector>

#include "comando.h"
#include "estabelecimentos_cli.h"

namespace vornex::cli {

namespace {

bool Digitos(std::string_view s, std::size_t n) {
  if (s.size() != n) return false;
  for (char ch : s)
    if (ch < '0' || ch > '9') return false;
  return true;
}

}  // namespace

std::string PisDoArgumento(std::string_view texto) {
  std::string pis;
  for (char ch : texto)
    if (ch != '.' && ch != '-') pis += ch;
  return pis;
}

ChaveVinculo ChaveVinculoDoArgumento(const std::string& texto) {
  std::vector<std::string> p(1);
  for (char ch : texto) {
    if (ch == '/')
      p.emplace_back();
    else
      p.back() += ch;
  }
  ChaveVinculo v;
  std::size_t n = p.size();
  // Read from the end: the name is whatever follows the admission date.
  if (n >= 4 && !Digitos(p[n - 1], 8)) v.nome = p[--n];
  if (n >= 3) {
    v.admissao = p[n - 1];
    v.pis = PisDoArgumento(p[n - 2]);
  }
  if (n < 3 || !Digitos(v.pis, 11) || !Digitos(v.admissao, 8))
    throw ErroComando("vínculo inválido: " + texto + " (use INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME])");
  std::string estabelecimento = p[0];
  for (std::size_t i = 1; i + 2 < n; ++i) estabelecimento += "/" + p[i];
  v.estabelecimento = ChaveDoArgumento(estabelecimento);
  return v;
}

}  // namespace vornex::cli
