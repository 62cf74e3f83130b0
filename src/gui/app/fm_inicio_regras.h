#pragma once
// "Vornex - Informações úteis": five hints and the choice of not showing
// them again at start-up (BD8Resp.InDicas).
#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vornex::gui {

class TdmVornex;

class TfmInicioRegras : public QDialog {
 public:
  explicit TfmInicioRegras(TdmVornex& dm, QWidget* pai = nullptr);

  // Reads the responsible-person row into the check box.
  void abre();
  // False when the user chose not to see the note again.
  bool DeveMostrar() const;
  // "&Ok": the choice is saved (creating the single row when missing).
  void BtOkClick();

  QCheckBox* ckNaoMostrar() const { return ckNaoMostrar_; }
  QPushButton* btOk() const { return btOk_; }

 private:
  TdmVornex& dm_;
  bool inDicas_ = false;
  QCheckBox* ckNaoMostrar_;
  QPushButton* btOk_;
};

}  // namespace vornex::gui
