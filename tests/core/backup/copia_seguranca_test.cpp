#include "backup/copia_seguranca.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "auxiliar.h"
#include "data/pasta_dados.h"

namespace {

using namespace vornex;
using namespace teste;

void Executa(sqlite3* db, const std::string& sql) {
  char* erro = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &erro), SQLITE_OK) << (erro ? erro : "");
}

// A small declaration: the three tables, a few rows, and `volume` bytes of
// incompressible padding so that volumes can be asked for.
void CriaDeclaracao(const fs::path& pasta, int volume = 0, const char* extra = "") {
  fs::create_directories(pasta);
  sqlite3* db = nullptr;
  sqlite3_open((pasta / kArquivoDeclaracao).c_str(), &db);
  Executa(db,
          "CREATE TABLE Bd8emp (AnBase TEXT, NuInscricao TEXT, NoRazaoSocial TEXT);"
          "CREATE TABLE Bd8vinc (AnBase TEXT, NuInscricao TEXT, NuPis TEXT, NoEmpregado TEXT, Dados BLOB);"
          "CREATE TABLE BD8Resp (NuInscricao TEXT, NoResponsavel TEXT);"
          "INSERT INTO Bd8emp VALUES ('2004', '11222333000181', 'Padaria São João'), "
          "('2005', '00123456789012', 'Obra Ltda');"
          "INSERT INTO BD8Resp VALUES ('00012345678909', 'Maria Conceição');"
          "INSERT INTO Bd8vinc VALUES ('2004', '11222333000181', '12345678919', 'José', NULL);" +
              std::string(extra));
  if (volume > 0)
    Executa(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                    std::to_string(volume / 1000) +
                    ") INSERT INTO Bd8vinc SELECT '2004', '11222333000181', i, 'Extra', randomblob(1000) FROM n;");
  sqlite3_close(db);
}

// Every row of the three tables, as text, in a fixed order.
std::vector<std::string> Linhas(const fs::path& pasta) {
  std::vector<std::string> r;
  sqlite3* db = nullptr;
  sqlite3_open_v2((pasta / kArquivoDeclaracao).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
  for (const char* t : {"Bd8emp", "Bd8vinc", "BD8Resp"}) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, (std::string("SELECT * FROM ") + t + " ORDER BY rowid").c_str(), -1, &st, nullptr);
    while (st && sqlite3_step(st) == SQLITE_ROW) {
      std::string linha = t;
      for (int i = 0; i < sqlite3_column_count(st); ++i) {
        const auto* v = static_cast<const char*>(sqlite3_column_blob(st, i));
        linha += "|" + (v ? std::string(v, static_cast<std::size_t>(sqlite3_column_bytes(st, i))) : "NULL");
      }
      r.push_back(linha);
    }
    sqlite3_finalize(st);
  }
  sqlite3_close(db);
  return r;
}

TEST(CopiaSeguranca, RestauradaNumaPastaNovaDaAsMesmasLinhas) {
  struct Caso {
    const char* arquivo;
    std::int64_t tamanhoVolume;
    bool volumes;
  };
  for (const auto& c : {Caso{"copia.BKP", 0, false}, Caso{"copia.bkp", 40000, true}}) {
    SCOPED_TRACE(c.arquivo);
    PastaTemporaria t;
    CriaDeclaracao(t / "dados", 60000);
    const auto g = GravaCopiaSeguranca(t / "dados", t / c.arquivo, c.tamanhoVolume);
    ASSERT_TRUE(g.ok) << g.mensagem;
    EXPECT_EQ(g.mensagem, "Gravação da cópia bem sucedida.");
    EXPECT_EQ(fs::exists(NomeVolume(t / c.arquivo, 2)), c.volumes);
    EXPECT_FALSE(fs::exists(t / "dados" / "Work"));

    const auto r = RestauraCopiaSeguranca(t / "nova", t / c.arquivo);
    ASSERT_TRUE(r.ok) << r.mensagem << " " << r.detalhe;
    EXPECT_EQ(r.mensagem, "Restauração da cópia bem sucedida.");
    EXPECT_EQ(Linhas(t / "nova"), Linhas(t / "dados"));
    EXPECT_EQ(Linhas(t / "nova").size(), 64u);
    EXPECT_FALSE(fs::exists(t / "nova" / "Work"));
  }
}

// The snapshot goes through SQLite: committed rows still in the WAL of an
// open connection are in the copy.
TEST(CopiaSeguranca, CopiaConsistenteDeBaseAberta) {
  PastaTemporaria t;
  CriaDeclaracao(t / "dados");
  sqlite3* aberta = nullptr;
  sqlite3_open((t / "dados" / kArquivoDeclaracao).c_str(), &aberta);
  Executa(aberta, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                  "INSERT INTO BD8Resp VALUES ('00098765432100', 'Ainda no WAL');");
  ASSERT_TRUE(GravaCopiaSeguranca(t / "dados", t / "c.BKP", 0).ok);
  ASSERT_TRUE(RestauraCopiaSeguranca(t / "nova", t / "c.BKP").ok);
  EXPECT_EQ(Linhas(t / "nova"), Linhas(t / "dados"));
  EXPECT_EQ(Linhas(t / "nova").back(), "BD8Resp|00098765432100|Ainda no WAL");
  // The open connection keeps its WAL, so restoring over it is refused.
  const auto r = RestauraCopiaSeguranca(t / "dados", t / "c.BKP");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.detalhe, kMsgDeclaracaoEmUso);
  sqlite3_close(aberta);
  EXPECT_TRUE(RestauraCopiaSeguranca(t / "dados", t / "c.BKP").ok);
}

TEST(CopiaSeguranca, GravacaoRecusada) {
  PastaTemporaria t;
  EXPECT_EQ(GravaCopiaSeguranca(t / "dados", t / "c.BKP", 0).mensagem,
            "Ocorreu um erro durante o processo de backup: [Cannot read file].");
  CriaDeclaracao(t / "dados");
  EXPECT_EQ(GravaCopiaSeguranca(t / "dados", t / "c.zip", 0).mensagem, "Extensao inválida de arquivo de backup.");
  EXPECT_EQ(GravaCopiaSeguranca(t / "dados", t / "nao" / "existe" / "c.BKP", 0).mensagem,
            "Ocorreu um erro durante o processo de backup: [Cannot write to archive].");
  EXPECT_EQ(ComExtensaoBackup("a/copia"), fs::path("a/copia.BKP"));
  EXPECT_EQ(ComExtensaoBackup("a/copia.bkp"), fs::path("a/copia.bkp"));
}

// Whatever goes wrong, the user's tables stay exactly as they were.
TEST(CopiaSeguranca, RestauracaoQueFalhaNaoTocaNasTabelas) {
  PastaTemporaria t;
  CriaDeclaracao(t / "outra", 0, "INSERT INTO Bd8emp VALUES ('2004', '99', 'Outra');");
  ASSERT_TRUE(GravaCopiaSeguranca(t / "outra", t / "boa.BKP", 0).ok);
  const std::string boa = Le(t / "boa.BKP");
  Grava(t / "sql" / "vazia.db", "");
  sqlite3* db = nullptr;
  sqlite3_open((t / "sql" / "semtabelas.db").c_str(), &db);
  Executa(db, "CREATE TABLE Bd8emp (x);");
  sqlite3_close(db);

  struct Caso {
    const char* nome;
    std::string arquivo;
    std::string bytes;
    std::string_view mensagem;
    std::string_view detalhe;
  };
  auto umArquivo = [](const std::string& nome, const std::string& dados) {
    return Bytes().cabecalho().arquivo(nome, dados).i32(0).str();
  };
  const std::vector<Caso> casos = {
      {"outra extensão", "c.zip", boa, kMsgExtensaoInvalida, ""},
      {"inexistente", "nao.BKP", "", kMsgArquivoInexistente, ""},
      {"outro título", "c.BKP", Bytes().cabecalho("Outro2004").i32(0).str(), kMsgBackupInvalido, ""},
      {"sem cabeçalho", "c.BKP", "lixo", kMsgBackupInvalido, ""},
      {"cortada", "c.BKP", boa.substr(0, boa.size() - 20), kMsgErroRestauracao, "Cannot read archive"},
      {"nome hostil", "c.BKP", umArquivo("..", boa), kMsgErroRestauracao, "Invalid archive type"},
      {"sem a declaração", "c.BKP", umArquivo("c:\\dados\\bd8emp.db", "x"), kMsgErroRestauracao, kMsgSemDeclaracao},
      {"declaração que não é SQLite", "c.BKP", umArquivo("declaracao.db", Aleatorio(5000)), kMsgErroRestauracao,
       kMsgSemDeclaracao},
      {"declaração vazia", "c.BKP", umArquivo("declaracao.db", ""), kMsgErroRestauracao, kMsgSemDeclaracao},
      {"declaração sem as tabelas", "c.BKP", umArquivo("declaracao.db", Le(t / "sql" / "semtabelas.db")),
       kMsgErroRestauracao, kMsgSemDeclaracao},
      {"declaração corrompida", "c.BKP",
       umArquivo("declaracao.db", Le(t / "outra" / kArquivoDeclaracao).replace(4096, 200, std::string(200, 'X'))),
       kMsgErroRestauracao, kMsgSemDeclaracao},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria u;
    CriaDeclaracao(u / "dados");
    const std::string antes = Le(u / "dados" / kArquivoDeclaracao);
    if (c.nome != std::string("inexistente")) Grava(u / c.arquivo, c.bytes);
    const auto r = RestauraCopiaSeguranca(u / "dados", u / c.arquivo);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.mensagem, c.mensagem);
    EXPECT_EQ(r.detalhe, c.detalhe);
    EXPECT_EQ(Le(u / "dados" / kArquivoDeclaracao), antes);
    EXPECT_EQ(std::distance(fs::directory_iterator(u / "dados"), {}), 1);
  }
}

TEST(CopiaSeguranca, RestauracaoInterrompidaNaoTocaNasTabelas) {
  struct Para : EventosBackup {
    void OnProgress(TBackupFile&, const std::string&, int, bool& continua) override { continua = false; }
  } para;
  PastaTemporaria t;
  CriaDeclaracao(t / "outra", 40000);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "outra", t / "c.BKP", 0).ok);
  CriaDeclaracao(t / "dados");
  const std::string antes = Le(t / "dados" / kArquivoDeclaracao);
  const auto r = RestauraCopiaSeguranca(t / "dados", t / "c.BKP", &para);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.interrompida);
  EXPECT_EQ(Le(t / "dados" / kArquivoDeclaracao), antes);
}

TEST(CopiaSeguranca, EspacoMinimoDeUmVolume) {
  EXPECT_EQ(TamanhoVolumeLivre(49999), std::nullopt);
  EXPECT_EQ(TamanhoVolumeLivre(50000), 30000);
  EXPECT_EQ(TamanhoVolumeLivre(1000000), 980000);
}

}  // namespace
