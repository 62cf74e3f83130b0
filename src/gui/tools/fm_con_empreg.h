#pragma once
// The links consultation: the links of one establishment, found by
// PIS/PASEP, by name or by initial letters, leading to the employee screen
// for the chosen or a new link. The list is a model over the query, so tens
// of thousands of links cost one query and no widgets.
#include <QAbstractTableModel>
#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "casos/vinculo.h"
#include "entry/fm_dados_empreg.h"
#include "toolkit/modelo_lista.h"

namespace Ui {
class TfmConEmpreg;
}

namespace vornex::gui {

using ModeloConsultaVinculos = ModeloLista<LinhaConsultaVinculo>;

class TfmConEmpreg : public QDialog {
  Q_OBJECT
 public:
  explicit TfmConEmpreg(const ContextoEstab& contexto, QWidget* pai = nullptr);
  ~TfmConEmpreg() override;

  Ui::TfmConEmpreg& ui() { return *ui_; }
  const ModeloConsultaVinculos& modelo() const { return modelo_; }
  int linhaAtual() const;
  // The establishment has no link left: the establishment screen is done too.
  bool semVinculos() const { return semVinculos_; }

  // MontaQuery: the list for the search fields or the letter filter.
  void MontaQuery();
  void BtNovoClick();
  void BtExibirClick();
  void BtRetornarClick();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void letra(const QString& letras);
  void SetaFoco(bool aposPis);
  // After the employee screen: closes when no link is left, else searches
  // for the number it handed over or lists again, on the same row.
  void volta(const SaidaEmpreg& s);
  bool mudaFoco() const;

  ContextoEstab ctx_;
  std::unique_ptr<Ui::TfmConEmpreg> ui_;
  ModeloConsultaVinculos modelo_;
  std::string letras_;
  bool montando_ = false;
  bool semVinculos_ = false;
};

}  // namespace vornex::gui
