#include "entry/fm_tipo_inscricao.h"

#include <QShowEvent>

#include "common/servico_dialogos.h"
#include "ui_fm_tipo_inscricao.h"
#include "validation/inscricao_digitada.h"

namespace vornex::gui {

TfmTipoInscricao::TfmTipoInscricao(QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmTipoInscricao>()) {
  ui_->setupUi(this);
  const auto escolhe = [this](const char* tipo) { return [this, tipo] { TipoInscricaoEscolhido = tipo; }; };
  connect(ui_->rbCGC, &QRadioButton::clicked, this, escolhe("CNPJ"));
  connect(ui_->rbCNPJ, &QRadioButton::clicked, this, escolhe("CNPJ"));
  connect(ui_->rbCEI, &QRadioButton::clicked, this, escolhe("CEI"));
  connect(ui_->BtOk, &QPushButton::clicked, this, &TfmTipoInscricao::BtOkClick);
}

TfmTipoInscricao::~TfmTipoInscricao() = default;

void TfmTipoInscricao::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  // Nothing chosen when the dialog comes up: the user must say which.
  for (QRadioButton* b : {ui_->rbCGC, ui_->rbCEI, ui_->rbCNPJ}) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
  TipoInscricaoEscolhido.clear();
  ui_->rbCGC->setFocus(Qt::OtherFocusReason);
}

void TfmTipoInscricao::BtOkClick() {
  if (TipoInscricaoEscolhido != "CEI" && TipoInscricaoEscolhido != "CNPJ") TipoInscricaoEscolhido = "CNPJ";
  accept();
}

std::string PerguntaTipoInscricao(QWidget* pai) {
  TfmTipoInscricao tela(pai);
  Dialogo().executa(tela);
  return tela.TipoInscricaoEscolhido == "CEI" ? kTipoCei : kTipoCnpj;
}

}  // namespace vornex::gui
