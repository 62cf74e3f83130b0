#include "casos/analisa_arquivo.h"
#include "declfile/gravacao.h"
#include "declfile/importacao.h"
#include <QComboBox>
#include <fstream>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include "../apoio_gui.h"
#include "data/banco.h"
#include "data/dm_vornex.h"
#include "declfile/fm_analis.h"
#include "declfile/fm_import.h"
#include "toolkit/lista_marcavel.h"

using namespace vornex;
using namespace vornex::gui;
namespace fs = std::filesystem;

namespace {

// The next volume goes to the next folder, each as small as the first.
struct PastasSeguidas : InterfaceMidia {
  fs::path base;
  bool midiaNaoPronta(const Midia&) override { return false; }
  std::optional<Midia> pedeMidia(int volume, bool, const Midia& anterior) override {
    fs::path p = base / ("m" + std::to_string(volume));
    fs::create_directories(p);
    return MidiaPasta(p, anterior.capacidade);
  }
  bool confirmaInterrupcao() override { return true; }
  void avisa(AvisoMidia, const Midia&) override {}
  bool autorizaSobrescrever(const Midia&) override { return false; }
};

long long Conta(const fs::path& dados, const std::string& sql) {
  Conexao c = AbreZema2004(dados);
  Consulta q(c, sql);
  q.proxima();
  return q.inteiro(0);
}

// A demo declaration of three establishments written in two volumes.
class AnalisImport : public ::testing::Test {
 protected:
  static constexpr long long kVinculos = 80;

  AnalisImport() {
    teste::PastaComDemonstracao(pasta_ / "origem", 3, kVinculos);
    Conexao c = AbreZema2004(pasta_ / "origem");
    fs::create_directories(pasta_ / "m1");
    PastasSeguidas pastas;
    pastas.base = pasta_.caminho();
    PedidoGravacao g;
    g.dataGeracao = "10022005";
    const auto r = GravaArquivoDeclaracao(c, g, MidiaPasta(pasta_ / "m1", 25000), pastas, SemAcompanhamento());
    EXPECT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
    EXPECT_EQ(r.volumes.size(), 2u);
  }

  fs::path Volume(int n) const { return pasta_ / ("m" + std::to_string(n)) / "Zema2004"; }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
};

TEST_F(AnalisImport, AnalisadorAchaOPrimeiroVolumeCorretoEOGravaDeNovo) {
  teste::CopiaPastaInicializada(pasta_ / "dados");
  TdmVornex dm(pasta_ / "dados");
  const fs::path destino = pasta_ / "regravado";
  fs::create_directories(destino);
  bool fechou = false;
  TfmAnalis00 passo1(dm);
  dialogos_.naTela([&](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), kTituloAnalis);
    auto& p = dynamic_cast<TfmAnalis00&>(d);
    EXPECT_FALSE(p.btAvancar()->isEnabled());
    // A missing file: the warning, and the step stays.
    p.arquivo()->setText(QString::fromStdString((pasta_ / "nada").string()));
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
    ASSERT_FALSE(dialogos_.textos().empty());
    EXPECT_EQ(dialogos_.textos().back(),
              "O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmAnalis01&>(d2);
      EXPECT_NE(p2.paineis()->currentWidget(), p2.painel(TfmAnalis01::Desfecho::Erros));
      // No drive chosen: "0600".
      dialogos_.limpa();
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
      EXPECT_EQ(dialogos_.textos().size(), 1u);
      p2.cbDrive()->setCurrentIndex(p2.cbDrive()->count() - 1);
      dialogos_.respondeArquivo(destino);
      dialogos_.naTela([&](QDialog& d3) {
        EXPECT_EQ(d3.windowTitle(), kTituloAnalis02);
        fechou = true;
        QTest::mouseClick(d3.findChild<QPushButton*>("BtFechar"), Qt::LeftButton);
      });
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
    });
    p.arquivo()->setText(QString::fromStdString(Volume(1).string()));
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  EXPECT_TRUE(fechou);
  EXPECT_FALSE(passo1.isVisible());
  ASSERT_TRUE(fs::exists(destino / "Zema2004"));

  // The copy holds what volume 1 holds and is itself sound.
  Conexao c = AbreZema2004(pasta_ / "dados");
  long e1 = 0, v1 = 0;
  for (const fs::path& f : {Volume(1), destino / "Zema2004"}) {
    PedidoAnaliseArquivo p;
    p.arquivo = f;
    const auto r = AnalisaEVerifica(c, p, {});
    EXPECT_EQ(r.estrutura, 0) << f;
    if (v1 == 0) {
      e1 = r.estabelecimentos, v1 = r.vinculos;
    } else {
      EXPECT_EQ(r.estabelecimentos, e1);
      EXPECT_EQ(r.vinculos, v1);
    }
  }
  EXPECT_GT(v1, 0);
}

TEST_F(AnalisImport, ErroDeEstruturaMostraOPainelEVoltarRetornaAoArquivo) {
  teste::CopiaPastaInicializada(pasta_ / "dados");
  TdmVornex dm(pasta_ / "dados");
  const fs::path curto = pasta_ / "curto.txt";
  {
    std::ofstream f(curto, std::ios::binary);
    f << std::string(1049, '0');
  }
  TfmAnalis00 passo1(dm);
  dialogos_.naTela([&](QDialog& d) {
    auto& p = dynamic_cast<TfmAnalis00&>(d);
    p.arquivo()->setText(QString::fromStdString(curto.string()));
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
    EXPECT_EQ(p.paineis()->currentWidget(), p.PErroEstrutura());
    EXPECT_TRUE(p.btVoltar()->isEnabled());
    EXPECT_EQ(p.btCancelar()->text(), "&Fechar");
    QTest::mouseClick(p.btVoltar(), Qt::LeftButton);
    EXPECT_NE(p.paineis()->currentWidget(), p.PErroEstrutura());
    EXPECT_TRUE(p.isVisible());
    QTest::mouseClick(p.btCancelar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  EXPECT_FALSE(passo1.isVisible());
}

TEST_F(AnalisImport, ImportacaoTrazOsDoisVolumesParaUmaPastaVazia) {
  teste::CopiaPastaInicializada(pasta_ / "dados");
  TdmVornex dm(pasta_ / "dados");
  for (int volume : {1, 2}) {
    SCOPED_TRACE(volume);
    TfmImport00 passo1(dm, false);
    bool concluiu = false;
    dialogos_.naTela([&](QDialog& d) {
      EXPECT_EQ(d.windowTitle(),
                QString(kTituloImport) + " (Declaração Ano-Base Atual - Ano 2004)");
      auto& p = dynamic_cast<TfmImport00&>(d);
      p.arquivo()->setText(QString::fromStdString(Volume(volume).string()));
      dialogos_.naTela([&](QDialog& d2) {
        auto& p2 = dynamic_cast<TfmImport02&>(d2);
        ASSERT_GT(p2.LEmpresas()->count(), 0);
        // Nothing checked: "1301".
        dialogos_.limpa();
        QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
        EXPECT_EQ(dialogos_.textos().size(), 1u);
        QTest::mouseClick(p2.rbSelecionarTodos(), Qt::LeftButton);
        EXPECT_EQ(p2.LEmpresas()->contaMarcados(), p2.LEmpresas()->count());
        dialogos_.naTela([&](QDialog& d3) {
          // Every link read was imported.
          Conexao c = AbreZema2004(pasta_ / "dados");
          const auto linhas = LinhasImportacao(c);
          EXPECT_EQ(static_cast<int>(linhas.size()), p2.LEmpresas()->count());
          for (const auto& l : linhas) {
            EXPECT_EQ(std::stoi(l["NuTotalImportados"]), std::stoi(l["NuVinculosEstabelecimento"]));
            EXPECT_EQ(l["NuTotalDuplicados"], "0");
          }
          concluiu = true;
          QTest::mouseClick(d3.findChild<QPushButton*>("BtFechar"), Qt::LeftButton);
        });
        QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
      });
      QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
    });
    Dialogo().executa(passo1);
    EXPECT_TRUE(concluiu);
  }
  EXPECT_EQ(Conta(pasta_ / "dados", "select count(*) from Bd8vinc"), kVinculos);
  EXPECT_EQ(Conta(pasta_ / "dados", "select count(*) from Bd8emp"), 3);
  // The work tables went with the assistant.
  EXPECT_EQ(Conta(pasta_ / "dados", "select count(*) from trabalho.sqlite_master where name like 'TE8Imp' or name like 'Te8emp'"), 0);
}

// A file whose first establishment has a CNAE that is no code: the errors
// panel, "C&orrigir no Vornex" and its "C&onfirma" bring every establishment
// of the file into the declaration, all pre-checked.
TEST_F(AnalisImport, ErrosDoArquivoCorrigidosNoVornexImportamTudo) {
  const fs::path errado = pasta_ / "errado";
  fs::create_directories(errado);
  {
    Conexao c = AbreZema2004(pasta_ / "origem");
    c.executa("update Bd8emp set CoCnae = '99999' where rowid = (select min(rowid) from Bd8emp)");
    PastasSeguidas pastas;
    pastas.base = pasta_.caminho();
    PedidoGravacao g;
    g.dataGeracao = "10022005";
    ASSERT_EQ(GravaArquivoDeclaracao(c, g, MidiaPasta(errado), pastas, SemAcompanhamento()).resultado,
              ResultadoGravacao::Gravado);
  }
  teste::CopiaPastaInicializada(pasta_ / "dados");
  TdmVornex dm(pasta_ / "dados");
  bool importou = false;
  TfmAnalis00 passo1(dm);
  dialogos_.naTela([&](QDialog& d) {
    auto& p = dynamic_cast<TfmAnalis00&>(d);
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmAnalis01&>(d2);
      EXPECT_EQ(p2.paineis()->currentWidget(), p2.painel(TfmAnalis01::Desfecho::Erros));
      EXPECT_FALSE(p2.btAvancar()->isEnabled());
      dialogos_.naTela([&](QDialog& regras) {
        EXPECT_EQ(regras.windowTitle(), kTituloAnalisRegras);
        dialogos_.naTela([&](QDialog& d3) {
          auto& sel = dynamic_cast<TfmImport02&>(d3);
          EXPECT_EQ(sel.LEmpresas()->contaMarcados(), 3);
          EXPECT_TRUE(sel.rbSelecionarTodos()->isChecked());
          dialogos_.naTela([&](QDialog& fim) {
            importou = true;
            QTest::mouseClick(fim.findChild<QPushButton*>("BtFechar"), Qt::LeftButton);
          });
          QTest::mouseClick(sel.btAvancar(), Qt::LeftButton);
        });
        QTest::mouseClick(dynamic_cast<TfmAnalisRegras&>(regras).BtConfirma(), Qt::LeftButton);
      });
      QTest::mouseClick(p2.BtCorrigir(), Qt::LeftButton);
      QTest::mouseClick(p2.btCancelar(), Qt::LeftButton);
    });
    p.arquivo()->setText(QString::fromStdString((errado / "Zema2004").string()));
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  EXPECT_TRUE(importou);
  EXPECT_EQ(Conta(pasta_ / "dados", "select count(*) from Bd8emp"), 3);
  EXPECT_EQ(Conta(pasta_ / "dados", "select count(*) from Bd8vinc"), kVinculos);
}

}  // namespace
