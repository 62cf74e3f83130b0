#pragma once
// A read-only grid over table rows: one column per field with its own
// formatter, whole-row selection, the current row kept when the rows are
// replaced, and Enter acting as a double click (`ativada`).
#include <QAbstractTableModel>
#include <QTableView>
#include <functional>
#include <string>
#include <vector>

#include "data/linha.h"

namespace vornex::gui {

struct ColunaGrade {
  QString titulo;
  std::string campo;  // the row's column
  // How the value shows; empty: as stored.
  std::function<QString(const std::string& valor, const Linha& linha)> formata;
  Qt::Alignment alinhamento = Qt::AlignLeft | Qt::AlignVCenter;
};

// Helpers for the usual formatters (FormataPis, FormataData, ... of the core).
std::function<QString(const std::string&, const Linha&)> Formatador(std::string (*f)(std::string_view));

class ModeloLinhas : public QAbstractTableModel {
 public:
  explicit ModeloLinhas(QObject* pai = nullptr) : QAbstractTableModel(pai) {}
  void defineColunas(std::vector<ColunaGrade> colunas);
  void defineLinhas(std::vector<Linha> linhas);
  const std::vector<Linha>& linhas() const { return linhas_; }

  int rowCount(const QModelIndex& pai = {}) const override;
  int columnCount(const QModelIndex& pai = {}) const override;
  QVariant data(const QModelIndex& i, int papel = Qt::DisplayRole) const override;
  QVariant headerData(int secao, Qt::Orientation o, int papel = Qt::DisplayRole) const override;

 private:
  std::vector<ColunaGrade> colunas_;
  std::vector<Linha> linhas_;
};

class GradeLeitura : public QTableView {
  Q_OBJECT
 public:
  explicit GradeLeitura(QWidget* pai = nullptr);

  void defineColunas(std::vector<ColunaGrade> colunas);
  // Replaces the rows; the current row stays at its position (the last row
  // when there are fewer now), the first row when there was none.
  void defineLinhas(std::vector<Linha> linhas);
  int linhaAtual() const;  // -1 without rows
  void vaiPara(int linha);
  const Linha* atual() const;
  const ModeloLinhas& modelo() const { return modelo_; }

 signals:
  void ativada(int linha);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;

 private:
  ModeloLinhas modelo_;
};

}  // namespace vornex::gui
