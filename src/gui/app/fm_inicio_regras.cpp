#include "app/fm_inicio_regras.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "casos/responsavel.h"
#include "data/dm_vornex.h"

namespace vornex::gui {

namespace {
constexpr const char* kDicas =
    "1. Não são aceitos caracteres acentuados ou especiais nos campos alfabéticos (nome, endereço, ...). "
    "Consulte a ajuda sobre caracteres alfanuméricos.\n\n"
    "2. A tecla F1 mostra a ajuda sobre o campo ou a etapa em que o cursor estiver.\n\n"
    "3. Após a entrega, uma cópia da declaração deve ser mantida pela empresa ou por seu representante legal, "
    "à disposição da fiscalização.\n\n"
    "4. Ao gravar o disquete, confirme o responsável pelo arquivo e identifique o endereço para "
    "correspondência.\n\n"
    "5. O disquete deve ser identificado com as informações do modelo de etiqueta do manual da declaração ou "
    "com a etiqueta impressa pelo sistema.";
}  // namespace

TfmInicioRegras::TfmInicioRegras(TdmVornex& dm, QWidget* pai) : QDialog(pai), dm_(dm) {
  setWindowTitle("Vornex - Informações úteis");
  auto* l = new QVBoxLayout(this);
  auto* nota = new QPlainTextEdit(QString::fromUtf8(kDicas), this);
  nota->setReadOnly(true);
  nota->setMinimumSize(480, 260);
  l->addWidget(nota);
  ckNaoMostrar_ = new QCheckBox("Não mostrar este quadro novamente", this);
  l->addWidget(ckNaoMostrar_);
  btOk_ = new QPushButton("&Ok", this);
  l->addWidget(btOk_, 0, Qt::AlignRight);
  connect(btOk_, &QPushButton::clicked, this, [this] { BtOkClick(); });
}

void TfmInicioRegras::abre() {
  inDicas_ = DicaDispensada(dm_.conexao(), kDicaInicio);
  ckNaoMostrar_->setChecked(inDicas_);
}

bool TfmInicioRegras::DeveMostrar() const { return !inDicas_; }

void TfmInicioRegras::BtOkClick() {
  DispensaDica(dm_.conexao(), kDicaInicio, ckNaoMostrar_->isChecked());
  inDicas_ = ckNaoMostrar_->isChecked();
  accept();
}

}  // namespace vornex::gui
