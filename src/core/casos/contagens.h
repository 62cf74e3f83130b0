#pragma once
// The link counts an establishment row keeps (NuVinculosEstabelecimento,
// NuEstrangeirosEstabelec), always taken from the links themselves.
#include "data/declaracao.h"

namespace vornex {

class Conexao;

struct ContagemVinculos {
  long long vinculos = 0;
  long long estrangeiros = 0;  // nationality other than "10"
  bool gravada = false;        // false when the establishment row does not exist
};

// Counts the establishment's links and foreign links in Bd8vinc and writes
// both counts into its Bd8emp row (six and five digits, zero-padded). Runs
// inside the caller's transaction when there is one.
ContagemVinculos RecontaVinculos(Conexao& c, const ChaveEstabelecimento& chave);

}  // namespace vornex
