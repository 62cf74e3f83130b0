#pragma once
// One running copy of the program per user: a lock file named after the
// program's edition, held until the process ends. A lock left by a process
// that died is taken over.
#include <QLockFile>
#include <QString>
#include <memory>

namespace vornex::gui {

class InstanciaUnica {
 public:
  // $XDG_RUNTIME_DIR/Vornex2004.lock, or the same name in the temporary folder.
  static QString CaminhoPadrao();
  explicit InstanciaUnica(const QString& caminho = CaminhoPadrao());
  // False when another running copy holds the lock.
  bool obtida() const { return obtida_; }

 private:
  std::unique_ptr<QLockFile> trava_;
  bool obtida_ = false;
};

}  // namespace vornex::gui
