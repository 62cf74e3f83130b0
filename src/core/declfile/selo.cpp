#include "declfile/selo.h"

#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "declfile/layout.h"

namespace vornex {

namespace {

constexpr std::size_t kBloco = 64 * 1024;

// A file descriptor closed on every path out.
class Descritor {
 public:
  explicit Descritor(int fd) : fd_(fd) {}
  ~Descritor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descritor(const Descritor&) = delete;
  Descritor& operator=(const Descritor&) = delete;
  int fd() const { return fd_; }
  bool fecha() {
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

bool LeTudo(int fd, char* d, std::size_t n, off_t pos) {
  while (n > 0) {
    const ssize_t r = ::pread(fd, d, n, pos);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    d += r;
    n -= static_cast<std::size_t>(r);
    pos += r;
  }
  return true;
}

std::optional<std::uint64_t> PosicaoNoDescritor(int fd, std::uint64_t& tamanho) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  tamanho = static_cast<std::uint64_t>(st.st_size);
  if (tamanho < static_cast<std::uint64_t>(kTamanhoRegistro)) return std::nullopt;
  char fim[2];
  const std::uint64_t nFim = tamanho >= 2 ? 2 : tamanho;
  if (!LeTudo(fd, fim + 2 - nFim, nFim, static_cast<off_t>(tamanho - nFim))) return std::nullopt;
  auto quebra = [](char c) { return c == '\r' || c == '\n'; };
  std::uint64_t delimitador = 0;
  if (quebra(fim[1])) delimitador = quebra(fim[0]) ? 2 : 1;
  if (tamanho < kTamanhoRegistro + delimitador) return std::nullopt;
  const std::uint64_t inicio = tamanho - delimitador - kTamanhoRegistro;
  char tipo;
  if (!LeTudo(fd, &tipo, 1, static_cast<off_t>(inicio + kPosicaoTipo - 1))) return std::nullopt;
  if (tipo != static_cast<char>(TipoRegistro::Nove)) return std::nullopt;
  return inicio + kPosicaoSelo - 1;
}

bool Imprimivel(std::string_view s) {
  for (unsigned char c : s)
    if (c < 32 || c > 126 || c == '"') return false;
  return true;
}

}  // namespace

std::optional<std::uint64_t> PosicaoSelo(const std::filesystem::path& arquivo) {
  Descritor f(::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd() < 0) return std::nullopt;
  std::uint64_t tamanho = 0;
  return PosicaoNoDescritor(f.fd(), tamanho);
}

bool LeComSeloEmBranco(const std::filesystem::path& arquivo,
                       const std::function<void(const char*, std::size_t)>& bloco) {
  Descritor f(::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd() < 0) return false;
  std::uint64_t tamanho = 0;
  const auto selo = PosicaoNoDescritor(f.fd(), tamanho);
  if (!selo) return false;
  const std::uint64_t fimSelo = *selo + kTamanhoSelo;

  std::vector<char> buf(kBloco);
  std::uint64_t lidos = 0;
  for (;;) {
    const ssize_t r = ::pread(f.fd(), buf.data(), buf.size(), static_cast<off_t>(lidos));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return false;
    if (r == 0) break;
    const std::uint64_t ini = lidos, fim = lidos + static_cast<std::uint64_t>(r);
    if (ini < fimSelo && *selo < fim) {
      const std::uint64_t a = std::max(ini, *selo), b = std::min(fim, fimSelo);
      std::memset(buf.data() + (a - ini), ' ', b - a);
    }
    bloco(buf.data(), static_cast<std::size_t>(r));
    lidos = fim;
  }
  return lidos == tamanho;
}

std::optional<std::string> SeloMd5::geraSelo(const std::filesystem::path& arquivo) const {
  std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> ctx(EVP_MD_CTX_new(), EVP_MD_CTX_free);
  if (!ctx || EVP_DigestInit_ex(ctx.get(), EVP_md5(), nullptr) != 1) return std::nullopt;
  bool ok = true;
  const bool lido = LeComSeloEmBranco(arquivo, [&](const char* d, std::size_t n) {
    ok = ok && EVP_DigestUpdate(ctx.get(), d, n) == 1;
  });
  unsigned char md[EVP_MAX_MD_SIZE];
  unsigned int n = 0;
  if (!lido || !ok || EVP_DigestFinal_ex(ctx.get(), md, &n) != 1) return std::nullopt;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned int i = 0; i < n; ++i) {
    s += kHex[md[i] >> 4];
    s += kHex[md[i] & 0x0F];
  }
  return s;
}

const GeradorSelo& SeloPadrao() {
  static const SeloMd5 md5;
  return md5;
}

bool GravaHash(const std::filesystem::path& arquivo, const GeradorSelo& gerador) {
  const auto selo = gerador.geraSelo(arquivo);
  if (!selo || selo->size() < static_cast<std::size_t>(kTamanhoSelo)) return false;
  const std::string_view texto = std::string_view(*selo).substr(0, kTamanhoSelo);
  if (!Imprimivel(texto)) return false;

  Descritor f(::open(arquivo.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW));
  if (f.fd() < 0) return false;
  std::uint64_t tamanho = 0;
  const auto pos = PosicaoNoDescritor(f.fd(), tamanho);
  if (!pos) return false;
  const char* d = texto.data();
  std::size_t n = texto.size();
  off_t p = static_cast<off_t>(*pos);
  while (n > 0) {
    const ssize_t w = ::pwrite(f.fd(), d, n, p);
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) return false;
    d += w;
    n -= static_cast<std::size_t>(w);
    p += w;
  }
  // A removable medium may be taken out right after: the seal must be on it.
  if (::fsync(f.fd()) != 0) return false;
  return f.fecha();
}

std::optional<std::string> LeSelo(const std::filesystem::path& arquivo) {
  Descritor f(::open(arquivo.c_str(), O_RDONLY | O_CLOEXEC));
  if (f.fd() < 0) return std::nullopt;
  std::uint64_t tamanho = 0;
  const auto pos = PosicaoNoDescritor(f.fd(), tamanho);
  if (!pos) return std::nullopt;
  std::string s(static_cast<std::size_t>(kTamanhoSelo), ' ');
  if (!LeTudo(f.fd(), s.data(), s.size(), static_cast<off_t>(*pos))) return std::nullopt;
  return s;
}

ResultadoSelo VerificaSelo(const std::filesystem::path& arquivo, const GeradorSelo& gerador) {
  const auto gravado = LeSelo(arquivo);
  if (!gravado) return ResultadoSelo::Invalido;
  if (gravado->find_first_not_of(' ') == std::string::npos) return ResultadoSelo::Ausente;
  const auto calculado = gerador.geraSelo(arquivo);
  if (!calculado || calculado->size() < static_cast<std::size_t>(kTamanhoSelo)) return ResultadoSelo::Invalido;
  return calculado->compare(0, static_cast<std::size_t>(kTamanhoSelo), *gravado) == 0 ? ResultadoSelo::Confere
                                                                                       : ResultadoSelo::Diverge;
}

std::string_view TextoSelo(ResultadoSelo r) {
  switch (r) {
    case ResultadoSelo::Confere: return "Selo do arquivo: confere com o conteúdo.";
    case ResultadoSelo::Diverge: return "Selo do arquivo: não confere com o conteúdo (o arquivo foi alterado depois de selado).";
    case ResultadoSelo::Ausente: return "Selo do arquivo: ausente (em branco).";
    case ResultadoSelo::Invalido: break;
  }
  return "Selo do arquivo: não pôde ser conferido.";
}

std::string_view NomeSelo(ResultadoSelo r) {
  switch (r) {
    case ResultadoSelo::Confere: return "confere";
    case ResultadoSelo::Diverge: return "diverge";
    case ResultadoSelo::Ausente: return "ausente";
    case ResultadoSelo::Invalido: break;
  }
  return "invalido";
}

}  // namespace vornex
