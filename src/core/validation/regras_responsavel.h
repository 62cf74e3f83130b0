#pragma once
// Field rules of the responsible person's identification (BD8Resp). Its
// address and contact use the rules of regras_endereco.h, its name
// CriticaRazaoSocial.
#include <string_view>

#include "common/mensagem.h"

namespace vornex {

// `inscricao` is left-padded with '0' to 14; `comprimentoDigitado` is the
// length the user typed (11 for a CPF). "0049" valid as CNPJ and CEI, "0051"
// CNPJ only, "0052" CEI only, "0056" a valid CPF: all taken as no finding,
// the screen then matches them with the typed length.
NuMensagem CriticaInscricaoResponsavel(std::string_view inscricao, int comprimentoDigitado);
NuMensagem CriticaTipoInscricaoResp(std::string_view tipo);

}  // namespace vornex
