#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "../apoio_gui.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

// Answers the next message box of the program: the button with `texto`, or
// its close box when empty.
void AoAbrirCaixa(const QString& texto) {
  QTimer::singleShot(0, [texto] {
    auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(caixa, nullptr);
    if (texto.isEmpty()) {
      caixa->close();
      return;
    }
    for (QAbstractButton* b : caixa->buttons())
      if (b->text() == texto) return b->click();
    ADD_FAILURE() << "sem botão " << texto.toStdString();
  });
}

Catalogo CatalogoDeTeste() {
  Catalogo c;
  c.inclui({"1001", "CNF", "Confirma?"});
  c.inclui({"1002", "WAR", "Atenção"});
  c.inclui({"1003", "XYZ", "Nunca mostrada"});
  return c;
}

TEST(ServicoDialogos, CaixasDeMensagemRespondemONomeDoBotao) {
  const Catalogo catalogo = CatalogoDeTeste();
  ServicoDialogos::DefineCatalogo(&catalogo);
  struct Caso {
    const char* numero;
    QString botao;
    std::string resultado;
  };
  for (const Caso& c : {Caso{"1001", "&Não", "mrNo"}, Caso{"1001", "&Sim", "mrYes"}, Caso{"1001", "", "mrCancel"},
                        Caso{"1002", "OK", "mrOk"}}) {
    SCOPED_TRACE(c.resultado);
    AoAbrirCaixa(c.botao);
    EXPECT_EQ(MostraMensagem(NuMensagem::De(c.numero)), c.resultado);
  }
  // An unknown type shows nothing.
  EXPECT_EQ(MostraMensagem("1003"_msg), "");
  ServicoDialogos::DefineCatalogo(nullptr);
}

TEST(ServicoDialogos, RoteiroRespondeDaFilaEGravaAsMensagens) {
  const Catalogo catalogo = CatalogoDeTeste();
  ServicoDialogos::DefineCatalogo(&catalogo);
  ServicoDialogos* antes = &ServicoDialogos::Atual();
  {
    DialogosRoteiro roteiro;
    EXPECT_EQ(&ServicoDialogos::Atual(), &roteiro);
    roteiro.responde(kResultadoYes);
    EXPECT_EQ(MostraMensagem("1001"_msg), "mrYes");
    EXPECT_EQ(MostraMensagem("1001"_msg), "mrNo");  // nothing queued
    EXPECT_FALSE(ConfirmaInterrupcao(Dialogo()));
    EXPECT_EQ(roteiro.textos(), (std::vector<std::string>{"Confirma?", "Confirma?", "Deseja interromper?"}));
    EXPECT_EQ(roteiro.mostradas()[0].tipo, TipoDialogo::Confirmacao);
  }
  EXPECT_EQ(&ServicoDialogos::Atual(), antes);
  ServicoDialogos::DefineCatalogo(nullptr);
}

}  // namespace
