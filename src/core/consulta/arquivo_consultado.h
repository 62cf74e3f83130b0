#pragma once
// What the viewer of an analysed file reads from the work tables the
// analysis filled: the responsible row, the establishments in key order and
// the links of one establishment.
#include <optional>
#include <string>
#include <vector>

#include "casos/listas.h"
#include "data/linha.h"

namespace vornex {

class Conexao;

std::optional<Linha> ResponsavelDoArquivo(Conexao& c);
std::vector<Linha> EstabelecimentosDoArquivo(Conexao& c);
// The links of `estabelecimento` (a Te8emp row) by PIS/PASEP or by name; an
// establishment without prefix lists only the links without prefix.
std::vector<Linha> VinculosDoArquivo(Conexao& c, const Linha& estabelecimento, OrdemVinculos ordem);

}  // namespace vornex
