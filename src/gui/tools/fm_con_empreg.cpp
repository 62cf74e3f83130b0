#include "tools/fm_con_empreg.h"

#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QKeyEvent>
#include <algorithm>

#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_empreg.h"
#include "toolkit/critica.h"
#include "ui_fm_con_empreg.h"

namespace vornex::gui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// The row of the link last opened, kept for the whole run.
int PosicaoLembrada = 0;

std::vector<ModeloConsultaVinculos::Coluna> Colunas() {
  return {{"PIS/PASEP", [](const LinhaConsultaVinculo& l) { return Q(FormataPis(l.pis)); }},
          {"Nome do Empregado/Servidor", [](const LinhaConsultaVinculo& l) { return Q(l.nome); }},
          {"Data Admissão", [](const LinhaConsultaVinculo& l) {
             return Q(l.admissao.size() == 8 ? FormataData(l.admissao) : l.admissao);
           }}};
}

}  // namespace

// --- the window -----------------------------------------------------------------------

TfmConEmpreg::TfmConEmpreg(const ContextoEstab& contexto, QWidget* pai)
    : QDialog(pai), ctx_(contexto), ui_(std::make_unique<Ui::TfmConEmpreg>()), modelo_(Colunas()) {
  ui_->setupUi(this);
  ui_->edPisPasep->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]{0,11}"), ui_->edPisPasep));
  QTableView* g = ui_->DBGridVinculo;
  g->setModel(&modelo_);
  g->setSelectionBehavior(QAbstractItemView::SelectRows);
  g->setSelectionMode(QAbstractItemView::SingleSelection);
  g->setEditTriggers(QAbstractItemView::NoEditTriggers);
  g->verticalHeader()->hide();
  g->setWordWrap(false);
  // Widths from the printed forms and rows of one fixed height: nothing is
  // measured row by row, whatever the number of links.
  QHeaderView* h = g->horizontalHeader();
  const QFontMetrics fm(g->font());
  const int margem = 2 * fm.horizontalAdvance(' ') + 12;
  h->resizeSection(0, fm.horizontalAdvance("000.00000.00.0") + margem);
  h->resizeSection(2, fm.horizontalAdvance("Data Admissão") + margem);
  h->setSectionResizeMode(1, QHeaderView::Stretch);
  g->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  g->verticalHeader()->setDefaultSectionSize(fm.height() + 6);
  g->setMinimumWidth(h->sectionSize(0) + h->sectionSize(2) + fm.horizontalAdvance(QString(40, 'M')));
  MantemEnter(g);
  EnterComoTab(this);

  connect(ui_->SbTodos, &QPushButton::clicked, this, [this] { letra({}); });
  for (QPushButton* b : findChildren<QPushButton*>()) {
    const QString nome = b->objectName();
    if (nome.startsWith("Sb") && nome != "SbTodos")
      connect(b, &QPushButton::clicked, this, [this, b] { letra(b->text()); });
  }
  auto busca = [this] {
    if (!montando_) MontaQuery();
  };
  connect(ui_->edPisPasep, &QLineEdit::textChanged, this, busca);
  connect(ui_->edNome, &QLineEdit::textChanged, this, busca);
  AoSair(ui_->edPisPasep, [this] {
    if (!mudaFoco()) return;
    MontaQuery();
    SetaFoco(true);
  });
  AoSair(ui_->edNome, [this] {
    if (!mudaFoco()) return;
    if (ui_->edNome->text().trimmed().isEmpty()) return;
    MontaQuery();
    SetaFoco(false);
  });
  connect(g, &QAbstractItemView::doubleClicked, this, [this] { Protegido([this] { BtExibirClick(); }); });
  connect(ui_->BtNovo, &QPushButton::clicked, this, [this] { Protegido([this] { BtNovoClick(); }); });
  connect(ui_->BtExibir, &QPushButton::clicked, this, [this] { Protegido([this] { BtExibirClick(); }); });
  connect(ui_->BtRetornar, &QPushButton::clicked, this, [this] { BtRetornarClick(); });
  g->installEventFilter(this);
}

// Enter on the grid opens the row.
bool TfmConEmpreg::eventFilter(QObject* o, QEvent* e) {
  if (o == ui_->DBGridVinculo && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      Protegido([this] { BtExibirClick(); });
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

TfmConEmpreg::~TfmConEmpreg() = default;

// Leaving a search field for a button or the grid keeps the list as it is.
bool TfmConEmpreg::mudaFoco() const {
  const QWidget* f = QApplication::focusWidget();
  return f != ui_->BtNovo && f != ui_->BtRetornar && f != ui_->DBGridVinculo && f != ui_->BtExibir;
}

void TfmConEmpreg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  const auto estab = BuscaEstabelecimento(ctx_.dm.conexao(), ctx_.chave);
  const std::string tipo = estab ? (*estab)["InInscrEstabelecimento"] : std::string("1");
  const std::string insc = InscricaoArmazenada(ctx_.chave.inscricao);
  ui_->edInscricao->setText(Q(FormataInscricao(insc, tipo == "1" ? "1" : "3")));
  ui_->edPrefixo->setText(Q(ctx_.chave.prefixo));
  ui_->edRazao->setText(estab ? Q((*estab)["NoRazaoEstabelecimento"]) : QString());
  ui_->paAno->setText(ctx_.chave.anBase == "2004" ? "Declaração Ano-Base 2004 " : "Encerramento de Atividades - 2005 ");
  montando_ = true;
  ui_->edPisPasep->clear();
  ui_->edNome->clear();
  montando_ = false;
  letras_.clear();
  MontaQuery();
  if (modelo_.rowCount() > 0)
    ui_->DBGridVinculo->selectRow(std::clamp(PosicaoLembrada, 0, modelo_.rowCount() - 1));
  ui_->edPisPasep->setFocus();
}

void TfmConEmpreg::MontaQuery() {
  FiltroConsultaVinculos f;
  f.estab = ctx_.chave;
  f.pis = ui_->edPisPasep->text().trimmed().toStdString();
  f.nome = ui_->edNome->text().trimmed().toStdString();
  f.letras = letras_;
  modelo_.define(ConsultaVinculos(ctx_.dm.conexao(), f));
  if (modelo_.rowCount() > 0) ui_->DBGridVinculo->selectRow(0);
}

void TfmConEmpreg::letra(const QString& letras) {
  montando_ = true;
  ui_->edPisPasep->clear();
  ui_->edNome->clear();
  montando_ = false;
  letras_ = letras.toStdString();
  MontaQuery();
  SetaFoco(false);
}

void TfmConEmpreg::SetaFoco(bool aposPis) {
  if (aposPis && ui_->edPisPasep->text().trimmed().isEmpty()) {
    ui_->edNome->setFocus();
    return;
  }
  const int n = modelo_.rowCount();
  if (n == 1)
    ui_->BtExibir->setFocus();
  else if (n > 1)
    ui_->DBGridVinculo->setFocus();
  else
    ui_->BtNovo->setFocus();
}

int TfmConEmpreg::linhaAtual() const {
  const QModelIndex i = ui_->DBGridVinculo->currentIndex();
  return i.isValid() && i.row() < modelo_.rowCount() ? i.row() : -1;
}

void TfmConEmpreg::BtExibirClick() {
  const int i = linhaAtual();
  if (i < 0) {
    Dialogo().pergunta({TipoDialogo::Erro, Botoes::Ok, "Você deve selecionar um empregado.", {}});
    letra({});
    return;
  }
  PosicaoLembrada = i;
  const LinhaConsultaVinculo l = modelo_.linhas()[static_cast<std::size_t>(i)];
  if (Apara(l.pis).empty()) {
    // A link without PIS/PASEP cannot be edited, only deleted.
    if (!Dialogo().confirmaSim("Este empregado deve ser excluído. Deseja excluir ?")) return;
    ExcluiVinculo(ctx_.dm.conexao(), {ctx_.chave, l.pis, l.admissao, l.nome, l.sequencial});
    MontaQuery();
    return;
  }
  ContextoEmpreg c{ctx_, l.pis, l.admissao, l.nome};
  c.estab.janela = this;
  hide();
  volta(AbreDadosEmpreg(c));
}

void TfmConEmpreg::BtNovoClick() {
  ContextoEmpreg c{ctx_, {}, {}, {}};
  c.estab.janela = this;
  hide();
  volta(AbreDadosEmpreg(c));
}

void TfmConEmpreg::volta(const SaidaEmpreg& s) {
  if (s.semVinculos) {
    semVinculos_ = true;
    reject();
    return;
  }
  show();
  montando_ = true;
  ui_->edPisPasep->setText(Q(s.pisConsulta));
  ui_->edNome->clear();
  montando_ = false;
  letras_.clear();
  MontaQuery();
  if (s.pisConsulta.empty() && modelo_.rowCount() > 0)
    ui_->DBGridVinculo->selectRow(std::clamp(PosicaoLembrada, 0, modelo_.rowCount() - 1));
  SetaFoco(!s.pisConsulta.empty());
}

void TfmConEmpreg::BtRetornarClick() { reject(); }

// --- the establishment screen's way in ---------------------------------------------------

namespace {

void MostraConsulta(const ContextoEstab& c) {
  TfmConEmpreg con(c, c.janela);
  Dialogo().executa(con);
}

const RegistroAcaoEstab kConsulta{AcaoEstab::ConsultaVinculos, MostraConsulta};
// The first link of an establishment; once it has links, the consultation.
const RegistroAcaoEstab kNovo{AcaoEstab::NovoVinculo, [](const ContextoEstab& c) {
                                const SaidaEmpreg s = AbreDadosEmpreg({c, {}, {}, {}});
                                if (!s.semVinculos) MostraConsulta(c);
                              }};

}  // namespace

}  // namespace vornex::gui
