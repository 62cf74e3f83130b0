#pragma once
// The "begins with" searches of the consultations.
#include <string>
#include <string_view>

namespace vornex {

// LIKE pattern (with ESCAPE '\') for "begins with": the typed text's own
// wildcards are literal.
inline std::string ComecaCom(std::string_view texto) {
  std::string r;
  for (char ch : texto) {
    if (ch == '%' || ch == '_' || ch == '\\') r.push_back('\\');
    r.push_back(ch);
  }
  r.push_back('%');
  return r;
}

}  // namespace vornex
