#include "toolkit/registro.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <stdexcept>

#include "data/tabela.h"

namespace vornex::gui {

void RegistroEditado::edita(Linha original) {
  atual_ = original;
  original_ = std::move(original);
  estado_ = Estado::Edicao;
  emit estadoAlterado();
}

void RegistroEditado::insere(Linha nova) {
  atual_ = std::move(nova);
  original_.reset();
  estado_ = Estado::Insercao;
  emit estadoAlterado();
}

void RegistroEditado::cancela() {
  if (original_) atual_ = *original_;
  estado_ = Estado::Inativo;
  emit estadoAlterado();
}

bool RegistroEditado::grava(Tabela& tabela) {
  bool ok = true;
  if (estado_ == Estado::Insercao) {
    tabela.inclui(atual_);
  } else if (estado_ == Estado::Edicao) {
    ok = tabela.altera(*original_, atual_);
  } else {
    throw std::logic_error("registro não está em edição");
  }
  original_ = atual_;
  estado_ = Estado::Inativo;
  emit estadoAlterado();
  return ok;
}

std::string RegistroEditado::valor(std::string_view campo) const {
  if (atual_.valores().empty()) return {};
  return atual_[campo];
}

void RegistroEditado::define(std::string_view campo, std::string_view valor) {
  if (estado_ == Estado::Inativo)
    throw std::logic_error("registro não está em edição: " + std::string(campo));
  std::string& v = atual_[campo];
  if (v == valor) return;
  v = valor;
  emit campoAlterado(QString::fromStdString(std::string(campo)));
}

void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo, std::string_view mascara) {
  if (!mascara.empty()) AplicaMascara(caixa, mascara);
  const QString nome = QString::fromStdString(campo);
  QPointer<QLineEdit> guarda(caixa);
  auto mostra = [guarda, &registro, campo] {
    if (!guarda) return;
    const QString v = QString::fromStdString(registro.valor(campo));
    if (ValorCaixa(guarda) == v) return;
    guarda->setText(v);
    // Typing into a masked box starts at its first position.
    if (!guarda->hasFocus()) guarda->setCursorPosition(0);
  };
  QObject::connect(&registro, &RegistroEditado::campoAlterado, caixa, [mostra, nome](const QString& c) {
    if (c == nome) mostra();
  });
  QObject::connect(&registro, &RegistroEditado::estadoAlterado, caixa, mostra);
  QObject::connect(caixa, &QLineEdit::textEdited, caixa, [guarda, &registro, campo] {
    if (guarda && registro.editando()) registro.define(campo, ValorCaixa(guarda).toStdString());
  });
  mostra();
}

void LigaCampo(QCheckBox* marca, RegistroEditado& registro, const std::string& campo) {
  const QString nome = QString::fromStdString(campo);
  QPointer<QCheckBox> guarda(marca);
  auto mostra = [guarda, &registro, campo] {
    if (guarda) guarda->setChecked(registro.valor(campo) == "1");
  };
  QObject::connect(&registro, &RegistroEditado::campoAlterado, marca, [mostra, nome](const QString& c) {
    if (c == nome) mostra();
  });
  QObject::connect(&registro, &RegistroEditado::estadoAlterado, marca, mostra);
  // Only the user's clicks write: showing the field must not post it.
  QObject::connect(marca, &QCheckBox::clicked, marca, [&registro, campo](bool marcado) {
    if (registro.editando()) registro.define(campo, marcado ? "1" : "0");
  });
  mostra();
}

}  // namespace vornex::gui
