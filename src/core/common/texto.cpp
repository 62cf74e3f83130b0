#include "common/texto.h"

namespace vornex {

std::string_view Apara(std::string_view s) {
  std::size_t i = 0, f = s.size();
  while (i < f && static_cast<unsigned char>(s[i]) <= 32) ++i;
  while (f > i && static_cast<unsigned char>(s[f - 1]) <= 32) --f;
  return s.substr(i, f - i);
}

namespace {

// Builds a display form from `s` with separators placed before the given
// 1-based positions; `s` must be long enough.
std::string Mascara(std::string_view s, std::initializer_list<std::pair<std::size_t, char>> seps) {
  std::string r;
  r.reserve(s.size() + seps.size());
  auto it = seps.begin();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (it != seps.end() && it->first == i + 1) r.push_back((it++)->second);
    r.push_back(s[i]);
  }
  return r;
}

std::string FormataInscricaoCom(std::string_view numero, std::string_view tipo, bool conheceCpf) {
  if (tipo == "1" && numero.size() >= 14)
    return Mascara(numero.substr(0, 14), {{3, '.'}, {6, '.'}, {9, '/'}, {13, '-'}});
  if (tipo == "3") {
    std::string n(numero);
    if (n.size() == 12) n = "00" + n;
    if (n.size() >= 14)
      return Mascara(std::string_view(n).substr(2, 12), {{3, '-'}, {6, '-'}, {8, '.'}, {11, '-'}, {12, '/'}});
  }
  if (conheceCpf && tipo == "4") {
    std::string n(numero);
    if (n.size() == 11) n = "000" + n;
    if (n.size() >= 14)
      return Mascara(std::string_view(n).substr(3, 11), {{4, '.'}, {7, '.'}, {10, '-'}});
  }
  return std::string(numero);
}

}  // namespace

std::string FormataInscricao(std::string_view numero, std::string_view tipo) {
  return FormataInscricaoCom(numero, tipo, false);
}

std::string FormataInscricaoProtocolo(std::string_view numero, std::string_view tipo) {
  return FormataInscricaoCom(numero, tipo, true);
}

}  // namespace vornex
