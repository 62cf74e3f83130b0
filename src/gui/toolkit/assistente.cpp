#include "toolkit/assistente.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/abortado.h"
#include "common/servico_dialogos.h"

namespace vornex::gui {

PassoAssistente::PassoAssistente(bool& fecha, const QString& titulo, QWidget* pai)
    : QDialog(pai), fecha_(fecha) {
  setWindowTitle(titulo);
  auto* geral = new QVBoxLayout(this);
  conteudo_ = new QVBoxLayout;
  geral->addLayout(conteudo_, 1);
  auto* botoes = new QHBoxLayout;
  botoes->addStretch();
  btVoltar_ = new QPushButton("< &Voltar", this);
  btAvancar_ = new QPushButton("&Avançar >", this);
  btCancelar_ = new QPushButton("&Cancelar", this);
  btVoltar_->setObjectName("BtVoltar");
  btAvancar_->setObjectName("BtAvancar");
  btCancelar_->setObjectName("BtCancelar");
  for (auto* b : {btVoltar_, btAvancar_, btCancelar_}) {
    b->setAutoDefault(false);
    botoes->addWidget(b);
  }
  geral->addLayout(botoes);
  connect(btVoltar_, &QPushButton::clicked, this, [this] { reject(); });
  connect(btAvancar_, &QPushButton::clicked, this, [this] { Protegido([this] { avancar(); }); });
  connect(btCancelar_, &QPushButton::clicked, this, [this] { fechaAssistente(); });
}

void MostraSeguinte(QDialog& atual, QDialog& proxima, const bool& fecha) {
  atual.hide();
  Dialogo().executa(proxima);
  if (fecha)
    atual.reject();
  else
    atual.show();
}

void PassoAssistente::avancaPara(PassoAssistente& proximo) { MostraSeguinte(*this, proximo, fecha_); }

void PassoAssistente::fechaAssistente() {
  fecha_ = true;
  reject();
}

void PassoAssistente::tornaUltimo() {
  btCancelar_->setText("&Fechar");
  btAvancar_->setEnabled(false);
}

}  // namespace vornex::gui
