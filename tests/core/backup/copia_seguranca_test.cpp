#include "backup/copia_seguranca.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <csignal>
#include <sys/wait.h>
#include <sys/resource.h>
#include <sqlite3.h>

#include <sys/stat.h>

#include <set>

#include "auxiliar.h"
#include "morte.h"
#include "data/banco.h"
#include "data/pasta_dados.h"

namespace {

using namespace vornex;
using namespace teste;

void Executa(sqlite3* db, const std::string& sql) {
  char* erro = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &erro), SQLITE_OK) << (erro ? erro : "");
}

// A small declaration in the program's own layout: a few rows, and about
// `volume` bytes of incompressible values so that volumes can be asked for.
// `extra` is run over it afterwards.
void CriaDeclaracao(const fs::path& pasta, int volume = 0, const std::string& extra = "") {
  fs::create_directories(pasta);
  CriaArquivoDeclaracaoVazio(pasta / kArquivoDeclaracao);
  sqlite3* db = nullptr;
  sqlite3_open((pasta / kArquivoDeclaracao).c_str(), &db);
  Executa(db,
          "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento) "
          "VALUES ('2004', '11222333000181', '00', 'Padaria São João'), ('2005', '00123456789012', '00', 'Obra');"
          "INSERT INTO BD8Resp (CoCgcCeiResponsavel, NoResponsavelArquivo) VALUES ('00012345678909', 'Maria');"
          "INSERT INTO Bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
          "NoEmpregado) VALUES ('2004', '11222333000181', '00', '12345678919', 'José');");
  if (volume > 0)
    Executa(db, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                    std::to_string(volume / 75) +
                    ") INSERT INTO Bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                    "CoPisPasepEmpregado, NoEmpregado, NuSequencialRegistro, TxUsoEmpregado, VaJaneiroEmpregado, "
                    "VaFevereiroEmpregado, VaMarcoEmpregado, VaAbrilEmpregado, VaMaioEmpregado) "
                    "SELECT '2004', '11222333000181', '00', printf('%011d', i), hex(randomblob(15)), "
                    "printf('%06d', i), hex(randomblob(6)), hex(randomblob(4)), hex(randomblob(4)), "
                    "hex(randomblob(4)), hex(randomblob(4)), hex(randomblob(4)) FROM n;");
  if (!extra.empty()) Executa(db, extra);
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
    EXPECT_EQ(Linhas(t / "nova").size(), 804u);
    EXPECT_FALSE(fs::exists(t / "nova" / "Work"));
    // A complete data folder, its files alike in their permissions.
    EXPECT_NO_THROW(AbreZema2004(t / "nova"));
    struct stat declaracao {}, referencia {};
    ASSERT_EQ(::stat((t / "nova" / kArquivoDeclaracao).c_str(), &declaracao), 0);
    ASSERT_EQ(::stat((t / "nova" / kArquivoReferencia).c_str(), &referencia), 0);
    EXPECT_EQ(declaracao.st_mode & 0777, referencia.st_mode & 0777);
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
                  "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento, NoRazaoEstabelecimento) "
                  "VALUES ('2004', '99999999000191', 'Ainda no WAL');");
  ASSERT_TRUE(GravaCopiaSeguranca(t / "dados", t / "c.BKP", 0).ok);
  ASSERT_TRUE(RestauraCopiaSeguranca(t / "nova", t / "c.BKP").ok);
  EXPECT_EQ(Linhas(t / "nova"), Linhas(t / "dados"));
  const auto linhas = Linhas(t / "nova");
  EXPECT_TRUE(std::any_of(linhas.begin(), linhas.end(),
                          [](const std::string& l) { return l.find("|Ainda no WAL|") != std::string::npos; }));
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
  // A damaged database is refused, not saved.
  CriaDeclaracao(t / "danificada", 0,
                 "PRAGMA writable_schema = ON; UPDATE sqlite_schema SET sql = replace(sql, '(\"AnBase\"', "
                 "'(\"NoRazaoEstabelecimento\"') WHERE name = 'BD8EMP.PX';");
  const auto d = GravaCopiaSeguranca(t / "danificada", t / "d.BKP", 0);
  EXPECT_FALSE(d.ok);
  EXPECT_EQ(d.detalhe, kMsgDeclaracaoDanificada);
  EXPECT_FALSE(fs::exists(t / "d.BKP"));
  EXPECT_EQ(ComExtensaoBackup("a/copia"), fs::path("a/copia.BKP"));
  EXPECT_EQ(ComExtensaoBackup("a/copia.bkp"), fs::path("a/copia.bkp"));
}

// What a data folder holds after a restore that failed: the user's file and the lock.
std::set<std::string> Nomes(const fs::path& pasta) {
  std::set<std::string> r;
  for (const auto& e : fs::directory_iterator(pasta)) r.insert(e.path().filename().string());
  return r;
}

// A declaration database whose tables exist only in its WAL file: the main
// file alone is a table-less 4 KB database.
std::pair<std::string, std::string> DeclaracaoNoWal(const fs::path& pasta) {
  CriaDeclaracao(pasta / "modelo");
  std::string esquema;
  {
    sqlite3* m = nullptr;
    sqlite3_open((pasta / "modelo" / kArquivoDeclaracao).c_str(), &m);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(m, "SELECT sql FROM sqlite_schema WHERE sql IS NOT NULL", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW) esquema += std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) + ";";
    sqlite3_finalize(st);
    sqlite3_close(m);
  }
  const fs::path p = pasta / "wal" / kArquivoDeclaracao;
  fs::create_directories(p.parent_path());
  sqlite3* db = nullptr;
  sqlite3_open(p.c_str(), &db);
  Executa(db, "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0; CREATE TABLE x(a); DROP TABLE x;");
  Executa(db, "PRAGMA wal_checkpoint(TRUNCATE);");
  Executa(db, esquema);
  auto r = std::make_pair(Le(p), Le(fs::path(p.string() + "-wal")));
  sqlite3_close(db);
  return r;
}

// Whatever goes wrong, the user's tables stay exactly as they were and
// nothing is left behind.
TEST(CopiaSeguranca, RestauracaoQueFalhaNaoTocaNasTabelas) {
  PastaTemporaria t;
  CriaDeclaracao(t / "outra", 0, "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2004', '99');");
  ASSERT_TRUE(GravaCopiaSeguranca(t / "outra", t / "boa.BKP", 0).ok);
  const std::string boa = Le(t / "boa.BKP");
  const std::string declaracao = Le(t / "outra" / kArquivoDeclaracao);
  Grava(t / "sql" / "vazia.db", "");
  sqlite3* db = nullptr;
  sqlite3_open((t / "sql" / "semtabelas.db").c_str(), &db);
  Executa(db, "CREATE TABLE Bd8emp (x);");
  sqlite3_close(db);
  // The archived database as an attacker would shape it.
  auto variante = [&](const std::string& nome, const std::string& sql, const std::string& antes = "") {
    const fs::path p = t / "var" / nome;
    fs::create_directories(p);
    if (!antes.empty()) {
      sqlite3* v = nullptr;
      sqlite3_open((p / kArquivoDeclaracao).c_str(), &v);
      Executa(v, antes);
      sqlite3_close(v);
    }
    CriaDeclaracao(p, 0, sql);
    return Le(p / kArquivoDeclaracao);
  };
  const auto [walPrincipal, wal] = DeclaracaoNoWal(t / "w");

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
  auto hostil = [&](const char* nome, const std::string& dados) {
    return Caso{nome, "c.BKP", umArquivo("declaracao.db", dados), kMsgErroRestauracao, kMsgSemDeclaracao};
  };
  const std::vector<Caso> casos = {
      {"outra extensão", "c.zip", boa, kMsgExtensaoInvalida, ""},
      {"inexistente", "nao.BKP", "", kMsgArquivoInexistente, ""},
      {"outro título", "c.BKP", Bytes().cabecalho("Outro2004").i32(0).str(), kMsgBackupInvalido, ""},
      {"sem cabeçalho", "c.BKP", "lixo", kMsgBackupInvalido, ""},
      {"cortada", "c.BKP", boa.substr(0, boa.size() - 20), kMsgErroRestauracao, "Cannot read archive"},
      {"nome hostil", "c.BKP", umArquivo("..", boa), kMsgErroRestauracao, "Invalid archive type"},
      {"sem a declaração", "c.BKP", umArquivo("c:\\dados\\bd8emp.db", "x"), kMsgErroRestauracao, kMsgSemDeclaracao},
      {"2 GiB anunciados", "c.BKP", Bytes().cabecalho("Zema2004", INT32_MAX).arquivo("declaracao.db", declaracao).i32(0).str(),
       kMsgErroRestauracao, kMsgCopiaGrandeDemais},
      hostil("declaração que não é SQLite", Aleatorio(5000)),
      hostil("declaração vazia", ""),
      hostil("declaração sem as tabelas", Le(t / "sql" / "semtabelas.db")),
      hostil("declaração corrompida", std::string(declaracao).replace(4096, 200, std::string(200, 'X'))),
      {"par com WAL", "c.BKP",
       Bytes().cabecalho().arquivo("declaracao.db", walPrincipal).arquivo("declaracao.db-wal", wal).i32(0).str(),
       kMsgErroRestauracao, kMsgSemDeclaracao},
      hostil("gatilho", variante("gatilho", "CREATE TRIGGER apaga AFTER INSERT ON Bd8emp BEGIN DELETE FROM Bd8vinc; END;")),
      hostil("tabelas com nomes de referência e de trabalho",
             variante("sombra", "CREATE TABLE tb8MSG (NuMensagem, TxMensagem); CREATE TABLE Te8emp (x);")),
      hostil("visão", variante("visao", "CREATE VIEW tb8MUNIC AS SELECT 1;")),
      hostil("índice a mais", variante("indice", "CREATE INDEX extra ON Bd8vinc (NoEmpregado);")),
      hostil("UTF-16", variante("utf16", "", "PRAGMA encoding = 'UTF-16le'; CREATE TABLE z (a); DROP TABLE z;")),
      hostil("coluna a menos", variante("coluna", "ALTER TABLE Bd8emp DROP COLUMN TxEmailEstabelecimento;")),
      hostil("zeros depois do fim", declaracao + std::string(1 << 20, '\0')),
      hostil("valor que a coluna recusa",
             variante("valor", "PRAGMA ignore_check_constraints = ON; UPDATE Bd8emp SET AnBase = '20040';")),
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
    EXPECT_TRUE(Le(u / "dados" / kArquivoDeclaracao) == antes);
    const std::set<std::string> sobra = Nomes(u / "dados");
    EXPECT_TRUE(sobra == std::set<std::string>{kArquivoDeclaracao} ||
                sobra == (std::set<std::string>{kArquivoDeclaracao, ".vornex.trava"}));
  }
}

// Entries other than the declaration database are read past: the restore
// writes none of their bytes, whatever their size.
TEST(CopiaSeguranca, SoADeclaracaoERestaurada) {
  PastaTemporaria t;
  CriaDeclaracao(t / "outra", 0, "INSERT INTO Bd8emp (AnBase, CoCgcCeiEstabelecimento) VALUES ('2004', '77');");
  Bytes arquivo;
  arquivo.cabecalho().arquivo("declaracao.db", Le(t / "outra" / kArquivoDeclaracao)).entrada("../../fora.bin").ec2();
  const std::string zeros = Zlib(std::string(16384, '\0'));
  for (int i = 0; i < 4096; ++i) arquivo.i32(static_cast<std::int32_t>(zeros.size())).raw(zeros);  // 64 MiB decoded
  arquivo.i32(0).arquivo("referencia.db", "nada").i32(0).grava(t / "c.BKP");

  CriaDeclaracao(t / "dados");
  const auto r = RestauraCopiaSeguranca(t / "dados", t / "c.BKP");
  ASSERT_TRUE(r.ok) << r.detalhe;
  EXPECT_EQ(Linhas(t / "dados"), Linhas(t / "outra"));
  EXPECT_FALSE(fs::exists(t / "fora.bin"));
  EXPECT_FALSE(fs::exists(t / "dados" / kArquivoReferencia));
  EXPECT_FALSE(fs::exists(t / "dados" / "Work"));
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

// A folder or a FIFO is named as such, never read (a FIFO would block).
TEST(CopiaSeguranca, ArquivoQueNaoEArquivoComum) {
  PastaTemporaria t;
  CriaDeclaracao(t / "dados", 60000);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "dados", t / "c.BKP", 40000).ok);
  ASSERT_TRUE(fs::exists(t / "c.002"));
  fs::create_directory(t / "pasta.BKP");
  ASSERT_EQ(::mkfifo((t / "fifo.BKP").c_str(), 0600), 0);
  EXPECT_EQ(RestauraCopiaSeguranca(t / "dados", t / "pasta.BKP").mensagem,
            "O arquivo " + (t / "pasta.BKP").string() + " é uma pasta, não um arquivo.");
  EXPECT_EQ(RestauraCopiaSeguranca(t / "dados", t / "fifo.BKP").mensagem,
            "O arquivo " + (t / "fifo.BKP").string() + " é um FIFO, não um arquivo comum.");
  fs::remove(t / "c.002");
  ASSERT_EQ(::mkfifo((t / "c.002").c_str(), 0600), 0);
  const auto r = RestauraCopiaSeguranca(t / "dados", t / "c.BKP");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.detalhe, "Cannot read archive");
}

// A data folder where the temporary copy cannot be written (here: files may
// not grow past 64 KiB) is said so, not taken for a declaration that cannot
// be read.
TEST(CopiaSeguranca, CopiaTemporariaQueNaoPodeSerGravadaENomeada) {
  PastaTemporaria t;
  CriaDeclaracao(t / "dados", 400000);
  const pid_t filho = ::fork();
  ASSERT_GE(filho, 0);
  if (filho == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const auto r = GravaCopiaSeguranca(t / "dados", t / "c.BKP", 0);
    const bool nomeada = !r.ok && r.mensagem.find("Não foi possível gravar a cópia temporária da declaração") !=
                                      std::string::npos;
    ::_exit(nomeada ? 0 : 1);
  }
  int estado = 0;
  ASSERT_EQ(::waitpid(filho, &estado, 0), filho);
  EXPECT_TRUE(WIFEXITED(estado) && WEXITSTATUS(estado) == 0);
  EXPECT_FALSE(fs::exists(t / "c.BKP"));
  EXPECT_FALSE(fs::exists(t / "dados" / "Work"));
}

// The volumes of an archive, as bytes.
std::vector<std::string> Volumes(const fs::path& arquivo) {
  std::vector<std::string> r;
  for (int v = 1; fs::exists(NomeVolume(arquivo, v)); ++v) r.push_back(Le(NomeVolume(arquivo, v)));
  return r;
}

bool Integra(const fs::path& db) {
  sqlite3* c = nullptr;
  sqlite3_open_v2(db.c_str(), &c, SQLITE_OPEN_READWRITE, nullptr);
  sqlite3_stmt* st = nullptr;
  sqlite3_prepare_v2(c, "PRAGMA integrity_check", -1, &st, nullptr);
  const bool ok = sqlite3_step(st) == SQLITE_ROW && std::string(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))) == "ok";
  sqlite3_finalize(st);
  sqlite3_close(c);
  return ok;
}

// A backup that is killed, or stopped by a full medium, leaves the earlier
// archive whole and restorable; links at temporary names are never written
// through.
TEST(CopiaSeguranca, BackupMortoOuSemEspacoNaoDestroiACopiaAnterior) {
  PastaTemporaria t;
  CriaDeclaracao(t / "dados", 200000);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "dados", t / "c.BKP", 40000).ok);
  const auto antigos = Volumes(t / "c.BKP");
  ASSERT_GE(antigos.size(), 3u);
  const auto linhasAntigas = Linhas(t / "dados");
  CriaDeclaracao(t / "nova", 200000);

  Grava(t / "alvo", "não mexa");
  for (const char* nome : {"c.BKP.parcial", "c.002.parcial", ".c.BKP.parcial-XXXXXX", ".c.002.parcial-XXXXXX"})
    fs::create_symlink(t / "alvo", t / nome);
  auto intacta = [&] {
    EXPECT_TRUE(Volumes(t / "c.BKP") == antigos);
    EXPECT_EQ(Le(t / "alvo"), "não mexa");
    for (const char* nome : {"c.BKP.parcial", "c.002.parcial", ".c.BKP.parcial-XXXXXX", ".c.002.parcial-XXXXXX"})
      EXPECT_TRUE(fs::is_symlink(t / nome)) << nome;
    const auto r = RestauraCopiaSeguranca(t / "restaurada", t / "c.BKP");
    EXPECT_TRUE(r.ok) << r.detalhe;
    EXPECT_EQ(Linhas(t / "restaurada"), linhasAntigas);
  };

  {  // The medium is full at volume 3.
    struct Cheio : EventosBackup {
      void OnNeedDisk(TBackupFile&, int disco, bool& continua) override { continua = disco < 3; }
    } cheio;
    EXPECT_FALSE(GravaCopiaSeguranca(t / "nova", t / "c.BKP", 40000, &cheio).ok);
    intacta();
  }
  auto backup = [&] { return GravaCopiaSeguranca(t / "nova", t / "c.BKP", 40000).ok ? 0 : 1; };
  const auto duracao = teste::Duracao([&] { return GravaCopiaSeguranca(t / "nova", t / "x.BKP", 40000).ok ? 0 : 1; });
  // Killed at any moment, even between the renames of the volumes: the
  // archive read next is the earlier one untouched or the new one whole.
  const auto linhasNovas = Linhas(t / "nova");
  int mortes = 0;
  for (const auto quando : teste::PontosDeMorte(duracao)) {
    const auto fim = teste::MataDepois(backup, quando);
    if (!fim.morto) break;  // the last points may fall after the end
    ++mortes;
    const auto r = RestauraCopiaSeguranca(t / "restaurada", t / "c.BKP");
    ASSERT_TRUE(r.ok) << r.detalhe;
    const auto restauradas = Linhas(t / "restaurada");
    EXPECT_TRUE(restauradas == linhasAntigas || restauradas == linhasNovas);
    if (restauradas == linhasAntigas) intacta();
    EXPECT_EQ(Le(t / "alvo"), "não mexa");
    EXPECT_TRUE(Integra(t / "dados" / kArquivoDeclaracao));
  }
  EXPECT_GT(mortes, 0);
  // The next backup clears the leftovers, never the links.
  ASSERT_TRUE(GravaCopiaSeguranca(t / "nova", t / "c.BKP", 40000).ok);
  EXPECT_EQ(Le(t / "alvo"), "não mexa");
  for (const auto& e : fs::directory_iterator(*t)) {
    const std::string nome = e.path().filename().string();
    if (nome.starts_with(".c.")) {
      EXPECT_TRUE(e.is_symlink()) << nome;
    }
  }
  EXPECT_FALSE(fs::exists(t / "nova" / "Work"));
}

// A switch of volumes cut short between two renames is finished by the
// next reader, from the note left beside the archive; the note's lines that
// point outside the archive's volumes or at links are ignored.
TEST(CopiaSeguranca, TrocaDeVolumesInterrompidaEConcluidaPeloLeitor) {
  PastaTemporaria t;
  CriaDeclaracao(t / "dados", 200000);
  CriaDeclaracao(t / "nova", 200000);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "dados", t / "a.BKP", 40000).ok);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "nova", t / "n.BKP", 40000).ok);
  const auto novos = Volumes(t / "n.BKP");
  ASSERT_GE(novos.size(), 3u);
  ASSERT_EQ(Volumes(t / "a.BKP").size(), novos.size());

  // The last volume already renamed, the others still under their temporary names.
  std::string nota;
  for (std::size_t v = novos.size(); v >= 1; --v) {
    const fs::path final = NomeVolume(t / "a.BKP", static_cast<int>(v));
    const std::string temporario = "." + final.filename().string() + ".parcial-AB12CD";
    fs::rename(NomeVolume(t / "n.BKP", static_cast<int>(v)), v == novos.size() ? final : t / temporario);
    nota += temporario + "\t" + final.filename().string() + "\n";
  }
  Grava(t / "alvo", "não mexa");
  fs::create_symlink(t / "alvo", t / ".a.999.parcial-ZZ99ZZ");
  nota += ".a.999.parcial-ZZ99ZZ\ta.999\n.x.parcial-QQ11QQ\t../fora\nsem tabulacao\n";
  Grava(t / ".x.parcial-QQ11QQ", "fora do arquivo");
  Grava(t / "a.BKP.troca", nota);

  const auto r = RestauraCopiaSeguranca(t / "restaurada", t / "a.BKP");
  ASSERT_TRUE(r.ok) << r.detalhe;
  EXPECT_EQ(Linhas(t / "restaurada"), Linhas(t / "nova"));
  EXPECT_EQ(Volumes(t / "a.BKP"), novos);
  EXPECT_FALSE(fs::exists(t / "a.BKP.troca"));
  EXPECT_TRUE(fs::is_symlink(t / ".a.999.parcial-ZZ99ZZ"));
  EXPECT_FALSE(fs::exists(t / "a.999"));
  EXPECT_FALSE(fs::exists((*t).parent_path() / "fora"));
  EXPECT_EQ(Le(t / "alvo"), "não mexa");
}

// A restore killed at any moment leaves the declaration sound, with its old
// rows or the new ones.
TEST(CopiaSeguranca, RestauracaoMortaDeixaAsLinhasAntigasOuAsNovas) {
  PastaTemporaria t;
  CriaDeclaracao(t / "outra", 200000);
  ASSERT_TRUE(GravaCopiaSeguranca(t / "outra", t / "c.BKP", 0).ok);
  CriaDeclaracao(t / "dados");
  const auto antigas = Linhas(t / "dados"), novas = Linhas(t / "outra");
  auto restaura = [&] { return RestauraCopiaSeguranca(t / "dados", t / "c.BKP").ok ? 0 : 1; };
  const auto duracao = teste::Duracao([&] { return RestauraCopiaSeguranca(t / "d2", t / "c.BKP").ok ? 0 : 1; });
  int mortes = 0;
  for (const auto quando : teste::PontosDeMorte(duracao)) {
    const auto fim = teste::MataDepois(restaura, quando);
    mortes += fim.morto;
    EXPECT_TRUE(Integra(t / "dados" / kArquivoDeclaracao));
    const auto agora = Linhas(t / "dados");
    EXPECT_TRUE(agora == antigas || agora == novas);
    if (agora == novas) {  // start again from the old rows
      fs::remove(t / "dados" / kArquivoDeclaracao);
      CriaDeclaracao(t / "dados");
    }
  }
  EXPECT_GT(mortes, 0);
  // The next pass clears the work folder a killed one left.
  ASSERT_TRUE(RestauraCopiaSeguranca(t / "dados", t / "c.BKP").ok);
  EXPECT_FALSE(fs::exists(t / "dados" / "Work"));
  for (const auto& e : fs::directory_iterator(t / "dados"))
    EXPECT_FALSE(e.path().filename().string().starts_with(".declaracao.db.parcial-")) << e.path();
}

TEST(CopiaSeguranca, EspacoMinimoDeUmVolume) {
  EXPECT_EQ(TamanhoVolumeLivre(49999), std::nullopt);
  EXPECT_EQ(TamanhoVolumeLivre(50000), 30000);
  EXPECT_EQ(TamanhoVolumeLivre(1000000), 980000);
}

}  // namespace
