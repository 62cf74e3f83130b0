// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/analisa_arquivo.h"
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>

#include "app/comandos.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_analis_comum.h"
#include "declfile/fm_consulta.h"
#include "toolkit/critica.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_consulta_disquete.h"

namespace vornex::gui {

TfmConsultaDisquete::TfmConsultaDisquete(TdmVornex& dm, QWidget* pai)
    : QDialog(pai), dm_(dm), ui_(std::make_unique<Ui::TfmConsultaDisquete>()) {
  ui_->setupUi(this);
  setWindowFlags((windowFlags() | Qt::CustomizeWindowHint) & ~Qt::WindowCloseButtonHint);
  passagem_ = new PassagemNoPasso(*this, {ui_->prCarregarArq, nullptr, nullptr, ui_->bbCancelar,
                                          {ui_->bbLocalizar, ui_->bbVoltar, ui_->edArquivo}});
  LigaLocalizar(ui_->bbLocalizar, ui_->edArquivo, "Arquivos Zema|Zema*|Todos os Arquivos|*.*");
  // A path picked in the dialog is consulted at once.
  connect(ui_->bbLocalizar, &QPushButton::clicked, this, [this] {
    if (!ui_->edArquivo->text().trimmed().isEmpty()) ConsultaArquivo(ui_->edArquivo->text());
  });
  AoSair(ui_->edArquivo, [this] { saiDoArquivo(); });
  LigaRelatorioEstrutura(dm, ui_->bbVisualizar, ui_->bbImprimir);
  // While the analysis runs the button is its interruption (PassagemNoPasso).
  connect(ui_->bbCancelar, &QPushButton::clicked, this, [this] {
    if (!passagem_->rodando()) reject();
  });
  connect(ui_->bbVoltar, &QPushButton::clicked, this, [this] { voltar(); });
  EnterComoTab(this);
  resize(560, 300);
}

TfmConsultaDisquete::~TfmConsultaDisquete() = default;

bool TfmConsultaDisquete::analisando() const { return passagem_->rodando(); }

void TfmConsultaDisquete::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;
  mostraArquivo();
  ui_->bbVoltar->hide();
  ui_->laStatus->hide();
  ui_->prCarregarArq->hide();
  ui_->edArquivo->setFocus();
}

void TfmConsultaDisquete::mostraArquivo() {
  ui_->paRelatorio->hide();
  ui_->paConsDisquete->show();
  ui_->bbLocalizar->setEnabled(true);
}

void TfmConsultaDisquete::saiDoArquivo() {
  if (passagem_->rodando() || !isVisible() || !PodeValidar({ui_->bbCancelar})) return;
  if (ui_->edArquivo->text().trimmed().isEmpty()) return;
  if (ConfereArquivo(ui_->edArquivo)) ConsultaArquivo(ui_->edArquivo->text());
}

void TfmConsultaDisquete::voltar() {
  ui_->bbVoltar->hide();
  mostraArquivo();
  ui_->prCarregarArq->hide();
  ui_->edArquivo->clear();
  ui_->edArquivo->setFocus();
}

void TfmConsultaDisquete::ConsultaArquivo(const QString& caminho) {
  ui_->laStatus->show();
  ui_->prCarregarArq->show();
  PedidoAnaliseArquivo pedido;
  pedido.arquivo = caminho.toStdString();
  pedido.verificaConteudo = false;
  const auto r = passagem_->executa([&](AcompanhamentoPassagem& a) {
    MeiosAnalise meios{&a, nullptr};
    return AnalisaEVerifica(dm_.conexao(), pedido, meios);
  });
  ui_->laStatus->hide();
  ui_->prCarregarArq->setValue(0);
  if (!r.falha.empty()) {
    // Missing or unreadable: told here, then the error panel as for any
    // file that cannot be browsed.
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, r.falha);
  } else if (r.estrutura & kAnaliseInterrompida) {
    mostraArquivo();
    ui_->bbVoltar->hide();
    ui_->edArquivo->setFocus();
    return;
  }
  if (!r.falha.empty() || (r.estrutura & kAnaliseErros)) {
    ui_->paConsDisquete->hide();
    ui_->paRelatorio->show();
    ui_->bbVoltar->show();
    ui_->bbVoltar->setFocus();
    return;
  }
  ui_->prCarregarArq->hide();
  {
    TfmConsulta01 consulta(dm_, parentWidget());
    hide();
    Dialogo().executa(consulta);
  }
  // The browsing ends the consultation.
  reject();
}

namespace {
const RegistroAcao kConsDisq{Comando::ConsDisq, [](Programa& programa, QWidget* janela) {
                               MostraTela<TfmConsultaDisquete>(programa.dmVornex(), janela);
                             }};
}  // namespace

}  // namespace vornex::gui
