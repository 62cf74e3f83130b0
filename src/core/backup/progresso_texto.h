#pragma once
// Backup events for text front ends: progress as one line that is rewritten
// in place ("label: 42%"), ended with a line break.
#include <ostream>
#include <string>
#include <string_view>

#include "backup/backup_file.h"

namespace vornex {

class ProgressoTexto : public EventosBackup {
 public:
  ProgressoTexto(std::ostream& saida, std::string_view rotulo) : saida_(saida), rotulo_(rotulo) {}

  void OnProgress(TBackupFile&, const std::string&, int percentual, bool&) override {
    if (percentual == ultimo_) return;
    ultimo_ = percentual;
    saida_ << "\r" << rotulo_ << ": " << percentual << "%" << std::flush;
    aberta_ = true;
  }

  // Ends the progress line before anything else is written.
  void termina() {
    if (aberta_) saida_ << "\n";
    aberta_ = false;
  }

 protected:
  std::ostream& saida_;

 private:
  std::string rotulo_;
  int ultimo_ = -1;
  bool aberta_ = false;
};

}  // namespace vornex
