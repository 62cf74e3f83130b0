#include "reports/intervalos.h"
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "../apoio_gui.h"
#include "app/comandos.h"
#include "data/dm_vornex.h"
#include "reports/fm_print_opc.h"
#include "reports/fm_relatorio.h"
#include "toolkit/lista_marcavel.h"

using namespace vornex;
using namespace vornex::gui;
namespace fs = std::filesystem;

namespace {

using teste::Clica;

void ClicaLinha(ListaMarcavel* lista, int linha) {
  QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, lista->visualItemRect(lista->item(linha)).center());
}

// The assistant over the declaration tables, from step 1 to step 4, where
// `passo4` runs.
class Relatorio : public ::testing::Test {
 protected:
  Relatorio() { teste::PastaComDemonstracao(pasta_ / "dados", 3, 240); }

  void NoPasso4(std::function<void(TfmRelatorio01&)> passo4) {
    TdmVornex dm(pasta_ / "dados");
    for (int passo = 1; passo <= 3; ++passo)
      dialogos_.naTela([this, passo](QDialog& d) {
        auto& p = dynamic_cast<PassoAssistente&>(d);
        EXPECT_EQ(p.windowTitle(), passo == 1 ? kTituloRelatorio03 : kTituloRelatorio);
        EXPECT_EQ(p.btVoltar()->isEnabled(), passo != 1);
        Clica(p.btAvancar());
      });
    dialogos_.naTela([&](QDialog& d) {
      auto& p4 = dynamic_cast<TfmRelatorio01&>(d);
      ASSERT_EQ(p4.clbEmpresas()->count(), 3);
      passo4(p4);
    });
    AbreAssistenteRelatorio(dm, OrigemLista::Declaracao, nullptr);
  }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
};

TEST_F(Relatorio, ComandoRegistrado) { EXPECT_NE(AcaoDe(Comando::Relatorio), nullptr); }

TEST_F(Relatorio, SelecoesQueFaltamEParcialDeUmSo) {
  NoPasso4([&](TfmRelatorio01& p4) {
    Clica(p4.bbVisualizar());
    Clica(p4.rbParcial());  // nothing checked: no links to choose from
    EXPECT_EQ(p4.clbEmpregados()->count(), 0);
    ClicaLinha(p4.clbEmpresas(), 0);
    EXPECT_GT(p4.clbEmpregados()->count(), 0);
    Clica(p4.bbImprimir());  // no link checked
    // Checking another establishment unchecks the first.
    ClicaLinha(p4.clbEmpresas(), 2);
    EXPECT_FALSE(p4.clbEmpresas()->marcado(0));
    EXPECT_TRUE(p4.clbEmpresas()->marcado(2));
    Clica(p4.rbMarcarTodos());
    EXPECT_EQ(p4.clbEmpregados()->contaMarcados(), p4.clbEmpregados()->count());
    Clica(p4.rbLimpar());
    EXPECT_EQ(p4.clbEmpregados()->contaMarcados(), 0);
    // Total clears the links; two establishments then refuse Parcial.
    Clica(p4.rbTotal());
    EXPECT_EQ(p4.clbEmpregados()->count(), 0);
    ClicaLinha(p4.clbEmpresas(), 0);
    Clica(p4.rbParcial());
    EXPECT_TRUE(p4.rbTotal()->isChecked());
    Clica(p4.btCancelar());
  });
  EXPECT_EQ(dialogos_.textos(), (std::vector<std::string>{kMsgSemEmpresa, kMsgSemEmpregado,
                                                          kMsgParcialUmEstabelecimento}));
  EXPECT_EQ(dialogos_.impressoesPedidas(), 0);
}

// Page ranges print in the order typed; a malformed one prints nothing.
TEST_F(Relatorio, ImprimeFaixasNaOrdemDigitada) {
  const struct {
    const char* paginas;
    std::vector<int> impressas;
  } casos[] = {
      {"1;3;5-12;4", {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 4}},
      {"1-2-3", {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.paginas);
    const fs::path pdf = pasta_ / "faixas.pdf";
    fs::remove(pdf);
    dialogos_.limpa();
    NoPasso4([&](TfmRelatorio01& p4) {
      ClicaLinha(p4.clbEmpresas(), 0);
      dialogos_.naTela([&](QDialog& d) {
        auto& opcoes = dynamic_cast<TfmPrintOpc&>(d);
        QTest::keyClicks(opcoes.ui.edPaginas, c.paginas);
        Clica(opcoes.ui.BtOk);
        if (opcoes.isVisible()) Clica(opcoes.ui.BtCancelar);
      });
      dialogos_.respondeImpressao(pdf);
      Clica(p4.bbImprimir());
      Clica(p4.btCancelar());
    });
    EXPECT_EQ(teste::PaginasImpressas(QString::fromStdString(pdf.string())), c.impressas);
    EXPECT_EQ(dialogos_.textos(), c.impressas.empty() ? std::vector<std::string>{std::string(relatorio::kIntervaloInvalido)}
                                                      : std::vector<std::string>{});
  }
}

}  // namespace
