#pragma once
// Edit masks written "mask;save-literals;blank" ("99.999.999/9999-99;0;_"):
// '0' a digit required, '9' a digit allowed, '#' a digit or sign, 'L'/'l' a
// letter required/allowed, 'A'/'a' a letter or digit, 'C'/'c' any character,
// '>' '<' case, '\' the next character literally; anything else is a literal.
// Converted to a Qt input mask; the stored value is read back from the text.
#include <QString>
#include <string>
#include <string_view>
#include <vector>

class QLineEdit;

namespace vornex::gui {

struct MascaraEdicao {
  QString qt;                  // the Qt input mask, blank character included
  bool salvaLiterais = true;   // false: the value holds only what was typed
  QChar branco = QChar(' ');
  std::vector<bool> entrada;   // per display position: typed (true) or literal
};

MascaraEdicao ConverteMascara(std::string_view mascara);

// The value of a masked text: the literals dropped unless they are saved,
// blanks as spaces, trailing blanks trimmed.
QString ValorMascarado(const MascaraEdicao& m, const QString& exibido);

// Applies the mask to the box (an empty mask removes it).
void AplicaMascara(QLineEdit* caixa, std::string_view mascara);
// The box's value under the mask it was given with AplicaMascara.
QString ValorCaixa(const QLineEdit* caixa);

// What is typed into the box turns upper case as it is typed.
void SoMaiusculas(QLineEdit* caixa);

}  // namespace vornex::gui
