#include "toolkit/grade_meses.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

#include "casos/vinculo.h"
#include "common/texto.h"
#include "common/valor.h"

namespace vornex::gui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr const char* kNomesCaixas[12] = {"edJaneiro", "edFevereiro", "edMarco",    "edAbril",
                                          "edMaio",    "edJunho",     "edJulho",    "edAgosto",
                                          "edSetembro", "edOutubro",  "edNovembro", "edDezembro"};

}  // namespace

// --- money box ----------------------------------------------------------------

CaixaValor::CaixaValor(QWidget* pai) : QLineEdit(pai) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setMaxLength(14);  // "999.999.999,99" at most, thousands points included
}

void CaixaValor::defineCentavos(const std::string& centavos) {
  const std::string_view v = Apara(centavos);
  setText(Q(ValorExibido(v.empty() ? std::string("0") : std::string(v))));
}

std::string CaixaValor::centavos() const {
  const std::string t = text().trimmed().toStdString();
  if (t.empty()) return std::string(kDigitosValor, '0');
  const ValorDigitado d = LeValorDigitado(t);
  return d.critica.ok() ? d.centavos : std::string();
}

void CaixaValor::reformata() {
  const std::string c = centavos();
  if (!c.empty()) defineCentavos(c);
}

void CaixaValor::focusInEvent(QFocusEvent* e) {
  QLineEdit::focusInEvent(e);
  if (isReadOnly()) return;
  // Typed over without the thousands points; selected so that typing replaces it.
  const QString sem = text().remove('.');
  if (sem != text()) setText(sem);
  QTimer::singleShot(0, this, [this] {
    if (hasFocus()) selectAll();
  });
}

void CaixaValor::focusOutEvent(QFocusEvent* e) {
  QLineEdit::focusOutEvent(e);
  if (e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason) reformata();
}

// --- the grid ---------------------------------------------------------------------

QString TextoMes13(const std::string& mes) {
  const std::string_view m = Apara(mes);
  if (m.empty() || SoZeros(m)) return {};
  return Q(NomeMes(m));
}

GradeMeses::GradeMeses(QWidget* pai) : QWidget(pai) {
  auto* lay = new QGridLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < 12; ++i) {
    auto* rotulo = new QLabel(Q(NomeMes(ZerosEsquerda(std::to_string(i + 1), 2))), this);
    auto* caixa = new CaixaValor(this);
    caixa->setObjectName(kNomesCaixas[i]);
    rotulo->setBuddy(caixa);
    // Two columns of six months, read down then across.
    const int linha = i % 6, coluna = (i / 6) * 2;
    lay->addWidget(rotulo, linha, coluna);
    lay->addWidget(caixa, linha, coluna + 1);
    meses_[static_cast<std::size_t>(i)] = caixa;
  }

  auto* decimo = new QGroupBox("13 salário ", this);
  decimo->setObjectName("gb13Salario");
  auto* g = new QGridLayout(decimo);
  auto linha13 = [&](int linha, const char* titulo, const char* nomeMes, const char* nomeValor, const char* nomeBotao,
                     QLineEdit*& mes, CaixaValor*& valor, QWidget*& botao) {
    g->addWidget(new QLabel(titulo, decimo), linha, 0);
    g->addWidget(new QLabel("Mês", decimo), linha, 1);
    mes = new QLineEdit(decimo);
    mes->setObjectName(nomeMes);
    mes->setMaxLength(9);  // the code while typed, its name once checked
    g->addWidget(mes, linha, 2);
    auto* b = new QToolButton(decimo);
    b->setObjectName(nomeBotao);
    b->setText("...");
    g->addWidget(b, linha, 3);
    botao = b;
    g->addWidget(new QLabel("Valor (R$)", decimo), linha, 4);
    valor = new CaixaValor(decimo);
    valor->setObjectName(nomeValor);
    g->addWidget(valor, linha, 5);
  };
  linha13(0, "Adiantamento ", "deMesAdiantamento", "edAdiantamento", "sbMesAdiantamento", mesAdiantamento_,
          adiantamento_, consultaAdiantamento_);
  linha13(1, "Parcela Final ", "deMesParcelaFinal", "edParcelaFinal", "sbMesParcelaFinal", mesParcelaFinal_,
          parcelaFinal_, consultaParcelaFinal_);
  lay->addWidget(decimo, 6, 0, 1, 4);
}

void GradeMeses::defineSomenteLeitura(bool sim) {
  somenteLeitura_ = sim;
  for (QLineEdit* e : findChildren<QLineEdit*>()) e->setReadOnly(sim);
  consultaAdiantamento_->setVisible(!sim);
  consultaParcelaFinal_->setVisible(!sim);
}

void GradeMeses::mostra(const Linha& v) {
  for (int i = 0; i < 12; ++i) mes(i)->defineCentavos(v[kColunasMeses[i]]);
  adiantamento_->defineCentavos(v["Va13AdiantamentoEmpregado"]);
  parcelaFinal_->defineCentavos(v["Va13ParcelaFinalEmpregado"]);
  mesAdiantamento_->setText(TextoMes13(v["Me13AdiantamentoEmpregado"]));
  mesParcelaFinal_->setText(TextoMes13(v["Me13ParcelaFinalEmpregado"]));
}

}  // namespace vornex::gui
