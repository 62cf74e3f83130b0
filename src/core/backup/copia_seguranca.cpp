#include "backup/copia_seguranca.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "data/pasta_dados.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 3> kTabelasDeclaracao = {"Bd8emp", "Bd8vinc", "BD8Resp"};

class BaseSqlite {
 public:
  BaseSqlite(const fs::path& p, int modo) {
    if (sqlite3_open_v2(p.c_str(), &db_, modo, nullptr) != SQLITE_OK) {
      sqlite3_close_v2(db_);
      db_ = nullptr;
    }
  }
  ~BaseSqlite() { sqlite3_close_v2(db_); }
  BaseSqlite(const BaseSqlite&) = delete;
  BaseSqlite& operator=(const BaseSqlite&) = delete;

  explicit operator bool() const { return db_ != nullptr; }
  sqlite3* get() const { return db_; }
  bool executa(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

 private:
  sqlite3* db_ = nullptr;
};

class Consulta {
 public:
  Consulta(sqlite3* db, const char* sql) {
    if (sqlite3_prepare_v2(db, sql, -1, &st_, nullptr) != SQLITE_OK) st_ = nullptr;
  }
  ~Consulta() { sqlite3_finalize(st_); }
  Consulta(const Consulta&) = delete;
  Consulta& operator=(const Consulta&) = delete;

  explicit operator bool() const { return st_ != nullptr; }
  sqlite3_stmt* get() const { return st_; }

 private:
  sqlite3_stmt* st_ = nullptr;
};

// A private folder below <data folder>/Work, removed with everything in it.
class PastaTrabalho {
 public:
  explicit PastaTrabalho(const fs::path& pastaDados) : pai_(pastaDados / kPastaTrabalhoRestauracao) {
    std::error_code ec;
    fs::create_directories(pai_, ec);
    std::string modelo = (pai_ / "XXXXXX").string();
    if (::mkdtemp(modelo.data())) caminho_ = modelo;
  }
  ~PastaTrabalho() {
    std::error_code ec;
    if (!caminho_.empty()) fs::remove_all(caminho_, ec);
    fs::remove(pai_, ec);  // only when nothing else is left in it
  }
  PastaTrabalho(const PastaTrabalho&) = delete;
  PastaTrabalho& operator=(const PastaTrabalho&) = delete;

  bool ok() const { return !caminho_.empty(); }
  const fs::path& caminho() const { return caminho_; }

 private:
  fs::path pai_;
  fs::path caminho_;
};

// A consistent copy of the database even while another connection writes to it.
bool Fotografa(const fs::path& origem, const fs::path& destino) {
  BaseSqlite o(origem, SQLITE_OPEN_READONLY);
  BaseSqlite d(destino, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (!o || !d) return false;
  sqlite3_backup* b = sqlite3_backup_init(d.get(), "main", o.get(), "main");
  if (!b) return false;
  int r = SQLITE_OK;
  for (int tentativas = 0; tentativas < 100; ++tentativas) {
    r = sqlite3_backup_step(b, -1);
    if (r != SQLITE_BUSY && r != SQLITE_LOCKED) break;
    sqlite3_sleep(50);
  }
  const int fim = sqlite3_backup_finish(b);
  // One self-contained file, whatever journal the original uses.
  return r == SQLITE_DONE && fim == SQLITE_OK && d.executa("PRAGMA journal_mode=DELETE");
}

// A sound SQLite database holding the three declaration tables. The file
// came from an archive: it is opened read-only and defensively.
bool DeclaracaoIntegra(const fs::path& p) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(p, ec))) return false;
  BaseSqlite b(p, SQLITE_OPEN_READONLY);
  if (!b) return false;
  sqlite3_db_config(b.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(b.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  {
    Consulta c(b.get(), "PRAGMA integrity_check");
    if (!c || sqlite3_step(c.get()) != SQLITE_ROW) return false;
    const auto* t = sqlite3_column_text(c.get(), 0);
    if (!t || std::string_view(reinterpret_cast<const char*>(t)) != "ok") return false;
    if (sqlite3_step(c.get()) != SQLITE_DONE) return false;
  }
  for (const char* tabela : kTabelasDeclaracao) {
    Consulta c(b.get(), "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1 COLLATE NOCASE");
    if (!c) return false;
    sqlite3_bind_text(c.get(), 1, tabela, -1, SQLITE_STATIC);
    if (sqlite3_step(c.get()) != SQLITE_ROW) return false;
  }
  return true;
}

bool Sincroniza(int fd) { return ::fsync(fd) == 0; }

// Copies `origem` to a new file in `pasta`; its name, or empty on failure.
fs::path CopiaAoLado(const fs::path& origem, const fs::path& pasta, mode_t modo) {
  std::string modelo = (pasta / ".declaracao-XXXXXX").string();
  const int destino = ::mkstemp(modelo.data());
  if (destino < 0) return {};
  bool ok = ::fchmod(destino, modo) == 0;
  const int fonte = ::open(origem.c_str(), O_RDONLY | O_CLOEXEC);
  ok = ok && fonte >= 0;
  char buf[65536];
  while (ok) {
    const ssize_t n = ::read(fonte, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    for (ssize_t feito = 0; ok && feito < n;) {
      const ssize_t w = ::write(destino, buf + feito, static_cast<std::size_t>(n - feito));
      if (w < 0 && errno == EINTR) continue;
      ok = w > 0;
      if (ok) feito += w;
    }
  }
  if (fonte >= 0) ::close(fonte);
  ok = Sincroniza(destino) && ok;
  ok = ::close(destino) == 0 && ok;
  if (!ok) {
    ::unlink(modelo.c_str());
    return {};
  }
  return modelo;
}

// Brings the current file's journal home, so that nothing of it can be
// replayed onto the new file; false when another connection keeps it open.
bool AssentaDiario(const fs::path& atual) {
  std::error_code ec;
  if (!fs::exists(atual, ec)) return true;
  {
    BaseSqlite b(atual, SQLITE_OPEN_READWRITE);
    if (b) {
      b.executa("SELECT count(*) FROM sqlite_master");  // rolls a hot journal back
      b.executa("PRAGMA wal_checkpoint(TRUNCATE)");
    }
  }
  // The last connection to close removes the WAL file; a journal left with
  // content belongs to a transaction still open elsewhere.
  if (fs::exists(fs::path(atual.string() + "-wal"), ec)) return false;
  const fs::path diario(atual.string() + "-journal");
  return !fs::exists(diario, ec) || fs::file_size(diario, ec) == 0;
}

// Puts `novo` in place of declaracao.db; empty when done, else the reason.
std::string_view Instala(const fs::path& novo, const fs::path& pastaDados) {
  std::error_code ec;
  fs::create_directories(pastaDados, ec);
  const fs::path atual = pastaDados / kArquivoDeclaracao;
  struct stat st {};
  const mode_t modo = ::stat(atual.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0600;
  const fs::path copia = CopiaAoLado(novo, pastaDados, modo);
  if (copia.empty()) return TextoErroBackup(kErroSobrescrita);
  if (!AssentaDiario(atual)) {
    fs::remove(copia, ec);
    return kMsgDeclaracaoEmUso;
  }
  if (::rename(copia.c_str(), atual.c_str()) != 0) {
    fs::remove(copia, ec);
    return TextoErroBackup(kErroSobrescrita);
  }
  for (const char* sufixo : {"-shm", "-journal"}) fs::remove(fs::path(atual.string() + sufixo), ec);
  if (const int d = ::open(pastaDados.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); d >= 0) {
    Sincroniza(d);
    ::close(d);
  }
  return {};
}

void Configura(TBackupFile& b, EventosBackup* eventos) {
  b.BackupTitle(std::string(kTituloBackupZema));
  b.BackupMode(bmAll);
  b.CompressionLevel(clFastest);
  b.RestoreMode(rmAll);
  b.SetArchiveFlag(false);
  b.RestoreFullPath(false);
  b.SaveFileID(false);
  b.Eventos(eventos);
}

ResultadoCopia Falhou(std::string_view mensagem, std::string_view detalhe = {}) {
  return {false, false, std::string(mensagem), std::string(detalhe)};
}

}  // namespace

std::string MensagemErroBackup(std::string_view texto) {
  return "Ocorreu um erro durante o processo de backup: [" + std::string(texto) + "].";
}

std::optional<std::int64_t> TamanhoVolumeLivre(std::uint64_t espacoLivre) {
  if (espacoLivre < kEspacoMinimoVolume) return std::nullopt;
  return static_cast<std::int64_t>(std::min<std::uint64_t>(espacoLivre - kReservaVolumeCopia, INT64_MAX));
}

std::string MensagemTamanhoVolumeMinimo() {
  return "O tamanho de cada volume deve ser de ao menos " + std::to_string(kTamanhoVolumeMinimo) + " bytes.";
}

std::optional<std::uint64_t> EspacoLivre(const fs::path& pasta) {
  std::error_code ec;
  const auto s = fs::space(pasta.empty() ? fs::path(".") : pasta, ec);
  if (ec) return std::nullopt;
  return s.available;
}

bool ExtensaoBackupValida(const fs::path& arquivo) {
  std::string e = arquivo.extension().string();
  for (char& c : e) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return e == kExtensaoBackup;
}

fs::path ComExtensaoBackup(fs::path arquivo) {
  if (!arquivo.has_extension()) arquivo += std::string(kExtensaoBackup);
  return arquivo;
}

ResultadoCopia GravaCopiaSeguranca(const fs::path& pastaDados, const fs::path& arquivo,
                                   std::int64_t tamanhoVolume, EventosBackup* eventos) {
  // Another extension would give an archive the restore refuses.
  if (!ExtensaoBackupValida(arquivo)) return Falhou(kMsgExtensaoInvalida);
  if (tamanhoVolume != 0 && tamanhoVolume < kTamanhoVolumeMinimo) return Falhou(MensagemTamanhoVolumeMinimo());
  const auto semLeitura = TextoErroBackup(kErroLeituraArquivo);
  const fs::path declaracao = pastaDados / kArquivoDeclaracao;
  std::error_code ec;
  if (!fs::is_regular_file(declaracao, ec)) return Falhou(MensagemErroBackup(semLeitura), semLeitura);

  PastaTrabalho trabalho(pastaDados);
  const fs::path copia = trabalho.caminho() / kArquivoDeclaracao;
  if (!trabalho.ok() || !Fotografa(declaracao, copia))
    return Falhou(MensagemErroBackup(semLeitura), semLeitura);

  TBackupFile b;
  Configura(b, eventos);
  b.MaxSize(tamanhoVolume);
  const std::string nome = fs::absolute(declaracao, ec).lexically_normal().string();
  if (b.BackupArquivos({{copia, nome}}, arquivo))
    return {true, false, std::string(kMsgGravacaoBemSucedida), {}};
  if (b.ErrorCode() == kErroNenhum) return {false, true, {}, {}};
  return Falhou(MensagemErroBackup(b.ErrorText()), b.ErrorText());
}

ResultadoCopia RestauraCopiaSeguranca(const fs::path& pastaDados, const fs::path& arquivo,
                                      EventosBackup* eventos) {
  if (!ExtensaoBackupValida(arquivo)) return Falhou(kMsgExtensaoInvalida);
  std::error_code ec;
  if (!fs::exists(arquivo, ec)) return Falhou(kMsgArquivoInexistente);

  TBackupFile b;
  Configura(b, eventos);
  try {
    if (b.GetArchiveInfo(arquivo) != kTituloBackupZema) return Falhou(kMsgBackupInvalido);
  } catch (const EBackupFile&) {
    return Falhou(kMsgBackupInvalido);
  }

  fs::create_directories(pastaDados, ec);
  PastaTrabalho trabalho(pastaDados);
  if (!trabalho.ok()) return Falhou(kMsgErroRestauracao, kMsgSemPastaTrabalho);
  if (!b.Restore(arquivo, trabalho.caminho())) {
    if (b.ErrorCode() == kErroNenhum) return {false, true, std::string(kMsgErroRestauracao), {}};
    return Falhou(kMsgErroRestauracao, b.ErrorText());
  }
  // Only the declaration tables are taken from the archive: anything else in
  // it stays in the work folder and goes with it.
  const fs::path restaurada = trabalho.caminho() / kArquivoDeclaracao;
  if (!DeclaracaoIntegra(restaurada)) return Falhou(kMsgErroRestauracao, kMsgSemDeclaracao);
  if (const auto motivo = Instala(restaurada, pastaDados); !motivo.empty())
    return Falhou(kMsgErroRestauracao, motivo);
  return {true, false, std::string(kMsgRestauracaoBemSucedida), {}};
}

}  // namespace vornex
