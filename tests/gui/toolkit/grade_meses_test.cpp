#include "../apoio_gui.h"
#include "casos/vinculo.h"
#include "common/texto.h"
#include "data/tabelas.h"
#include "toolkit/grade_meses.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

TEST(CaixaValor, ExibidoDigitadoECentavos) {
  struct Caso {
    const char* digitado;
    const char* centavos;  // empty: refused
    const char* exibido;   // after leaving the box
  };
  const Caso casos[] = {
      {"1234,56", "000123456", "1.234,56"}, {"1.234,5", "000123450", "1.234,50"}, {"", "000000000", "0,00"},
      {"0", "000000000", "0,00"},           {"1.5", "", "1.5"},                   {"12345678,90", "", "12345678,90"},
  };
  QWidget tela;
  auto* caixa = new CaixaValor(&tela);
  auto* outra = new QLineEdit(&tela);
  tela.show();
  QApplication::setActiveWindow(&tela);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.digitado);
    caixa->setFocus();
    teste::DeixaEventos();
    caixa->clear();
    QTest::keyClicks(caixa, c.digitado);
    EXPECT_EQ(caixa->centavos(), c.centavos);
    outra->setFocus();
    teste::DeixaEventos();
    EXPECT_EQ(caixa->text().toStdString(), c.exibido);
  }
  // Entering drops the thousands points and selects the amount, so that
  // typing replaces it.
  caixa->defineCentavos("123456789");
  EXPECT_EQ(caixa->text(), "1.234.567,89");
  caixa->setFocus();
  teste::DeixaEventos();
  EXPECT_EQ(caixa->text(), "1234567,89");
  EXPECT_EQ(caixa->selectedText(), caixa->text());
  caixa->defineCentavos("");
  EXPECT_EQ(caixa->text(), "0,00");
}

TEST(GradeMeses, MostraLinhaESomenteLeitura) {
  Linha v = DefinicaoSistema("Bd8vinc")->novaLinha();
  for (int i = 0; i < 12; ++i) v[kColunasMeses[i]] = ZerosEsquerda(std::to_string((i + 1) * 10000), 9);
  v["Me13AdiantamentoEmpregado"] = "11";
  v["Va13AdiantamentoEmpregado"] = "000050000";
  v["Me13ParcelaFinalEmpregado"] = "00";
  v["Va13ParcelaFinalEmpregado"] = "";
  GradeMeses g;
  g.mostra(v);
  EXPECT_EQ(g.mes(0)->objectName(), "edJaneiro");
  EXPECT_EQ(g.mes(0)->text(), "100,00");
  EXPECT_EQ(g.mes(11)->objectName(), "edDezembro");
  EXPECT_EQ(g.mes(11)->text(), "1.200,00");
  EXPECT_EQ(g.mesAdiantamento()->text(), "Novembro");
  EXPECT_EQ(g.adiantamento()->text(), "500,00");
  EXPECT_EQ(g.mesParcelaFinal()->text(), "");
  EXPECT_EQ(g.parcelaFinal()->text(), "0,00");
  EXPECT_EQ(TextoMes13("99"), "Totalização");

  g.defineSomenteLeitura(true);
  g.show();
  for (QLineEdit* e : g.findChildren<QLineEdit*>()) EXPECT_TRUE(e->isReadOnly()) << e->objectName().toStdString();
  EXPECT_FALSE(g.consultaAdiantamento()->isVisible());
  // Read-only boxes keep their points when entered.
  QApplication::setActiveWindow(&g);
  g.mes(11)->setFocus();
  teste::DeixaEventos();
  EXPECT_EQ(g.mes(11)->text(), "1.200,00");
}

}  // namespace
