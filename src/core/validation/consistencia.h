#pragma once
// The whole-declaration consistency check: every field rule over the
// responsible record, the establishments and their links, plus what only the
// whole declaration shows (missing links, foreign workers, duplicated links,
// differing birth dates, missing pay). Findings go to the work table
// Te8ErrWa, one row per field, replaced by every pass.
#include <optional>
#include <vector>

#include "common/mensagem.h"
#include "common/passagem.h"
#include "data/declaracao.h"

namespace vornex {

class Conexao;
class Referencias;

// The tables checked: the user's own or the copies read from a file.
enum class OrigemConsistencia { Declaracao, Trabalho };

// Result bits of a pass.
inline constexpr int kConsistenciaAvisos = 1;
inline constexpr int kConsistenciaErros = 2;
inline constexpr int kConsistenciaInterrompida = 4;  // alone: the other bits are not set

struct OpcoesConsistencia {
  OrigemConsistencia origem = OrigemConsistencia::Declaracao;
  // Only these establishments (registration stored or as typed); all of
  // them when not given.
  std::optional<std::vector<ChaveEstabelecimento>> selecao;
  // Only establishments of this base year.
  std::optional<std::string> anoBase;
  bool verificaResponsavel = false;
  // Passed to CriticaEncerramento: files read from a medium must state
  // the closing date.
  bool encerramentoEstrito = false;
};

// "1700" when a pass over all establishments would find none to check (no
// establishment of the base year in the tables it reads); "0000" otherwise,
// and always with a selection given.
NuMensagem ConfereEstabelecimentosAVerificar(Conexao& c, const OpcoesConsistencia& opcoes);

// Runs one pass and answers the result bits. Findings of an interrupted pass
// stay in Te8ErrWa. Database errors propagate as ErroBanco.
int VerificaConsistencia(Conexao& c, const Referencias& ref, const OpcoesConsistencia& opcoes,
                         AcompanhamentoPassagem& acompanhamento = SemAcompanhamento());
// Loads the reference tables of the connection first.
int VerificaConsistencia(Conexao& c, const OpcoesConsistencia& opcoes,
                         AcompanhamentoPassagem& acompanhamento = SemAcompanhamento());

}  // namespace vornex
