#include "backup/backup_file.h"

#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <set>

#include "auxiliar.h"
#include "backup/sistema_arquivos.h"

namespace {

using namespace vornex;
using namespace teste;

struct Registro : EventosBackup {
  void OnProgress(TBackupFile&, const std::string&, int, bool& continua) override {
    if (++progressos == pararNoProgresso) continua = false;
  }
  void OnNeedDisk(TBackupFile& b, int disco, bool& continua) override {
    discos.push_back(disco);
    EventosBackup::OnNeedDisk(b, disco, continua);  // the volumes lie beside the first
  }
  void OnRestoreFile(TBackupFile&, std::string&, std::uint32_t, bool& restaura) override {
    if (veta) restaura = false;
  }
  void OnError(TBackupFile&, int codigo, const std::string& texto) override {
    erros.emplace_back(codigo, texto);
  }
  int progressos = 0;
  int pararNoProgresso = -1;
  bool veta = false;
  std::vector<int> discos;
  std::vector<std::pair<int, std::string>> erros;
};

// Every file below `pasta`, relative to it.
std::set<std::string> Arquivos(const fs::path& pasta) {
  std::set<std::string> r;
  for (const auto& e : fs::recursive_directory_iterator(pasta))
    if (!e.is_directory()) r.insert(fs::relative(e.path(), pasta).string());
  return r;
}

TEST(BackupFile, BlocosDeAte16384BytesComprimidosOuGuardados) {
  struct Caso {
    std::size_t tamanho;
    TCompressionLevel nivel;
    bool aleatorio;
    std::vector<std::pair<std::size_t, bool>> blocos;  // decoded size, stored as it is
  };
  const std::vector<Caso> casos = {
      {0, clDefault, false, {}},
      {16384, clDefault, false, {{16384, false}}},
      {16385, clFastest, false, {{16384, false}, {1, false}}},
      // Incompressible full blocks do not fit; a short last one still does.
      {40000, clMax, true, {{16384, true}, {16384, true}, {7232, false}}},
      // Level 0 adds its framing to the data: it never fits in 16384 bytes.
      {16384, clNone, false, {{16384, true}}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.tamanho);
    PastaTemporaria t;
    const std::string dados = c.aleatorio ? Aleatorio(c.tamanho) : Repetitivo(c.tamanho);
    Grava(t / "f", dados);
    TBackupFile b;
    b.CompressionLevel(c.nivel);
    ASSERT_TRUE(b.BackupArquivos({{t / "f", "c:\\dados\\f"}}, t / "a.bkp"));
    const auto entradas = Entradas(Le(t / "a.bkp"));
    ASSERT_EQ(entradas.size(), 1u);
    std::vector<std::pair<std::size_t, bool>> blocos;
    for (const auto& bl : entradas[0].blocos) blocos.emplace_back(bl.tamanho, bl.comprimento < 0);
    EXPECT_EQ(blocos, c.blocos);
    ASSERT_TRUE(b.Restore(t / "a.bkp", t / "r"));
    EXPECT_EQ(Le(t / "r" / "f"), dados);
  }
}

TEST(BackupFile, IdaEVoltaEmCadaNivelComDatas) {
  for (auto nivel : {clFastest, clNone, clDefault, clMax}) {
    SCOPED_TRACE(nivel);
    PastaTemporaria t;
    const std::vector<std::pair<std::string, std::string>> arquivos = {
        {"texto.txt", Repetitivo(50000)}, {"dados.bin", Aleatorio(20000)}, {"vazio", ""}};
    std::vector<ItemBackup> itens;
    for (const auto& [nome, dados] : arquivos) {
      Grava(t / "o" / nome, dados);
      MudaData(t / "o" / nome, Instante(2004, 12, 31, 23, 59, 58));
      itens.push_back({t / "o" / nome, (t / "o" / nome).string()});
    }
    TBackupFile b;
    b.BackupTitle("Zema2004");
    b.CompressionLevel(nivel);
    ASSERT_TRUE(b.BackupArquivos(itens, t / "a.bkp"));

    TBackupFile r;
    EXPECT_EQ(r.GetArchiveInfo(t / "a.bkp"), "Zema2004");
    EXPECT_EQ(r.TotalSize(), 70000);
    EXPECT_EQ(r.FileCount(), 3);
    ASSERT_TRUE(r.Restore(t / "a.bkp", t / "r"));
    EXPECT_EQ(r.RestoredCount(), 3);
    for (const auto& [nome, dados] : arquivos) {
      EXPECT_EQ(Le(t / "r" / nome), dados) << nome;
      EXPECT_EQ(DataDe(t / "r" / nome), Instante(2004, 12, 31, 23, 59, 58)) << nome;
    }
  }
}

TEST(BackupFile, VolumesPorMaxSize) {
  struct Caso {
    std::int64_t maxSize;
    int volumes;
  };
  // 100000 bytes are seven blocks: two per volume with room for two, and
  // with no room at all one per volume after an empty first segment.
  for (const auto& c : {Caso{kFolgaVolume + 30000, 4}, Caso{1000, 8}}) {
    SCOPED_TRACE(c.maxSize);
    PastaTemporaria t;
    const std::string dados = Aleatorio(100000);
    Grava(t / "grande.bin", dados);
    MudaData(t / "grande.bin", Instante(2004, 5, 6, 7, 8, 10));
    Registro ev;
    TBackupFile b;
    b.Eventos(&ev);
    b.MaxSize(c.maxSize);
    ASSERT_TRUE(b.BackupArquivos({{t / "grande.bin", "c:\\dados\\grande.bin"}}, t / "copia.bkp"));

    std::vector<int> esperados;
    for (int v = 2; v <= c.volumes; ++v) esperados.push_back(v);
    EXPECT_EQ(ev.discos, esperados);
    EXPECT_TRUE(fs::exists(t / ("copia." + std::string(c.volumes < 10 ? "00" : "0") + std::to_string(c.volumes))));
    EXPECT_FALSE(fs::exists(NomeVolume(t / "copia.bkp", c.volumes + 1)));

    const std::string v1 = Le(t / "copia.bkp");
    const std::string fimSegmentoETroca = Bytes().i32(0).texto("NEXT:DISK002").str();
    EXPECT_TRUE(v1.ends_with(fimSegmentoETroca));
    EXPECT_TRUE(Le(t / "copia.002").starts_with(std::string("EC2\0", 4)));

    TBackupFile r;  // no handler: the volumes are found beside the first
    ASSERT_TRUE(r.Restore(t / "copia.bkp", t / "r"));
    EXPECT_EQ(Le(t / "r" / "grande.bin"), dados);
    EXPECT_EQ(DataDe(t / "r" / "grande.bin"), Instante(2004, 5, 6, 7, 8, 10));
  }
}

TEST(BackupFile, SegmentoAntigoLzrw1kh) {
  PastaTemporaria t;
  const std::string copiado("\x80" "abc", 4);
  const std::string corrida("\x00\x80\x00\x00\x00\x00z", 7);
  Bytes()
      .cabecalho()
      .entrada("c:\\dados\\antigo.db")
      .raw(std::string("ECS\0", 4))
      .i32(static_cast<std::int32_t>(copiado.size() + corrida.size() + 8))
      .texto(copiado)
      .texto(corrida)
      .i32(0)
      .grava(t / "a.bkp");
  TBackupFile b;
  ASSERT_TRUE(b.Restore(t / "a.bkp", t / "r"));
  EXPECT_EQ(Le(t / "r" / "antigo.db"), "abc" + std::string(16, 'z'));
}

TEST(BackupFile, NomeGuardadoReduzidoAbaixoDaPasta) {
  struct Caso {
    const char* guardado;
    bool caminhoCompleto;
    const char* alvo;
  };
  const std::vector<Caso> casos = {
      {"c:\\program\\dados\\bd8emp.db", false, "bd8emp.db"},
      {"..\\..\\fora.db", false, "fora.db"},
      {"/etc/passwd", false, "passwd"},
      {"c:\\program\\dados\\bd8emp.db", true, "program/dados/bd8emp.db"},
      {"/home/u/./f.txt", true, "home/u/f.txt"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.guardado);
    PastaTemporaria t;
    Bytes().cabecalho().arquivo(c.guardado, "d").i32(0).grava(t / "a.bkp");
    TBackupFile b;
    b.RestoreFullPath(c.caminhoCompleto);
    ASSERT_TRUE(b.Restore(t / "a.bkp", t / "r"));
    EXPECT_EQ(Arquivos(t / "r"), std::set<std::string>{c.alvo});
  }
}

// Hostile archives end with a clear error; the file already at the target
// stays as it was and nothing is written anywhere else.
TEST(BackupFile, ArquivosHostis) {
  auto cab = [] { return Bytes().cabecalho(); };
  auto segmento = [](Bytes b) { return b.entrada("c:\\dados\\x").ec2(); };
  struct Caso {
    const char* nome;
    std::string bytes;
    int codigo;
    bool caminhoCompleto = false;
  };
  const std::vector<Caso> casos = {
      {"assinatura desconhecida", cab().entrada("x").raw(std::string("XYZ\0", 4)).str(), kErroTipoBackup},
      {"nome ..", cab().arquivo("c:\\dados\\..", "d").i32(0).str(), kErroTipoBackup},
      {"nome .", cab().arquivo(".", "d").i32(0).str(), kErroTipoBackup},
      {"nome de pasta", cab().arquivo("c:\\dados\\", "d").i32(0).str(), kErroTipoBackup},
      {"nome com NUL", cab().arquivo(std::string("x\0/../y", 7), "d").i32(0).str(), kErroTipoBackup},
      {"caminho com ..", cab().arquivo("c:\\dados\\..\\..\\..\\x", "d").i32(0).str(), kErroTipoBackup, true},
      {"comprimento de nome negativo", cab().i32(-5).str(), kErroTipoBackup},
      {"comprimento de nome enorme", cab().i32(1 << 30).str(), kErroTipoBackup},
      {"bloco cortado", segmento(cab()).i32(-100).raw("0123456789").str(), kErroLeituraBackup},
      {"bloco maior que 16384", segmento(cab()).guardado(std::string(20000, 'g')).i32(0).i32(0).str(),
       kErroTipoBackup},
      {"comprimento mínimo", segmento(cab()).i32(INT32_MIN).str(), kErroTipoBackup},
      {"zlib que passa de 16384", segmento(cab()).comprimido(std::string(16385, '0')).i32(0).i32(0).str(),
       kErroCompressao},
      {"zlib corrompido", segmento(cab()).texto("0123456789").i32(0).i32(0).str(), kErroCompressao},
      {"bloco antigo inválido",
       cab().entrada("x").raw(std::string("ECS\0", 4)).i32(10).texto(std::string("\0\x40\0x\0\x20", 6)).i32(0).str(),
       kErroTipoBackup},
      {"bloco antigo grande demais", cab().entrada("x").raw(std::string("ECS\0", 4)).i32(100000).i32(40000).str(),
       kErroTipoBackup},
      {"bloco antigo vazio", cab().entrada("x").raw(std::string("ECS\0", 4)).i32(100).i32(0).str(), kErroTipoBackup},
      {"volume fora de ordem", segmento(cab()).guardado("novo").i32(0).texto("NEXT:DISK005").str(), kErroTipoBackup},
      {"volume sem número", segmento(cab()).guardado("novo").i32(0).texto("NEXT:DISKabc").str(), kErroTipoBackup},
      {"volume ausente", segmento(cab()).guardado("novo").i32(0).texto("NEXT:DISK002").str(), kErroLeituraBackup},
      {"sem marca de fim", segmento(cab()).guardado("novo").i32(0).str(), kErroLeituraBackup},
      {"título de tamanho negativo", Bytes().i32(-1).str(), kErroLeituraBackup},
      {"cabeçalho cortado", Bytes().texto("Zema2004").str(), kErroLeituraBackup},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    PastaTemporaria t;
    Grava(t / "h.bkp", c.bytes);
    Grava(t / "alvo" / "dentro" / "x", "antigo");
    Registro ev;
    TBackupFile b;
    b.Eventos(&ev);
    b.RestoreFullPath(c.caminhoCompleto);
    EXPECT_FALSE(b.Restore(t / "h.bkp", t / "alvo" / "dentro"));
    EXPECT_EQ(b.ErrorCode(), c.codigo);
    ASSERT_EQ(ev.erros.size(), 1u);
    EXPECT_EQ(ev.erros[0], std::make_pair(c.codigo, std::string(TextoErroBackup(c.codigo))));
    EXPECT_EQ(Le(t / "alvo" / "dentro" / "x"), "antigo");
    EXPECT_EQ(Arquivos(*t), (std::set<std::string>{"h.bkp", "alvo/dentro/x"}));
  }
  EXPECT_EQ(TextoErroBackup(kErroTipoBackup), "Invalid archive type");
}

TEST(BackupFile, LigacaoSimbolicaNaPastaAlvoNaoLevaParaFora) {
  PastaTemporaria t;
  fs::create_directories(t / "fora");
  fs::create_directories(t / "alvo");
  fs::create_directory_symlink(t / "fora", t / "alvo" / "a");
  Bytes().cabecalho().arquivo("c:\\a\\b\\x", "d").i32(0).grava(t / "h.bkp");
  TBackupFile b;
  b.RestoreFullPath(true);
  EXPECT_FALSE(b.Restore(t / "h.bkp", t / "alvo"));
  EXPECT_EQ(b.ErrorCode(), kErroSobrescrita);
  EXPECT_TRUE(fs::is_empty(t / "fora"));
}

TEST(BackupFile, ModosDeRestauracao) {
  struct Caso {
    TRestoreMode modo;
    int alvo;  // 0 missing, -1 older than the archived file, +1 newer
    bool restaura;
    bool veta = false;
  };
  const std::vector<Caso> casos = {
      {rmAll, 0, true},           {rmAll, 1, true},           {rmAll, -1, false, true},
      {rmNoOverwrite, 0, true},   {rmNoOverwrite, -1, false}, {rmNewer, 0, true},
      {rmNewer, -1, true},        {rmNewer, 1, false},        {rmExisting, 0, false},
      {rmExisting, 1, true},      {rmExistingNewer, 0, false}, {rmExistingNewer, -1, true},
      {rmExistingNewer, 1, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(testing::Message() << c.modo << " " << c.alvo << " " << c.veta);
    PastaTemporaria t;
    Bytes()
        .cabecalho()
        .entrada("c:\\dados\\f", DataDos(Instante(2004, 6, 15, 12, 0, 0)))
        .ec2()
        .guardado("novo")
        .i32(0)
        .i32(0)
        .grava(t / "a.bkp");
    if (c.alvo != 0) {
      Grava(t / "r" / "f", "antigo");
      MudaData(t / "r" / "f", Instante(c.alvo < 0 ? 2003 : 2005, 1, 1, 0, 0, 0));
    }
    Registro ev;
    ev.veta = c.veta;
    TBackupFile b;
    b.Eventos(&ev);
    b.RestoreMode(c.modo);
    ASSERT_TRUE(b.Restore(t / "a.bkp", t / "r"));
    const std::string esperado = c.restaura ? "novo" : (c.alvo != 0 ? "antigo" : "");
    EXPECT_EQ(Le(t / "r" / "f"), esperado);
    EXPECT_EQ(b.RestoredCount(), c.restaura ? 1 : 0);
  }
}

TEST(BackupFile, ListaDeArquivosNaoERestaurada) {
  PastaTemporaria t;
  Grava(t / "um", "1");
  Grava(t / "dois", "22");
  MudaData(t / "um", Instante(2004, 1, 2, 3, 4, 6));
  TBackupFile b;
  b.SaveFileID(true);
  ASSERT_TRUE(b.BackupArquivos({{t / "um", "c:\\d\\um"}, {t / "dois", "c:\\d\\dois"}}, t / "a.bkp"));

  std::vector<std::string> lista;
  TBackupFile r;
  r.GetArchiveInfo(t / "a.bkp", &lista);
  ASSERT_EQ(lista.size(), 2u);
  EXPECT_EQ(lista[0], "c:\\d\\um\t" +
                          std::to_string(static_cast<std::int32_t>(DataDos(Instante(2004, 1, 2, 3, 4, 6)))) +
                          "=1");
  EXPECT_TRUE(lista[1].starts_with("c:\\d\\dois\t"));
  EXPECT_TRUE(lista[1].ends_with("=2"));
  EXPECT_EQ(r.FileCount(), 2);
  EXPECT_EQ(r.TotalSize(), 3 + static_cast<std::int32_t>(lista[0].size() + lista[1].size() + 4));
  ASSERT_TRUE(r.Restore(t / "a.bkp", t / "r"));
  EXPECT_EQ(Arquivos(t / "r"), (std::set<std::string>{"um", "dois"}));
}

// The filter and the cap on what a restore writes: a name left out is read
// past, and an archive that decodes to more than the cap fails with nothing
// left behind, however little the archive itself weighs.
TEST(BackupFile, FiltroELimiteDoQueARestauracaoGrava) {
  PastaTemporaria t;
  const std::string zeros = Zlib(std::string(16384, '\0'));
  Bytes a;
  a.cabecalho().entrada("grande").ec2();
  for (int i = 0; i < 64; ++i) a.i32(static_cast<std::int32_t>(zeros.size())).raw(zeros);  // 1 MiB decoded
  a.i32(0).arquivo("pequeno", "abc").i32(0).grava(t / "a.bkp");

  TBackupFile b;
  b.MaxRestoreSize(100000);
  b.RestoreFilter([](const std::string& nome) { return nome == "pequeno"; });
  ASSERT_TRUE(b.Restore(t / "a.bkp", t / "r"));
  EXPECT_EQ(Arquivos(t / "r"), std::set<std::string>{"pequeno"});

  b.RestoreFilter({});
  EXPECT_FALSE(b.Restore(t / "a.bkp", t / "s"));
  EXPECT_EQ(b.ErrorCode(), kErroTipoBackup);
  EXPECT_TRUE(!fs::exists(t / "s") || fs::is_empty(t / "s"));
}

TEST(BackupFile, InterrupcaoPeloEvento) {
  PastaTemporaria t;
  Grava(t / "f", Aleatorio(40000));
  {
    // A stopped backup leaves the archive that was there before untouched.
    Grava(t / "parcial.bkp", "copia anterior");
    Registro ev;
    ev.pararNoProgresso = 2;  // after the first block
    TBackupFile b;
    b.Eventos(&ev);
    EXPECT_FALSE(b.BackupArquivos({{t / "f", "f"}}, t / "parcial.bkp"));
    EXPECT_EQ(b.ErrorCode(), kErroNenhum);
    EXPECT_TRUE(ev.erros.empty());
    EXPECT_EQ(Le(t / "parcial.bkp"), "copia anterior");
    EXPECT_EQ(Arquivos(*t), (std::set<std::string>{"f", "parcial.bkp"}));
  }
  TBackupFile b;
  ASSERT_TRUE(b.BackupArquivos({{t / "f", "f"}}, t / "a.bkp"));
  Grava(t / "r" / "f", "antigo");
  Registro ev;
  ev.pararNoProgresso = 1;
  TBackupFile r;
  r.Eventos(&ev);
  EXPECT_FALSE(r.Restore(t / "a.bkp", t / "r"));
  EXPECT_EQ(r.ErrorCode(), kErroNenhum);
  EXPECT_EQ(Le(t / "r" / "f"), "antigo");
  EXPECT_EQ(Arquivos(t / "r"), std::set<std::string>{"f"});
}

TEST(BackupFile, EspecificacoesComCuringasESubpastas) {
  PastaTemporaria t;
  for (const char* n : {"a.txt", "B.TXT", "c.dat", "sub/d.txt", "sub/e.dat"}) Grava(t / "d" / n, n);
  auto nomes = [&](const std::vector<std::string>& especificacoes) {
    TBackupFile b;
    EXPECT_TRUE(b.Backup(especificacoes, t / "d" / "a.bkp"));
    std::set<std::string> r;
    for (const auto& e : Entradas(Le(t / "d" / "a.bkp"))) r.insert(fs::relative(e.nome, *t / "d").string());
    return r;
  };
  EXPECT_EQ(nomes({(*t / "d" / "*.txt").string()}), (std::set<std::string>{"a.txt", "B.TXT"}));
  // The archive itself, now in the folder, is never listed; repeated files enter once.
  EXPECT_EQ(nomes({(*t / "d" / "*.*").string() + " /s", (*t / "d" / "c.dat").string()}),
            (std::set<std::string>{"a.txt", "B.TXT", "c.dat", "sub/d.txt", "sub/e.dat"}));
}

TEST(BackupFile, IncrementalArquivaSoOQueMudou) {
  PastaTemporaria t;
  Grava(t / "d" / "a", "a");
  Grava(t / "d" / "b", "b");
  if (::setxattr((t / "d" / "a").c_str(), "user.vornex.teste", "1", 1, 0) != 0)
    GTEST_SKIP() << "sem atributos estendidos nesta pasta";
  auto arquivados = [&] {
    TBackupFile b;
    b.BackupMode(bmIncremental);
    EXPECT_TRUE(b.SetArchiveFlag());
    EXPECT_TRUE(b.Backup({(*t / "d" / "*").string()}, t / "a.bkp"));
    return b.FileCount();
  };
  EXPECT_EQ(arquivados(), 2);
  EXPECT_EQ(arquivados(), 0);
  MudaData(t / "d" / "a", Instante(2004, 3, 3, 3, 3, 4));
  EXPECT_EQ(arquivados(), 1);
}

}  // namespace
