#include <QPushButton>
#include <QShowEvent>

#include "app/comandos.h"
#include "app/fm_vornex.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "toolkit/critica.h"
#include "ui_fm_ver_inco00.h"
#include "validation/fm_ver_inco.h"

namespace vornex::gui {

TfmVerInco00::TfmVerInco00(TdmVornex& dm, int anoBase, QWidget* pai)
    : PassoAssistente(fecha_, kTituloVerInco, pai),
      anoBase_(anoBase),
      ui_(std::make_unique<Ui::TfmVerInco00Form>()),
      passo2_(dm, fecha_, pai) {
  setObjectName("fmVerInco00");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->lblAno->setText("Declaração Ano-Base " + QString::number(anoBase_));
  btVoltar()->setEnabled(false);
  EnterComoTab(this);
}

TfmVerInco00::~TfmVerInco00() = default;

void TfmVerInco00::showEvent(QShowEvent* e) {
  PassoAssistente::showEvent(e);
  if (preenchida_) return;
  preenchida_ = true;
  if (passo2_.preenche(anoBase_) == 0) {
    MostraMensagem("1700"_msg);
    btAvancar()->setEnabled(false);
  }
}

void TfmVerInco00::avancar() { avancaPara(passo2_); }

namespace {
const RegistroAcao kVerInco{Comando::VerInco, [](Programa& programa, QWidget* janela) {
                              MostraTela<TfmVerInco00>(programa.dmVornex(), programa.fmVORNEX().AnoBaseDeclaracao,
                                                       janela);
                            }};
}  // namespace

}  // namespace vornex::gui
