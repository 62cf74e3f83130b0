#pragma once
// What the backup and restore windows share: the window shape, the archive
// events shown in the window and the volume prompts.
#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>

#include "backup/backup_file.h"

class QPushButton;

namespace vornex::gui {

class PassagemNoPasso;

// No window buttons; "&Cancelar" closes the window while nothing runs.
void PreparaJanelaCopia(QDialog& janela, QPushButton* cancelar);

// Progress and stop through the in-window runner; the next volume asked
// with "Insira o volume n° " and waited for until its drive can be read.
class EventosCopiaGui : public EventosBackup {
 public:
  // `antesDoVolume` runs once the drive is ready (the backup's space check);
  // false stops the operation.
  EventosCopiaGui(PassagemNoPasso& passagem, std::filesystem::path pasta,
                  std::function<bool(TBackupFile&)> antesDoVolume = {});
  void OnProgress(TBackupFile& b, const std::string& arquivo, int percentual, bool& continua) override;
  void OnNeedDisk(TBackupFile& b, int disco, bool& continua) override;

 private:
  PassagemNoPasso& passagem_;
  std::filesystem::path pasta_;
  std::function<bool(TBackupFile&)> antesDoVolume_;
};

}  // namespace vornex::gui
