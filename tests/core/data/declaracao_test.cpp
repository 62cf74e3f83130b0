#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"
#include "data/tabelas.h"

namespace {

using namespace vornex;
using teste::PastaTemporaria;

class Declaracao : public ::testing::Test {
 protected:
  Declaracao() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    c = AbreZema2004(pasta_ / "dados");
  }

  Linha Estab(const char* ano, const char* inscricao, const char* prefixo) {
    Tabela t(c, "Bd8emp");
    Linha l = t.novaLinha();
    l["AnBase"] = ano;
    l["CoCgcCeiEstabelecimento"] = InscricaoArmazenada(inscricao);
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["NoRazaoEstabelecimento"] = "EMPRESA TESTE";
    t.inclui(l);
    return l;
  }

  void Vinculo(const char* inscricao, const char* pis, const char* admissao, const char* nome,
               const char* nacionalidade = "10") {
    Tabela t(c, "Bd8vinc");
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = "00";
    l["CoPisPasepEmpregado"] = pis;
    l["DaAdmissaoEmpregado"] = admissao;
    l["NoEmpregado"] = nome;
    l["CoNacionalidade"] = nacionalidade;
    t.inclui(l);
  }

  PastaTemporaria pasta_;
  Conexao c;
};

int CodigoDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const ErroBanco& e) {
    return e.codigo();
  }
  return 0;
}

TEST_F(Declaracao, EstabelecimentoPorChaveEChaveRepetida) {
  Estab("2004", "123456789012", "00");  // a CEI typed with 12 digits
  auto achado = BuscaEstabelecimento(c, {"2004", "00123456789012", "00"});
  ASSERT_TRUE(achado);
  EXPECT_EQ((*achado)["CoCgcCeiEstabelecimento"], "00123456789012");
  EXPECT_EQ((*achado)["InAvisoCnae"], "0");
  EXPECT_TRUE(BuscaEstabelecimento(c, {"2004", "123456789012", "00"}));
  EXPECT_FALSE(BuscaEstabelecimento(c, {"2005", "123456789012", "00"}));
  EXPECT_FALSE(BuscaEstabelecimento(c, {"2004", "123456789012", "01"}));

  EXPECT_EQ(CodigoDe([&] { Estab("2004", "00123456789012", "00"); }), kErroViolacaoChave);
  EXPECT_EQ(CodigoDe([&] { Estab("2005", "00123456789012", "00"); }), 0);
  EXPECT_EQ(CodigoDe([&] { Estab("2004", "00123456789012", "A1"); }), 0);
  EXPECT_EQ(Tabela(c, "BD8EMP").conta(), 3);
}

TEST_F(Declaracao, VinculosDoEstabelecimentoEmOrdemEContagens) {
  const char* insc = "11222333000181";
  Estab("2004", insc, "00");
  Vinculo(insc, "20000000000", "01012004", "BETA", "20");
  Vinculo(insc, "10000000000", "01022004", "ALFA");
  Vinculo(insc, "10000000000", "01012004", "GAMA");
  Vinculo(insc, "10000000000", "01012004", "DELTA");  // same PIS and date, another name
  Vinculo("99888777000166", "10000000000", "01012004", "OUTRO", "30");
  EXPECT_EQ(CodigoDe([&] { Vinculo(insc, "10000000000", "01012004", "DELTA"); }), kErroViolacaoChave);

  ChaveEstabelecimento k{"2004", insc, "00"};
  auto v = VinculosDoEstabelecimento(c, k);
  ASSERT_EQ(v.size(), 4u);
  std::vector<std::string> nomes;
  for (const auto& l : v) nomes.push_back(l["NoEmpregado"]);
  EXPECT_EQ(nomes, (std::vector<std::string>{"DELTA", "GAMA", "ALFA", "BETA"}));
  EXPECT_EQ(ContaVinculos(c, k), 4);
  EXPECT_EQ(ContaEstrangeiros(c, k), 1);
  EXPECT_EQ(ContaVinculos(c, {"2005", insc, "00"}), 0);
}

TEST_F(Declaracao, ResponsavelTemNoMaximoUmaLinhaCriadaNaPrimeiraEdicao) {
  EXPECT_FALSE(LeResponsavel(c));
  Linha r = EditaResponsavel(c);
  EXPECT_EQ(r["InDicas"], "0");
  ASSERT_TRUE(LeResponsavel(c));
  r["NoResponsavelArquivo"] = "FULANO DE TAL";
  r.defineLogico("InDicas", true);
  GravaResponsavel(c, r);
  Linha de_novo = EditaResponsavel(c);
  EXPECT_EQ(de_novo["NoResponsavelArquivo"], "FULANO DE TAL");
  EXPECT_TRUE(de_novo.logico("InDicas"));

  Tabela t(c, "BD8Resp");
  EXPECT_EQ(CodigoDe([&] { t.inclui(t.novaLinha()); }), kErroRegraTabela);
  EXPECT_EQ(t.conta(), 1);
}

TEST_F(Declaracao, CopiaEstruturaCriaTabelasDeTrabalho) {
  CopiaEstruturaTabela(c, "BD8emp", "Te8emp", true);
  CopiaEstruturaTabela(c, "BD8Resp", "Te8resp", false);
  CopiaEstruturaTabela(c, "BD8vinc", "Te8vinc", false);
  AdicionaIndice(c, "Te8vinc", {"", "Te8vinc", DefinicaoSistema("Bd8vinc")->indices()[0].campos, {true, false}});

  for (auto [fonte, copia] : {std::pair{"Bd8emp", "Te8emp"}, {"BD8Resp", "Te8resp"}, {"Bd8vinc", "Te8vinc"}}) {
    SCOPED_TRACE(copia);
    EXPECT_TRUE(ExisteTabela(c, copia, ArquivoDados::Trabalho));
    auto a = DefinicaoDaTabela(c, fonte), b = DefinicaoDaTabela(c, copia);
    ASSERT_EQ(a.campos().size(), b.campos().size());
    for (std::size_t i = 0; i < a.campos().size(); ++i) {
      EXPECT_EQ(a.campos()[i].nome, b.campos()[i].nome);
      EXPECT_EQ(a.campos()[i].tamanho, b.campos()[i].tamanho);
      EXPECT_EQ(a.campos()[i].tipo, b.campos()[i].tipo);
    }
    EXPECT_EQ(a.chave(), b.chave());
  }
  EXPECT_TRUE(ExisteIndice(c, "TE8EMP.PX"));
  EXPECT_TRUE(ExisteIndice(c, "TE8VINC.PX"));
  EXPECT_TRUE(DefinicaoDaTabela(c, "Te8resp").indices().empty());

  // A new copy replaces the old table and its rows.
  Tabela te(c, "Te8emp");
  Linha l = te.novaLinha();
  l["AnBase"] = "2004";
  te.inclui(l);
  EXPECT_EQ(CodigoDe([&] { te.inclui(l); }), kErroViolacaoChave);
  CopiaEstruturaTabela(c, "Bd8emp", "Te8emp", true);
  EXPECT_EQ(Tabela(c, "Te8emp").conta(), 0);

  EXPECT_FALSE(CopiaEstruturaTabelaOk(c, "Te8emp", "Bd8emp", true));
  EXPECT_FALSE(CopiaEstruturaTabelaOk(c, "Nenhuma", "Te8x", true));
  EXPECT_FALSE(ExisteTabela(c, "Te8x"));
  EXPECT_EQ(Tabela(c, "Bd8emp").conta(), 0);
}

}  // namespace
