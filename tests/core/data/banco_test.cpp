#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas.h"

namespace {

using namespace vornex;
using teste::PastaTemporaria;

// A small table of its own: key (Co, Seq), a sized text and a logical column.
Conexao BancoPequeno(const PastaTemporaria& p) {
  Conexao c = Conexao::Abre(p / "t.db", Conexao::Modo::Cria);
  CriaTabela(c, DefinicaoTabela("Tx", ArquivoDados::Declaracao,
                                {{"Co", TipoCampo::Texto, 2}, {"Seq", TipoCampo::Texto, 3},
                                 {"No", TipoCampo::Texto, 5}, {"InAtivo", TipoCampo::Logico, 0}},
                                {{"", "Main", "Co;Seq", {true, false}}}));
  return c;
}

Linha Nova(Tabela& t, const char* co, const char* seq, const char* no, bool ativo) {
  Linha l = t.novaLinha();
  l["Co"] = co;
  l["Seq"] = seq;
  l["No"] = no;
  l.defineLogico("InAtivo", ativo);
  return l;
}

TEST(Banco, ConsultaComParametrosNomeadosELinhasEmOrdemDeChave) {
  PastaTemporaria p;
  Conexao c = BancoPequeno(p);
  Tabela t(c, "tx");  // names match without regard to case
  t.inclui(Nova(t, "20", "001", "b", false));
  t.inclui(Nova(t, "10", "002", "a", true));
  t.inclui(Nova(t, "10", "001", "c", false));

  auto todas = t.todas();
  ASSERT_EQ(todas.size(), 3u);
  EXPECT_EQ(todas[0]["No"], "c");
  EXPECT_EQ(todas[1]["No"], "a");
  EXPECT_EQ(todas[1]["InAtivo"], "1");
  EXPECT_EQ(todas[0]["InAtivo"], "0");
  EXPECT_EQ(&todas[0].esquema(), &todas[2].esquema());

  Consulta q(c, {"select No, InAtivo, NULL as Nada", "from TX", "where Co = :xCo and", "InAtivo = :bAtivo",
                 "order by Seq"});
  q.defineTexto("xCo", "10").defineLogico(":bAtivo", true);
  auto r = q.todas();
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0]["No"], "a");
  EXPECT_EQ(r[0]["InAtivo"], "1");
  EXPECT_EQ(r[0]["Nada"], "");
  // A column written in another case keeps the table's spelling; an alias stays.
  auto caixa = Consulta(c, "select cO, no as apelido from tx").primeira();
  ASSERT_TRUE(caixa);
  EXPECT_EQ(caixa->esquema().colunas(), (std::vector<std::string>{"Co", "apelido"}));
  // An empty value with no storage behind it is empty text, never NULL.
  Consulta vazio(c, "insert into Tx (Co, Seq, No) values ('30', '001', :No)");
  vazio.defineTexto("No", std::string_view()).executa();
  EXPECT_EQ((*t.busca({"30", "001"}))["No"], "");
  EXPECT_TRUE(t.exclui(*t.busca({"30", "001"})));
  // Reused with new parameters, and again with the same ones.
  q.defineLogico("bAtivo", false);
  EXPECT_EQ(q.todas().size(), 1u);
  EXPECT_EQ(q.todas().size(), 1u);

  auto achou = t.busca({"10"});
  ASSERT_TRUE(achou);
  EXPECT_EQ((*achou)["Seq"], "001");
  EXPECT_FALSE(t.busca({"10", "003"}));
  EXPECT_EQ(t.buscaTodas({"10"}).size(), 2u);

  Linha editada = *achou;
  editada["No"] = "z";
  EXPECT_TRUE(t.altera(*achou, editada));
  EXPECT_EQ((*t.busca({"10", "001"}))["No"], "z");
  EXPECT_TRUE(t.exclui(editada));
  EXPECT_FALSE(t.exclui(editada));
  EXPECT_EQ(t.conta(), 2);
}

TEST(Banco, ErrosTrazemCodigoDoGerenciador) {
  PastaTemporaria p;
  Conexao c = BancoPequeno(p);
  Tabela t(c, "Tx");
  t.inclui(Nova(t, "10", "001", "a", false));

  auto codigo = [&](auto&& f) {
    try {
      f();
    } catch (const ErroBanco& e) {
      return e.codigo();
    }
    return 0;
  };
  EXPECT_EQ(codigo([&] { t.inclui(Nova(t, "10", "001", "b", true)); }), kErroViolacaoChave);
  EXPECT_EQ(codigo([&] { t.inclui(Nova(t, "10", "002", "longo!", false)); }), kErroValorCampo);
  EXPECT_EQ(codigo([&] {
              Linha l = Nova(t, "10", "003", "a", false);
              l["InAtivo"] = "talvez";
              t.inclui(l);
            }),
            kErroValorCampo);
  EXPECT_EQ(codigo([&] { Consulta(c, "select * from Tx where Co = :a").defineTexto("b", "1"); }),
            kErroParametro);
  EXPECT_EQ(codigo([&] { Consulta(c, "select * from Nenhuma"); }), kErroTabelaInexistente);
  EXPECT_EQ(codigo([&] { Consulta(c, "selec * from Tx"); }), kErroInstrucao);
  EXPECT_EQ(codigo([&] { Consulta(c, "select 1; select 2"); }), kErroInstrucao);
  EXPECT_EQ(codigo([&] { Tabela(c, "Nenhuma"); }), kErroTabelaInexistente);
  EXPECT_EQ(t.conta(), 1);

  // The error-text service, by code and by category (code / 256).
  EXPECT_EQ(DescricaoErro(9729), "Violação de chave");
  EXPECT_EQ(DescricaoCategoria(CategoriaErro(9729)), "Violação de integridade");
  EXPECT_EQ(DescricaoCategoria(CategoriaErro(kErroTabelaOcupada)), "Conflito de bloqueio");
  EXPECT_EQ(DescricaoErro(1), "Erro desconhecido");
  EXPECT_EQ(DescricaoCategoria(0), "Categoria desconhecida");
}

TEST(Banco, TabelaBloqueadaPorOutraConexaoDaTextoTableIsBusy) {
  PastaTemporaria p;
  Conexao c = BancoPequeno(p);
  c.defineEspera(std::chrono::milliseconds(0));
  Tabela t(c, "Tx");
  Conexao outra = Conexao::Abre(p / "t.db");
  outra.executa("BEGIN EXCLUSIVE");
  try {
    t.inclui(Nova(t, "10", "001", "a", false));
    FAIL() << "sem erro";
  } catch (const ErroBanco& e) {
    EXPECT_TRUE(e.tabelaOcupada());
    EXPECT_NE(std::string(e.what()).find("Table is busy"), std::string::npos);
    EXPECT_EQ(e.codigo(), kErroTabelaOcupada);
  }
  outra.executa("ROLLBACK");
  t.inclui(Nova(t, "10", "001", "a", false));
  EXPECT_EQ(t.conta(), 1);
}

TEST(Banco, TransacaoDesfazSemConfirmacao) {
  PastaTemporaria p;
  Conexao c = BancoPequeno(p);
  Tabela t(c, "Tx");
  {
    Transacao tr(c);
    t.inclui(Nova(t, "10", "001", "a", false));
  }
  EXPECT_EQ(t.conta(), 0);
  {
    Transacao tr(c);
    t.inclui(Nova(t, "10", "001", "a", false));
    {
      Transacao interna(c);  // a savepoint of the outer one
      t.inclui(Nova(t, "10", "002", "b", false));
    }
    tr.confirma();
  }
  EXPECT_EQ(t.conta(), 1);
  EXPECT_FALSE(c.emTransacao());
  // A failed statement inside a transaction leaves the rows before it to
  // the guard: nothing of the pass survives.
  try {
    Transacao tr(c);
    t.inclui(Nova(t, "30", "001", "a", false));
    t.inclui(Nova(t, "10", "001", "a", false));
    tr.confirma();
  } catch (const ErroBanco& e) {
    EXPECT_TRUE(e.violacaoChave());
  }
  EXPECT_FALSE(t.busca({"30"}));
}

TEST(Banco, AbrirArquivoQueNaoExisteNaoCriaNada) {
  PastaTemporaria p;
  EXPECT_THROW(Conexao::Abre(p / "nada.db"), ErroBanco);
  Conexao c = BancoPequeno(p);
  EXPECT_THROW(c.anexa(p / "outro.db", "referencia"), ErroBanco);
  EXPECT_FALSE(std::filesystem::exists(p / "nada.db"));
  EXPECT_FALSE(std::filesystem::exists(p / "outro.db"));

  teste::Escreve(p / "lixo.db", std::string(4096, 'x'));
  try {
    Conexao::Abre(p / "lixo.db");
    FAIL() << "sem erro";
  } catch (const ErroBanco& e) {
    EXPECT_EQ(e.codigo(), kErroNaoEBanco);
    EXPECT_NE(std::string(e.what()).find("lixo.db"), std::string::npos);
  }
}

}  // namespace
