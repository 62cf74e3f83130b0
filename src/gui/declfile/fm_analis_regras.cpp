#include <QPushButton>

#include "data/dm_vornex.h"
#include "declfile/fm_analis.h"
#include "declfile/fm_import.h"
#include "toolkit/critica.h"
#include "ui_fm_analis_regras.h"

namespace vornex::gui {

TfmAnalisRegras::TfmAnalisRegras(TdmVornex& dm, QWidget* pai)
    : QDialog(pai), dm_(dm), ui_(std::make_unique<Ui::TfmAnalisRegrasForm>()) {
  setObjectName("fmAnalisRegras");
  setWindowTitle(kTituloAnalisRegras);
  ui_->setupUi(this);
  connect(ui_->BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->BtConfirma, &QPushButton::clicked, this, [this] {
    AbreImportacaoDoAnalisador(dm_, this);
    accept();
  });
  EnterComoTab(this);
  resize(560, 360);
}

TfmAnalisRegras::~TfmAnalisRegras() = default;

QPushButton* TfmAnalisRegras::BtConfirma() const { return ui_->BtConfirma; }

}  // namespace vornex::gui
