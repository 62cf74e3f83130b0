#include "platform/arquivo_atomico.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>

namespace vornex {

namespace fs = std::filesystem;

mode_t ModoArquivoNovo() {
  static const mode_t modo = [] {
    const mode_t u = ::umask(0);
    ::umask(u);
    return static_cast<mode_t>(0666 & ~u);
  }();
  return modo;
}

bool SincronizaPasta(const fs::path& pasta) {
  const int d = ::open(pasta.empty() ? "." : pasta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (d < 0) return false;
  const bool ok = ::fsync(d) == 0 || errno == EINVAL;  // some file systems cannot sync folders
  ::close(d);
  return ok;
}

bool NomeParcial(std::string_view nome) {
  if (nome.size() < 1 + kSufixoParcial.size() + 6 || nome.front() != '.') return false;
  return nome.substr(nome.size() - 6 - kSufixoParcial.size(), kSufixoParcial.size()) == kSufixoParcial;
}

int RemoveParciais(const fs::path& pasta, std::string_view prefixo) {
  DIR* d = ::opendir(pasta.c_str());
  if (!d) return 0;
  int removidos = 0;
  const std::string inicio = "." + std::string(prefixo);
  while (const dirent* e = ::readdir(d)) {
    const std::string_view nome = e->d_name;
    if (!NomeParcial(nome) || !nome.starts_with(inicio)) continue;
    struct stat st {};
    if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::unlinkat(::dirfd(d), e->d_name, 0) == 0) ++removidos;
  }
  ::closedir(d);
  return removidos;
}

ArquivoAtomico::ArquivoAtomico(ArquivoAtomico&& o) noexcept
    : fluxo_(std::exchange(o.fluxo_, nullptr)),
      destino_(std::move(o.destino_)),
      temporario_(std::exchange(o.temporario_, {})),
      selado_(o.selado_) {}

ArquivoAtomico& ArquivoAtomico::operator=(ArquivoAtomico&& o) noexcept {
  if (this != &o) {
    descarta();
    fluxo_ = std::exchange(o.fluxo_, nullptr);
    destino_ = std::move(o.destino_);
    temporario_ = std::exchange(o.temporario_, {});
    selado_ = o.selado_;
  }
  return *this;
}

bool ArquivoAtomico::cria(const fs::path& destino, mode_t modo) {
  descarta();
  const fs::path pasta = destino.has_parent_path() ? destino.parent_path() : fs::path(".");
  std::string modelo =
      (pasta / ("." + destino.filename().string() + std::string(kSufixoParcial) + "XXXXXX")).string();
  // mkostemp opens with O_CREAT | O_EXCL: an existing name, link or not, is never opened.
  const int fd = ::mkostemp(modelo.data(), O_CLOEXEC);
  if (fd < 0) return false;
  if (::fchmod(fd, modo) != 0) {
    const int e = errno;
    ::close(fd);
    ::unlink(modelo.c_str());
    errno = e;
    return false;
  }
  fluxo_ = ::fdopen(fd, "wb");
  if (!fluxo_) {
    const int e = errno;
    ::close(fd);
    ::unlink(modelo.c_str());
    errno = e;
    return false;
  }
  destino_ = destino;
  temporario_ = modelo;
  selado_ = false;
  return true;
}

bool ArquivoAtomico::escreve(const void* dados, std::size_t n) {
  return fluxo_ && (n == 0 || std::fwrite(dados, 1, n, fluxo_) == n);
}

bool ArquivoAtomico::sela() {
  if (!fluxo_) return selado_;
  std::FILE* f = std::exchange(fluxo_, nullptr);
  bool ok = std::fflush(f) == 0;
  ok = ::fsync(::fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  selado_ = ok;
  return ok;
}

bool ArquivoAtomico::renomeia() {
  if (!selado_ || temporario_.empty()) return false;
  // rename replaces a link at the target; it never writes through it.
  if (::rename(temporario_.c_str(), destino_.c_str()) != 0) return false;
  temporario_.clear();
  selado_ = false;
  return true;
}

bool ArquivoAtomico::instala() {
  return renomeia() && SincronizaPasta(destino_.has_parent_path() ? destino_.parent_path() : fs::path("."));
}

void ArquivoAtomico::descarta() {
  if (fluxo_) std::fclose(std::exchange(fluxo_, nullptr));
  if (!temporario_.empty()) ::unlink(temporario_.c_str());
  temporario_.clear();
  selado_ = false;
}

}  // namespace vornex
