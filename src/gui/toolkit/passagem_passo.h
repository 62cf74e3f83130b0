#pragma once
// A long pass run inside a step of a screen, instead of a progress dialog of
// its own: while it runs, the step's progress panel shows, the buttons given
// are disabled, and the step's cancel button, its close box and Escape
// become the pass's interruption request, confirmed (by default with
// "Deseja interromper?") when the pass next polls. Pending events run
// between records so the window repaints and the request gets through.
//
//   PassagemNoPasso passagem(*this, {.barra = BarraProgress, .painel = PInicial,
//                                    .cancelar = BtCancelar, .desabilita = {BtVoltar, BtAvancar}});
//   int r = passagem.executa([&](AcompanhamentoPassagem& a) { return VerificaConsistencia(c, op, a); });
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "common/passagem.h"

class QAbstractButton;
class QLabel;
class QProgressBar;
class QWidget;

namespace vornex::gui {

class PassagemNoPasso : public QObject, public AcompanhamentoPassagem {
 public:
  struct Partes {
    QProgressBar* barra = nullptr;        // set to 0..100
    QWidget* painel = nullptr;            // shown while running, hidden after; may be the bar
    QLabel* etapa = nullptr;              // the caption of the step under way; optional
    QAbstractButton* cancelar = nullptr;  // a press asks to interrupt while running
    std::vector<QWidget*> desabilita;     // disabled while running, then as they were
  };

  PassagemNoPasso(QWidget& janela, Partes partes);
  ~PassagemNoPasso() override;

  // Runs the pass with this object as its AcompanhamentoPassagem; the pass's
  // result. The step is put back as it was also when the pass throws.
  template <typename F>
  auto executa(F&& passagem) {
    inicia();
    struct Fim {
      PassagemNoPasso* p;
      ~Fim() { p->termina(); }
    } fim{this};
    return passagem(static_cast<AcompanhamentoPassagem&>(*this));
  }

  bool rodando() const { return rodando_; }
  // The user asked to stop and it was not yet put to the confirmation.
  bool pedido() const { return pedido_; }
  void pedeInterrupcao();
  // The question put when the user asked to stop: true stops the pass.
  void defineConfirmacao(std::function<bool()> confirma) { confirma_ = std::move(confirma); }

  void progresso(int percentual) override;
  void etapa(std::string_view texto) override;
  bool interrompe() override;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void inicia();
  void termina();
  void deixaEventos(bool sempre);

  QWidget& janela_;
  Partes partes_;
  std::vector<QPointer<QWidget>> desabilitados_;
  std::function<bool()> confirma_;
  QElapsedTimer relogio_;
  bool rodando_ = false;
  bool pedido_ = false;
};

}  // namespace vornex::gui
