// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "data/tabelas_trabalho.h"
#include "declfile/fm_analis_comum.h"
#include "declfile/fm_import.h"
#include "reports/rp_import.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "toolkit/lista_marcavel.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_import02.h"
#include "ui_fm_import03.h"

namespace vornex::gui {

TfmImport02::TfmImport02(TdmVornex& dm, bool& fecha, bool anoAnterior, bool modoAnalisador, QWidget* pai)
    : PassoAssistente(fecha, kTituloImport, pai), dm_(dm), ui_(std::make_unique<Ui::TfmImport02Form>()) {
  setObjectName("fmImport02");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->PImportando->hide();
  btAvancar()->setText("C&oncluir");
  btAvancar()->setObjectName("BtConcluir");
  btVoltar()->setEnabled(false);
  opcoes_.anoAnterior = anoAnterior;
  opcoes_.modoAnalisador = modoAnalisador;
  const ModoImportacao modo = ModoDoTexto(TextoModoImportacao(anoAnterior));
  anoOrigem_ = modo.anoOrigem;
  ui_->lblStatus->setText(QString::fromStdString("Informações referentes ao ano " + anoOrigem_));
  itens_ = EstabelecimentosDoArquivo(dm_.conexao(), anoOrigem_);
  for (std::size_t i = 0; i < itens_.size(); ++i)
    ui_->LEmpresas->adiciona(QString::fromStdString(itens_[i].texto()), static_cast<int>(i));
  ui_->LEmpresas->antesDeMarcar([this](int linha, bool novo) {
    ui_->rbSelecionarTodos->setAutoExclusive(false);
    ui_->rbLimparTodos->setAutoExclusive(false);
    ui_->rbSelecionarTodos->setChecked(false);
    ui_->rbLimparTodos->setChecked(false);
    ui_->rbSelecionarTodos->setAutoExclusive(true);
    ui_->rbLimparTodos->setAutoExclusive(true);
    if (novo && !itens_[static_cast<std::size_t>(linha)].prefixoImportavel()) {
      Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, std::string(kTextoPrefixoNaoImportavel));
      return false;
    }
    return true;
  });
  connect(ui_->rbSelecionarTodos, &QRadioButton::clicked, this, [this] { selecionaTodos(); });
  connect(ui_->rbLimparTodos, &QRadioButton::clicked, this, [this] { ui_->LEmpresas->marcaTodos(false); });
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraProgress, ui_->PImportando, nullptr, btCancelar(),
                                          {btVoltar(), btAvancar(), ui_->LEmpresas}});
  if (modoAnalisador) {
    ui_->rbSelecionarTodos->setChecked(true);
    selecionaTodos();
  }
  EnterComoTab(this);
  resize(640, 460);
}

TfmImport02::~TfmImport02() = default;

ListaMarcavel* TfmImport02::LEmpresas() const { return ui_->LEmpresas; }
QRadioButton* TfmImport02::rbSelecionarTodos() const { return ui_->rbSelecionarTodos; }
QRadioButton* TfmImport02::rbLimparTodos() const { return ui_->rbLimparTodos; }

void TfmImport02::selecionaTodos() {
  const std::size_t n = QuantosSelecionaTodos(itens_);
  for (std::size_t i = 0; i < itens_.size(); ++i) ui_->LEmpresas->marca(static_cast<int>(i), i < n);
  if (n < itens_.size()) {
    ui_->LEmpresas->setCurrentRow(static_cast<int>(n));
    Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, std::string(kTextoPrefixoInvalidoTodos));
  }
}

void TfmImport02::avancar() {
  std::vector<ItemImportacao> escolhidos;
  for (int i : ui_->LEmpresas->chavesMarcadas<int>()) escolhidos.push_back(itens_[static_cast<std::size_t>(i)]);
  if (escolhidos.empty()) {
    MostraMensagem("1301"_msg);
    ui_->LEmpresas->setFocus();
    return;
  }
  passagem_->executa(
      [&](AcompanhamentoPassagem& a) { return ImportaEstabelecimentos(dm_.conexao(), opcoes_, escolhidos, a); });
  TfmImport03 fim(dm_, flagFecha(), anoOrigem_, parentWidget());
  avancaPara(fim);
  if (isVisible()) fechaAssistente();
}

TfmImport03::TfmImport03(TdmVornex& dm, bool& fecha, std::string anoOrigem, QWidget* pai)
    : PassoAssistente(fecha, kTituloImport, pai), ui_(std::make_unique<Ui::TfmImport03Form>()) {
  setObjectName("fmImport03");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  TornaPassoFinal(*this);
  auto relatorio = [&dm]() -> std::unique_ptr<relatorio::Documento> {
    return std::make_unique<relatorio::TrpImport>(dm.conexao());
  };
  const QString titulo = QString::fromStdString("Relatório de Importação de Dados  " + anoOrigem);
  LigaRelatorio(ui_->BtVisualizar, AcaoRelatorio::Visualizar, titulo, relatorio);
  LigaRelatorio(ui_->BtRelatorio, AcaoRelatorio::Imprimir, titulo, relatorio);
  EnterComoTab(this);
  resize(620, 420);
}

TfmImport03::~TfmImport03() = default;

QPushButton* TfmImport03::BtVisualizar() const { return ui_->BtVisualizar; }

void AbreImportacaoDoAnalisador(TdmVornex& dm, QWidget* pai) {
  bool fecha = false;
  MostraTela<TfmImport02>(dm, fecha, false, true, pai);
  ExcluiTabelasTrabalho(dm.conexao(), {kTabelaImportacao});
}

}  // namespace vornex::gui
