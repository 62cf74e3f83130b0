#pragma once
// Files the user names as input (a declaration file to analyse or import, a
// backup archive to restore) are checked before anything reads them: a
// folder, a FIFO or a device would block or fail later with a misleading
// message, and an unreadable file is told with the system's reason.
#include <filesystem>
#include <optional>
#include <string>

namespace vornex {

struct ProblemaEntrada {
  bool inexistente = false;  // nothing at all by that name
  std::string texto;         // names the file and says what is wrong, in Portuguese
};

// nullopt when `arquivo` is a regular file (a link to one counts) that opens
// for reading.
std::optional<ProblemaEntrada> VerificaArquivoEntrada(const std::filesystem::path& arquivo);

}  // namespace vornex
