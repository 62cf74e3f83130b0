// Restores arbitrary bytes as a backup archive: through the component (with
// stored folders recreated when the last byte is odd) and through the whole
// declaration restore. A file left outside the target folders is a finding.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "backup/backup_file.h"
#include "backup/copia_seguranca.h"

namespace vornex::fuzz {

namespace fs = std::filesystem;

struct PastaTemporaria {
  PastaTemporaria() {
    std::string modelo = (fs::temp_directory_path() / "vornex-fuzz-backup-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) std::abort();
    caminho = modelo;
  }
  ~PastaTemporaria() {
    std::error_code ec;
    fs::remove_all(caminho, ec);
  }
  fs::path caminho;
};

inline const fs::path& PastaBase() {
  static const PastaTemporaria base;
  return base.caminho;
}

// Volumes of these archives are never there: stop instead of asking again.
struct SemVolumes : EventosBackup {
  void OnNeedDisk(TBackupFile&, int, bool& continua) override { continua = false; }
};

inline int RestauraArquivoQualquer(const std::uint8_t* dados, std::size_t tamanho) {
  const fs::path& base = PastaBase();
  const fs::path arquivo = base / "entrada.BKP";
  {
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
  }
  SemVolumes eventos;
  TBackupFile b;
  b.Eventos(&eventos);
  b.RestoreFullPath(tamanho > 0 && (dados[tamanho - 1] & 1));
  b.Restore(arquivo, base / "alvo");
  RestauraCopiaSeguranca(base / "dados", arquivo, &eventos);

  std::error_code ec;
  for (const auto& e : fs::directory_iterator(base)) {
    const auto nome = e.path().filename();
    if (nome != "entrada.BKP" && nome != "alvo" && nome != "dados") std::abort();
  }
  if (fs::exists(base / "dados" / "Work", ec)) std::abort();
  fs::remove_all(base / "alvo", ec);
  fs::remove_all(base / "dados", ec);
  return 0;
}

}  // namespace vornex::fuzz

#ifndef VORNEX_SEM_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  return vornex::fuzz::RestauraArquivoQualquer(dados, tamanho);
}
#endif
