#pragma once
// The satisfaction survey: 22 marks on two pages, kept in BD8Resp.
#include <QDialog>
#include <array>
#include <memory>
#include <string>

#include "casos/pesquisa.h"

class QLineEdit;

namespace Ui {
class TfmPesq;
}

namespace vornex {
class Conexao;
}

namespace vornex::gui {

class TfmPesq : public QDialog {
  Q_OBJECT
 public:
  explicit TfmPesq(Conexao& c, QWidget* pai = nullptr);
  ~TfmPesq() override;

  Ui::TfmPesq& ui() { return *ui_; }
  const std::string& respostas() const { return respostas_; }
  QLineEdit* resposta(int n) const { return campos_[static_cast<std::size_t>(n - 1)]; }

  void BtOkClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Inicializa_Campos();
  void CarregaRespostas();
  void RespostaExit(int n);
  void vai(int n);

  Conexao& c_;
  std::unique_ptr<Ui::TfmPesq> ui_;
  std::array<QLineEdit*, kQuestoesPesquisa> campos_{};
  std::string respostas_;
};

}  // namespace vornex::gui
