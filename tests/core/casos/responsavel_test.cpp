#include "casos/responsavel.h"

#include <gtest/gtest.h>

#include <string>

#include "../data/apoio.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/referencia.h"
#include "demonstracao/demonstracao.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;

namespace {

class Responsavel : public ::testing::Test {
 protected:
  Responsavel() : c_(Abre(pasta_)), tabelas_(TabelasReferencia::Carrega(c_)), ref_(tabelas_) {
    GeraDemonstracao(c_, {1, 2, 7});
    demo_ = LeResponsavelOuVazio(c_);
  }

  static Conexao Abre(const teste::PastaTemporaria& p) {
    teste::CopiaPastaInicializada(p.caminho());
    return AbreZema2004(p.caminho());
  }

  ResultadoGravaResponsavel Grava(const std::string& inscricao, Linha mudada) {
    PedidoGravaResponsavel p;
    p.responsavel = std::move(mudada);
    p.inscricaoDigitada = inscricao;
    return GravaResponsavel(c_, ref_, p);
  }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  TabelasReferencia tabelas_;
  ReferenciasTabelas ref_;
  Linha demo_;
};

TEST_F(Responsavel, GravaCpfDigitadoCompletandoOsCampos) {
  Linha r = demo_;
  r["NuLogradouroRespArquivo"] = "12";
  r["NuFoneDDD"] = " 11";
  const auto g = Grava("11144477735", r);
  ASSERT_TRUE(g.gravado()) << g.checagem.falhas.front().campo;
  const Linha gravado = LeResponsavelOuVazio(c_);
  EXPECT_EQ(gravado["CoCgcCeiResponsavel"], "00011144477735");
  EXPECT_EQ(gravado["InInscrResponsavel"], "4");
  EXPECT_EQ(gravado["NuLogradouroRespArquivo"], "000012");
  EXPECT_EQ(gravado["NuFoneDDD"], "11");
  EXPECT_EQ(InscricaoRespDigitada(gravado["CoCgcCeiResponsavel"], "4"), "11144477735");
}

TEST_F(Responsavel, RecusaListaCadaCampoENaoGrava) {
  Linha r = demo_;
  r["NoResponsavelArquivo"] = "";
  r["CoCepRespArquivo"] = "";
  struct Caso {
    const char* inscricao;
    bool todos;
    std::vector<std::string> campos;
  } casos[] = {
      {"11144477734", true, {"CoCgcCeiResponsavel", "NoResponsavelArquivo", "CoCepRespArquivo"}},
      {"1222333000181", false, {"CoCgcCeiResponsavel"}},  // 13 digits: neither kept nor shown
      {"11144477735", true, {"NoResponsavelArquivo", "CoCepRespArquivo"}},
  };
  for (const auto& k : casos) {
    PedidoGravaResponsavel p{r, std::string(k.inscricao), k.todos};
    const auto g = GravaResponsavel(c_, ref_, p);
    std::vector<std::string> campos;
    for (const auto& f : g.checagem.falhas) campos.emplace_back(f.campo);
    EXPECT_EQ(campos, k.campos) << k.inscricao;
    EXPECT_FALSE(g.gravado());
    EXPECT_EQ(LeResponsavelOuVazio(c_).valores(), demo_.valores()) << k.inscricao;
  }
}

}  // namespace
