#include "validation/checagem_responsavel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "data/tabelas.h"
#include "validation/regras_estabelecimento.h"
#include "fixture.h"

namespace {

using vornex::NuMensagem;
using vornex::operator""_msg;

vornex::Linha Responsavel(const std::map<std::string, std::string>& mudancas) {
  vornex::Linha l = vornex::DefinicaoSistema("BD8Resp")->novaLinha();
  const std::map<std::string, std::string> base = {
      {"CoCgcCeiResponsavel", std::string(vornex::teste::kCnpj)}, {"InInscrResponsavel", "1"},
      {"NoResponsavelArquivo", "MARIA SILVA"}, {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
      {"NuLogradouroRespArquivo", "000010"}, {"NoBairroRespArquivo", "CENTRO"},
      {"CoCepRespArquivo", "01310100"}, {"CoMunicipioRespArquivo", "3550308"}, {"NuFoneDDD", "11"},
      {"NuFoneAssinante", "33334444"}, {"TxEMailRespArquivo", "maria@exemplo.com.br"}};
  for (const auto& [k, v] : base) l[k] = v;
  for (const auto& [k, v] : mudancas) l[k] = v;
  return l;
}

TEST(ChecagemResponsavel, PrimeiraOcorrenciaNaOrdemDaConfirmacao) {
  const vornex::teste::ReferenciasTeste ref;
  struct Caso {
    std::map<std::string, std::string> mudancas;
    NuMensagem esperado;
  } casos[] = {
      {{}, "0000"_msg},
      {{{"CoCgcCeiResponsavel", "00011144477735"}, {"InInscrResponsavel", "4"}}, "0000"_msg},
      {{{"CoCgcCeiResponsavel", std::string(vornex::teste::kCnpjECei)}, {"InInscrResponsavel", "3"}}, "0000"_msg},
      {{{"CoCgcCeiResponsavel", std::string(vornex::teste::kCei)}}, "1004"_msg},  // a CEI stored as CNPJ
      {{{"InInscrResponsavel", "3"}}, "1003"_msg},                                 // a CNPJ stored as CEI
      {{{"CoCgcCeiResponsavel", ""}}, "0055"_msg},
      {{{"CoCgcCeiResponsavel", "112223330001810"}}, "0054"_msg},  // longer than 14: not cut short
      {{{"InInscrResponsavel", ""}}, "0128"_msg},
      // Name before telephone before street: the first failing check answers.
      {{{"NoResponsavelArquivo", ""}, {"NuFoneDDD", ""}}, vornex::CriticaRazaoSocial("", {}, ref)},
      {{{"NuFoneDDD", ""}, {"EdLogradouroRespArquivo", ""}}, "3101"_msg},
      {{{"NuFoneDDD", ""}, {"NuFoneAssinante", ""}}, "3101"_msg},  // no telephone at all
      {{{"EdLogradouroRespArquivo", ""}}, "0120"_msg},
      {{{"NuLogradouroRespArquivo", "0000000"}}, NuMensagem::Excede()},
      {{{"NuLogradouroRespArquivo", ""}}, "0120"_msg},  // neither number nor complement
      {{{"NuLogradouroRespArquivo", ""}, {"TxComplementoRespArquivo", "LOTE 4"}}, "0000"_msg},
      {{{"CoCepRespArquivo", ""}}, "0081"_msg},
      {{{"CoMunicipioRespArquivo", "3599999"}}, "0090"_msg},
      {{{"TxEMailRespArquivo", "maria.exemplo.com.br"}}, "3627"_msg},
  };
  for (const auto& c : casos) {
    std::string rotulo;
    for (const auto& [k, v] : c.mudancas) rotulo += k + "=" + v + " ";
    EXPECT_EQ(vornex::VerificaResponsavel(Responsavel(c.mudancas), ref), c.esperado) << rotulo;
  }
}

}  // namespace
