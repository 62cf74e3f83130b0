#pragma once
// Where the data live. The user's data folder holds the declaration tables
// (declaracao.db, what a backup saves and a restore replaces), the installed
// reference tables and catalog (referencia.db) and the work tables
// (trabalho.db, recreated by the passes).
#include <filesystem>
#include <string>

namespace vornex {

inline constexpr const char* kArquivoDeclaracao = "declaracao.db";
inline constexpr const char* kArquivoReferencia = "referencia.db";
inline constexpr const char* kArquivoTrabalho = "trabalho.db";

// $XDG_DATA_HOME/vornex/dados, or ~/.local/share/vornex/dados.
std::filesystem::path PastaDadosPadrao();

// The folder chosen with --dados, or the default one when `escolhida` is empty.
std::filesystem::path ResolvePastaDados(const std::string& escolhida);

// The folder of the data files shipped with the program (reference CSVs and
// the message catalog): $VORNEX_DADOS_REFERENCIA when set, else the installed
// folder when it exists, else the source tree's data/ (build tree runs).
std::filesystem::path PastaDadosInstalados();

}  // namespace vornex
