#include "reports/intervalos.h"

namespace vornex::relatorio {

namespace {
constexpr std::size_t kDigitosMaximos = 9;  // keeps every page number within int
bool Digito(char c) { return c >= '0' && c <= '9'; }
}  // namespace

std::optional<std::vector<IntervaloPaginas>> ValidaIntervalos(std::string_view texto) {
  if (texto.empty()) return std::nullopt;
  std::vector<IntervaloPaginas> intervalos;
  // Each item: digits, optionally '-' and digits; items joined by single ';'.
  std::size_t i = 0;
  auto numero = [&]() -> std::optional<int> {
    const std::size_t inicio = i;
    int n = 0;
    while (i < texto.size() && Digito(texto[i])) n = n * 10 + (texto[i++] - '0');
    if (i == inicio || i - inicio > kDigitosMaximos) return std::nullopt;
    return n;
  };
  while (true) {
    const auto primeira = numero();
    if (!primeira) return std::nullopt;
    IntervaloPaginas item{*primeira, *primeira};
    if (i < texto.size() && texto[i] == '-') {
      ++i;
      const auto ultima = numero();
      if (!ultima) return std::nullopt;
      item.ultima = *ultima;
    }
    if (item.primeira < 1 || item.ultima < item.primeira) return std::nullopt;
    intervalos.push_back(item);
    if (i == texto.size()) return intervalos;
    if (texto[i] != ';') return std::nullopt;
    ++i;
  }
}

std::optional<int> ValidaCopias(std::string_view texto) {
  if (texto.empty() || texto.size() > 4) return std::nullopt;
  int n = 0;
  for (char c : texto) {
    if (!Digito(c)) return std::nullopt;
    n = n * 10 + (c - '0');
  }
  if (n < 1) return std::nullopt;
  return n;
}

}  // namespace vornex::relatorio
