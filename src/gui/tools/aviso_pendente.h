#pragma once
// The pending-operation notice of the screens that choose an establishment.
#include "data/declaracao.h"

namespace vornex::gui {

class TdmVornex;

// Reads and clears the establishment's pending-operation code and, when one
// was left behind, shows its notice headed by the establishment.
void AvisaOperacaoPendente(TdmVornex& dm, const ChaveEstabelecimento& chave);

}  // namespace vornex::gui
