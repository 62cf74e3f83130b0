#include <QCheckBox>
#include <QLineEdit>

#include "../apoio_gui.h"
#include "toolkit/mascara.h"
#include "toolkit/registro.h"
#include "data/tabelas.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

TEST(Mascara, ConvertidaParaQtEValorSemLiterais) {
  struct Caso {
    const char* mascara;
    const char* digitado;
    const char* qt;
    const char* exibido;
    const char* valor;
  };
  const Caso casos[] = {
      {"99.999.999/9999-99;0;_", "11222333000181", "00.000.000/0000-00;_", "11.222.333/0001-81", "11222333000181"},
      {"99\\.999\\.999\\/9999\\-99;0;_", "112223", "00.000.000/0000-00;_", "11.222.3__/____-__", "112223"},
      {"99/99/9999;0;_", "31122004", "00/00/0000;_", "31/12/2004", "31122004"},
      {"99/99/9999;1;_", "31122004", "00/00/0000;_", "31/12/2004", "31/12/2004"},
      {"a999-99;0;_", "X12345", "n000-00;_", "X123-45", "X12345"},
      {"99-99999;0;_", "", "00-00000;_", "__-_____", ""},
      {"000;0; ", "12", "999; ", "12 ", "12"},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.mascara);
    EXPECT_EQ(ConverteMascara(c.mascara).qt, QString(c.qt));
    QLineEdit caixa;
    AplicaMascara(&caixa, c.mascara);
    caixa.setFocus();
    QTest::keyClicks(&caixa, c.digitado);
    EXPECT_EQ(caixa.displayText(), QString(c.exibido));
    EXPECT_EQ(ValorCaixa(&caixa), QString(c.valor));
  }
}

TEST(CampoLigado, EdicaoGravaNoRegistroEAlteracaoAparecerNaCaixa) {
  RegistroEditado reg;
  QLineEdit caixa;
  LigaCampo(&caixa, reg, "CoCnae", "99.99-9;0;_");
  reg.edita(DefinicaoSistema("Bd8emp")->novaLinha());
  QTest::keyClicks(&caixa, "12345");
  EXPECT_EQ(reg.valor("CoCnae"), "12345");
  reg.define("CoCnae", "54321");
  EXPECT_EQ(caixa.displayText(), "54.32-1");
  reg.cancela();
  EXPECT_FALSE(reg.editando());
  EXPECT_THROW(reg.define("CoCnae", "1"), std::logic_error);
}

TEST(CampoLigado, MarcaDeCampoLogico) {
  RegistroEditado reg;
  QCheckBox marca;
  LigaCampo(&marca, reg, "InDicas");
  Linha resp = DefinicaoSistema("BD8Resp")->novaLinha();
  resp.defineLogico("InDicas", true);
  reg.edita(resp);
  EXPECT_TRUE(marca.isChecked());
  QTest::keyClick(&marca, Qt::Key_Space);
  EXPECT_EQ(reg.valor("InDicas"), "0");
  reg.define("InDicas", "1");
  EXPECT_TRUE(marca.isChecked());
}

}  // namespace
