#pragma once
// The responsible person's checks as a whole, in the order the confirmation
// of the responsible screen runs them, over the stored BD8Resp (or Te8resp)
// row: registration with its type, name, telephone, street, number,
// complement, district, CEP, municipality, e-mail. Used where no screen can
// show each field's finding as it is left (the command line, the writer's
// assistant before the consistency check).
#include <string_view>

#include "common/mensagem.h"
#include "data/linha.h"
#include "validation/referencias.h"

namespace vornex {

struct FalhaResponsavel {
  NuMensagem mensagem;    // "0000" when the row passes every check
  std::string_view campo;  // the BD8Resp column of the failing field; empty when none failed
};

// The first finding and the field it concerns.
FalhaResponsavel ConfereResponsavel(const Linha& responsavel, const Referencias& ref);
// The first finding, "0000" when the row passes every check.
NuMensagem VerificaResponsavel(const Linha& responsavel, const Referencias& ref);

}  // namespace vornex
