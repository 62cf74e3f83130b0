#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <filesystem>

#include "../apoio_gui.h"
#include "ajuda/fm_ajuda.h"
#include "common/ajuda.h"
#include "common/catalogo.h"
#include "data/pasta_dados.h"
#include "reports/fm_print_opc.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

Catalogo CatalogoInstalado() { return Catalogo::LeCsv((PastaDadosInstalados() / "catalogo.csv").string()); }

TEST(AjudaTela, F1AbreOTopicoDaTelaEmQueEstaOCursor) {
  const Catalogo cat = CatalogoInstalado();
  InstalaAjudaF1(cat);
  TfmPrintOpc tela;
  tela.show();
  tela.ui.edPaginas->setFocus();
  QTest::keyClick(tela.ui.edPaginas, Qt::Key_F1);
  auto* ajuda = tela.findChild<TfmAjuda*>();
  ASSERT_NE(ajuda, nullptr);
  EXPECT_EQ(ajuda->windowTitle(), kTituloAjuda);
  EXPECT_TRUE(ajuda->isVisible());
  EXPECT_EQ(ajuda->topico()->source().fileName(), "TfmPrintOpc.html");
  EXPECT_TRUE(ajuda->topico()->toPlainText().contains("1;3;5-12;4"));

  // F1 inside the help itself does not stack another window.
  QTest::keyClick(ajuda->topico(), Qt::Key_F1);
  EXPECT_EQ(tela.findChildren<TfmAjuda*>().size(), 1);

  // "&Conteúdo", a link, then "< &Voltar".
  auto* conteudo = ajuda->findChild<QPushButton*>("btConteudo");
  QTest::mouseClick(conteudo, Qt::LeftButton);
  EXPECT_EQ(ajuda->topico()->source().fileName(), kPaginaConteudo);
  ajuda->topico()->setSource(QUrl(kPaginaAvisos));
  QTest::mouseClick(ajuda->findChild<QPushButton*>("btVoltar"), Qt::LeftButton);
  EXPECT_EQ(ajuda->topico()->source().fileName(), kPaginaConteudo);
  ajuda->close();
}

TEST(AjudaTela, PassoDeAssistenteAbreASuaSecaoEAvisosVemDoCatalogo) {
  const Catalogo cat = CatalogoInstalado();
  QWidget passo;
  passo.setObjectName("TfmVerInco02Form");
  auto* campo = new QLineEdit(&passo);
  EXPECT_EQ(TopicoDoWidget(campo).pagina, "TfmVerInco.html");
  EXPECT_EQ(TopicoDoWidget(campo).ancora, "TfmVerInco02");
  QWidget solto;
  EXPECT_EQ(TopicoDoWidget(&solto).pagina, kPaginaConteudo);

  TfmAjuda ajuda(cat);
  ajuda.mostra({kPaginaAvisos, {}});
  const Mensagem* aviso = cat.busca("0230");
  ASSERT_NE(aviso, nullptr);
  ASSERT_EQ(aviso->tipo, "WAR");
  EXPECT_TRUE(ajuda.topico()->toPlainText().contains(QString::fromStdString(aviso->texto)));
}

}  // namespace
