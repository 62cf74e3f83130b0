#include "validation/checagem_responsavel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/texto.h"
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
    EXPECT_EQ(f.foco, c.campo) << rotulo;
  }
}

TEST(ChecagemResponsavel, InscricaoDigitadaPeloComprimento) {
  using vornex::teste::kCnpj;
  using vornex::teste::kCnpjECei;
  const std::string cpf = "11144477735";
  struct Caso {
    std::string digitada;
    NuMensagem mensagem;
    const char* tipo;
  } casos[] = {
      {std::string(kCnpj), "0000"_msg, "1"},
      {std::string(kCnpjECei), "0000"_msg, "1"},        // valid both ways, typed with 14: a CNPJ
      {std::string(kCnpjECei).substr(2), "0000"_msg, "3"},  // typed with 12: a CEI
      {std::string(kCnpjECei).substr(1), "1003"_msg, ""},   // 13 digits: stored as nothing, refused
      {std::string(kCnpj).substr(1), "0054"_msg, ""},  // a digit short: another number
      {std::string(vornex::teste::kCei).substr(2), "0000"_msg, "3"},
      {std::string(vornex::teste::kCei).substr(1), "1004"_msg, ""},
      {cpf, "0000"_msg, "4"},
      {"11144477734", "0054"_msg, ""},  // wrong check digit
      {"", "0055"_msg, ""},
  };
  for (const auto& c : casos) {
    const auto r = vornex::AnalisaInscricaoResponsavel(c.digitada);
    EXPECT_EQ(r.mensagem, c.mensagem) << c.digitada;
    EXPECT_EQ(r.tipo, c.tipo) << c.digitada;
    if (r.mensagem.ok()) {
      EXPECT_EQ(r.armazenada.size(), 14u) << c.digitada;
      EXPECT_EQ(vornex::InscricaoRespDigitada(r.armazenada, r.tipo), vornex::Apara(c.digitada)) << c.digitada;
    }
  }
}

TEST(ChecagemResponsavel, SaidaDosCamposNormalizaEAvisa) {
  const vornex::teste::ReferenciasTeste ref;
  auto r = Responsavel({{"NuLogradouroRespArquivo", " 0012 "}, {"NoBairroRespArquivo", "  CENTRO  "}});
  EXPECT_TRUE(vornex::ChecaSaidaResponsavel(r, ref, "NuLogradouroRespArquivo").ok());
  EXPECT_EQ(r["NuLogradouroRespArquivo"], "12");  // shown without zeros
  EXPECT_TRUE(vornex::ChecaSaidaResponsavel(r, ref, "NoBairroRespArquivo").ok());
  EXPECT_EQ(r["NoBairroRespArquivo"], "CENTRO");
  EXPECT_TRUE(vornex::ChecaSaidaResponsavel(r, ref, "CoMunicipioRespArquivo").ok());
  EXPECT_FALSE(r["SgUfRespArquivo"].empty());
  vornex::CompletaResponsavel(r);
  EXPECT_EQ(r["NuLogradouroRespArquivo"], "000012");

  // A DDD of another state only warns, and not on the way to the forward button.
  auto outra = Responsavel({{"NuFoneDDD", "31"}});
  const auto saida = vornex::ChecaSaidaResponsavel(outra, ref, "NuFoneDDD");
  EXPECT_TRUE(saida.ok());
  EXPECT_EQ(saida.avisos.size(), 1u);
  EXPECT_TRUE(vornex::ChecaSaidaResponsavel(outra, ref, "NuFoneDDD", true).avisos.empty());
  EXPECT_TRUE(vornex::ChecaResponsavel(outra, ref, true).ok());

  // Every field's first error, in order, when the command line asks for all.
  auto ruim = Responsavel({{"NoResponsavelArquivo", ""}, {"CoCepRespArquivo", ""}});
  const auto todos = vornex::ChecaResponsavel(ruim, ref, true);
  ASSERT_EQ(todos.falhas.size(), 2u);
  EXPECT_EQ(todos.falhas[0].campo, "NoResponsavelArquivo");
  EXPECT_EQ(todos.falhas[1].campo, "CoCepRespArquivo");
  EXPECT_EQ(vornex::ChecaResponsavel(ruim, ref, false).falhas.size(), 1u);
}

}  // namespace
