#pragma once
// One writing pass at a time per data folder. Every pass that writes the
// declaration tables or the work tables (import, analysis, writing,
// rectification, restore, backup, re-indexing) holds the folder's lock
// exclusively for as long as it runs, in both programs; a second one is
// refused at once instead of mixing its rows with the first one's. Readers
// may share it. The lock is an flock on the file `.vornex.trava` of the
// folder: the system drops it when a process ends, however it ends.
//
// Within one process the lock is counted: a pass that calls another keeps
// the folder and does not refuse itself.
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vornex {

class Conexao;

inline constexpr const char* kArquivoTrava = ".vornex.trava";

// "Outra operação do VORNEX está usando a pasta de dados ..."
std::string MensagemPastaEmUso(const std::filesystem::path& pasta);

// Thrown when the folder is held by another pass; what() is the message above.
class ErroPastaEmUso : public std::runtime_error {
 public:
  explicit ErroPastaEmUso(const std::filesystem::path& pasta);
};

class TravaPastaDados {
 public:
  enum class Modo { Compartilhada, Exclusiva };

  // Takes the lock of `pasta` without waiting; throws ErroPastaEmUso when
  // another process holds it in a conflicting mode (or, within this
  // process, when a shared holder asks for it exclusively), and
  // std::runtime_error when the lock file cannot be opened. The first
  // exclusive holder of a process removes what killed passes left behind
  // (RemoveSobras).
  explicit TravaPastaDados(const std::filesystem::path& pasta, Modo modo = Modo::Exclusiva);
  // The folder of the connection's declaration file.
  explicit TravaPastaDados(Conexao& c, Modo modo = Modo::Exclusiva);
  ~TravaPastaDados();
  TravaPastaDados(const TravaPastaDados&) = delete;
  TravaPastaDados& operator=(const TravaPastaDados&) = delete;

 private:
  std::string chave_;
  bool exclusiva_ = false;
};

// What passes that were killed leave in a data folder: the work folder of a
// restore or backup, the private copy of an analysed file and the temporary
// files of a restore. Only to be called with the folder held exclusively.
void RemoveSobras(const std::filesystem::path& pasta);

}  // namespace vornex
