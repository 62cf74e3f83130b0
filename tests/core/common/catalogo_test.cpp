#include "common/catalogo.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/csv.h"

namespace vornex {
namespace {

// Records every dialog and answers from a queue, as the user would.
class DialogosFalsos : public Dialogos {
 public:
  struct Mostrado {
    TipoDialogo tipo;
    Botoes botoes;
    std::string texto;
  };
  std::deque<int> respostas;
  std::vector<Mostrado> mostrados;

  int mostra(TipoDialogo tipo, Botoes botoes, const std::string& texto) override {
    mostrados.push_back({tipo, botoes, texto});
    if (respostas.empty()) {
      ADD_FAILURE() << "dialog not expected: " << texto;
      return kResultadoErro;
    }
    int r = respostas.front();
    respostas.pop_front();
    return r;
  }
};

Catalogo Exemplo() {
  Catalogo c;
  c.inclui({"1003", "CNF", "Confirma a exclusão?"});
  c.inclui({"1059", "WAR", "Atenção ao prazo."});
  c.inclui({"1301", "INF", "Operação concluída."});
  c.inclui({"0010", "ERR", "Campo obrigatório."});
  c.inclui({"1700", "CNF  ", "Gravar agora?"});  // fixed-width type column
  c.inclui({"9001", "XYZ", "Nunca mostrada."});
  return c;
}

TEST(Catalogo, NomesDosBotoes) {
  const char* nomes[] = {"Erro de Memoria", "mrOk",     "mrCancel", "mrAbort",
                         "mrRetry",         "mrIgnore", "mrYes",    "mrNo"};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(NomeBotao(i), nomes[i]);
  EXPECT_EQ(NomeBotao(-1), "");
  EXPECT_EQ(NomeBotao(8), "");
}

TEST(Catalogo, TipoEscolheDialogoEBotoes) {
  using P = std::pair<TipoDialogo, Botoes>;
  EXPECT_EQ(DialogoDoTipo("CNF"), (P{TipoDialogo::Confirmacao, Botoes::SimNao}));
  EXPECT_EQ(DialogoDoTipo("WAR"), (P{TipoDialogo::Aviso, Botoes::Ok}));
  EXPECT_EQ(DialogoDoTipo("INF"), (P{TipoDialogo::Informacao, Botoes::Ok}));
  EXPECT_EQ(DialogoDoTipo("ERR"), (P{TipoDialogo::Erro, Botoes::Ok}));
  EXPECT_EQ(DialogoDoTipo("ERR  "), (P{TipoDialogo::Erro, Botoes::Ok}));
  EXPECT_FALSE(DialogoDoTipo("err"));
  EXPECT_FALSE(DialogoDoTipo(""));
}

TEST(Catalogo, MostraMensagemDevolveOBotao) {
  const Catalogo cat = Exemplo();
  struct Caso {
    NuMensagem numero;
    int resposta;
    std::string botao;
    TipoDialogo tipo;
    Botoes botoes;
    std::string texto;
  } casos[] = {
      {"1003"_msg, kResultadoYes, "mrYes", TipoDialogo::Confirmacao, Botoes::SimNao, "Confirma a exclusão?"},
      {"1003"_msg, kResultadoNo, "mrNo", TipoDialogo::Confirmacao, Botoes::SimNao, "Confirma a exclusão?"},
      // Closing a confirmation with the close box gives its cancel result.
      {"1003"_msg, kResultadoCancel, "mrCancel", TipoDialogo::Confirmacao, Botoes::SimNao,
       "Confirma a exclusão?"},
      {"1059"_msg, kResultadoOk, "mrOk", TipoDialogo::Aviso, Botoes::Ok, "Atenção ao prazo."},
      {"1301"_msg, kResultadoOk, "mrOk", TipoDialogo::Informacao, Botoes::Ok, "Operação concluída."},
      {"0010"_msg, kResultadoOk, "mrOk", TipoDialogo::Erro, Botoes::Ok, "Campo obrigatório."},
      {"1700"_msg, kResultadoYes, "mrYes", TipoDialogo::Confirmacao, Botoes::SimNao, "Gravar agora?"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.numero.str() + " -> " + c.botao);
    DialogosFalsos d;
    d.respostas = {c.resposta};
    EXPECT_EQ(MostraMensagem(cat, d, c.numero), c.botao);
    ASSERT_EQ(d.mostrados.size(), 1u);
    EXPECT_EQ(d.mostrados[0].tipo, c.tipo);
    EXPECT_EQ(d.mostrados[0].botoes, c.botoes);
    EXPECT_EQ(d.mostrados[0].texto, c.texto);
  }
}

TEST(Catalogo, TipoDesconhecidoENumeroAusente) {
  const Catalogo cat = Exemplo();
  // Made-up numbers, kept out of the literals that name the numbers in use.
  DialogosFalsos d;
  EXPECT_EQ(MostraMensagem(cat, d, NuMensagem::De("9001")), "");
  EXPECT_TRUE(d.mostrados.empty());

  // A number missing from the catalog is said plainly, never shown blank.
  d.respostas = {kResultadoOk};
  EXPECT_EQ(MostraMensagem(cat, d, NuMensagem::De("9002")), "");
  ASSERT_EQ(d.mostrados.size(), 1u);
  EXPECT_EQ(d.mostrados[0].tipo, TipoDialogo::Erro);
  EXPECT_NE(d.mostrados[0].texto.find("9002"), std::string::npos);
}

TEST(Catalogo, MostraMensagemEstab) {
  const Catalogo cat = Exemplo();
  struct Caso {
    std::string inscricao, tipo, inicio;
  } casos[] = {
      {"31415926000171", "1", "31.415.926/0001-71"},
      {"00501234567899", "3", "50-123-45.678-9/9"},
      {"00024681357928", "4", "00024681357928"},  // these screens know types 1 and 3 only
  };
  for (const auto& c : casos) {
    DialogosFalsos d;
    d.respostas = {kResultadoOk};
    MostraMensagemEstab(cat, d, "1301"_msg, c.inscricao, "PADARIA BOM PAO", "01", c.tipo);
    ASSERT_EQ(d.mostrados.size(), 1u);
    EXPECT_EQ(d.mostrados[0].tipo, TipoDialogo::Informacao);
    EXPECT_EQ(d.mostrados[0].botoes, Botoes::Ok);
    EXPECT_EQ(d.mostrados[0].texto, c.inicio + "  - 01  - PADARIA BOM PAO   \rOperação concluída.");
  }
}

TEST(Catalogo, ConfirmaInterrupcao) {
  struct Caso {
    int resposta;
    bool interrompe;
  } casos[] = {{kResultadoYes, true}, {kResultadoNo, false}, {kResultadoCancel, false}};
  for (const auto& c : casos) {
    DialogosFalsos d;
    d.respostas = {c.resposta};
    EXPECT_EQ(ConfirmaInterrupcao(d), c.interrompe) << c.resposta;
    ASSERT_EQ(d.mostrados.size(), 1u);
    EXPECT_EQ(d.mostrados[0].tipo, TipoDialogo::Informacao);
    EXPECT_EQ(d.mostrados[0].botoes, Botoes::SimNao);
    EXPECT_EQ(d.mostrados[0].texto, "Deseja interromper?");
  }
}

class CatalogoArquivo : public ::testing::Test {
 protected:
  std::filesystem::path pasta_ =
      std::filesystem::path(::testing::TempDir()) /
      ("vornex_catalogo_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
  void SetUp() override { std::filesystem::create_directories(pasta_); }
  void TearDown() override { std::filesystem::remove_all(pasta_); }
  std::string Grava(const std::string& conteudo) {
    auto p = pasta_ / "tb8MSG.csv";
    std::ofstream(p, std::ios::binary) << conteudo;
    return p.string();
  }
  static std::string ErroDe(const std::string& caminho) {
    try {
      Catalogo::LeCsv(caminho);
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "";
  }
};

TEST_F(CatalogoArquivo, LeOsTextosComoGravados) {
  auto c = Catalogo::LeCsv(Grava(
      "NuMensagem,TpMensagem,TxMensagem\r\n"
      "0010,ERR,\"Campo obrigatório, informe.\"\r\n"
      "\r\n"
      "1003,CNF,\"Excluir \"\"todos\"\"?\nConfirma?\"\r\n"
      "0020,ERR,"));
  EXPECT_EQ(c.todas().size(), 3u);
  ASSERT_NE(c.busca("0010"), nullptr);
  EXPECT_EQ(c.busca("0010")->texto, "Campo obrigatório, informe.");
  EXPECT_EQ(c.busca("1003")->tipo, "CNF");
  EXPECT_EQ(c.busca("1003")->texto, "Excluir \"todos\"?\nConfirma?");
  EXPECT_EQ(c.busca("0020")->texto, "");
  EXPECT_EQ(c.busca("9999"), nullptr);
}

TEST_F(CatalogoArquivo, ErrosNomeiamArquivoELinha) {
  auto cabecalho = ErroDe(Grava("Numero,Tipo,Texto\n0010,ERR,x\n"));
  EXPECT_NE(cabecalho.find("tb8MSG.csv"), std::string::npos) << cabecalho;
  EXPECT_NE(cabecalho.find("cabeçalho"), std::string::npos) << cabecalho;

  EXPECT_NE(ErroDe(Grava("")).find("cabeçalho"), std::string::npos);

  auto campos = ErroDe(Grava("NuMensagem,TpMensagem,TxMensagem\n0010,ERR,x\n0020,ERR\n"));
  EXPECT_NE(campos.find("linha 3"), std::string::npos) << campos;

  auto aspas = ErroDe(Grava("NuMensagem,TpMensagem,TxMensagem\n0010,ERR,\"sem fim\n"));
  EXPECT_NE(aspas.find("tb8MSG.csv"), std::string::npos) << aspas;
  EXPECT_NE(aspas.find("linha 2"), std::string::npos) << aspas;

  auto ausente = ErroDe((pasta_ / "nao_existe.csv").string());
  EXPECT_NE(ausente.find("nao_existe.csv"), std::string::npos) << ausente;
}

TEST(Csv, Leitura) {
  using L = std::vector<LinhaCsv>;
  struct Caso {
    std::string texto;
    L linhas;
  } casos[] = {
      {"", {}},
      {"a,b\nc,d", {{"a", "b"}, {"c", "d"}}},
      {"a,b\r\nc,d\r\n", {{"a", "b"}, {"c", "d"}}},
      {"\n\na\n\n", {{"a"}}},
      {"a,,\n", {{"a", "", ""}}},
      {",\n", {{"", ""}}},
      {"\"\"\n", {{""}}},
      {"\"x,y\",\"diz \"\"oi\"\"\"\n", {{"x,y", "diz \"oi\""}}},
      {"\"um\r\ndois\",3\n", {{"um\r\ndois", "3"}}},
      {"ab\"c,d\n", {{"ab\"c", "d"}}},  // a quote inside a plain field is kept
  };
  for (const auto& c : casos) EXPECT_EQ(ParseCsv(c.texto), c.linhas) << c.texto;
}

TEST(Csv, ErrosDizemALinha) {
  struct Caso {
    std::string texto, trecho;
  } casos[] = {
      {"a\n\"b\nc", "aspas sem fechamento na linha 2"},
      {"a\n\"b\nc\"x\n", "texto após aspas na linha 3"},
  };
  for (const auto& c : casos) {
    try {
      ParseCsv(c.texto);
      ADD_FAILURE() << "no error for " << c.texto;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.trecho), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace vornex
