#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "common/catalogo.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"

namespace {

using namespace vornex;
using teste::PastaInicializada;

const TabelasReferencia& Ref() {
  static Conexao c = AbreZema2004(PastaInicializada());
  static TabelasReferencia t = TabelasReferencia::Carrega(c);
  return t;
}

TEST(Referencia, BuscaPorCodigoEmCadaTabela) {
  const auto& r = Ref();
  struct Caso {
    const Linha* linha;
    const char* coluna;
    const char* esperado;
  };
  const Caso casos[] = {
      {r.municipio("3550308"), "NoMunicipio", "SAO PAULO"},
      {r.municipio("35"), "NoMunicipio", "SAO PAULO"},
      {r.uf("35"), "SgUf", "SP"},
      {r.cnae("70408"), "CoCnae", "70408"},
      {r.cbo("111105"), "CoCbo", "111105"},
      {r.naturezaJuridica("2062"), "CoNaturezaJuridica", "2062"},
      {r.nacionalidade("10"), "NoNacionalidade", "Brasileira"},
      {r.instrucao("1"), "CoInstrucao", "1"},
      {r.tipoAdmissao("2"), "CoTipoAdmissao", "2"},
      {r.tipoSalario("1"), "NoTipoSalarioContratual", "Mensal"},
      {r.vinculo("10"), "CoVinculo", "10"},
      {r.desligamento("71"), "CoCausaDesligamento", "71"},
      {r.raca("8"), "NoRaca", "Parda"},
      {r.afastamento("50"), "CoAfastamento", "50"},
      {r.mesDataBase("12"), "MeDataBase", "12"},
  };
  for (const auto& c : casos) {
    ASSERT_NE(c.linha, nullptr) << c.esperado;
    EXPECT_EQ((*c.linha)[c.coluna], c.esperado);
  }
  for (const char* ausente : {"", "3", "03", "99999", "70409", "3550308 "}) {
    EXPECT_EQ(r.cnae(ausente), nullptr) << ausente;
    EXPECT_EQ(r.municipio(ausente), nullptr) << ausente;
  }
  EXPECT_EQ(r.raca("3"), nullptr);
  EXPECT_EQ(r.linhas(Referencia::Municipio).size(), 5587u);
  EXPECT_EQ(r.linhas(Referencia::Municipio).front()["CoMunicipio"], "11");
}

TEST(Referencia, UfPorSiglaSemDistinguirCaixaEFaixasDeCep) {
  const auto& r = Ref();
  for (const char* sg : {"AM", "am", "Am"}) {
    const Linha* uf = r.ufPorSigla(sg);
    ASSERT_NE(uf, nullptr) << sg;
    EXPECT_EQ((*uf)["CoUf"], "13");
  }
  EXPECT_EQ(r.ufPorSigla("XX"), nullptr);
  EXPECT_EQ(r.ufPorSigla(""), nullptr);

  // Amazonas has two ranges (69300-69399 belongs to Roraima between them).
  const auto& am = r.faixasCepUf("13");
  ASSERT_EQ(am.size(), 2u);
  EXPECT_EQ(am[0].inicial, 69000);
  EXPECT_EQ(am[0].final, 69299);
  EXPECT_EQ(am[1].inicial, 69400);
  ASSERT_EQ(r.linhasUfCep("13").size(), 2u);
  EXPECT_EQ((*r.linhasUfCep("13")[1])["IdUf"], "2");
  EXPECT_TRUE(r.faixasCepUf("99").empty());

  auto sp = r.faixasCepMunicipio("3550308");
  ASSERT_TRUE(sp);
  EXPECT_EQ(sp->primeira.inicial, 1000);
  EXPECT_EQ(sp->primeira.final, 5999);
  EXPECT_EQ(sp->segunda.inicial, 8000);
  EXPECT_EQ(sp->segunda.final, 8499);
  EXPECT_FALSE(r.faixasCepMunicipio("35"));
}

TEST(Referencia, IndicadoresDoCboERaizesReservadas) {
  const auto& r = Ref();
  // A physician needs higher education; a family-level group row carries no flags.
  auto medico = r.indicadoresCbo("225125");
  ASSERT_TRUE(medico);
  EXPECT_TRUE(medico->criticaCbo);
  EXPECT_TRUE(medico->criticaAna);
  auto grupo = r.indicadoresCbo("2251");
  ASSERT_TRUE(grupo);
  EXPECT_FALSE(grupo->criticaCbo);
  EXPECT_FALSE(grupo->criticaAna);
  EXPECT_FALSE(r.indicadoresCbo("999999"));
  EXPECT_EQ((*r.cbo("225125"))["InCriticaCbo"], "1");

  ASSERT_EQ(r.raizesReservadas().size(), 7u);
  for (const auto& raiz : r.raizesReservadas()) {
    EXPECT_EQ(raiz.raiz.size(), 8u);
    EXPECT_EQ(raiz.nome.size(), 15u) << raiz.nome;
    for (char ch : raiz.nome) EXPECT_FALSE(ch >= 'a' && ch <= 'z') << raiz.nome;
  }
  const auto* bb = r.raizReservada("00000000");
  ASSERT_NE(bb, nullptr);
  EXPECT_EQ(bb->nome, "BANCO DO BRASIL");
  EXPECT_EQ(r.raizReservada("12345678"), nullptr);

  Catalogo cat = r.catalogo();
  EXPECT_EQ(cat.todas().size(), r.linhas(Referencia::Mensagem).size());
}

// Tables named like reference or work tables in the declaration file (as a
// crafted database could bring) never answer for them.
TEST(Referencia, TabelasHomonimasNoArquivoDaDeclaracaoNaoRespondem) {
  teste::PastaTemporaria pasta;
  teste::CopiaPastaInicializada(pasta.caminho());
  Conexao c = AbreZema2004(pasta.caminho());
  c.executa("CREATE TABLE main.tb8MSG (NuMensagem, TpMensagem, TxMensagem)");
  c.executa("INSERT INTO main.tb8MSG VALUES ('1700', 'Erro', 'SOMBRA')");
  c.executa("CREATE TABLE main.tb8CNAE (CoCnae, NoCnae)");
  c.executa("INSERT INTO main.tb8CNAE VALUES ('99999', 'SOMBRA')");
  c.executa("CREATE TABLE main.Te8emp (AnBase)");
  c.executa("INSERT INTO main.Te8emp VALUES ('2004')");
  EXPECT_THROW(Tabela(c, kTrabalhoEstabelecimento), ErroBanco);  // no work copy yet
  RecriaCopiasDeclaracao(c);
  EXPECT_NE(Catalogo::LeConexao(c).texto("1700"), "SOMBRA");
  EXPECT_EQ(TabelasReferencia::Carrega(c).cnae("99999"), nullptr);
  EXPECT_EQ(Tabela(c, kTrabalhoEstabelecimento).conta(), 0);
}

}  // namespace
