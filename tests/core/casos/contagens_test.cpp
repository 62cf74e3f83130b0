#include "casos/contagens.h"

#include <gtest/gtest.h>

#include "base_manutencao.h"

namespace {

using namespace vornex;

struct Contagens : ::testing::Test, teste::BaseManutencao {};

TEST_F(Contagens, RecontaVinculosEEstrangeirosDaTabelaDeVinculos) {
  const auto k = Estab(teste::kCnpjSo);
  const auto outro = Estab(teste::kCnpjSo, "01");
  Vinculos(k, 7);
  Vinculos(outro, 4);
  c.executa("update Bd8emp set NuVinculosEstabelecimento = '000099', NuEstrangeirosEstabelec = '00099'");

  const ContagemVinculos r = RecontaVinculos(c, k);
  EXPECT_TRUE(r.gravada);
  EXPECT_EQ(r.vinculos, 7);
  EXPECT_EQ(r.estrangeiros, 2);  // links 3 and 6
  EXPECT_EQ(Coluna(k, "NuVinculosEstabelecimento"), "000007");
  EXPECT_EQ(Coluna(k, "NuEstrangeirosEstabelec"), "00002");
  // Another prefix of the same registration is another establishment.
  EXPECT_EQ(Coluna(outro, "NuVinculosEstabelecimento"), "000099");

  EXPECT_FALSE(RecontaVinculos(c, {"2004", teste::kCeiSo, "00"}).gravada);
}

}  // namespace
