#pragma once
// The official reference tables: loading them from the data files shipped
// with the program, and answering lookups from memory. Every field rule looks
// codes up, so TabelasReferencia reads each table once and then answers from
// hash maps, without a query per call.
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/catalogo.h"
#include "data/banco.h"
#include "data/linha.h"

namespace vornex {

enum class Referencia : int {
  Municipio,          // tb8MUNIC
  FaixaCepMunicipio,  // tb8FXCEP
  Uf,                 // TbUf
  UfCep,              // tbUfCep
  Cnae,               // tb8CNAE
  Cbo,                // tb8cbo
  NaturezaJuridica,   // tb8NATJU
  Nacionalidade,      // tb8NACIO
  Instrucao,          // tb8INSTR
  TipoAdmissao,       // tb8TPADM
  TipoSalario,        // tb8TPSAL
  Vinculo,            // tb8vinc
  Desligamento,       // tb8DESL
  Raca,               // Tb8raca
  Afastamento,        // tb8Afast
  Mensagem,           // tb8MSG
  DataBase,           // TB8BASE
  RaizReservada,      // tb8RaizReservada
};
inline constexpr int kNumeroReferencias = 18;
std::string_view NomeTabela(Referencia r);

// --- the data files ------------------------------------------------------------

// Which file fills which table (the CSV header names the table's columns).
struct ArquivoReferencia {
  std::string_view arquivo;  // "cbo2002.csv"
  std::string_view tabela;   // "tb8cbo"
};
std::span<const ArquivoReferencia> ArquivosReferencia();

struct ResumoCarga {
  std::string tabela;
  std::string arquivo;
  long long linhas = 0;
};

// Fills the (existing, empty) reference tables of `c` from the CSV files of
// `origem`, one transaction per table. A missing file, a header that does
// not name the table's columns, a value too long for its column or a
// repeated key throws std::runtime_error naming the file and line.
std::vector<ResumoCarga> CarregaArquivosReferencia(Conexao& c, const std::filesystem::path& origem);

// --- lookups from memory -------------------------------------------------------

struct FaixaCep {
  int inicial = 0;  // five-digit prefixes, as numbers
  int final = 0;
};

struct FaixasCepMunicipio {
  FaixaCep primeira;
  FaixaCep segunda;
};

struct IndicadoresCbo {
  bool criticaAna = false;  // InCriticaAna: not for education level "1"
  bool criticaCbo = false;  // InCriticaCbo: only for education level "9"
};

struct RaizReservada {
  std::string raiz;  // first 8 digits of the CNPJ
  std::string nome;  // first 15 upper-case characters of the legal name
};

class TabelasReferencia {
 public:
  // Reads every reference table of the connection once.
  static TabelasReferencia Carrega(Conexao& c);
  // Rows are pointed into: moving is fine, copying is not.
  TabelasReferencia(TabelasReferencia&&) noexcept = default;
  TabelasReferencia& operator=(TabelasReferencia&&) noexcept = default;
  TabelasReferencia(const TabelasReferencia&) = delete;
  TabelasReferencia& operator=(const TabelasReferencia&) = delete;

  // All rows of a table in key order (tbUfCep: stored order), as the lookup
  // dialogs list them.
  const std::vector<Linha>& linhas(Referencia r) const;
  // Row by its code (the key's first field; TbUf: CoUf); nullptr if absent.
  const Linha* busca(Referencia r, std::string_view codigo) const;

  const Linha* municipio(std::string_view coMunicipio) const { return busca(Referencia::Municipio, coMunicipio); }
  const Linha* faixaCepMunicipio(std::string_view co) const { return busca(Referencia::FaixaCepMunicipio, co); }
  const Linha* uf(std::string_view coUf) const { return busca(Referencia::Uf, coUf); }
  // By abbreviation, without regard to case.
  const Linha* ufPorSigla(std::string_view sgUf) const;
  const Linha* cnae(std::string_view co) const { return busca(Referencia::Cnae, co); }
  const Linha* cbo(std::string_view co) const { return busca(Referencia::Cbo, co); }
  const Linha* naturezaJuridica(std::string_view co) const { return busca(Referencia::NaturezaJuridica, co); }
  const Linha* nacionalidade(std::string_view co) const { return busca(Referencia::Nacionalidade, co); }
  const Linha* instrucao(std::string_view co) const { return busca(Referencia::Instrucao, co); }
  const Linha* tipoAdmissao(std::string_view co) const { return busca(Referencia::TipoAdmissao, co); }
  const Linha* tipoSalario(std::string_view co) const { return busca(Referencia::TipoSalario, co); }
  const Linha* vinculo(std::string_view co) const { return busca(Referencia::Vinculo, co); }
  const Linha* desligamento(std::string_view co) const { return busca(Referencia::Desligamento, co); }
  const Linha* raca(std::string_view co) const { return busca(Referencia::Raca, co); }
  const Linha* afastamento(std::string_view co) const { return busca(Referencia::Afastamento, co); }
  const Linha* mensagem(std::string_view nu) const { return busca(Referencia::Mensagem, nu); }
  const Linha* mesDataBase(std::string_view me) const { return busca(Referencia::DataBase, me); }

  // The tbUfCep rows of a state and their ranges, in stored order (empty
  // for an unknown state).
  const std::vector<const Linha*>& linhasUfCep(std::string_view coUf) const;
  const std::vector<FaixaCep>& faixasCepUf(std::string_view coUf) const;
  // The two ranges of a municipality in tb8FXCEP.
  std::optional<FaixasCepMunicipio> faixasCepMunicipio(std::string_view coMunicipio) const;
  std::optional<IndicadoresCbo> indicadoresCbo(std::string_view coCbo) const;

  const std::vector<RaizReservada>& raizesReservadas() const { return raizes_; }
  const RaizReservada* raizReservada(std::string_view raiz) const;

  // tb8MSG as the message catalog.
  Catalogo catalogo() const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  using Indice = std::unordered_map<std::string, std::size_t, Hash, std::equal_to<>>;
  struct Dados {
    std::vector<Linha> linhas;
    Indice porCodigo;
  };
  struct UfCep {
    std::vector<const Linha*> linhas;
    std::vector<FaixaCep> faixas;
  };

  TabelasReferencia() = default;
  const Dados& dados(Referencia r) const { return tabelas_[static_cast<std::size_t>(r)]; }

  std::vector<Dados> tabelas_;
  Indice porSigla_;  // upper-case SgUf -> row of TbUf
  std::unordered_map<std::string, UfCep, Hash, std::equal_to<>> ufCep_;
  std::unordered_map<std::string, FaixasCepMunicipio, Hash, std::equal_to<>> faixasMunicipio_;
  std::unordered_map<std::string, IndicadoresCbo, Hash, std::equal_to<>> indicadoresCbo_;
  std::vector<RaizReservada> raizes_;
  Indice porRaiz_;
};

}  // namespace vornex
