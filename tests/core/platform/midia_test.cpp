#include "platform/midia.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;
using vornex::AvisoMidia;
using vornex::EstadoRaiz;
using vornex::Midia;

class Temporario : public ::testing::Test {
 protected:
  void SetUp() override {
    char modelo[] = "/tmp/vornex_midia_XXXXXX";
    ASSERT_NE(::mkdtemp(modelo), nullptr);
    raiz_ = modelo;
  }
  void TearDown() override { fs::remove_all(raiz_); }

  fs::path Pasta(const std::string& nome) {
    fs::create_directories(raiz_ / nome);
    return raiz_ / nome;
  }
  static void Escreve(const fs::path& p, const std::string& texto) { std::ofstream(p, std::ios::binary) << texto; }
  static std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }

  fs::path raiz_;
};

TEST(Montagens, TextoDaTabelaDoSistema) {
  const char* texto =
      "sysfs /sys sysfs rw,nosuid 0 0\n"
      "/dev/sda2 / ext4 rw,relatime 0 0\n"
      "/dev/sdb1 /media/ana/PEN\\040DRIVE vfat rw,nosuid,uid=1000 0 0\n"
      "/dev/sdc1 /mnt/usb vfat rw 0 0\n"
      "/dev/sdd1\t/run/media/ana/DADOS exfat rw 0 0\r\n"
      "tmpfs /run/media/ana/falso tmpfs rw 0 0\n"
      "/dev/sde1 /media ext4 rw 0 0\n"
      "linha-ruim\n"
      "\n"
      "/dev/sdf1 /mnt/usb ext4 rw 0 0";
  const auto m = vornex::AnalisaMontagens(texto);
  ASSERT_EQ(m.size(), 8u);
  EXPECT_EQ(m[2].ponto, "/media/ana/PEN DRIVE");
  EXPECT_EQ(m[2].sistema, "vfat");
  EXPECT_EQ(m[2].opcoes, "rw,nosuid,uid=1000");
  EXPECT_EQ(m[4].ponto, "/run/media/ana/DADOS");
  EXPECT_EQ(m[4].opcoes, "rw");

  // sdc1 is removable but /mnt/usb was mounted over by a fixed disk.
  const std::set<std::string_view> removiveis = {"/dev/sdc1"};
  const auto midias =
      vornex::MidiasRemoviveis(m, [&](std::string_view d) { return removiveis.count(d) != 0; });
  ASSERT_EQ(midias.size(), 2u);
  EXPECT_EQ(midias[0].pasta, "/media/ana/PEN DRIVE");
  EXPECT_EQ(midias[0].dispositivo, "/dev/sdb1");
  EXPECT_EQ(midias[0].tipo, vornex::TipoMidia::Removivel);
  EXPECT_EQ(midias[1].pasta, "/run/media/ana/DADOS");

  const auto semSobreposicao = vornex::MidiasRemoviveis(
      vornex::AnalisaMontagens("/dev/sdc1 /mnt/usb vfat rw 0 0\n"), [&](std::string_view d) { return removiveis.count(d) != 0; });
  ASSERT_EQ(semSobreposicao.size(), 1u);
  EXPECT_EQ(semSobreposicao[0].pasta, "/mnt/usb");
}

TEST_F(Temporario, RemovivelPeloDiscoNoSysfs) {
  const fs::path sys = raiz_ / "sys";
  const fs::path usb = sys / "devices/usb1/block/sdb", fixo = sys / "devices/ata1/block/sda";
  fs::create_directories(usb / "sdb1");
  fs::create_directories(fixo / "sda1");
  fs::create_directories(sys / "class/block");
  Escreve(usb / "removable", "1\n");
  Escreve(usb / "sdb1/partition", "1\n");
  Escreve(fixo / "removable", "0\n");
  Escreve(fixo / "sda1/partition", "1\n");
  fs::create_directory_symlink("../../devices/usb1/block/sdb", sys / "class/block/sdb");
  fs::create_directory_symlink("../../devices/usb1/block/sdb/sdb1", sys / "class/block/sdb1");
  fs::create_directory_symlink("../../devices/ata1/block/sda/sda1", sys / "class/block/sda1");

  EXPECT_TRUE(vornex::DispositivoRemovivel("/dev/sdb1", sys));
  EXPECT_TRUE(vornex::DispositivoRemovivel("/dev/sdb", sys));
  EXPECT_FALSE(vornex::DispositivoRemovivel("/dev/sda1", sys));
  EXPECT_FALSE(vornex::DispositivoRemovivel("/dev/nvme0n1p1", sys));
}

TEST_F(Temporario, CapacidadeDePasta) {
  const fs::path p = Pasta("destino");
  EXPECT_TRUE(vornex::MidiaDisponivel(vornex::MidiaPasta(p)));
  EXPECT_EQ(vornex::CapacidadeMidia(vornex::MidiaPasta(p, vornex::kCapacidadeDisquete)), 1457664u);
  EXPECT_EQ(vornex::CapacidadeMidia(vornex::MidiaPasta(p)), fs::space(p).capacity);

  const auto ausente = vornex::MidiaPasta(raiz_ / "nao-existe");
  EXPECT_FALSE(vornex::MidiaDisponivel(ausente));
  EXPECT_EQ(vornex::CapacidadeMidia(ausente), 0u);
  Escreve(raiz_ / "arquivo", "x");
  EXPECT_FALSE(vornex::MidiaDisponivel(vornex::MidiaPasta(raiz_ / "arquivo")));

  // A removable volume no longer mounted leaves a plain folder behind.
  Midia solta = vornex::MidiaPasta(p);
  solta.tipo = vornex::TipoMidia::Removivel;
  EXPECT_FALSE(vornex::MidiaDisponivel(solta));
}

TEST_F(Temporario, EstadosDaRaiz) {
  Escreve(raiz_ / "fora", "dados de fora");
  struct Caso {
    const char* nome;
    std::function<void(const fs::path&)> prepara;
    EstadoRaiz estado;
    const char* declaracao;
  };
  const Caso casos[] = {
      {"vazia", [](const fs::path&) {}, EstadoRaiz::Vazia, ""},
      {"antiga", [](const fs::path& p) { Escreve(p / "Zema2004", "x"); }, EstadoRaiz::SoDeclaracao, "Zema2004"},
      {"maiusculas", [](const fs::path& p) { Escreve(p / "ZEMA2004", "x"); }, EstadoRaiz::SoDeclaracao, "ZEMA2004"},
      {"ocultos",
       [](const fs::path& p) {
         fs::create_directory(p / ".Trash-1000");
         Escreve(p / ".oculto", "x");
       },
       EstadoRaiz::Vazia, ""},
      {"antiga e outro",
       [](const fs::path& p) {
         Escreve(p / "Zema2004", "x");
         Escreve(p / "outro.txt", "x");
       },
       EstadoRaiz::OutrosArquivos, ""},
      {"outro", [](const fs::path& p) { Escreve(p / "outro.txt", "x"); }, EstadoRaiz::OutrosArquivos, ""},
      {"pasta com o nome", [](const fs::path& p) { fs::create_directory(p / "Zema2004"); },
       EstadoRaiz::OutrosArquivos, ""},
      {"ligacao com o nome", [this](const fs::path& p) { fs::create_symlink(raiz_ / "fora", p / "Zema2004"); },
       EstadoRaiz::OutrosArquivos, ""},
      {"extensao", [](const fs::path& p) { Escreve(p / "Zema2004.txt", "x"); }, EstadoRaiz::OutrosArquivos, ""},
  };
  for (const auto& c : casos) {
    const fs::path p = Pasta(c.nome);
    c.prepara(p);
    fs::path declaracao;
    EXPECT_EQ(vornex::VerificaRaiz(vornex::MidiaPasta(p), &declaracao), c.estado) << c.nome;
    EXPECT_EQ(declaracao, *c.declaracao ? p / c.declaracao : fs::path()) << c.nome;
  }
  EXPECT_EQ(vornex::VerificaRaiz(vornex::MidiaPasta(raiz_ / "nao-existe")), EstadoRaiz::Ilegivel);

  // The file is never written through a link leading out of the medium: the
  // link at the final name is replaced by the rename.
  const fs::path armadilha = Pasta("armadilha");
  fs::create_symlink(raiz_ / "fora", armadilha / "Zema2004");
  vornex::ArquivoAtomico a;
  ASSERT_TRUE(vornex::CriaArquivoDeclaracao(vornex::MidiaPasta(armadilha), a));
  ASSERT_TRUE(a.escreve("novo", 4));
  ASSERT_TRUE(a.conclui());
  EXPECT_EQ(Le(raiz_ / "fora"), "dados de fora");
  EXPECT_FALSE(fs::is_symlink(armadilha / "Zema2004"));
  EXPECT_EQ(Le(armadilha / "Zema2004"), "novo");
}

// Answers the prompts from a script and records them.
struct Roteiro : vornex::InterfaceMidia {
  std::vector<std::string> eventos;
  std::function<bool(const Midia&)> naoPronta = [](const Midia&) { return false; };
  std::deque<std::optional<Midia>> midias;
  std::deque<bool> interrompe;
  bool sobrescreve = false;

  bool midiaNaoPronta(const Midia& m) override {
    eventos.push_back("nao pronta");
    return naoPronta(m);
  }
  std::optional<Midia> pedeMidia(int volume, bool repeticao, const Midia&) override {
    eventos.push_back("pede " + std::to_string(volume) + (repeticao ? " de novo" : ""));
    if (midias.empty()) return std::nullopt;
    auto m = midias.front();
    midias.pop_front();
    return m;
  }
  bool confirmaInterrupcao() override {
    eventos.push_back("interromper?");
    if (interrompe.empty()) return true;
    bool r = interrompe.front();
    interrompe.pop_front();
    return r;
  }
  void avisa(AvisoMidia a, const Midia& m) override { eventos.push_back(vornex::TextoAviso(a, m)); }
  bool autorizaSobrescrever(const Midia&) override {
    eventos.push_back("sobrescrever?");
    return sobrescreve;
  }
};

using Eventos = std::vector<std::string>;

bool Grava(std::FILE* f, const std::string& texto) {
  return std::fwrite(texto.data(), 1, texto.size(), f) == texto.size() && std::fflush(f) == 0;
}

TEST_F(Temporario, VolumesEmPastasENaoSobrescreveOVolumeAnterior) {
  const fs::path a = Pasta("a"), b = Pasta("b");
  Roteiro ui;
  vornex::VolumesGravacao v(vornex::MidiaPasta(a, vornex::kCapacidadeDisquete), ui);
  ASSERT_TRUE(v.aguardaPrimeira());
  EXPECT_EQ(v.capacidade(), vornex::kCapacidadeDisquete);
  auto f = v.abreProximo();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(v.volume(), 1);
  ASSERT_TRUE(Grava(f, "volume 1"));
  ASSERT_TRUE(v.concluiVolume());

  // The same folder again would overwrite volume 1.
  ui.sobrescreve = true;
  ui.midias = {vornex::MidiaPasta(a), vornex::MidiaPasta(b, 100000)};
  f = v.abreProximo();
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ui.eventos, (Eventos{"pede 2", "Esta mídia já contém um volume desta gravação.\nInsira outra mídia.",
                                 "pede 2 de novo"}));
  EXPECT_EQ(v.volume(), 2);
  EXPECT_EQ(v.midia().pasta, b);
  EXPECT_EQ(v.capacidade(), 100000u);
  ASSERT_TRUE(Grava(f, "volume 2, incompleto"));
  EXPECT_FALSE(fs::exists(b / "Zema2004"));

  // A failed run deletes only the unfinished file.
  EXPECT_TRUE(v.descartaInacabado());
  EXPECT_TRUE(fs::is_empty(b));
  EXPECT_EQ(Le(a / "Zema2004"), "volume 1");
}

TEST_F(Temporario, RaizComArquivosECapacidade) {
  const fs::path antiga = Pasta("antiga"), outros = Pasta("outros"), pequena = Pasta("pequena"), boa = Pasta("boa");
  Escreve(antiga / "ZEMA2004", "declaracao antiga");
  Escreve(outros / "notas.txt", "x");

  {  // Overwrite refused, then giving up: the old file stays.
    Roteiro ui;
    vornex::VolumesGravacao v(vornex::MidiaPasta(antiga), ui);
    EXPECT_EQ(v.abreProximo(), nullptr);
    EXPECT_EQ(ui.eventos, (Eventos{"sobrescrever?", "pede 1 de novo", "interromper?"}));
    EXPECT_EQ(Le(antiga / "ZEMA2004"), "declaracao antiga");
  }
  {  // Overwrite allowed: the old file stays until the new one is complete.
    Roteiro ui;
    ui.sobrescreve = true;
    vornex::VolumesGravacao v(vornex::MidiaPasta(antiga), ui);
    auto f = v.abreProximo();
    ASSERT_NE(f, nullptr);
    ASSERT_TRUE(Grava(f, "nova"));
    EXPECT_EQ(ui.eventos, Eventos{"sobrescrever?"});
    EXPECT_EQ(Le(antiga / "ZEMA2004"), "declaracao antiga");
    ASSERT_TRUE(v.concluiVolume());
    EXPECT_FALSE(fs::exists(antiga / "ZEMA2004"));
    EXPECT_EQ(Le(antiga / "Zema2004"), "nova");
  }
  {  // Other files, then a medium too small; "No" to the interruption goes on.
    Roteiro ui;
    ui.midias = {vornex::MidiaPasta(pequena, 1409), std::nullopt, vornex::MidiaPasta(boa)};
    ui.interrompe = {false};
    vornex::VolumesGravacao v(vornex::MidiaPasta(outros), ui);
    ASSERT_NE(v.abreProximo(), nullptr);
    ASSERT_TRUE(v.concluiVolume());
    EXPECT_EQ(ui.eventos,
              (Eventos{"O disco a ser gravado não pode conter arquivos.", "pede 1 de novo",
                       "Espaço disponível para gravação abaixo do mínimo aceitável.\nSubstitua o disquete.",
                       "pede 1 de novo", "interromper?", "pede 1 de novo"}));
    EXPECT_TRUE(fs::exists(boa / "Zema2004"));
    EXPECT_FALSE(fs::exists(pequena / "Zema2004"));
  }
}

TEST_F(Temporario, MidiaNaoPronta) {
  const fs::path p = raiz_ / "pendrive";
  {  // Not there yet; OK after inserting it goes on.
    Roteiro ui;
    ui.naoPronta = [&](const Midia&) { return fs::create_directory(p); };
    vornex::VolumesGravacao v(vornex::MidiaPasta(p), ui);
    EXPECT_TRUE(v.aguardaPrimeira());
    EXPECT_EQ(ui.eventos, Eventos{"nao pronta"});
    fs::remove(p);
  }
  {  // Cancel, then "No", then cancel and "Yes": gives up.
    Roteiro ui;
    ui.interrompe = {false, true};
    vornex::VolumesGravacao v(vornex::MidiaPasta(p), ui);
    EXPECT_FALSE(v.aguardaPrimeira());
    EXPECT_EQ(ui.eventos, (Eventos{"nao pronta", "interromper?", "nao pronta", "interromper?"}));
    EXPECT_TRUE(v.descartaInacabado());
  }
  EXPECT_EQ(vornex::TextoMidiaNaoPronta(vornex::MidiaPasta(p)),
            "Mídia com problema ou não há mídia em " + p.string());
  EXPECT_EQ(vornex::TextoPedeMidia(2, vornex::MidiaPasta("/media/ana/PEN")), "Insira a mídia # 2\nem /media/ana/PEN");
}

}  // namespace
