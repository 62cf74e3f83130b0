#pragma once
// The keys the check lists and grids carry in their items.
#include <QMetaType>

#include "casos/listas.h"
#include "data/declaracao.h"

Q_DECLARE_METATYPE(vornex::ChaveEstabelecimento)
Q_DECLARE_METATYPE(vornex::ChaveVinculo)
