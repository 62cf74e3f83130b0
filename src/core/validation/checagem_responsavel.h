#pragma once
// The responsible person's checks, kept as one ordered list: the field each
// belongs to, the rules it runs, which answers only warn and where the focus
// goes. The responsible screen runs a field's checks when the field is left
// and the confirmation's list on Ok; the command line and the writer run the
// same list over the stored BD8Resp (or Te8resp) row. Each rule writes the
// normalised value back (trimmed text, municipality name and state).
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "data/linha.h"
#include "validation/referencias.h"

namespace vornex {

// The registration as the user typed it (digits only), judged by the typed
// length: 14 a CNPJ, 12 a CEI, 11 a CPF. A number valid both as CNPJ and as
// CEI is a CNPJ typed with 14 digits and a CEI typed with 12; with any other
// length it is refused ("1003"), so that nothing is kept that the row does
// not hold.
struct InscricaoResponsavel {
  NuMensagem mensagem;     // "0000" when accepted
  std::string tipo;        // "1" CNPJ, "3" CEI, "4" CPF; empty when refused
  std::string armazenada;  // left-padded with '0' to 14
};
InscricaoResponsavel AnalisaInscricaoResponsavel(std::string_view digitada);

// "CNPJ", "CEI" or "CPF" for a stored type; empty otherwise.
std::string_view NomeTipoInscricaoResp(std::string_view tipo);
// The stored registration as the user typed it: CNPJ whole, CEI without its
// first two zeros, CPF without its first three; empty when blank.
std::string InscricaoRespDigitada(std::string_view armazenada, std::string_view tipo);

struct FalhaResponsavel {
  NuMensagem mensagem;     // "0000" when the row passes every check
  std::string_view campo;  // the column of the field whose check answered; empty when none did
  std::string_view foco;   // the column to focus (the DDD for the telephone pair, the CEP for the municipality)
};

struct ResultadoResponsavel {
  std::vector<FalhaResponsavel> falhas;  // errors, one per field at most
  std::vector<FalhaResponsavel> avisos;  // warnings shown on leaving a field
  bool ok() const { return falhas.empty(); }
};

// The columns of the fields that have checks, in the confirmation's order,
// then those checked only on leaving (the DDD).
std::vector<std::string_view> CamposResponsavel();

// The confirmation's checks in order: registration (by its stored type),
// name, telephone, street, number, complement, district, CEP, municipality,
// e-mail. `todosOsCampos`: the first error of every field; otherwise stop at
// the first error.
ResultadoResponsavel ChecaResponsavel(Linha& responsavel, const Referencias& ref, bool todosOsCampos);
// One field's checks as its exit runs them; blank fields are skipped unless
// that field is checked even when blank. `paraAvancar`: the focus is going
// to the assistant's forward button (the DDD's state check is skipped).
ResultadoResponsavel ChecaSaidaResponsavel(Linha& responsavel, const Referencias& ref, std::string_view campo,
                                           bool paraAvancar = false);
// What the confirmation stores after its checks: the number padded to 6, the
// telephone trimmed.
void CompletaResponsavel(Linha& responsavel);

// The first finding of the confirmation's checks and its field.
FalhaResponsavel ConfereResponsavel(const Linha& responsavel, const Referencias& ref);
// The first finding, "0000" when the row passes every check.
NuMensagem VerificaResponsavel(const Linha& responsavel, const Referencias& ref);

}  // namespace vornex
