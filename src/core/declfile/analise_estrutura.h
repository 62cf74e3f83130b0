#pragma once
// The structure analyser: reads a declaration file record by record, checks
// its physical structure against the record layout, stops at the first
// structural error (written to Te8stru) and loads the records into the work
// tables Te8resp, Te8emp and Te8vinc for the passes that follow (consistency
// check, re-recording, import, viewer).
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/pasta_dados.h"
#include "declfile/texto_estrutura.h"

namespace vornex {

class AcompanhamentoPassagem;
class Conexao;
class Dialogos;

// Result bits of an analysis; only one is set (errors take precedence over
// an interruption, an interruption over the rectification mark).
inline constexpr int kAnaliseErros = 1;
inline constexpr int kAnaliseInterrompida = 4;
inline constexpr int kAnaliseRetificacao = 8;

// The private copy of the analysed file, in the data folder.
inline constexpr const char* kCopiaAnalise = kArquivoCopiaAnalise;

class TAnaliseEstrutura {
 public:
  // The work tables live in `conexao`'s files and the copy in its folder.
  // `dialogos` shows the copy-failure warning and confirms an interruption
  // requested through InterrompeAnalise; without it neither is asked.
  explicit TAnaliseEstrutura(Conexao& conexao, Dialogos* dialogos = nullptr);
  ~TAnaliseEstrutura();
  TAnaliseEstrutura(const TAnaliseEstrutura&) = delete;
  TAnaliseEstrutura& operator=(const TAnaliseEstrutura&) = delete;

  // True: read with the previous base year's layout (2003). Set by the
  // import before each analysis.
  bool AnteriorAtual = false;

  // Analyses `arquivo` for base year `ano` (2004). With `modoValor`, links of
  // an establishment whose base year is not `ano` load without pay data.
  // Answers the result bits and the establishments and links loaded. After
  // errors or an interruption the work tables are gone; Te8stru holds the
  // first error until the next analysis. Database failures throw.
  int AnalisaArquivo(const std::filesystem::path& arquivo, int ano, bool modoValor,
                     AcompanhamentoPassagem& acompanhamento, long& estabelecimentos, long& vinculos);

  // The user's cancel button: the analysis stops at the next record, after
  // ConfirmaInterrupcao when there are dialogs (No resumes it).
  void InterrompeAnalise();

  // The warning of the last analysis when the file could not be copied
  // ("Ocorreu erro na cópia do arquivo " and the path); empty otherwise. The
  // analysis then answers kAnaliseErros with no Te8stru row.
  const std::string& falhaCopia() const;

 private:
  struct Estado;
  std::unique_ptr<Estado> e_;
};

// The rows of Te8stru in report order; none when the table does not exist.
std::vector<ErroEstrutura> LeErrosEstrutura(Conexao& conexao);

}  // namespace vornex
