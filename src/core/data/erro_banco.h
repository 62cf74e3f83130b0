#pragma once
// Errors of the table engine. Every failed database operation throws
// ErroBanco with the engine's numeric codes (a list; the last one is the
// error proper) and a text. Screens test two things only: code 9729, a key
// violation, and the text "Table is busy", another program holding the data.
// The codes are grouped in categories (code / 256) that the error-text
// service below describes, for the fatal-error report.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vornex {

// Engine codes raised by the data layer.
inline constexpr int kErroSistema = 8449;            // 0x2101
inline constexpr int kErroMemoria = 8450;            // 0x2102
inline constexpr int kErroTabelaInexistente = 8705;  // 0x2201
inline constexpr int kErroCampoInexistente = 8706;   // 0x2202
inline constexpr int kErroIndiceInexistente = 8707;  // 0x2203
inline constexpr int kErroArquivoCorrompido = 8961;  // 0x2301
inline constexpr int kErroNaoEBanco = 8962;          // 0x2302
inline constexpr int kErroEntradaSaida = 9217;       // 0x2401
inline constexpr int kErroAbreArquivo = 9218;        // 0x2402
inline constexpr int kErroDiscoCheio = 9219;         // 0x2403
inline constexpr int kErroSomenteLeitura = 9220;     // 0x2404
inline constexpr int kErroLimite = 9473;             // 0x2501
inline constexpr int kErroViolacaoChave = 9729;      // 0x2601
inline constexpr int kErroValorCampo = 9730;         // 0x2602: size or domain of a column
inline constexpr int kErroCampoObrigatorio = 9731;   // 0x2603
inline constexpr int kErroRegraTabela = 9732;        // 0x2604: e.g. a second BD8Resp row
inline constexpr int kErroIntegridade = 9733;        // 0x2605
inline constexpr int kErroInstrucao = 9985;          // 0x2701: malformed SQL, misuse
inline constexpr int kErroParametro = 9986;          // 0x2702: unknown named parameter
inline constexpr int kErroTabelaOcupada = 10241;     // 0x2801: "Table is busy"
inline constexpr int kErroAcessoNegado = 10497;      // 0x2901
// Never raised by this engine; kept because the fatal-error report leaves it
// unshown while a lookup list has the focus.
inline constexpr int kErroValorListaConsulta = 10756;  // 0x2A04

// The text a busy table's error always contains.
inline constexpr std::string_view kTextoTabelaOcupada = "Table is busy";

class ErroBanco : public std::runtime_error {
 public:
  ErroBanco(int codigo, const std::string& texto, int codigoSqlite = 0)
      : ErroBanco(std::vector<int>{codigo}, texto, codigoSqlite) {}
  ErroBanco(std::vector<int> codigos, const std::string& texto, int codigoSqlite = 0)
      : std::runtime_error(texto), codigos_(std::move(codigos)), codigoSqlite_(codigoSqlite) {}

  const std::vector<int>& codigos() const { return codigos_; }
  int codigo() const { return codigos_.empty() ? 0 : codigos_.back(); }
  // The SQLite extended result code behind it (0 when raised by our own checks).
  int codigoSqlite() const { return codigoSqlite_; }
  bool violacaoChave() const { return codigo() == kErroViolacaoChave; }
  bool tabelaOcupada() const { return std::string_view(what()).find(kTextoTabelaOcupada) != std::string_view::npos; }

 private:
  std::vector<int> codigos_;
  int codigoSqlite_;
};

// Error-text service.
inline int CategoriaErro(int codigo) { return codigo / 256; }
std::string DescricaoErro(int codigo);        // "Violação de chave", ...
std::string DescricaoCategoria(int categoria);  // "Violação de integridade", ...

// Our code for a SQLite extended result code and its message.
int CodigoDoSqlite(int codigoSqlite, std::string_view mensagem);
// The exception for a failed SQLite call: text = description, then the
// engine's own message and the context (a file or table name) when given.
ErroBanco ErroDoSqlite(int codigoSqlite, std::string_view mensagem, std::string_view contexto = {});

}  // namespace vornex
