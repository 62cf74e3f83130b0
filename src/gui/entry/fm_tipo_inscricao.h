#pragma once
// The registration-type dialog: asks whether a number valid both as a CNPJ
// and as a CEI is the one or the other.
#include <QDialog>
#include <memory>
#include <string>

namespace Ui {
class TfmTipoInscricao;
}

namespace vornex::gui {

class TfmTipoInscricao : public QDialog {
 public:
  explicit TfmTipoInscricao(QWidget* pai = nullptr);
  ~TfmTipoInscricao() override;

  // "CNPJ" or "CEI" once OK was pressed (no choice counts as "CNPJ"); empty
  // while nothing was chosen.
  std::string TipoInscricaoEscolhido;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void BtOkClick();
  std::unique_ptr<Ui::TfmTipoInscricao> ui_;
};

// Shows the dialog through the dialog service; the type it answers ("1" or
// "3"), CNPJ when the dialog was closed without OK.
std::string PerguntaTipoInscricao(QWidget* pai = nullptr);

}  // namespace vornex::gui
