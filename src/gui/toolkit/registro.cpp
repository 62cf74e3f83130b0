#include "toolkit/registro.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
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

namespace {

// Shows the field in the widget now, whenever it changes, and whenever the
// row is loaded or left.
template <typename W, typename F>
void AcompanhaCampo(W* w, RegistroEditado& registro, const std::string& campo, F mostra) {
  const QString nome = QString::fromStdString(campo);
  QObject::connect(&registro, &RegistroEditado::campoAlterado, w, [mostra, nome](const QString& c) {
    if (c == nome) mostra();
  });
  QObject::connect(&registro, &RegistroEditado::estadoAlterado, w, mostra);
  mostra();
}

}  // namespace

void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo, std::string_view mascara) {
  if (!mascara.empty()) AplicaMascara(caixa, mascara);
  LigaCampo(caixa, registro, campo,
            ConversaoCampo{[](const std::string& v) { return QString::fromStdString(v); },
                           [](const QLineEdit& c) { return std::optional(ValorCaixa(&c).toStdString()); }});
}

void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo, ConversaoCampo conversao) {
  QPointer<QLineEdit> guarda(caixa);
  auto mostra = [guarda, &registro, campo, conversao] {
    if (!guarda) return;
    const std::string v = registro.valor(campo);
    // The box already says it: typing must not be undone under the cursor.
    if (conversao.armazena(*guarda) == v) return;
    guarda->setText(conversao.exibe(v));
    // Typing into a masked box starts at its first position.
    if (!guarda->hasFocus()) guarda->setCursorPosition(0);
  };
  QObject::connect(caixa, &QLineEdit::textEdited, caixa, [guarda, &registro, campo, conversao] {
    if (!guarda || !registro.editando()) return;
    if (auto v = conversao.armazena(*guarda)) registro.define(campo, *v);
  });
  AcompanhaCampo(caixa, registro, campo, mostra);
}

void LigaCampo(QCheckBox* marca, RegistroEditado& registro, const std::string& campo, std::string marcado,
               std::string desmarcado) {
  QPointer<QCheckBox> guarda(marca);
  // Only the user's clicks write: showing the field must not post it.
  QObject::connect(marca, &QCheckBox::clicked, marca, [&registro, campo, marcado, desmarcado](bool m) {
    if (registro.editando()) registro.define(campo, m ? marcado : desmarcado);
  });
  AcompanhaCampo(marca, registro, campo, [guarda, &registro, campo, marcado] {
    if (guarda) guarda->setChecked(registro.valor(campo) == marcado);
  });
}

void LigaCampo(QComboBox* lista, RegistroEditado& registro, const std::string& campo) {
  QPointer<QComboBox> guarda(lista);
  QObject::connect(lista, &QComboBox::activated, lista, [guarda, &registro, campo](int i) {
    if (guarda && registro.editando()) registro.define(campo, guarda->itemData(i).toString().toStdString());
  });
  AcompanhaCampo(lista, registro, campo, [guarda, &registro, campo] {
    if (guarda) guarda->setCurrentIndex(guarda->findData(QString::fromStdString(registro.valor(campo))));
  });
}

void LigaCampo(QButtonGroup* grupo, RegistroEditado& registro, const std::string& campo,
               std::map<int, std::string> codigos) {
  QPointer<QButtonGroup> guarda(grupo);
  QObject::connect(grupo, &QButtonGroup::idClicked, grupo, [&registro, campo, codigos](int id) {
    auto it = codigos.find(id);
    if (it != codigos.end() && registro.editando()) registro.define(campo, it->second);
  });
  AcompanhaCampo(grupo, registro, campo, [guarda, &registro, campo, codigos] {
    if (!guarda) return;
    const std::string v = registro.valor(campo);
    int id = -1;
    for (const auto& [i, c] : codigos)
      if (c == v) id = i;
    if (QAbstractButton* b = guarda->button(id)) {
      b->setChecked(true);
      return;
    }
    // An exclusive group keeps one button checked unless told otherwise.
    const bool exclusivo = guarda->exclusive();
    guarda->setExclusive(false);
    for (QAbstractButton* b : guarda->buttons()) b->setChecked(false);
    guarda->setExclusive(exclusivo);
  });
}

}  // namespace vornex::gui
