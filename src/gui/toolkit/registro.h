#pragma once
// A table row being edited by a screen, and the edit boxes bound to its
// fields. The screen puts the row in edit or insert state, the bound fields
// and the lookup dialogs write into it, and the post goes to the table.
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "data/linha.h"
#include "toolkit/mascara.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vornex {
class Tabela;
}

namespace vornex::gui {

class RegistroEditado : public QObject {
  Q_OBJECT
 public:
  enum class Estado { Inativo, Edicao, Insercao };

  void edita(Linha original);  // an existing row
  void insere(Linha nova);     // a row to append
  void cancela();
  // Posts the append or the edit and leaves the row inactive. An existing
  // key on append throws ErroBanco 9729; an edited row no longer there
  // answers false.
  bool grava(Tabela& tabela);

  Estado estado() const { return estado_; }
  bool editando() const { return estado_ != Estado::Inativo; }
  const Linha& linha() const { return atual_; }
  std::string valor(std::string_view campo) const;
  // Writing needs the edit or insert state; a write outside it is a fault
  // of the screen (std::logic_error).
  void define(std::string_view campo, std::string_view valor);

 signals:
  void campoAlterado(const QString& campo);
  void estadoAlterado();

 private:
  Estado estado_ = Estado::Inativo;
  std::optional<Linha> original_;
  Linha atual_;
};

// How a box shows a field and what it writes back. `armazena` answers
// nullopt for a text that is no value (yet): the field keeps what it had.
struct ConversaoCampo {
  std::function<QString(const std::string& valor)> exibe;
  std::function<std::optional<std::string>(const QLineEdit& caixa)> armazena;
};

// Binds an edit box to a field: the box shows the field through its mask and
// every edit writes the field back (without the mask's literals when the mask
// says so). Changes of the field from elsewhere (a lookup dialog) show in the
// box. The box belongs to the caller.
void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo,
               std::string_view mascara = {});
// The same with a conversion between the field and the box's text.
void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo,
               ConversaoCampo conversao);
// A check box: checked is `marcado`, unchecked `desmarcado` (a logical
// column by default).
void LigaCampo(QCheckBox* marca, RegistroEditado& registro, const std::string& campo,
               std::string marcado = "1", std::string desmarcado = "0");
// A drop-down list whose items carry their codes as item data: the field
// selects the item of its code (none for an unknown code) and choosing an
// item writes its code.
void LigaCampo(QComboBox* lista, RegistroEditado& registro, const std::string& campo);
// Radio buttons: each button's id in the group stands for a code; a code of
// no button leaves every button unchecked.
void LigaCampo(QButtonGroup* grupo, RegistroEditado& registro, const std::string& campo,
               std::map<int, std::string> codigos);

}  // namespace vornex::gui
