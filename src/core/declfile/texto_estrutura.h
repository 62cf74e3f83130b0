#pragma once
// How a structural error of a declaration file is worded: the detail line of
// each Te8stru row by its TipoCampo, and the groups the structure report
// prints (error, then record, then details). The command line prints these
// lines and the printed report lays out the same ones.
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornex {

class Catalogo;

// One Te8stru row.
struct ErroEstrutura {
  std::string anBase;
  std::string coMsg;
  std::string sequencia;
  std::string inscricaoPrefixo;  // 14 + 2 characters, or empty
  std::string tipoCampo;
  std::string posicaoInicial;
  std::string conteudo;
};

// The detail line of a row ("Posição 1 a 6 = 00000A"); empty for a row with
// no field (empty or unknown TipoCampo).
std::string TextoErroEstrutura(std::string_view tipoCampo, std::string_view posicaoInicial,
                               std::string_view conteudo);
inline std::string TextoErroEstrutura(const ErroEstrutura& e) {
  return TextoErroEstrutura(e.tipoCampo, e.posicaoInicial, e.conteudo);
}

// The report's lines for rows in report order (by sequence): "Erro : " and the
// catalog text when the number changes, "Sequência = " (and the inscription
// and prefix when known) when the sequence changes, then the detail line.
std::vector<std::string> TextoRelatorioEstrutura(std::span<const ErroEstrutura> linhas,
                                                 const Catalogo& catalogo);

inline constexpr std::string_view kTituloRelatorioEstrutura = "Relatório de erro de estrutura";
inline constexpr std::string_view kNotaPrimeiraOcorrencia =
    "Será listada apenas a primeira ocorrência. Verifique a estrutura do arquivo conforme especificado na "
    "cartela.";
inline constexpr std::string_view kNotaCartela =
    "Para utilizar este relatório tenha em mãos a cartela com a especificação dos registros do arquivo ZEMA.";

}  // namespace vornex
