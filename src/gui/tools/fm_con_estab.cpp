#include "tools/fm_con_estab.h"

#include <QApplication>
#include <QHeaderView>
#include <QRegularExpressionValidator>
#include <QKeyEvent>
#include <QPushButton>

#include "app/acoes_estabelecimento.h"
#include "app/comandos.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/dm_vornex.h"
#include "entry/acoes_estab.h"
#include "entry/fm_dados_estab.h"
#include "entry/fm_nova_decl.h"
#include "entry/fm_tipo_inscricao.h"
#include "validation/inscricao_digitada.h"
#include "tools/aviso_pendente.h"
#include "toolkit/critica.h"
#include "ui_fm_con_estab.h"

namespace vornex::gui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The registration in print by its type; other types as stored.
QString Inscricao(const LinhaConsultaEstab& l) {
  if (l.tipo == "1" || l.tipo == "3") return Q(FormataInscricao(l.inscricao, l.tipo));
  return Q(l.inscricao);
}

QString CeiVinculado(const std::string& cei) {
  const auto v = Apara(cei);
  if (v.empty() || SoZeros(v)) return {};
  return Q(FormataInscricao(cei, "3"));
}

std::vector<ModeloConsultaEstab::Coluna> Colunas() {
  return {{"CNPJ/CEI", Inscricao},
          {"Prefixo", [](const LinhaConsultaEstab& l) { return Q(l.prefixo); }},
          {"Nome/Firma/Razão Social", [](const LinhaConsultaEstab& l) { return Q(l.razao); }},
          {"CEI Vinculado", [](const LinhaConsultaEstab& l) { return CeiVinculado(l.ceiVinculado); }},
          {"Empregados", [](const LinhaConsultaEstab& l) { return Q(l.vinculos); }}};
}

}  // namespace

// --- the window -----------------------------------------------------------------------

TfmConEstab::TfmConEstab(TdmVornex& dm, TdmEntradaDados& entrada, QWidget* pai)
    : QDialog(pai), dm_(dm), entrada_(entrada), ui_(std::make_unique<Ui::TfmConEstab>()), modelo_(Colunas()) {
  ui_->setupUi(this);
  ui_->paAno->setText(QString("Declaração Ano-Base %1").arg(AnoBaseDeclaracao));
  ui_->mdInscricao->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9]{0,14}"), ui_->mdInscricao));
  ui_->DBGridEstab->setModel(&modelo_);
  ui_->DBGridEstab->setSelectionBehavior(QAbstractItemView::SelectRows);
  ui_->DBGridEstab->setSelectionMode(QAbstractItemView::SingleSelection);
  ui_->DBGridEstab->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ui_->DBGridEstab->verticalHeader()->hide();
  ui_->DBGridEstab->setWordWrap(false);
  // Widths from the printed forms, not from the rows: measuring thousands of
  // rows would cost more than the query.
  QHeaderView* h = ui_->DBGridEstab->horizontalHeader();
  const QFontMetrics fm(ui_->DBGridEstab->font());
  const int margem = 2 * fm.horizontalAdvance(' ') + 12;
  h->resizeSection(0, fm.horizontalAdvance("00.000.000/0000-00") + margem);
  h->resizeSection(1, fm.horizontalAdvance("Prefixo") + margem);
  h->resizeSection(3, fm.horizontalAdvance("00.000.00000/00") + margem);
  h->resizeSection(4, fm.horizontalAdvance("Empregados") + margem);
  h->setSectionResizeMode(2, QHeaderView::Stretch);
  ui_->DBGridEstab->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
  ui_->DBGridEstab->setMinimumWidth(h->sectionSize(0) + h->sectionSize(1) + h->sectionSize(3) +
                                    h->sectionSize(4) + fm.horizontalAdvance(QString(40, 'M')));
  ui_->DBGridEstab->installEventFilter(this);
  MantemEnter(ui_->DBGridEstab);
  EnterComoTab(this);

  connect(ui_->SbTodos, &QPushButton::clicked, this, [this] { todos(); });
  for (QPushButton* b : findChildren<QPushButton*>()) {
    const QString nome = b->objectName();
    if (nome.startsWith("Sb") && nome != "SbTodos")
      connect(b, &QPushButton::clicked, this, [this, b] { letra(b->text()); });
  }
  auto busca = [this] {
    if (!montando_) pMontaQuery();
  };
  connect(ui_->mdInscricao, &QLineEdit::textChanged, this, busca);
  connect(ui_->edRazao, &QLineEdit::textChanged, this, busca);
  AoSair(ui_->mdInscricao, [this] {
    if (QApplication::focusWidget() == ui_->BtRetornar || QApplication::focusWidget() == ui_->DBGridEstab) return;
    pMontaQuery();
    pSetaFoco(true);
  });
  AoSair(ui_->edRazao, [this] {
    if (QApplication::focusWidget() == ui_->BtRetornar || QApplication::focusWidget() == ui_->DBGridEstab) return;
    if (!ui_->edRazao->text().trimmed().isEmpty()) {
      pMontaQuery();
      pSetaFoco(false);
    }
  });
  connect(ui_->DBGridEstab, &QAbstractItemView::doubleClicked, this,
          [this] { modo_ == Modo::Abrir ? BtExibirClick() : BtExcluirClick(); });
  connect(ui_->BtExibir, &QPushButton::clicked, this, [this] { Protegido([this] { BtExibirClick(); }); });
  connect(ui_->BtExcluir, &QPushButton::clicked, this, [this] { Protegido([this] { BtExcluirClick(); }); });
  connect(ui_->BtRetornar, &QPushButton::clicked, this, [this] { BtRetornarClick(); });
  defineModo(Modo::Abrir);
}

TfmConEstab::~TfmConEstab() = default;

void TfmConEstab::defineModo(Modo modo) {
  modo_ = modo;
  ui_->BtExibir->setVisible(modo == Modo::Abrir);
  ui_->BtExcluir->setVisible(modo == Modo::Excluir);
}

int TfmConEstab::CarregaEstabelecimentos() {
  todos();
  const int n = modelo_.rowCount();
  if (n == 0) QMetaObject::invokeMethod(this, [this] { reject(); }, Qt::QueuedConnection);
  return n;
}

void TfmConEstab::pMontaQuery() {
  FiltroConsultaEstab f;
  f.anBase = std::string(AnoBase);
  f.inscricao = ui_->mdInscricao->text().trimmed().toStdString();
  f.razao = ui_->edRazao->text().trimmed().toStdString();
  f.letras = letras_;
  modelo_.define(ConsultaEstabelecimentos(dm_.conexao(), f));
  if (modelo_.rowCount() > 0) ui_->DBGridEstab->selectRow(0);
}

void TfmConEstab::letra(const QString& letras) {
  montando_ = true;
  ui_->mdInscricao->clear();
  ui_->edRazao->clear();
  montando_ = false;
  letras_ = letras.toStdString();
  pMontaQuery();
  pSetaFoco(false);
}

void TfmConEstab::todos() { letra({}); }

void TfmConEstab::pSetaFoco(bool aposInscricao) {
  if (aposInscricao && ui_->mdInscricao->text().trimmed().isEmpty()) {
    ui_->edRazao->setFocus();
    return;
  }
  const int n = modelo_.rowCount();
  if (n >= 2)
    ui_->DBGridEstab->setFocus();
  else if (n == 1)
    (modo_ == Modo::Excluir ? ui_->BtExcluir : ui_->BtExibir)->setFocus();
  else if (modo_ == Modo::Abrir)
    ui_->BtExibir->setFocus();
}

const LinhaConsultaEstab* TfmConEstab::selecionado() const {
  const QModelIndex i = ui_->DBGridEstab->currentIndex();
  if (!i.isValid() || i.row() >= modelo_.rowCount()) return nullptr;
  const auto& l = modelo_.linhas()[static_cast<std::size_t>(i.row())];
  return Apara(l.inscricao).empty() ? nullptr : &l;
}

void TfmConEstab::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  CarregaEstabelecimentos();
  ui_->mdInscricao->setFocus();
}

void TfmConEstab::BtExibirClick() {
  const LinhaConsultaEstab* l = selecionado();
  if (!l) {
    MostraMensagem("1301"_msg);
    todos();
    return;
  }
  const ChaveEstabelecimento chave{l->anBase, l->inscricao, l->prefixo};
  PedidoSelecao pedido{chave, std::nullopt};
  ResultadoSelecao r = ValidaEstabSelecionado(dm_.conexao(), pedido);
  if (r.perguntaTipo) {
    pedido.tipoEscolhido = PerguntaTipoInscricao(this) == kTipoCei ? "CEI" : "CNPJ";
    r = ValidaEstabSelecionado(dm_.conexao(), pedido);
  }
  if (!r.mensagem.ok()) {
    MostraMensagem(r.mensagem);
    return;
  }
  hide();
  AbreDadosEstab({dm_, entrada_, chave, this, false, false});
  // Back from the establishment and its links: the list as it now stands.
  if (!isVisible()) show();
}

void TfmConEstab::BtExcluirClick() {
  const LinhaConsultaEstab* l = selecionado();
  if (!l) {
    MostraMensagem("1301"_msg);
    return;
  }
  const ChaveEstabelecimento chave{l->anBase, l->inscricao, l->prefixo};
  AvisaOperacaoPendente(dm_, chave);
  const AcaoSobreEstabelecimento* exclui = AcaoDe(AcaoEstabelecimento::Excluir);
  if (!exclui || !programa_) return;
  hide();
  (*exclui)(*programa_, this, chave);
  if (!isVisible()) show();
}

void TfmConEstab::BtRetornarClick() { reject(); }

void TfmConEstab::abreAssistente(int tecla) {
  const AcaoEstabelecimento acao = tecla == Qt::Key_F3   ? AcaoEstabelecimento::TransferirVinculos
                                   : tecla == Qt::Key_F4 ? AcaoEstabelecimento::ExcluirVinculos
                                                         : AcaoEstabelecimento::AlterarVinculo;
  const AcaoSobreEstabelecimento* a = AcaoDe(acao);
  if (!a || !programa_) return;
  const LinhaConsultaEstab* l = selecionado();
  const ChaveEstabelecimento chave = l ? ChaveEstabelecimento{l->anBase, l->inscricao, l->prefixo} : ChaveEstabelecimento{};
  hide();
  (*a)(*programa_, this, chave);
  reject();
}

bool TfmConEstab::eventFilter(QObject* o, QEvent* e) {
  if (o == ui_->DBGridEstab && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      Protegido([this] { modo_ == Modo::Abrir ? BtExibirClick() : BtExcluirClick(); });
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

void TfmConEstab::keyPressEvent(QKeyEvent* e) {
  const auto mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (mods == (Qt::ControlModifier | Qt::AltModifier) &&
      (e->key() == Qt::Key_F3 || e->key() == Qt::Key_F4 || e->key() == Qt::Key_F5)) {
    abreAssistente(e->key());
    return;
  }
  QDialog::keyPressEvent(e);
}

// --- the main window's commands -------------------------------------------------------

namespace {

// The consultation lives as long as the main window that made it.
TfmConEstab& Consulta(Programa& p, QWidget* janela) {
  if (auto* c = janela ? janela->findChild<TfmConEstab*>(QString(), Qt::FindDirectChildrenOnly) : nullptr) return *c;
  auto* c = new TfmConEstab(p.dmVornex(), p.dmEntradaDados(), janela);
  c->definePrograma(&p);
  return *c;
}

void Mostra(Programa& p, QWidget* janela, TfmConEstab::Modo modo) {
  TfmConEstab& c = Consulta(p, janela);
  c.defineModo(modo);
  Dialogo().executa(c);
}

const RegistroAcao abrir{Comando::Abrir,
                         [](Programa& p, QWidget* j) { Mostra(p, j, TfmConEstab::Modo::Abrir); }};
const RegistroAcao excluir{Comando::Excluir,
                           [](Programa& p, QWidget* j) { Mostra(p, j, TfmConEstab::Modo::Excluir); }};

}  // namespace

}  // namespace vornex::gui
