#pragma once
// Import of a declaration file into the declaration tables. The structure
// analyser has loaded the file into Te8emp and Te8vinc; the user picks
// establishments from it; each one is checked, merged into Bd8emp/Bd8vinc
// under fixed conflict rules and accounted for in TE8Imp, which the import
// report prints.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/mensagem.h"
#include "common/passagem.h"
#include "data/linha.h"

namespace vornex {

class Conexao;

inline constexpr std::string_view kAnoDestinoImportacao = "2004";
inline constexpr std::string_view kAnoAtualImportacao = "2004";
inline constexpr std::string_view kAnoAnteriorImportacao = "2003";

// The text the import is started with: "Anterior - Ano 2003" or
// "Atual - Ano 2004". A text containing "Anterior" selects previous-year
// mode; the source year is read from the text.
struct ModoImportacao {
  bool anoAnterior = false;
  std::string anoOrigem{kAnoAtualImportacao};
};
std::string TextoModoImportacao(bool anoAnterior);
ModoImportacao ModoDoTexto(std::string_view texto);

// One establishment of the analysed file as the selection list shows it.
struct ItemImportacao {
  std::string inscricao;  // as loaded (14 characters)
  std::string prefixo;
  std::string nome;
  std::string tipo;      // InInscrEstabelecimento
  std::string vinculos;  // NuVinculosEstabelecimento
  // Formatted inscription padded to 18, two blanks, prefix, two blanks,
  // name padded to 30, two blanks, link count.
  std::string texto() const;
  // Characters 21-22 of the text, trimmed, must be two characters.
  bool prefixoImportavel() const;
};

inline constexpr std::string_view kTextoPrefixoNaoImportavel =
    "Este estabelecimento não poderá ser importado. Verifique Prefixo.";
inline constexpr std::string_view kTextoPrefixoInvalidoTodos =
    "Prefixo Inválido. Estabelecimento não poderá ser importado.";

// Te8emp rows of the source year, in the order the file loaded them.
std::vector<ItemImportacao> EstabelecimentosDoArquivo(Conexao& c, std::string_view anoOrigem);

// "Selecionar Todos": how many leading items get checked; it stops at the
// first item whose prefix cannot be imported (that item stays unchecked).
std::size_t QuantosSelecionaTodos(const std::vector<ItemImportacao>& itens);

// "G0" -> "G1" ... "G9" -> "GA" ... "GZ" -> "H0"; "Z" wraps to "0".
std::string ProximoPrefixo(std::string_view prefixo);

struct OpcoesImportacao {
  bool anoAnterior = false;     // source 2003, active links only
  bool modoAnalisador = false;  // opened from the analyser's "C&orrigir no Vornex"
};

struct ResultadoImportacao {
  NuMensagem mensagem;  // "1301" when nothing was chosen; then nothing changed
  bool interrompida = false;
  std::size_t importados = 0;  // links appended, all establishments
};

// Runs "C&oncluir" over the chosen items: TE8Imp is created afresh with one
// row per item, then every establishment is checked and merged. An
// establishment is always confirmed whole with its TE8Imp row, so a failure
// never leaves one half imported. The progress advances per establishment or per link as the
// list's size suggests; an interruption stops between establishments.
// Throws std::invalid_argument when an item is not in Te8emp.
ResultadoImportacao ImportaEstabelecimentos(Conexao& c, const OpcoesImportacao& opcoes,
                                             const std::vector<ItemImportacao>& escolhidos,
                                             AcompanhamentoPassagem& acompanhamento = SemAcompanhamento());

// --- the import report ---------------------------------------------------------

// One TE8Imp row as the report prints it.
struct LinhaRelatorioImportacao {
  std::string inscricao;     // CNPJ or CEI form when the number is valid as such
  std::string prefixo;
  std::string ceiVinculado;  // empty when blank or zeros
  std::string codigo;        // "(n)" or empty
  std::string totalLido;
  std::string desligados, duplicados, importados;
};
LinhaRelatorioImportacao FormataLinhaImportacao(const Linha& te8imp);

// The base year of the file the last import read ("2003" or "2004"); nullopt
// when there was none.
std::optional<std::string> AnoOrigemImportacao(Conexao& c);

// TE8Imp rows in table order.
std::vector<Linha> LinhasImportacao(Conexao& c);
// The legend: every distinct (Seq, CoImp) with a code, by Seq.
std::vector<std::pair<std::string, std::string>> LegendaImportacao(Conexao& c);

}  // namespace vornex
