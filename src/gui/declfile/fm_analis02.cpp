// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QPushButton>
#include "data/dm_vornex.h"
#include "data/tabelas_trabalho.h"
#include "declfile/fm_analis_comum.h"
#include "declfile/fm_analis.h"
#include "reports/rp_etiquetas.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "ui_fm_analis02.h"

namespace vornex::gui {

TfmAnalis02::TfmAnalis02(TdmVornex& dm, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloAnalis02, pai), dm_(dm), ui_(std::make_unique<Ui::TfmAnalis02Form>()) {
  setObjectName("fmAnalis02");
  MontaPassoGravado(*this, *ui_, dm);
  resize(620, 420);
}

TfmAnalis02::~TfmAnalis02() {
  ExcluiTabelasTrabalho(dm_.conexao(), {kTabelaProtocoloId, kTabelaProtocoloEs});
}

QPushButton* TfmAnalis02::BtEtiqueta() const { return ui_->BtEtiqueta; }

}  // namespace vornex::gui
