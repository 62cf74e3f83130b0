#pragma once
// Establishments and links named on the command line:
//   INSCRICAO/PREFIXO                     (--estab)
//   INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME]   (--vinculo)
// The registration may keep its punctuation ("11.222.333/0001-81"); a
// 12-digit CEI is taken with "00" in front, as it is stored.
#include <string>
#include <string_view>

#include "data/declaracao.h"

namespace vornex::cli {

// Both throw ErroComando naming the option and the text.
ChaveEstabelecimento LeChaveEstabelecimento(std::string_view texto, std::string_view anBase = "2004");

struct ChaveVinculo {
  ChaveEstabelecimento estabelecimento;
  std::string pis;       // 11 digits
  std::string admissao;  // ddmmyyyy
  std::string nome;      // may be empty
};
ChaveVinculo LeChaveVinculo(std::string_view texto, std::string_view anBase = "2004");

}  // namespace vornex::cli
