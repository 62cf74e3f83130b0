#pragma once
// What an establishment registration typed into a screen is: a CNPJ (type
// "1") or a CEI (type "3"). Twelve digits are checked with "00" in front,
// as a CEI is stored.
#include <string>
#include <string_view>

#include "common/mensagem.h"

namespace vornex {

inline constexpr const char* kTipoCnpj = "1";
inline constexpr const char* kTipoCei = "3";

// A number valid both ways: the new-declaration screen decides by the
// number of digits typed (and refuses a CNPJ-only number not typed with 14
// digits, a CEI-only one not typed with 12); the other screens ask the user.
enum class DesempateInscricao { PeloTamanho, Pergunta };

struct InscricaoDigitada {
  NuMensagem critica;     // "0000" or the finding to show
  std::string inscricao;  // 14 characters, left-padded with '0'
  std::string tipo;       // "1" or "3"; empty when refused, or valid both ways under Pergunta
};

InscricaoDigitada AnalisaInscricao(std::string_view digitada, DesempateInscricao desempate);

// "CNPJ", "CEI" or empty, as the type box beside a registration shows it.
std::string NomeTipoInscricao(std::string_view tipo);

}  // namespace vornex
