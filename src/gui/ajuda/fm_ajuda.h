#pragma once
// "Ajuda do VORNEX": the help window, opened from the menu (contents, "Como
// Fazer Para ...") and with F1 from any screen at that screen's topic.
#include <QDialog>
#include <memory>
#include <string>

class QObject;
class QTextBrowser;

namespace Ui {
class TfmAjuda;
}

namespace vornex {
class Catalogo;
struct TopicoAjuda;
}  // namespace vornex

namespace vornex::gui {

inline constexpr const char* kTituloAjuda = "Ajuda do VORNEX";

class TfmAjuda : public QDialog {
 public:
  TfmAjuda(const Catalogo& catalogo, QWidget* pai = nullptr);
  ~TfmAjuda() override;
  void mostra(const TopicoAjuda& topico);
  QTextBrowser* topico() const;

 private:
  std::unique_ptr<Ui::TfmAjuda> ui_;
};

// Opens the help window over `pai` at `topico`. Not modal, so the screen
// stays usable beside it; it closes with the screen it was opened from.
TfmAjuda* AbreAjuda(QWidget* pai, const Catalogo& catalogo, const TopicoAjuda& topico);

// The topic of the screen that holds `w`: the nearest of its ancestors whose
// name has a page; the contents page when none has.
TopicoAjuda TopicoDoWidget(const QWidget* w);

// F1 anywhere opens the topic of the screen that has the focus. The main
// window answers F1 with its own menu command (the contents).
void InstalaAjudaF1(const Catalogo& catalogo);

}  // namespace vornex::gui
