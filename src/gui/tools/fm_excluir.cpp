#include "tools/fm_excluir.h"

#include "app/acoes_estabelecimento.h"
#include "app/programa.h"
#include "casos/manutencao.h"
#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "data/dm_vornex.h"
#include "tools/manutencao_gui.h"
#include "ui_fm_excluir.h"
#include "validation/regras_estabelecimento.h"

namespace vornex::gui {

namespace {

// The registration as the screen shows it, and its type box.
std::pair<std::string, std::string> InscricaoMostrada(const std::string& inscricao, const std::string& tipo) {
  const NuMensagem m = CriticaCnpjCei(inscricao);
  // Valid as both, or as neither: the stored type decides.
  const bool ambos = m == "0050"_msg || (m != "0051"_msg && m != "0052"_msg);
  if (m == "0052"_msg || (ambos && tipo == "3")) return {FormataInscricao(inscricao, "3"), "CEI"};
  if (m == "0051"_msg || m == "0050"_msg || tipo == "1") return {FormataInscricao(inscricao, "1"), "CNPJ"};
  return {inscricao, ""};
}

std::string CeiVinculadoMostrado(const std::string& cei) {
  bool digitos = !cei.empty();
  for (char ch : cei) digitos = digitos && ch >= '0' && ch <= '9';
  if (!digitos) return cei;
  return std::stoll(cei) == 0 ? std::string() : FormataInscricao(cei, "3");
}

}  // namespace

TfmExcluir::TfmExcluir(TdmVornex& dm, ChaveEstabelecimento chave, QWidget* pai)
    : QDialog(pai), dm_(dm), chave_(std::move(chave)), ui_(std::make_unique<Ui::TfmExcluir>()) {
  ui_->setupUi(this);
  connect(ui_->BtExcluir, &QPushButton::clicked, this, [this] { Protegido([this] { BtExcluirClick(); }); });
  connect(ui_->BtCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

TfmExcluir::~TfmExcluir() = default;

void TfmExcluir::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormShow();
}

void TfmExcluir::FormShow() {
  ui_->BtExcluir->setFocus();
  const auto e = BuscaEstabelecimento(dm_.conexao(), chave_);
  if (!e) return;
  const auto [inscricao, tipo] = InscricaoMostrada((*e)["CoCgcCeiEstabelecimento"], (*e)["InInscrEstabelecimento"]);
  ui_->edInscricao->setText(Q(inscricao));
  ui_->edTipoInscricao->setText(Q(tipo));
  ui_->edPrefixo->setText(Q((*e)["NuPrefixoEstabelecimento"]));
  ui_->edCeiVinculado->setText(Q(CeiVinculadoMostrado((*e)["CoCgcVinculado"])));
  const long long total = ValorInteiro((*e)["NuVinculosEstabelecimento"]);
  ui_->edTotalEmpregados->setText(total == 0 ? QString() : QString::number(total));
  ui_->edUsoEmpresa->setText(Q((*e)["TxUsoEstabelecimento"]));
  ui_->edNome->setText(Q((*e)["NoRazaoEstabelecimento"]));
  ui_->lbTipoZema->setText((*e)["InZemaNegEstabelecimento"] == "1" ? "ZEMA sem empregados" : "ZEMA com empregados");
  ui_->lbAnoDeclaracao->setText((*e)["AnBase"] == "2004" ? "Declaração Ano 2004" : "Declaração Ano 2005");
}

void TfmExcluir::BtExcluirClick() {
  PedidoDialogo pergunta{TipoDialogo::Confirmacao, Botoes::SimNao, kTextoConfirmaExclusao, "Confirmação"};
  pergunta.padraoNao = true;
  if (Dialogo().pergunta(pergunta) != kResultadoYes) return;
  ui_->lbExcluindo->show();
  ui_->pbExclusao->show();
  PedidoExclusaoEstabelecimentos p;
  p.estabelecimentos = {chave_};
  const auto r = ExcluiEstabelecimentos(dm_.conexao(), p);
  // One step for the establishment, one per link.
  const int passos = static_cast<int>(r.vinculosExcluidos) + 1;
  ui_->pbExclusao->setRange(0, passos);
  ui_->pbExclusao->setValue(passos);
  if (r.excluidos > 0) Dialogo().pergunta({TipoDialogo::Informacao, Botoes::Ok, std::string(kTextoEstabelecimentoExcluido), {}});
  ui_->lbExcluindo->hide();
  ui_->pbExclusao->hide();
  accept();
}

namespace {
const RegistroAcaoEstabelecimento kExcluir{
    AcaoEstabelecimento::Excluir, [](Programa& programa, QWidget* janela, const ChaveEstabelecimento& chave) {
      MostraTela<TfmExcluir>(programa.dmVornex(), chave, janela);
    }};
}  // namespace

}  // namespace vornex::gui
