#pragma once
// The progress dialog of a long pass. The pass runs on the interface thread
// and this dialog lets pending events run between its records, so the window
// repaints and its cancel button works; a press of "&Cancelar" (or the close
// box) becomes the pass's interruption request, confirmed with "Deseja
// interromper?".
#include <QDialog>
#include <QElapsedTimer>
#include <functional>

#include "common/passagem.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vornex::gui {

class TfmProgresso : public QDialog, public AcompanhamentoPassagem {
 public:
  explicit TfmProgresso(const QString& titulo, QWidget* pai = nullptr);

  // Shows the dialog, runs the pass, hides the dialog; the pass's result.
  template <typename F>
  auto executa(F&& passagem) {
    abre();
    struct Fecha {
      TfmProgresso* p;
      ~Fecha() { p->fecha(); }
    } fecha{this};
    return passagem(static_cast<AcompanhamentoPassagem&>(*this));
  }

  void progresso(int percentual) override;
  void etapa(std::string_view texto) override;
  bool interrompe() override;

  QPushButton* btCancelar() const { return btCancelar_; }
  QProgressBar* barra() const { return barra_; }
  bool cancelamentoPedido() const { return pedido_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  void abre();
  void fecha();
  void deixaEventos(bool sempre);

  QLabel* laEtapa_;
  QProgressBar* barra_;
  QPushButton* btCancelar_;
  QElapsedTimer relogio_;
  bool pedido_ = false;
  bool rodando_ = false;
};

}  // namespace vornex::gui
