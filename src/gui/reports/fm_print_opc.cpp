#include "reports/fm_print_opc.h"

#include <QPrinter>
#include <algorithm>

#include "common/servico_dialogos.h"
#include "render/render.h"

namespace vornex::gui {

namespace {
constexpr int kCopiasMaximas = 9999;
}

TfmPrintOpc::TfmPrintOpc(QWidget* pai) : QDialog(pai) {
  ui.setupUi(this);
  // No close box: the window ends by OK or Cancelar.
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
  connect(ui.edPaginas, &QLineEdit::textChanged, this, [this](const QString& t) {
    (t.trimmed().isEmpty() ? ui.rbTodos : ui.rbPaginas)->setChecked(true);
  });
  connect(ui.btAcima, &QToolButton::clicked, this, [this] { passo(+1); });
  connect(ui.btAbaixo, &QToolButton::clicked, this, [this] { passo(-1); });
  connect(ui.BtOk, &QPushButton::clicked, this, &TfmPrintOpc::confirma);
  connect(ui.BtCancelar, &QPushButton::clicked, this, [this] {
    cancelado_ = true;
    reject();
  });
}

void TfmPrintOpc::showEvent(QShowEvent* e) {
  cancelado_ = false;
  QDialog::showEvent(e);
}

void TfmPrintOpc::passo(int delta) {
  const int atual = relatorio::ValidaCopias(ui.edCopias->text().toStdString()).value_or(1);
  ui.edCopias->setText(QString::number(std::clamp(atual + delta, 1, kCopiasMaximas)));
}

void TfmPrintOpc::confirma() {
  auto& dialogos = ServicoDialogos::Atual();
  const auto copias = relatorio::ValidaCopias(ui.edCopias->text().toStdString());
  if (!copias) {
    dialogos.mostra(TipoDialogo::Aviso, Botoes::Ok, std::string(relatorio::kCopiasInvalidas));
    ui.edCopias->setFocus();
    return;
  }
  if (ui.rbPaginas->isChecked()) {
    const auto intervalos = relatorio::ValidaIntervalos(ui.edPaginas->text().toStdString());
    if (!intervalos) {
      dialogos.mostra(TipoDialogo::Aviso, Botoes::Ok, std::string(relatorio::kIntervaloInvalido));
      ui.edPaginas->setFocus();
      return;
    }
    intervalos_ = *intervalos;
  } else {
    intervalos_ = {{0, 0}};
  }
  copias_ = *copias;
  accept();
}

int ImprimeComOpcoes(relatorio::Documento& doc, QWidget* pai) {
  auto& dialogos = ServicoDialogos::Atual();
  TfmPrintOpc opcoes(pai);
  if (dialogos.executa(opcoes) != QDialog::Accepted || opcoes.cancelado()) return 0;
  QPrinter impressora(QPrinter::HighResolution);
  if (!dialogos.configuraImpressora(impressora, 0)) return 0;
  return render::ImprimeIntervalos(doc, impressora, opcoes.intervalos(), opcoes.copias(), [&](std::string_view m) {
    dialogos.mostra(TipoDialogo::Aviso, Botoes::Ok, std::string(m));
  });
}

}  // namespace vornex::gui
