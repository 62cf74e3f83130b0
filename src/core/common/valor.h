#pragma once
// Money as the screens show it, "###,##0.00" with '.' thousands and ','
// decimals, and as the tables store it: nine digits of centavos.
#include <string>
#include <string_view>

#include "common/mensagem.h"

namespace vornex {

inline constexpr int kDigitosValor = 9;

// "000123456" -> "1.234,56"; "5" -> "0,05"; an empty (not informed) value
// stays empty. `milhar` false leaves out the thousands points, as a box
// being edited shows it. Anything but digits is shown unchanged.
std::string ValorExibido(std::string_view centavos, bool milhar = true);

struct ValorDigitado {
  NuMensagem critica;     // "0000"; "0040" not an amount; "0315" more than nine digits
  std::string centavos;   // nine digits when accepted; empty when nothing was typed
};

// What a money box holds: digits with at most one ',' and up to two
// decimals; '.' only as thousands points in their places ("1.234,5"), so
// that "1.5" is refused rather than read as fifteen.
ValorDigitado LeValorDigitado(std::string_view texto);

}  // namespace vornex
