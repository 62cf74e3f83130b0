#include "toolkit/lista_marcavel.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

#include "common/abortado.h"
#include "toolkit/critica.h"

namespace vornex::gui {

namespace {
constexpr int kPapelChave = Qt::UserRole;
}

ListaMarcavel::ListaMarcavel(QWidget* pai) : QListWidget(pai) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setWordWrap(false);
  setTextElideMode(Qt::ElideNone);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setUniformItemSizes(true);
  // Enter toggles here instead of moving on to the next control.
  MantemEnter(this);
}

void ListaMarcavel::limpa() {
  clear();
  atualizaCaixa();
}

void ListaMarcavel::adiciona(const QString& texto, QVariant chave, bool marcado) {
  auto* item = new QListWidgetItem(texto);
  // The mark is drawn from the check state, but the item is not "user
  // checkable": every toggle goes through this class, so a click on the
  // indicator does not toggle twice.
  item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
  item->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
  item->setData(kPapelChave, std::move(chave));
  item->setToolTip(texto);
  addItem(item);
  if (count() == 1) setCurrentRow(0);
  atualizaCaixa();
}

void ListaMarcavel::defineLimite(int limite, std::function<void()> excesso) {
  limite_ = limite;
  excesso_ = std::move(excesso);
}

void ListaMarcavel::concluiPreenchimento(long long total) {
  atualizaCaixa();
  if (limite_ > 0 && total > limite_ && excesso_) Protegido(excesso_);
}

bool ListaMarcavel::marcado(int linha) const {
  const QListWidgetItem* i = item(linha);
  return i != nullptr && i->checkState() == Qt::Checked;
}

void ListaMarcavel::marca(int linha, bool m) {
  QListWidgetItem* i = item(linha);
  if (i == nullptr || marcado(linha) == m) return;
  i->setCheckState(m ? Qt::Checked : Qt::Unchecked);
  emit marcacaoAlterada(linha, m);
}

void ListaMarcavel::inverte(int linha) { marca(linha, !marcado(linha)); }

void ListaMarcavel::marcaTodos(bool m) {
  for (int i = 0; i < count(); ++i) marca(i, m);
}

int ListaMarcavel::contaMarcados() const {
  int n = 0;
  for (int i = 0; i < count(); ++i) n += marcado(i) ? 1 : 0;
  return n;
}

std::vector<bool> ListaMarcavel::marcas() const {
  std::vector<bool> r(static_cast<std::size_t>(count()));
  for (int i = 0; i < count(); ++i) r[static_cast<std::size_t>(i)] = marcado(i);
  return r;
}

QVariant ListaMarcavel::chave(int linha) const {
  const QListWidgetItem* i = item(linha);
  return i == nullptr ? QVariant() : i->data(kPapelChave);
}

void ListaMarcavel::ligaSelecionarTudo(QCheckBox* caixa) {
  caixa_ = caixa;
  connect(caixa, &QCheckBox::clicked, this, [this](bool m) { marcaTodos(m); });
  atualizaCaixa();
}

void ListaMarcavel::atualizaCaixa() {
  if (caixa_ == nullptr) return;
  caixa_->setEnabled(count() > 0);
  if (count() == 0) {
    QSignalBlocker b(caixa_);
    caixa_->setChecked(false);
  }
}

void ListaMarcavel::pedeInversao(int linha) {
  if (linha < 0 || linha >= count()) return;
  if (filtro_ && !filtro_(linha, !marcado(linha))) return;
  inverte(linha);
}

void ListaMarcavel::mousePressEvent(QMouseEvent* e) {
  QListWidget::mousePressEvent(e);
  if (e->button() != Qt::LeftButton) return;
  if (QListWidgetItem* i = itemAt(e->position().toPoint())) pedeInversao(row(i));
}

// Each press of a double click is a click of its own.
void ListaMarcavel::mouseDoubleClickEvent(QMouseEvent* e) {
  QListWidget::mouseDoubleClickEvent(e);
  if (e->button() != Qt::LeftButton) return;
  if (QListWidgetItem* i = itemAt(e->position().toPoint())) pedeInversao(row(i));
}

void ListaMarcavel::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (e->modifiers() == Qt::NoModifier || e->modifiers() == Qt::KeypadModifier) {
        pedeInversao(currentRow());
        e->accept();
        return;
      }
      break;
    default:
      break;
  }
  QListWidget::keyPressEvent(e);
}

}  // namespace vornex::gui
