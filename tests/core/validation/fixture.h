#pragma once
// A few reference rows, enough to reach every answer of the rules, and the
// table form the rule tests share.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "common/texto.h"
#include "validation/referencias.h"

namespace vornex::teste {

// One row: the call as written (shown on failure), its answer, the answer expected.
struct Caso {
  std::string_view chamada;
  NuMensagem obtido;
  NuMensagem esperado;
};
#define CASO(chamada, esperado) ::vornex::teste::Caso{#chamada, (chamada), (esperado)}

inline void Confere(std::initializer_list<Caso> casos) {
  for (const auto& c : casos) EXPECT_EQ(c.obtido, c.esperado) << c.chamada;
}

class ReferenciasTeste : public Referencias {
 public:
  struct Municipio {
    std::string nome, coCep;
    bool inFaixa;
  };
  using Codigos = std::set<std::string, std::less<>>;

  // Single-CEP municipalities, one without a CEP of its own, and ranged ones
  // with and without their tb8FXCEP row.
  std::map<std::string, Municipio, std::less<>> municipios{
      {"3500105", {"ADAMANTINA", "17800", false}},
      {"3550308", {"SAO PAULO", "", true}},
      {"3100104", {"ABADIA DOS DOURADOS", "", false}},
      {"1100015", {"ALTA FLORESTA D'OESTE", "76954", false}},
      {"1200013", {"ACRELANDIA", "69945", false}},
      {"5300108", {"BRASILIA", "", true}},
  };
  std::map<std::string, FaixasCepDoMunicipio, std::less<>> faixasMunicipio{
      {"3550308", {"01000", "05999", "08000", "08499"}},
  };
  std::map<std::string, std::string, std::less<>> ufs{
      {"11", "RO"}, {"12", "AC"}, {"31", "MG"}, {"33", "RJ"}, {"35", "SP"}, {"53", "DF"},
  };
  std::map<std::string, std::vector<FaixaCepUf>, std::less<>> faixasUf{
      {"11", {{"76800", "76999"}, {"78900", "78999"}}},
      {"12", {{"69900", "69999"}}},
      {"31", {{"30000", "39999"}}},
      {"35", {{"01000", "19999"}}},
      {"53", {{"70000", "72799"}, {"73000", "73699"}}},
  };
  std::map<std::string, std::string, std::less<>> raizesReservadas{{"11222333", "EMPRESA RESERVA"}};
  Codigos cnaes{"70408", "75116", "15130"};
  Codigos naturezas{"1031", "2062"};
  Codigos nacionalidades{"10", "20", "35"};
  Codigos instrucoes{"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  Codigos racas{"1", "2", "4", "6", "8", "9"};
  Codigos tiposAdmissao{"1", "2", "3", "4"};
  Codigos tiposSalario{"1", "2", "3", "4", "5", "6", "7"};
  std::map<std::string, IndicadoresDoCbo, std::less<>> cbos{
      {"212405", {false, false}},
      {"223105", {false, true}},  // only for schooling "9"
      {"252505", {true, false}},  // not for schooling "1"
  };
  Codigos vinculos{"10", "15", "20", "25", "30", "35", "40", "50", "55", "60", "65", "70", "75", "80", "90", "95"};
  Codigos causas{"10", "11", "20", "21", "30", "31", "40", "50", "60", "70", "71", "78", "80"};

  bool ExisteMunicipio(std::string_view c) const override { return municipios.count(c) != 0; }
  std::optional<std::string> NomeMunicipio(std::string_view c) const override {
    auto it = municipios.find(c);
    if (it == municipios.end()) return std::nullopt;
    return it->second.nome;
  }
  std::optional<CepDoMunicipio> CepMunicipio(std::string_view c) const override {
    auto it = municipios.find(c);
    if (it == municipios.end()) return std::nullopt;
    return CepDoMunicipio{it->second.coCep, it->second.inFaixa};
  }
  std::optional<FaixasCepDoMunicipio> FaixasCep(std::string_view c) const override {
    auto it = faixasMunicipio.find(c);
    if (it == faixasMunicipio.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> SiglaUf(std::string_view c) const override {
    auto it = ufs.find(c);
    if (it == ufs.end()) return std::nullopt;
    return it->second;
  }
  std::optional<std::string> CodigoUf(std::string_view sg) const override {
    const std::string s = vornex::Maiusculas(sg);
    for (const auto& [co, sigla] : ufs)
      if (sigla == s) return co;
    return std::nullopt;
  }
  std::span<const FaixaCepUf> FaixasCepUf(std::string_view c) const override {
    auto it = faixasUf.find(c);
    if (it == faixasUf.end()) return {};
    return it->second;
  }
  bool ExisteCnae(std::string_view c) const override { return cnaes.count(c) != 0; }
  bool ExisteNaturezaJuridica(std::string_view c) const override { return naturezas.count(c) != 0; }
  std::optional<std::string> NomeRaizReservada(std::string_view r) const override {
    auto it = raizesReservadas.find(r);
    if (it == raizesReservadas.end()) return std::nullopt;
    return it->second;
  }
  bool ExisteNacionalidade(std::string_view c) const override { return nacionalidades.count(c) != 0; }
  bool ExisteInstrucao(std::string_view c) const override { return instrucoes.count(c) != 0; }
  bool ExisteRaca(std::string_view c) const override { return racas.count(c) != 0; }
  bool ExisteTipoAdmissao(std::string_view c) const override { return tiposAdmissao.count(c) != 0; }
  bool ExisteTipoSalario(std::string_view c) const override { return tiposSalario.count(c) != 0; }
  std::optional<IndicadoresDoCbo> Cbo(std::string_view c) const override {
    auto it = cbos.find(c);
    if (it == cbos.end()) return std::nullopt;
    return it->second;
  }
  bool ExisteVinculo(std::string_view c) const override { return vinculos.count(c) != 0; }
  bool ExisteCausaDesligamento(std::string_view c) const override { return causas.count(c) != 0; }
};

// Registrations whose check digits were worked out by hand from the
// published modulus rules.
inline constexpr std::string_view kCnpj = "11222333000181";         // CNPJ only
inline constexpr std::string_view kCnpjECei = "00123429000176";     // valid as both
inline constexpr std::string_view kCeiFilial0000 = "00012346000002";  // CEI; as CNPJ its branch is 0000
inline constexpr std::string_view kCei = "00111222333443";          // CEI only
inline constexpr std::string_view kCpf = "11144477735";
inline constexpr std::string_view kPis110 = "11012345674";  // valid, in the 109..119 series
inline constexpr std::string_view kPis120 = "12012345672";  // valid, outside it

}  // namespace vornex::teste
