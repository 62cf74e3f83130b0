#pragma once
// "Assistente para Retificação de Declaração": the links of establishments
// already delivered that are to be sent again, copied into the work tables
// and then verified and written by the writing assistant's steps in
// rectification mode.
#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "casos/listas.h"
#include "data/linha.h"
#include "declfile/retificacao.h"
#include "declfile/fm_grava_decl.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;

namespace Ui {
class TfmRetifRegrasForm;
class TfmRetifDecl01Form;
class TfmRetifDecl02Form;
}  // namespace Ui

namespace vornex::gui {

inline constexpr const char* kTituloRetifRegras = "Retificação da Declaração";

// The rules notice shown before the assistant.
class TfmRetifRegras : public QDialog {
 public:
  explicit TfmRetifRegras(QWidget* pai = nullptr);
  ~TfmRetifRegras() override;
  QPushButton* BtOk() const;
  QPlainTextEdit* texto() const;

 private:
  std::unique_ptr<Ui::TfmRetifRegrasForm> ui_;
};

// The choice of establishments and of the links to send again.
class TfmRetifDecl02 : public PassoAssistente {
 public:
  TfmRetifDecl02(TdmVornex& dm, EstadoGravacao& estado, SelecaoRetificacao selecao, QWidget* pai = nullptr);
  ~TfmRetifDecl02() override;

  ListaMarcavel* clEmpresas() const;
  ListaMarcavel* clVinculos() const;
  QCheckBox* ckSelecVinculos() const;
  const SelecaoRetificacao& selecao() const { return selecao_; }

 protected:
  void avancar() override;

 private:
  // The establishment of list line `linha` in the selection.
  std::size_t entrada(int linha) const;
  // An establishment's check changed or the current line moved to `linha`.
  void mudaEstabelecimento(int linha);
  // Takes the establishment of `linha` out when it has employees and no
  // link; true when it had to.
  bool recusaSemVinculo(int linha);
  void listaVinculos();
  void limpaVinculos();
  void marcaVinculo(int linha, bool marcado);
  void marcaTodosVinculos(bool marcado);

  TdmVornex& dm_;
  EstadoGravacao& estado_;
  std::unique_ptr<Ui::TfmRetifDecl02Form> ui_;
  SelecaoRetificacao selecao_;
  std::vector<ItemEstabelecimento> itens_;
  std::vector<std::size_t> entradas_;  // per list line, its selection entry
  std::vector<Linha> vinculos_;        // the links of the current establishment, as listed
  int atual_ = -1;
  bool ajustando_ = false;             // the screen itself is changing the marks
};

// The introduction; it owns the assistant's shared state.
class TfmRetifDecl01 : public PassoAssistente {
 public:
  TfmRetifDecl01(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmRetifDecl01() override;
  // False when the work tables could not be created (the assistant is not shown).
  bool iniciado() const { return iniciado_; }
  QLabel* lblAno() const;

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoGravacao estado_;
  std::unique_ptr<Ui::TfmRetifDecl01Form> ui_;
  bool iniciado_ = false;
};

}  // namespace vornex::gui
