#include "chaves.h"

#include <vector>

#include "comando.h"

namespace vornex::cli {

namespace {

std::vector<std::string> Partes(std::string_view texto) {
  std::vector<std::string> p(1);
  for (char ch : texto) {
    if (ch == '/')
      p.emplace_back();
    else
      p.back() += ch;
  }
  return p;
}

bool Digitos(std::string_view s, std::size_t n) {
  if (s.size() != n) return false;
  for (char ch : s)
    if (ch < '0' || ch > '9') return false;
  return true;
}

std::string SemPontuacao(std::string_view s) {
  std::string r;
  for (char ch : s)
    if (ch != '.' && ch != '-' && ch != ' ') r += ch;
  return r;
}

[[noreturn]] void Invalido(std::string_view opcao, std::string_view texto, std::string_view esperado) {
  throw ErroComando("valor inválido para " + std::string(opcao) + ": \"" + std::string(texto) + "\" (esperado " +
                    std::string(esperado) + ")");
}

// Takes the registration (rejoining one written with its '/') and the
// prefix from the front of `p`; answers how many parts were used.
std::size_t Estabelecimento(const std::vector<std::string>& p, std::string_view anBase, ChaveEstabelecimento& k,
                            std::string_view opcao, std::string_view texto, std::string_view esperado) {
  std::size_t i = 1;
  std::string inscricao = p[0];
  // A formatted CNPJ or CEI has a '/' of its own before its last digits.
  if (p.size() > 2 && inscricao.find_first_of(".-") != std::string::npos && p[1].size() != 2)
    inscricao += p[i++];
  inscricao = SemPontuacao(inscricao);
  if (inscricao.empty() || inscricao.size() > 14 || !Digitos(inscricao, inscricao.size()) || i >= p.size())
    Invalido(opcao, texto, esperado);
  const std::string& prefixo = p[i++];
  if (prefixo.size() != 2) Invalido(opcao, texto, esperado);
  k = {std::string(anBase), InscricaoArmazenada(inscricao), prefixo};
  return i;
}

}  // namespace

ChaveEstabelecimento LeChaveEstabelecimento(std::string_view texto, std::string_view anBase) {
  constexpr std::string_view esperado = "INSCRICAO/PREFIXO";
  const auto p = Partes(texto);
  ChaveEstabelecimento k;
  if (Estabelecimento(p, anBase, k, "--estab", texto, esperado) != p.size()) Invalido("--estab", texto, esperado);
  return k;
}

ChaveVinculo LeChaveVinculo(std::string_view texto, std::string_view anBase) {
  constexpr std::string_view esperado = "INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME]";
  const auto p = Partes(texto);
  ChaveVinculo v;
  std::size_t i = Estabelecimento(p, anBase, v.estabelecimento, "--vinculo", texto, esperado);
  if (p.size() - i < 2 || p.size() - i > 3) Invalido("--vinculo", texto, esperado);
  v.pis = SemPontuacao(p[i++]);
  v.admissao = p[i++];
  if (i < p.size()) v.nome = p[i];
  if (!Digitos(v.pis, 11) || !Digitos(v.admissao, 8)) Invalido("--vinculo", texto, esperado);
  return v;
}

}  // namespace vornex::cli
