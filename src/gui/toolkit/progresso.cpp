#include "toolkit/progresso.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/servico_dialogos.h"

namespace vornex::gui {

namespace {
// Often enough for a responsive window, seldom enough to cost nothing.
constexpr int kIntervaloEventosMs = 40;
}  // namespace

TfmProgresso::TfmProgresso(const QString& titulo, QWidget* pai) : QDialog(pai) {
  setWindowTitle(titulo);
  setWindowModality(Qt::ApplicationModal);
  auto* l = new QVBoxLayout(this);
  laEtapa_ = new QLabel(this);
  barra_ = new QProgressBar(this);
  barra_->setRange(0, 100);
  btCancelar_ = new QPushButton("&Cancelar", this);
  l->addWidget(laEtapa_);
  l->addWidget(barra_);
  auto* b = new QHBoxLayout;
  b->addStretch();
  b->addWidget(btCancelar_);
  l->addLayout(b);
  connect(btCancelar_, &QPushButton::clicked, this, [this] { pedido_ = true; });
}

void TfmProgresso::abre() {
  pedido_ = false;
  rodando_ = true;
  barra_->setValue(0);
  show();
  relogio_.start();
  deixaEventos(true);
}

void TfmProgresso::fecha() {
  rodando_ = false;
  hide();
}

void TfmProgresso::deixaEventos(bool sempre) {
  if (!sempre && relogio_.isValid() && relogio_.elapsed() < kIntervaloEventosMs) return;
  relogio_.restart();
  QCoreApplication::processEvents();
}

void TfmProgresso::progresso(int percentual) {
  barra_->setValue(percentual);
  deixaEventos(false);
}

void TfmProgresso::etapa(std::string_view texto) {
  laEtapa_->setText(QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size())));
  deixaEventos(true);
}

bool TfmProgresso::interrompe() {
  deixaEventos(false);
  if (!pedido_) return false;
  pedido_ = false;
  return ConfirmaInterrupcao(Dialogo());
}

void TfmProgresso::closeEvent(QCloseEvent* e) {
  if (rodando_) {
    pedido_ = true;
    e->ignore();
    return;
  }
  QDialog::closeEvent(e);
}

void TfmProgresso::reject() {
  if (rodando_)
    pedido_ = true;
  else
    QDialog::reject();
}

}  // namespace vornex::gui
