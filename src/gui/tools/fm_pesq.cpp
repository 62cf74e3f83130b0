#include "tools/fm_pesq.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "app/comandos.h"
#include "app/programa.h"
#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "toolkit/critica.h"
#include "ui_fm_pesq.h"

namespace vornex::gui {

TfmPesq::TfmPesq(Conexao& c, QWidget* pai) : QDialog(pai), c_(c), ui_(std::make_unique<Ui::TfmPesq>()) {
  ui_->setupUi(this);
  for (int n = 1; n <= kQuestoesPesquisa; ++n) {
    QLineEdit* e = findChild<QLineEdit*>(QString("R%1").arg(n));
    campos_[static_cast<std::size_t>(n - 1)] = e;
    e->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,2}"), e));
    e->setMaximumWidth(40);
    e->installEventFilter(this);
    MantemEnter(e);
    AoSair(e, [this, n] {
      if (PodeValidar({ui_->BtCancelar})) RespostaExit(n);
    });
  }
  connect(ui_->BtOk, &QPushButton::clicked, this, [this] { Protegido([this] { BtOkClick(); }); });
  connect(ui_->BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

TfmPesq::~TfmPesq() = default;

void TfmPesq::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  Inicializa_Campos();
  CarregaRespostas();
  resposta(1)->setFocus();
}

void TfmPesq::Inicializa_Campos() {
  ui_->pcPesquisa->setCurrentIndex(0);
  respostas_.assign(kQuestoesPesquisa, 'B');
  for (QLineEdit* e : campos_) {
    e->clear();
    e->setEnabled(true);
  }
}

void TfmPesq::CarregaRespostas() {
  respostas_ = LeRespostasPesquisa(c_);
  for (int i = 0; i < kQuestoesPesquisa; ++i)
    campos_[static_cast<std::size_t>(i)]->setText(QString::fromStdString(NotaDoCodigo(respostas_[static_cast<std::size_t>(i)])));
}

void TfmPesq::RespostaExit(int n) {
  QLineEdit* e = resposta(n);
  const auto codigo = CodigoDaNota(e->text().toStdString());
  if (!codigo) {
    Dialogo().pergunta({TipoDialogo::Informacao, Botoes::Ok, "Valor Inválido. Consulte régua de valores.", {}});
    ui_->pcPesquisa->setCurrentIndex(n <= 11 ? 0 : 1);
    e->setFocus();
    throw Abortado{};
  }
  e->setText(e->text().rightJustified(2, '0'));
  respostas_[static_cast<std::size_t>(n - 1)] = *codigo;
  if (n == 11 && QApplication::focusWidget() != resposta(10)) vai(12);
}

void TfmPesq::vai(int n) {
  if (n < 1 || n > kQuestoesPesquisa) return;
  ui_->pcPesquisa->setCurrentIndex(n <= 11 ? 0 : 1);
  resposta(n)->setFocus();
}

bool TfmPesq::eventFilter(QObject* o, QEvent* ev) {
  if (ev->type() == QEvent::KeyPress) {
    for (int n = 1; n <= kQuestoesPesquisa; ++n) {
      if (o != resposta(n)) continue;
      const int k = static_cast<QKeyEvent*>(ev)->key();
      if (k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_PageDown || k == Qt::Key_Down) {
        if (n == kQuestoesPesquisa) ui_->BtOk->setFocus(); else vai(n + 1);
        return true;
      }
      if (k == Qt::Key_PageUp || k == Qt::Key_Up) {
        vai(n - 1);
        return true;
      }
    }
  }
  return QDialog::eventFilter(o, ev);
}

void TfmPesq::BtOkClick() {
  GravaRespostasPesquisa(c_, respostas_);
  accept();
}

namespace {

const RegistroAcao pesquisa{Comando::Pesquisa, [](Programa& p, QWidget* janela) {
                              TfmPesq tela(p.dmVornex().conexao(), janela);
                              Dialogo().executa(tela);
                            }};

}  // namespace

}  // namespace vornex::gui
