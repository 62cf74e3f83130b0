#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "../apoio_gui.h"
#include "toolkit/critica.h"
#include "toolkit/lista_marcavel.h"
#include "toolkit/passagem_passo.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

struct Chave {
  int n = 0;
};

}  // namespace

Q_DECLARE_METATYPE(Chave)

namespace {

struct Lista {
  QWidget janela;
  ListaMarcavel* lista = new ListaMarcavel(&janela);
  QCheckBox* tudo = new QCheckBox("Seleciona / Desmarca todas as empresas.", &janela);
  Lista() {
    auto* l = new QVBoxLayout(&janela);
    l->addWidget(lista);
    l->addWidget(tudo);
    lista->ligaSelecionarTudo(tudo);
    std::vector<int> itens{10, 20, 30};
    lista->preenche(itens, [](int i) { return QString("item %1").arg(i); }, [](int i) { return Chave{i}; });
    janela.show();
    lista->setFocus();
    teste::DeixaEventos();
  }
  QPoint texto(int linha) { return lista->visualItemRect(lista->item(linha)).center() + QPoint(40, 0); }
  QPoint marca(int linha) {
    QRect r = lista->visualItemRect(lista->item(linha));
    return QPoint(r.left() + 8, r.center().y());
  }
};

TEST(ListaMarcavel, CliqueNoTextoOuNaMarcaInverteUmaVez) {
  Lista t;
  QTest::mouseClick(t.lista->viewport(), Qt::LeftButton, {}, t.texto(1));
  EXPECT_EQ(t.lista->marcas(), (std::vector<bool>{false, true, false}));
  QTest::mouseClick(t.lista->viewport(), Qt::LeftButton, {}, t.marca(1));
  EXPECT_EQ(t.lista->marcas(), (std::vector<bool>{false, false, false}));
  QTest::mouseClick(t.lista->viewport(), Qt::LeftButton, {}, t.marca(2));
  EXPECT_EQ(t.lista->marcas(), (std::vector<bool>{false, false, true}));
}

TEST(ListaMarcavel, SetasMovemSemMarcarEnterEEspacoMarcam) {
  Lista t;
  ASSERT_EQ(t.lista->currentRow(), 0);
  QTest::keyClick(t.lista, Qt::Key_Down);
  QTest::keyClick(t.lista, Qt::Key_Down);
  EXPECT_EQ(t.lista->currentRow(), 2);
  EXPECT_EQ(t.lista->contaMarcados(), 0);
  QTest::keyClick(t.lista, Qt::Key_Return);
  QTest::keyClick(t.lista, Qt::Key_Up);
  QTest::keyClick(t.lista, Qt::Key_Space);
  EXPECT_EQ(t.lista->marcas(), (std::vector<bool>{false, true, true}));
  // Enter stays in the list even on a screen where Enter moves on.
  EnterComoTab(&t.janela);
  QTest::keyClick(t.lista, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_FALSE(t.lista->marcado(1));
  EXPECT_EQ(QApplication::focusWidget(), t.lista);
}

TEST(ListaMarcavel, SelecionarTudoChavesEFiltro) {
  Lista t;
  QTest::mouseClick(t.tudo, Qt::LeftButton);
  EXPECT_EQ(t.lista->contaMarcados(), 3);
  QTest::mouseClick(t.tudo, Qt::LeftButton);
  EXPECT_EQ(t.lista->contaMarcados(), 0);

  t.lista->marca(0, true);
  t.lista->marca(2, true);
  std::vector<int> chaves;
  for (const Chave& c : t.lista->chavesMarcadas<Chave>()) chaves.push_back(c.n);
  EXPECT_EQ(chaves, (std::vector<int>{10, 30}));

  // A veto keeps the mark as it was.
  t.lista->antesDeMarcar([](int linha, bool) { return linha != 1; });
  QTest::mouseClick(t.lista->viewport(), Qt::LeftButton, {}, t.texto(1));
  EXPECT_FALSE(t.lista->marcado(1));

  t.lista->limpa();
  EXPECT_FALSE(t.tudo->isEnabled());
}

TEST(ListaMarcavel, LimiteDeLinhasAvisaDepoisDePreencher) {
  ListaMarcavel lista;
  int avisos = 0;
  int linhasNoAviso = -1;
  lista.defineLimite(3, [&] {
    ++avisos;
    linhasNoAviso = lista.count();
  });
  const struct {
    int itens, linhas, avisos;
  } casos[] = {{3, 3, 0}, {4, 4, 1}, {9, 4, 1}};
  for (const auto& caso : casos) {
    avisos = 0;
    std::vector<int> itens(static_cast<std::size_t>(caso.itens), 1);
    lista.preenche(itens, [](int) { return QString("x"); }, [](int i) { return i; });
    EXPECT_EQ(lista.count(), caso.linhas) << caso.itens;
    EXPECT_EQ(avisos, caso.avisos) << caso.itens;
    if (caso.avisos) {
      EXPECT_EQ(linhasNoAviso, caso.linhas);
    }
  }
}

// A step with its own buttons; Cancelar closes it when nothing runs.
struct Passo {
  QDialog janela;
  QProgressBar* barra = new QProgressBar(&janela);
  QPushButton* voltar = new QPushButton("< &Voltar", &janela);
  QPushButton* avancar = new QPushButton("&Avançar >", &janela);
  QPushButton* cancelar = new QPushButton("&Cancelar", &janela);
  PassagemNoPasso passagem{janela, {barra, barra, nullptr, cancelar, {voltar, avancar}}};
  int fechou = 0;
  Passo() {
    auto* l = new QVBoxLayout(&janela);
    for (QWidget* w : std::initializer_list<QWidget*>{barra, voltar, avancar, cancelar}) l->addWidget(w);
    voltar->setEnabled(false);
    barra->hide();
    QObject::connect(cancelar, &QPushButton::clicked, &janela, [this] {
      ++fechou;
      janela.reject();
    });
    janela.show();
    teste::DeixaEventos();
  }
  // A pass of `n` records that runs `durante` at record 2; the number of
  // records done (n when it was not interrupted).
  int roda(int n, const std::function<void()>& durante) {
    return passagem.executa([&](AcompanhamentoPassagem& a) {
      int i = 0;
      for (; i < n; ++i) {
        EXPECT_TRUE(barra->isVisible());
        EXPECT_FALSE(avancar->isEnabled());
        if (i == 2) durante();
        if (a.interrompe()) break;
        a.progresso(i * 100 / n);
      }
      return i;
    });
  }
};

TEST(PassagemNoPasso, CancelarViraPedidoDeInterrupcaoConfirmado) {
  const struct {
    int resposta;
    int feitos;
  } casos[] = {{kResultadoYes, 2}, {kResultadoNo, 5}};
  for (const auto& caso : casos) {
    DialogosRoteiro dialogos;
    Passo p;
    dialogos.responde(caso.resposta);
    const int feitos = p.roda(5, [&] { QTest::mouseClick(p.cancelar, Qt::LeftButton); });
    EXPECT_EQ(feitos, caso.feitos);
    EXPECT_EQ(dialogos.textos(), std::vector<std::string>{"Deseja interromper?"});
    // The button's own action did not run, and the step is as it was.
    EXPECT_EQ(p.fechou, 0);
    EXPECT_TRUE(p.janela.isVisible());
    EXPECT_FALSE(p.barra->isVisible());
    EXPECT_TRUE(p.avancar->isEnabled());
    EXPECT_FALSE(p.voltar->isEnabled());
    // Afterwards Cancelar does what it always did.
    QTest::mouseClick(p.cancelar, Qt::LeftButton);
    EXPECT_EQ(p.fechou, 1);
  }
}

TEST(PassagemNoPasso, CaixaDeFecharEscEAtalhoTambemPedem) {
  const std::vector<std::function<void(Passo&)>> pedidos = {
      [](Passo& p) { p.janela.close(); },
      [](Passo& p) { QTest::keyClick(&p.janela, Qt::Key_Escape); },
      [](Passo& p) { QTest::keyClick(p.cancelar, Qt::Key_Space); },
  };
  for (std::size_t i = 0; i < pedidos.size(); ++i) {
    DialogosRoteiro dialogos;
    Passo p;
    dialogos.responde(kResultadoYes);
    EXPECT_EQ(p.roda(5, [&] { pedidos[i](p); }), 2) << i;
    EXPECT_TRUE(p.janela.isVisible()) << i;
    EXPECT_EQ(p.fechou, 0) << i;
  }
}

TEST(PassagemNoPasso, ConfirmacaoPropriaEEstadoRestauradoQuandoAPassagemFalha) {
  DialogosRoteiro dialogos;
  Passo p;
  int perguntas = 0;
  p.passagem.defineConfirmacao([&] {
    ++perguntas;
    return true;
  });
  EXPECT_EQ(p.roda(5, [&] { p.passagem.pedeInterrupcao(); }), 2);
  EXPECT_EQ(perguntas, 1);
  EXPECT_TRUE(dialogos.mostradas().empty());
  EXPECT_THROW(p.passagem.executa([](AcompanhamentoPassagem&) -> int { throw std::runtime_error("x"); }),
               std::runtime_error);
  EXPECT_FALSE(p.passagem.rodando());
  EXPECT_TRUE(p.avancar->isEnabled());
}

TEST(ServicoDialogos, OkCancelarNaoPadraoEArquivos) {
  // The message boxes: Enter answers the default button.
  auto enter = [] {
    QTimer::singleShot(0, [] {
      QWidget* caixa = QApplication::activeModalWidget();
      ASSERT_NE(caixa, nullptr);
      QTest::keyClick(caixa, Qt::Key_Return);
    });
  };
  enter();
  EXPECT_FALSE(Dialogo().confirmaSim("Apaga?", true));
  enter();
  EXPECT_TRUE(Dialogo().confirmaSim("Apaga?"));
  QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
  EXPECT_FALSE(Dialogo().confirmaOk(TipoDialogo::Aviso, "Continua?"));

  DialogosRoteiro roteiro;
  EXPECT_FALSE(Dialogo().confirmaOk(TipoDialogo::Aviso, "Continua?"));  // unanswered: Cancel
  roteiro.responde(kResultadoOk);
  EXPECT_TRUE(Dialogo().confirmaOk(TipoDialogo::Aviso, "Continua?"));

  PedidoArquivo salvar;
  salvar.modo = PedidoArquivo::Modo::Salvar;
  salvar.extensaoPadrao = "BKP";
  EXPECT_EQ(Dialogo().escolheArquivo(salvar), std::nullopt);
  const struct {
    const char* extensao;
    const char* escolhido;
    const char* resultado;
  } casos[] = {{"BKP", "/tmp/copia", "/tmp/copia.BKP"},
               {"*.BKP", "/tmp/copia", "/tmp/copia.BKP"},
               {"BKP", "/tmp/copia.bkp", "/tmp/copia.bkp"},
               {"", "/tmp/copia", "/tmp/copia"}};
  for (const auto& caso : casos) {
    salvar.extensaoPadrao = caso.extensao;
    roteiro.respondeArquivo(std::filesystem::path(caso.escolhido));
    EXPECT_EQ(Dialogo().escolheArquivo(salvar), std::filesystem::path(caso.resultado));
  }
  EXPECT_EQ(roteiro.arquivosPedidos().size(), 5u);
  EXPECT_EQ(FiltroQt("Backup VORNEX (BKP)|*.BKP|Todos|*.a;*"),
            "Backup VORNEX (BKP) (*.BKP *.bkp);;Todos (*.a *.A *)");
}

}  // namespace
