#pragma once
// The item texts of the establishment and link check lists of the import,
// writing and rectification assistants.
#include <string>
#include <string_view>

namespace vornex {

// Formatted inscription padded to 18, two blanks, prefix, two blanks, name
// padded or cut to 30, two blanks, link count.
std::string TextoItemEstabelecimento(std::string_view inscricao, std::string_view tipo, std::string_view prefixo,
                                     std::string_view nome, std::string_view vinculos);
// Formatted PIS/PASEP, two blanks, formatted admission date, two blanks, name.
std::string TextoItemVinculo(std::string_view pis, std::string_view admissao, std::string_view nome);

}  // namespace vornex
