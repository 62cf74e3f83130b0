// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include "app/comandos.h"
#include "app/programa.h"
#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "data/tabelas_trabalho.h"
#include "declfile/analise_estrutura.h"
#include "declfile/fm_analis.h"
#include "declfile/fm_analis_comum.h"
#include "reports/rp_estrut.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_analis00.h"
#include "validation/consistencia.h"
#include "validation/fm_ver_inco.h"

namespace vornex::gui {

namespace {

// The check's progress on its own bar; the interruption is the structure
// pass's (one cancel button for both).
class BarraVerificacao : public AcompanhamentoPassagem {
 public:
  BarraVerificacao(QProgressBar* barra, AcompanhamentoPassagem& principal, QLabel* rotulo, QString texto)
      : barra_(barra), principal_(principal), rotulo_(rotulo), texto_(std::move(texto)) {}
  // The label tells the check has begun.
  void progresso(int p) override {
    if (!texto_.isEmpty()) rotulo_->setText(texto_), texto_.clear();
    barra_->setValue(p);
  }
  bool interrompe() override { return principal_.interrompe(); }

 private:
  QProgressBar* barra_;
  AcompanhamentoPassagem& principal_;
  QLabel* rotulo_;
  QString texto_;
};

}  // namespace

TfmAnalis00::TfmAnalis00(TdmVornex& dm, QWidget* pai)
    : PassoAssistente(fecha_, kTituloAnalis, pai),
      dm_(dm),
      ui_(std::make_unique<Ui::TfmAnalis00Form>()),
      passo2_(dm, fecha_, pai) {
  setObjectName("fmAnalis00");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->stPaineis->setCurrentWidget(ui_->PArquivo);
  btVoltar()->setEnabled(false);
  btAvancar()->setEnabled(false);
  disconnect(btVoltar(), nullptr, this, nullptr);
  connect(btVoltar(), &QPushButton::clicked, this, [this] { voltar(); });
  connect(ui_->arquivo, &QLineEdit::textChanged, this, [this] { btAvancar()->setEnabled(true); });
  LigaLocalizar(ui_->BtLocalizar, ui_->arquivo, "Arquivos Zema|Zema*|Arquivos Texto|*.txt|Todos os Arquivos|*.*");
  LigaRelatorioEstrutura(dm, ui_->BtVisualizar, ui_->BtRelatorio);
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraEstrutura, nullptr, nullptr, btCancelar(),
                                          {btVoltar(), btAvancar(), ui_->BtLocalizar}});
  EnterComoTab(this);
  resize(620, 420);
}

TfmAnalis00::~TfmAnalis00() = default;

QLineEdit* TfmAnalis00::arquivo() const { return ui_->arquivo; }
QPushButton* TfmAnalis00::BtLocalizar() const { return ui_->BtLocalizar; }
QStackedWidget* TfmAnalis00::paineis() const { return ui_->stPaineis; }
QWidget* TfmAnalis00::PErroEstrutura() const { return ui_->PErroEstrutura; }

void TfmAnalis00::voltar() {
  ui_->stPaineis->setCurrentWidget(ui_->PArquivo);
  btVoltar()->setEnabled(false);
  btAvancar()->setEnabled(true);
  btCancelar()->setText("&Cancelar");
  ui_->arquivo->setFocus();
}

void TfmAnalis00::avancar() {
  if (!ConfereArquivo(ui_->arquivo)) return;
  const std::filesystem::path caminho = ui_->arquivo->text().toStdString();
  ui_->BarraEstrutura->setValue(0);
  ui_->BarraVerificacao->setValue(0);
  ui_->lblAnalisando->setText("Analisando o arquivo:" + ui_->arquivo->text());
  ui_->stPaineis->setCurrentWidget(ui_->PAnalise);
  const auto r = passagem_->executa([&](AcompanhamentoPassagem& a) {
    BarraVerificacao verificacao(ui_->BarraVerificacao, a, ui_->lblAnalisando,
                                 "Consistindo o arquivo:" + ui_->arquivo->text());
    PedidoAnaliseArquivo pedido;
    pedido.arquivo = caminho;
    MeiosAnalise meios{&a, &verificacao};
    return AnalisaEVerifica(dm_.conexao(), pedido, meios);
  });
  if (!r.falha.empty()) {
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, r.falha);
    voltar();
    return;
  }
  if (r.estrutura & kAnaliseErros) {
    ui_->stPaineis->setCurrentWidget(ui_->PErroEstrutura);
    btVoltar()->setEnabled(true);
    btAvancar()->setEnabled(false);
    btCancelar()->setText("&Fechar");
    return;
  }
  if ((r.estrutura & kAnaliseInterrompida) || !r.verificado) {
    voltar();
    return;
  }
  if (r.verificacao & kConsistenciaInterrompida) {
    Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, kMsgConsistenciaInterrompida);
    voltar();
    return;
  }
  passo2_.mostra((r.verificacao & kConsistenciaErros)    ? TfmAnalis01::Desfecho::Erros
                 : (r.verificacao & kConsistenciaAvisos) ? TfmAnalis01::Desfecho::Avisos
                                                         : TfmAnalis01::Desfecho::Nada,
                 r.retificacao());
  avancaPara(passo2_);
  // This step closes when the result returns.
  if (isVisible()) fechaAssistente();
}

void TfmAnalis00::done(int r) {
  ExcluiTabelasTrabalho(dm_.conexao(), {kTrabalhoEstabelecimento, kTrabalhoVinculo, kTrabalhoResponsavel,
                                        kTabelaErros, kTabelaEstrutura});
  PassoAssistente::done(r);
}

namespace {
const RegistroAcao kAnalisador{Comando::Analisador, [](Programa& programa, QWidget* janela) {
                                 MostraTela<TfmAnalis00>(programa.dmVornex(), janela);
                               }};
}  // namespace

}  // namespace vornex::gui
