#pragma once
// A file that appears under its final name only when complete. It is written
// under a unique temporary name in the folder of its target (created
// exclusively, so a symbolic link or any other file already there is never
// opened), synchronised, and renamed over the target; the folder is then
// synchronised too. Until the rename the old file, if any, stays whole; a
// file dropped before it (or a process killed while writing) leaves only its
// temporary name, which starts with a dot and ends in ".parcial-XXXXXX".
#include <sys/types.h>

#include <cstdio>
#include <filesystem>
#include <string_view>

namespace vornex {

// The part of a temporary name after the target's file name.
inline constexpr std::string_view kSufixoParcial = ".parcial-";

// 0666 less the process umask: what a newly created file gets.
mode_t ModoArquivoNovo();

// fsync of a folder, so that a rename in it survives a crash.
bool SincronizaPasta(const std::filesystem::path& pasta);

// Whether `nome` is the temporary name of an unfinished ArquivoAtomico.
bool NomeParcial(std::string_view nome);

// Removes the temporary files left in `pasta` by unfinished ArquivoAtomico
// whose target names start with `prefixo` (every one when empty); only
// regular files, never through a link. Answers how many were removed.
int RemoveParciais(const std::filesystem::path& pasta, std::string_view prefixo = {});

class ArquivoAtomico {
 public:
  ArquivoAtomico() = default;
  ArquivoAtomico(ArquivoAtomico&& o) noexcept;
  ArquivoAtomico& operator=(ArquivoAtomico&& o) noexcept;
  ArquivoAtomico(const ArquivoAtomico&) = delete;
  ArquivoAtomico& operator=(const ArquivoAtomico&) = delete;
  ~ArquivoAtomico() { descarta(); }

  // Creates the temporary file for `destino` with `modo`; false (errno set)
  // when it cannot be created.
  bool cria(const std::filesystem::path& destino, mode_t modo = ModoArquivoNovo());

  bool aberto() const { return fluxo_ != nullptr; }
  // Buffered writing; owned by this object.
  std::FILE* fluxo() const { return fluxo_; }
  bool escreve(const void* dados, std::size_t n);
  const std::filesystem::path& destino() const { return destino_; }
  const std::filesystem::path& temporario() const { return temporario_; }

  // Writes out what is buffered, synchronises and closes the file; it keeps
  // its temporary name. false on any error (the file is then unusable).
  bool sela();
  // Renames the sealed file over its target and synchronises the folder.
  bool instala();
  // The rename alone, for a set of files that take their names together:
  // the caller synchronises their folders after the last one.
  bool renomeia();
  bool conclui() { return sela() && instala(); }
  // Closes and removes the temporary file unless it was installed.
  void descarta();

 private:
  std::FILE* fluxo_ = nullptr;
  std::filesystem::path destino_, temporario_;
  bool selado_ = false;
};

}  // namespace vornex
