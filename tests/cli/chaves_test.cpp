#include "chaves.h"

#include <gtest/gtest.h>

#include "comando.h"

using namespace vornex::cli;

TEST(ChavesLinhaDeComando, EstabelecimentoComOuSemPontuacao) {
  const struct {
    const char* texto;
    const char* inscricao;
    const char* prefixo;
  } casos[] = {
      {"11222333000181/00", "11222333000181", "00"},
      {"11.222.333/0001-81/G0", "11222333000181", "G0"},
      {"123456789012/01", "00123456789012", "01"},  // CEI as typed
      {"12-345-67.890-1/2/00", "00123456789012", "00"},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.texto);
    const auto c = LeChaveEstabelecimento(k.texto);
    EXPECT_EQ(c.anBase, "2004");
    EXPECT_EQ(c.inscricao, k.inscricao);
    EXPECT_EQ(c.prefixo, k.prefixo);
  }
  for (const char* ruim : {"", "11222333000181", "11222333000181/0", "1122233300018X/00", "112223330001811/00",
                           "11222333000181/00/extra"})
    EXPECT_THROW(LeChaveEstabelecimento(ruim), ErroComando) << ruim;
}

TEST(ChavesLinhaDeComando, VinculoComNomeOpcional) {
  auto v = LeChaveVinculo("11.222.333/0001-81/00/123.45678.90-1/01022001");
  EXPECT_EQ(v.estabelecimento.inscricao, "11222333000181");
  EXPECT_EQ(v.pis, "12345678901");
  EXPECT_EQ(v.admissao, "01022001");
  EXPECT_EQ(v.nome, "");
  v = LeChaveVinculo("11222333000181/00/00000000000/01022001/JOSE DA SILVA");
  EXPECT_EQ(v.nome, "JOSE DA SILVA");
  for (const char* ruim : {"11222333000181/00/12345678901", "11222333000181/00/1234567890/01022001",
                           "11222333000181/00/12345678901/1022001", "11222333000181/00/12345678901/01022001/A/B"})
    EXPECT_THROW(LeChaveVinculo(ruim), ErroComando) << ruim;
}
