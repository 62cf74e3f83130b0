#pragma once
// The exclusion of one establishment with all its links, reached from the
// establishment consultation in exclusion mode: it shows the establishment
// and asks before deleting.
#include <QDialog>
#include <memory>

#include "data/declaracao.h"

namespace Ui {
class TfmExcluir;
}

namespace vornex::gui {

class TdmVornex;

// The question "&Excluir" asks.
inline constexpr const char* kTextoConfirmaExclusao =
    "A exclusão remove da base do sistema todas as informações\n"
    "referentes ao estabelecimento e seus empregados, se houver.\n"
    "Você tem certeza que deseja excluir ?";

class TfmExcluir : public QDialog {
  Q_OBJECT
 public:
  TfmExcluir(TdmVornex& dm, ChaveEstabelecimento chave, QWidget* pai = nullptr);
  ~TfmExcluir() override;

  Ui::TfmExcluir& ui() { return *ui_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void FormShow();
  void BtExcluirClick();

  TdmVornex& dm_;
  ChaveEstabelecimento chave_;
  std::unique_ptr<Ui::TfmExcluir> ui_;
};

}  // namespace vornex::gui
