#include "tools/fm_alt_vinculo.h"

#include <QComboBox>
#include <QPushButton>

#include "app/acoes_estabelecimento.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "data/referencia.h"
#include "toolkit/critica.h"

namespace vornex::gui {

TfmAltVinculo00::TfmAltVinculo00(TdmVornex& dm)
    : PassoComForma(fecha_, kTituloAltVinculo), passo2_(dm, estado_, fecha_), passo1_(dm, estado_, fecha_, passo2_) {
  btVoltar()->setEnabled(false);
  btAvancar()->setFocus();
}

void TfmAltVinculo00::avancar() { avancaPara(passo1_); }

TfmAltVinculo01::TfmAltVinculo01(TdmVornex& dm, EstadoAltVinculo& estado, bool& fecha, TfmAltVinculo02& proximo)
    : PassoComForma(fecha, kTituloAltVinculo), dm_(dm), estado_(estado), proximo_(proximo) {
  ui.lbAnoBase->setText(Q("Informações do Ano-Base " + estado_.anoBase));
}

void TfmAltVinculo01::showEvent(QShowEvent* e) {
  PassoComForma::showEvent(e);
  escolha_.preenche(dm_, ui.cbSelecaoEstab, estado_.anoBase);
}

void TfmAltVinculo01::avancar() {
  const ItemEstabelecimento* item = escolha_.escolhido();
  if (!item) FalhaCritica("1301"_msg, ui.cbSelecaoEstab);
  const NuMensagem m = CriticaInscricaoEscolhida(item->chave.inscricao);
  if (m != "0050"_msg && m != "0051"_msg && m != "0052"_msg) FalhaCritica(m, ui.cbSelecaoEstab);
  AvisaOperacaoPendente(dm_, item->chave);
  if (ContaVinculos(dm_.conexao(), item->chave) == 0) FalhaCritica("1302"_msg, ui.cbSelecaoEstab);
  estado_.estabelecimento = item->chave;
  proximo_.mostra(InscricaoImpressa(*item), Q(item->chave.prefixo), Q(escolha_.nome(*item)));
  avancaPara(proximo_);
}

TfmAltVinculo02::TfmAltVinculo02(TdmVornex& dm, EstadoAltVinculo& estado, bool& fecha)
    : PassoComForma(fecha, kTituloAltVinculo), dm_(dm), estado_(estado) {
  btAvancar()->setText("&Concluir");
  btCancelar()->setText("C&ancelar");
  for (const Linha& l : dm_.referencias().linhas(Referencia::Vinculo))
    ui.llVinculo->addItem(Q(l["CoVinculo"]), Q(l["NoVinculo"]));
  connect(ui.llVinculo, &QComboBox::activated, this, [this] { Protegido([this] { llVinculoExit(); }); });
  AoSair(ui.llVinculo, [this] {
    if (PodeValidar({btCancelar()})) llVinculoExit();
  });
}

void TfmAltVinculo02::mostra(const QString& inscricao, const QString& prefixo, const QString& nome) {
  ui.EdMostraCGC->setText(inscricao);
  ui.EdMostraPrefixo->setText(prefixo);
  ui.EdMostraNome->setText(nome);
  ui.EdMostraNome->setToolTip(nome);
}

void TfmAltVinculo02::showEvent(QShowEvent* e) {
  PassoComForma::showEvent(e);
  ui.llVinculo->setCurrentIndex(-1);
  ui.dbcdDescrVinculo->clear();
  ui.llVinculo->setFocus();
}

std::string TfmAltVinculo02::codigo() const { return ui.llVinculo->currentText().toStdString(); }

void TfmAltVinculo02::llVinculoExit() {
  const QString descricao = ui.llVinculo->currentData().toString();
  ui.dbcdDescrVinculo->setText(descricao);
  ui.dbcdDescrVinculo->setToolTip(descricao);
  ui.dbcdDescrVinculo->setCursorPosition(0);
  if (codigo().empty()) return;
  if (CriticaCodigoVinculo(dm_.conexao(), estado_.estabelecimento, codigo()) == "1307"_msg)
    FalhaCritica("1307"_msg, ui.llVinculo);
}

void TfmAltVinculo02::avancar() {
  const auto r = AlteraTipoVinculo(dm_.conexao(), {estado_.estabelecimento, codigo(), {}});
  Critica(r.recusa, ui.llVinculo);
  MostraMensagem(kMsgTipoVinculoAlterado);
  fechaAssistente();
}

namespace {
const RegistroAcaoEstabelecimento kAlterarVinculo{AcaoEstabelecimento::AlterarVinculo,
                                                  [](Programa& programa, QWidget*, const ChaveEstabelecimento&) {
                                                    MostraTela<TfmAltVinculo00>(programa.dmVornex());
                                                  }};
}  // namespace

}  // namespace vornex::gui
