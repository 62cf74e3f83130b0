#pragma once
// The pay of a link's year: the twelve months and the two 13th-salary rows
// (advance and final instalment, each a month and a value). Editable in the
// employee screen, read-only where a declared link is only shown. Its
// boxes carry the names the screens' code and tests look them up by
// (edJaneiro ... edDezembro, deMesAdiantamento, edAdiantamento,
// deMesParcelaFinal, edParcelaFinal).
#include <QLineEdit>
#include <QWidget>
#include <array>
#include <string>

#include "data/linha.h"

namespace vornex::gui {

// A money box: "###,##0.00" while shown, the same without thousands points
// (and all selected) while being typed into. The conversions are the core's.
class CaixaValor : public QLineEdit {
  Q_OBJECT
 public:
  explicit CaixaValor(QWidget* pai = nullptr);

  // Nine digits of centavos; empty or all zeros shows "0,00".
  void defineCentavos(const std::string& centavos);
  // What is typed as nine digits of centavos ("000000000" when blank);
  // empty when it is not an amount or has more than nine digits.
  std::string centavos() const;
  // Shows the typed amount in its display form again (after a check passed).
  void reformata();

 protected:
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};

class GradeMeses : public QWidget {
  Q_OBJECT
 public:
  explicit GradeMeses(QWidget* pai = nullptr);

  CaixaValor* mes(int i) const { return meses_.at(static_cast<std::size_t>(i)); }  // 0 = January
  QLineEdit* mesAdiantamento() const { return mesAdiantamento_; }
  CaixaValor* adiantamento() const { return adiantamento_; }
  QLineEdit* mesParcelaFinal() const { return mesParcelaFinal_; }
  CaixaValor* parcelaFinal() const { return parcelaFinal_; }
  // The lookup buttons of the two 13th-salary months (hidden when read-only).
  QWidget* consultaAdiantamento() const { return consultaAdiantamento_; }
  QWidget* consultaParcelaFinal() const { return consultaParcelaFinal_; }

  // Read-only: nothing typed, no lookups; the boxes still take the focus to
  // be read and copied.
  void defineSomenteLeitura(bool sim);
  bool somenteLeitura() const { return somenteLeitura_; }

  // Shows a link row's pay columns (money in centavos, months "01".."12",
  // "99" or blank; a month shows as its name).
  void mostra(const Linha& vinculo);

 private:
  std::array<CaixaValor*, 12> meses_{};
  QLineEdit* mesAdiantamento_;
  CaixaValor* adiantamento_;
  QLineEdit* mesParcelaFinal_;
  CaixaValor* parcelaFinal_;
  QWidget* consultaAdiantamento_;
  QWidget* consultaParcelaFinal_;
  bool somenteLeitura_ = false;
};

// The text a 13th-salary month box shows: its name, empty for blank or zeros.
QString TextoMes13(const std::string& mes);

}  // namespace vornex::gui
