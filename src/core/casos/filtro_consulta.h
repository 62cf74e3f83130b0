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

// The name condition of a consultation: the name begins with the typed
// text, or else with one of up to two letters; empty without either. Its
// parameters are :PNome, :PLetra1 and :PLetra2, set by DefineFiltroNome.
inline std::string FiltroNome(std::string_view coluna, std::string_view nome, std::string_view letras) {
  const std::string c(coluna);
  if (!nome.empty()) return "AND " + c + " LIKE :PNome ESCAPE '\\'\n";
  if (letras.empty()) return {};
  return letras.size() > 1 ? "AND (" + c + " LIKE :PLetra1 ESCAPE '\\' OR " + c + " LIKE :PLetra2 ESCAPE '\\')\n"
                           : "AND " + c + " LIKE :PLetra1 ESCAPE '\\'\n";
}

template <class Consulta>
void DefineFiltroNome(Consulta& q, std::string_view nome, std::string_view letras) {
  if (!nome.empty()) {
    q.defineTexto("PNome", ComecaCom(nome));
  } else if (!letras.empty()) {
    q.defineTexto("PLetra1", ComecaCom(letras.substr(0, 1)));
    if (letras.size() > 1) q.defineTexto("PLetra2", ComecaCom(letras.substr(1, 1)));
  }
}

}  // namespace vornex
