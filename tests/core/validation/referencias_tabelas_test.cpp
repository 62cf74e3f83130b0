#include <gtest/gtest.h>

#include "../data/apoio.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;

// The answers as the rules read them, from the installed tables.
TEST(ReferenciasTabelas, RespondeDasTabelasCarregadas) {
  Conexao c = AbreZema2004(teste::PastaInicializada());
  const TabelasReferencia t = TabelasReferencia::Carrega(c);
  const ReferenciasTabelas r(t);

  EXPECT_TRUE(r.ExisteMunicipio("1100015"));
  EXPECT_FALSE(r.ExisteMunicipio("9999999"));
  EXPECT_EQ(r.NomeMunicipio("1100015"), "ALTA FLORESTA D OESTE");
  const auto cep = r.CepMunicipio("1100015");
  ASSERT_TRUE(cep);
  EXPECT_EQ(cep->coCep, "76954");
  EXPECT_TRUE(cep->inFaixa);
  const auto faixas = r.FaixasCep("1100015");
  ASSERT_TRUE(faixas);
  EXPECT_EQ(faixas->coCep1Inicial, "76954");
  EXPECT_EQ(faixas->coCep2Final, "76955");
  EXPECT_FALSE(r.FaixasCep("0000000"));

  EXPECT_EQ(r.SiglaUf("11"), "RO");
  EXPECT_EQ(r.CodigoUf("ro"), "11");
  EXPECT_FALSE(r.CodigoUf("XX"));
  const auto uf = r.FaixasCepUf("11");
  ASSERT_EQ(uf.size(), 2u);
  EXPECT_EQ(uf[1].coCepInicial, "78900");
  EXPECT_TRUE(r.FaixasCepUf("99").empty());

  EXPECT_TRUE(r.ExisteNacionalidade("10"));
  EXPECT_TRUE(r.ExisteRaca("9"));
  EXPECT_FALSE(r.ExisteRaca("3"));
  EXPECT_TRUE(r.ExisteVinculo("10"));
  EXPECT_TRUE(r.ExisteCausaDesligamento("11"));
  EXPECT_TRUE(r.ExisteTipoSalario("1"));
  EXPECT_TRUE(r.ExisteTipoAdmissao("2"));
  EXPECT_TRUE(r.ExisteInstrucao("9"));
  EXPECT_TRUE(r.ExisteCnae("01112"));
  EXPECT_TRUE(r.ExisteNaturezaJuridica("1015"));
  EXPECT_TRUE(r.Cbo("010"));
  EXPECT_FALSE(r.Cbo("999999"));
  EXPECT_EQ(r.NomeRaizReservada("00000000"), "BANCO DO BRASIL");
  EXPECT_FALSE(r.NomeRaizReservada("12345678"));
}
