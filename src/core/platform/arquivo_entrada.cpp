#include "platform/arquivo_entrada.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vornex {

namespace {

const char* Tipo(mode_t m) {
  if (S_ISDIR(m)) return "é uma pasta, não um arquivo";
  if (S_ISFIFO(m)) return "é um FIFO, não um arquivo comum";
  if (S_ISSOCK(m)) return "é um socket, não um arquivo comum";
  if (S_ISCHR(m) || S_ISBLK(m)) return "é um dispositivo, não um arquivo comum";
  return "não é um arquivo comum";
}

}  // namespace

std::optional<ProblemaEntrada> VerificaArquivoEntrada(const std::filesystem::path& arquivo) {
  const std::string nome = arquivo.string();
  struct stat st {};
  if (::stat(arquivo.c_str(), &st) != 0) {
    const int e = errno;
    if (e == ENOENT || e == ENOTDIR) return ProblemaEntrada{true, "O arquivo " + nome + " não existe."};
    return ProblemaEntrada{false, "Não foi possível ler o arquivo " + nome + ": " + std::strerror(e) + "."};
  }
  if (!S_ISREG(st.st_mode)) return ProblemaEntrada{false, "O arquivo " + nome + " " + Tipo(st.st_mode) + "."};
  // O_NONBLOCK: should it have become a FIFO meanwhile, opening must not hang.
  const int fd = ::open(arquivo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int e = errno;
    return ProblemaEntrada{false, "Não foi possível ler o arquivo " + nome + ": " + std::strerror(e) + "."};
  }
  ::close(fd);
  return std::nullopt;
}

}  // namespace vornex
