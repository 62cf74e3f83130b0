#pragma once
// The establishment consultation: the establishments of the base year, found
// by registration, by name or by initial letters, leading to the
// establishment screen (open mode) or to the exclusion screen (exclusion
// mode). The list is a model over the query, so thousands of rows cost one
// query and no widgets. It lives for the whole run.
#include <QAbstractTableModel>
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "casos/estabelecimento.h"
#include "toolkit/modelo_lista.h"

namespace Ui {
class TfmConEstab;
}

namespace vornex::gui {

class Programa;
class TdmVornex;
class TdmEntradaDados;

using ModeloConsultaEstab = ModeloLista<LinhaConsultaEstab>;

class TfmConEstab : public QDialog {
  Q_OBJECT
 public:
  enum class Modo { Abrir, Excluir };

  TfmConEstab(TdmVornex& dm, TdmEntradaDados& entrada, QWidget* pai = nullptr);
  ~TfmConEstab() override;

  // The run the exclusion screen and the maintenance assistants open on;
  // without it (tests of the list alone) they do not open.
  void definePrograma(Programa* programa) { programa_ = programa; }

  // Set by the main window before showing it.
  void defineModo(Modo modo);
  Modo modo() const { return modo_; }

  // CarregaEstabelecimentos: every establishment of the year; the window
  // closes at once when there is none. Answers the number listed.
  int CarregaEstabelecimentos();
  // pMontaQuery: the list for the search fields or the letter filter.
  void pMontaQuery();

  Ui::TfmConEstab& ui() { return *ui_; }
  const ModeloConsultaEstab& modelo() const { return modelo_; }
  // The row the user is on; nullptr when none.
  const LinhaConsultaEstab* selecionado() const;

  void BtExibirClick();
  void BtExcluirClick();
  void BtRetornarClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void letra(const QString& letras);
  void todos();
  void pSetaFoco(bool aposInscricao);
  void abreAssistente(int tecla);

  TdmVornex& dm_;
  TdmEntradaDados& entrada_;
  Programa* programa_ = nullptr;
  std::unique_ptr<Ui::TfmConEstab> ui_;
  ModeloConsultaEstab modelo_;
  Modo modo_ = Modo::Abrir;
  std::string letras_;
  bool montando_ = false;
};

}  // namespace vornex::gui
