#pragma once
// An establishment named on the command line: "INSCRICAO/PREFIXO", the
// registration with or without its punctuation; without a prefix, "00".
#include <string>

#include "data/declaracao.h"

namespace vornex::cli {

// Base year "2004". Throws ErroComando on a malformed text.
ChaveEstabelecimento LeChaveEstabelecimento(const std::string& texto);

}  // namespace vornex::cli
