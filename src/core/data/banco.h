#pragma once
// A thin layer of ours over the SQLite C library: a connection, prepared
// statements with named parameters, and a transaction guard. Every failure
// throws ErroBanco (data/erro_banco.h).
//
// The program's connection "Zema2004" opens the declaration file of the data
// folder and attaches the reference and work files under the schema names
// "referencia" and "trabalho", so one SQL statement can name any table.
#include <chrono>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/erro_banco.h"
#include "data/linha.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vornex {

inline constexpr const char* kNomeConexao = "Zema2004";

class Consulta;

class Conexao {
 public:
  // Existente: the file must exist (nothing is ever created by mistake).
  enum class Modo { Existente, Cria };

  Conexao();  // closed
  static Conexao Abre(const std::filesystem::path& arquivo, Modo modo = Modo::Existente,
                      std::string nome = {});
  Conexao(Conexao&&) noexcept;
  Conexao& operator=(Conexao&&) noexcept;
  Conexao(const Conexao&) = delete;
  Conexao& operator=(const Conexao&) = delete;
  ~Conexao();

  // Attaches another file under `esquema` ("referencia", "trabalho").
  void anexa(const std::filesystem::path& arquivo, std::string_view esquema, Modo modo = Modo::Existente);
  // Runs statements that take no parameters (DDL, PRAGMA, BEGIN ...).
  void executa(std::string_view sql);
  // A statement prepared once per connection and kept for reuse, reset and
  // with its parameters cleared. Not reentrant: finish one use before the next.
  Consulta& prepara(std::string_view sql);
  Consulta& prepara(std::initializer_list<std::string_view> linhas);

  void fecha();
  bool aberta() const;
  const std::string& nome() const;
  // Folder of the main file: the data folder for "Zema2004".
  const std::filesystem::path& diretorio() const;
  // How long a statement waits for another program's lock before failing busy.
  void defineEspera(std::chrono::milliseconds espera);
  bool emTransacao() const;
  int alteracoes() const;  // rows changed by the last statement
  sqlite3* nativo() const;

 private:
  struct Estado;
  std::unique_ptr<Estado> e_;
};

// The data folder's connection: declaracao.db with referencia.db and
// trabalho.db attached. The first two must exist; a missing work file is
// created empty.
Conexao AbreZema2004(const std::filesystem::path& pasta);

// A prepared statement. SQL may be given line by line (joined with line
// breaks); named parameters are written ":nome" and set by name, with or
// without the colon. Text constants in SQL take single quotes.
// A Consulta must not outlive its connection.
class Consulta {
 public:
  Consulta(Conexao& conexao, std::string_view sql);
  Consulta(Conexao& conexao, std::initializer_list<std::string_view> linhas);
  Consulta(Consulta&&) noexcept;
  Consulta& operator=(Consulta&&) noexcept;
  Consulta(const Consulta&) = delete;
  Consulta& operator=(const Consulta&) = delete;
  ~Consulta();

  Consulta& defineTexto(std::string_view parametro, std::string_view valor);
  Consulta& defineInteiro(std::string_view parametro, long long valor);
  Consulta& defineLogico(std::string_view parametro, bool valor);
  Consulta& defineNulo(std::string_view parametro);
  // By 1-based position, for bulk passes.
  Consulta& defineTexto(int posicao, std::string_view valor);
  Consulta& defineInteiro(int posicao, long long valor);
  int parametros() const;

  // Steps to the next row; false at the end (the statement is then reset
  // and keeps its parameters).
  bool proxima();
  // Runs to completion, discarding rows; returns the rows changed.
  int executa();
  // Run from the start and collect: first row, all rows, first column of
  // the first row as an integer (count(*); 0 without rows).
  std::optional<Linha> primeira();
  std::vector<Linha> todas();
  long long escalar();
  void reinicia();  // back to the start, parameters kept
  void limpaParametros();

  // The current row.
  int colunas() const;
  std::string_view texto(int coluna) const;
  long long inteiro(int coluna) const;
  bool nulo(int coluna) const;
  Linha linha();
  // Column names of the result, shared by every Linha it yields. A table
  // column keeps its declared spelling even when the SQL wrote it in another
  // case; an alias ("count(*) as n") is kept as written.
  const std::shared_ptr<const Esquema>& esquema();
  // Labels results with a table's own Esquema (same columns in the same order).
  void usaEsquema(std::shared_ptr<const Esquema> esquema);

  const std::string& sql() const { return sql_; }

 private:
  enum class Estado { Pronta, EmLinha, Fim };
  int indiceParametro(std::string_view nome) const;
  void preparaParaDefinir();
  [[noreturn]] void falha(int rc) const;

  sqlite3* db_ = nullptr;
  sqlite3_stmt* st_ = nullptr;
  std::string sql_;
  Estado estado_ = Estado::Pronta;
  std::shared_ptr<const Esquema> esquema_;
};

// Begins a transaction and rolls it back on destruction unless confirmed.
// Inside another transaction it becomes a savepoint of it.
class Transacao {
 public:
  enum class Tipo { Adiada, Imediata, Exclusiva };
  explicit Transacao(Conexao& conexao, Tipo tipo = Tipo::Imediata);
  Transacao(const Transacao&) = delete;
  Transacao& operator=(const Transacao&) = delete;
  ~Transacao();
  void confirma();

 private:
  Conexao& c_;
  std::string savepoint_;
  bool ativa_ = false;
};

// SQL given line by line, joined with line breaks.
std::string JuntaLinhas(std::initializer_list<std::string_view> linhas);

// A name quoted for SQL ("a""b").
std::string Identificador(std::string_view nome);

}  // namespace vornex
