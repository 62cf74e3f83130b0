#include "tools/fm_cop_estab.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>

#include "app/acoes_estabelecimento.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "entry/fm_tipo_inscricao.h"
#include "toolkit/critica.h"
#include "toolkit/mascara.h"
#include "validation/regras_estabelecimento.h"

namespace vornex::gui {

TfmCopEstabRegras::TfmCopEstabRegras(QWidget* pai) : QDialog(pai) {
  ui.setupUi(this);
  connect(ui.BtFechar, &QPushButton::clicked, this, &QDialog::accept);
}

TfmCopEstab00::TfmCopEstab00(TdmVornex& dm)
    : PassoComForma(fecha_, kTituloCopEstab),
      passo3_(dm, estado_, fecha_),
      passo2_(dm, estado_, fecha_, passo3_),
      passo1_(dm, estado_, fecha_, passo2_) {
  btVoltar()->setText("<&Voltar");
  btAvancar()->setText("&Avançar>");
  btVoltar()->setEnabled(false);
  btAvancar()->setFocus();
  connect(ui.bbRegras, &QPushButton::clicked, this, [this] { MostraTela<TfmCopEstabRegras>(this); });
}

void TfmCopEstab00::avancar() { avancaPara(passo1_); }

TfmCopEstab01::TfmCopEstab01(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha, TfmCopEstab02& proximo)
    : PassoComForma(fecha, kTituloCopEstab), dm_(dm), estado_(estado), proximo_(proximo) {
  btVoltar()->setText("<&Voltar");
  btAvancar()->setText("&Avançar>");
  ui.lbAnoBase->setText(Q("Informações do Ano-Base " + estado_.anoBase));
  EnterComoTab(this);
}

void TfmCopEstab01::showEvent(QShowEvent* e) {
  PassoComForma::showEvent(e);
  escolha_.preenche(dm_, ui.cbEstabelecimento, estado_.anoBase);
}

void TfmCopEstab01::avancar() {
  const ItemEstabelecimento* item = escolha_.escolhido();
  if (!item) FalhaCritica("1301"_msg, ui.cbEstabelecimento);
  AvisaOperacaoPendente(dm_, item->chave);
  Critica(CriticaOrigemTransferencia(dm_.conexao(), item->chave), ui.cbEstabelecimento);
  estado_.origem = item->chave;
  avancaPara(proximo_);
}

TfmCopEstab02::TfmCopEstab02(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha, TfmCopEstab03& proximo)
    : PassoComForma(fecha, kTituloCopEstab), dm_(dm), estado_(estado), proximo_(proximo) {
  connect(ui.rbSelecaoLimpar, &QRadioButton::clicked, this, [this] { ui.clVinculos->marcaTodos(false); });
  connect(ui.rbSelecaoTodos, &QRadioButton::clicked, this, [this] { ui.clVinculos->marcaTodos(true); });
}

void TfmCopEstab02::showEvent(QShowEvent* e) {
  PassoComForma::showEvent(e);
  PedidoListaVinculos p;
  p.estabelecimento = estado_.origem;
  estado_.vinculos = ListaVinculos(dm_.conexao(), p);
  int i = 0;
  ui.clVinculos->preenche(
      estado_.vinculos.itens, [](const ItemVinculo& v) { return Q(v.texto); }, [&i](const ItemVinculo&) { return i++; });
  for (auto* b : {ui.rbSelecaoLimpar, ui.rbSelecaoTodos}) {
    b->setAutoExclusive(false);
    b->setChecked(false);
    b->setAutoExclusive(true);
  }
}

void TfmCopEstab02::avancar() {
  estado_.marcados = LinhasMarcadas(estado_.vinculos.itens, ui.clVinculos->marcas());
  if (estado_.marcados.empty()) FalhaCritica("1310"_msg, ui.clVinculos);
  proximo_.mostra();
  avancaPara(proximo_);
  estado_.marcados.clear();
}

TfmCopEstab03::TfmCopEstab03(TdmVornex& dm, EstadoCopEstab& estado, bool& fecha)
    : PassoComForma(fecha, kTituloCopEstab), dm_(dm), estado_(estado) {
  btVoltar()->setText("<&Voltar");
  btAvancar()->setText("&Concluir");
  btCancelar()->setText("C&ancelar");
  EnterComoTab(this);
  // From the prefix straight on to "&Concluir".
  setTabOrder(ui.edPrefixo, btAvancar());
  AoSair(ui.mdCGCCEI, [this] {
    if (PodeValidar({btVoltar(), btCancelar()})) mdCGCCEIExit();
  });
  AoSair(ui.edPrefixo, [this] {
    if (PodeValidar({btVoltar(), btCancelar()})) edPrefixoExit();
  });
  ui.mdCGCCEI->installEventFilter(this);
}

bool TfmCopEstab03::eventFilter(QObject* objeto, QEvent* e) {
  // Entering the registration: back to fourteen plain digits.
  if (objeto == ui.mdCGCCEI && e->type() == QEvent::FocusIn) {
    AplicaMascara(ui.mdCGCCEI, kMascaraDigitacaoInscricao);
    ui.mdCGCCEI->setText(Q(estado_.inscricaoDestino));
  }
  return PassoComForma::eventFilter(objeto, e);
}

void TfmCopEstab03::mostra() {
  ui.edTotal->setText(QString::number(estado_.marcados.size()));
  estado_.inscricaoDestino.clear();
  estado_.tipoDestino.clear();
  ui.edTipoCGCCEI->clear();
  AplicaMascara(ui.mdCGCCEI, kMascaraDigitacaoInscricao);
  ui.mdCGCCEI->clear();
  ui.edPrefixo->clear();
  ui.mdCGCCEI->setFocus();
}

void TfmCopEstab03::mdCGCCEIExit() {
  const std::string texto = ValorCaixa(ui.mdCGCCEI).trimmed().toStdString();
  const std::string inscricao = texto.size() == 12 ? "00" + texto : texto;
  NuMensagem m = CriticaCnpjCei(inscricao);
  if (m == "0050"_msg) m = PerguntaTipoInscricao(this) == "3" ? "0052"_msg : "0051"_msg;
  if (m != "0051"_msg && m != "0052"_msg) FalhaCritica(m, ui.mdCGCCEI);
  const bool cei = m == "0052"_msg;
  estado_.inscricaoDestino = inscricao;
  estado_.tipoDestino.assign(1, cei ? '3' : '1');
  ui.edTipoCGCCEI->setText(cei ? "CEI" : "CNPJ");
  AplicaMascara(ui.mdCGCCEI, cei ? kMascaraCei : kMascaraCnpj);
  ui.mdCGCCEI->setText(Q(cei ? inscricao.substr(2) : inscricao));
  ui.edPrefixo->setFocus();
}

std::string TfmCopEstab03::prefixo() const {
  const std::string p = ui.edPrefixo->text().trimmed().toStdString();
  return p.empty() ? "00" : p;
}

void TfmCopEstab03::edPrefixoExit() {
  if (ui.edPrefixo->text().trimmed().isEmpty()) {
    ui.edPrefixo->setText("00");
    return;
  }
  Critica(CriticaPrefixo(prefixo()), ui.edPrefixo);
}

void TfmCopEstab03::avancar() {
  PedidoTransferencia p;
  p.origem = estado_.origem;
  p.destino = {estado_.anoBase, estado_.inscricaoDestino, prefixo()};
  p.tipoDestino = estado_.tipoDestino;
  for (const auto& k : estado_.marcados) p.vinculos.push_back(VinculoDaLista(k));
  const auto r = TransfereVinculos(dm_.conexao(), p);
  Critica(r.recusa, r.recusa == CriticaPrefixo(p.destino.prefixo) ? ui.edPrefixo : ui.mdCGCCEI);
  ui.mdCGCCEI->clear();
  ui.edPrefixo->clear();
  MostraMensagem(kMsgTransferenciaConcluida);
  fechaAssistente();
}

namespace {
const RegistroAcaoEstabelecimento kTransferir{AcaoEstabelecimento::TransferirVinculos,
                                              [](Programa& programa, QWidget*, const ChaveEstabelecimento&) {
                                                MostraTela<TfmCopEstab00>(programa.dmVornex());
                                              }};
}  // namespace

}  // namespace vornex::gui
