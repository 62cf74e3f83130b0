#pragma once
// Table structure: the field and index definitions of the system's tables,
// and the structure operations of the engine (create a table, add or drop an
// index, read the definitions of an existing table, copy a structure).
//
// Storage: a text column is CHAR(n) NOT NULL DEFAULT '' with a CHECK on its
// length; a logical column is BOOLEAN NOT NULL DEFAULT 0 holding 0 or 1. An
// index is stored under its index-file name, "TABELA.PX" for a primary index
// (UNIQUE) and "TABELA.XG0", ... for a secondary one, so that start-up and
// the re-index command find a missing index and rebuild it by that name.
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/linha.h"

namespace vornex {

class Conexao;

enum class TipoCampo { Texto, Logico };

struct DefinicaoCampo {
  std::string nome;
  TipoCampo tipo = TipoCampo::Texto;
  int tamanho = 0;  // characters; 0 for logical columns (and unbounded text)
};

struct OpcoesIndice {
  bool primario = false;
  bool semCaixa = false;  // case-insensitive
};

struct DefinicaoIndice {
  std::string arquivo;  // "TBUF.XG0"; empty: derived from the table's name
  std::string nome;     // "Main", "ISgUf"
  std::string campos;   // "CoUf;SgUf"
  OpcoesIndice opcoes;
};

// Fields of "A;B;C".
std::vector<std::string> SeparaCampos(std::string_view campos);

// The three files of the data folder and their schema names in "Zema2004".
enum class ArquivoDados { Declaracao, Referencia, Trabalho };
std::string_view EsquemaBanco(ArquivoDados arquivo);  // "main", "referencia", "trabalho"
std::string_view NomeArquivoDados(ArquivoDados arquivo);

class DefinicaoTabela {
 public:
  DefinicaoTabela(std::string nome, ArquivoDados arquivo, std::vector<DefinicaoCampo> campos,
                  std::vector<DefinicaoIndice> indices = {}, int maximoLinhas = 0);

  const std::string& nome() const { return nome_; }
  ArquivoDados arquivo() const { return arquivo_; }
  const std::vector<DefinicaoCampo>& campos() const { return campos_; }
  const std::vector<DefinicaoIndice>& indices() const { return indices_; }
  // 0: any number of rows; 1 for BD8Resp.
  int maximoLinhas() const { return maximoLinhas_; }
  const DefinicaoCampo* campo(std::string_view nome) const;  // case-insensitive
  const DefinicaoIndice* indicePrimario() const;
  // Fields of the primary index, spelled as the columns are.
  std::vector<std::string> chave() const;
  // Column names, shared by every Linha of this table.
  const std::shared_ptr<const Esquema>& esquema() const { return esquema_; }
  // An empty row: texts empty, logical columns "0".
  Linha novaLinha() const;

 private:
  std::string nome_;
  ArquivoDados arquivo_;
  std::vector<DefinicaoCampo> campos_;
  std::vector<DefinicaoIndice> indices_;
  int maximoLinhas_;
  std::shared_ptr<const Esquema> esquema_;
};

// --- the system's tables -------------------------------------------------------

// The declaration tables, the reference tables and the reserved-root list,
// declaration tables first, then the reference tables in the order of
// TabelasObrigatorias(), then tb8RaizReservada.
const std::vector<DefinicaoTabela>& DefinicoesSistema();
const DefinicaoTabela* DefinicaoSistema(std::string_view nome);  // case-insensitive; nullptr if unknown

// The twenty tables start-up requires, in the order they are tested.
std::span<const std::string_view> TabelasObrigatorias();

// The nineteen indexes start-up rebuilds when missing, in the order they are
// tested.
struct IndiceRecriavel {
  std::string_view arquivo;  // "BD8EMP.PX"
  std::string_view tabela;   // "Bd8emp"
  std::string_view nome;     // "Main"
  std::string_view campos;   // "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento"
  OpcoesIndice opcoes;
};
std::span<const IndiceRecriavel> IndicesRecriaveis();
const IndiceRecriavel* IndiceRecriavelDe(std::string_view arquivo);  // case-insensitive

inline constexpr const char* kTabelaRaizReservada = "tb8RaizReservada";

// --- structure operations (on an open connection) ------------------------------

// Where a table lives; nullopt when no file holds it. Names are matched
// without regard to case.
std::optional<ArquivoDados> LocalizaTabela(Conexao& c, std::string_view tabela);
bool ExisteTabela(Conexao& c, std::string_view tabela);
bool ExisteTabela(Conexao& c, std::string_view tabela, ArquivoDados arquivo);
// By index file name ("TBUF.XG0"), in any of the files.
bool ExisteIndice(Conexao& c, std::string_view arquivoIndice);

// The name an index is stored under: its file name upper-cased, or for an
// index given without one, "TABELA.PX" (primary) or the next free "TABELA.XGn".
std::string ArquivoDoIndice(Conexao& c, std::string_view tabela, const DefinicaoIndice& indice);

// Creates the table in its file, with its indexes when asked; an existing
// table of that name is an error.
void CriaTabela(Conexao& c, const DefinicaoTabela& def, bool comIndices = true);
// Adds an index to an existing table of any file. Duplicate keys in the data
// make a primary index fail with 9729.
void AdicionaIndice(Conexao& c, std::string_view tabela, const DefinicaoIndice& indice);
void ExcluiIndice(Conexao& c, std::string_view arquivoIndice);  // when it exists
void ExcluiTabela(Conexao& c, std::string_view tabela);         // when it exists

// Field and index definitions of an existing table as stored (types, sizes,
// order, indexes). Throws ErroBanco 8705 when no file holds it.
DefinicaoTabela DefinicaoDaTabela(Conexao& c, std::string_view tabela);

// Creates `destino` in the work file with the columns of `origem` and, when
// asked, its indexes (renamed after the target); an existing `destino` is
// replaced. Declaration and reference tables can never be the target.
// This variant throws ErroBanco; the other answers false on any failure.
void CopiaEstruturaTabela(Conexao& c, std::string_view origem, std::string_view destino,
                          bool comIndices);
bool CopiaEstruturaTabelaOk(Conexao& c, std::string_view origem, std::string_view destino,
                            bool comIndices) noexcept;

}  // namespace vornex
