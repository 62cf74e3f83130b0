#pragma once
// The questions the field rules ask of the reference tables. The program
// answers them from the tables it keeps in memory; tests from a small
// fixture. Codes go in trimmed; texts come out as stored, trimmed. Every
// answer must be cheap: the consistency check asks several per link.
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace vornex {

// A municipality's postal data (tb8MUNIC).
struct CepDoMunicipio {
  std::string coCep;     // CoCep: first five digits of its CEP; may be empty
  bool inFaixa = false;  // InFaixa other than "0": checked against tb8FXCEP instead
};

// The two CEP ranges of a municipality (tb8FXCEP), five-digit prefixes as stored.
struct FaixasCepDoMunicipio {
  std::string coCep1Inicial, coCep1Final;
  std::string coCep2Inicial, coCep2Final;
};

// One CEP range of a state (a tbUfCep row), five-digit prefixes as stored.
struct FaixaCepUf {
  std::string coCepInicial, coCepFinal;
};

// A CBO occupation's flags (tb8cbo).
struct IndicadoresDoCbo {
  bool inCriticaAna = false;  // not for a worker whose schooling is "1"
  bool inCriticaCbo = false;  // only for a worker whose schooling is "9"
};

class Referencias {
 public:
  virtual ~Referencias() = default;

  // tb8MUNIC: a municipality row with this code exists.
  virtual bool ExisteMunicipio(std::string_view coMunicipio) const = 0;
  // tb8MUNIC: NoMunicipio of the row; nullopt when there is none.
  virtual std::optional<std::string> NomeMunicipio(std::string_view coMunicipio) const = 0;
  // tb8MUNIC: CoCep and InFaixa of the row; nullopt when there is none.
  virtual std::optional<CepDoMunicipio> CepMunicipio(std::string_view coMunicipio) const = 0;
  // tb8FXCEP: the municipality's two ranges; nullopt when it has no row.
  virtual std::optional<FaixasCepDoMunicipio> FaixasCep(std::string_view coMunicipio) const = 0;

  // TbUf by CoUf: SgUf of the state with this two-digit code; nullopt when none.
  virtual std::optional<std::string> SiglaUf(std::string_view coUf) const = 0;
  // TbUf by SgUf (its index ignores letter case): CoUf of the state; nullopt when none.
  virtual std::optional<std::string> CodigoUf(std::string_view sgUf) const = 0;
  // tbUfCep: the state's ranges in table order; empty when it has none. The
  // span stays valid as long as this object.
  virtual std::span<const FaixaCepUf> FaixasCepUf(std::string_view coUf) const = 0;

  // tb8CNAE: a row with this code exists.
  virtual bool ExisteCnae(std::string_view coCnae) const = 0;
  // tb8NATJU: a row with this code exists.
  virtual bool ExisteNaturezaJuridica(std::string_view coNaturezaJuridica) const = 0;
  // Reserved-root list: the short name (upper case, at most 15 characters)
  // that a registration starting with this 8-digit CNPJ root must carry; nullopt when not reserved.
  virtual std::optional<std::string> NomeRaizReservada(std::string_view raizCnpj) const = 0;

  // tb8NACIO: a row with this code exists.
  virtual bool ExisteNacionalidade(std::string_view coNacionalidade) const = 0;
  // tb8INSTR: a row with this code exists.
  virtual bool ExisteInstrucao(std::string_view coInstrucao) const = 0;
  // Tb8raca: a row with this code exists.
  virtual bool ExisteRaca(std::string_view coRaca) const = 0;
  // tb8TPADM: a row with this code exists.
  virtual bool ExisteTipoAdmissao(std::string_view coTipoAdmissao) const = 0;
  // tb8TPSAL: a row with this code exists.
  virtual bool ExisteTipoSalario(std::string_view coTipoSalarioContratual) const = 0;
  // tb8cbo: the flags of the occupation with this code; nullopt when there is no row.
  virtual std::optional<IndicadoresDoCbo> Cbo(std::string_view coCbo) const = 0;
  // tb8vinc: a row with this code exists.
  virtual bool ExisteVinculo(std::string_view coVinculo) const = 0;
  // tb8DESL: a row with this code exists.
  virtual bool ExisteCausaDesligamento(std::string_view coCausaDesligamento) const = 0;
};

}  // namespace vornex
