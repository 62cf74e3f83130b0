#include "entry/fm_nova_decl.h"

#include <QApplication>
#include <QRadioButton>
#include <QLineEdit>

#include "app/comandos.h"
#include "app/programa.h"
#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "common/versao.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_estab.h"
#include "entry/fm_sem_empregados.h"
#include "toolkit/critica.h"
#include "toolkit/mascara.h"
#include "ui_fm_nova_decl.h"
#include "validation/inscricao_digitada.h"
#include "validation/referencias_tabelas.h"

namespace vornex::gui {

namespace {

std::string Texto(const QLineEdit* e) { return ValorCaixa(e).trimmed().toStdString(); }

}  // namespace

TfmNovaDecl::TfmNovaDecl(TdmVornex& dm, TdmEntradaDados& entrada, QWidget* pai)
    : QDialog(pai), dm_(dm), entrada_(entrada), ui_(std::make_unique<Ui::TfmNovaDecl>()) {
  ui_->setupUi(this);
  ui_->lblAno->setText(QString("Declaração Ano-Base %1").arg(AnoBaseDeclaracao));
  // Free digits while typed; the kind's punctuation once the type is known.
  mascaraInscricao_ = MascaraDeExibicao(ui_->deInscricao, [this](const QString& v) -> std::string_view {
    if (tipo_ == kTipoCnpj && v.size() == 14) return kMascaraCnpj;
    if (tipo_ == kTipoCei && v.size() == 12) return kMascaraCei;
    return {};
  });
  MascaraDeExibicao(
      ui_->deCeiVinc, [](const QString& v) -> std::string_view { return v.size() == 12 ? kMascaraCei : std::string_view{}; },
      kMascaraDigitacaoCei);
  ui_->edTipodeInscricao->setFocusPolicy(Qt::NoFocus);
  for (QLineEdit* e : {ui_->dePrefixo, ui_->deRazao, ui_->deUsoEmpresa}) SoMaiusculas(e);
  ui_->rbComEmpregados->setChecked(true);
  setTabOrder(ui_->rbComEmpregados, ui_->deInscricao);
  setTabOrder(ui_->deInscricao, ui_->dePrefixo);
  setTabOrder(ui_->dePrefixo, ui_->deCeiVinc);
  setTabOrder(ui_->deCeiVinc, ui_->deRazao);
  setTabOrder(ui_->deRazao, ui_->deUsoEmpresa);
  EnterComoTab(this);

  auto pode = [this] { return PodeValidar({ui_->BtCancelar, ui_->dgTipoZema}); };
  AoSair(ui_->deInscricao, [this, pode] {
    if (pode() && !Texto(ui_->deInscricao).empty()) ValidaInscricao();
  });
  AoSair(ui_->dePrefixo, [this, pode] {
    if (!pode()) return;
    saiCampo("NuPrefixoEstabelecimento");
    ValidaChave();
  });
  AoSair(ui_->deCeiVinc, [this, pode] {
    if (pode() && !Texto(ui_->deCeiVinc).empty()) saiCampo("CoCgcVinculado");
  });
  AoSair(ui_->deRazao, [this, pode] {
    if (pode() && !Texto(ui_->deRazao).empty()) {
      try {
        saiCampo("NoRazaoEstabelecimento");
      } catch (const Abortado&) {
        return;
      }
    }
    MostraMensagem("3625"_msg);
  });
  AoSair(ui_->deUsoEmpresa, [this, pode] {
    if (pode()) saiCampo("TxUsoEstabelecimento");
  });
  connect(ui_->btOk, &QPushButton::clicked, this, [this] { Protegido([this] { btOkClick(); }); });
  connect(ui_->BtCancelar, &QPushButton::clicked, this, [this] { BtCancelarClick(); });
  connect(ui_->rbSemEmpregados, &QRadioButton::clicked, this,
          [this] { TfmSemEmpregados::MostraSeNaoDispensada(dm_.conexao(), this); });
  reiniciaCeiVinculado();
}

TfmNovaDecl::~TfmNovaDecl() = default;

void TfmNovaDecl::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  ui_->deInscricao->setFocus();
}

QWidget* TfmNovaDecl::widgetDe(const std::string& coluna) const {
  if (coluna == "CoCgcCeiEstabelecimento") return ui_->deInscricao;
  if (coluna == "NuPrefixoEstabelecimento") return ui_->dePrefixo;
  if (coluna == "CoCgcVinculado") return ui_->deCeiVinc;
  if (coluna == "NoRazaoEstabelecimento") return ui_->deRazao;
  if (coluna == "TxUsoEstabelecimento") return ui_->deUsoEmpresa;
  return ui_->rbSemEmpregados->isChecked() ? ui_->rbSemEmpregados : ui_->rbComEmpregados;
}

[[noreturn]] void TfmNovaDecl::falha(const FalhaChecagem& f) { FalhaCritica(f.mensagem, widgetDe(f.foco)); }

PedidoCriacao TfmNovaDecl::pedido() const {
  PedidoCriacao p;
  p.inscricao = Texto(ui_->deInscricao);
  p.prefixo = Texto(ui_->dePrefixo);
  p.ceiVinculado = Texto(ui_->deCeiVinc);
  p.razao = ui_->deRazao->text().toStdString();
  p.usoEmpresa = ui_->deUsoEmpresa->text().toStdString();
  p.tipoZema = ui_->rbSemEmpregados->isChecked() ? "1" : "0";
  p.anBase = std::string(AnoBase);
  return p;
}

void TfmNovaDecl::reiniciaCeiVinculado() {
  ui_->deCeiVinc->clear();
  ui_->deCeiVinc->setEnabled(false);
  ui_->deCeiVinc->setReadOnly(true);
  ui_->lbCeiVinc->setEnabled(false);
}

void TfmNovaDecl::modoCnpj(bool cnpj) {
  tipo_ = cnpj ? kTipoCnpj : kTipoCei;
  mascaraInscricao_();
  ui_->edTipodeInscricao->setText(cnpj ? "CNPJ" : "CEI");
  if (cnpj) {
    ui_->deCeiVinc->setEnabled(true);
    ui_->deCeiVinc->setReadOnly(false);
    ui_->lbCeiVinc->setEnabled(true);
  } else {
    reiniciaCeiVinculado();
  }
}

void TfmNovaDecl::ValidaInscricao() {
  const TipoDigitado t = TipoDaInscricaoDigitada(Texto(ui_->deInscricao));
  if (!t.mensagem.ok()) {
    reiniciaCeiVinculado();
    ui_->edTipodeInscricao->clear();
    tipo_.clear();
    mascaraInscricao_();
    FalhaCritica(t.mensagem, ui_->deInscricao);
  }
  modoCnpj(t.tipo == "1");
}

// One identification check, on the row the confirmation would write.
void TfmNovaDecl::saiCampo(const char* coluna) {
  ValidaInscricao();
  const PedidoCriacao p = pedido();
  Linha l = NovoEstabelecimento(dm_.conexao(), {p.anBase, InscricaoArmazenada(p.inscricao), p.prefixo});
  l["InInscrEstabelecimento"] = tipo_;
  l["CoCgcVinculado"] = p.ceiVinculado;
  l["NoRazaoEstabelecimento"] = p.razao;
  l["TxUsoEstabelecimento"] = p.usoEmpresa;
  l["InZemaNegEstabelecimento"] = p.tipoZema;
  const ReferenciasTabelas ref(dm_.referencias());
  const ResultadoChecagem r = ChecaIdentificacao(l, ref, ModoChecagem::TodosOsCampos);
  for (const auto& f : r.falhas)
    if (f.campo == coluna) falha(f);
  // The values as the rules hand them back.
  if (std::string_view(coluna) == "NoRazaoEstabelecimento") ui_->deRazao->setText(QString::fromStdString(l[coluna]));
  if (std::string_view(coluna) == "NuPrefixoEstabelecimento")
    ui_->dePrefixo->setText(QString::fromStdString(l[coluna]));
}

void TfmNovaDecl::ValidaChave() {
  const PedidoCriacao p = pedido();
  const ChaveEstabelecimento k{p.anBase, InscricaoArmazenada(p.inscricao), p.prefixo.empty() ? "00" : p.prefixo};
  const SituacaoChave s = VerificaChaveNova(dm_.conexao(), k, tipo_);
  if (!s.mensagem.ok()) FalhaCritica(s.mensagem, ui_->dePrefixo);
  if (!s.modelo) return;
  if (MostraMensagem("1001"_msg) != "mrYes") throw Abortado{};
  cria(true);
}

void TfmNovaDecl::cria(bool copia) {
  PedidoCriacao p = pedido();
  p.copiaOutroPrefixo = copia;
  const ReferenciasTabelas ref(dm_.referencias());
  const ResultadoCriacao r = CriaEstabelecimento(dm_.conexao(), ref, p);
  if (r.falha) falha(*r.falha);
  hide();
  AbreDadosEstab({dm_, entrada_, r.chave, this, true, false});
  accept();
}

void TfmNovaDecl::btOkClick() {
  if (!PodeValidar({ui_->BtCancelar, ui_->dgTipoZema})) return;
  ValidaInscricao();
  cria(false);
}

void TfmNovaDecl::BtCancelarClick() { reject(); }

namespace {

const RegistroAcao nova{Comando::Nova, [](Programa& p, QWidget* janela) {
                          TfmNovaDecl tela(p.dmVornex(), p.dmEntradaDados(), janela);
                          Dialogo().executa(tela);
                        }};

}  // namespace

}  // namespace vornex::gui
