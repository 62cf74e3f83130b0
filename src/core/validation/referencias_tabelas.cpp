#include "validation/referencias_tabelas.h"

#include "common/texto.h"
#include "data/referencia.h"

namespace vornex {

namespace {

std::optional<std::string> Coluna(const Linha* l, std::string_view coluna) {
  if (l == nullptr) return std::nullopt;
  return std::string(Apara((*l)[coluna]));
}

}  // namespace

ReferenciasTabelas::ReferenciasTabelas(const TabelasReferencia& tabelas) : t_(tabelas) {
  for (const auto& l : t_.linhas(Referencia::UfCep))
    faixasUf_[std::string(Apara(l["CoUf"]))].push_back(
        {std::string(Apara(l["CoCepInicial"])), std::string(Apara(l["CoCepFinal"]))});
}

bool ReferenciasTabelas::ExisteMunicipio(std::string_view co) const { return t_.municipio(co) != nullptr; }

std::optional<std::string> ReferenciasTabelas::NomeMunicipio(std::string_view co) const {
  return Coluna(t_.municipio(co), "NoMunicipio");
}

std::optional<CepDoMunicipio> ReferenciasTabelas::CepMunicipio(std::string_view co) const {
  const Linha* l = t_.municipio(co);
  if (l == nullptr) return std::nullopt;
  const auto faixa = Apara((*l)["InFaixa"]);
  return CepDoMunicipio{std::string(Apara((*l)["CoCep"])), !faixa.empty() && faixa != "0"};
}

std::optional<FaixasCepDoMunicipio> ReferenciasTabelas::FaixasCep(std::string_view co) const {
  const Linha* l = t_.faixaCepMunicipio(co);
  if (l == nullptr) return std::nullopt;
  auto c = [l](std::string_view n) { return std::string(Apara((*l)[n])); };
  return FaixasCepDoMunicipio{c("CoCep1Inicial"), c("CoCep1Final"), c("CoCep2Inicial"), c("CoCep2Final")};
}

std::optional<std::string> ReferenciasTabelas::SiglaUf(std::string_view coUf) const {
  return Coluna(t_.uf(coUf), "SgUf");
}

std::optional<std::string> ReferenciasTabelas::CodigoUf(std::string_view sgUf) const {
  return Coluna(t_.ufPorSigla(sgUf), "CoUf");
}

std::span<const FaixaCepUf> ReferenciasTabelas::FaixasCepUf(std::string_view coUf) const {
  auto it = faixasUf_.find(coUf);
  if (it == faixasUf_.end()) return {};
  return it->second;
}

bool ReferenciasTabelas::ExisteCnae(std::string_view co) const { return t_.cnae(co) != nullptr; }
bool ReferenciasTabelas::ExisteNaturezaJuridica(std::string_view co) const {
  return t_.naturezaJuridica(co) != nullptr;
}

std::optional<std::string> ReferenciasTabelas::NomeRaizReservada(std::string_view raiz) const {
  const RaizReservada* r = t_.raizReservada(raiz);
  if (r == nullptr) return std::nullopt;
  return std::string(Apara(r->nome));
}

bool ReferenciasTabelas::ExisteNacionalidade(std::string_view co) const { return t_.nacionalidade(co) != nullptr; }
bool ReferenciasTabelas::ExisteInstrucao(std::string_view co) const { return t_.instrucao(co) != nullptr; }
bool ReferenciasTabelas::ExisteRaca(std::string_view co) const { return t_.raca(co) != nullptr; }
bool ReferenciasTabelas::ExisteTipoAdmissao(std::string_view co) const { return t_.tipoAdmissao(co) != nullptr; }
bool ReferenciasTabelas::ExisteTipoSalario(std::string_view co) const { return t_.tipoSalario(co) != nullptr; }

std::optional<IndicadoresDoCbo> ReferenciasTabelas::Cbo(std::string_view co) const {
  auto i = t_.indicadoresCbo(co);
  if (!i) return std::nullopt;
  return IndicadoresDoCbo{i->criticaAna, i->criticaCbo};
}

bool ReferenciasTabelas::ExisteVinculo(std::string_view co) const { return t_.vinculo(co) != nullptr; }
bool ReferenciasTabelas::ExisteCausaDesligamento(std::string_view co) const {
  return t_.desligamento(co) != nullptr;
}

}  // namespace vornex
