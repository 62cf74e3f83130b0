#pragma once
// Verification of the data folder at start-up and rebuilding of indexes,
// both from start-up (missing indexes, silently) and from the "Indexar
// Arquivos" command (all nineteen, one step at a time).
//
// An index is rebuilt with the table's data held exclusively: the whole data
// folder is locked for writing (BEGIN EXCLUSIVE over the three files), so
// another running copy of the program makes the rebuild fail with the
// engine's "Table is busy" text.
#include <filesystem>
#include <span>
#include <string_view>

#include "common/catalogo.h"
#include "data/banco.h"
#include "data/tabelas.h"

namespace vornex {

// What start-up shows when VerificaArquivosDados answers false.
inline constexpr const char* kTextoFaltamArquivos =
    "Faltam arquivos para execução do sistema. Instale novamente o VORNEX.";

// True when the twenty required tables exist in the data folder (files and
// tables); a missing one answers false at once and nothing is repaired. Then
// every one of the nineteen indexes that is missing is rebuilt with
// RecriaIndice; its failures show their own messages and do not change the
// answer. A failure while the index is being added (duplicate keys) is
// thrown, not swallowed.
bool VerificaArquivosDados(const std::filesystem::path& pasta, Dialogos& dialogos);

// Rebuilds one index: `arquivoIndice` is "TABELA.EXT" (the table is the part
// before the dot), `campos` "A;B;C". True when rebuilt. The messages of a
// missing dot and of a table held by another program are shown through
// `dialogos`, with false as the answer; the failure to add the index itself
// is thrown.
bool RecriaIndice(Conexao& c, Dialogos& dialogos, std::string_view arquivoIndice, std::string_view nomeIndice,
                  std::string_view campos, OpcoesIndice opcoes);

// --- the re-index sequence -----------------------------------------------------

struct PassoIndexacao {
  int numero;                      // 1 .. 19
  std::string_view arquivoIndice;  // as the step names it ("TB8Raca.PX")
  std::string_view conjunto;       // table whose dataset is closed around the step; empty: none
  bool reabre;                     // false: nothing to reopen (step 3) or left closed (16, 17)
};
std::span<const PassoIndexacao> PassosIndexacao();

// What a front end implements to follow the run: close and reopen its own
// cursors over a step's table, and show progress on a scale of the steps.
class ProgressoIndexacao {
 public:
  virtual ~ProgressoIndexacao() = default;
  virtual void inicia(int /*totalPassos*/) {}
  virtual void fechaConjunto(const PassoIndexacao&) {}
  virtual void reabreConjunto(const PassoIndexacao&) {}
  // The step is done: progress reaches its number.
  virtual void avanca(const PassoIndexacao&) {}
  // The run is over (before the closing message on success, after the
  // failed step's dataset was reopened otherwise).
  virtual void termina(bool /*sucesso*/) {}
};

struct ResultadoIndexacao {
  bool sucesso = false;
  int passoFalho = 0;  // the step whose RecriaIndice answered false
};

// Runs the nineteen steps in order. A step that answers false shows "Arquivos
// com problemas. Reinstale novamente o sistema VORNEX2004." and stops the run
// (the steps before it stay done); after the last one "Arquivos indexados com
// sucesso." is shown.
inline constexpr const char* kTextoArquivosComProblemas =
    "Arquivos com problemas. Reinstale novamente o sistema VORNEX2004.";

ResultadoIndexacao IndexaArquivos(Conexao& c, Dialogos& dialogos, ProgressoIndexacao& progresso);

}  // namespace vornex
