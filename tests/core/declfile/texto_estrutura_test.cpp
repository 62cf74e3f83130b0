#include "declfile/texto_estrutura.h"

#include <gtest/gtest.h>

#include "common/catalogo.h"

namespace {

using vornex::ErroEstrutura;

TEST(TextoEstrutura, LinhaDeDetalhePorTipoDeCampo) {
  const struct {
    const char* tipo;
    const char* esperado;
  } casos[] = {
      {"0", "Posição 1 a 6 = C"},
      {"1", "Posição 23 = C"},
      {"2", "Posição 278 = C"},
      {"3", "Posição 24 a 29 = C"},
      {"4", "Posição 30 a 35 = C"},
      {"5", "Posição 351 = C"},
      {"6", "Total registro tipo 1 encontrado = C"},
      {"7", "Total registro tipo 2 encontrado = C"},
      {"8", "Posição 07 a 20 = C"},
      {"9", "Tamanho esperado: C"},
      {"A", "Tamanho encontrado: C"},
      {"", ""},
      {"B", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(vornex::TextoErroEstrutura(c.tipo, "351", "C"), c.esperado) << c.tipo;
}

TEST(TextoEstrutura, GruposDoRelatorio) {
  vornex::Catalogo cat;
  cat.inclui({"1909", "ERR", "Estabelecimento sem vínculos."});
  const std::vector<ErroEstrutura> linhas = {
      {"2004", "1909", "000002", "1122233300018100", "1", "", "1"},
      {"2004", "1909", "000002", "1122233300018100", "2", "", "0"},
      {"2004", "1909", "000003", "", "1", "", "1"},
  };
  EXPECT_EQ(vornex::TextoRelatorioEstrutura(linhas, cat),
            (std::vector<std::string>{"Erro : Estabelecimento sem vínculos.", "Sequência = 000002",
                                      "Inscrição/prefixo do estabelecimento = 11222333000181/00",
                                      "Posição 23 = 1", "Posição 278 = 0", "Sequência = 000003",
                                      "Posição 23 = 1"}));
}

}  // namespace
