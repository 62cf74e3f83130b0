#include "backup/fm_copia_comum.h"

#include <QPushButton>

#include "backup/copia_seguranca.h"
#include "common/servico_dialogos.h"
#include "toolkit/passagem_passo.h"

namespace vornex::gui {

void PreparaJanelaCopia(QDialog& janela, QPushButton* cancelar) {
  janela.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  QObject::connect(cancelar, &QPushButton::clicked, &janela, &QDialog::reject);
}

EventosCopiaGui::EventosCopiaGui(PassagemNoPasso& passagem, std::filesystem::path pasta,
                                 std::function<bool(TBackupFile&)> antesDoVolume)
    : passagem_(passagem), pasta_(std::move(pasta)), antesDoVolume_(std::move(antesDoVolume)) {}

void EventosCopiaGui::OnProgress(TBackupFile&, const std::string&, int percentual, bool& continua) {
  passagem_.progresso(percentual);
  if (passagem_.interrompe()) continua = false;
}

void EventosCopiaGui::OnNeedDisk(TBackupFile& b, int disco, bool& continua) {
  if (!Dialogo().confirmaOk(TipoDialogo::Informacao, std::string(kMsgInsiraVolume) + std::to_string(disco))) {
    continua = false;
    return;
  }
  while (!EspacoLivre(pasta_)) {
    if (!Dialogo().confirmaOk(TipoDialogo::Aviso, std::string(kMsgUnidadeNaoPreparada))) {
      continua = false;
      return;
    }
  }
  if (antesDoVolume_ && !antesDoVolume_(b)) continua = false;
}

}  // namespace vornex::gui
