#pragma once
// The page ranges a user types to print part of a report: numbers and
// intervals separated by ';' ("1;3;5-12;4"), printed in the order typed.
#include <optional>
#include <string_view>
#include <vector>

namespace vornex::relatorio {

struct IntervaloPaginas {
  int primeira = 0;
  int ultima = 0;  // (0, 0): every page
  bool operator==(const IntervaloPaginas&) const = default;
};

inline constexpr std::string_view kIntervaloInvalido = "Este não é um intervalo válido para impressão.";
inline constexpr std::string_view kCopiasInvalidas = "Este não é um número válido.";
// Shown when a range runs past the report's last page; the next range is printed.
inline constexpr std::string_view kPaginaNaoExiste = " Página não existe, impressão suspensa. ";

// The ranges in typed order; nothing when the text is not a valid list (an
// empty item, a '-' without a number on either side or twice in one item, a
// page 0, a range that runs backwards, any other character, a page number
// past 9 digits).
std::optional<std::vector<IntervaloPaginas>> ValidaIntervalos(std::string_view texto);

// A typed copy count: an integer from 1 to 9999 (0 would print nothing and
// say nothing, so it is refused like any other non-count).
std::optional<int> ValidaCopias(std::string_view texto);

}  // namespace vornex::relatorio
