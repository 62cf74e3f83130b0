#include <gtest/gtest.h>

#include <functional>

#include "apoio.h"
#include "data/banco.h"
#include "data/indexacao.h"
#include "data/tabela.h"

namespace {

using namespace vornex;
using teste::DialogosGravados;
using teste::PastaTemporaria;

class Indexacao : public ::testing::Test {
 protected:
  Indexacao() { teste::CopiaPastaInicializada(pasta()); }
  std::filesystem::path pasta() const { return pasta_ / "dados"; }
  void Executa(const std::string& sql) {
    Conexao c = AbreZema2004(pasta());
    c.executa(sql);
  }
  bool Existe(const char* indice) {
    Conexao c = AbreZema2004(pasta());
    return ExisteIndice(c, indice);
  }

  PastaTemporaria pasta_;
  DialogosGravados dialogos;
};

TEST_F(Indexacao, PastaCompletaPassaSemMensagens) {
  EXPECT_TRUE(VerificaArquivosDados(pasta(), dialogos));
  EXPECT_TRUE(dialogos.textos.empty());
}

TEST_F(Indexacao, TabelaQueFaltaRecusaSemReparar) {
  Executa("DROP INDEX referencia.\"TB8MSG.PX\"; DROP TABLE referencia.tbUfCep");
  EXPECT_FALSE(VerificaArquivosDados(pasta(), dialogos));
  EXPECT_FALSE(Existe("TB8MSG.PX"));

  PastaTemporaria outra;
  teste::CopiaPastaInicializada(outra / "dados");
  std::filesystem::remove(outra / "dados" / kArquivoReferencia);
  EXPECT_FALSE(VerificaArquivosDados(outra / "dados", dialogos));
  EXPECT_FALSE(std::filesystem::exists(outra / "dados" / kArquivoReferencia));
}

TEST_F(Indexacao, IndiceQueFaltaEhRecriadoComSuasOpcoes) {
  Executa("DROP INDEX referencia.\"TBUF.XG0\"; DROP INDEX main.\"BD8EMP.PX\"; DROP INDEX referencia.\"TB8MSG.PX\"");
  EXPECT_TRUE(VerificaArquivosDados(pasta(), dialogos));
  EXPECT_TRUE(dialogos.textos.empty());
  for (const char* i : {"TBUF.XG0", "BD8EMP.PX", "TB8MSG.PX"}) EXPECT_TRUE(Existe(i)) << i;

  Conexao c = AbreZema2004(pasta());
  auto uf = DefinicaoDaTabela(c, "TbUf");
  ASSERT_EQ(uf.indices().size(), 2u);
  EXPECT_TRUE(uf.indices()[1].opcoes.semCaixa);
  // The case-insensitive index answers a lower-case abbreviation.
  EXPECT_EQ(Consulta(c, "select CoUf from TbUf indexed by \"TBUF.XG0\" where SgUf = 'rj' collate nocase")
                .primeira()
                .value()["CoUf"],
            "33");
  // The rebuilt primary index refuses a repeated key again.
  Tabela emp(c, "Bd8emp");
  emp.inclui(emp.novaLinha());
  EXPECT_THROW(emp.inclui(emp.novaLinha()), ErroBanco);
}

TEST_F(Indexacao, RecriaIndiceMensagensEChavesRepetidas) {
  Conexao c = AbreZema2004(pasta());
  EXPECT_FALSE(RecriaIndice(c, dialogos, "TB8BASEPX", "Main", "MeDataBase", {true, false}));
  ASSERT_EQ(dialogos.textos.size(), 1u);
  EXPECT_EQ(dialogos.textos[0], "Parâmetro TabelaIndice deve conter nome da Tabela.indice");
  EXPECT_TRUE(ExisteIndice(c, "TB8BASE.PX"));

  // Duplicate keys in the data: reported by throwing, not swallowed.
  c.executa("DROP INDEX referencia.\"TB8BASE.PX\"; INSERT INTO TB8BASE VALUES ('01', 'Outro')");
  try {
    RecriaIndice(c, dialogos, "TB8BASE.PX", "Main", "MeDataBase", {true, false});
    FAIL() << "sem erro";
  } catch (const ErroBanco& e) {
    EXPECT_EQ(e.codigo(), kErroViolacaoChave);
  }
  EXPECT_FALSE(c.emTransacao());
  EXPECT_FALSE(ExisteIndice(c, "TB8BASE.PX"));
  EXPECT_THROW(VerificaArquivosDados(pasta(), dialogos), ErroBanco);
  EXPECT_THROW(RecriaIndice(c, dialogos, "NENHUMA.PX", "Main", "Co", {true, false}), ErroBanco);
}

TEST_F(Indexacao, TabelaEmUsoPorOutroProgramaNaoEhReindexada) {
  Conexao c = AbreZema2004(pasta());
  c.defineEspera(std::chrono::milliseconds(0));
  Conexao outra = AbreZema2004(pasta());
  outra.executa("BEGIN IMMEDIATE");
  EXPECT_FALSE(RecriaIndice(c, dialogos, "TB8CBO.PX", "Main", "CoCbo", {true, false}));
  ASSERT_EQ(dialogos.textos.size(), 1u);
  const std::string& m = dialogos.textos[0];
  EXPECT_TRUE(m.starts_with("Nenhum usuário pode estar usando o sistema: \"")) << m;
  EXPECT_NE(m.find("Table is busy"), std::string::npos) << m;
  EXPECT_TRUE(m.ends_with("\"")) << m;
  EXPECT_TRUE(ExisteIndice(c, "TB8CBO.PX"));

  // At start-up the table stays without its index and start-up goes on.
  outra.executa("ROLLBACK");
  c.executa("DROP INDEX referencia.\"TB8CBO.PX\"");
  outra.executa("BEGIN IMMEDIATE");
  dialogos.textos.clear();
  EXPECT_TRUE(VerificaArquivosDados(pasta(), dialogos));
  EXPECT_EQ(dialogos.textos.size(), 1u);
  outra.executa("ROLLBACK");
  EXPECT_FALSE(ExisteIndice(c, "TB8CBO.PX"));
}

struct ProgressoGravado : ProgressoIndexacao {
  int total = 0;
  std::vector<int> avancos, fechados, reabertos;
  std::optional<bool> fim;
  std::function<void(int)> aoAvancar;
  void inicia(int t) override { total = t; }
  void fechaConjunto(const PassoIndexacao& p) override { fechados.push_back(p.numero); }
  void reabreConjunto(const PassoIndexacao& p) override { reabertos.push_back(p.numero); }
  void avanca(const PassoIndexacao& p) override {
    avancos.push_back(p.numero);
    if (aoAvancar) aoAvancar(p.numero);
  }
  void termina(bool s) override { fim = s; }
};

TEST_F(Indexacao, SequenciaCompletaChegaAoPassoDezenove) {
  Conexao c = AbreZema2004(pasta());
  c.executa("DROP INDEX main.\"BD8VINC.PX\"");
  ProgressoGravado p;
  auto r = IndexaArquivos(c, dialogos, p);
  EXPECT_TRUE(r.sucesso);
  EXPECT_EQ(p.total, 19);
  ASSERT_EQ(p.avancos.size(), 19u);
  for (int i = 0; i < 19; ++i) EXPECT_EQ(p.avancos[static_cast<std::size_t>(i)], i + 1);
  EXPECT_EQ(p.fechados.size(), 18u);  // step 3 has no dataset
  EXPECT_EQ(p.reabertos.size(), 16u);  // nor do 16 and 17 reopen
  EXPECT_EQ(p.fim, true);
  EXPECT_EQ(dialogos.textos, std::vector<std::string>{"Arquivos indexados com sucesso."});
  for (const auto& i : IndicesRecriaveis()) EXPECT_TRUE(ExisteIndice(c, i.arquivo)) << i.arquivo;
}

TEST_F(Indexacao, FalhaNoPassoTresParaASequencia) {
  Conexao c = AbreZema2004(pasta());
  c.defineEspera(std::chrono::milliseconds(0));
  Conexao outra = AbreZema2004(pasta());
  ProgressoGravado p;
  p.aoAvancar = [&](int n) {
    if (n == 2) outra.executa("BEGIN IMMEDIATE");
  };
  auto r = IndexaArquivos(c, dialogos, p);
  outra.executa("ROLLBACK");
  EXPECT_FALSE(r.sucesso);
  EXPECT_EQ(r.passoFalho, 3);
  EXPECT_EQ(p.avancos, (std::vector<int>{1, 2}));
  EXPECT_EQ(p.reabertos, (std::vector<int>{1, 2}));
  EXPECT_EQ(p.fim, false);
  ASSERT_EQ(dialogos.textos.size(), 2u);
  EXPECT_NE(dialogos.textos[0].find("Table is busy"), std::string::npos);
  EXPECT_EQ(dialogos.textos[1], "Arquivos com problemas. Reinstale novamente o sistema VORNEX2004.");
}

// A table without the index's columns ends the pass with the usual message
// instead of an index over text constants.
TEST_F(Indexacao, TabelaSemAColunaTerminaComArquivosComProblemas) {
  struct Caso {
    const char* nome;
    std::function<void()> prepara;
    int passoFalho;
  };
  const Caso casos[] = {
      {"tabela sem a coluna", [&] { Executa("DROP INDEX main.\"BD8VINC.PX\"; ALTER TABLE Bd8vinc DROP COLUMN NoEmpregado"); }, 16},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    teste::CopiaPastaInicializada(pasta_ / caso.nome);
    const auto original = pasta();
    std::filesystem::remove_all(original);
    std::filesystem::rename(pasta_ / caso.nome, original);
    caso.prepara();
    dialogos.textos.clear();
    ResultadoIndexacao r{};
    ProgressoGravado p;
    try {
      Conexao c = AbreZema2004(pasta());
      r = IndexaArquivos(c, dialogos, p);
    } catch (const ErroBanco& e) {
      ADD_FAILURE() << e.what();
    }
    EXPECT_FALSE(r.sucesso);
    if (caso.passoFalho) {
      EXPECT_EQ(r.passoFalho, caso.passoFalho);
    }
    ASSERT_FALSE(dialogos.textos.empty());
    EXPECT_EQ(dialogos.textos.back(), "Arquivos com problemas. Reinstale novamente o sistema VORNEX2004.");
  }
}

}  // namespace
