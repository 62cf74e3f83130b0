#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/erro_banco.h"
#include "data/tabelas_trabalho.h"

using namespace vornex;
using teste::PastaTemporaria;

TEST(TabelasTrabalho, RecriadasVaziasComAsColunasDeCadaUma) {
  PastaTemporaria p;
  teste::CopiaPastaInicializada(p.caminho());
  Conexao c = AbreZema2004(p.caminho());
  struct {
    const char* tabela;
    std::size_t colunas;
  } casos[] = {{"Te8ErrWa", 14}, {"Te8stru", 7}, {"TE8Imp", 12}, {"te8ProID", 39}, {"te8ProES", 8}};
  for (const auto& k : casos) {
    SCOPED_TRACE(k.tabela);
    RecriaTabelaTrabalho(c, k.tabela);
    c.executa(std::string("INSERT INTO ") + k.tabela + " DEFAULT VALUES");
    RecriaTabelaTrabalho(c, k.tabela);  // replaces the filled one
    EXPECT_EQ(LocalizaTabela(c, k.tabela), ArquivoDados::Trabalho);
    EXPECT_EQ(DefinicaoDaTabela(c, k.tabela).campos().size(), k.colunas);
    Consulta q(c, std::string("SELECT count(*) FROM ") + k.tabela);
    ASSERT_TRUE(q.proxima());
    EXPECT_EQ(q.texto(0), "0");
  }
  EXPECT_THROW(RecriaTabelaTrabalho(c, "Bd8emp"), std::invalid_argument);
}

TEST(TabelasTrabalho, CopiasDaDeclaracaoTemAsColunasEChavesDoArquivo) {
  PastaTemporaria p;
  teste::CopiaPastaInicializada(p.caminho());
  Conexao c = AbreZema2004(p.caminho());
  RecriaCopiasDeclaracao(c);
  EXPECT_EQ(DefinicaoDaTabela(c, "Te8vinc").campos().size(), DefinicaoDaTabela(c, "Bd8vinc").campos().size());
  EXPECT_TRUE(DefinicaoDaTabela(c, "Te8resp").indices().empty());
  EXPECT_EQ(DefinicaoDaTabela(c, "Te8emp").chave(), DefinicaoDaTabela(c, "Bd8emp").chave());
  EXPECT_EQ(DefinicaoDaTabela(c, "Te8vinc").chave(), DefinicaoDaTabela(c, "Bd8vinc").chave());
  // Two links that differ only by the sequence number both load.
  c.executa("INSERT INTO Te8vinc (AnBase, CoPisPasepEmpregado, NuSequencialRegistro) VALUES ('2004','1','1')");
  c.executa("INSERT INTO Te8vinc (AnBase, CoPisPasepEmpregado, NuSequencialRegistro) VALUES ('2004','1','2')");
  EXPECT_THROW(
      c.executa("INSERT INTO Te8vinc (AnBase, CoPisPasepEmpregado, NuSequencialRegistro) VALUES ('2004','1','2')"),
      ErroBanco);
  ExcluiCopiasDeclaracao(c);
  EXPECT_FALSE(ExisteTabela(c, "Te8vinc"));
}
