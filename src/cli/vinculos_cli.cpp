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

namespace {

std::vector<std::string> Partes(const std::string& texto) {
  std::vector<std::string> p(1);
  for (char ch : texto) {
    if (ch == '/')
      p.emplace_back();
    else
      p.back() += ch;
  }
  return p;
}

// Reads PISPASEP/DDMMAAAA[/NOME] from the end of `p`, leaving in `n` the
// number of parts before it; false when they are not there. A name is read
// only when there are at least `partesComNome` parts.
bool LeVinculo(const std::vector<std::string>& p, std::size_t partesComNome, std::size_t& n, std::string& pis,
               std::string& admissao, std::string& nome) {
  n = p.size();
  // The name is whatever follows the admission date.
  if (n >= partesComNome && !Digitos(p[n - 1], 8)) nome = p[--n];
  if (n < 2) return false;
  admissao = p[n - 1];
  for (char ch : p[n - 2])
    if (ch != '.' && ch != '-') pis += ch;
  n -= 2;
  return Digitos(pis, 11) && Digitos(admissao, 8);
}

}  // namespace

ChaveVinculo ChaveVinculoDoArgumento(const std::string& texto) {
  const auto p = Partes(texto);
  ChaveVinculo v;
  std::size_t n = 0;
  if (!LeVinculo(p, 4, n, v.pis, v.admissao, v.nome) || n == 0)
    throw ErroComando("vínculo inválido: " + texto + " (use INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME])");
  std::string estabelecimento = p[0];
  for (std::size_t i = 1; i < n; ++i) estabelecimento += "/" + p[i];
  v.estabelecimento = ChaveDoArgumento(estabelecimento);
  return v;
}

VinculoEscolhido VinculoDoArgumento(const std::string& texto) {
  const auto p = Partes(texto);
  VinculoEscolhido v;
  std::string nome;
  std::size_t n = 0;
  if (!LeVinculo(p, 3, n, v.pis, v.admissao, nome) || n != 0)
    throw ErroComando("vínculo inválido: " + texto + " (use PISPASEP/DDMMAAAA[/NOME])");
  if (!nome.empty()) v.nome = nome;
  return v;
}

}  // namespace vornex::cli
