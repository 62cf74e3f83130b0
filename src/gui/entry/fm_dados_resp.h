#pragma once
// The responsible person: the fields (a widget the writing assistant's page
// embeds as well) and the screen that edits the single BD8Resp row. Every
// check is the core's list for the responsible person, run per field as it
// is left and as a whole on confirmation.
#include <QDialog>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/mensagem.h"
#include "data/linha.h"

namespace Ui {
class TfrDadosResp;
}

class QLineEdit;
class QPushButton;

namespace vornex::gui {

class TdmVornex;

class TfrDadosResp : public QWidget {
  Q_OBJECT
 public:
  TfrDadosResp(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfrDadosResp() override;

  Ui::TfrDadosResp& ui() { return *ui_; }

  // Focus on these skips the exit checks (the host's cancel button); focus
  // going to `avancar` skips the DDD's state check.
  void isenta(std::vector<const QWidget*> isentos, const QWidget* avancar = nullptr);
  // Shows the row (the registration as typed, the number without zeros).
  void carrega(const Linha& responsavel);
  // The row with the typed values; the registration as typed apart.
  Linha linha() const;
  std::string inscricaoDigitada() const;
  // Shows the finding on its field and abandons (the silent abort).
  [[noreturn]] void falha(NuMensagem mensagem, std::string_view foco);

 private:
  void saiCampo(const char* coluna);
  void ValidaInscricao();
  void mostra(const Linha& l);
  QWidget* widgetDe(std::string_view coluna) const;

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfrDadosResp> ui_;
  // Each box and its column, declared once for showing, reading and checking.
  struct Caixa {
    QLineEdit* caixa;
    const char* coluna;
  };
  std::vector<Caixa> caixas_;
  Linha base_;  // the columns the fields do not show
  std::function<void()> mascaraInscricao_;
  std::vector<const QWidget*> isentos_;
  const QWidget* avancar_ = nullptr;
};

class TfmDadosResp : public QDialog {
  Q_OBJECT
 public:
  explicit TfmDadosResp(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmDadosResp() override;

  TfrDadosResp& campos() { return *campos_; }
  QPushButton* bbOk() const { return bbOk_; }
  QPushButton* bbCancelar() const { return bbCancelar_; }

  void bbOkClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  TdmVornex& dm_;
  TfrDadosResp* campos_;
  QPushButton* bbOk_;
  QPushButton* bbCancelar_;
};

}  // namespace vornex::gui
