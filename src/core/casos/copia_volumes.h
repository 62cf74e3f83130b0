#pragma once
// Backup and restore as the windows and the commands run them: the volumes
// of the archive sized by the free space of the drive before each one (or a
// fixed size), the front end asked for each volume, the progress told.
#include <cstdint>
#include <filesystem>
#include <optional>

#include "backup/copia_seguranca.h"

namespace vornex {

// What the front end implements.
class InterfaceCopiaVolumes {
 public:
  virtual ~InterfaceCopiaVolumes() = default;
  // Before volume `disco` (the file `volume`) is created or read: false stops.
  virtual bool pedeVolume(int disco, const std::filesystem::path& volume) = 0;
  // The drive offers less than the minimum (or its free space cannot be
  // read): true looks again, false stops.
  virtual bool semEspaco() = 0;
  // A restore's volume is not there: true looks again, false stops.
  virtual bool volumeAusente(int /*disco*/, const std::filesystem::path& /*volume*/) { return false; }
  virtual void progresso(int /*percentual*/) {}
};

struct PedidoCopiaVolumes {
  std::filesystem::path pastaDados;
  std::filesystem::path arquivo;
  // Bytes of each volume (0: one volume); nullopt: the free space of the
  // drive, less kReservaVolumeCopia, measured before each volume.
  std::optional<std::int64_t> tamanhoVolume;
};

struct ResultadoCopiaVolumes {
  ResultadoCopia copia;
  bool semEspaco = false;  // stopped because the drive offered too little space
  std::filesystem::path volumeAusente;  // restore: stopped on this missing volume
};

ResultadoCopiaVolumes GravaCopiaEmVolumes(const PedidoCopiaVolumes& pedido, InterfaceCopiaVolumes& ui);
// `tamanhoVolume` does not apply.
ResultadoCopiaVolumes RestauraCopiaDeVolumes(const PedidoCopiaVolumes& pedido, InterfaceCopiaVolumes& ui);

}  // namespace vornex
