// vornex-cli iniciar and indexar, run in-process on temporary folders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apoio_cli.h"
#include "data/banco.h"
#include "data/pasta_dados.h"

namespace {

namespace fs = std::filesystem;

using Resultado = teste::SaidaCli;

Resultado Roda(const std::vector<std::string>& args) { return teste::RodaCli(args); }

int ContaLinhas(const std::string& s, const std::string& trecho) {
  int n = 0;
  std::istringstream in(s);
  for (std::string l; std::getline(in, l);) n += l.find(trecho) != std::string::npos;
  return n;
}

// A temporary folder, and the data files the commands load: the project's,
// with a small catalog of our own while data/ has none.
class ComandosDados : public ::testing::Test {
 protected:
  ComandosDados() {
    std::string modelo = (fs::temp_directory_path() / "vornex-cli-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    fs::path dados = fs::path(VORNEX_SOURCE_DIR) / "data";
    fs::path origem = dados;
    if (!fs::exists(dados / "catalogo.csv")) {
      origem = raiz_ / "origem";
      fs::create_directories(origem);
      for (const auto& e : fs::directory_iterator(dados))
        if (e.path().extension() == ".csv") fs::copy_file(e.path(), origem / e.path().filename());
      std::ofstream(origem / "catalogo.csv") << "NuMensagem,TpMensagem,TxMensagem\n0053,ERR,Mensagem de teste\n";
    }
    if (const char* v = getenv("VORNEX_DADOS_REFERENCIA")) anterior_ = v;
    setenv("VORNEX_DADOS_REFERENCIA", origem.c_str(), 1);
  }
  ~ComandosDados() override {
    if (anterior_)
      setenv("VORNEX_DADOS_REFERENCIA", anterior_->c_str(), 1);
    else
      unsetenv("VORNEX_DADOS_REFERENCIA");
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  std::string pasta() const { return (raiz_ / "dados").string(); }

  fs::path raiz_;
  std::optional<std::string> anterior_;
};

TEST_F(ComandosDados, IniciarCriaPastaNovaENaoSubstituiDados) {
  auto r = Roda({"--dados", pasta(), "iniciar"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.out.find("Pasta de dados criada: " + pasta()), std::string::npos);
  EXPECT_NE(r.out.find("tb8MUNIC: 5587 linhas"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("tb8cbo: 3472 linhas"), std::string::npos) << r.out;
  for (const char* a : {vornex::kArquivoDeclaracao, vornex::kArquivoReferencia, vornex::kArquivoTrabalho})
    EXPECT_TRUE(fs::is_regular_file(fs::path(pasta()) / a)) << a;

  auto de_novo = Roda({"iniciar", "--dados", pasta()});
  EXPECT_EQ(de_novo.codigo, 2);
  EXPECT_NE(de_novo.err.find("já contém declaracao.db"), std::string::npos) << de_novo.err;
}

// A mistyped --dados is said so: nothing is created, nothing reported done.
TEST_F(ComandosDados, PastaDeDadosInexistenteRecusada) {
  const std::string f = (raiz_ / "arquivo").string();
  const std::vector<std::vector<std::string>> comandos = {
      {"verificar"},
      {"demo"},
      {"indexar"},
      {"backup", (raiz_ / "c.BKP").string()},
      {"analisar", f},
      {"importar", f, "--todos"},
      {"gravar", "--data", "10022005", "--destino", raiz_.string()},
      {"retificar", "--data", "10022005", "--destino", raiz_.string()},
#ifdef VORNEX_COM_RENDER
      {"relatorio", "erros", "--pdf", (raiz_ / "e.pdf").string()},
#endif
  };
  std::ofstream(f) << "x";
  for (auto args : comandos) {
    SCOPED_TRACE(args[0]);
    args.insert(args.begin(), {"--dados", pasta()});
    const auto r = Roda(args);
    EXPECT_EQ(r.codigo, 2);
    EXPECT_NE(r.err.find("A pasta de dados não existe: " + pasta()), std::string::npos) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    EXPECT_FALSE(fs::exists(pasta()));
  }
}

TEST_F(ComandosDados, IndexarMostraOsDezenovePassos) {
  // An empty folder is initialised first.
  fs::create_directories(pasta());
  auto r = Roda({"--dados", pasta(), "indexar"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.err.find("Pasta de dados inicializada"), std::string::npos);
  EXPECT_EQ(ContaLinhas(r.err, "/19] "), 19) << r.err;
  EXPECT_NE(r.err.find("[19/19] TB8Afast.PX"), std::string::npos) << r.err;
  EXPECT_EQ(r.out, "Arquivos indexados com sucesso.\n");

  auto outra = Roda({"--dados", pasta(), "indexar"});
  EXPECT_EQ(outra.codigo, 0);
  EXPECT_EQ(outra.err.find("inicializada"), std::string::npos);
}

TEST_F(ComandosDados, IndexarRecusaPastaIncompletaOuEmUso) {
  ASSERT_EQ(Roda({"--dados", pasta(), "iniciar"}).codigo, 0);
  {
    vornex::Conexao outra = vornex::AbreZema2004(pasta());
    outra.executa("BEGIN IMMEDIATE");
    auto r = Roda({"--dados", pasta(), "indexar"});
    EXPECT_EQ(r.codigo, 2);
    EXPECT_NE(r.err.find("Table is busy"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Arquivos com problemas. Reinstale novamente o sistema VORNEX2004."), std::string::npos);
    EXPECT_TRUE(r.out.empty());
  }
  {
    vornex::Conexao c = vornex::AbreZema2004(pasta());
    c.executa("DROP TABLE referencia.tb8NATJU");
  }
  auto r = Roda({"--dados", pasta(), "indexar"});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find("Faltam arquivos para execução do sistema. Instale novamente o VORNEX."), std::string::npos)
      << r.err;
}

TEST_F(ComandosDados, IndexarEmArquivoDanificadoTerminaComArquivosComProblemas) {
  ASSERT_EQ(Roda({"--dados", pasta(), "iniciar"}).codigo, 0);
  {  // garbage over the declaration file's pages, its header kept
    std::fstream f(fs::path(pasta()) / vornex::kArquivoDeclaracao, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(100);
    for (int i = 0; i < 5000; ++i) f.put(static_cast<char>(i * 37 + 11));
  }
  auto r = Roda({"--dados", pasta(), "indexar"});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find("Arquivos com problemas. Reinstale novamente o sistema VORNEX2004."), std::string::npos)
      << r.err;
}

}  // namespace
