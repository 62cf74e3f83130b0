#include "platform/midia.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <map>
#include <sstream>

#include "common/texto.h"

namespace vornex {

namespace fs = std::filesystem;

Midia MidiaPasta(fs::path pasta, std::optional<std::uint64_t> capacidade) {
  Midia m;
  m.tipo = TipoMidia::Pasta;
  m.descricao = pasta.string();
  m.pasta = std::move(pasta);
  m.capacidade = capacidade;
  return m;
}

// --- removable volumes --------------------------------------------------------

namespace {

// Mount tables write space, tab, newline and backslash as \ooo.
std::string Desescapa(std::string_view s) {
  std::string r;
  r.reserve(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\\' && i + 3 < s.size()) {
      const char a = s[i + 1], b = s[i + 2], c = s[i + 3];
      if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
        r.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
        i += 3;
        continue;
      }
    }
    r.push_back(s[i]);
  }
  return r;
}

bool Abaixo(std::string_view ponto, std::string_view raiz) {
  return ponto.size() > raiz.size() && ponto.substr(0, raiz.size()) == raiz && ponto[raiz.size()] == '/';
}

}  // namespace

std::vector<Montagem> AnalisaMontagens(std::string_view texto) {
  std::vector<Montagem> r;
  std::size_t inicio = 0;
  while (inicio < texto.size()) {
    std::size_t fim = texto.find('\n', inicio);
    if (fim == std::string_view::npos) fim = texto.size();
    const std::string_view linha = texto.substr(inicio, fim - inicio);
    inicio = fim + 1;

    std::vector<std::string_view> campos;
    std::size_t p = 0;
    while (p < linha.size() && campos.size() < 4) {
      while (p < linha.size() && (linha[p] == ' ' || linha[p] == '\t' || linha[p] == '\r')) ++p;
      if (p >= linha.size()) break;
      std::size_t q = p;
      while (q < linha.size() && linha[q] != ' ' && linha[q] != '\t' && linha[q] != '\r') ++q;
      campos.push_back(linha.substr(p, q - p));
      p = q;
    }
    if (campos.size() < 3 || campos[0].front() == '#') continue;
    r.push_back({Desescapa(campos[0]), Desescapa(campos[1]), Desescapa(campos[2]),
                 campos.size() > 3 ? Desescapa(campos[3]) : std::string()});
  }
  return r;
}

std::vector<Midia> MidiasRemoviveis(const std::vector<Montagem>& montagens,
                                    const std::function<bool(std::string_view)>& removivel) {
  // A later mount over the same point hides the earlier one.
  std::map<std::string, std::size_t> ultima;
  for (std::size_t i = 0; i < montagens.size(); ++i) ultima[montagens[i].ponto] = i;

  std::vector<Midia> r;
  for (std::size_t i = 0; i < montagens.size(); ++i) {
    const Montagem& m = montagens[i];
    if (ultima[m.ponto] != i) continue;
    if (m.dispositivo.rfind("/dev/", 0) != 0) continue;
    if (!Abaixo(m.ponto, "/media") && !Abaixo(m.ponto, "/run/media") && !removivel(m.dispositivo)) continue;
    Midia midia;
    midia.tipo = TipoMidia::Removivel;
    midia.pasta = m.ponto;
    midia.dispositivo = m.dispositivo;
    midia.descricao = m.ponto;
    r.push_back(std::move(midia));
  }
  return r;
}

bool DispositivoRemovivel(std::string_view dispositivo, const fs::path& sys) {
  std::error_code ec;
  fs::path real = fs::canonical(fs::path(dispositivo), ec);  // /dev/disk/by-label/... and the like
  if (ec) real = fs::path(dispositivo);
  const std::string nome = real.filename().string();
  if (nome.empty() || nome == "." || nome == "..") return false;

  const fs::path bloco = sys / "class" / "block" / nome;
  fs::path arquivo = bloco / "removable";
  if (!fs::exists(arquivo, ec) && fs::exists(bloco / "partition", ec)) {
    const fs::path disco = fs::canonical(bloco, ec);
    if (ec) return false;
    arquivo = disco.parent_path() / "removable";
  }
  std::ifstream f(arquivo);
  char c = 0;
  return f.get(c) && c == '1';
}

std::vector<Midia> ListaMidias() {
  for (const char* tabela : {"/proc/self/mounts", "/etc/mtab"}) {
    std::ifstream f(tabela);
    if (!f) continue;
    std::ostringstream texto;
    texto << f.rdbuf();
    return MidiasRemoviveis(AnalisaMontagens(texto.str()),
                            [](std::string_view d) { return DispositivoRemovivel(d); });
  }
  return {};
}

// --- probing ------------------------------------------------------------------

bool MidiaDisponivel(const Midia& midia) {
  if (midia.pasta.empty()) return false;
  struct stat st {};
  struct statvfs v {};
  if (::stat(midia.pasta.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  if (::statvfs(midia.pasta.c_str(), &v) != 0) return false;
  if (::access(midia.pasta.c_str(), R_OK | X_OK) != 0) return false;
  if (midia.tipo == TipoMidia::Removivel) {
    // Once unmounted, the mount point is a plain folder of another file
    // system: writing there would miss the medium.
    struct stat pai {};
    if (::stat((midia.pasta / "..").c_str(), &pai) != 0) return false;
    if (pai.st_dev == st.st_dev && pai.st_ino != st.st_ino) return false;
  }
  return true;
}

std::uint64_t CapacidadeMidia(const Midia& midia) {
  if (midia.capacidade) return *midia.capacidade;
  struct statvfs v {};
  if (midia.pasta.empty() || ::statvfs(midia.pasta.c_str(), &v) != 0) return 0;
  return static_cast<std::uint64_t>(v.f_blocks) * static_cast<std::uint64_t>(v.f_frsize);
}

namespace {

bool NomeDeclaracao(std::string_view nome) { return IgualSemCaixa(nome, kNomeArquivoDeclaracao); }

// FAT keeps hidden and system entries (such as "System Volume Information")
// out of a plain listing; so do we.
bool OcultoFat(int dirfd, const char* nome) {
  const int fd = ::openat(dirfd, nome, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  __u32 atributos = 0;
  const bool ok = ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &atributos) == 0;
  ::close(fd);
  return ok && (atributos & (ATTR_HIDDEN | ATTR_SYS)) != 0;
}

}  // namespace

EstadoRaiz VerificaRaiz(const Midia& midia, fs::path* declaracao) {
  DIR* d = ::opendir(midia.pasta.c_str());
  if (!d) return EstadoRaiz::Ilegivel;
  struct statfs sf {};
  const bool fat = ::fstatfs(::dirfd(d), &sf) == 0 && sf.f_type == MSDOS_SUPER_MAGIC;

  int visiveis = 0;
  bool soDeclaracao = false;
  std::string nomeDeclaracao;
  bool erro = false;
  for (;;) {
    errno = 0;
    const dirent* e = ::readdir(d);
    if (!e) {
      erro = errno != 0;
      break;
    }
    const std::string_view nome = e->d_name;
    if (nome.empty() || nome.front() == '.') continue;
    if (fat && OcultoFat(::dirfd(d), e->d_name)) continue;
    if (++visiveis > 1) break;
    struct stat st {};
    soDeclaracao = NomeDeclaracao(nome) && ::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
                   S_ISREG(st.st_mode);
    if (soDeclaracao) nomeDeclaracao = nome;
  }
  ::closedir(d);
  if (erro) return EstadoRaiz::Ilegivel;
  if (visiveis == 0) return EstadoRaiz::Vazia;
  if (visiveis == 1 && soDeclaracao) {
    if (declaracao) *declaracao = midia.pasta / nomeDeclaracao;
    return EstadoRaiz::SoDeclaracao;
  }
  return EstadoRaiz::OutrosArquivos;
}

fs::path CaminhoDeclaracao(const Midia& midia) { return midia.pasta / std::string(kNomeArquivoDeclaracao); }

bool CriaArquivoDeclaracao(const Midia& midia, ArquivoAtomico& arquivo) {
  RemoveParciais(midia.pasta, kNomeArquivoDeclaracao);
  return arquivo.cria(CaminhoDeclaracao(midia), 0644);
}

// --- prompts --------------------------------------------------------------------

std::string TextoMidiaNaoPronta(const Midia& midia) {
  return "Mídia com problema ou não há mídia em " + midia.descricao;
}

std::string TextoPedeMidia(int volume, const Midia& midia) {
  return "Insira a mídia # " + std::to_string(volume) + "\nem " + midia.descricao;
}

std::string TextoSobrescrever(const Midia& midia) {
  return "Existe um arquivo de nome \"" + std::string(kNomeArquivoDeclaracao) + "\" em " + midia.descricao +
         ".\nAutoriza gravar sobre?";
}

std::string TextoAviso(AvisoMidia aviso, const Midia&) {
  switch (aviso) {
    case AvisoMidia::ComArquivos: return "O disco a ser gravado não pode conter arquivos.";
    case AvisoMidia::ExclusaoFalhou:
      return "O arquivo \"" + std::string(kNomeArquivoDeclaracao) + "\" não pode ser excluido.";
    case AvisoMidia::CapacidadeInsuficiente:
      return "Espaço disponível para gravação abaixo do mínimo aceitável.\nSubstitua o disquete.";
    case AvisoMidia::CriacaoFalhou: return "Disco com problema ou não há disco na unidade.";
    case AvisoMidia::JaGravada: return "Esta mídia já contém um volume desta gravação.\nInsira outra mídia.";
  }
  return {};
}

bool AguardaMidia(const Midia& midia, InterfaceMidia& ui) {
  while (!MidiaDisponivel(midia))
    if (!ui.midiaNaoPronta(midia) && ui.confirmaInterrupcao()) return false;
  return true;
}

std::optional<Midia> PedeMidia(int volume, bool repeticao, const Midia& anterior, InterfaceMidia& ui) {
  for (;;) {
    auto m = ui.pedeMidia(volume, repeticao, anterior);
    if (!m) {
      if (ui.confirmaInterrupcao()) return std::nullopt;
    } else if (MidiaDisponivel(*m)) {
      return m;
    }
    repeticao = true;
  }
}

// --- the volumes of one writing run ---------------------------------------------

VolumesGravacao::VolumesGravacao(Midia primeira, InterfaceMidia& ui) : atual_(std::move(primeira)), ui_(ui) {}

bool VolumesGravacao::aguardaPrimeira() {
  if (!AguardaMidia(atual_, ui_)) return false;
  capacidade_ = CapacidadeMidia(atual_);
  return true;
}

bool VolumesGravacao::jaGravado(const fs::path& arquivo) const {
  struct stat st {};
  if (::stat(arquivo.c_str(), &st) != 0) return false;
  for (const auto& i : concluidos_)
    if (i.dispositivo == st.st_dev && i.inode == st.st_ino && i.tamanho == static_cast<std::uint64_t>(st.st_size) &&
        i.modificado == static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec)
      return true;
  return false;
}

std::FILE* VolumesGravacao::abreProximo() {
  ++volume_;
  bool repeticao = false;
  for (;; repeticao = true) {
    if (volume_ > 1 || repeticao) {
      auto m = PedeMidia(volume_, repeticao, atual_, ui_);
      if (!m) return nullptr;
      atual_ = std::move(*m);
    }
    if (!AguardaMidia(atual_, ui_)) return nullptr;

    fs::path antigo;
    const EstadoRaiz raiz = VerificaRaiz(atual_, &antigo);
    switch (raiz) {
      case EstadoRaiz::Vazia: break;
      case EstadoRaiz::OutrosArquivos: ui_.avisa(AvisoMidia::ComArquivos, atual_); continue;
      case EstadoRaiz::Ilegivel: ui_.avisa(AvisoMidia::CriacaoFalhou, atual_); continue;
      case EstadoRaiz::SoDeclaracao:
        if (jaGravado(antigo)) {
          ui_.avisa(AvisoMidia::JaGravada, atual_);
          continue;
        }
        if (!ui_.autorizaSobrescrever(atual_)) continue;
        // The old file is replaced by the rename that installs the new one:
        // until then a failed or killed run leaves it as it was.
        break;
    }
    capacidade_ = CapacidadeMidia(atual_);
    if (capacidade_ < kCapacidadeMinima) {
      ui_.avisa(AvisoMidia::CapacidadeInsuficiente, atual_);
      continue;
    }
    if (!CriaArquivoDeclaracao(atual_, inacabado_)) {
      ui_.avisa(AvisoMidia::CriacaoFalhou, atual_);
      continue;
    }
    antigo_ = antigo.filename() != kNomeArquivoDeclaracao ? antigo : fs::path();
    return inacabado_.fluxo();
  }
}

bool VolumesGravacao::concluiVolume() {
  if (!inacabado_.sela() || !inacabado_.instala()) return false;
  const fs::path final = CaminhoDeclaracao(atual_);
  std::error_code ec;
  if (!antigo_.empty() && !fs::equivalent(antigo_, final, ec)) fs::remove(antigo_, ec);
  antigo_.clear();
  struct stat st {};
  if (::stat(final.c_str(), &st) == 0)
    concluidos_.push_back({static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                           static_cast<std::uint64_t>(st.st_size),
                           static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec});
  return true;
}

bool VolumesGravacao::descartaInacabado() {
  if (inacabado_.temporario().empty()) return true;
  const fs::path temporario = inacabado_.temporario();
  inacabado_.descarta();
  std::error_code ec;
  return !fs::exists(fs::symlink_status(temporario, ec));
}

}  // namespace vornex
