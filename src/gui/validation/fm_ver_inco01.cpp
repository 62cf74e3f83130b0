#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>

#include "casos/listas.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "toolkit/chaves_lista.h"
#include "toolkit/critica.h"
#include "toolkit/lista_marcavel.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_ver_inco01.h"
#include "validation/consistencia.h"
#include "validation/fm_ver_inco.h"

namespace vornex::gui {

TfmVerInco01::TfmVerInco01(TdmVornex& dm, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloVerInco, pai),
      dm_(dm),
      ui_(std::make_unique<Ui::TfmVerInco01Form>()),
      passo3_(dm, fecha, pai) {
  setObjectName("fmVerInco01");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->PInicial->hide();
  ui_->LEmpresas->ligaSelecionarTudo(ui_->ckSelecionarTudo);
  passagem_ = new PassagemNoPasso(*this, {ui_->BarraProgress, ui_->PInicial, nullptr, btCancelar(),
                                          {btVoltar(), btAvancar()}});
  EnterComoTab(this);
  resize(620, 420);
}

TfmVerInco01::~TfmVerInco01() = default;

ListaMarcavel* TfmVerInco01::LEmpresas() const { return ui_->LEmpresas; }
QCheckBox* TfmVerInco01::ckSelecionarTudo() const { return ui_->ckSelecionarTudo; }
QWidget* TfmVerInco01::PMarca() const { return ui_->PMarca; }
QWidget* TfmVerInco01::PInicial() const { return ui_->PInicial; }
QProgressBar* TfmVerInco01::BarraProgress() const { return ui_->BarraProgress; }
bool TfmVerInco01::verificando() const { return passagem_->rodando(); }

int TfmVerInco01::preenche(int anoBase) {
  anoBase_ = anoBase;
  PedidoListaEstabelecimentos p;
  p.anoBase = std::to_string(anoBase);
  const auto lista = ListaEstabelecimentos(dm_.conexao(), p);
  ui_->LEmpresas->preenche(
      lista.itens, [](const ItemEstabelecimento& i) { return QString::fromStdString(i.texto); },
      [](const ItemEstabelecimento& i) { return i.chave; });
  return ui_->LEmpresas->count();
}

void TfmVerInco01::avancar() {
  OpcoesConsistencia opcoes;
  opcoes.selecao = ui_->LEmpresas->chavesMarcadas<ChaveEstabelecimento>();
  if (opcoes.selecao->empty()) {
    MostraMensagem("1301"_msg);
    ui_->LEmpresas->setFocus();
    return;
  }
  opcoes.origem = OrigemConsistencia::Declaracao;
  opcoes.anoBase = std::to_string(anoBase_);
  ui_->PMarca->hide();
  const int r = passagem_->executa(
      [&](AcompanhamentoPassagem& a) { return VerificaConsistencia(dm_.conexao(), opcoes, a); });
  ui_->PMarca->show();
  if (r & kConsistenciaInterrompida) {
    Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, kMsgConsistenciaInterrompida);
    ui_->LEmpresas->setFocus();
    return;
  }
  passo3_.mostra((r & kConsistenciaErros)    ? TfmVerInco02::Desfecho::Erros
                 : (r & kConsistenciaAvisos) ? TfmVerInco02::Desfecho::Avisos
                                             : TfmVerInco02::Desfecho::Nada);
  avancaPara(passo3_);
}

}  // namespace vornex::gui
