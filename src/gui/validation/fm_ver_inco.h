#pragma once
// "Verificar Inconsistências": a three-step assistant that checks the
// establishments the user chooses (own tables, the program's base year) and
// offers the report of what the check filed.
#include <memory>

#include "toolkit/assistente.h"

class QCheckBox;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QWidget;

namespace Ui {
class TfmVerInco00Form;
class TfmVerInco01Form;
class TfmVerInco02Form;
}  // namespace Ui

namespace vornex::gui {

class ListaMarcavel;
class PassagemNoPasso;
class TdmVornex;

inline constexpr const char* kTituloVerInco = "Assistente para Verificar Inconsistências das Declarações";
inline constexpr const char* kMsgConsistenciaInterrompida = "Consistência interrompida pelo usuário";

// Step 3: the outcome and the report buttons.
class TfmVerInco02 : public PassoAssistente {
 public:
  enum class Desfecho { Erros, Avisos, Nada };
  TfmVerInco02(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmVerInco02() override;

  void mostra(Desfecho d);
  QStackedWidget* paineis() const;
  QWidget* painel(Desfecho d) const;
  QPushButton* bbVisualErros() const;
  QPushButton* bbPrintErros() const;
  QPushButton* BtVisualizar() const;
  QPushButton* BtRelat() const;

 private:
  std::unique_ptr<Ui::TfmVerInco02Form> ui_;
};

// Step 2: the choice of establishments and the check itself.
class TfmVerInco01 : public PassoAssistente {
 public:
  TfmVerInco01(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmVerInco01() override;

  // The establishments of `anoBase`, all unchecked; how many.
  int preenche(int anoBase);
  ListaMarcavel* LEmpresas() const;
  QCheckBox* ckSelecionarTudo() const;
  QWidget* PMarca() const;
  QWidget* PInicial() const;
  QProgressBar* BarraProgress() const;
  bool verificando() const;
  TfmVerInco02& passo3() { return passo3_; }

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmVerInco01Form> ui_;
  PassagemNoPasso* passagem_;
  int anoBase_ = 0;
  TfmVerInco02 passo3_;
};

// Step 1: the introduction; fills step 2's list when first shown.
class TfmVerInco00 : public PassoAssistente {
 public:
  TfmVerInco00(TdmVornex& dm, int anoBase, QWidget* pai = nullptr);
  ~TfmVerInco00() override;

  TfmVerInco01& passo2() { return passo2_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  bool fecha_ = false;
  int anoBase_;
  bool preenchida_ = false;
  std::unique_ptr<Ui::TfmVerInco00Form> ui_;
  TfmVerInco01 passo2_;
};

}  // namespace vornex::gui
