#pragma once
// The checks an establishment passes before it is written: which rules, on
// which fields, in which order, and which answers are only warnings. The
// establishment screen runs a field's checks when the field is left and all
// of them again on confirmation; the command line runs them before it writes.
// Both read this one list.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "data/linha.h"

namespace vornex {

class Referencias;

// The answer of one rule, and the column that gets the focus when it is not
// the field's own (the municipality's check points at the CEP).
struct Achado {
  NuMensagem mensagem;
  const char* foco = nullptr;
};

struct PassoChecagem {
  // The rule; it may write the normalised value back (trimmed text, number
  // padded with zeros, municipality name and state looked up).
  Achado (*regra)(Linha& estab, const Referencias& ref);
  const char* foco;  // column focused on failure, unless the answer names another
  // Answers that pass: shown as a warning when the field is left, silent on
  // confirmation. `todasAvisos`: every answer of this rule is a warning.
  NuMensagem aviso = kSemOcorrencia;
  bool todasAvisos = false;
  // The warning keeps the focus in the field when the field is left.
  bool avisoRetemFoco = false;

  bool aceita(NuMensagem m) const { return m.ok() || todasAvisos || (!aviso.ok() && m == aviso); }
};

struct ChecagemCampo {
  const char* campo;        // the column the user leaves
  bool mesmoVazio = false;  // checked on leaving even when blank
  std::vector<PassoChecagem> passos;
};

// The confirmation's checks in their order. The linked CEI is read from
// CoCgcVinculado as typed (12 digits) or stored (14).
const std::vector<ChecagemCampo>& ChecagensEstabelecimento();
// The checks of one field; nullptr for a field without checks.
const ChecagemCampo* ChecagemDe(std::string_view campo);

struct FalhaChecagem {
  std::string campo;  // the field whose check failed
  std::string foco;   // the column to focus
  NuMensagem mensagem;
  bool retemFoco = false;  // a warning that keeps the focus in the field left
};

// What a run of checks found: the failures (errors) and the warnings passed.
struct ResultadoChecagem {
  std::vector<FalhaChecagem> falhas;
  std::vector<FalhaChecagem> avisos;
  bool ok() const { return falhas.empty(); }
};

enum class ModoChecagem {
  PrimeiraFalha,  // stop at the first error (the screen)
  TodosOsCampos,  // the first error of every field (the command line)
};

// Runs the checks of `campos` (all of them, in order, when empty) on `estab`,
// writing the normalised values back into it.
ResultadoChecagem ChecaCampos(Linha& estab, const Referencias& ref, ModoChecagem modo,
                              std::span<const ChecagemCampo* const> campos = {});
// One field's checks as the screen runs them when the field is left: blank
// fields are skipped unless the field says otherwise.
ResultadoChecagem ChecaSaidaCampo(Linha& estab, const Referencias& ref, std::string_view campo);

// Everything the confirmation checks, in order: the field list, then the
// declaration type against the registration type and the linked CEI.
ResultadoChecagem ChecaConfirmacao(Linha& estab, const Referencias& ref, ModoChecagem modo);

// The identification checks of the new-declaration screen, in order, on a
// row whose registration type is set: the registration against its type,
// the declaration type, the prefix (blank becomes "00"), the linked CEI, the
// name and the company-use text.
ResultadoChecagem ChecaIdentificacao(Linha& estab, const Referencias& ref, ModoChecagem modo);

// The linked CEI as stored: 14 characters, "00000000000000" when blank.
std::string CeiVinculadoArmazenado(std::string_view cei);

}  // namespace vornex
