// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/responsavel.h"
#include "common/versao.h"
#include "declfile/retificacao.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_grava_decl.h"
#include "entry/fm_dados_resp.h"
#include "toolkit/critica.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_grava_decl01.h"
#include "validation/fm_ver_inco.h"

namespace vornex::gui {

namespace {
void FocaInscricao(QWidget& campos) {
  if (auto* inscricao = campos.findChild<QLineEdit*>("mdInscricao")) inscricao->setFocus();
}
}  // namespace

TfmGravaDecl01::TfmGravaDecl01(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai)
    : PassoAssistente(estado.dados.FechaAssistente, estado.titulo(), pai),
      dm_(dm),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmGravaDecl01Form>()) {
  setObjectName("fmGravaDecl01");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  campos_ = new TfrDadosResp(dm, ui_->PDados);
  ui_->lyPDados->addWidget(campos_);
  // The embedded fields are titled as this step's own page.
  if (auto* grupo = campos_->findChild<QGroupBox*>("gbResponsavel"))
    grupo->setTitle("Dados do Responsável pela Declaração da ZEMA");
  campos_->isenta({btCancelar(), btVoltar()}, btAvancar());
  ui_->stPaineis->setCurrentWidget(ui_->PDados);
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraProgress, nullptr, nullptr, btCancelar(), {btVoltar(), btAvancar()}});
  EnterComoTab(this);
  resize(640, 460);
}

TfmGravaDecl01::~TfmGravaDecl01() = default;

QStackedWidget* TfmGravaDecl01::paineis() const { return ui_->stPaineis; }

void TfmGravaDecl01::showEvent(QShowEvent* e) {
  PassoAssistente::showEvent(e);
  ui_->stPaineis->setCurrentWidget(ui_->PDados);
  campos_->carrega(LeResponsavelOuVazio(dm_.conexao()));
  FocaInscricao(*campos_);
}

void TfmGravaDecl01::avancar() {
  const ReferenciasTabelas ref(dm_.referencias());
  PedidoGravaResponsavel p;
  p.responsavel = campos_->linha();
  p.inscricaoDigitada = campos_->inscricaoDigitada();
  p.todosOsCampos = false;
  const ResultadoGravaResponsavel gravado = GravaResponsavel(dm_.conexao(), ref, p);
  if (!gravado.gravado()) campos_->falha(gravado.checagem.falhas.front().mensagem, gravado.checagem.falhas.front().foco);

  OpcoesConsistencia opcoes;
  opcoes.anoBase = std::string(AnoBase);
  if (estado_.dados.ModoRetificacao) {
    if (NuMensagem m = PreparaRetificacao(dm_.conexao(), *estado_.retificacao); !m.ok()) {
      MostraMensagem(m);
      estado_.retificacao->LiberaSelecao();
      fechaAssistente();
      return;
    }
    opcoes.origem = OrigemConsistencia::Trabalho;
  } else {
    opcoes.selecao = estado_.selecao;
  }

  ui_->BarraProgress->setValue(0);
  ui_->stPaineis->setCurrentWidget(ui_->PVerificando);
  estado_.ResultadoVerificacao = passagem_->executa(
      [&](AcompanhamentoPassagem& a) { return VerificaConsistencia(dm_.conexao(), ref, opcoes, a); });
  if (estado_.ResultadoVerificacao & kConsistenciaInterrompida) {
    Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, kMsgConsistenciaInterrompida);
    ui_->stPaineis->setCurrentWidget(ui_->PDados);
    FocaInscricao(*campos_);
    return;
  }
  // The rectification's selection stays with its step, which may still be
  // shown again (the writing step closed by its close box).
  TfmGravaDecl03 passo(dm_, estado_, parentWidget());
  avancaPara(passo);
}

}  // namespace vornex::gui
