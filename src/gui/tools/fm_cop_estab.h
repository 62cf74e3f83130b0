#pragma once
// The transfer assistant (Ctrl+Alt+F3 in the establishment consultation):
// chosen links of one establishment move to a new establishment, created
// without registration data.
#include <string>
#include <vector>

#include "casos/listas.h"
#include "tools/manutencao_gui.h"
#include "ui_fm_cop_estab00.h"
#include "ui_fm_cop_estab01.h"
#include "ui_fm_cop_estab02.h"
#include "ui_fm_cop_estab03.h"
#include "ui_fm_cop_estab_regras.h"

namespace vornex::gui {

class TdmVornex;

inline constexpr const char* kTituloCopEstab = "Assistente - Transferir empregados para outra inscrição";

struct EstadoCopEstab {
  std::string anoBase = "2004";
  ChaveEstabelecimento origem;
  ListaDeVinculos vinculos;
  std::vector<ChaveVinculo> marcados;
  std::string inscricaoDestino, tipoDestino;  // from the registration field once it was left
};

class TfmCopEstabRegras : public QDialog {
 public:
  explicit TfmCopEstabRegras(QWidget* pai = nullptr);
  Ui::TfmCopEstabRegras ui;
};

class TfmCopEstab03 : public PassoComForma<Ui::TfmCopEstab03> {
 public:
  TfmCopEstab03(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha);
  void mostra();

 protected:
  void avancar() override;  // "&Concluir"
  bool eventFilter(QObject* objeto, QEvent* e) override;

 private:
  void mdCGCCEIExit();
  void edPrefixoExit();
  std::string prefixo() const;

  TdmVornex& dm_;
  EstadoCopEstab& estado_;
};

class TfmCopEstab02 : public PassoComForma<Ui::TfmCopEstab02> {
 public:
  TfmCopEstab02(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha, TfmCopEstab03& proximo);

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoCopEstab& estado_;
  TfmCopEstab03& proximo_;
};

class TfmCopEstab01 : public PassoComForma<Ui::TfmCopEstab01> {
 public:
  TfmCopEstab01(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha, TfmCopEstab02& proximo);

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoCopEstab& estado_;
  TfmCopEstab02& proximo_;
  EscolhaEstabelecimento escolha_;
};

class TfmCopEstab00 : public PassoComForma<Ui::TfmCopEstab00> {
 public:
  explicit TfmCopEstab00(TdmVornex& dm);

 protected:
  void avancar() override;

 private:
  bool fecha_ = false;
  EstadoCopEstab estado_;
  TfmCopEstab03 passo3_;
  TfmCopEstab02 passo2_;
  TfmCopEstab01 passo1_;
};

}  // namespace vornex::gui
