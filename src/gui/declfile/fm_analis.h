#pragma once
// "Assistente para Analisar um arquivo ZEMA": the structure of a file the
// employer's own software produced, then the consistency check of what it
// declares, then the file written again (or corrected through the import).
#include <filesystem>
#include <memory>

#include "toolkit/assistente.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QStackedWidget;

namespace Ui {
class TfmAnalis00Form;
class TfmAnalis01Form;
class TfmAnalis02Form;
class TfmAnalisRegrasForm;
}  // namespace Ui

namespace vornex::gui {

class PassagemNoPasso;
class TdmVornex;

inline constexpr const char* kTituloAnalis = "Assistente para Analisar um arquivo ZEMA";
inline constexpr const char* kTituloAnalis02 = "Assistente para Analisar um arquivo ZEMA2004";
inline constexpr const char* kTituloAnalisRegras = "Acertando o arquivo através do VORNEX";

// Removable volumes, then "any folder" (picked when "&Gravar" is pressed).
void PreencheDrives(QComboBox* lista);

// "C&orrigir no Vornex": the rules of bringing the analysed establishments
// into the declaration; "C&onfirma" opens the import's selection step.
class TfmAnalisRegras : public QDialog {
 public:
  TfmAnalisRegras(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmAnalisRegras() override;
  QPushButton* BtConfirma() const;

 private:
  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmAnalisRegrasForm> ui_;
};

// Closing step: the label of the volumes written.
class TfmAnalis02 : public PassoAssistente {
 public:
  TfmAnalis02(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmAnalis02() override;
  QPushButton* BtEtiqueta() const;

 private:
  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmAnalis02Form> ui_;
};

// Step 2: the outcome of the check; "&Gravar" writes the file again.
class TfmAnalis01 : public PassoAssistente {
 public:
  enum class Desfecho { Erros, Avisos, Nada };
  TfmAnalis01(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmAnalis01() override;

  void mostra(Desfecho d, bool retificacao);
  QStackedWidget* paineis() const;
  QWidget* painel(Desfecho d) const;
  QComboBox* cbDrive() const;
  QPushButton* BtCorrigir() const;
  QPushButton* BtVisualizar() const;

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmAnalis01Form> ui_;
  PassagemNoPasso* passagem_;
  bool retificacao_ = false;
};

// Step 1: the file, its structure and the check of its contents.
class TfmAnalis00 : public PassoAssistente {
 public:
  TfmAnalis00(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmAnalis00() override;

  QLineEdit* arquivo() const;
  QPushButton* BtLocalizar() const;
  QStackedWidget* paineis() const;
  QWidget* PErroEstrutura() const;
  TfmAnalis01& passo2() { return passo2_; }

 protected:
  void avancar() override;
  void voltar();
  void done(int r) override;

 private:
  TdmVornex& dm_;
  bool fecha_ = false;
  std::unique_ptr<Ui::TfmAnalis00Form> ui_;
  PassagemNoPasso* passagem_;
  TfmAnalis01 passo2_;
};

}  // namespace vornex::gui
