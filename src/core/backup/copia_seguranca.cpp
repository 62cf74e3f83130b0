#include "backup/copia_seguranca.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "common/texto.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "data/trava_pasta.h"
#include "platform/arquivo_atomico.h"
#include "platform/arquivo_entrada.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

// No declaration of ours comes near this; an archive that claims or holds
// more is not restored.
constexpr std::int64_t kLimiteRestauracao = std::int64_t{1} << 30;

class BaseSqlite {
 public:
  BaseSqlite(const std::string& nome, int modo) {
    if (sqlite3_open_v2(nome.c_str(), &db_, modo | SQLITE_OPEN_EXRESCODE, nullptr) != SQLITE_OK) {
      sqlite3_close_v2(db_);
      db_ = nullptr;
    }
  }
  BaseSqlite(const fs::path& p, int modo) : BaseSqlite(p.string(), modo) {}
  ~BaseSqlite() { sqlite3_close_v2(db_); }
  BaseSqlite(const BaseSqlite&) = delete;
  BaseSqlite& operator=(const BaseSqlite&) = delete;

  explicit operator bool() const { return db_ != nullptr; }
  sqlite3* get() const { return db_; }
  bool executa(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

 private:
  sqlite3* db_ = nullptr;
};

class Instrucao {
 public:
  Instrucao(sqlite3* db, const std::string& sql) {
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st_, nullptr) != SQLITE_OK) st_ = nullptr;
  }
  ~Instrucao() { sqlite3_finalize(st_); }
  Instrucao(const Instrucao&) = delete;
  Instrucao& operator=(const Instrucao&) = delete;

  explicit operator bool() const { return st_ != nullptr; }
  sqlite3_stmt* get() const { return st_; }
  std::string texto(int coluna) const {
    const auto* t = sqlite3_column_text(st_, coluna);
    return t ? std::string(reinterpret_cast<const char*>(t)) : std::string();
  }

 private:
  sqlite3_stmt* st_ = nullptr;
};

// The single text a pragma answers; empty on any failure.
std::string Pragma(sqlite3* db, const char* sql) {
  Instrucao c(db, sql);
  if (!c || sqlite3_step(c.get()) != SQLITE_ROW) return {};
  std::string r = c.texto(0);
  return sqlite3_step(c.get()) == SQLITE_DONE ? r : std::string();
}

bool Integra(sqlite3* db) { return Pragma(db, "PRAGMA integrity_check") == "ok"; }

// A private folder below <data folder>/Work, removed with everything in it.
class PastaTrabalho {
 public:
  explicit PastaTrabalho(const fs::path& pastaDados) : pai_(pastaDados / kPastaTrabalho) {
    std::error_code ec;
    fs::create_directory(pai_, ec);
    if (!fs::is_directory(fs::symlink_status(pai_, ec))) return;
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

// What stopped a copy of the database: the original could not be read, or
// the copy could not be written where it goes.
enum class FalhaFoto { Nenhuma, Leitura, Gravacao };

bool FalhaDeGravacao(int codigoEstendido) {
  switch (codigoEstendido & 0xff) {
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
      return true;
    case SQLITE_IOERR:
      return codigoEstendido != SQLITE_IOERR_READ && codigoEstendido != SQLITE_IOERR_SHORT_READ;
    default:
      return false;
  }
}

// A consistent copy of the database even while another connection writes to
// it; a failure also when the copy is not sound.
FalhaFoto Fotografa(const fs::path& origem, const fs::path& destino) {
  BaseSqlite o(origem, SQLITE_OPEN_READONLY);
  if (!o) return FalhaFoto::Leitura;
  BaseSqlite d(destino, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  if (!d) return FalhaFoto::Gravacao;
  sqlite3_backup* b = sqlite3_backup_init(d.get(), "main", o.get(), "main");
  if (!b) return FalhaFoto::Leitura;
  int r = SQLITE_OK;
  for (int tentativas = 0; tentativas < 100; ++tentativas) {
    r = sqlite3_backup_step(b, -1);
    if (r != SQLITE_BUSY && r != SQLITE_LOCKED) break;
    sqlite3_sleep(50);
  }
  const int fim = sqlite3_backup_finish(b);
  if (r != SQLITE_DONE || fim != SQLITE_OK)
    return FalhaDeGravacao(sqlite3_extended_errcode(d.get())) ? FalhaFoto::Gravacao : FalhaFoto::Leitura;
  // One self-contained file, whatever journal the original uses.
  return d.executa("PRAGMA journal_mode=DELETE") ? FalhaFoto::Nenhuma : FalhaFoto::Gravacao;
}

// The file as an SQLite URI that opens it read-only as it is: no journal or
// WAL file beside it is ever read or made.
std::string UriImutavel(const fs::path& p) {
  std::string r = "file:";
  for (const unsigned char c : p.string()) {
    if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_' || c == '~') {
      r += static_cast<char>(c);
    } else {
      char h[4];
      std::snprintf(h, sizeof h, "%%%02X", c);
      r += h;
    }
  }
  return r + "?immutable=1";
}

std::string Minusculas(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// "type name" of every object of the database, names in lower case.
std::optional<std::set<std::string>> Objetos(sqlite3* db) {
  Instrucao c(db, "SELECT type, name FROM main.sqlite_schema");
  if (!c) return std::nullopt;
  std::set<std::string> r;
  int rc;
  while ((rc = sqlite3_step(c.get())) == SQLITE_ROW) r.insert(c.texto(0) + " " + Minusculas(c.texto(1)));
  if (rc != SQLITE_DONE) return std::nullopt;
  return r;
}

std::optional<std::set<std::string>> Colunas(sqlite3* db, const std::string& tabela) {
  Instrucao c(db, "SELECT name FROM pragma_table_info(?1)");
  if (!c) return std::nullopt;
  sqlite3_bind_text(c.get(), 1, tabela.c_str(), -1, SQLITE_TRANSIENT);
  std::set<std::string> r;
  int rc;
  while ((rc = sqlite3_step(c.get())) == SQLITE_ROW) r.insert(Minusculas(c.texto(0)));
  if (rc != SQLITE_DONE) return std::nullopt;
  return r;
}

// Builds in `novo` (an empty file) a declaration database of our own and
// copies into it the rows of the archived one, which is untrusted: it must
// be a sound UTF-8 database of exactly its pages, holding our own tables
// with all their columns and no object (table, index, trigger, view) that
// ours does not have. Nothing of it but the rows is ever used: its schema,
// triggers and journals never reach the data folder. Empty when done, else
// the reason.
std::string_view Reconstroi(const fs::path& arquivada, const fs::path& novo) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(arquivada, ec))) return kMsgSemDeclaracao;
  const auto tamanho = fs::file_size(arquivada, ec);
  if (ec) return kMsgSemDeclaracao;
  try {
    CriaArquivoDeclaracaoVazio(novo);
  } catch (const std::exception&) {
    return TextoErroBackup(kErroSobrescrita);
  }

  BaseSqlite a(UriImutavel(arquivada), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
  if (!a) return kMsgSemDeclaracao;
  sqlite3_db_config(a.get(), SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
  sqlite3_db_config(a.get(), SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
  if (Pragma(a.get(), "PRAGMA encoding") != "UTF-8") return kMsgSemDeclaracao;
  const std::string paginas = Pragma(a.get(), "PRAGMA page_count"), pagina = Pragma(a.get(), "PRAGMA page_size");
  if (paginas.empty() || pagina.empty() ||
      std::stoull(paginas) * std::stoull(pagina) != static_cast<unsigned long long>(tamanho))
    return kMsgSemDeclaracao;
  if (!Integra(a.get())) return kMsgSemDeclaracao;

  BaseSqlite n(novo, SQLITE_OPEN_READWRITE);
  if (!n) return TextoErroBackup(kErroSobrescrita);
  const auto nossos = Objetos(n.get()), deles = Objetos(a.get());
  if (!nossos || !deles) return kMsgSemDeclaracao;
  for (const auto& o : *deles)
    if (!nossos->contains(o)) return kMsgSemDeclaracao;

  if (!n.executa("PRAGMA journal_mode = MEMORY") || !n.executa("BEGIN")) return TextoErroBackup(kErroSobrescrita);
  for (const auto& def : DefinicoesSistema()) {
    if (def.arquivo() != ArquivoDados::Declaracao) continue;
    const auto colunas = Colunas(a.get(), def.nome());
    if (!colunas || colunas->size() != def.campos().size()) return kMsgSemDeclaracao;
    std::string lista, marcas;
    for (std::size_t i = 0; i < def.campos().size(); ++i) {
      if (!colunas->contains(Minusculas(def.campos()[i].nome))) return kMsgSemDeclaracao;
      lista += (i ? ", " : "") + Identificador(def.campos()[i].nome);
      marcas += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    const std::string tabela = "main." + Identificador(def.nome());
    Instrucao le(a.get(), "SELECT " + lista + " FROM " + tabela + " ORDER BY rowid");
    Instrucao grava(n.get(), "INSERT INTO " + tabela + " (" + lista + ") VALUES (" + marcas + ")");
    if (!le || !grava) return kMsgSemDeclaracao;
    const int m = static_cast<int>(def.campos().size());
    int rc;
    while ((rc = sqlite3_step(le.get())) == SQLITE_ROW) {
      for (int i = 0; i < m; ++i) sqlite3_bind_value(grava.get(), i + 1, sqlite3_column_value(le.get(), i));
      // A value our columns refuse (length, type, key) makes it not ours.
      if (sqlite3_step(grava.get()) != SQLITE_DONE) return kMsgSemDeclaracao;
      sqlite3_reset(grava.get());
    }
    if (rc != SQLITE_DONE) return kMsgSemDeclaracao;
  }
  if (!n.executa("COMMIT") || !Integra(n.get())) return TextoErroBackup(kErroSobrescrita);
  return {};
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

// The permissions the folder's files have: those of the declaration file,
// else of the reference file, else a new file's.
mode_t ModoDaPasta(const fs::path& pastaDados) {
  for (const char* a : {kArquivoDeclaracao, kArquivoReferencia}) {
    struct stat st {};
    if (::stat((pastaDados / a).c_str(), &st) == 0 && S_ISREG(st.st_mode)) return st.st_mode & 0777;
  }
  return ModoArquivoNovo();
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
  return IgualSemCaixa(arquivo.extension().string(), kExtensaoBackup);
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
  try {
    TravaPastaDados trava(pastaDados);
    PastaTrabalho trabalho(pastaDados);
    const fs::path copia = trabalho.caminho() / kArquivoDeclaracao;
    // A full or unwritable data folder is not a file that cannot be read.
    const auto semGravacao = "Não foi possível gravar a cópia temporária da declaração em " +
                             (pastaDados / kPastaTrabalho).string() + " (disco cheio ou sem permissão de escrita)";
    const FalhaFoto falha = trabalho.ok() ? Fotografa(declaracao, copia) : FalhaFoto::Gravacao;
    if (falha == FalhaFoto::Leitura) return Falhou(MensagemErroBackup(semLeitura), semLeitura);
    if (falha == FalhaFoto::Gravacao) return Falhou(MensagemErroBackup(semGravacao), semGravacao);
    {
      BaseSqlite c(copia, SQLITE_OPEN_READONLY);
      if (!c || !Integra(c.get())) return Falhou(MensagemErroBackup(kMsgDeclaracaoDanificada), kMsgDeclaracaoDanificada);
    }

    TBackupFile b;
    Configura(b, eventos);
    b.MaxSize(tamanhoVolume);
    const std::string nome = fs::absolute(declaracao, ec).lexically_normal().string();
    if (b.BackupArquivos({{copia, nome}}, arquivo))
      return {true, false, std::string(kMsgGravacaoBemSucedida), {}};
    if (b.ErrorCode() == kErroNenhum) return {false, true, {}, {}};
    return Falhou(MensagemErroBackup(b.ErrorText()), b.ErrorText());
  } catch (const ErroPastaEmUso& e) {
    return Falhou(e.what());
  } catch (const std::runtime_error& e) {
    return Falhou(MensagemErroBackup(e.what()), e.what());
  }
}

ResultadoCopia RestauraCopiaSeguranca(const fs::path& pastaDados, const fs::path& arquivo,
                                      EventosBackup* eventos) {
  if (!ExtensaoBackupValida(arquivo)) return Falhou(kMsgExtensaoInvalida);
  if (const auto p = VerificaArquivoEntrada(arquivo))
    return p->inexistente ? Falhou(kMsgArquivoInexistente) : Falhou(p->texto);

  TBackupFile b;
  Configura(b, eventos);
  try {
    if (b.GetArchiveInfo(arquivo) != kTituloBackupZema) return Falhou(kMsgBackupInvalido);
  } catch (const EBackupFile&) {
    return Falhou(kMsgBackupInvalido);
  }
  if (b.TotalSize() > kLimiteRestauracao) return Falhou(kMsgErroRestauracao, kMsgCopiaGrandeDemais);

  std::error_code ec;
  fs::create_directories(pastaDados, ec);
  try {
    TravaPastaDados trava(pastaDados);
    const bool pastaNova = PastaDadosVazia(pastaDados);
    PastaTrabalho trabalho(pastaDados);
    if (!trabalho.ok()) return Falhou(kMsgErroRestauracao, kMsgSemPastaTrabalho);
    // Only the declaration database is taken from the archive: anything else
    // in it is read past without writing a byte.
    b.RestoreFilter([](const std::string& nome) {
      const auto barra = nome.find_last_of("\\/");
      return Minusculas(barra == std::string::npos ? nome : nome.substr(barra + 1)) == kArquivoDeclaracao;
    });
    b.MaxRestoreSize(kLimiteRestauracao);
    if (!b.Restore(arquivo, trabalho.caminho())) {
      if (b.ErrorCode() == kErroNenhum) return {false, true, std::string(kMsgErroRestauracao), {}};
      return Falhou(kMsgErroRestauracao, b.ErrorText());
    }

    // The new declaration file is built beside the current one and put in
    // its place by one rename.
    const fs::path atual = pastaDados / kArquivoDeclaracao;
    ArquivoAtomico novo;
    if (!novo.cria(atual, ModoDaPasta(pastaDados)) || !novo.sela())
      return Falhou(kMsgErroRestauracao, TextoErroBackup(kErroSobrescrita));
    if (const auto motivo = Reconstroi(trabalho.caminho() / kArquivoDeclaracao, novo.temporario()); !motivo.empty())
      return Falhou(kMsgErroRestauracao, motivo);
    // A new folder gets everything else a data folder has.
    if (pastaNova) InicializaPastaDados(pastaDados);
    if (!AssentaDiario(atual)) return Falhou(kMsgErroRestauracao, kMsgDeclaracaoEmUso);
    if (!novo.instala()) return Falhou(kMsgErroRestauracao, TextoErroBackup(kErroSobrescrita));
    for (const char* sufixo : {"-shm", "-journal"}) fs::remove(fs::path(atual.string() + sufixo), ec);
    return {true, false, std::string(kMsgRestauracaoBemSucedida), {}};
  } catch (const ErroPastaEmUso& e) {
    return Falhou(e.what());
  } catch (const std::exception& e) {
    return Falhou(kMsgErroRestauracao, e.what());
  }
}

}  // namespace vornex
