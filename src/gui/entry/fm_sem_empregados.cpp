#include "entry/fm_sem_empregados.h"

#include "app/fm_vornex.h"
#include "casos/responsavel.h"
#include "common/servico_dialogos.h"
#include "ui_fm_sem_empregados.h"

namespace vornex::gui {

TfmSemEmpregados::TfmSemEmpregados(Conexao& c, QWidget* pai)
    : QDialog(pai), c_(c), ui_(std::make_unique<Ui::TfmSemEmpregados>()) {
  ui_->setupUi(this);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  const QString endereco = QString::fromUtf8(kEnderecoInternet).toHtmlEscaped();
  ui_->lbEndereco->setText(QString("<a href=\"%1\">%1</a>").arg(endereco));
  ui_->ckNaoMostrar->setChecked(DicaDispensada(c_, kDicaSemEmpregados));
  connect(ui_->btOk, &QPushButton::clicked, this, [this] {
    DispensaDica(c_, kDicaSemEmpregados, ui_->ckNaoMostrar->isChecked());
    accept();
  });
}

TfmSemEmpregados::~TfmSemEmpregados() = default;

void TfmSemEmpregados::MostraSeNaoDispensada(Conexao& c, QWidget* pai) {
  if (DicaDispensada(c, kDicaSemEmpregados)) return;
  TfmSemEmpregados nota(c, pai);
  Dialogo().executa(nota);
}

}  // namespace vornex::gui
