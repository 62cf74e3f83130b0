#include "data/trava_pasta.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>

#include "data/banco.h"
#include "data/pasta_dados.h"
#include "platform/arquivo_atomico.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

struct Posse {
  int fd = -1;
  int compartilhadas = 0;
  int exclusivas = 0;
};

std::mutex& Guarda() {
  static std::mutex m;
  return m;
}

// The folders this process holds, by device and inode of the lock file.
std::map<std::string, Posse>& Posses() {
  static std::map<std::string, Posse> p;
  return p;
}

}  // namespace

std::string MensagemPastaEmUso(const fs::path& pasta) {
  return "Outra operação do VORNEX está usando a pasta de dados " + pasta.string() +
         ". Aguarde o seu término e tente novamente.";
}

ErroPastaEmUso::ErroPastaEmUso(const fs::path& pasta) : std::runtime_error(MensagemPastaEmUso(pasta)) {}

TravaPastaDados::TravaPastaDados(const fs::path& pasta, Modo modo) {
  const fs::path arquivo = pasta / kArquivoTrava;
  int fd = ::open(arquivo.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    // A folder this process cannot write: an existing lock file still
    // works read-only; without one, nothing is held, and any pass that
    // tries to write there fails on its own.
    fd = ::open(arquivo.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) return;
  }
  if (fd < 0)
    throw std::runtime_error("não foi possível abrir " + arquivo.string() + ": " + std::strerror(errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    throw std::runtime_error(arquivo.string() + " não é um arquivo comum");
  }
  chave_ = std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);

  std::lock_guard<std::mutex> g(Guarda());
  Posse& p = Posses()[chave_];
  const bool exclusiva = modo == Modo::Exclusiva;
  if (p.fd >= 0) {
    ::close(fd);
    // Already held here: an exclusive holder may nest anything; a shared
    // one cannot become exclusive without letting others in.
    if (exclusiva && p.exclusivas == 0) throw ErroPastaEmUso(pasta);
  } else {
    if (::flock(fd, (exclusiva ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
      const int e = errno;
      ::close(fd);
      Posses().erase(chave_);
      if (e == EWOULDBLOCK) throw ErroPastaEmUso(pasta);
      throw std::runtime_error("não foi possível travar " + arquivo.string() + ": " + std::strerror(e));
    }
    p.fd = fd;
    if (exclusiva) RemoveSobras(pasta);
  }
  ++(exclusiva ? p.exclusivas : p.compartilhadas);
  exclusiva_ = exclusiva;
}

TravaPastaDados::TravaPastaDados(Conexao& c, Modo modo) : TravaPastaDados(c.diretorio(), modo) {}

TravaPastaDados::~TravaPastaDados() {
  if (chave_.empty()) return;
  std::lock_guard<std::mutex> g(Guarda());
  auto it = Posses().find(chave_);
  if (it == Posses().end()) return;
  Posse& p = it->second;
  --(exclusiva_ ? p.exclusivas : p.compartilhadas);
  if (p.exclusivas + p.compartilhadas > 0) return;
  ::close(p.fd);  // releases the flock
  Posses().erase(it);
}

void RemoveSobras(const fs::path& pasta) {
  std::error_code ec;
  const fs::path trabalho = pasta / kPastaTrabalho;
  if (fs::is_directory(fs::symlink_status(trabalho, ec)))
    for (fs::directory_iterator it(trabalho, ec), fim; !ec && it != fim; it.increment(ec)) {
      std::error_code ec2;
      fs::remove_all(it->path(), ec2);  // links are removed, never followed
    }
  fs::remove(trabalho, ec);  // only when empty
  if (fs::is_regular_file(fs::symlink_status(pasta / kArquivoCopiaAnalise, ec)))
    fs::remove(pasta / kArquivoCopiaAnalise, ec);
  RemoveParciais(pasta, kArquivoDeclaracao);
}

}  // namespace vornex
