#pragma once
// Where the data live. The user's data folder holds the declaration tables
// (declaracao.db, what a backup saves and a restore replaces), the installed
// reference tables and catalog (referencia.db) and the work tables
// (trabalho.db, recreated by the passes).
#include <filesystem>
#include <string>
#include <vector>

namespace vornex {

inline constexpr const char* kArquivoDeclaracao = "declaracao.db";
inline constexpr const char* kArquivoReferencia = "referencia.db";
inline constexpr const char* kArquivoTrabalho = "trabalho.db";
// The private work folder of a restore or backup, and the private copy of a
// file being analysed; both are removed when a pass that was killed left them.
inline constexpr const char* kPastaTrabalho = "Work";
inline constexpr const char* kArquivoCopiaAnalise = "R01TXZZZ.$$$";

// $XDG_DATA_HOME/vornex/dados, or ~/.local/share/vornex/dados.
std::filesystem::path PastaDadosPadrao();

// The folder chosen with --dados, or the default one when `escolhida` is empty.
std::filesystem::path ResolvePastaDados(const std::string& escolhida);

// The folder of the data files shipped with the program (reference CSVs and
// the message catalog): $VORNEX_DADOS_REFERENCIA when set, else the installed
// folder beside the running program (prefix/bin -> prefix/share/vornex, so an
// installation may be moved), else the configured installed folder when it
// exists, else the source tree's data/ (build tree runs).
std::filesystem::path PastaDadosInstalados();

struct ResumoCarga;

// Creates a new data folder: the folder itself when needed, the declaration
// file with its empty tables, the reference file loaded from the data files
// of `origem`, and an empty work file. Only a new folder: when any of the
// three files is already there, nothing is touched and std::runtime_error
// says so. The files are built under temporary names and renamed at the end,
// so a failure leaves no half-made folder behind. Answers the rows loaded
// into each reference table.
std::vector<ResumoCarga> InicializaPastaDados(const std::filesystem::path& pasta,
                                              const std::filesystem::path& origem = PastaDadosInstalados());

// The folder does not exist, or holds nothing but its lock file.
bool PastaDadosVazia(const std::filesystem::path& pasta);

// Creates the declaration file `arquivo` (which must not exist, or be
// empty) with the program's own empty declaration tables and marks, as a
// new data folder has it. Throws ErroBanco.
void CriaArquivoDeclaracaoVazio(const std::filesystem::path& arquivo);

// What both front ends call first: a data folder that does not exist yet,
// or exists and is empty, is initialised (true); any other is left as it is
// for VerificaArquivosDados to judge (false).
bool AbreOuInicializaPastaDados(const std::filesystem::path& pasta,
                                const std::filesystem::path& origem = PastaDadosInstalados());

}  // namespace vornex
