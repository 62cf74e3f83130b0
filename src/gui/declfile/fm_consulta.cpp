// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/listas.h"
#include "casos/vinculo.h"
#include "consulta/arquivo_consultado.h"
#include "consulta/exibicao.h"
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>

#include "data/dm_vornex.h"
#include "declfile/fm_consulta.h"
#include "reports/fm_relatorio.h"
#include "toolkit/assistente.h"
#include "toolkit/critica.h"
#include "toolkit/grade_leitura.h"
#include "toolkit/grade_meses.h"
#include "ui_fm_consulta01.h"
#include "ui_fm_consulta02.h"
#include "ui_fm_consulta03.h"
#include "ui_fm_consulta04.h"
#include "ui_fm_consulta05.h"

namespace vornex::gui {

namespace {

// Each shown field has the box "de" + its key.
void MostraCampos(QWidget* janela, const CamposExibidos& campos) {
  for (const auto& [chave, texto] : campos) {
    const QString nome = "de" + QString::fromStdString(chave);
    const QString t = QString::fromStdString(texto);
    if (auto* e = janela->findChild<QLineEdit*>(nome)) {
      e->setText(t);
      e->setCursorPosition(0);
    } else if (auto* c = janela->findChild<QCheckBox*>(nome)) {
      c->setChecked(texto == "1");
    } else if (auto* l = janela->findChild<QLabel*>(nome)) {
      l->setText(t);
    }
  }
}

// A list of the work tables' rows, its columns as stored; Enter and a
// double click act as "&Consultar".
void MontaLista(GradeLeitura* grade, std::vector<ColunaGrade> colunas, QAbstractButton* consultar) {
  grade->defineColunas(std::move(colunas));
  MantemEnter(grade);
  QObject::connect(grade, &GradeLeitura::ativada, consultar, [consultar] { consultar->click(); });
}

}  // namespace

// --- the chain --------------------------------------------------------------------

JanelaConsulta::JanelaConsulta(bool& fecha, QWidget* pai) : QDialog(pai), fecha_(fecha) {
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
}

void JanelaConsulta::abre(QDialog& proxima) { MostraSeguinte(*this, proxima, fecha_); }

void JanelaConsulta::ligaFechar(QAbstractButton* fechar) {
  connect(fechar, &QAbstractButton::clicked, this, [this] {
    fecha_ = true;
    reject();
  });
}

void JanelaConsulta::ligaNavegacao(QAbstractButton* anterior, QAbstractButton* proximo,
                                   std::function<GradeLeitura*()> grade) {
  anterior_ = anterior, proximo_ = proximo, grade_ = std::move(grade);
  auto move = [this](int passo) {
    GradeLeitura* g = grade_();
    g->vaiPara(g->linhaAtual() + passo);
    preenche();
  };
  connect(anterior, &QAbstractButton::clicked, this, [move] { move(-1); });
  connect(proximo, &QAbstractButton::clicked, this, [move] { move(+1); });
}

void JanelaConsulta::atualizaNavegacao() {
  const GradeLeitura* g = grade_();
  const int linha = g->linhaAtual();
  anterior_->setEnabled(linha > 0);
  proximo_->setEnabled(linha >= 0 && linha + 1 < g->modelo().rowCount());
}

// --- one link -----------------------------------------------------------------------

TfmConsulta05::TfmConsulta05(TdmVornex& dm, bool& fecha, TfmConsulta04& lista, QWidget* pai)
    : JanelaConsulta(fecha, pai), dm_(dm), lista_(lista), ui_(std::make_unique<Ui::TfmConsulta05>()) {
  ui_->setupUi(this);
  ui_->gmMeses->defineSomenteLeitura(true);
  // Room for the month with its name and for an amount with its points.
  for (QLineEdit* mes : {ui_->gmMeses->mesAdiantamento(), ui_->gmMeses->mesParcelaFinal()}) {
    mes->setMaxLength(32767);
    mes->setMinimumWidth(110);
  }
  for (QLineEdit* valor : {ui_->gmMeses->adiantamento(), ui_->gmMeses->parcelaFinal()}) valor->setMinimumWidth(100);
  resize(1060, 780);
  ligaFechar(ui_->bbFechar);
  ligaNavegacao(ui_->bbAnterior, ui_->bbProximo, [&lista] { return lista.grade(); });
  connect(ui_->bbVoltar, &QPushButton::clicked, this, &QDialog::reject);
  EnterComoTab(this);
}

TfmConsulta05::~TfmConsulta05() = default;

void TfmConsulta05::showEvent(QShowEvent* e) {
  JanelaConsulta::showEvent(e);
  if (!e->spontaneous()) preenche();
}

void TfmConsulta05::preenche() {
  atualizaNavegacao();
  const Linha* v = lista_.grade()->atual();
  if (v == nullptr) return;
  const CamposExibidos campos = ExibeVinculoArquivo(*v, dm_.referencias());
  MostraCampos(this, campos);
  // The months grid shows the viewer's own forms, not the entry screen's;
  // its boxes align to the right themselves, so without the leading blanks.
  GradeMeses* g = ui_->gmMeses;
  auto texto = [&campos](const char* coluna) { return QString::fromStdString(campos.at(coluna)).trimmed(); };
  for (int m = 0; m < 12; ++m) g->mes(m)->setText(texto(kColunasMeses[m]));
  g->mesAdiantamento()->setText(texto("Me13AdiantamentoEmpregado"));
  g->adiantamento()->setText(texto("Va13AdiantamentoEmpregado"));
  g->mesParcelaFinal()->setText(texto("Me13ParcelaFinalEmpregado"));
  g->parcelaFinal()->setText(texto("Va13ParcelaFinalEmpregado"));
}

// --- the link list ------------------------------------------------------------------

TfmConsulta04::TfmConsulta04(TdmVornex& dm, bool& fecha, TfmConsulta03& estabelecimento, QWidget* pai)
    : JanelaConsulta(fecha, pai),
      dm_(dm),
      estabelecimento_(estabelecimento),
      ui_(std::make_unique<Ui::TfmConsulta04>()),
      passo05_(dm, fecha, *this, pai) {
  ui_->setupUi(this);
  MontaLista(ui_->dgEmpregados,
             {{"PIS/PASEP", "CoPisPasepEmpregado", {}},
              {"Data Admissão", "DaAdmissaoEmpregado", {}},
              {"Nome Empregado/Servidor", "NoEmpregado", {}},
              {"Data Nascimento", "DaNascimentoEmpregado", {}}},
             ui_->bbConsultar);
  ligaFechar(ui_->bbFechar);
  connect(ui_->bbVoltar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->bbConsultar, &QPushButton::clicked, this, [this] { consulta(); });
  for (QRadioButton* b : {ui_->rbPis, ui_->rbNome})
    connect(b, &QRadioButton::toggled, this, [this](bool marcado) {
      if (marcado) preenche();
    });
  EnterComoTab(this);
}

TfmConsulta04::~TfmConsulta04() = default;
GradeLeitura* TfmConsulta04::grade() const { return ui_->dgEmpregados; }

void TfmConsulta04::prepara() {
  if (ui_->rbPis->isChecked())
    preenche();
  else
    ui_->rbPis->setChecked(true);
  ui_->dgEmpregados->vaiPara(0);
}

void TfmConsulta04::preenche() {
  const Linha* e = estabelecimento_.atual();
  ui_->dgEmpregados->defineLinhas(
      e ? VinculosDoArquivo(dm_.conexao(), *e, ui_->rbNome->isChecked() ? OrdemVinculos::Nome : OrdemVinculos::Pis)
        : std::vector<Linha>{});
}

void TfmConsulta04::consulta() {
  if (ui_->dgEmpregados->atual() != nullptr) abre(passo05_);
}

// --- one establishment ----------------------------------------------------------------

TfmConsulta03::TfmConsulta03(TdmVornex& dm, bool& fecha, TfmConsulta02& lista, QWidget* pai)
    : JanelaConsulta(fecha, pai),
      dm_(dm),
      lista_(lista),
      ui_(std::make_unique<Ui::TfmConsulta03>()),
      passo04_(dm, fecha, *this, pai) {
  ui_->setupUi(this);
  ligaFechar(ui_->bbFechar);
  ligaNavegacao(ui_->bbAnterior, ui_->bbProximo, [&lista] { return lista.grade(); });
  connect(ui_->bbVoltar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->bbEmpregados, &QPushButton::clicked, this, [this] {
    passo04_.prepara();
    abre(passo04_);
  });
  EnterComoTab(this);
}

TfmConsulta03::~TfmConsulta03() = default;
const Linha* TfmConsulta03::atual() const { return lista_.grade()->atual(); }

void TfmConsulta03::showEvent(QShowEvent* e) {
  JanelaConsulta::showEvent(e);
  if (!e->spontaneous()) preenche();
}

void TfmConsulta03::preenche() {
  atualizaNavegacao();
  const Linha* e = atual();
  if (e == nullptr) return;
  MostraCampos(this, ExibeEstabelecimentoArquivo(*e, dm_.referencias()));
  ui_->bbEmpregados->setEnabled((*e)["InZemaNegEstabelecimento"] == "0");
}

// --- the establishment list -------------------------------------------------------------

TfmConsulta02::TfmConsulta02(TdmVornex& dm, bool& fecha, QWidget* pai)
    : JanelaConsulta(fecha, pai), dm_(dm), ui_(std::make_unique<Ui::TfmConsulta02>()), passo03_(dm, fecha, *this, pai) {
  ui_->setupUi(this);
  MontaLista(ui_->dgEstabelecimentos,
             {{"CNPJ/CEI", "CoCgcCeiEstabelecimento", {}},
              {"Prefixo", "NuPrefixoEstabelecimento", {}},
              {"Nome/Firma/Razão Social", "NoRazaoEstabelecimento", {}},
              {"CEI Vinculado", "CoCgcVinculado", {}},
              {"Núm. Vínculos", "NuVinculosEstabelecimento", {}}},
             ui_->bbConsultar);
  ligaFechar(ui_->bbFechar);
  connect(ui_->bbVoltar, &QPushButton::clicked, this, &QDialog::reject);
  connect(ui_->bbConsultar, &QPushButton::clicked, this, [this] { consulta(); });
  EnterComoTab(this);
  resize(620, 400);
}

TfmConsulta02::~TfmConsulta02() = default;
GradeLeitura* TfmConsulta02::grade() const { return ui_->dgEstabelecimentos; }

void TfmConsulta02::showEvent(QShowEvent* e) {
  JanelaConsulta::showEvent(e);
  if (!e->spontaneous()) preenche();
}

void TfmConsulta02::preenche() { ui_->dgEstabelecimentos->defineLinhas(EstabelecimentosDoArquivo(dm_.conexao())); }

void TfmConsulta02::consulta() {
  if (ui_->dgEstabelecimentos->atual() != nullptr) abre(passo03_);
}

// --- the file summary ---------------------------------------------------------------------

TfmConsulta01::TfmConsulta01(TdmVornex& dm, QWidget* pai)
    : JanelaConsulta(fecha_, pai), dm_(dm), ui_(std::make_unique<Ui::TfmConsulta01>()), passo02_(dm, fecha_, pai) {
  ui_->setupUi(this);
  ligaFechar(ui_->bbFechar);
  connect(ui_->bbConteudo, &QPushButton::clicked, this, [this] { abre(passo02_); });
  connect(ui_->bbRelatorio, &QPushButton::clicked, this, [this] {
    hide();
    AbreAssistenteRelatorio(dm_, OrigemLista::Trabalho, parentWidget());
    show();
  });
  EnterComoTab(this);
}

TfmConsulta01::~TfmConsulta01() = default;

void TfmConsulta01::showEvent(QShowEvent* e) {
  JanelaConsulta::showEvent(e);
  if (!e->spontaneous()) preenche();
}

void TfmConsulta01::preenche() {
  if (const auto r = ResponsavelDoArquivo(dm_.conexao())) MostraCampos(this, ExibeResponsavelArquivo(*r));
}

}  // namespace vornex::gui
