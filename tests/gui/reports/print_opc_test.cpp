#include <QFile>
#include <QTest>

#include "../../core/reports/lista_vinculos.h"
#include "../apoio_gui.h"
#include "common/dialogos_roteiro.h"
#include "reports/fm_print_opc.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

using teste::PaginasImpressas;

class PrintOpc : public ::testing::Test {
 protected:
  PrintOpc() {
    for (int i = 0; i < 600; ++i) linhas_.push_back({"11.222.333/0001-81", "10000000001", "E" + std::to_string(i), ""});
  }
  // Types the ranges and copies, presses OK and, when the window stays, Cancelar.
  void Digita(const QString& paginas, const QString& copias = "1") {
    dialogos_.naTela([=](QDialog& tela) {
      auto& f = dynamic_cast<TfmPrintOpc&>(tela);
      EXPECT_EQ(f.windowTitle(), "Imprimir");
      EXPECT_TRUE(f.ui.rbTodos->isChecked());
      QTest::keyClicks(f.ui.edPaginas, paginas);
      f.ui.edCopias->selectAll();
      QTest::keyClicks(f.ui.edCopias, copias);
      QTest::mouseClick(f.ui.BtOk, Qt::LeftButton);
      if (f.isVisible()) QTest::mouseClick(f.ui.BtCancelar, Qt::LeftButton);
    });
  }
  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
  std::vector<relatorio::exemplo::Vinculo> linhas_;
};

TEST_F(PrintOpc, ImprimeAsFaixasNaOrdemDigitadaEmPdf) {
  relatorio::exemplo::ListaVinculos doc(linhas_);
  const QString pdf = QString::fromStdString((pasta_ / "faixas.pdf").string());
  Digita("1;3;5-12;4", "2");
  dialogos_.respondeImpressao(pasta_ / "faixas.pdf");
  EXPECT_EQ(ImprimeComOpcoes(doc, nullptr), 22);
  // Range by range, each with its copies.
  EXPECT_EQ(PaginasImpressas(pdf),
            (std::vector<int>{1, 1, 3, 3, 5, 6, 7, 8, 9, 10, 11, 12, 5, 6, 7, 8, 9, 10, 11, 12, 4, 4}));
  EXPECT_TRUE(dialogos_.mostradas().empty());
}

TEST_F(PrintOpc, RecusaFaixaOuCopiasInvalidasSemImprimir) {
  const struct {
    const char* paginas;
    const char* copias;
    std::string_view mensagem;
  } casos[] = {
      {"1-2-3", "1", relatorio::kIntervaloInvalido},
      {"12-5", "1", relatorio::kIntervaloInvalido},
      {"", "0", relatorio::kCopiasInvalidas},
      {"2", "x", relatorio::kCopiasInvalidas},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.paginas + std::string(" x") + c.copias);
    relatorio::exemplo::ListaVinculos doc(linhas_);
    DialogosRoteiro dialogos;
    dialogos.naTela([&](QDialog& tela) {
      auto& f = dynamic_cast<TfmPrintOpc&>(tela);
      QTest::keyClicks(f.ui.edPaginas, c.paginas);
      f.ui.edCopias->selectAll();
      QTest::keyClicks(f.ui.edCopias, c.copias);
      QTest::mouseClick(f.ui.BtOk, Qt::LeftButton);
      EXPECT_TRUE(f.isVisible());  // the window stays open on a refusal
      QTest::mouseClick(f.ui.BtCancelar, Qt::LeftButton);
      EXPECT_TRUE(f.cancelado());
    });
    EXPECT_EQ(ImprimeComOpcoes(doc, nullptr), 0);
    ASSERT_EQ(dialogos.mostradas().size(), 1u);
    EXPECT_EQ(dialogos.mostradas()[0].texto, c.mensagem);
    EXPECT_EQ(dialogos.impressoesPedidas(), 0);
  }
}

TEST_F(PrintOpc, SetasDeUmA9999EPaginasEscolheOIntervalo) {
  TfmPrintOpc f;
  f.show();
  QTest::mouseClick(f.ui.btAbaixo, Qt::LeftButton);
  EXPECT_EQ(f.ui.edCopias->text(), "1");
  f.ui.edCopias->setText("9998");
  QTest::mouseClick(f.ui.btAcima, Qt::LeftButton);
  QTest::mouseClick(f.ui.btAcima, Qt::LeftButton);
  EXPECT_EQ(f.ui.edCopias->text(), "9999");
  f.ui.edCopias->setText("abc");
  QTest::mouseClick(f.ui.btAcima, Qt::LeftButton);
  EXPECT_EQ(f.ui.edCopias->text(), "2");
  QTest::keyClicks(f.ui.edPaginas, "3");
  EXPECT_TRUE(f.ui.rbPaginas->isChecked());
  f.ui.edPaginas->clear();
  EXPECT_TRUE(f.ui.rbTodos->isChecked());
}

}  // namespace
