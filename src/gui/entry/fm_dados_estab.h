#pragma once
// The establishment screen: every column of one Bd8emp row on a header and
// four pages, each field checked when left and all again on confirmation by
// the core's list of establishment checks, then written by the core's use
// case (links of a declaration turned into one without employees deleted in
// the same transaction) before going on to the links.
#include <QDialog>
#include <map>
#include <memory>
#include <string>

#include "casos/estabelecimento.h"
#include "entry/acoes_estab.h"

class QLineEdit;

namespace Ui {
class TfmDadosEstab;
}

namespace vornex::gui {

class TdmVornex;
class TdmEntradaDados;
class RegistroEditado;

class TfmDadosEstab : public QDialog {
  Q_OBJECT
 public:
  TfmDadosEstab(const ContextoEstab& contexto, QWidget* pai = nullptr);
  ~TfmDadosEstab() override;

  Ui::TfmDadosEstab& ui() { return *ui_; }
  RegistroEditado& registro();

  // ConfirmaEstab: true when the row was written.
  bool ConfirmaEstab();
  void BtOkClick();
  void BtVinculosClick();
  void BtCancelarClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void done(int resultado) override;

 private:
  void FormShow();
  void CarregaEstab(const Linha& estab);
  void liga();
  void checaSaida(const std::string& coluna);
  // Shows a failure: its page, the message, the focus; throws Abortado.
  [[noreturn]] void falha(const FalhaChecagem& f);
  QWidget* widgetDe(const std::string& coluna) const;
  void dgPorteClick();
  void dgTipoZemaClick(const QString& valor);
  void cbEncerramentoClick();
  void rbPATNaoClick();
  void rbPATSimSai();
  void cabecalhoAno();
  void segueParaVinculos(bool pelosVinculos);
  void atualizaDescricoes();

  ContextoEstab ctx_;
  std::unique_ptr<Ui::TfmDadosEstab> ui_;
  std::map<std::string, QWidget*> campos_;  // column -> the control that edits it
  bool carregado_ = false;
  bool encerrado_ = false;
  bool PaginaLivre = true;
};

// Shows the establishment screen for the context's key, modally.
void AbreDadosEstab(const ContextoEstab& contexto);

}  // namespace vornex::gui
