#pragma once
// The print options asked before a report prints: which pages, in the order
// typed, and how many copies.
#include <QDialog>
#include <vector>

#include "reports/intervalos.h"
#include "ui_fm_print_opc.h"

namespace vornex::relatorio {
class Documento;
}

namespace vornex::gui {

class TfmPrintOpc : public QDialog {
  Q_OBJECT
 public:
  explicit TfmPrintOpc(QWidget* pai = nullptr);

  bool cancelado() const { return cancelado_; }
  int copias() const { return copias_; }
  // (0, 0) alone: every page.
  const std::vector<relatorio::IntervaloPaginas>& intervalos() const { return intervalos_; }

  Ui::TfmPrintOpc ui;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void confirma();
  void passo(int delta);

  bool cancelado_ = false;
  int copias_ = 1;
  std::vector<relatorio::IntervaloPaginas> intervalos_{{0, 0}};
};

// "&Imprimir...": the print options, then the printer (Qt's print dialog,
// which also prints to a PDF file), then the ranges one after the other.
// Answers the pages printed; 0 when cancelled or nothing printed.
int ImprimeComOpcoes(relatorio::Documento& doc, QWidget* pai);

}  // namespace vornex::gui
