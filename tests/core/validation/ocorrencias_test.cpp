#include "validation/ocorrencias.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/catalogo.h"
#include "data/tabelas_trabalho.h"

namespace {

using vornex::Linha;

// errwar, tiporegistro, inscricao, prefixo, copispasep, retorno, lbl, Conteudo
Linha Ocorrencia(const char* errwar, const char* nivel, const char* inscricao, const char* pis,
                 const char* retorno, const char* lbl, const char* conteudo) {
  Linha l = vornex::DefinicaoTrabalho(vornex::kTabelaErros)->novaLinha();
  l["errwar"] = errwar, l["tiporegistro"] = nivel, l["inscricao"] = inscricao, l["prefixo"] = "00";
  l["copispasep"] = pis, l["retorno"] = retorno, l["lbl"] = lbl, l["Conteudo"] = conteudo;
  return l;
}

TEST(AgrupaOcorrencias, ErrosDepoisAvisosPorRegistroEMensagem) {
  vornex::Catalogo cat;
  cat.inclui({"0101", "ERR", "Primeira"});
  cat.inclui({"1604", "INF", "Razão social"});
  const std::vector<Linha> linhas = {
      Ocorrencia("err", "0", "", "", "0101", "1604", "a"),
      Ocorrencia("err", "1", "111", "", "0101", "1604", "b"),
      Ocorrencia("err", "1", "111", "", "0101", "1605", "c"),  // same number: one heading, two fields
      Ocorrencia("err", "1", "111", "", "0102", "1604", "d"),
      Ocorrencia("err", "2", "111", "900", "0101", "1604", "e"),  // a link of the establishment just headed
      Ocorrencia("err", "2", "222", "901", "0101", "1604", "f"),  // a link of another one
      Ocorrencia("war", "2", "222", "901", "0103", "1604", "g"),
  };
  const auto partes = vornex::AgrupaOcorrencias(linhas, cat);
  ASSERT_EQ(partes.size(), 2u);
  EXPECT_FALSE(partes[0].avisos);
  EXPECT_TRUE(partes[1].avisos);

  const auto& r = partes[0].registros;
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0].nivel, "0");
  EXPECT_FALSE(r[0].abreEstabelecimento);
  EXPECT_TRUE(r[1].abreEstabelecimento);
  ASSERT_EQ(r[1].mensagens.size(), 2u);
  EXPECT_EQ(r[1].mensagens[0].texto, "Primeira");
  EXPECT_EQ(r[1].mensagens[1].texto, "0102");  // not in the catalog: the number itself
  ASSERT_EQ(r[1].mensagens[0].campos.size(), 2u);
  EXPECT_EQ(r[1].mensagens[0].campos[0].rotulo, "Razão social");
  EXPECT_EQ(r[1].mensagens[0].campos[1].rotulo, "1605");
  EXPECT_EQ(r[1].mensagens[0].campos[1].conteudo, "c");
  EXPECT_FALSE(r[2].abreEstabelecimento);
  EXPECT_TRUE(r[3].abreEstabelecimento);
  EXPECT_EQ(r[3].linha["inscricao"], "222");

  // The warnings start afresh: the same link is headed again.
  ASSERT_EQ(partes[1].registros.size(), 1u);
  EXPECT_TRUE(partes[1].registros[0].abreEstabelecimento);
  EXPECT_EQ(partes[1].registros[0].mensagens[0].campos[0].conteudo, "g");

  EXPECT_TRUE(vornex::AgrupaOcorrencias({}, cat).empty());
}

TEST(AgrupaOcorrencias, TituloRepetidoDoMesmoRegistro) {
  vornex::Catalogo cat;
  // Two opening-record groups with the same number, split by the inscription
  // stored with them: the second heading repeats the first.
  const auto partes = vornex::AgrupaOcorrencias(
      {Ocorrencia("err", "0", "1", "", "0101", "1604", "a"), Ocorrencia("err", "0", "2", "", "0101", "1604", "b"),
       Ocorrencia("err", "0", "2", "", "0102", "1604", "c")},
      cat);
  ASSERT_EQ(partes.size(), 1u);
  const auto& r = partes[0].registros;
  ASSERT_EQ(r.size(), 2u);
  EXPECT_FALSE(r[0].mensagens[0].repetida);
  EXPECT_TRUE(r[1].mensagens[0].repetida);
  EXPECT_FALSE(r[1].mensagens[1].repetida);
}

}  // namespace
