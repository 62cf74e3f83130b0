#include "declfile/retificacao.h"

#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"

using namespace vornex;

namespace {

class Retificacao : public ::testing::Test {
 protected:
  Retificacao() {
    teste::CopiaPastaInicializada(pasta_.caminho());
    c_ = AbreZema2004(pasta_.caminho());
    EXPECT_TRUE(CriaTabelasRetificacao(c_));
  }

  void estabelecimento(const std::string& inscricao, const std::string& prefixo, const std::string& semEmpregados) {
    Tabela t(c_, "Bd8emp");
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["InZemaNegEstabelecimento"] = semEmpregados;
    t.inclui(l);
  }

  void vinculo(const std::string& inscricao, const std::string& pis, const std::string& nome,
               const std::string& sequencia = "") {
    Tabela t(c_, "Bd8vinc");
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = "00";
    l["CoPisPasepEmpregado"] = pis;
    l["DaAdmissaoEmpregado"] = "01022001";
    l["NoEmpregado"] = nome;
    l["NuSequencialRegistro"] = sequencia;
    t.inclui(l);
  }

  std::vector<std::string> nomesCopiados() {
    std::vector<std::string> r;
    for (const auto& l : c_.prepara("SELECT NoEmpregado FROM trabalho.Te8vinc ORDER BY rowid").todas())
      r.push_back(l[0]);
    return r;
  }
  long long conta(const std::string& tabela) {
    return c_.prepara("SELECT count(*) FROM trabalho." + tabela).escalar();
  }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  SelecaoRetificacao s_;
};

const std::string kA = "11222333000181";
const std::string kB = "11222333000262";

TEST_F(Retificacao, SemEstabelecimentosDoAnoBase) { EXPECT_EQ(s_.carrega(c_), "1700"); }

TEST_F(Retificacao, EstabelecimentoComEmpregadosSemVinculoMarcadoSaiDaSelecao) {
  estabelecimento(kA, "00", "0");
  ASSERT_TRUE(s_.carrega(c_).ok());
  EXPECT_EQ(s_.confere(), "1301");
  s_.marca(0, true);
  EXPECT_EQ(s_.confere(), "1304");
  EXPECT_FALSE(s_.estabelecimentos()[0].selecionado);
  EXPECT_EQ(s_.confere(), "1301");
}

TEST_F(Retificacao, CopiaSoOQueFoiEscolhido) {
  estabelecimento(kA, "00", "0");
  estabelecimento(kB, "00", "1");  // declared without employees: its record alone
  estabelecimento("11222333000343", "00", "0");  // not chosen
  vinculo(kA, "12345678901", "ANA");
  vinculo(kA, "12345678902", "BIA");
  // Workers without PIS/PASEP are told apart by name.
  vinculo(kA, "00000000000", "CARLOS");
  vinculo(kA, "00000000000", "DORA");
  GravaResponsavel(c_, EditaResponsavel(c_));
  ASSERT_TRUE(s_.carrega(c_).ok());

  const auto a = *s_.indice(kA, "00");
  s_.marcaVinculo(a, "00000000000", "01022001", "DORA");
  s_.marcaVinculo(a, "12345678902", "01022001", "");  // no name: the first link with that PIS/PASEP and date
  s_.marcaVinculo(a, "00000000000", "01022001", "CARLOS");
  s_.marca(*s_.indice(kB, "00"), true);
  ASSERT_TRUE(s_.confere().ok());
  EXPECT_TRUE(PreparaRetificacao(c_, s_).ok());
  EXPECT_EQ(nomesCopiados(), (std::vector<std::string>{"DORA", "BIA", "CARLOS"}));
  EXPECT_EQ(conta("Te8emp"), 2);
  EXPECT_EQ(conta("Te8resp"), 1);

  // Coming back and preparing again replaces everything.
  s_.desmarcaTodosVinculos(a);
  s_.marcaVinculo(a, "12345678901", "01022001", "");
  EXPECT_TRUE(PreparaRetificacao(c_, s_).ok());
  EXPECT_EQ(nomesCopiados(), (std::vector<std::string>{"ANA"}));
  EXPECT_EQ(conta("Te8resp"), 1);
}

TEST_F(Retificacao, MesmoPisEAdmissaoComNomesDiferentesSaoDoisVinculos) {
  estabelecimento(kA, "00", "0");
  vinculo(kA, "12345678901", "ANA");
  vinculo(kA, "12345678901", "ANA MARIA");
  ASSERT_TRUE(s_.carrega(c_).ok());
  const auto links = VinculosParaRetificacao(c_, s_.estabelecimentos()[0]);
  ASSERT_EQ(links.size(), 2u);
  s_.marca(0, true);
  s_.marcaVinculo(0, links[1], 1);
  EXPECT_TRUE(s_.vinculoMarcado(0, links[1]));
  EXPECT_FALSE(s_.vinculoMarcado(0, links[0]));
  // The list shown again checks the earlier choice; checking it once more
  // does not select it twice.
  s_.marcaVinculo(0, links[1], 1);
  s_.marcaVinculo(0, links[0], 0);
  EXPECT_EQ(s_.estabelecimentos()[0].vinculos.size(), 2u);
  EXPECT_TRUE(PreparaRetificacao(c_, s_).ok());
  EXPECT_EQ(nomesCopiados(), (std::vector<std::string>{"ANA MARIA", "ANA"}));
}

TEST_F(Retificacao, FalhasDaPreparacaoGuardamOQueJaFoiCopiado) {
  estabelecimento(kA, "00", "0");
  vinculo(kA, "12345678901", "ANA");
  ASSERT_TRUE(s_.carrega(c_).ok());
  // The same link named twice on the command line.
  s_.marcaVinculo(0, "12345678901", "01022001", "");
  s_.marcaVinculo(0, "12345678901", "01022001", "ANA");
  EXPECT_EQ(PreparaRetificacao(c_, s_), "1926");
  EXPECT_EQ(nomesCopiados(), (std::vector<std::string>{"ANA"}));

  s_.desmarcaTodosVinculos(0);
  s_.marcaVinculo(0, "12345678901", "01022001", "");
  s_.marcaVinculo(0, "12345678909", "01022001", "");
  EXPECT_EQ(PreparaRetificacao(c_, s_), "1925");
  EXPECT_EQ(nomesCopiados(), (std::vector<std::string>{"ANA"}));

  c_.executa("DELETE FROM Bd8emp");
  EXPECT_EQ(PreparaRetificacao(c_, s_), "1925");
  EXPECT_EQ(conta("Te8emp"), 0);
}

}  // namespace
