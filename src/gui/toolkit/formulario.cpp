#include "toolkit/formulario.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QValidator>
#include <algorithm>
#include <stdexcept>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "common/valor.h"
#include "data/erro_banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "entry/fm_tipo_inscricao.h"
#include "toolkit/critica.h"
#include "toolkit/mascara.h"

namespace vornex::gui {

namespace {


// Letters become capitals as they are typed (and as they are pasted).
class ValidadorMaiusculas : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texto, int&) const override {
    texto = QString::fromStdString(Maiusculas(texto.toStdString()));
    return Acceptable;
  }
};

bool Contem(const std::vector<NuMensagem>& lista, NuMensagem m) {
  return std::find(lista.begin(), lista.end(), m) != lista.end();
}

}  // namespace

// --- field -----------------------------------------------------------------------

CampoFormulario& CampoFormulario::adiciona(Regra r, Gravidade g) {
  regras_.push_back({std::move(r), g, {}, {}, nullptr, false});
  return *this;
}

CampoFormulario::RegraDeclarada& CampoFormulario::ultima() {
  if (regras_.empty()) throw std::logic_error("o campo ainda não tem regra: " + coluna_);
  return regras_.back();
}

CampoFormulario& CampoFormulario::avisa(std::initializer_list<NuMensagem> respostas) {
  ultima().avisos.insert(ultima().avisos.end(), respostas);
  return *this;
}

CampoFormulario& CampoFormulario::aceita(std::initializer_list<NuMensagem> respostas) {
  ultima().aceitas.insert(ultima().aceitas.end(), respostas);
  return *this;
}

CampoFormulario& CampoFormulario::foco(QWidget* campo) {
  ultima().foco = campo;
  return *this;
}

CampoFormulario& CampoFormulario::soAoSair() {
  ultima().soAoSair = true;
  return *this;
}

CampoFormulario& CampoFormulario::quando(Condicao c) {
  quando_ = std::move(c);
  return *this;
}

CampoFormulario& CampoFormulario::mesmoVazio() {
  mesmoVazio_ = true;
  return *this;
}

CampoFormulario& CampoFormulario::aposSair(std::function<void()> f) {
  aposSair_ = std::move(f);
  return *this;
}

std::string CampoFormulario::valor() const {
  if (!coluna_.empty()) return form_.registro().valor(coluna_);
  return texto_ ? texto_() : std::string();
}

bool CampoFormulario::vazio() const { return Apara(texto_ ? texto_() : valor()).empty(); }

// --- form ------------------------------------------------------------------------

Formulario::Formulario(RegistroEditado& registro, std::string_view tabela, QWidget* tela) :
    QObject(tela), registro_(registro), tela_(tela), def_(DefinicaoSistema(tabela)) {
  if (def_ == nullptr) def_ = DefinicaoTrabalho(tabela);
  if (def_ == nullptr) throw std::invalid_argument("formulário de tabela desconhecida: " + std::string(tabela));
  EnterComoTab(tela);
}

Formulario::~Formulario() = default;

void Formulario::isenta(std::initializer_list<const QWidget*> controles) {
  isentos_.insert(isentos_.end(), controles);
}

std::string Formulario::colunaDe(std::string_view coluna) const {
  const DefinicaoCampo* c = def_->campo(coluna);
  if (c == nullptr)
    throw std::invalid_argument("a tabela " + def_->nome() + " não tem a coluna " + std::string(coluna));
  return c->nome;  // as the table spells it
}

std::string Formulario::valor(std::string_view coluna) const { return registro_.valor(colunaDe(coluna)); }

CampoFormulario& Formulario::declara(QWidget* widget, std::string_view coluna, bool observaSaida) {
  if (widget == nullptr) throw std::logic_error("campo sem controle: " + std::string(coluna));
  for (const auto& c : campos_)
    if (c->widget_ == widget) throw std::logic_error("controle declarado duas vezes: " + widget->objectName().toStdString());
  std::string nome = coluna.empty() ? std::string() : colunaDe(coluna);
  campos_.push_back(std::unique_ptr<CampoFormulario>(new CampoFormulario(*this, widget, std::move(nome))));
  CampoFormulario& campo = *campos_.back();
  campo.alvo_ = [widget] { return widget; };
  if (auto* caixa = qobject_cast<QLineEdit*>(widget)) campo.texto_ = [caixa] { return ValorCaixa(caixa).toStdString(); };
  // The screen may free its form before its widgets.
  if (observaSaida)
    AoSair(widget, [form = QPointer<Formulario>(this), &campo] {
      if (form) form->aoSair(campo);
    });
  return campo;
}

CampoFormulario& Formulario::texto(QLineEdit* caixa, std::string_view coluna, std::string_view mascara) {
  CampoFormulario& campo = declara(caixa, coluna);
  LigaCampo(caixa, registro_, campo.coluna(), mascara);
  if (mascara.empty())
    if (const int largura = def_->campo(coluna)->tamanho; largura > 0) caixa->setMaxLength(largura);
  return campo;
}

CampoFormulario& Formulario::maiusculas(QLineEdit* caixa, std::string_view coluna) {
  caixa->setValidator(new ValidadorMaiusculas(caixa));
  return texto(caixa, coluna);
}

CampoFormulario& Formulario::valor(QLineEdit* caixa, std::string_view coluna) {
  CampoFormulario& campo = declara(caixa, coluna);
  campo.texto_ = [caixa] { return caixa->text().toStdString(); };
  LigaCampo(caixa, registro_, campo.coluna(),
            ConversaoCampo{[](const std::string& v) { return QString::fromStdString(ValorExibido(v)); },
                           [](const QLineEdit& c) -> std::optional<std::string> {
                             ValorDigitado d = LeValorDigitado(c.text().toStdString());
                             if (!d.critica.ok()) return std::nullopt;
                             return d.centavos;
                           }});
  // Shown in its display form once typed.
  QObject::connect(caixa, &QLineEdit::editingFinished, caixa, [caixa] {
    const ValorDigitado d = LeValorDigitado(caixa->text().toStdString());
    if (d.critica.ok()) caixa->setText(QString::fromStdString(ValorExibido(d.centavos)));
  });
  return campo.regra([caixa](const Formulario&) { return LeValorDigitado(caixa->text().toStdString()).critica; });
}

CampoFormulario& Formulario::marca(QCheckBox* marca, std::string_view coluna, std::string marcado,
                                   std::string desmarcado) {
  CampoFormulario& campo = declara(marca, coluna);
  LigaCampo(marca, registro_, campo.coluna(), std::move(marcado), std::move(desmarcado));
  return campo;
}

CampoFormulario& Formulario::lista(QComboBox* lista, std::string_view coluna) {
  CampoFormulario& campo = declara(lista, coluna);
  LigaCampo(lista, registro_, campo.coluna());
  return campo;
}

CampoFormulario& Formulario::grupo(QButtonGroup* grupo, std::string_view coluna, std::map<int, std::string> codigos,
                                   QWidget* caixa) {
  const QList<QAbstractButton*> botoes = grupo->buttons();
  if (botoes.isEmpty()) throw std::logic_error("grupo sem botões: " + std::string(coluna));
  if (caixa == nullptr) caixa = botoes.front()->parentWidget();
  CampoFormulario& campo = declara(caixa, coluna, false);
  campo.alvo_ = [grupo] {
    QAbstractButton* b = grupo->checkedButton();
    return b != nullptr ? b : grupo->buttons().front();
  };
  // The group is left when the focus goes past its buttons: the box itself
  // never has it.
  for (QAbstractButton* b : botoes)
    AoSair(b, [form = QPointer<Formulario>(this), &campo, grupo] {
      const QWidget* foco = QApplication::focusWidget();
      for (QAbstractButton* outro : grupo->buttons())
        if (outro == foco) return;
      if (form) form->aoSair(campo);
    });
  LigaCampo(grupo, registro_, campo.coluna(), std::move(codigos));
  return campo;
}

CampoFormulario& Formulario::inscricao(QLineEdit* caixa, std::string_view coluna, std::string_view colunaTipo,
                                       QLineEdit* caixaTipo, DesempateInscricao desempate,
                                       std::function<void(const std::string&)> aoDefinir) {
  CampoFormulario& campo = declara(caixa, coluna);
  const std::string col = campo.coluna();
  const std::string tipo = colunaDe(colunaTipo);
  RegistroEditado& r = registro_;
  // The type's mask once the digits fit it: fourteen digits typed over a CEI
  // keep the free mask until the field's rule has decided their type.
  const auto mascara = MascaraDeExibicao(caixa, [&r, tipo](const QString& valor) -> std::string_view {
    const std::string t = r.valor(tipo);
    if (t == kTipoCnpj && valor.size() == 14) return kMascaraCnpj;
    if (t == kTipoCei && valor.size() <= 12) return kMascaraCei;
    return {};
  });
  // A CEI is stored with "00" in front and shown without it.
  LigaCampo(caixa, r, col,
            ConversaoCampo{[&r, tipo](const std::string& v) {
                             const bool cei = r.valor(tipo) == kTipoCei && v.size() == 14 && v.starts_with("00");
                             return QString::fromStdString(cei ? v.substr(2) : v);
                           },
                           [](const QLineEdit& c) { return std::optional(ValorCaixa(&c).toStdString()); }});
  QObject::connect(&r, &RegistroEditado::campoAlterado, caixa, [mascara, tipo](const QString& c) {
    if (c.toStdString() == tipo) mascara();
  });
  mascara();
  if (caixaTipo != nullptr) {
    caixaTipo->setReadOnly(true);
    caixaTipo->setFocusPolicy(Qt::NoFocus);
    LigaCampo(caixaTipo, r, tipo,
              ConversaoCampo{[](const std::string& t) { return QString::fromStdString(NomeTipoInscricao(t)); },
                             [](const QLineEdit&) { return std::optional<std::string>(); }});
  }
  // Asked once per number: confirming does not ask again.
  auto perguntado = std::make_shared<std::string>();
  return campo.regra([this, caixa, &r, col, tipo, desempate, aoDefinir, perguntado, mascara](const Formulario&) {
    const std::string digitada = ValorCaixa(caixa).toStdString();
    InscricaoDigitada d = AnalisaInscricao(digitada, desempate);
    if (!d.critica.ok()) {
      if (aoDefinir) aoDefinir({});
      return d.critica;
    }
    if (d.tipo.empty()) {
      if (*perguntado == d.inscricao && !r.valor(tipo).empty())
        d.tipo = r.valor(tipo);
      else
        d.tipo = PerguntaTipoInscricao(tela_);
      *perguntado = d.inscricao;
    }
    r.define(tipo, d.tipo);
    r.define(col, d.inscricao);
    mascara();
    if (aoDefinir) aoDefinir(d.tipo);
    return kSemOcorrencia;
  });
}

CampoFormulario& Formulario::livre(QWidget* widget) { return declara(widget, {}); }

void Formulario::chaveDuplicada(NuMensagem mensagem, QWidget* campo) {
  chaveDuplicada_ = mensagem;
  focoChave_ = campo;
}

// --- running ---------------------------------------------------------------------

void Formulario::verifica(CampoFormulario& campo, Momento momento) {
  const bool saida = momento == Momento::Saida;
  for (const auto& regra : campo.regras_) {
    if (regra.soAoSair && !saida) continue;
    const NuMensagem r = regra.regra(*this);
    if (r.ok() || Contem(regra.aceitas, r)) continue;
    const Gravidade g = Contem(regra.avisos, r) ? Gravidade::Aviso : regra.gravidade;
    QWidget* alvo = regra.foco != nullptr ? regra.foco : campo.alvo_();
    if (g == Gravidade::Erro || (saida && g == Gravidade::ErroAoSair)) FalhaCritica(r, alvo);
    if (saida && g == Gravidade::Aviso) MostraMensagem(r);
  }
}

void Formulario::sai(CampoFormulario& campo) {
  const bool aplica = (!campo.quando_ || campo.quando_(*this)) && (campo.mesmoVazio_ || !campo.vazio());
  if (aplica) verifica(campo, Momento::Saida);
  if (campo.aposSair_) campo.aposSair_();
}

void Formulario::aoSair(CampoFormulario& campo) {
  // The row may be gone (the screen cancelled) by the time the field is left.
  if (!registro_.editando() || !PodeValidar(isentos_)) return;
  sai(campo);
}

bool Formulario::verificaSaida(QWidget* widget) {
  for (auto& c : campos_) {
    if (c->widget_ != widget) continue;
    bool ok = false;
    Protegido([&] {
      sai(*c);
      ok = true;
    });
    return ok;
  }
  throw std::logic_error("controle fora do formulário: " + widget->objectName().toStdString());
}

bool Formulario::confirma() {
  struct Confirmando {
    bool& b;
    explicit Confirmando(bool& x) : b(x) { b = true; }
    ~Confirmando() { b = false; }
  } confirmando(confirmando_);
  bool ok = false;
  Protegido([&] {
    for (auto& c : campos_)
      if (!c->quando_ || c->quando_(*this)) verifica(*c, Momento::Confirmacao);
    ok = true;
  });
  return ok;
}

bool Formulario::grava(const Gravacao& gravacao) {
  if (!confirma()) return false;
  try {
    gravacao(registro_.linha());
  } catch (const ErroBanco& e) {
    if (!e.violacaoChave() || !chaveDuplicada_) throw;
    Protegido([&] { FalhaCritica(*chaveDuplicada_, focoChave_); });
    return false;
  }
  return true;
}

}  // namespace vornex::gui
