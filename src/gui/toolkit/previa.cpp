#include "toolkit/previa.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "render/render.h"

namespace vornex::gui {

void AvisoLimitePaginas(QWidget* previa) {
  Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, kTextoLimitePaginas);
  if (previa != nullptr) {
    // Closed the way the user would close it: a dialog is rejected.
    if (auto* d = qobject_cast<QDialog*>(previa))
      d->reject();
    else
      previa->close();
  }
}

TfmPrevia::TfmPrevia(relatorio::Documento& doc, const QString& titulo, QWidget* pai)
    : QDialog(pai), doc_(doc), emissao_(relatorio::EmissaoAgora()) {
  setWindowTitle(titulo);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  auto* l = new QVBoxLayout(this);
  auto* barra = new QHBoxLayout;
  btPrimeira_ = new QPushButton("|<", this);
  btAnterior_ = new QPushButton("<", this);
  btProxima_ = new QPushButton(">", this);
  btUltima_ = new QPushButton(">|", this);
  btPrimeira_->setToolTip("Primeira página");
  btAnterior_->setToolTip("Página anterior");
  btProxima_->setToolTip("Próxima página");
  btUltima_->setToolTip("Última página");
  laPagina_ = new QLabel(this);
  cbZoom_ = new QComboBox(this);
  for (int z : {50, 75, 100, 125, 150, 200}) cbZoom_->addItem(QString::number(z) + "%", z / 100.0);
  cbZoom_->setCurrentIndex(2);
  btImprimir_ = new QPushButton("&Imprimir", this);
  btFechar_ = new QPushButton("&Fechar", this);
  for (QWidget* w : std::initializer_list<QWidget*>{btPrimeira_, btAnterior_, btProxima_, btUltima_, laPagina_,
                                                    cbZoom_, btImprimir_})
    barra->addWidget(w);
  barra->addStretch();
  barra->addWidget(btFechar_);
  l->addLayout(barra);
  rolagem_ = new QScrollArea(this);
  imagem_ = new QLabel;
  imagem_->setAlignment(Qt::AlignCenter);
  rolagem_->setWidget(imagem_);
  rolagem_->setWidgetResizable(true);
  rolagem_->setBackgroundRole(QPalette::Dark);
  l->addWidget(rolagem_, 1);
  resize(900, 700);

  connect(btPrimeira_, &QPushButton::clicked, this, [this] { vaiPara(1); });
  connect(btAnterior_, &QPushButton::clicked, this, [this] { vaiPara(atual_ - 1); });
  connect(btProxima_, &QPushButton::clicked, this, [this] { vaiPara(atual_ + 1); });
  connect(btUltima_, &QPushButton::clicked, this, [this] { vaiPara(paginas()); });
  connect(btImprimir_, &QPushButton::clicked, this, [this] { imprime(); });
  connect(btFechar_, &QPushButton::clicked, this, &QDialog::reject);
  connect(cbZoom_, &QComboBox::currentIndexChanged, this, [this] {
    zoom_ = cbZoom_->currentData().toDouble();
    desenha();
  });
}

TfmPrevia::~TfmPrevia() = default;

int TfmPrevia::paginas() const { return previa_ ? previa_->Paginas() : 0; }

void TfmPrevia::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (previa_ || falhou_) return;
  try {
    previa_ = std::make_unique<render::Previa>(doc_, emissao_);
    vaiPara(1);
  } catch (const std::exception&) {
    // Let the window appear before it is closed, as the notice refers to it.
    QTimer::singleShot(0, this, [this] { falha(); });
  }
}

void TfmPrevia::falha() {
  falhou_ = true;
  previa_.reset();
  AvisoLimitePaginas(this);
}

void TfmPrevia::vaiPara(int pagina) {
  const int total = paginas();
  if (total == 0) {
    atual_ = 0;
  } else {
    atual_ = std::clamp(pagina, 1, total);
  }
  desenha();
}

void TfmPrevia::desenha() {
  const int total = paginas();
  btPrimeira_->setEnabled(atual_ > 1);
  btAnterior_->setEnabled(atual_ > 1);
  btProxima_->setEnabled(atual_ < total);
  btUltima_->setEnabled(atual_ < total);
  btImprimir_->setEnabled(total > 0);
  laPagina_->setText(QString("Página %1 de %2").arg(atual_).arg(total));
  if (atual_ == 0) {
    imagem_->clear();
    return;
  }
  try {
    imagem_->setPixmap(QPixmap::fromImage(previa_->Imagem(atual_, zoom_)));
  } catch (const std::exception&) {
    falha();
  }
}

void TfmPrevia::imprime() {
  QPrinter impressora;
  if (!Dialogo().configuraImpressora(impressora, paginas())) return;
  render::Imprime(doc_, impressora, emissao_);
}

void MostraPrevia(relatorio::Documento& doc, const QString& titulo, QWidget* pai) {
  TfmPrevia previa(doc, titulo, pai);
  Dialogo().executa(previa);
}

}  // namespace vornex::gui
