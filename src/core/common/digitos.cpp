#include "common/digitos.h"

#include <array>

namespace vornex {

namespace {

bool SoDigitosDe(std::string_view s, std::size_t n) {
  if (s.size() != n) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

int Valor(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

// Weights 2, 3, ..., limite from the rightmost digit leftwards, then again from 2.
int SomaPesos(std::string_view digitos, int limite) {
  int soma = 0, peso = 2;
  for (auto it = digitos.rbegin(); it != digitos.rend(); ++it) {
    soma += Valor(*it) * peso;
    peso = peso == limite ? 2 : peso + 1;
  }
  return soma;
}

}  // namespace

int SomaPesos9(std::string_view digitos) { return SomaPesos(digitos, 9); }
int SomaPesos11(std::string_view digitos) { return SomaPesos(digitos, 11); }

int DvModulo11(int soma) {
  int r = soma % 11;
  return r <= 1 ? 0 : 11 - r;
}

int DvPis(int soma) {
  int r = soma % 11;
  if (r == 0) return 0;
  if (r == 1) return 10;
  return 11 - r;
}

char DigitoChar(int dv) { return dv >= 0 && dv <= 9 ? static_cast<char>('0' + dv) : 'X'; }

char DvCei(std::string_view d) {
  static constexpr std::array<int, 11> pesos{7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
  int s = 0;
  for (std::size_t i = 0; i < pesos.size() && i < d.size(); ++i) s += Valor(d[i]) * pesos[i];
  s %= 100;
  int t = (s / 10 + s % 10) % 10;
  return DigitoChar((10 - t) % 10);
}

// Inputs that are not digit texts of the stated length never pass.

bool CnpjValido(std::string_view n) {
  if (!SoDigitosDe(n, 14)) return false;
  if (n.substr(8, 4) == "0000") return false;
  if (DigitoChar(DvModulo11(SomaPesos9(n.substr(0, 12)))) != n[12]) return false;
  return DigitoChar(DvModulo11(SomaPesos9(n.substr(0, 13)))) == n[13];
}

bool CeiValido(std::string_view n) {
  if (!SoDigitosDe(n, 14)) return false;
  if (n[0] != '0' || n[1] != '0') return false;
  if (n.substr(2, 4) == "0000") return false;
  return DvCei(n.substr(2, 11)) == n[13];
}

bool CpfValido(std::string_view n) {
  if (!SoDigitosDe(n, 11)) return false;
  if (DigitoChar(DvModulo11(SomaPesos11(n.substr(0, 9)))) != n[9]) return false;
  return DigitoChar(DvModulo11(SomaPesos11(n.substr(0, 10)))) == n[10];
}

bool PisValido(std::string_view n) {
  if (!SoDigitosDe(n, 11)) return false;
  if (n[0] != '1' && n[0] != '2') return false;
  if (DigitoChar(DvPis(SomaPesos9(n.substr(0, 10)))) != n[10]) return false;
  // Numbers whose digits pass but that are known not to be real.
  return n != "12345678900" && n != "10987654321" && n != "10000000008";
}

}  // namespace vornex
