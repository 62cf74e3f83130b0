#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "../apoio_gui.h"
#include "toolkit/assistente.h"
#include "toolkit/critica.h"
#include "toolkit/previa.h"
#include "toolkit/progresso.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

class Telas : public ::testing::Test {
 protected:
  Telas() {
    catalogo_.inclui({"0053", "ERR", "Campo inválido"});
    ServicoDialogos::DefineCatalogo(&catalogo_);
  }
  ~Telas() override { ServicoDialogos::DefineCatalogo(nullptr); }
  Catalogo catalogo_;
  DialogosRoteiro dialogos_;
};

// A screen with two pages: the first holds deA, deB and BtCancelar; the
// second deC. deA accepts only "1".
struct Tela {
  QWidget janela;
  QTabWidget* abas = new QTabWidget(&janela);
  QWidget* pagina1 = new QWidget;
  QWidget* pagina2 = new QWidget;
  QLineEdit* deA = new QLineEdit(pagina1);
  QLineEdit* deB = new QLineEdit(pagina1);
  QPushButton* btCancelar = new QPushButton("&Cancelar", pagina1);
  QLineEdit* deC = new QLineEdit(pagina2);
  int verificacoes = 0;

  Tela() {
    auto* l = new QVBoxLayout(pagina1);
    l->addWidget(deA);
    l->addWidget(deB);
    l->addWidget(btCancelar);
    new QVBoxLayout(pagina2);
    pagina2->layout()->addWidget(deC);
    abas->addTab(pagina1, "1");
    abas->addTab(pagina2, "2");
    (new QVBoxLayout(&janela))->addWidget(abas);
    EnterComoTab(&janela);
    AoSair(deA, [this] {
      if (!PodeValidar({btCancelar})) return;
      ++verificacoes;
      Critica(deA->text() == "1" ? kSemOcorrencia : "0053"_msg, deA);
    });
    janela.show();
    QApplication::setActiveWindow(&janela);
    deA->setFocus();
    teste::DeixaEventos();
  }
};

TEST_F(Telas, CriticaFalhaMostraAPaginaFocaOCampoEAbandona) {
  Tela t;
  t.abas->setCurrentIndex(0);
  bool seguiu = false;
  Protegido([&] {
    Critica("0053"_msg, t.deC);
    seguiu = true;
  });
  EXPECT_FALSE(seguiu);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"Campo inválido"});
  EXPECT_EQ(t.abas->currentWidget(), t.pagina2);
  EXPECT_EQ(QApplication::focusWidget(), t.deC);

  Protegido([&] {
    Critica(kSemOcorrencia, t.deC);
    seguiu = true;
  });
  EXPECT_TRUE(seguiu);
  EXPECT_EQ(dialogos_.textos().size(), 1u);
}

TEST_F(Telas, EnterComoTabESaidaDoCampoVerificadaSalvoParaOCancelar) {
  Tela t;
  ASSERT_EQ(QApplication::focusWidget(), t.deA);
  QTest::keyClicks(t.deA, "2");
  QTest::keyClick(t.deA, Qt::Key_Return);
  teste::DeixaEventos();
  EXPECT_EQ(t.verificacoes, 1);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"Campo inválido"});
  EXPECT_EQ(QApplication::focusWidget(), t.deA);

  // Leaving for the cancel button is not stopped.
  t.btCancelar->setFocus(Qt::TabFocusReason);
  teste::DeixaEventos();
  EXPECT_EQ(t.verificacoes, 1);
  EXPECT_EQ(QApplication::focusWidget(), t.btCancelar);

  t.deA->setFocus();
  t.deA->setText("1");
  QTest::keyClick(t.deA, Qt::Key_Enter, Qt::KeypadModifier);
  teste::DeixaEventos();
  EXPECT_EQ(QApplication::focusWidget(), t.deB);
  EXPECT_EQ(t.verificacoes, 2);
  EXPECT_EQ(dialogos_.textos().size(), 1u);
}

TEST_F(Telas, BotaoDeConsultaVerificaOCampoComoASaidaDele) {
  Tela t;
  auto* btConsulta = new QPushButton("...", t.pagina1);
  t.pagina1->layout()->addWidget(btConsulta);
  QString escolhido = "7";
  LigaConsulta(btConsulta, t.deA, [&] { t.deA->setText(escolhido); });
  QTest::mouseClick(btConsulta, Qt::LeftButton);
  teste::DeixaEventos();
  EXPECT_EQ(t.verificacoes, 1);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"Campo inválido"});
  EXPECT_EQ(QApplication::focusWidget(), t.deA);

  escolhido = "1";
  QTest::mouseClick(btConsulta, Qt::LeftButton);
  teste::DeixaEventos();
  EXPECT_EQ(t.verificacoes, 2);
  EXPECT_EQ(QApplication::focusWidget(), t.deB);
}

TEST_F(Telas, ProgressoRespondeECancelarViraPedidoDeInterrupcao) {
  TfmProgresso progresso("Passagem");
  dialogos_.responde(kResultadoNo);   // first press: go on
  dialogos_.responde(kResultadoYes);  // second press: stop
  auto pressiona = [&] { QTest::mouseClick(progresso.btCancelar(), Qt::LeftButton); };
  QTimer::singleShot(100, pressiona);
  QTimer::singleShot(400, pressiona);
  int registros = 0;
  const bool interrompida = progresso.executa([&](AcompanhamentoPassagem& a) {
    QElapsedTimer t;
    t.start();
    for (; t.elapsed() < 5000; ++registros) {
      QThread::msleep(2);
      a.progresso(static_cast<int>(t.elapsed() / 50));
      if (a.interrompe()) return true;
    }
    return false;
  });
  EXPECT_TRUE(interrompida);
  EXPECT_EQ(dialogos_.textos(), (std::vector<std::string>{"Deseja interromper?", "Deseja interromper?"}));
  EXPECT_FALSE(progresso.isVisible());
  EXPECT_GT(registros, 0);
}

class TresPaginas : public relatorio::Documento {
 public:
  bool falha = false;
  relatorio::Formato FormatoPagina() const override { return relatorio::Formato(); }
  void Gera(relatorio::Paginador& p) override {
    if (falha) throw std::runtime_error("páginas demais");
    for (int i = 0; i < 3; ++i) {
      relatorio::Banda b(relatorio::TipoBanda::Detalhe, 40);
      b.Texto(0, 0, 300, 20, "Linha " + std::to_string(i + 1));
      p.Coloca(std::move(b));
      p.QuebraPagina();
    }
  }
};

TEST_F(Telas, PreviaNavegaPelasPaginas) {
  TresPaginas doc;
  TfmPrevia previa(doc, "Relatório");
  previa.show();
  teste::DeixaEventos();
  ASSERT_EQ(previa.paginas(), 3);
  EXPECT_EQ(previa.laPagina()->text(), "Página 1 de 3");
  EXPECT_FALSE(previa.btAnterior()->isEnabled());
  QTest::mouseClick(previa.btUltima(), Qt::LeftButton);
  EXPECT_EQ(previa.laPagina()->text(), "Página 3 de 3");
  EXPECT_FALSE(previa.btProxima()->isEnabled());
  QTest::mouseClick(previa.btAnterior(), Qt::LeftButton);
  EXPECT_EQ(previa.paginaAtual(), 2);
}

TEST_F(Telas, PreviaQueFalhaAvisaEFecha) {
  TresPaginas doc;
  doc.falha = true;
  QWidget chamador;
  chamador.show();
  MostraPrevia(doc, "Relatório", &chamador);
  EXPECT_EQ(dialogos_.textos(),
            std::vector<std::string>{" Limite de páginas excedido para visualização. Utilize a função IMPRIMIR. "});
  EXPECT_TRUE(chamador.isVisible());
}

class Passo : public PassoAssistente {
 public:
  Passo(bool& fecha, Passo* proximo) : PassoAssistente(fecha, "Assistente"), proximo_(proximo) {}

 protected:
  void avancar() override {
    if (proximo_) avancaPara(*proximo_);
  }

 private:
  Passo* proximo_;
};

TEST_F(Telas, AssistenteFechaTodosOsPassosAoCancelar) {
  bool FechaAssistente = false;
  Passo p3(FechaAssistente, nullptr);
  Passo p2(FechaAssistente, &p3);
  Passo p1(FechaAssistente, &p2);
  bool p1Voltou = false;
  dialogos_.naTela([&](QDialog&) {
    QTest::mouseClick(p1.btAvancar(), Qt::LeftButton);  // to p2, which goes back
    p1Voltou = p1.isVisible() && !p2.isVisible();
    QTest::mouseClick(p1.btAvancar(), Qt::LeftButton);  // to p2, then p3, cancelled there
  });
  dialogos_.naTela([&](QDialog&) {
    EXPECT_FALSE(p1.isVisible());
    QTest::mouseClick(p2.btVoltar(), Qt::LeftButton);
  });
  dialogos_.naTela([&](QDialog&) { QTest::mouseClick(p2.btAvancar(), Qt::LeftButton); });
  dialogos_.naTela([&](QDialog&) {
    p3.tornaUltimo();
    EXPECT_EQ(p3.btCancelar()->text(), "&Fechar");
    QTest::mouseClick(p3.btCancelar(), Qt::LeftButton);
  });
  Dialogo().executa(p1);
  EXPECT_TRUE(p1Voltou);
  EXPECT_TRUE(FechaAssistente);
  EXPECT_FALSE(p1.isVisible() || p2.isVisible() || p3.isVisible());
  EXPECT_EQ(dialogos_.telas().size(), 4u);
}

}  // namespace
