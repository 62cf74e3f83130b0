#pragma once
// "Assistente para Gravação de Disquetes": the establishments to write, the
// responsible person and the consistency check, the generation date and the
// medium, the writing itself and the labels. The rectification assistant
// drives the same steps from the responsible page on, over the work tables.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "casos/listas.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "toolkit/assistente.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QStackedWidget;

namespace Ui {
class TfmGravaDecl00Form;
class TfmGravaDecl01Form;
class TfmGravaDecl02Form;
class TfmGravaDecl03Form;
class TfmAnalis02Form;
}  // namespace Ui

namespace vornex {
class SelecaoRetificacao;
}

namespace vornex::gui {

class ListaMarcavel;
class PassagemNoPasso;
class TfrDadosResp;

inline constexpr const char* kTituloGravaDecl = "Assistente para Gravação de Disquetes";

// What the steps share while the assistant is open.
struct EstadoGravacao {
  TdmDadosResp dados;                               // FechaAssistente, ModoRetificacao
  int ResultadoVerificacao = 0;                     // the consistency bits of the last check
  std::vector<ChaveEstabelecimento> selecao;        // declaration: chosen, in list order
  SelecaoRetificacao* retificacao = nullptr;        // rectification: the selection step's model

  QString titulo() const;
};

// Step 5: the closing, with the labels of the volumes written.
class TfmGravaDecl04 : public PassoAssistente {
 public:
  TfmGravaDecl04(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai = nullptr);
  ~TfmGravaDecl04() override;
  QPushButton* BtEtiqueta() const;

 private:
  std::unique_ptr<Ui::TfmAnalis02Form> ui_;
};

// Step 4: the outcome of the check, the generation date and the medium; then
// the writing.
class TfmGravaDecl03 : public PassoAssistente {
 public:
  enum class Desfecho { Erros, Avisos, Nada };
  TfmGravaDecl03(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai = nullptr);
  ~TfmGravaDecl03() override;

  Desfecho desfecho() const;
  QWidget* painel(Desfecho d) const;
  QStackedWidget* paineis() const;
  QLineEdit* deDataGeracao() const;
  QComboBox* cbDrive() const;
  // A capacity for folder media in place of the file system's (a folder
  // standing for a diskette).
  void defineCapacidade(std::optional<std::uint64_t> bytes) { capacidade_ = bytes; }

 protected:
  void avancar() override;

 private:
  bool confereData();
  bool confereDrive();
  void grava();

  TdmVornex& dm_;
  EstadoGravacao& estado_;
  std::unique_ptr<Ui::TfmGravaDecl03Form> ui_;
  PassagemNoPasso* passagem_;
  std::optional<std::uint64_t> capacidade_;
};

// Step 3: the responsible person, then the consistency check.
class TfmGravaDecl01 : public PassoAssistente {
 public:
  TfmGravaDecl01(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai = nullptr);
  ~TfmGravaDecl01() override;

  TfrDadosResp& campos() { return *campos_; }
  QStackedWidget* paineis() const;

 protected:
  void avancar() override;
  void showEvent(QShowEvent* e) override;

 private:
  TdmVornex& dm_;
  EstadoGravacao& estado_;
  std::unique_ptr<Ui::TfmGravaDecl01Form> ui_;
  TfrDadosResp* campos_;
  PassagemNoPasso* passagem_;
};

// Step 2: the establishments to write.
class TfmGravaDecl02 : public PassoAssistente {
 public:
  TfmGravaDecl02(TdmVornex& dm, EstadoGravacao& estado, std::vector<ItemEstabelecimento> itens,
                 QWidget* pai = nullptr);
  ~TfmGravaDecl02() override;

  ListaMarcavel* clEmpresas() const;
  QCheckBox* ckSelecionaTodas() const;

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoGravacao& estado_;
  std::unique_ptr<Ui::TfmGravaDecl02Form> ui_;
  std::vector<ItemEstabelecimento> itens_;
};

// Step 1: the introduction.
class TfmGravaDecl00 : public PassoAssistente {
 public:
  TfmGravaDecl00(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmGravaDecl00() override;
  QLabel* lblAno() const;

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoGravacao estado_;
  std::unique_ptr<Ui::TfmGravaDecl00Form> ui_;
};

}  // namespace vornex::gui
