#pragma once
// The help pages' browser: shipped pages come from the help folder, the
// warnings page is built from the message catalog when it is opened.
#include <QTextBrowser>

namespace vornex {
class Catalogo;
}

namespace vornex::gui {

class NavegadorAjuda : public QTextBrowser {
 public:
  explicit NavegadorAjuda(QWidget* pai = nullptr);
  void defineCatalogo(const Catalogo* catalogo) { catalogo_ = catalogo; }
  QVariant loadResource(int tipo, const QUrl& nome) override;

 private:
  const Catalogo* catalogo_ = nullptr;
};

}  // namespace vornex::gui
