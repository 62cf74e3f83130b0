#include "toolkit/grade_leitura.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "toolkit/critica.h"

namespace vornex::gui {

std::function<QString(const std::string&, const Linha&)> Formatador(std::string (*f)(std::string_view)) {
  return [f](const std::string& v, const Linha&) { return QString::fromStdString(f(v)); };
}

void ModeloLinhas::defineColunas(std::vector<ColunaGrade> colunas) {
  beginResetModel();
  colunas_ = std::move(colunas);
  endResetModel();
}

void ModeloLinhas::defineLinhas(std::vector<Linha> linhas) {
  beginResetModel();
  linhas_ = std::move(linhas);
  endResetModel();
}

int ModeloLinhas::rowCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(linhas_.size());
}

int ModeloLinhas::columnCount(const QModelIndex& pai) const {
  return pai.isValid() ? 0 : static_cast<int>(colunas_.size());
}

QVariant ModeloLinhas::data(const QModelIndex& i, int papel) const {
  if (!i.isValid() || i.row() >= rowCount() || i.column() >= columnCount()) return {};
  const ColunaGrade& c = colunas_[static_cast<std::size_t>(i.column())];
  if (papel == Qt::TextAlignmentRole) return QVariant::fromValue(c.alinhamento);
  if (papel != Qt::DisplayRole && papel != Qt::ToolTipRole) return {};
  const Linha& l = linhas_[static_cast<std::size_t>(i.row())];
  if (!l.esquema().tem(c.campo)) return {};
  const std::string& v = l[c.campo];
  return c.formata ? c.formata(v, l) : QString::fromStdString(v);
}

QVariant ModeloLinhas::headerData(int secao, Qt::Orientation o, int papel) const {
  if (o != Qt::Horizontal || papel != Qt::DisplayRole || secao < 0 || secao >= columnCount()) return {};
  return colunas_[static_cast<std::size_t>(secao)].titulo;
}

GradeLeitura::GradeLeitura(QWidget* pai) : QTableView(pai) {
  setModel(&modelo_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setWordWrap(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  horizontalHeader()->setHighlightSections(false);
  // Enter opens the current row here instead of moving on to the next control.
  MantemEnter(this);
}

void GradeLeitura::defineColunas(std::vector<ColunaGrade> colunas) {
  modelo_.defineColunas(std::move(colunas));
  resizeColumnsToContents();
}

void GradeLeitura::defineLinhas(std::vector<Linha> linhas) {
  const int antes = linhaAtual();
  modelo_.defineLinhas(std::move(linhas));
  resizeColumnsToContents();
  if (modelo_.rowCount() > 0) vaiPara(std::clamp(antes, 0, modelo_.rowCount() - 1));
}

int GradeLeitura::linhaAtual() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.row() : -1;
}

void GradeLeitura::vaiPara(int linha) {
  if (linha < 0 || linha >= modelo_.rowCount()) return;
  const int coluna = std::max(0, currentIndex().column());
  setCurrentIndex(modelo_.index(linha, coluna));
  scrollTo(currentIndex());
}

const Linha* GradeLeitura::atual() const {
  const int i = linhaAtual();
  return i < 0 ? nullptr : &modelo_.linhas()[static_cast<std::size_t>(i)];
}

void GradeLeitura::mouseDoubleClickEvent(QMouseEvent* e) {
  QTableView::mouseDoubleClickEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  if (e->button() == Qt::LeftButton && i.isValid()) {
    vaiPara(i.row());
    emit ativada(i.row());
  }
}

void GradeLeitura::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) &&
      (e->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    if (linhaAtual() >= 0) emit ativada(linhaAtual());
    e->accept();
    return;
  }
  QTableView::keyPressEvent(e);
}

}  // namespace vornex::gui
