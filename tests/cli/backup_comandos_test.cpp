#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoio_cli.h"
#include "data/pasta_dados.h"

namespace {

namespace fs = std::filesystem;

using Saida = teste::SaidaCli;

Saida Roda(const std::vector<std::string>& args) { return teste::RodaCli(args); }

long long Conta(const std::string& pasta) {
  sqlite3* db = nullptr;
  sqlite3_open_v2((pasta + "/declaracao.db").c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(db, "SELECT count(*) FROM Bd8emp", -1, &st, nullptr);
  const long long n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
  sqlite3_finalize(st);
  sqlite3_close(db);
  return n;
}

class BackupCli : public testing::Test {
 protected:
  void SetUp() override {
    std::string modelo = (fs::temp_directory_path() / "vornex-cli-backup-XXXXXX").string();
    pasta_ = ::mkdtemp(modelo.data());
    fs::create_directories(pasta_ / "dados");
    vornex::CriaArquivoDeclaracaoVazio(pasta_ / "dados" / "declaracao.db");
    sqlite3* db = nullptr;
    sqlite3_open((pasta_ / "dados" / "declaracao.db").c_str(), &db);
    sqlite3_exec(db,
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
                 "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento, NoRazaoEstabelecimento, EdEstabelecimento, "
                 "NoMunicEstabelecimento) SELECT '2004', printf('%014d', i), hex(randomblob(26)), "
                 "hex(randomblob(20)), hex(randomblob(15)) FROM n;"
                 "INSERT INTO BD8Resp (NoResponsavelArquivo) VALUES ('Maria');",
                 nullptr, nullptr, nullptr);
    sqlite3_close(db);
  }
  void TearDown() override { fs::remove_all(pasta_); }

  std::string p(const std::string& nome) const { return (pasta_ / nome).string(); }

  fs::path pasta_;
};

TEST_F(BackupCli, GravaERestauraEmVolumes) {
  auto b = Roda({"--dados", p("dados"), "backup", p("copia"), "--tamanho-volume", "40000"});
  ASSERT_EQ(b.codigo, 0) << b.err;
  EXPECT_EQ(b.out, "Gravação da cópia bem sucedida.\n");
  EXPECT_NE(b.err.find("Progresso da cópia de segurança: 100%"), std::string::npos);
  EXPECT_TRUE(fs::exists(p("copia.BKP")));
  EXPECT_TRUE(fs::exists(p("copia.002")));

  auto r = Roda({"--dados", p("nova"), "restaurar", p("copia.BKP")});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(r.out, "Restauração da cópia bem sucedida.\n");
  EXPECT_NE(r.err.find("Progresso restauração da cópia de segurança: 100%"), std::string::npos);
  EXPECT_EQ(Conta(p("nova")), 1000);
  EXPECT_TRUE(fs::exists(p("nova/referencia.db")));

  fs::remove(p("copia.002"));
  auto falta = Roda({"--dados", p("nova"), "restaurar", p("copia.BKP")});
  EXPECT_EQ(falta.codigo, 2);
  EXPECT_NE(falta.err.find("Ocorreu um erro durante o processo de restauração. [Arquivo inexistente. " +
                           p("copia.002") + "]"),
            std::string::npos)
      << falta.err;
}

// The smallest size asked for is kept by every volume, and the set restores.
TEST_F(BackupCli, VolumesNaoPassamDoTamanhoPedido) {
  auto b = Roda({"--dados", p("dados"), "backup", p("v"), "--tamanho-volume", "30000"});
  ASSERT_EQ(b.codigo, 0) << b.err;
  int volumes = 0;
  for (const auto& e : fs::directory_iterator(pasta_))
    if (e.path().stem() == "v") {
      ++volumes;
      EXPECT_LE(fs::file_size(e.path()), 30000u) << e.path();
    }
  EXPECT_GE(volumes, 3);
  auto r = Roda({"--dados", p("nova"), "restaurar", p("v.BKP")});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(fs::file_size(p("nova/declaracao.db")), fs::file_size(p("dados/declaracao.db")));
}

TEST_F(BackupCli, FalhasSaemComDoisEOTexto) {
  struct Caso {
    std::vector<std::string> args;
    std::string texto;
  };
  std::ofstream(p("lixo.BKP")) << "lixo";
  fs::create_directory(p("pasta.BKP"));
  ASSERT_EQ(::mkfifo(p("fifo").c_str(), 0600), 0);
  // A folder or a FIFO is named as such, never read (a FIFO would block).
  const std::string pasta = "O arquivo " + p("pasta.BKP") + " é uma pasta, não um arquivo.";
  const std::string fifo = "O arquivo " + p("fifo") + " é um FIFO, não um arquivo comum.";
  const std::vector<Caso> casos = {
      {{"--dados", p("dados"), "restaurar", p("pasta.BKP")}, pasta},
      {{"--dados", p("dados"), "analisar", p("pasta.BKP")}, pasta},
      {{"--dados", p("dados"), "importar", p("fifo"), "--todos"}, fifo},
      {{"--dados", p("nao-ha"), "backup", p("c.BKP")}, "A pasta de dados não existe: " + p("nao-ha")},
      {{"--dados", p("dados"), "backup", p("c.zip")}, "Extensao inválida de arquivo de backup."},
      {{"--dados", p("dados"), "restaurar", p("c.zip")}, "Extensao inválida de arquivo de backup."},
      {{"--dados", p("dados"), "restaurar", p("nao.BKP")}, "Arquivo inexistente. " + p("nao.BKP")},
      {{"--dados", p("dados"), "backup", p("c.BKP"), "--tamanho-volume", "29999"},
       "O tamanho de cada volume deve ser de ao menos 30000 bytes."},
      {{"--dados", p("dados"), "backup", p("nao/ha/c.BKP")}, "A pasta da cópia não existe: " + p("nao/ha")},
      {{"--dados", p("dados"), "restaurar", p("lixo.BKP")}, "Esse não é um arquivo de backup ZEMA válido"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto);
    auto s = Roda(c.args);
    EXPECT_EQ(s.codigo, 2);
    EXPECT_NE(s.err.find(c.texto), std::string::npos) << s.err;
    EXPECT_TRUE(s.out.empty());
  }
}

}  // namespace
