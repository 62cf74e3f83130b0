#include "vinculos_cli.h"

#include <gtest/gtest.h>

#include "comando.h"

using namespace vornex::cli;

TEST(VinculoDoArgumento, CamposComOuSemPontuacaoENomeOpcional) {
  const struct {
    const char* texto;
    const char* inscricao;
    const char* prefixo;
    const char* pis;
    const char* nome;
  } casos[] = {
      {"11.222.333/0001-81/00/123.45678.90-1/01022001", "11222333000181", "00", "12345678901", ""},
      {"11222333000181/G0/12345678901/01022001", "11222333000181", "G0", "12345678901", ""},
      {"123456789012/00000000000/01022001/JOSE DA SILVA", "00123456789012", "00", "00000000000", "JOSE DA SILVA"},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.texto);
    const auto v = ChaveVinculoDoArgumento(k.texto);
    EXPECT_EQ(v.estabelecimento.anBase, "2004");
    EXPECT_EQ(v.estabelecimento.inscricao, k.inscricao);
    EXPECT_EQ(v.estabelecimento.prefixo, k.prefixo);
    EXPECT_EQ(v.pis, k.pis);
    EXPECT_EQ(v.admissao, "01022001");
    EXPECT_EQ(v.nome, k.nome);
  }
  for (const char* ruim : {"11222333000181/00/12345678901", "11222333000181/00/1234567890/01022001",
                           "11222333000181/00/12345678901/1022001", "ABC/00/12345678901/01022001"})
    EXPECT_THROW(ChaveVinculoDoArgumento(ruim), ErroComando) << ruim;
}

TEST(VinculoDoArgumento, VinculoSemOEstabelecimento) {
  const auto v = VinculoDoArgumento("123.45678.90-1/01022001");
  EXPECT_EQ(v.pis, "12345678901");
  EXPECT_EQ(v.admissao, "01022001");
  EXPECT_FALSE(v.nome);
  EXPECT_EQ(VinculoDoArgumento("00000000000/01022001/JOSE DA SILVA").nome, "JOSE DA SILVA");
  for (const char* ruim : {"12345678901", "12345678901/1022001", "11222333000181/12345678901/01022001",
                           "12345678901/01022001/JOSE/X"})
    EXPECT_THROW(VinculoDoArgumento(ruim), ErroComando) << ruim;
}
