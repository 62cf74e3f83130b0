#pragma once
// Rules on the dates of the declaration itself (responsible record): the
// file is generated, and an earlier delivery rectified, during 2005.
#include <string_view>

#include "common/mensagem.h"

namespace vornex {

NuMensagem CriticaDaGeracao(std::string_view data);
NuMensagem CriticaDaRetificacao(bool retificacao, std::string_view data);

}  // namespace vornex
