#pragma once
// A table row being edited by a screen, and the edit boxes bound to its
// fields. The screen puts the row in edit or insert state, the bound fields
// and the lookup dialogs write into it, and the post goes to the table.
#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "data/linha.h"
#include "toolkit/mascara.h"

class QCheckBox;
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

// Binds an edit box to a field: the box shows the field through its mask and
// every edit writes the field back (without the mask's literals when the mask
// says so). Changes of the field from elsewhere (a lookup dialog) show in the
// box. The box belongs to the caller.
void LigaCampo(QLineEdit* caixa, RegistroEditado& registro, const std::string& campo,
               std::string_view mascara = {});
// A logical field on a check box: checked is true.
void LigaCampo(QCheckBox* marca, RegistroEditado& registro, const std::string& campo);

}  // namespace vornex::gui
