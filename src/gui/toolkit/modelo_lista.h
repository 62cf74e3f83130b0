#pragma once
// A read-only list over rows of any kind, for the consultations' grids: each
// column is declared once with its title and how it shows a row. The rows
// stay in the vector; the view asks only for those it paints.
#include <QAbstractTableModel>
#include <QString>
#include <functional>
#include <utility>
#include <vector>

namespace vornex::gui {

template <typename T>
class ModeloLista : public QAbstractTableModel {
 public:
  struct Coluna {
    const char* titulo;
    std::function<QString(const T&)> exibe;
  };

  explicit ModeloLista(std::vector<Coluna> colunas, QObject* pai = nullptr)
      : QAbstractTableModel(pai), colunas_(std::move(colunas)) {}

  void define(std::vector<T> linhas) {
    beginResetModel();
    linhas_ = std::move(linhas);
    endResetModel();
  }
  const std::vector<T>& linhas() const { return linhas_; }

  int rowCount(const QModelIndex& pai = {}) const override {
    return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
  }
  int columnCount(const QModelIndex& pai = {}) const override {
    return pai.isValid() ? 0 : static_cast<int>(colunas_.size());
  }
  QVariant data(const QModelIndex& i, int papel) const override {
    if (papel != Qt::DisplayRole || !i.isValid() || i.row() >= rowCount() || i.column() >= columnCount()) return {};
    return colunas_[static_cast<std::size_t>(i.column())].exibe(linhas_[static_cast<std::size_t>(i.row())]);
  }
  QVariant headerData(int secao, Qt::Orientation o, int papel) const override {
    if (papel != Qt::DisplayRole || o != Qt::Horizontal || secao < 0 || secao >= columnCount()) return {};
    return QString::fromUtf8(colunas_[static_cast<std::size_t>(secao)].titulo);
  }

 private:
  std::vector<Coluna> colunas_;
  std::vector<T> linhas_;
};

}  // namespace vornex::gui
