#pragma once
// Edit masks written "mask;save-literals;blank" ("99.999.999/9999-99;0;_"):
// '0' a digit required, '9' a digit allowed, '#' a digit or sign, 'L'/'l' a
// letter required/allowed, 'A'/'a' a letter or digit, 'C'/'c' any character,
// '>' '<' case, '\' the next character literally; anything else is a literal.
// Converted to a Qt input mask; the stored value is read back from the text.
#include <QString>
#include <functional>
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

// Registration numbers are typed as free digits and shown, once left, with
// the punctuation of their kind.
inline constexpr std::string_view kMascaraDigitacaoInscricao = "99999999999999;0;_";
inline constexpr std::string_view kMascaraDigitacaoCei = "999999999999;0;_";
inline constexpr std::string_view kMascaraCnpj = "99\\.999\\.999\\/9999\\-99;0;_";
inline constexpr std::string_view kMascaraCei = "99\\-999\\-99\\.999\\-9\\/9;0;_";
inline constexpr std::string_view kMascaraCpf = "999\\.999\\.999\\-99;0;_";

// Gives the box `digitacao` while it has the focus and, once it loses it,
// the mask `exibicao` answers for its value (empty: `digitacao` again; an
// empty box has no mask, so it shows no blanks). The
// answer reapplies the masks, for when what decides them changed.
std::function<void()> MascaraDeExibicao(QLineEdit* caixa, std::function<std::string_view(const QString& valor)> exibicao,
                                        std::string_view digitacao = kMascaraDigitacaoInscricao);

// What is typed into the box turns upper case as it is typed.
void SoMaiusculas(QLineEdit* caixa);

}  // namespace vornex::gui
