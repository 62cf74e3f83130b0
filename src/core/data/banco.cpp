#include "data/banco.h"

#include <sqlite3.h>

#include <atomic>
#include <climits>
#include <unordered_map>

#include "data/pasta_dados.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kEsperaPadrao{1000};

[[noreturn]] void FalhaConexao(sqlite3* db, int rc, std::string_view contexto = {}) {
  int ext = db ? sqlite3_extended_errcode(db) : rc;
  if ((ext & 0xff) != (rc & 0xff)) ext = rc;
  throw ErroDoSqlite(ext, db ? sqlite3_errmsg(db) : sqlite3_errstr(rc), contexto);
}

void Valida(sqlite3* db, const std::string& esquema, const fs::path& arquivo) {
  // Opening is lazy; read the header now so a foreign file fails here,
  // naming itself, and not at some later query.
  std::string sql = "SELECT count(*) FROM " + Identificador(esquema) + ".sqlite_master";
  char* msg = nullptr;
  int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    std::string m = msg ? msg : sqlite3_errstr(rc);
    sqlite3_free(msg);
    throw ErroDoSqlite(sqlite3_extended_errcode(db), m, arquivo.string());
  }
}

}  // namespace

std::string Identificador(std::string_view nome) {
  std::string r = "\"";
  for (char c : nome) {
    if (c == '"') r += '"';
    r += c;
  }
  r += '"';
  return r;
}

// --- Conexao -----------------------------------------------------------------

struct Conexao::Estado {
  sqlite3* db = nullptr;
  std::string nome;
  fs::path diretorio;
  std::unordered_map<std::string, std::unique_ptr<Consulta>> cache;

  ~Estado() {
    cache.clear();  // statements first
    if (db) sqlite3_close_v2(db);
  }
};

Conexao::Conexao() = default;
Conexao::Conexao(Conexao&&) noexcept = default;
Conexao& Conexao::operator=(Conexao&&) noexcept = default;
Conexao::~Conexao() = default;

Conexao Conexao::Abre(const fs::path& arquivo, Modo modo, std::string nome) {
  std::error_code ec;
  if (modo == Modo::Existente && !fs::is_regular_file(arquivo, ec))
    throw ErroBanco(kErroAbreArquivo, DescricaoErro(kErroAbreArquivo) + ": " + arquivo.string(),
                    SQLITE_CANTOPEN);
  Conexao c;
  c.e_ = std::make_unique<Estado>();
  // Attached files inherit these flags: without CREATE a missing file is an
  // error, never a new empty database.
  int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_NOMUTEX;
  if (modo == Modo::Cria) flags |= SQLITE_OPEN_CREATE;
  int rc = sqlite3_open_v2(arquivo.c_str(), &c.e_->db, flags, nullptr);
  if (rc != SQLITE_OK) FalhaConexao(c.e_->db, rc, arquivo.string());
  sqlite3_extended_result_codes(c.e_->db, 1);
  c.e_->nome = std::move(nome);
  c.e_->diretorio = arquivo.parent_path();
  c.defineEspera(kEsperaPadrao);
  Valida(c.e_->db, "main", arquivo);
  return c;
}

void Conexao::anexa(const fs::path& arquivo, std::string_view esquema, Modo modo) {
  std::error_code ec;
  if (modo == Modo::Existente && !fs::is_regular_file(arquivo, ec))
    throw ErroBanco(kErroAbreArquivo, DescricaoErro(kErroAbreArquivo) + ": " + arquivo.string(),
                    SQLITE_CANTOPEN);
  if (modo == Modo::Cria && !fs::exists(arquivo, ec)) {
    // ATTACH takes the main file's open flags, which may exclude creation:
    // create the (empty) file on its own first.
    Conexao nova = Abre(arquivo, Modo::Cria);
  }
  Consulta q(*this, "ATTACH DATABASE ?1 AS " + Identificador(esquema));
  q.defineTexto(1, arquivo.string());
  try {
    q.executa();
  } catch (const ErroBanco& e) {
    throw ErroBanco(e.codigos(), std::string(e.what()) + ": " + arquivo.string(), e.codigoSqlite());
  }
  Valida(e_->db, std::string(esquema), arquivo);
}

void Conexao::executa(std::string_view sql) {
  std::string s(sql);
  char* msg = nullptr;
  int rc = sqlite3_exec(nativo(), s.c_str(), nullptr, nullptr, &msg);
  if (rc != SQLITE_OK) {
    std::string m = msg ? msg : sqlite3_errstr(rc);
    sqlite3_free(msg);
    int ext = sqlite3_extended_errcode(e_->db);
    if ((ext & 0xff) != (rc & 0xff)) ext = rc;
    throw ErroDoSqlite(ext, m);
  }
}

Consulta& Conexao::prepara(std::string_view sql) {
  auto& cache = e_->cache;
  auto it = cache.find(std::string(sql));
  if (it == cache.end())
    it = cache.emplace(std::string(sql), std::make_unique<Consulta>(*this, sql)).first;
  else {
    it->second->reinicia();
    it->second->limpaParametros();
  }
  return *it->second;
}

Consulta& Conexao::prepara(std::initializer_list<std::string_view> linhas) {
  return prepara(JuntaLinhas(linhas));
}

void Conexao::fecha() { e_.reset(); }
bool Conexao::aberta() const { return e_ && e_->db; }
const std::string& Conexao::nome() const { return e_->nome; }
const fs::path& Conexao::diretorio() const { return e_->diretorio; }
void Conexao::defineEspera(std::chrono::milliseconds espera) {
  sqlite3_busy_timeout(nativo(), static_cast<int>(espera.count()));
}
bool Conexao::emTransacao() const { return sqlite3_get_autocommit(nativo()) == 0; }
int Conexao::alteracoes() const { return sqlite3_changes(nativo()); }

sqlite3* Conexao::nativo() const {
  if (!aberta()) throw ErroBanco(kErroInstrucao, "Conexão fechada");
  return e_->db;
}

Conexao AbreZema2004(const fs::path& pasta) {
  Conexao c = Conexao::Abre(pasta / kArquivoDeclaracao, Conexao::Modo::Existente, kNomeConexao);
  c.anexa(pasta / kArquivoReferencia, "referencia");
  // The work file holds nothing that is not recreated by the passes: a
  // missing one is simply made anew.
  c.anexa(pasta / kArquivoTrabalho, "trabalho", Conexao::Modo::Cria);
  return c;
}

// --- Consulta ----------------------------------------------------------------

std::string JuntaLinhas(std::initializer_list<std::string_view> linhas) {
  std::string s;
  for (auto l : linhas) {
    if (!s.empty()) s += '\n';
    s += l;
  }
  return s;
}

Consulta::Consulta(Conexao& conexao, std::string_view sql) : db_(conexao.nativo()), sql_(sql) {
  if (sql_.size() > static_cast<std::size_t>(INT_MAX)) throw ErroBanco(kErroLimite, "Instrução SQL longa demais");
  const char* resto = nullptr;
  int rc = sqlite3_prepare_v3(db_, sql_.data(), static_cast<int>(sql_.size()), SQLITE_PREPARE_PERSISTENT,
                              &st_, &resto);
  if (rc != SQLITE_OK) {
    int ext = sqlite3_extended_errcode(db_);
    throw ErroDoSqlite((ext & 0xff) == (rc & 0xff) ? ext : rc, sqlite3_errmsg(db_), sql_);
  }
  if (st_ == nullptr) throw ErroBanco(kErroInstrucao, DescricaoErro(kErroInstrucao) + ": instrução vazia");
  // One statement per Consulta: trailing text other than blanks and ';' is a mistake.
  for (; resto && *resto; ++resto) {
    if (*resto != ';' && static_cast<unsigned char>(*resto) > 32) {
      sqlite3_finalize(st_);
      st_ = nullptr;
      throw ErroBanco(kErroInstrucao, DescricaoErro(kErroInstrucao) + ": mais de uma instrução: " + sql_);
    }
  }
}

Consulta::Consulta(Conexao& conexao, std::initializer_list<std::string_view> linhas)
    : Consulta(conexao, JuntaLinhas(linhas)) {}

Consulta::Consulta(Consulta&& o) noexcept
    : db_(o.db_), st_(o.st_), sql_(std::move(o.sql_)), estado_(o.estado_), esquema_(std::move(o.esquema_)) {
  o.st_ = nullptr;
}

Consulta& Consulta::operator=(Consulta&& o) noexcept {
  if (this != &o) {
    if (st_) sqlite3_finalize(st_);
    db_ = o.db_;
    st_ = o.st_;
    sql_ = std::move(o.sql_);
    estado_ = o.estado_;
    esquema_ = std::move(o.esquema_);
    o.st_ = nullptr;
  }
  return *this;
}

Consulta::~Consulta() {
  if (st_) sqlite3_finalize(st_);
}

void Consulta::falha(int rc) const {
  int ext = sqlite3_extended_errcode(db_);
  if ((ext & 0xff) != (rc & 0xff)) ext = rc;
  std::string msg = sqlite3_errmsg(db_);
  sqlite3_reset(st_);
  throw ErroDoSqlite(ext, msg);
}

int Consulta::indiceParametro(std::string_view nome) const {
  std::string n(nome);
  if (n.empty() || (n[0] != ':' && n[0] != '@' && n[0] != '$')) n.insert(0, ":");
  int i = sqlite3_bind_parameter_index(st_, n.c_str());
  if (i == 0)
    throw ErroBanco(kErroParametro, DescricaoErro(kErroParametro) + ": " + n + " em " + sql_, SQLITE_RANGE);
  return i;
}

void Consulta::preparaParaDefinir() {
  if (estado_ == Estado::EmLinha) sqlite3_reset(st_);
  estado_ = Estado::Pronta;
}

Consulta& Consulta::defineTexto(int posicao, std::string_view valor) {
  preparaParaDefinir();
  // SQLite binds NULL for a null pointer, which an empty string_view may
  // carry; text columns are NOT NULL, so an empty value is bound as "".
  const char* dados = valor.data() != nullptr ? valor.data() : "";
  int rc = sqlite3_bind_text64(st_, posicao, dados, valor.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
  if (rc != SQLITE_OK) falha(rc);
  return *this;
}

Consulta& Consulta::defineInteiro(int posicao, long long valor) {
  preparaParaDefinir();
  int rc = sqlite3_bind_int64(st_, posicao, valor);
  if (rc != SQLITE_OK) falha(rc);
  return *this;
}

Consulta& Consulta::defineTexto(std::string_view parametro, std::string_view valor) {
  return defineTexto(indiceParametro(parametro), valor);
}

Consulta& Consulta::defineInteiro(std::string_view parametro, long long valor) {
  return defineInteiro(indiceParametro(parametro), valor);
}

Consulta& Consulta::defineLogico(std::string_view parametro, bool valor) {
  return defineInteiro(indiceParametro(parametro), valor ? 1 : 0);
}

Consulta& Consulta::defineNulo(std::string_view parametro) {
  int i = indiceParametro(parametro);
  preparaParaDefinir();
  int rc = sqlite3_bind_null(st_, i);
  if (rc != SQLITE_OK) falha(rc);
  return *this;
}

int Consulta::parametros() const { return sqlite3_bind_parameter_count(st_); }

bool Consulta::proxima() {
  if (estado_ == Estado::Fim) return false;
  int rc = sqlite3_step(st_);
  if (rc == SQLITE_ROW) {
    estado_ = Estado::EmLinha;
    return true;
  }
  if (rc == SQLITE_DONE) {
    // Reset at once: a finished statement must not keep its read lock.
    sqlite3_reset(st_);
    estado_ = Estado::Fim;
    return false;
  }
  estado_ = Estado::Pronta;
  falha(rc);
}

void Consulta::limpaParametros() {
  preparaParaDefinir();
  sqlite3_clear_bindings(st_);
}

void Consulta::reinicia() {
  sqlite3_reset(st_);
  estado_ = Estado::Pronta;
}

int Consulta::executa() {
  reinicia();
  while (proxima()) {
  }
  estado_ = Estado::Pronta;
  return sqlite3_changes(db_);
}

std::optional<Linha> Consulta::primeira() {
  reinicia();
  std::optional<Linha> r;
  if (proxima()) r = linha();
  reinicia();
  return r;
}

std::vector<Linha> Consulta::todas() {
  reinicia();
  std::vector<Linha> r;
  while (proxima()) r.push_back(linha());
  estado_ = Estado::Pronta;
  return r;
}

long long Consulta::escalar() {
  reinicia();
  long long v = 0;
  if (proxima()) v = inteiro(0);
  reinicia();
  return v;
}

int Consulta::colunas() const { return sqlite3_column_count(st_); }

std::string_view Consulta::texto(int coluna) const {
  const unsigned char* t = sqlite3_column_text(st_, coluna);
  if (t == nullptr) return {};
  return {reinterpret_cast<const char*>(t), static_cast<std::size_t>(sqlite3_column_bytes(st_, coluna))};
}

long long Consulta::inteiro(int coluna) const { return sqlite3_column_int64(st_, coluna); }
bool Consulta::nulo(int coluna) const { return sqlite3_column_type(st_, coluna) == SQLITE_NULL; }

const std::shared_ptr<const Esquema>& Consulta::esquema() {
  int n = colunas();
  if (!esquema_ || esquema_->tamanho() != static_cast<std::size_t>(n)) {
    std::vector<std::string> nomes;
    nomes.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      // A column selected by its name in another case ("coPisPasepEmpregado")
      // keeps the table's spelling, so rows read alike whatever the SQL wrote;
      // an alias is kept as written.
      const char* c = sqlite3_column_name(st_, i);
      const char* origem = sqlite3_column_origin_name(st_, i);
      nomes.emplace_back(origem && c && sqlite3_stricmp(origem, c) == 0 ? origem : (c ? c : ""));
    }
    esquema_ = std::make_shared<const Esquema>(std::move(nomes));
  }
  return esquema_;
}

void Consulta::usaEsquema(std::shared_ptr<const Esquema> esquema) { esquema_ = std::move(esquema); }

Linha Consulta::linha() {
  Linha l(esquema());
  int n = colunas();
  for (int i = 0; i < n; ++i) l[static_cast<std::size_t>(i)] = std::string(texto(i));
  return l;
}

// --- Transacao ---------------------------------------------------------------

Transacao::Transacao(Conexao& conexao, Tipo tipo) : c_(conexao) {
  if (c_.emTransacao()) {
    static std::atomic<unsigned> contador{0};
    savepoint_ = "vornex_" + std::to_string(++contador);
    c_.executa("SAVEPOINT " + savepoint_);
  } else {
    c_.executa(tipo == Tipo::Exclusiva  ? "BEGIN EXCLUSIVE"
               : tipo == Tipo::Imediata ? "BEGIN IMMEDIATE"
                                        : "BEGIN");
  }
  ativa_ = true;
}

void Transacao::confirma() {
  if (!ativa_) return;
  c_.executa(savepoint_.empty() ? "COMMIT" : "RELEASE " + savepoint_);
  ativa_ = false;
}

Transacao::~Transacao() {
  if (!ativa_ || !c_.aberta()) return;
  // The engine may already have rolled back on its own (I/O error, full
  // disk); then these fail and there is nothing left to undo.
  sqlite3* db = c_.nativo();
  if (savepoint_.empty()) {
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  } else {
    std::string sql = "ROLLBACK TO " + savepoint_ + "; RELEASE " + savepoint_;
    sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  }
}

}  // namespace vornex
