#pragma once
// The volumes of a backup or restore on the command line: each one named on
// stderr, the progress on one line; nobody can insert another disk or free
// space, so the first refusal stops.
#include <filesystem>
#include <ostream>
#include <string_view>

#include "casos/copia_volumes.h"
#include "passagem_cli.h"

namespace vornex::cli {

class VolumesCli : public InterfaceCopiaVolumes {
 public:
  VolumesCli(std::ostream& err, std::string_view rotulo) : err_(err), linha_(err, rotulo) {}
  bool pedeVolume(int disco, const std::filesystem::path& volume) override {
    linha_.termina();
    err_ << "Volume " << disco << ": " << volume.string() << "\n";
    return true;
  }
  bool semEspaco() override { return false; }
  void progresso(int percentual) override { linha_.mostra(percentual); }
  void termina() { linha_.termina(); }

 private:
  std::ostream& err_;
  LinhaProgresso linha_;
};

}  // namespace vornex::cli
