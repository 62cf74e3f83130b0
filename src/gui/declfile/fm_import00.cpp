// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include "app/comandos.h"
#include "app/programa.h"
#include "casos/importa_arquivo.h"
#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "data/tabelas_trabalho.h"
#include "declfile/analise_estrutura.h"
#include "declfile/fm_analis_comum.h"
#include "declfile/fm_import.h"
#include "reports/rp_estrut.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_import00.h"
#include "ui_fm_import01.h"

namespace vornex::gui {

namespace {
QString TextoModo(bool anoAnterior) { return QString::fromStdString(TextoModoImportacao(anoAnterior)); }
}  // namespace

TfmImport00::TfmImport00(TdmVornex& dm, bool anoAnterior, QWidget* pai)
    : PassoAssistente(fecha_, kTituloImport, pai),
      dm_(dm),
      anoAnterior_(anoAnterior),
      ui_(std::make_unique<Ui::TfmImport00Form>()) {
  setObjectName("fmImport00");
  setWindowTitle(QString(kTituloImport) + " (Declaração Ano-Base " + TextoModo(anoAnterior) + ")");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->PAnoBase->setText("Declaração Ano-Base " + TextoModo(anoAnterior));
  ui_->PVerificando->hide();
  btVoltar()->setEnabled(false);
  LigaLocalizar(ui_->BtLocalizar, ui_->arquivo, "Arquivos ZEMA|Zema*|Texto|*.txt|Todos|*.*");
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraProgress, ui_->PVerificando, nullptr, btCancelar(),
                                          {btVoltar(), btAvancar(), ui_->BtLocalizar, ui_->arquivo}});
  EnterComoTab(this);
  resize(620, 420);
}

TfmImport00::~TfmImport00() = default;

QLineEdit* TfmImport00::arquivo() const { return ui_->arquivo; }

void TfmImport00::avancar() {
  PedidoImportacaoArquivo pedido;
  pedido.arquivo = ui_->arquivo->text().toStdString();
  pedido.anoAnterior = anoAnterior_;
  if (!ConfereArquivo(ui_->arquivo)) return;
  // Nothing chosen yet: the file is analysed into the work tables and the
  // choice is made on the next step.
  const auto r = passagem_->executa([&](AcompanhamentoPassagem& a) {
    MeiosImportacao meios;
    meios.estrutura = &a;
    return ImportaArquivo(dm_.conexao(), pedido, meios);
  });
  if (!r.falha.empty()) {
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, r.falha);
    return;
  }
  if (r.estrutura & kAnaliseErros) {
    TfmImport01 erros(dm_, fecha_, parentWidget());
    avancaPara(erros);
    if (isVisible()) fechaAssistente();
    return;
  }
  if (r.estrutura & kAnaliseInterrompida) {
    ui_->arquivo->clear();
    ui_->arquivo->setFocus();
    return;
  }
  TfmImport02 selecao(dm_, fecha_, anoAnterior_, false, parentWidget());
  avancaPara(selecao);
  if (isVisible()) fechaAssistente();
}

void TfmImport00::done(int r) {
  ExcluiTabelasTrabalho(dm_.conexao(),
                        {kTrabalhoEstabelecimento, kTrabalhoVinculo, kTabelaImportacao, kTabelaEstrutura});
  PassoAssistente::done(r);
}

TfmImport01::TfmImport01(TdmVornex& dm, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloImport, pai), ui_(std::make_unique<Ui::TfmImport01Form>()) {
  setObjectName("fmImport01");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  TornaPassoFinal(*this);
  LigaRelatorioEstrutura(dm, ui_->BtVisualizar, ui_->BtRelatorio);
  EnterComoTab(this);
  resize(620, 420);
}

TfmImport01::~TfmImport01() = default;

namespace {
const RegistroAcao kImpAnterior{Comando::ImpAnoAnterior, [](Programa& programa, QWidget* janela) {
                                  MostraTela<TfmImport00>(programa.dmVornex(), true, janela);
                                }};
const RegistroAcao kImpAtual{Comando::ImpAnoAtual, [](Programa& programa, QWidget* janela) {
                               MostraTela<TfmImport00>(programa.dmVornex(), false, janela);
                             }};
}  // namespace

}  // namespace vornex::gui
