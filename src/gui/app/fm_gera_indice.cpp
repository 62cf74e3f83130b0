#include "app/fm_gera_indice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>
#include <QVBoxLayout>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"

namespace vornex::gui {

namespace {
constexpr const char* kExplicacao[] = {
    "Esta opção deve ser utilizada quando ocorrer interrupções não previstas (queda de ",
    "força...) que possam comprometer o acesso dos dados pela opção do sistema. ",
    "Essa opção poderá não ser bem sucedida caso existam arquivos corrompidos, neste ",
    "caso proceda a restauração de cópia de segurança.",
    "",
    "Clique no botão <Iniciar> para recriar os índices através dos arquivos de dados da ",
    "base do sistema.",
};
}  // namespace

TfmGeraIndice::TfmGeraIndice(TdmVornex& dm, QWidget* pai) : QDialog(pai), dm_(dm) {
  setWindowTitle("Indexar Arquivos");
  // No close box: the run cannot be left half-way.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* l = new QVBoxLayout(this);
  QStringList linhas;
  for (const char* t : kExplicacao) linhas << QString::fromUtf8(t);
  auto* texto = new QPlainTextEdit(linhas.join('\n'), this);
  texto->setReadOnly(true);
  texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Wide enough for the lines as written; narrower windows wrap them.
  int largura = 0;
  for (const QString& linha : linhas) largura = std::max(largura, texto->fontMetrics().horizontalAdvance(linha));
  texto->setMinimumSize(largura + 4 * texto->frameWidth() + 2 * static_cast<int>(texto->document()->documentMargin()) +
                            texto->verticalScrollBar()->sizeHint().width(),
                        (texto->fontMetrics().lineSpacing() * (static_cast<int>(linhas.size()) + 1)) +
                            4 * texto->frameWidth());
  l->addWidget(texto);
  laIndexar_ = new QLabel("Indexando arquivos ...", this);
  prIndexar_ = new QProgressBar(this);
  laIndexar_->hide();
  prIndexar_->hide();
  l->addWidget(laIndexar_);
  l->addWidget(prIndexar_);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  bbIniciar_ = new QPushButton("&Iniciar", this);
  bbCancel_ = new QPushButton("&Cancelar", this);
  botoes->addWidget(bbIniciar_);
  botoes->addWidget(bbCancel_);
  l->addLayout(botoes);
  connect(bbIniciar_, &QPushButton::clicked, this, [this] { Protegido([this] { bbIniciarClick(); }); });
  connect(bbCancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfmGeraIndice::bbIniciarClick() {
  bbCancel_->setEnabled(false);
  bbIniciar_->setEnabled(false);
  laIndexar_->show();
  resultado_ = IndexaArquivos(dm_.conexao(), Dialogo(), *this);
  close();
}

void TfmGeraIndice::inicia(int totalPassos) {
  prIndexar_->setRange(0, totalPassos);
  prIndexar_->setValue(0);
  prIndexar_->show();
}

void TfmGeraIndice::fechaConjunto(const PassoIndexacao& p) { dm_.fechaConjunto(std::string(p.conjunto)); }
void TfmGeraIndice::reabreConjunto(const PassoIndexacao& p) { dm_.reabreConjunto(std::string(p.conjunto)); }

void TfmGeraIndice::avanca(const PassoIndexacao& p) {
  prIndexar_->setValue(p.numero);
  // Repaint only: no input is taken while the steps run.
  prIndexar_->repaint();
}

void TfmGeraIndice::termina(bool sucesso) {
  if (sucesso) {
    prIndexar_->hide();
    laIndexar_->hide();
  }
}

}  // namespace vornex::gui
