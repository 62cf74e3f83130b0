#pragma once
// The work tables of the passes, all in the work file (trabalho.db):
//   Te8ErrWa  findings of the consistency check
//   Te8stru   the first structural error of an analysis
//   TE8Imp    accounting of an import
//   te8ProID, te8ProES  what each volume of a writing run holds
//   Te8resp, Te8emp, Te8vinc  a declaration read from a file (or prepared
//             for rectification), column-for-column copies of BD8Resp,
//             Bd8emp and Bd8vinc.
// Each pass creates its tables afresh (an existing one is replaced) and may
// drop them; nothing here is kept between runs of the program.
#include <string_view>

#include "data/tabelas.h"

namespace vornex {

class Conexao;

inline constexpr const char* kTabelaErros = "Te8ErrWa";
inline constexpr const char* kTabelaEstrutura = "Te8stru";
inline constexpr const char* kTabelaImportacao = "TE8Imp";
inline constexpr const char* kTabelaProtocoloId = "te8ProID";
inline constexpr const char* kTabelaProtocoloEs = "te8ProES";
inline constexpr const char* kTrabalhoResponsavel = "Te8resp";
inline constexpr const char* kTrabalhoEstabelecimento = "Te8emp";
inline constexpr const char* kTrabalhoVinculo = "Te8vinc";

// Te8ErrWa, Te8stru, TE8Imp, te8ProID, te8ProES; nullptr for any other name
// (case-insensitive).
const DefinicaoTabela* DefinicaoTrabalho(std::string_view nome);

// Any of the work tables above (case-insensitive): such a name is looked
// up in the work file only.
bool TabelaDeTrabalho(std::string_view nome);

// Drops the work table when it exists and creates it empty.
void RecriaTabelaTrabalho(Conexao& c, std::string_view nome);

// Te8resp (no index), Te8emp (the keys of Bd8emp) and Te8vinc (primary index
// "Te8vinc" on the full link key), replacing existing ones.
void RecriaCopiasDeclaracao(Conexao& c);
void ExcluiCopiasDeclaracao(Conexao& c);

}  // namespace vornex
