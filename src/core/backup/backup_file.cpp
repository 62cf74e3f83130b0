#include "backup/backup_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <set>

#include "backup/lzrw1kh.h"
#include "backup/sistema_arquivos.h"
#include "platform/arquivo_atomico.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

// Limits on what an archive may claim; anything larger is not an archive of ours.
constexpr std::int32_t kMaxTitulo = 1024;
constexpr std::int32_t kMaxNome = 4096;
constexpr std::size_t kMaxListaArquivos = std::size_t{16} << 20;
constexpr int kMaxVolume = 999;  // three digits in the volume names

constexpr char kAssinaturaAtual[4] = {'E', 'C', '2', '\0'};
constexpr char kAssinaturaAntiga[4] = {'E', 'C', 'S', '\0'};

// Raised inside an operation; the operation ends and reports the code once.
struct Falha {
  int codigo;
};

// The volumes of an archive take their final names one after the other; a
// kill between two renames would leave volumes of two sets under one name.
// So the renames are first written down in a note beside the archive,
// and whoever opens the archive next finishes them: the set is then either
// the old one, untouched, or the new one, whole.
fs::path NotaTroca(const fs::path& arquivo) {
  return arquivo.parent_path() / (arquivo.filename().string() + ".troca");
}

// A final name the note may give: the archive itself or one of its volumes.
bool NomeDeVolume(const fs::path& arquivo, std::string_view nome) {
  if (nome == arquivo.filename().string()) return true;
  const std::string base = arquivo.stem().string() + ".";
  if (nome.size() != base.size() + 3 || !nome.starts_with(base)) return false;
  return std::all_of(nome.begin() + static_cast<std::ptrdiff_t>(base.size()), nome.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

bool ArquivoComum(const fs::path& p) {
  struct stat st {};
  return ::lstat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Finishes the renames a note left; the note goes once they are done. A note
// that is not ours (a link, too long, a name outside the archive's volumes)
// is ignored, and only regular files are ever renamed.
void CompletaTroca(const fs::path& arquivo) {
  const fs::path nota = NotaTroca(arquivo);
  if (!ArquivoComum(nota)) return;
  const fs::path pasta = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
  std::string texto;
  {
    const int fd = ::open(nota.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return;
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0 && texto.size() < 64 * 1024) texto.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
  }
  std::size_t ini = 0;
  while (ini < texto.size()) {
    std::size_t fim = texto.find('\n', ini);
    if (fim == std::string::npos) fim = texto.size();
    const std::string_view linha(texto.data() + ini, fim - ini);
    ini = fim + 1;
    const std::size_t tab = linha.find('\t');
    if (tab == std::string_view::npos) continue;
    const std::string_view temporario = linha.substr(0, tab), final = linha.substr(tab + 1);
    if (!NomeDeVolume(arquivo, final) || !NomeParcial(temporario) ||
        !temporario.starts_with("." + std::string(final) + std::string(kSufixoParcial)) ||
        temporario.find('/') != std::string_view::npos)
      continue;
    const fs::path de = pasta / std::string(temporario);
    if (ArquivoComum(de)) ::rename(de.c_str(), (pasta / std::string(final)).c_str());
  }
  SincronizaPasta(pasta);
  ::unlink(nota.c_str());
  SincronizaPasta(pasta);
}

struct FechaArquivoC {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using ArquivoC = std::unique_ptr<std::FILE, FechaArquivoC>;

// Every volume is written under a temporary name of its own (never through
// a link, never over another file) and kept so until the last one is
// complete; only then do they all take their final names, the first volume
// last. A backup that fails, is stopped or is killed never touches the
// archive that was there before.
class Gravador {
 public:
  Gravador() = default;
  Gravador(const Gravador&) = delete;
  Gravador& operator=(const Gravador&) = delete;

  void abre(const fs::path& p) {
    ArquivoAtomico a;
    if (!a.cria(p)) throw Falha{kErroGravacaoBackup};
    volumes_.push_back(std::move(a));
    pos_ = 0;
  }
  void escreve(const void* d, std::size_t n) {
    if (!volumes_.back().escreve(d, n)) throw Falha{kErroGravacaoBackup};
    pos_ += static_cast<std::int64_t>(n);
  }
  void int32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    const std::uint8_t b[4] = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                               static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
    escreve(b, 4);
  }
  void texto(std::string_view s) {
    int32(static_cast<std::int32_t>(s.size()));
    escreve(s.data(), s.size());
  }
  std::int64_t posicao() const { return pos_; }
  // The current volume is complete: written out and synchronised.
  void fecha() {
    if (!volumes_.back().sela()) throw Falha{kErroGravacaoBackup};
  }
  // The whole archive is complete: every volume takes its name, by way of
  // the note CompletaTroca finishes when a kill comes between the renames.
  void instala() {
    if (volumes_.empty()) return;
    const fs::path arquivo = volumes_.front().destino();
    const fs::path pasta = arquivo.has_parent_path() ? arquivo.parent_path() : fs::path(".");
    std::string texto;
    for (const auto& v : volumes_)
      texto += v.temporario().filename().string() + "\t" + v.destino().filename().string() + "\n";
    ArquivoAtomico nota;
    if (!nota.cria(NotaTroca(arquivo)) || !nota.escreve(texto.data(), texto.size()) || !nota.conclui())
      throw Falha{kErroGravacaoBackup};
    for (std::size_t i = volumes_.size(); i-- > 0;)
      if (!volumes_[i].renomeia()) throw Falha{kErroGravacaoBackup};
    volumes_.clear();
    if (!SincronizaPasta(pasta)) throw Falha{kErroGravacaoBackup};
    ::unlink(NotaTroca(arquivo).c_str());
    SincronizaPasta(pasta);
  }

 private:
  std::vector<ArquivoAtomico> volumes_;  // dropped unless installed
  std::int64_t pos_ = 0;
};

class Leitor {
 public:
  // Only a regular file is read: a FIFO or a device given as a volume would
  // block or never end, so it is refused before the first read.
  bool abre(const fs::path& p) {
    f_.reset();
    const int fd = ::open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ::fcntl(fd, F_SETFL, 0) != 0) {
      ::close(fd);
      return false;
    }
    f_.reset(::fdopen(fd, "rb"));
    if (!f_) ::close(fd);
    return f_ != nullptr;
  }
  void fecha() { f_.reset(); }
  void le(void* d, std::size_t n) {
    if (n && std::fread(d, 1, n, f_.get()) != n) throw Falha{kErroLeituraBackup};
  }
  std::uint32_t uint32() {
    std::uint8_t b[4];
    le(b, 4);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
  }
  std::int32_t int32() { return static_cast<std::int32_t>(uint32()); }
  std::string texto(std::int32_t n) {
    std::string s(static_cast<std::size_t>(n), '\0');
    le(s.data(), s.size());
    return s;
  }
  void pula(std::int64_t n) {
    if (::fseeko(f_.get(), static_cast<off_t>(n), SEEK_CUR) != 0) throw Falha{kErroLeituraBackup};
  }

 private:
  ArquivoC f_;
};

int NivelZlib(TCompressionLevel n) {
  switch (n) {
    case clFastest: return Z_BEST_SPEED;
    case clNone: return Z_NO_COMPRESSION;
    case clDefault: return Z_DEFAULT_COMPRESSION;
    case clMax: return Z_BEST_COMPRESSION;
  }
  return Z_BEST_SPEED;
}

class Compressor {
 public:
  explicit Compressor(int nivel) {
    if (deflateInit2(&z_, nivel, Z_DEFLATED, 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      throw Falha{kErroCompressao};
  }
  ~Compressor() { deflateEnd(&z_); }
  Compressor(const Compressor&) = delete;
  Compressor& operator=(const Compressor&) = delete;

  // One whole zlib stream into `saida` (kTamanhoBlocoBackup bytes); 0 when it does not fit.
  std::size_t comprime(const std::uint8_t* d, std::size_t n, std::uint8_t* saida) {
    if (deflateReset(&z_) != Z_OK) throw Falha{kErroCompressao};
    z_.next_in = const_cast<Bytef*>(d);
    z_.avail_in = static_cast<uInt>(n);
    z_.next_out = saida;
    z_.avail_out = static_cast<uInt>(kTamanhoBlocoBackup);
    const int r = deflate(&z_, Z_FINISH);
    if (r == Z_STREAM_END) return kTamanhoBlocoBackup - z_.avail_out;
    if (r == Z_OK || r == Z_BUF_ERROR) return 0;
    throw Falha{kErroCompressao};
  }

 private:
  z_stream z_{};
};

class Descompressor {
 public:
  Descompressor() {
    if (inflateInit(&z_) != Z_OK) throw Falha{kErroCompressao};
  }
  ~Descompressor() { inflateEnd(&z_); }
  Descompressor(const Descompressor&) = delete;
  Descompressor& operator=(const Descompressor&) = delete;

  // A whole zlib stream that must end within `capacidade` bytes.
  std::size_t descomprime(const std::uint8_t* d, std::size_t n, std::uint8_t* saida,
                          std::size_t capacidade) {
    if (inflateReset(&z_) != Z_OK) throw Falha{kErroCompressao};
    z_.next_in = const_cast<Bytef*>(d);
    z_.avail_in = static_cast<uInt>(n);
    z_.next_out = saida;
    z_.avail_out = static_cast<uInt>(capacidade);
    if (inflate(&z_, Z_FINISH) != Z_STREAM_END) throw Falha{kErroCompressao};
    return capacidade - z_.avail_out;
  }

 private:
  z_stream z_{};
};

// Where the bytes of a segment go.
class Saida {
 public:
  virtual ~Saida() = default;
  virtual void escreve(const std::uint8_t* d, std::size_t n) = 0;
};

class SaidaTexto : public Saida {
 public:
  void escreve(const std::uint8_t* d, std::size_t n) override {
    if (texto.size() + n > kMaxListaArquivos) throw Falha{kErroTipoBackup};
    texto.append(reinterpret_cast<const char*>(d), n);
  }
  std::string texto;
};

// A file being restored: written beside its target and renamed over it when
// complete, so the old file stays whole until then and a symbolic link at the
// target is replaced rather than written through. `restante` counts down the
// bytes the restore may still write.
class ArquivoRestaurado : public Saida {
 public:
  ArquivoRestaurado(fs::path alvo, std::uint32_t data, std::int64_t* restante)
      : alvo_(std::move(alvo)), data_(data), restante_(restante) {}

  void abre() {
    if (!a_.cria(alvo_)) throw Falha{kErroSobrescrita};
  }
  void escreve(const std::uint8_t* d, std::size_t n) override {
    if (restante_) {
      if (static_cast<std::int64_t>(n) > *restante_) throw Falha{kErroTipoBackup};
      *restante_ -= static_cast<std::int64_t>(n);
    }
    if (!a_.escreve(d, n)) throw Falha{kErroSobrescrita};
  }
  void conclui() {
    if (std::fflush(a_.fluxo()) != 0) throw Falha{kErroSobrescrita};
    if (const auto t = TempoDataDos(data_)) {
      const struct timespec tempos[2] = {{*t, 0}, {*t, 0}};
      (void)::futimens(::fileno(a_.fluxo()), tempos);
    }
    if (!a_.sela() || !a_.instala()) throw Falha{kErroSobrescrita};
  }

 private:
  fs::path alvo_;
  std::uint32_t data_;
  std::int64_t* restante_;
  ArquivoAtomico a_;
};

// Reads one data segment into `saida`, or past it when `saida` is null.
// `continua` is asked before each block; `aoBloco` gets the decoded size.
template <class Continua, class AoBloco>
void LeSegmento(Leitor& l, Descompressor& z, Saida* saida, Continua continua, AoBloco aoBloco) {
  char assinatura[4];
  l.le(assinatura, 4);
  if (std::memcmp(assinatura, kAssinaturaAntiga, 4) == 0) {
    std::vector<std::uint8_t> bloco(lzrw1kh::kTamanhoMaximoBloco), decodificado(lzrw1kh::kTamanhoMaximoBloco);
    const std::int64_t total = l.int32();
    for (std::int64_t soma = 0; soma < total && continua();) {
      const std::int32_t b = l.int32();
      if (b <= 0 || static_cast<std::size_t>(b) > lzrw1kh::kTamanhoMaximoBloco) throw Falha{kErroTipoBackup};
      soma += std::int64_t{b} + 4;
      if (!saida) {
        l.pula(b);
        continue;
      }
      l.le(bloco.data(), static_cast<std::size_t>(b));
      const auto n = lzrw1kh::Decompress({bloco.data(), static_cast<std::size_t>(b)}, decodificado);
      if (!n) throw Falha{kErroTipoBackup};
      saida->escreve(decodificado.data(), *n);
      aoBloco(*n);
    }
    return;
  }
  if (std::memcmp(assinatura, kAssinaturaAtual, 4) != 0) throw Falha{kErroTipoBackup};

  std::vector<std::uint8_t> bloco(kTamanhoBlocoBackup), decodificado(kTamanhoBlocoBackup);
  while (continua()) {
    const std::int64_t comprimento = l.int32();
    if (comprimento == 0) break;
    const std::int64_t n = comprimento < 0 ? -comprimento : comprimento;
    if (n > static_cast<std::int64_t>(kTamanhoBlocoBackup)) throw Falha{kErroTipoBackup};
    if (!saida) {
      l.pula(n);
      continue;
    }
    const auto tamanho = static_cast<std::size_t>(n);
    l.le(bloco.data(), tamanho);
    if (comprimento > 0) {
      const std::size_t d = z.descomprime(bloco.data(), tamanho, decodificado.data(), decodificado.size());
      saida->escreve(decodificado.data(), d);
      aoBloco(d);
    } else {
      saida->escreve(bloco.data(), tamanho);
      aoBloco(tamanho);
    }
  }
}

bool ParteInvalida(std::string_view p) { return p.empty() || p == "." || p == ".."; }

// The stored name as a path below `base`: its file part (after the last '\'
// or '/'), or with `completo` all its folders less a drive, never with "..".
std::optional<fs::path> CaminhoRelativo(const std::string& nome, bool completo) {
  if (nome.find('\0') != std::string::npos) return std::nullopt;
  std::vector<std::string_view> partes;
  std::string_view resto(nome);
  for (std::size_t i; (i = resto.find_first_of("\\/")) != std::string_view::npos; resto.remove_prefix(i + 1))
    partes.push_back(resto.substr(0, i));
  partes.push_back(resto);
  if (ParteInvalida(partes.back())) return std::nullopt;
  if (!completo) return fs::path(std::string(partes.back()));

  fs::path r;
  for (std::size_t i = 0; i < partes.size(); ++i) {
    const std::string_view p = partes[i];
    if (i == 0 && p.size() == 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]))) continue;
    if (p == "..") return std::nullopt;
    if (p.empty() || p == ".") continue;
    r /= std::string(p);
  }
  return r;
}

// Creates the folders of `relativo` below `base` one by one. False when one of
// them cannot be created (the file is then skipped); a symbolic link on the
// way would lead outside `base` and is refused.
bool CriaPastas(const fs::path& base, const fs::path& relativo) {
  std::error_code ec0;
  fs::create_directories(base, ec0);
  if (!fs::is_directory(base, ec0)) return false;
  fs::path atual = base;
  for (const auto& parte : relativo.parent_path()) {
    atual /= parte;
    std::error_code ec;
    const auto st = fs::symlink_status(atual, ec);
    if (fs::is_symlink(st)) throw Falha{kErroSobrescrita};
    if (!fs::exists(st)) fs::create_directory(atual, ec);
    if (!fs::is_directory(fs::symlink_status(atual, ec))) return false;
  }
  return true;
}

int Percentual(std::int64_t feito, std::int64_t total) {
  if (total <= 0) return 100;
  return static_cast<int>(std::clamp<std::int64_t>(feito * 100 / total, 0, 100));
}

}  // namespace

std::string_view TextoErroBackup(int codigo) {
  switch (codigo) {
    case kErroLeituraArquivo: return "Cannot read file";
    case kErroSobrescrita: return "Overwriting file failed";
    case kErroLeituraBackup: return "Cannot read archive";
    case kErroGravacaoBackup: return "Cannot write to archive";
    case kErroTipoBackup: return "Invalid archive type";
    case kErroCompressao: return "Compression error";
    case kErroArquivoIdentificacao: return "Cannot create temporary file to save the file IDs";
    default: return "";
  }
}

fs::path NomeVolume(const fs::path& arquivo, int volume) {
  if (volume <= 1) return arquivo;
  char extensao[16];
  std::snprintf(extensao, sizeof extensao, ".%03d", volume);
  fs::path p = arquivo;
  p.replace_extension(extensao);
  return p;
}

EBackupFile::EBackupFile(int codigo)
    : std::runtime_error(std::string(TextoErroBackup(codigo))), codigo_(codigo) {}

void TBackupFile::BackupMode(TBackupMode m) {
  modo_ = m;
  if (m == bmIncremental) limpaAtributo_ = true;
}

void TBackupFile::Inicia() {
  ocupado_ = true;
  continua_ = true;
  codigoErro_ = kErroNenhum;
  restaurados_ = 0;
}

void TBackupFile::Termina(int codigo) {
  codigoErro_ = codigo;
  ocupado_ = false;
  if (codigo != kErroNenhum && eventos_)
    eventos_->OnError(*this, codigo, std::string(TextoErroBackup(codigo)));
}

void TBackupFile::Progresso(const std::string& arquivo, std::int64_t feito) {
  if (!eventos_) return;
  bool continua = true;
  eventos_->OnProgress(*this, arquivo, Percentual(feito, tamanhoTotal_), continua);
  if (!continua) continua_ = false;
}

bool TBackupFile::PedeDisco(int disco, bool& semTratador) {
  semTratador = true;
  if (!eventos_) return continua_;
  bool continua = true;
  eventos_->discoPadrao_ = false;
  eventos_->OnNeedDisk(*this, disco, continua);
  semTratador = eventos_->discoPadrao_;
  if (!continua) continua_ = false;
  return continua_;
}

bool TBackupFile::Backup(const std::vector<std::string>& especificacoes, const fs::path& arquivo) {
  std::error_code ec;
  const fs::path proprio = fs::absolute(arquivo, ec).lexically_normal();
  std::set<fs::path> vistos;
  std::vector<ItemBackup> itens;
  for (const auto& e : especificacoes) {
    for (const auto& p : ExpandeEspecificacao(e)) {
      const fs::path a = fs::absolute(p, ec).lexically_normal();
      if (a == proprio || fs::equivalent(a, arquivo, ec)) continue;
      if (!vistos.insert(a).second) continue;
      if (modo_ == bmIncremental && !TemAtributoArquivo(a)) continue;
      itens.push_back({a, a.string()});
    }
  }
  return BackupArquivos(itens, arquivo);
}

bool TBackupFile::BackupArquivos(const std::vector<ItemBackup>& itens, const fs::path& arquivo) {
  if (ocupado_) return false;
  Inicia();
  return Grava(itens, arquivo);
}

bool TBackupFile::Grava(const std::vector<ItemBackup>& itens, const fs::path& arquivo) {
  struct Entrada {
    std::string nome;
    fs::path origem;
    bool identificacao;
  };
  std::vector<Entrada> entradas;
  std::string lista;
  std::int64_t total = 0;
  for (const auto& i : itens) {
    struct stat st {};
    if (::stat(i.origem.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    total += st.st_size;
    if (salvaIdentificacao_)
      lista += i.nome + "\t" + std::to_string(static_cast<std::int32_t>(DataDos(st.st_mtim.tv_sec))) +
               "=" + std::to_string(st.st_size) + "\r\n";
  }
  if (salvaIdentificacao_) {
    entradas.push_back({std::string(kNomeListaArquivos), {}, true});
    total += static_cast<std::int64_t>(lista.size());
  }
  for (const auto& i : itens) entradas.push_back({i.nome, i.origem, false});
  tamanhoTotal_ = static_cast<std::int32_t>(std::min<std::int64_t>(total, INT32_MAX));
  quantidade_ = static_cast<std::int32_t>(std::min<std::size_t>(itens.size(), INT32_MAX));

  int erro = kErroNenhum;
  bool completo = false;
  Gravador g;
  try {
    Compressor z(NivelZlib(nivel_));
    std::vector<std::uint8_t> bruto(kTamanhoBlocoBackup), comprimido(kTamanhoBlocoBackup);
    std::int64_t lidos = 0;
    int volume = 1;
    // Leftovers of a backup that was killed go first: a switch it left half
    // done is finished, what it had not sealed is removed.
    CompletaTroca(arquivo);
    RemoveParciais(arquivo.has_parent_path() ? arquivo.parent_path() : fs::path("."),
                   arquivo.stem().string() + ".");
    g.abre(arquivo);
    g.texto(titulo_);
    g.int32(tamanhoTotal_);
    g.int32(quantidade_);
    Progresso("", 0);
    for (const auto& e : entradas) {
      if (!continua_) break;
      ArquivoC origem;
      std::uint32_t data = DataDos(std::time(nullptr));
      if (!e.identificacao) {
        std::error_code ec;
        if (!fs::is_regular_file(e.origem, ec)) continue;
      }
      g.texto(e.nome);
      if (!e.identificacao) {
        origem.reset(std::fopen(e.origem.c_str(), "rb"));
        if (!origem) throw Falha{kErroLeituraArquivo};
        struct stat st {};
        if (::fstat(::fileno(origem.get()), &st) == 0) data = DataDos(st.st_mtim.tv_sec);
      }
      g.int32(static_cast<std::int32_t>(data));

      std::size_t posLista = 0;
      auto le = [&] {
        if (e.identificacao) {
          const std::size_t n = std::min(kTamanhoBlocoBackup, lista.size() - posLista);
          std::memcpy(bruto.data(), lista.data() + posLista, n);
          posLista += n;
          return n;
        }
        const std::size_t n = std::fread(bruto.data(), 1, kTamanhoBlocoBackup, origem.get());
        if (n < kTamanhoBlocoBackup && std::ferror(origem.get())) throw Falha{kErroLeituraArquivo};
        return n;
      };

      // Read one block ahead to know whether data remain when a volume fills.
      std::size_t n = le();
      bool volumeNovo = false;
      while (true) {
        g.escreve(kAssinaturaAtual, 4);
        bool algumBloco = false;
        while (n > 0 && continua_) {
          // A fresh volume always takes one block, or a small MaxSize would
          // start volumes forever.
          if (tamanhoMaximo_ != 0 && g.posicao() >= tamanhoMaximo_ - kFolgaVolume &&
              !(volumeNovo && !algumBloco))
            break;
          const std::size_t c = z.comprime(bruto.data(), n, comprimido.data());
          if (c > 0) {
            g.int32(static_cast<std::int32_t>(c));
            g.escreve(comprimido.data(), c);
          } else {
            g.int32(-static_cast<std::int32_t>(n));
            g.escreve(bruto.data(), n);
          }
          algumBloco = true;
          lidos += static_cast<std::int64_t>(n);
          n = le();
          Progresso(e.nome, lidos);
        }
        g.int32(0);
        if (n == 0 || !continua_) break;
        if (++volume > kMaxVolume) throw Falha{kErroGravacaoBackup};
        char proximo[16];
        std::snprintf(proximo, sizeof proximo, "%s%03d", kNomeProximoDisco.data(), volume);
        g.texto(proximo);
        g.fecha();
        bool semTratador = false;
        if (!PedeDisco(volume, semTratador)) break;
        g.abre(NomeVolume(arquivo, volume));
        volumeNovo = true;
      }
      origem.reset();
      if (!e.identificacao && limpaAtributo_ && continua_) LimpaAtributoArquivo(e.origem);
    }
    if (continua_) {
      g.int32(0);
      g.fecha();
      g.instala();
      completo = true;
    }
    // A stopped backup leaves its unfinished volume out (the Gravador drops it).
  } catch (const Falha& f) {
    erro = f.codigo;
    completo = false;
  }
  if (eventos_) {
    bool ignora = true;
    eventos_->OnProgress(*this, "", 100, ignora);
  }
  Termina(erro);
  return completo && erro == kErroNenhum;
}

bool TBackupFile::Restore(const fs::path& arquivo, const fs::path& pasta) {
  if (ocupado_) return false;
  std::error_code ec;
  CompletaTroca(arquivo);
  if (!fs::exists(arquivo, ec)) return false;
  Inicia();
  return Restaura(arquivo, pasta);
}

namespace {

std::string LeCabecalho(Leitor& l, std::int32_t& total, std::int32_t& quantidade) {
  const std::int32_t t = l.int32();
  if (t < 0 || t > kMaxTitulo) throw Falha{kErroLeituraBackup};
  std::string titulo = l.texto(t);
  total = l.int32();
  quantidade = l.int32();
  return titulo;
}

// "NEXT:DISK002" -> 2; 0 when the rest is not three digits.
int NumeroProximoDisco(const std::string& nome) {
  if (nome.size() != kNomeProximoDisco.size() + 3) return 0;
  int n = 0;
  for (std::size_t i = kNomeProximoDisco.size(); i < nome.size(); ++i) {
    if (nome[i] < '0' || nome[i] > '9') return 0;
    n = n * 10 + (nome[i] - '0');
  }
  return n;
}

}  // namespace

bool TBackupFile::Restaura(const fs::path& arquivo, const fs::path& pasta) {
  std::error_code ec;
  const fs::path base = pasta.empty() ? fs::current_path(ec) : pasta;
  int erro = kErroNenhum;
  Leitor l;
  std::unique_ptr<ArquivoRestaurado> atual;
  std::int64_t restante = tamanhoMaximoRestauracao_;
  std::string nomeAtual;
  std::int64_t feito = 0;
  auto continua = [this] { return continua_.load(); };
  auto aoBloco = [&](std::size_t n) {
    feito += static_cast<std::int64_t>(n);
    Progresso(nomeAtual, feito);
  };
  auto conclui = [&] {
    if (!atual) return;
    atual->conclui();
    atual.reset();
    ++restaurados_;
  };
  try {
    Descompressor z;
    if (!l.abre(arquivo)) throw Falha{kErroLeituraBackup};
    titulo_ = LeCabecalho(l, tamanhoTotal_, quantidade_);
    int volume = 1;
    while (continua_) {
      const std::int32_t n = l.int32();
      if (n == 0) break;
      if (n < 0 || n > kMaxNome) throw Falha{kErroTipoBackup};
      const std::string nome = l.texto(n);

      if (nome.starts_with(kNomeProximoDisco)) {
        // Volumes come in order; anything else would loop or skip data.
        if (NumeroProximoDisco(nome) != volume + 1) throw Falha{kErroTipoBackup};
        ++volume;
        l.fecha();
        const fs::path proximo = NomeVolume(arquivo, volume);
        for (bool semTratador = false; PedeDisco(volume, semTratador) && !fs::exists(proximo, ec);)
          if (semTratador) throw Falha{kErroLeituraBackup};
        if (!continua_) break;
        if (!l.abre(proximo)) throw Falha{kErroLeituraBackup};
        LeSegmento(l, z, atual.get(), continua, aoBloco);
        continue;
      }

      conclui();
      const std::uint32_t data = l.uint32();
      if (nome == kNomeListaArquivos) {
        LeSegmento(l, z, nullptr, continua, aoBloco);
        continue;
      }
      const auto relativo = CaminhoRelativo(nome, caminhoCompleto_);
      if (!relativo) throw Falha{kErroTipoBackup};
      const fs::path alvo = base / *relativo;

      const auto dataAlvo = DataDosArquivo(alvo);
      const bool existe = fs::exists(fs::symlink_status(alvo, ec));
      bool restaura = false;
      switch (modoRestauracao_) {
        case rmAll: restaura = true; break;
        case rmNoOverwrite: restaura = !existe; break;
        case rmNewer: restaura = !existe || (dataAlvo && *dataAlvo < data); break;
        case rmExisting: restaura = existe; break;
        case rmExistingNewer: restaura = existe && dataAlvo && *dataAlvo < data; break;
      }
      std::string nomeAlvo = alvo.string();
      if (eventos_) eventos_->OnRestoreFile(*this, nomeAlvo, data, restaura);
      if (filtro_ && !filtro_(nome)) restaura = false;
      if (!continua_) break;

      if (restaura) {
        const fs::path destino(nomeAlvo);
        if (nomeAlvo == alvo.string()) {
          restaura = CriaPastas(base, *relativo);
        } else {
          // A target chosen by the front end is its own business.
          fs::create_directories(destino.parent_path(), ec);
          restaura = fs::is_directory(destino.parent_path(), ec);
        }
        if (restaura) {
          atual = std::make_unique<ArquivoRestaurado>(destino, data, tamanhoMaximoRestauracao_ ? &restante : nullptr);
          atual->abre();
          nomeAtual = nome;
        }
      }
      LeSegmento(l, z, atual.get(), continua, aoBloco);
    }
    if (continua_) conclui();
  } catch (const Falha& f) {
    erro = f.codigo;
  }
  atual.reset();  // an unfinished file never replaces its target
  l.fecha();
  if (eventos_) {
    bool ignora = true;
    eventos_->OnProgress(*this, "", 100, ignora);
  }
  const bool parado = !continua_;
  Termina(erro);
  return erro == kErroNenhum && !parado;
}

std::string TBackupFile::GetArchiveInfo(const fs::path& arquivo, std::vector<std::string>* lista) {
  CompletaTroca(arquivo);
  Leitor l;
  if (!l.abre(arquivo)) throw EBackupFile(kErroLeituraBackup);
  try {
    std::string titulo = LeCabecalho(l, tamanhoTotal_, quantidade_);
    if (lista) {
      lista->clear();
      if (l.int32() == static_cast<std::int32_t>(kNomeListaArquivos.size()) &&
          l.texto(static_cast<std::int32_t>(kNomeListaArquivos.size())) == kNomeListaArquivos) {
        l.uint32();
        Descompressor z;
        SaidaTexto texto;
        LeSegmento(l, z, &texto, [] { return true; }, [](std::size_t) {});
        std::string_view resto(texto.texto);
        while (!resto.empty()) {
          const std::size_t i = resto.find('\n');
          std::string_view linha = resto.substr(0, i);
          if (!linha.empty() && linha.back() == '\r') linha.remove_suffix(1);
          lista->emplace_back(linha);
          if (i == std::string_view::npos) break;
          resto.remove_prefix(i + 1);
        }
      }
    }
    return titulo;
  } catch (const Falha& f) {
    throw EBackupFile(f.codigo);
  }
}

}  // namespace vornex
