#pragma once
// The employee screen: one link of one establishment on five pages. Every
// field is declared once on the form; leaving it runs the core's checks for
// its column, and the confirmation hands the row to the core's use case,
// which checks it all again, writes it and recounts the establishment's
// links in one transaction.
#include <QDialog>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "casos/vinculo.h"
#include "entry/acoes_estab.h"
#include "validation/referencias_tabelas.h"

class QButtonGroup;

namespace Ui {
class TfmDadosEmpreg;
}

namespace vornex::gui {

class Formulario;
class RegistroEditado;

// The establishment and, for an existing link, its key as the consultation
// lists it (all empty for a new link).
struct ContextoEmpreg {
  ContextoEstab estab;
  std::string VinculoPis, VinculoAdmissao, VinculoNome;
};

// What the screen leaves for whoever opened it.
struct SaidaEmpreg {
  bool semVinculos = false;   // the establishment has no link now
  std::string pisConsulta;    // a PIS/PASEP to look up in the consultation
};

class TfmDadosEmpreg : public QDialog {
  Q_OBJECT
 public:
  explicit TfmDadosEmpreg(ContextoEmpreg contexto, QWidget* pai = nullptr);
  ~TfmDadosEmpreg() override;

  Ui::TfmDadosEmpreg& ui() { return *ui_; }
  RegistroEditado& registro();
  const std::string& ModoVinculo() const { return modo_; }
  const SaidaEmpreg& saida() const { return saida_; }

  void BtOkClick();
  void BtExcluirClick();
  void BtCancelarClick();

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  // However the screen ends, the caller learns whether links are left.
  void done(int resultado) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void declara();
  void liga();
  void FormShow();
  void CarregaVinculo(Linha v);
  void mostraEstado();
  // The core's checks of `coluna` as the field is left: normalised values
  // back into the row, warnings shown, a failure shown on its field.
  void checa(const std::string& coluna);
  [[noreturn]] void falha(const FalhaChecagem& f);
  QWidget* widgetDe(const std::string& coluna) const;
  void descricao(const std::string& coluna);

  void dePisPasepExit();
  void deNascimentoExit();
  void deNacionalidadeExit();
  void deAdmissaoExit();
  void deVinculoExit();
  void deCodDesligExit();
  void edParcelaFinalExit();
  void deAfastQtDiasExit();
  void habilitaAviso(bool sim);
  void vai(QWidget* pagina, QWidget* campo);
  void fecha(bool recontar);

  ContextoEmpreg ctx_;
  std::unique_ptr<Ui::TfmDadosEmpreg> ui_;
  ReferenciasTabelas ref_;
  Formulario* form_ = nullptr;
  QButtonGroup* dgDeficiencia_ = nullptr;
  QButtonGroup* dgAlvara_ = nullptr;
  std::map<std::string, QWidget*> campos_;  // column -> the control that edits it
  ContextoVinculo cv_;
  std::string modo_ = "I";
  std::string pisCarregado_, admissaoCarregada_, ultimoPis_;
  std::optional<ChaveVinculo> original_;
  SaidaEmpreg saida_;
  bool carregado_ = false;
  bool fechando_ = false;
  bool PaginaLivre = true;
};

// Shows the screen modally; what it left for the caller.
SaidaEmpreg AbreDadosEmpreg(const ContextoEmpreg& contexto);

}  // namespace vornex::gui
