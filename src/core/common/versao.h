#pragma once
#include <string_view>

namespace vornex {

// Base year of the declaration and the program's version text.
inline constexpr int AnoBaseDeclaracao = 2004;
inline constexpr std::string_view AnoBase = "2004";
inline constexpr std::string_view VersaoSistema = "2004.1";

}  // namespace vornex
