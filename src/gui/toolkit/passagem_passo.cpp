#include "toolkit/passagem_passo.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QWidget>

#include "common/servico_dialogos.h"

namespace vornex::gui {

namespace {
// Often enough for a responsive window, seldom enough to cost nothing.
constexpr int kIntervaloEventosMs = 40;

bool TeclaDeBotao(const QEvent* e) {
  const int k = static_cast<const QKeyEvent*>(e)->key();
  return k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Select;
}
}  // namespace

PassagemNoPasso::PassagemNoPasso(QWidget& janela, Partes partes)
    : QObject(&janela), janela_(janela), partes_(std::move(partes)) {
  confirma_ = [] { return ConfirmaInterrupcao(Dialogo()); };
  if (partes_.barra != nullptr) partes_.barra->setRange(0, 100);
}

PassagemNoPasso::~PassagemNoPasso() = default;

void PassagemNoPasso::inicia() {
  pedido_ = false;
  rodando_ = true;
  desabilitados_.clear();
  for (QWidget* w : partes_.desabilita) {
    if (w != nullptr && w->isEnabled()) {
      desabilitados_.emplace_back(w);
      w->setEnabled(false);
    }
  }
  if (partes_.barra != nullptr) partes_.barra->setValue(0);
  if (partes_.etapa != nullptr) partes_.etapa->clear();
  if (partes_.painel != nullptr) partes_.painel->show();
  janela_.installEventFilter(this);
  if (partes_.cancelar != nullptr) partes_.cancelar->installEventFilter(this);
  relogio_.start();
  deixaEventos(true);
}

void PassagemNoPasso::termina() {
  rodando_ = false;
  pedido_ = false;
  janela_.removeEventFilter(this);
  if (partes_.cancelar != nullptr) partes_.cancelar->removeEventFilter(this);
  if (partes_.painel != nullptr) partes_.painel->hide();
  for (const auto& w : desabilitados_)
    if (w) w->setEnabled(true);
  desabilitados_.clear();
}

void PassagemNoPasso::pedeInterrupcao() {
  if (rodando_) pedido_ = true;
}

void PassagemNoPasso::deixaEventos(bool sempre) {
  if (!sempre && relogio_.isValid() && relogio_.elapsed() < kIntervaloEventosMs) return;
  relogio_.restart();
  QCoreApplication::processEvents();
}

void PassagemNoPasso::progresso(int percentual) {
  if (partes_.barra != nullptr) partes_.barra->setValue(percentual);
  deixaEventos(false);
}

void PassagemNoPasso::etapa(std::string_view texto) {
  if (partes_.etapa != nullptr)
    partes_.etapa->setText(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
  deixaEventos(true);
}

bool PassagemNoPasso::interrompe() {
  deixaEventos(false);
  if (!pedido_) return false;
  pedido_ = false;
  return confirma_();
}

bool PassagemNoPasso::eventFilter(QObject* o, QEvent* e) {
  if (!rodando_) return false;
  if (partes_.cancelar != nullptr && o == partes_.cancelar) {
    // The button's own action (close the step) must not run mid-pass: every
    // way of pressing it becomes the request instead.
    switch (e->type()) {
      case QEvent::MouseButtonRelease: {
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton && partes_.cancelar->rect().contains(m->position().toPoint()))
          pedeInterrupcao();
        return true;
      }
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        return true;
      case QEvent::KeyPress:
        return TeclaDeBotao(e);
      case QEvent::KeyRelease:
        if (!TeclaDeBotao(e)) return false;
        if (!static_cast<QKeyEvent*>(e)->isAutoRepeat()) pedeInterrupcao();
        return true;
      case QEvent::Shortcut:
        pedeInterrupcao();
        return true;
      default:
        return false;
    }
  }
  if (o == &janela_) {
    if (e->type() == QEvent::Close) {
      pedeInterrupcao();
      e->ignore();
      return true;
    }
    if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
      pedeInterrupcao();
      return true;
    }
  }
  return false;
}

}  // namespace vornex::gui
