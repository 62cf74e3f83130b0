// The core headers come before Qt's, whose `slots` macro they must not see.
#include "declfile/gravacao.h"
#include "validation/consistencia.h"
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_analis.h"
#include "declfile/fm_analis_comum.h"
#include "declfile/fm_grava_decl.h"
#include "toolkit/critica.h"
#include "toolkit/mascara.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_analis02.h"
#include "ui_fm_grava_decl03.h"

namespace vornex::gui {

TfmGravaDecl03::TfmGravaDecl03(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai)
    : PassoAssistente(estado.dados.FechaAssistente, estado.titulo(), pai),
      dm_(dm),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmGravaDecl03Form>()) {
  setObjectName("fmGravaDecl03");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  btVoltar()->setEnabled(false);
  PreencheDrives(ui_->cbDrive);
  AplicaMascara(ui_->deDataGeracao, "99\\/99\\/9999;0;_");
  LigaRelatorioErros(dm, ui_->BtVisualizarErros, ui_->BtErros);
  LigaRelatorioErros(dm, ui_->BtVisualizarAvisos, ui_->BtAvisos);

  const Desfecho d = desfecho();
  ui_->stPaineis->setCurrentWidget(painel(d));
  ui_->PGeracao->setVisible(d != Desfecho::Erros);
  btAvancar()->setEnabled(d != Desfecho::Erros);

  // Leaving for these skips the date and drive checks ("&Avançar >" runs
  // them itself, once).
  const std::vector<const QWidget*> isentos{btCancelar(),    btVoltar(),   btAvancar(),  ui_->BtVisualizarErros,
                                            ui_->BtErros, ui_->BtAvisos, ui_->BtVisualizarAvisos};
  AoSair(ui_->deDataGeracao, [this, isentos] {
    if (PodeValidar(isentos)) confereData();
  });
  AoSair(ui_->cbDrive, [this, isentos] {
    if (PodeValidar(isentos)) confereDrive();
  });
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraProgress, nullptr, nullptr, btCancelar(),
                                          {btVoltar(), btAvancar(), ui_->PGeracao}});
  EnterComoTab(this);
  resize(640, 460);
  if (d != Desfecho::Erros) ui_->deDataGeracao->setFocus();
}

TfmGravaDecl03::~TfmGravaDecl03() = default;

TfmGravaDecl03::Desfecho TfmGravaDecl03::desfecho() const {
  const int r = estado_.ResultadoVerificacao;
  return (r & kConsistenciaErros) ? Desfecho::Erros : (r & kConsistenciaAvisos) ? Desfecho::Avisos : Desfecho::Nada;
}

QWidget* TfmGravaDecl03::painel(Desfecho d) const {
  switch (d) {
    case Desfecho::Erros: return ui_->PErros;
    case Desfecho::Avisos: return ui_->PAvisos;
    case Desfecho::Nada: break;
  }
  return ui_->POk;
}

QStackedWidget* TfmGravaDecl03::paineis() const { return ui_->stPaineis; }
QLineEdit* TfmGravaDecl03::deDataGeracao() const { return ui_->deDataGeracao; }
QComboBox* TfmGravaDecl03::cbDrive() const { return ui_->cbDrive; }

bool TfmGravaDecl03::confereData() {
  Critica(CriticaDataGravacao(ValorCaixa(ui_->deDataGeracao).toStdString()), ui_->deDataGeracao);
  return true;
}

bool TfmGravaDecl03::confereDrive() {
  Critica(ui_->cbDrive->currentIndex() < 0 ? "0600"_msg : kSemOcorrencia, ui_->cbDrive);
  return true;
}

void TfmGravaDecl03::avancar() {
  confereData();
  confereDrive();
  grava();
}

void TfmGravaDecl03::grava() {
  std::optional<Midia> midia = MidiaEscolhida(ui_->cbDrive);
  if (!midia) return;
  if (capacidade_ && midia->tipo == TipoMidia::Pasta) midia->capacidade = capacidade_;

  PedidoGravacao pedido;
  if (estado_.dados.ModoRetificacao)
    pedido.modo = {true, true};  // every row the rectification copied
  else
    pedido.selecao = estado_.selecao;
  pedido.dataGeracao = ValorCaixa(ui_->deDataGeracao).toStdString();
  pedido.horaGeracao = HoraAtual();

  const Desfecho d = desfecho();
  ui_->PGeracao->hide();
  ui_->BarraProgress->setValue(0);
  ui_->stPaineis->setCurrentWidget(ui_->PGravando);
  MidiaGui midias;
  const RelatorioGravacao g = passagem_->executa([&](AcompanhamentoPassagem& a) {
    return GravaArquivoDeclaracao(dm_.conexao(), pedido, *midia, midias, a);
  });
  if (g.resultado == ResultadoGravacao::Gravado) {
    TfmGravaDecl04 fim(dm_, estado_, parentWidget());
    avancaPara(fim);
    if (isVisible()) fechaAssistente();
    return;
  }
  // A reading failure has its own error dialog before the writing's.
  if (g.resultado == ResultadoGravacao::Falhou && !g.mensagem.empty() && g.mensagem != kMsgErroGravacao)
    Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, g.mensagem);
  Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok,
                   std::string(g.resultado == ResultadoGravacao::Interrompido ? kMsgGravacaoInterrompida
                                                                              : kMsgErroGravacao));
  // The volumes sealed before the failure stay on their media.
  if (const std::string aviso = AvisoVolumesIncompletos(g); !aviso.empty())
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, aviso);
  ui_->stPaineis->setCurrentWidget(painel(d));
  ui_->PGeracao->show();
  btAvancar()->setEnabled(true);
  ui_->deDataGeracao->setFocus();
}

TfmGravaDecl04::TfmGravaDecl04(TdmVornex& dm, EstadoGravacao& estado, QWidget* pai)
    : PassoAssistente(estado.dados.FechaAssistente, estado.titulo(), pai),
      ui_(std::make_unique<Ui::TfmAnalis02Form>()) {
  setObjectName("fmGravaDecl04");
  MontaPassoGravado(*this, *ui_, dm);
  resize(640, 460);
}

TfmGravaDecl04::~TfmGravaDecl04() = default;

QPushButton* TfmGravaDecl04::BtEtiqueta() const { return ui_->BtEtiqueta; }

}  // namespace vornex::gui
