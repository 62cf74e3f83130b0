#pragma once
// The responsible person's use cases: reading the single BD8Resp row for the
// screen (blank when there is none yet) and writing it after every check of
// the responsible screen's confirmation, in one transaction.
#include <optional>
#include <string>

#include "data/linha.h"
#include "validation/checagem_responsavel.h"

namespace vornex {

class Conexao;
class Referencias;

// The row as stored, or a blank one when the table is still empty; nothing
// is written.
Linha LeResponsavelOuVazio(Conexao& c);

struct PedidoGravaResponsavel {
  Linha responsavel;  // every column of BD8Resp, as edited
  // The registration as typed (digits only): when set, its type comes from
  // the typed length and it replaces CoCgcCeiResponsavel/InInscrResponsavel.
  std::optional<std::string> inscricaoDigitada;
  bool todosOsCampos = true;  // every field's first error; false: stop at the first
};

struct ResultadoGravaResponsavel {
  ResultadoResponsavel checagem;  // nothing written unless ok()
  Linha responsavel;              // the row as checked (and written), normalised
  bool gravado() const { return checagem.ok(); }
};

// Checks and, when nothing failed, writes the row (creating it when the
// table is empty). Database errors propagate (ErroBanco).
ResultadoGravaResponsavel GravaResponsavel(Conexao& c, const Referencias& ref, const PedidoGravaResponsavel& pedido);

// The notes the user chose not to see again ("Não mostrar este quadro
// novamente"), kept as logical columns of BD8Resp.
inline constexpr const char* kDicaInicio = "InDicas";
inline constexpr const char* kDicaSemEmpregados = "InDicasSemEmpregados";
// An empty value, or no row yet, counts as not dispensed.
bool DicaDispensada(Conexao& c, const char* coluna);
// Saves the choice, creating the single row when the table is still empty.
void DispensaDica(Conexao& c, const char* coluna, bool dispensada);

}  // namespace vornex
