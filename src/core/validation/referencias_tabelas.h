#pragma once
// The rules' lookups answered from the reference tables loaded in memory, so
// a rule call costs hash lookups and no query.
#include <string>
#include <unordered_map>
#include <vector>

#include "validation/referencias.h"

namespace vornex {

class TabelasReferencia;

class ReferenciasTabelas : public Referencias {
 public:
  // `tabelas` must outlive this object.
  explicit ReferenciasTabelas(const TabelasReferencia& tabelas);

  bool ExisteMunicipio(std::string_view coMunicipio) const override;
  std::optional<std::string> NomeMunicipio(std::string_view coMunicipio) const override;
  std::optional<CepDoMunicipio> CepMunicipio(std::string_view coMunicipio) const override;
  std::optional<FaixasCepDoMunicipio> FaixasCep(std::string_view coMunicipio) const override;
  std::optional<std::string> SiglaUf(std::string_view coUf) const override;
  std::optional<std::string> CodigoUf(std::string_view sgUf) const override;
  std::span<const FaixaCepUf> FaixasCepUf(std::string_view coUf) const override;
  bool ExisteCnae(std::string_view coCnae) const override;
  bool ExisteNaturezaJuridica(std::string_view coNaturezaJuridica) const override;
  std::optional<std::string> NomeRaizReservada(std::string_view raizCnpj) const override;
  bool ExisteNacionalidade(std::string_view coNacionalidade) const override;
  bool ExisteInstrucao(std::string_view coInstrucao) const override;
  bool ExisteRaca(std::string_view coRaca) const override;
  bool ExisteTipoAdmissao(std::string_view coTipoAdmissao) const override;
  bool ExisteTipoSalario(std::string_view coTipoSalarioContratual) const override;
  std::optional<IndicadoresDoCbo> Cbo(std::string_view coCbo) const override;
  bool ExisteVinculo(std::string_view coVinculo) const override;
  bool ExisteCausaDesligamento(std::string_view coCausaDesligamento) const override;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  const TabelasReferencia& t_;
  // The state ranges as stored texts, built once: the rules compare texts.
  std::unordered_map<std::string, std::vector<FaixaCepUf>, Hash, std::equal_to<>> faixasUf_;
};

}  // namespace vornex
