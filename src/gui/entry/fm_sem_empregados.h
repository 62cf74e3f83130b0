#pragma once
// "Vornex2004 - Declaração Sem Empregados": the note shown when a new
// declaration is said to have no employees, unless the user chose not to see
// it again (BD8Resp.InDicasSemEmpregados).
#include <QDialog>
#include <memory>

namespace Ui {
class TfmSemEmpregados;
}

namespace vornex {
class Conexao;
}

namespace vornex::gui {

class TfmSemEmpregados : public QDialog {
 public:
  explicit TfmSemEmpregados(Conexao& c, QWidget* pai = nullptr);
  ~TfmSemEmpregados() override;
  Ui::TfmSemEmpregados& ui() { return *ui_; }

  // Shows the note modally unless it was dispensed.
  static void MostraSeNaoDispensada(Conexao& c, QWidget* pai);

 private:
  Conexao& c_;
  std::unique_ptr<Ui::TfmSemEmpregados> ui_;
};

}  // namespace vornex::gui
