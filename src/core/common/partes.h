#pragma once
// Stored codes shown in pieces with their separators (CEP, CNAE, CPF, ...).
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "common/texto.h"

namespace vornex {

// Consecutive pieces of `s` of the sizes given, each followed by its
// separator ("12345678", {{5, "-"}, {3, ""}} -> "12345-678"); a short text
// gives short pieces; a blank text stays empty.
inline std::string FormataPartes(std::string_view s,
                                 std::initializer_list<std::pair<std::size_t, std::string_view>> partes) {
  if (Apara(s).empty()) return {};
  std::string r;
  std::size_t pos = 0;
  for (const auto& [n, sep] : partes) {
    if (pos < s.size()) r += s.substr(pos, n);
    pos += n;
    r += sep;
  }
  return r;
}

}  // namespace vornex
