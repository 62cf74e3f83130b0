#pragma once
// Establishments named on the command line as INSCRICAO/PREFIXO (`--estab`
// of verificar and gravar).
#include <optional>
#include <string>
#include <vector>

#include "data/declaracao.h"

namespace vornex {
class Conexao;
}

namespace vornex::cli {

// The registration with or without its punctuation, then "/" and the
// prefix; without a prefix, "00". Base year "2004". ErroComando when the
// text is no registration.
ChaveEstabelecimento ChaveDoArgumento(const std::string& texto);

// The keys of `argumentos`, each checked to exist; nullopt for none given
// (all establishments). ErroComando naming the first one missing.
std::optional<std::vector<ChaveEstabelecimento>> EstabelecimentosEscolhidos(Conexao& c,
                                                                            const std::vector<std::string>& argumentos);

}  // namespace vornex::cli
