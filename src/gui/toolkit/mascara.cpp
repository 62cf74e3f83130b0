#include "toolkit/mascara.h"

#include <QEvent>
#include <QLineEdit>
#include <QVariant>

namespace vornex::gui {

namespace {

constexpr const char* kPropriedadeMascara = "vornexMascara";

bool MetaQt(QChar c) { return QStringLiteral("AaNnXx90Dd#HhBb><![]{}\\;").contains(c); }

}  // namespace

MascaraEdicao ConverteMascara(std::string_view texto) {
  MascaraEdicao m;
  const QString todo = QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
  // The mask itself may hold an escaped ';'; the two trailing fields do not.
  QString corpo = todo;
  const qsizetype ultimo = todo.lastIndexOf(';');
  if (ultimo > 0 && todo[ultimo - 1] != '\\') {
    const qsizetype penultimo = todo.lastIndexOf(';', ultimo - 1);
    if (penultimo > 0 && todo[penultimo - 1] != '\\') {
      corpo = todo.left(penultimo);
      m.salvaLiterais = todo.mid(penultimo + 1, ultimo - penultimo - 1) != "0";
      const QString b = todo.mid(ultimo + 1);
      if (!b.isEmpty()) m.branco = b[0];
    } else {
      corpo = todo.left(ultimo);
      m.salvaLiterais = todo.mid(ultimo + 1) != "0";
    }
  }
  QString qt;
  for (qsizetype i = 0; i < corpo.size(); ++i) {
    const QChar c = corpo[i];
    auto digita = [&](const char* q) {
      qt += QLatin1String(q);
      m.entrada.push_back(true);
    };
    auto literal = [&](QChar l) {
      if (MetaQt(l)) qt += '\\';
      qt += l;
      m.entrada.push_back(false);
    };
    switch (c.unicode()) {
      case '0': digita("9"); break;
      case '9': digita("0"); break;
      case '#': digita("#"); break;
      case 'L': digita("A"); break;
      case 'l': digita("a"); break;
      case 'A': digita("N"); break;
      case 'a': digita("n"); break;
      case 'C': digita("X"); break;
      case 'c': digita("x"); break;
      case '>':
        if (i + 1 < corpo.size() && corpo[i + 1] == '<') {
          qt += '!';
          ++i;
        } else {
          qt += '>';
        }
        break;
      case '<': qt += '<'; break;
      case '!': break;  // trims leading blanks: nothing of Qt's
      case '\\':
        if (i + 1 < corpo.size()) literal(corpo[++i]);
        break;
      case '_': literal(QChar(' ')); break;
      default: literal(c); break;
    }
  }
  m.qt = qt.isEmpty() ? QString() : qt + ';' + m.branco;
  return m;
}

QString ValorMascarado(const MascaraEdicao& m, const QString& exibido) {
  QString v;
  for (qsizetype i = 0; i < exibido.size(); ++i) {
    const bool digitado = static_cast<std::size_t>(i) < m.entrada.size() ? m.entrada[i] : true;
    if (!digitado && !m.salvaLiterais) continue;
    const QChar c = exibido[i];
    v += (digitado && c == m.branco) ? QChar(' ') : c;
  }
  while (!v.isEmpty() && v.back() == ' ') v.chop(1);
  return v;
}

void AplicaMascara(QLineEdit* caixa, std::string_view mascara) {
  const QString valor = ValorCaixa(caixa);
  const MascaraEdicao m = ConverteMascara(mascara);
  caixa->setProperty(kPropriedadeMascara, QString::fromUtf8(mascara.data(), static_cast<qsizetype>(mascara.size())));
  caixa->setInputMask(m.qt);
  caixa->setText(valor);
  caixa->setCursorPosition(0);
}

QString ValorCaixa(const QLineEdit* caixa) {
  const QString mascara = caixa->property(kPropriedadeMascara).toString();
  if (mascara.isEmpty() || caixa->inputMask().isEmpty()) return caixa->text();
  return ValorMascarado(ConverteMascara(mascara.toStdString()), caixa->displayText());
}

namespace {

class FiltroMascara : public QObject {
 public:
  FiltroMascara(QLineEdit* caixa, std::function<void()> aplica) : QObject(caixa), aplica_(std::move(aplica)) {
    caixa->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut) aplica_();
    return false;
  }

 private:
  std::function<void()> aplica_;
};

}  // namespace

std::function<void()> MascaraDeExibicao(QLineEdit* caixa, std::function<std::string_view(const QString&)> exibicao,
                                        std::string_view digitacao) {
  const std::string entrada(digitacao);
  auto aplica = [caixa, exibicao = std::move(exibicao), entrada] {
    std::string_view m = entrada;
    if (!caixa->hasFocus()) {
      // An empty box shows no blanks until it is entered.
      const QString valor = ValorCaixa(caixa).trimmed();
      const std::string_view e = valor.isEmpty() ? std::string_view{} : exibicao(valor);
      if (!e.empty() || valor.isEmpty()) m = e;
    }
    if (caixa->property(kPropriedadeMascara).toString().toStdString() != m) AplicaMascara(caixa, m);
  };
  new FiltroMascara(caixa, aplica);
  aplica();
  return aplica;
}

void SoMaiusculas(QLineEdit* caixa) {
  QObject::connect(caixa, &QLineEdit::textEdited, caixa, [caixa](const QString& t) {
    if (t != t.toUpper()) {
      const int pos = caixa->cursorPosition();
      caixa->setText(t.toUpper());
      caixa->setCursorPosition(pos);
    }
  });
}

}  // namespace vornex::gui
