// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_analis.h"
#include "declfile/fm_analis_comum.h"
#include "reports/rp_erros.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_analis01.h"

namespace vornex::gui {

namespace {
const QString kOutraPasta = QStringLiteral("Outra pasta...");
}  // namespace

void PreencheDrives(QComboBox* lista) {
  lista->clear();
  for (const Midia& m : ListaMidias())
    lista->addItem(QString::fromStdString(m.descricao.empty() ? m.pasta.string() : m.descricao),
                   QString::fromStdString(m.pasta.string()));
  lista->addItem(kOutraPasta);
  lista->setCurrentIndex(-1);
}

TfmAnalis01::TfmAnalis01(TdmVornex& dm, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloAnalis, pai), dm_(dm), ui_(std::make_unique<Ui::TfmAnalis01Form>()) {
  setObjectName("fmAnalis01");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  btAvancar()->setText("&Gravar");
  btAvancar()->setObjectName("BtGravar");
  LigaRelatorioErros(dm, ui_->BtVisualizarErros, ui_->BtErros);
  LigaRelatorioErros(dm, ui_->BtVisualizarAvisos, ui_->BtAvisos);
  connect(ui_->BtCorrigir, &QPushButton::clicked, this, [this] { MostraTela<TfmAnalisRegras>(dm_, this); });
  passagem_ = new PassagemNoPasso(*this, {nullptr, nullptr, nullptr, btCancelar(), {btVoltar(), btAvancar()}});
  EnterComoTab(this);
  resize(620, 420);
}

TfmAnalis01::~TfmAnalis01() = default;

QWidget* TfmAnalis01::painel(Desfecho d) const {
  switch (d) {
    case Desfecho::Erros: return ui_->PErros;
    case Desfecho::Avisos: return ui_->PAvisos;
    case Desfecho::Nada: break;
  }
  return ui_->POk;
}

void TfmAnalis01::mostra(Desfecho d, bool retificacao) {
  retificacao_ = retificacao;
  ui_->stPaineis->setCurrentWidget(painel(d));
  btAvancar()->setEnabled(d != Desfecho::Erros);
  PreencheDrives(ui_->cbDriveAvisos);
  PreencheDrives(ui_->cbDriveOk);
}

QStackedWidget* TfmAnalis01::paineis() const { return ui_->stPaineis; }
QComboBox* TfmAnalis01::cbDrive() const {
  return ui_->stPaineis->currentWidget() == ui_->PAvisos ? ui_->cbDriveAvisos : ui_->cbDriveOk;
}
QPushButton* TfmAnalis01::BtCorrigir() const { return ui_->BtCorrigir; }
QPushButton* TfmAnalis01::BtVisualizar() const { return ui_->BtVisualizarErros; }

void TfmAnalis01::avancar() {
  QComboBox* lista = cbDrive();
  if (lista->currentIndex() < 0) {
    MostraMensagem("0600"_msg);
    lista->setFocus();
    return;
  }
  const std::optional<Midia> midia = MidiaEscolhida(lista);
  if (!midia) return;
  MidiaGui midias;
  MeiosGravacao meios;
  meios.primeira = *midia;
  meios.midias = &midias;
  const RelatorioGravacao g = passagem_->executa([&](AcompanhamentoPassagem& a) {
    meios.gravacao = &a;
    return RegravaArquivoAnalisado(dm_.conexao(), retificacao_, meios);
  });
  switch (g.resultado) {
    case ResultadoGravacao::Interrompido:
      Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, std::string(kMsgGravacaoInterrompida));
      fechaAssistente();
      return;
    case ResultadoGravacao::Falhou:
      Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, g.mensagem);
      return;
    case ResultadoGravacao::Gravado: break;
  }
  TfmAnalis02 fim(dm_, flagFecha(), parentWidget());
  avancaPara(fim);
  if (isVisible()) fechaAssistente();
}

}  // namespace vornex::gui
