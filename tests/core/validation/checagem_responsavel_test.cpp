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
    const char* campo;  // the field the screen goes back to
  } casos[] = {
      {{}, "0000"_msg, ""},
      {{{"CoCgcCeiResponsavel", "00011144477735"}, {"InInscrResponsavel", "4"}}, "0000"_msg, ""},
      {{{"CoCgcCeiResponsavel", std::string(vornex::teste::kCnpjECei)}, {"InInscrResponsavel", "3"}}, "0000"_msg, ""},
      {{{"CoCgcCeiResponsavel", std::string(vornex::teste::kCei)}}, "1004"_msg, "CoCgcCeiResponsavel"},  // a CEI stored as CNPJ
      {{{"InInscrResponsavel", "3"}}, "1003"_msg, "CoCgcCeiResponsavel"},                                 // a CNPJ stored as CEI
      {{{"CoCgcCeiResponsavel", ""}}, "0055"_msg, "CoCgcCeiResponsavel"},
      {{{"CoCgcCeiResponsavel", "112223330001810"}}, "0054"_msg, "CoCgcCeiResponsavel"},  // longer than 14: not cut short
      {{{"InInscrResponsavel", ""}}, "0128"_msg, "InInscrResponsavel"},
      // Name before telephone before street: the first failing check answers.
      {{{"NoResponsavelArquivo", ""}, {"NuFoneDDD", ""}}, vornex::CriticaRazaoSocial("", {}, ref), "NoResponsavelArquivo"},
      {{{"NuFoneDDD", ""}, {"EdLogradouroRespArquivo", ""}}, "3101"_msg, "NuFoneDDD"},
      {{{"NuFoneDDD", ""}, {"NuFoneAssinante", ""}}, "3101"_msg, "NuFoneDDD"},  // no telephone at all
      {{{"EdLogradouroRespArquivo", ""}}, "0120"_msg, "EdLogradouroRespArquivo"},
      {{{"NuLogradouroRespArquivo", "0000000"}}, NuMensagem::Excede(), "NuLogradouroRespArquivo"},
      {{{"NuLogradouroRespArquivo", ""}}, "0120"_msg, "TxComplementoRespArquivo"},  // neither number nor complement
      {{{"NuLogradouroRespArquivo", ""}, {"TxComplementoRespArquivo", "LOTE 4"}}, "0000"_msg, ""},
      {{{"CoCepRespArquivo", ""}}, "0081"_msg, "CoCepRespArquivo"},
      {{{"CoMunicipioRespArquivo", "3599999"}}, "0090"_msg, "CoMunicipioRespArquivo"},
      {{{"TxEMailRespArquivo", "maria.exemplo.com.br"}}, "3627"_msg, "TxEMailRespArquivo"},
  };
  for (const auto& c : casos) {
    std::string rotulo;
    for (const auto& [k, v] : c.mudancas) rotulo += k + "=" + v + " ";
    EXPECT_EQ(vornex::VerificaResponsavel(Responsavel(c.mudancas), ref), c.esperado) << rotulo;
    const auto f = vornex::ConfereResponsavel(Responsavel(c.mudancas), ref);
    EXPECT_EQ(f.mensagem, c.esperado) << rotulo;
    EXPECT_EQ(f.campo, c.campo) << rotulo;
  }
}

}  // namespace
