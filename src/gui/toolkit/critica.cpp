#include "toolkit/critica.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>

#include "common/servico_dialogos.h"

namespace vornex::gui {

namespace {

constexpr const char* kPropriedadeEnter = "vornexMantemEnter";

class FiltroSaida : public QObject {
 public:
  FiltroSaida(QWidget* campo, std::function<void()> verifica) : QObject(campo), verifica_(std::move(verifica)) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::FocusOut) {
      const auto motivo = static_cast<QFocusEvent*>(e)->reason();
      if (motivo != Qt::PopupFocusReason && motivo != Qt::ActiveWindowFocusReason) {
        QPointer<QObject> guarda(o);
        QTimer::singleShot(0, this, [this, guarda] {
          if (guarda) Protegido(verifica_);
        });
      }
    }
    return false;
  }

 private:
  std::function<void()> verifica_;
};

class FiltroEnter : public QObject {
 public:
  explicit FiltroEnter(QWidget* tela) : QObject(tela), tela_(tela) {}
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress || !o->isWidgetType()) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
    if ((k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
    auto* w = static_cast<QWidget*>(o);
    if (w != tela_ && !tela_->isAncestorOf(w)) return false;
    for (QWidget* a = w; a != nullptr && a != tela_->parentWidget(); a = a->parentWidget())
      if (a->property(kPropriedadeEnter).toBool()) return false;
    if (qobject_cast<QTextEdit*>(w) || qobject_cast<QPlainTextEdit*>(w)) return false;
    AvancaFoco(w);
    return true;
  }

 private:
  QWidget* tela_;
};

}  // namespace

void MostraPaginaDe(QWidget* w) {
  for (QWidget* filho = w; filho != nullptr; filho = filho->parentWidget()) {
    auto* pilha = qobject_cast<QStackedWidget*>(filho->parentWidget());
    if (pilha == nullptr) continue;
    if (auto* abas = qobject_cast<QTabWidget*>(pilha->parentWidget()))
      abas->setCurrentWidget(filho);
    else
      pilha->setCurrentWidget(filho);
  }
}

void FalhaCritica(NuMensagem resultado, QWidget* campo) {
  MostraMensagem(resultado);
  if (campo != nullptr) {
    MostraPaginaDe(campo);
    campo->setFocus(Qt::OtherFocusReason);
  }
  throw Abortado{};
}

void Critica(NuMensagem resultado, QWidget* campo) {
  if (!resultado.ok()) FalhaCritica(resultado, campo);
}

bool PodeValidar(std::initializer_list<const QWidget*> isentos) {
  return PodeValidar(std::vector<const QWidget*>(isentos));
}

bool PodeValidar(const std::vector<const QWidget*>& isentos) {
  QCoreApplication::processEvents();
  const QWidget* foco = QApplication::focusWidget();
  if (foco == nullptr) return true;
  for (const QWidget* i : isentos)
    if (i != nullptr && (foco == i || i->isAncestorOf(foco))) return false;
  return true;
}

void AoSair(QWidget* campo, std::function<void()> verifica) {
  campo->installEventFilter(new FiltroSaida(campo, std::move(verifica)));
}

void AvancaFoco(QWidget* w) {
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
  QCoreApplication::sendEvent(w, &tab);
}

void LigaConsulta(QAbstractButton* botao, QWidget* campo, std::function<void()> abre) {
  // Like a toolbar button it never takes the focus: leaving the field for it
  // would run the field's check before the code is chosen.
  botao->setFocusPolicy(Qt::NoFocus);
  QObject::connect(botao, &QAbstractButton::clicked, campo, [campo, abre = std::move(abre)] {
    Protegido(abre);
    campo->setFocus(Qt::OtherFocusReason);
    AvancaFoco(campo);
  });
}

void EnterComoTab(QWidget* tela) { qApp->installEventFilter(new FiltroEnter(tela)); }

void MantemEnter(QWidget* w) { w->setProperty(kPropriedadeEnter, true); }

}  // namespace vornex::gui
