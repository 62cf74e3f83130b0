// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/listas.h"
#include "reports/rp_relatorios.h"
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/comandos.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "reports/fm_print_opc.h"
#include "reports/fm_relatorio.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/chaves_lista.h"
#include "toolkit/lista_marcavel.h"
#include "ui_fm_relatorio00.h"
#include "ui_fm_relatorio01.h"
#include "ui_fm_relatorio02.h"
#include "ui_fm_relatorio03.h"

namespace vornex::gui {

namespace {

template <typename Forma>
void MontaForma(PassoAssistente& passo, Forma& ui) {
  auto* forma = new QWidget(&passo);
  ui.setupUi(forma);
  passo.conteudo()->addWidget(forma);
  passo.resize(620, 440);
}

OrdemVinculos OrdemDe(relatorio::Classificacao c) {
  switch (c) {
    case relatorio::Classificacao::Nome: return OrdemVinculos::Nome;
    case relatorio::Classificacao::Uso: return OrdemVinculos::UsoEmpresa;
    case relatorio::Classificacao::Pis: break;
  }
  return OrdemVinculos::Pis;
}

void Avisa(const char* texto) { Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, texto); }

}  // namespace

// --- step 4 ----------------------------------------------------------------------

TfmRelatorio01::TfmRelatorio01(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloRelatorio, pai),
      dm_(dm),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmRelatorio01Form>()) {
  setObjectName("fmRelatorio01");
  MontaForma(*this, *ui_);
  btAvancar()->hide();
  ui_->clbEmpregados->defineLimite(kLimiteLinhasLista, [] { Avisa(kMsgMuitosEmpregados); });
  connect(ui_->clbEmpresas, &ListaMarcavel::marcacaoAlterada, this,
          [this](int linha, bool marcado) { empresaMarcada(linha, marcado); });
  connect(ui_->rbLimpar, &QRadioButton::clicked, this, [this] { ui_->clbEmpregados->marcaTodos(false); });
  connect(ui_->rbMarcarTodos, &QRadioButton::clicked, this, [this] { ui_->clbEmpregados->marcaTodos(true); });
  connect(ui_->rbTotal, &QRadioButton::clicked, this, [this] { ui_->clbEmpregados->limpa(); });
  connect(ui_->rbParcial, &QRadioButton::clicked, this, [this] { escolheParcial(); });
  connect(ui_->bbVisualizar, &QPushButton::clicked, this, [this] { visualiza(); });
  connect(ui_->bbImprimir, &QPushButton::clicked, this, [this] { imprime(); });
}

TfmRelatorio01::~TfmRelatorio01() = default;

ListaMarcavel* TfmRelatorio01::clbEmpresas() const { return ui_->clbEmpresas; }
ListaMarcavel* TfmRelatorio01::clbEmpregados() const { return ui_->clbEmpregados; }
QRadioButton* TfmRelatorio01::rbTotal() const { return ui_->rbTotal; }
QRadioButton* TfmRelatorio01::rbParcial() const { return ui_->rbParcial; }
QRadioButton* TfmRelatorio01::rbLimpar() const { return ui_->rbLimpar; }
QRadioButton* TfmRelatorio01::rbMarcarTodos() const { return ui_->rbMarcarTodos; }
QPushButton* TfmRelatorio01::bbVisualizar() const { return ui_->bbVisualizar; }
QPushButton* TfmRelatorio01::bbImprimir() const { return ui_->bbImprimir; }

void TfmRelatorio01::showEvent(QShowEvent* e) {
  PassoAssistente::showEvent(e);
  // Reloaded at every showing: the order chosen on step 3 may have changed.
  if (!e->spontaneous()) preencheEmpresas();
}

void TfmRelatorio01::preencheEmpresas() {
  ui_->clbEmpregados->limpa();
  PedidoListaEstabelecimentos p;
  p.anoBase = estado_.anoBase;
  p.origem = estado_.origem;
  p.forma = FormaItemEstabelecimento::Relatorio;
  const auto lista = ListaEstabelecimentos(dm_.conexao(), p);
  ui_->clbEmpresas->preenche(
      lista.itens, [](const ItemEstabelecimento& i) { return QString::fromStdString(i.texto); },
      [](const ItemEstabelecimento& i) { return i.chave; });
}

void TfmRelatorio01::preencheEmpregados(int linha) {
  PedidoListaVinculos p;
  p.estabelecimento = ui_->clbEmpresas->chaveDe<ChaveEstabelecimento>(linha);
  p.origem = estado_.origem;
  p.ordem = OrdemDe(estado_.classificacao);
  p.comUsoEmpresa = true;
  const auto lista = ListaVinculos(dm_.conexao(), p);
  ui_->clbEmpregados->preenche(
      lista.itens, [](const ItemVinculo& i) { return QString::fromStdString(i.texto); },
      [](const ItemVinculo& i) { return i.chave; });
}

void TfmRelatorio01::empresaMarcada(int linha, bool marcado) {
  if (ajustando_ || !ui_->rbParcial->isChecked()) return;
  // A partial report is of one establishment: checking one unchecks the rest.
  if (marcado) {
    ajustando_ = true;
    for (int i = 0; i < ui_->clbEmpresas->count(); ++i)
      if (i != linha) ui_->clbEmpresas->marca(i, false);
    ajustando_ = false;
  }
  preencheEmpregados(linha);
}

void TfmRelatorio01::escolheParcial() {
  auto* empresas = ui_->clbEmpresas;
  if (empresas->contaMarcados() >= 2) {
    Avisa(kMsgParcialUmEstabelecimento);
    ui_->rbTotal->setChecked(true);
    return;
  }
  int ultima = -1;
  for (int i = 0; i < empresas->count(); ++i)
    if (empresas->marcado(i)) ultima = i;
  ui_->clbEmpregados->limpa();
  if (ultima < 0) return;
  empresas->setCurrentRow(ultima);
  preencheEmpregados(ultima);
  ui_->clbEmpregados->setFocus();
}

relatorio::OpcoesDeclaracao TfmRelatorio01::opcoes() const {
  relatorio::OpcoesDeclaracao op;
  op.completo = estado_.completo;
  op.classificacao = estado_.classificacao;
  op.deTabelasTrabalho = estado_.origem == OrigemLista::Trabalho;
  op.anoBase = estado_.anoBase;
  for (const auto& k : ui_->clbEmpresas->chavesMarcadas<ChaveEstabelecimento>())
    op.estabelecimentos.push_back({k.inscricao, k.prefixo});
  if (ui_->rbParcial->isChecked())
    for (const auto& k : ui_->clbEmpregados->chavesMarcadas<ChaveVinculo>())
      op.vinculos.push_back({k.pis, k.admissao, k.nome});
  return op;
}

bool TfmRelatorio01::confereSelecao() {
  if (ui_->clbEmpresas->contaMarcados() == 0) {
    Avisa(kMsgSemEmpresa);
    return false;
  }
  if (ui_->rbParcial->isChecked() && ui_->clbEmpregados->contaMarcados() == 0) {
    Avisa(kMsgSemEmpregado);
    return false;
  }
  return true;
}

void TfmRelatorio01::visualiza() {
  if (!confereSelecao()) return;
  relatorio::TrpRelatorios doc(dm_.conexao(), opcoes());
  ExecutaRelatorio(AcaoRelatorio::Visualizar, doc, kTituloRelatorio, this);
}

void TfmRelatorio01::imprime() {
  if (!confereSelecao()) return;
  relatorio::TrpRelatorios doc(dm_.conexao(), opcoes());
  ImprimeComOpcoes(doc, this);
}

// --- step 3 ----------------------------------------------------------------------

TfmRelatorio00::TfmRelatorio00(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloRelatorio, pai),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmRelatorio00Form>()),
      passo4_(dm, estado, fecha, pai) {
  setObjectName("fmRelatorio00");
  MontaForma(*this, *ui_);
}

TfmRelatorio00::~TfmRelatorio00() = default;
QRadioButton* TfmRelatorio00::rbUso() const { return ui_->rbUso; }
QRadioButton* TfmRelatorio00::rbNome() const { return ui_->rbNome; }

void TfmRelatorio00::avancar() {
  using relatorio::Classificacao;
  estado_.classificacao = ui_->rbNome->isChecked()  ? Classificacao::Nome
                          : ui_->rbUso->isChecked() ? Classificacao::Uso
                                                    : Classificacao::Pis;
  avancaPara(passo4_);
}

// --- step 2 ----------------------------------------------------------------------

TfmRelatorio02::TfmRelatorio02(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloRelatorio, pai),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmRelatorio02Form>()),
      passo3_(dm, estado, fecha, pai) {
  setObjectName("fmRelatorio02");
  MontaForma(*this, *ui_);
}

TfmRelatorio02::~TfmRelatorio02() = default;
QRadioButton* TfmRelatorio02::rbResumido() const { return ui_->rbResumido; }

void TfmRelatorio02::showEvent(QShowEvent* e) {
  PassoAssistente::showEvent(e);
  if (e->spontaneous()) return;
  ui_->rbCompleto->setChecked(true);
  ui_->laAnoBase->setText("Ano-Base da declaração " + QString::fromStdString(estado_.anoBase));
}

void TfmRelatorio02::avancar() {
  estado_.completo = ui_->rbCompleto->isChecked();
  avancaPara(passo3_);
}

// --- step 1 ----------------------------------------------------------------------

TfmRelatorio03::TfmRelatorio03(TdmVornex& dm, OrigemLista origem, QWidget* pai)
    : PassoAssistente(fecha_, kTituloRelatorio03, pai),
      estado_{origem},
      ui_(std::make_unique<Ui::TfmRelatorio03Form>()),
      passo2_(dm, estado_, fecha_, pai) {
  setObjectName("fmRelatorio03");
  MontaForma(*this, *ui_);
  btVoltar()->setEnabled(false);
}

TfmRelatorio03::~TfmRelatorio03() = default;

void TfmRelatorio03::avancar() { avancaPara(passo2_); }

void AbreAssistenteRelatorio(TdmVornex& dm, OrigemLista origem, QWidget* janela) {
  TfmRelatorio03 passo1(dm, origem, janela);
  Dialogo().executa(origem == OrigemLista::Trabalho ? static_cast<QDialog&>(passo1.passo2())
                                                    : static_cast<QDialog&>(passo1));
}

namespace {
const RegistroAcao kRelatorio{Comando::Relatorio, [](Programa& programa, QWidget* janela) {
                                AbreAssistenteRelatorio(programa.dmVornex(), OrigemLista::Declaracao, janela);
                              }};
}  // namespace

}  // namespace vornex::gui
