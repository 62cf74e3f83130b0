#pragma once
// "Assistente para Importação de Estabelecimentos": a declaration file of the
// previous or the current base year analysed into the work tables, the
// establishments chosen from it merged into the declaration, and the report
// of what each one brought.
#include <memory>
#include <string>
#include <vector>

#include "declfile/importacao.h"
#include "toolkit/assistente.h"

class QLineEdit;
class QRadioButton;
class QStackedWidget;

namespace Ui {
class TfmImport00Form;
class TfmImport01Form;
class TfmImport02Form;
class TfmImport03Form;
}  // namespace Ui

namespace vornex::gui {

class ListaMarcavel;
class PassagemNoPasso;
class TdmVornex;

inline constexpr const char* kTituloImport = "Assistente para Importação de Estabelecimentos";

// The selection step opened by the analyser's "C&orrigir no Vornex" over the
// analysed current-year file, every establishment checked.
void AbreImportacaoDoAnalisador(TdmVornex& dm, QWidget* pai);

// Step 4: the closing, with the import report.
class TfmImport03 : public PassoAssistente {
 public:
  TfmImport03(TdmVornex& dm, bool& fecha, std::string anoOrigem, QWidget* pai = nullptr);
  ~TfmImport03() override;
  QPushButton* BtVisualizar() const;

 private:
  std::unique_ptr<Ui::TfmImport03Form> ui_;
};

// Step 3: the choice of establishments and the merge.
class TfmImport02 : public PassoAssistente {
 public:
  TfmImport02(TdmVornex& dm, bool& fecha, bool anoAnterior, bool modoAnalisador, QWidget* pai = nullptr);
  ~TfmImport02() override;

  ListaMarcavel* LEmpresas() const;
  QRadioButton* rbSelecionarTodos() const;
  QRadioButton* rbLimparTodos() const;

 protected:
  void avancar() override;

 private:
  void selecionaTodos();

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmImport02Form> ui_;
  PassagemNoPasso* passagem_;
  OpcoesImportacao opcoes_;
  std::string anoOrigem_;
  std::vector<ItemImportacao> itens_;
};

// Step 2: the structural error that stops the import.
class TfmImport01 : public PassoAssistente {
 public:
  TfmImport01(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmImport01() override;

 private:
  std::unique_ptr<Ui::TfmImport01Form> ui_;
};

// Step 1: the file and its analysis.
class TfmImport00 : public PassoAssistente {
 public:
  TfmImport00(TdmVornex& dm, bool anoAnterior, QWidget* pai = nullptr);
  ~TfmImport00() override;

  QLineEdit* arquivo() const;

 protected:
  void avancar() override;
  void done(int r) override;

 private:
  TdmVornex& dm_;
  bool anoAnterior_;
  bool fecha_ = false;
  std::unique_ptr<Ui::TfmImport00Form> ui_;
  PassagemNoPasso* passagem_;
};

}  // namespace vornex::gui
