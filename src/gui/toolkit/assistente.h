#pragma once
// A step of a modal assistant: "< &Voltar", "&Avançar >" and "&Cancelar"
// below the step's own contents. A step hides itself while the next one is
// shown and comes back when that one returns, unless the shared
// FechaAssistente flag was set ("&Cancelar" or the final "&Fechar"), in which
// case every open step closes in turn.
#include <QDialog>

class QPushButton;
class QVBoxLayout;

namespace vornex::gui {

// Hides `atual`, shows `proxima` modally, then shows `atual` again or, when
// `fecha` was set meanwhile (the whole chain is closing), closes it too.
void MostraSeguinte(QDialog& atual, QDialog& proxima, const bool& fecha);

class PassoAssistente : public QDialog {
 public:
  PassoAssistente(bool& fechaAssistente, const QString& titulo, QWidget* pai = nullptr);

  QVBoxLayout* conteudo() const { return conteudo_; }
  QPushButton* btVoltar() const { return btVoltar_; }
  QPushButton* btAvancar() const { return btAvancar_; }
  QPushButton* btCancelar() const { return btCancelar_; }

  // Hides this step, shows `proximo` modally, then shows this step again or,
  // when the assistant is being closed, closes it too.
  void avancaPara(PassoAssistente& proximo);
  // "&Cancelar" and "&Fechar": close the whole assistant.
  void fechaAssistente();
  // The last step turns "&Cancelar" into "&Fechar".
  void tornaUltimo();
  bool& flagFecha() { return fecha_; }

 protected:
  // "&Avançar >": what the step does before moving on (by default nothing).
  virtual void avancar() {}

 private:
  bool& fecha_;
  QVBoxLayout* conteudo_;
  QPushButton* btVoltar_;
  QPushButton* btAvancar_;
  QPushButton* btCancelar_;
};

}  // namespace vornex::gui
