#include "casos/copia_volumes.h"

#include <system_error>

namespace vornex {

namespace fs = std::filesystem;

namespace {

// The size of the next volume from the free space, asking while it is too small.
std::optional<std::int64_t> TamanhoLivre(const fs::path& arquivo, InterfaceCopiaVolumes& ui) {
  for (;;) {
    if (auto t = TamanhoVolumeLivre(EspacoLivre(arquivo.parent_path()).value_or(0))) return t;
    if (!ui.semEspaco()) return std::nullopt;
  }
}

class Eventos : public EventosBackup {
 public:
  Eventos(const PedidoCopiaVolumes& pedido, InterfaceCopiaVolumes& ui, ResultadoCopiaVolumes& r, bool restauracao)
      : pedido_(pedido), ui_(ui), r_(r), restauracao_(restauracao) {}

  void OnNeedDisk(TBackupFile& b, int disco, bool& continua) override {
    const fs::path volume = NomeVolume(pedido_.arquivo, disco);
    if (restauracao_) {
      std::error_code ec;
      while (!fs::exists(volume, ec)) {
        if (!ui_.volumeAusente(disco, volume)) {
          r_.volumeAusente = volume;
          continua = false;
          return;
        }
      }
    } else if (!pedido_.tamanhoVolume) {
      const auto tamanho = TamanhoLivre(pedido_.arquivo, ui_);
      if (!tamanho) {
        r_.semEspaco = true;
        continua = false;
        return;
      }
      b.MaxSize(*tamanho);
    }
    continua = ui_.pedeVolume(disco, volume);
  }

  void OnProgress(TBackupFile&, const std::string&, int percentual, bool&) override { ui_.progresso(percentual); }

 private:
  const PedidoCopiaVolumes& pedido_;
  InterfaceCopiaVolumes& ui_;
  ResultadoCopiaVolumes& r_;
  bool restauracao_;
};

}  // namespace

ResultadoCopiaVolumes GravaCopiaEmVolumes(const PedidoCopiaVolumes& pedido, InterfaceCopiaVolumes& ui) {
  ResultadoCopiaVolumes r;
  std::int64_t tamanho = pedido.tamanhoVolume.value_or(0);
  if (!pedido.tamanhoVolume) {
    const auto t = TamanhoLivre(pedido.arquivo, ui);
    if (!t) {
      r.semEspaco = true;
      return r;
    }
    tamanho = *t;
  }
  Eventos eventos(pedido, ui, r, false);
  r.copia = GravaCopiaSeguranca(pedido.pastaDados, pedido.arquivo, tamanho, &eventos);
  return r;
}

ResultadoCopiaVolumes RestauraCopiaDeVolumes(const PedidoCopiaVolumes& pedido, InterfaceCopiaVolumes& ui) {
  ResultadoCopiaVolumes r;
  Eventos eventos(pedido, ui, r, true);
  r.copia = RestauraCopiaSeguranca(pedido.pastaDados, pedido.arquivo, &eventos);
  return r;
}

}  // namespace vornex
