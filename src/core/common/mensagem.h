#pragma once
// Message numbers. Every finding, label, notice and confirmation is referred
// to by its four-digit number in the catalog; "0000" means no finding.
// Write numbers in code as "1234"_msg: the literal is checked at compile time
// and the catalog test finds every number the code uses by it.
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

namespace vornex {

class NuMensagem {
 public:
  constexpr NuMensagem() : c_{'0', '0', '0', '0', '\0'} {}
  // "X": a value longer than its field (CriticaNumerico); not in the catalog.
  static constexpr NuMensagem Excede() { return NuMensagem('X'); }
  // From stored text (Te8ErrWa, catalog rows); no checks.
  static NuMensagem De(std::string_view s) {
    NuMensagem m;
    std::size_t i = 0;
    for (; i < 4 && i < s.size(); ++i) m.c_[i] = s[i];
    m.c_[i] = '\0';
    return m;
  }

  constexpr std::string_view texto() const { return std::string_view(c_); }
  std::string str() const { return std::string(texto()); }
  constexpr bool ok() const { return texto() == "0000"; }
  constexpr operator std::string_view() const { return texto(); }

  friend constexpr bool operator==(const NuMensagem& a, const NuMensagem& b) {
    return a.texto() == b.texto();
  }
  friend constexpr bool operator==(const NuMensagem& a, std::string_view b) { return a.texto() == b; }
  friend constexpr bool operator==(const NuMensagem& a, const char* b) {
    return a.texto() == std::string_view(b);
  }
  friend std::ostream& operator<<(std::ostream& o, const NuMensagem& m) { return o << m.texto(); }

 private:
  friend consteval NuMensagem operator""_msg(const char* s, std::size_t n);
  constexpr explicit NuMensagem(char x) : c_{x, '\0', '\0', '\0', '\0'} {}
  char c_[5];
};

consteval NuMensagem operator""_msg(const char* s, std::size_t n) {
  if (n != 4) throw "a message number has four digits";
  NuMensagem m;
  for (std::size_t i = 0; i < 4; ++i) {
    if (s[i] < '0' || s[i] > '9') throw "a message number has only digits";
    m.c_[i] = s[i];
  }
  return m;
}

inline constexpr NuMensagem kSemOcorrencia{};  // "0000"

}  // namespace vornex
