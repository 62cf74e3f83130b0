#include "app/instancia_unica.h"

#include <QDir>

namespace vornex::gui {

QString InstanciaUnica::CaminhoPadrao() {
  QString pasta = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (pasta.isEmpty() || !QDir(pasta).exists()) pasta = QDir::tempPath();
  return QDir(pasta).filePath("Vornex2004.lock");
}

InstanciaUnica::InstanciaUnica(const QString& caminho) : trava_(std::make_unique<QLockFile>(caminho)) {
  trava_->setStaleLockTime(0);  // only a dead owner makes a lock stale
  obtida_ = trava_->tryLock(0);
}

}  // namespace vornex::gui
