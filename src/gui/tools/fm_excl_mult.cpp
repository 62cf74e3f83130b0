#include "tools/fm_excl_mult.h"

#include <QPushButton>

#include "app/acoes_estabelecimento.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "toolkit/critica.h"

namespace vornex::gui {

TfmExclMult00::TfmExclMult00(TdmVornex& dm)
    : PassoComForma(fecha_, kTituloExclMult),
      passo4_(dm, estado_, fecha_),
      passo3_(dm, estado_, fecha_, passo4_),
      passo2_(estado_, fecha_, passo3_),
      passo1_(dm, estado_, fecha_, passo2_) {
  btVoltar()->setEnabled(false);
  btAvancar()->setFocus();
}

void TfmExclMult00::avancar() { avancaPara(passo1_); }

TfmExclMult01::TfmExclMult01(TdmVornex& dm, EstadoExclMult& estado, bool& fecha, TfmExclMult02& proximo)
    : PassoComForma(fecha, kTituloExclMult), dm_(dm), estado_(estado), proximo_(proximo) {
  ui.lbAnoBase->setText(Q("Informações do Ano-Base " + estado_.anoBase));
}

void TfmExclMult01::showEvent(QShowEvent* e) {
  PassoComForma::showEvent(e);
  if (ui.cbEstabelecimentos->count() == 0) escolha_.preenche(dm_, ui.cbEstabelecimentos, estado_.anoBase);
}

void TfmExclMult01::avancar() {
  const ItemEstabelecimento* item = escolha_.escolhido();
  if (!item) FalhaCritica("1301"_msg, ui.cbEstabelecimentos);
  const NuMensagem m = CriticaInscricaoEscolhida(item->chave.inscricao);
  if (m != "0050"_msg && m != "0051"_msg && m != "0052"_msg) FalhaCritica(m, ui.cbEstabelecimentos);
  estado_.estabelecimento = item->chave;
  estado_.inscricao = InscricaoImpressa(*item);
  estado_.prefixo = Q(item->chave.prefixo);
  estado_.nome = Q(escolha_.nome(*item));
  AvisaOperacaoPendente(dm_, item->chave);
  if (ContaVinculos(dm_.conexao(), item->chave) == 0) FalhaCritica("1302"_msg, ui.cbEstabelecimentos);
  proximo_.mostra();
  avancaPara(proximo_);
}

TfmExclMult02::TfmExclMult02(EstadoExclMult& estado, bool& fecha, TfmExclMult03& proximo)
    : PassoComForma(fecha, kTituloExclMult), estado_(estado), proximo_(proximo) {}

void TfmExclMult02::mostra() {
  ui.edInscricao->setText(estado_.inscricao);
  ui.edPrefixo->setText(estado_.prefixo);
  ui.edNome->setText(estado_.nome);
}

void TfmExclMult02::avancar() {
  estado_.ordem = ui.rbNome->isChecked() ? OrdemVinculos::Nome : OrdemVinculos::Pis;
  proximo_.preenche();
  avancaPara(proximo_);
}

TfmExclMult03::TfmExclMult03(TdmVornex& dm, EstadoExclMult& estado, bool& fecha, TfmExclMult04& proximo)
    : PassoComForma(fecha, kTituloExclMult), dm_(dm), estado_(estado), proximo_(proximo) {}

void TfmExclMult03::preenche() {
  PedidoListaVinculos p;
  p.estabelecimento = estado_.estabelecimento;
  p.ordem = estado_.ordem;
  estado_.vinculos = ListaVinculos(dm_.conexao(), p);
  int i = 0;
  ui.clVinculos->preenche(
      estado_.vinculos.itens, [](const ItemVinculo& v) { return Q(v.texto); }, [&i](const ItemVinculo&) { return i++; });
}

void TfmExclMult03::avancar() {
  estado_.marcados = LinhasMarcadas(estado_.vinculos.itens, ui.clVinculos->marcas());
  if (estado_.marcados.empty()) FalhaCritica("1310"_msg, ui.clVinculos);
  proximo_.mostra();
  avancaPara(proximo_);
  estado_.marcados.clear();
}

TfmExclMult04::TfmExclMult04(TdmVornex& dm, EstadoExclMult& estado, bool& fecha)
    : PassoComForma(fecha, kTituloExclMult), dm_(dm), estado_(estado) {
  btAvancar()->setText("&Concluir");
  btCancelar()->setText("C&ancelar");
}

void TfmExclMult04::mostra() {
  ui.edTotal->setText(QString::number(estado_.marcados.size()));
  ui.edInscricao->setText(estado_.inscricao);
  ui.edPrefixo->setText(estado_.prefixo);
  ui.edNome->setText(estado_.nome);
}

void TfmExclMult04::avancar() {
  PedidoExclusaoVinculos p;
  p.estabelecimento = estado_.estabelecimento;
  for (const auto& k : estado_.marcados) p.vinculos.push_back(VinculoDaLista(k));
  const auto r = ExcluiVinculos(dm_.conexao(), p);
  Critica(r.recusa, btAvancar());
  Dialogo().pergunta(
      {TipoDialogo::Informacao, Botoes::Ok, std::to_string(r.excluidos) + std::string(kTextoVinculosExcluidos), {}});
  fechaAssistente();
}

namespace {
const RegistroAcaoEstabelecimento kExcluirVinculos{AcaoEstabelecimento::ExcluirVinculos,
                                                   [](Programa& programa, QWidget*, const ChaveEstabelecimento&) {
                                                     MostraTela<TfmExclMult00>(programa.dmVornex());
                                                   }};
}  // namespace

}  // namespace vornex::gui
