#pragma once
// "Indexar Arquivos": rebuilds the nineteen indexes one step at a time.
#include <QDialog>

#include "data/indexacao.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace vornex::gui {

class TdmVornex;

class TfmGeraIndice : public QDialog, private ProgressoIndexacao {
 public:
  explicit TfmGeraIndice(TdmVornex& dm, QWidget* pai = nullptr);

  void bbIniciarClick();
  const ResultadoIndexacao& resultado() const { return resultado_; }

  QPushButton* bbIniciar() const { return bbIniciar_; }
  QPushButton* bbCancel() const { return bbCancel_; }
  QLabel* laIndexar() const { return laIndexar_; }
  QProgressBar* prIndexar() const { return prIndexar_; }

 private:
  void inicia(int totalPassos) override;
  void fechaConjunto(const PassoIndexacao& p) override;
  void reabreConjunto(const PassoIndexacao& p) override;
  void avanca(const PassoIndexacao& p) override;
  void termina(bool sucesso) override;

  TdmVornex& dm_;
  ResultadoIndexacao resultado_;
  QPushButton* bbIniciar_;
  QPushButton* bbCancel_;
  QLabel* laIndexar_;
  QProgressBar* prIndexar_;
};

}  // namespace vornex::gui
