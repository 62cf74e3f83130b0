#include "entry/fm_dados_resp.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/comandos.h"
#include "app/programa.h"
#include "casos/responsavel.h"
#include "common/servico_dialogos.h"
#include "data/consultas.h"
#include "data/dm_vornex.h"
#include "common/texto.h"
#include "toolkit/critica.h"
#include "toolkit/mascara.h"
#include "ui_fm_dados_resp.h"
#include "validation/checagem_responsavel.h"
#include "validation/referencias_tabelas.h"

namespace vornex::gui {

namespace {

std::string Texto(const QLineEdit* e) { return e->text().toStdString(); }
QString Q(std::string_view s) { return QString::fromStdString(std::string(s)); }

}  // namespace

TfrDadosResp::TfrDadosResp(TdmVornex& dm, QWidget* pai)
    : QWidget(pai), dm_(dm), ui_(std::make_unique<Ui::TfrDadosResp>()) {
  ui_->setupUi(this);
  auto digitos = [this](int n) {
    return new QRegularExpressionValidator(QRegularExpression(QString("[0-9]{0,%1}").arg(n)), this);
  };
  // Free digits while typed; once left, the punctuation of the kind its
  // length gives (CNPJ, CEI or CPF).
  mascaraInscricao_ = MascaraDeExibicao(ui_->mdInscricao, [](const QString& v) -> std::string_view {
    const InscricaoResponsavel i = AnalisaInscricaoResponsavel(v.toStdString());
    if (!i.mensagem.ok()) return {};
    if (i.tipo == "1") return kMascaraCnpj;
    if (i.tipo == "3") return kMascaraCei;
    if (i.tipo == "4") return kMascaraCpf;
    return {};
  });
  ui_->mdInscricao->setToolTip("Informe a inscrição CNPJ/CEI/CPF do responsável.");
  for (auto [e, n] : {std::pair{ui_->deCep, 8}, {ui_->deCodMunicipio, 7}, {ui_->deDDD, 2}, {ui_->deTelefone, 8}})
    e->setValidator(digitos(n));
  for (QLineEdit* e : {ui_->deNome, ui_->deLogradouro, ui_->deComplemento, ui_->deBairro}) SoMaiusculas(e);

  caixas_ = {{ui_->deNome, "NoResponsavelArquivo"},          {ui_->deLogradouro, "EdLogradouroRespArquivo"},
             {ui_->deNumero, "NuLogradouroRespArquivo"},      {ui_->deComplemento, "TxComplementoRespArquivo"},
             {ui_->deBairro, "NoBairroRespArquivo"},          {ui_->deCep, "CoCepRespArquivo"},
             {ui_->deCodMunicipio, "CoMunicipioRespArquivo"}, {ui_->deNomeMunicipio, "NoMunicipioRespArquivo"},
             {ui_->deUF, "SgUfRespArquivo"},                  {ui_->deDDD, "NuFoneDDD"},
             {ui_->deTelefone, "NuFoneAssinante"},            {ui_->deEmail, "TxEMailRespArquivo"}};
  for (const Caixa& c : caixas_)
    if (c.caixa != ui_->deCodMunicipio && !c.caixa->isReadOnly())
      AoSair(c.caixa, [this, c] {
        if (PodeValidar(isentos_)) saiCampo(c.coluna);
      });
  AoSair(ui_->mdInscricao, [this] {
    if (!PodeValidar(isentos_)) return;
    if (inscricaoDigitada().empty())
      ui_->edTipodeInscricao->clear();
    else
      ValidaInscricao();
  });
  AoSair(ui_->deCodMunicipio, [this] {
    if (!PodeValidar(isentos_)) return;
    if (ui_->deCodMunicipio->text().trimmed().isEmpty()) {
      ui_->deNomeMunicipio->clear();
      ui_->deUF->clear();
    } else if (QApplication::focusWidget() != ui_->bbCodMunicipio) {
      saiCampo("CoMunicipioRespArquivo");
    }
  });
  LigaConsulta(ui_->bbCodMunicipio, ui_->deCodMunicipio, [this] {
    RegistroEditado r;
    r.edita(linha());
    TfrmT8Munic d(dm_.referencias(), this);
    d.SelecionaMunicipio(r, "CoMunicipioRespArquivo");
    ui_->deCodMunicipio->setText(Q(r.linha()["CoMunicipioRespArquivo"]));
  });
  base_ = LeResponsavelOuVazio(dm_.conexao());
}

TfrDadosResp::~TfrDadosResp() = default;

void TfrDadosResp::isenta(std::vector<const QWidget*> isentos, const QWidget* avancar) {
  isentos_ = std::move(isentos);
  avancar_ = avancar;
}

void TfrDadosResp::mostra(const Linha& l) {
  for (const Caixa& c : caixas_) c.caixa->setText(Q(l[c.coluna]));
  ui_->dkEnviar->setChecked(l.logico("InReciboParaRespArquivo"));
}

void TfrDadosResp::carrega(const Linha& responsavel) {
  base_ = responsavel;
  Linha l = responsavel;
  if (!Apara(l["NuLogradouroRespArquivo"]).empty())
    l["NuLogradouroRespArquivo"] = TiraZerosEsquerda(Apara(l["NuLogradouroRespArquivo"]));
  mostra(l);
  AplicaMascara(ui_->mdInscricao, kMascaraDigitacaoInscricao);
  ui_->mdInscricao->setText(Q(InscricaoRespDigitada(l["CoCgcCeiResponsavel"], l["InInscrResponsavel"])));
  mascaraInscricao_();
  ui_->edTipodeInscricao->setText(Q(NomeTipoInscricaoResp(l["InInscrResponsavel"])));
}

std::string TfrDadosResp::inscricaoDigitada() const { return ValorCaixa(ui_->mdInscricao).trimmed().toStdString(); }

Linha TfrDadosResp::linha() const {
  Linha l = base_;
  for (const Caixa& c : caixas_) l[c.coluna] = Texto(c.caixa);
  l["InReciboParaRespArquivo"] = ui_->dkEnviar->isChecked() ? "1" : "0";
  const InscricaoResponsavel i = AnalisaInscricaoResponsavel(inscricaoDigitada());
  l["CoCgcCeiResponsavel"] = i.mensagem.ok() ? i.armazenada : std::string();
  l["InInscrResponsavel"] = i.tipo;
  return l;
}

QWidget* TfrDadosResp::widgetDe(std::string_view coluna) const {
  for (const Caixa& c : caixas_)
    if (c.coluna == coluna) return c.caixa;
  return ui_->mdInscricao;
}

void TfrDadosResp::falha(NuMensagem mensagem, std::string_view foco) { FalhaCritica(mensagem, widgetDe(foco)); }

// A refused registration empties the type box, so that nothing is shown
// that the row would not hold.
void TfrDadosResp::ValidaInscricao() {
  const InscricaoResponsavel i = AnalisaInscricaoResponsavel(inscricaoDigitada());
  if (!i.mensagem.ok()) {
    ui_->edTipodeInscricao->clear();
    FalhaCritica(i.mensagem, ui_->mdInscricao);
  }
  ui_->edTipodeInscricao->setText(Q(NomeTipoInscricaoResp(i.tipo)));
}

void TfrDadosResp::saiCampo(const char* coluna) {
  Linha l = linha();
  const ReferenciasTabelas ref(dm_.referencias());
  const bool paraAvancar = avancar_ && QApplication::focusWidget() == avancar_;
  const ResultadoResponsavel r = ChecaSaidaResponsavel(l, ref, coluna, paraAvancar);
  mostra(l);  // the values as the rules hand them back, whatever they answered
  for (const auto& a : r.avisos) MostraMensagem(a.mensagem);
  if (!r.ok()) falha(r.falhas.front().mensagem, r.falhas.front().foco);
}

TfmDadosResp::TfmDadosResp(TdmVornex& dm, QWidget* pai) : QDialog(pai), dm_(dm) {
  setObjectName("fmDadosResp");
  setWindowTitle("Informações do Responsável pela Declaração da Zema");
  auto* lay = new QVBoxLayout(this);
  campos_ = new TfrDadosResp(dm, this);
  lay->addWidget(campos_);
  auto* botoes = new QDialogButtonBox(this);
  bbOk_ = botoes->addButton("&Ok", QDialogButtonBox::AcceptRole);
  bbOk_->setObjectName("bbOk");
  bbCancelar_ = botoes->addButton("&Cancelar", QDialogButtonBox::RejectRole);
  bbCancelar_->setObjectName("bbCancelar");
  lay->addWidget(botoes);
  campos_->isenta({bbCancelar_});
  connect(bbOk_, &QPushButton::clicked, this, [this] { Protegido([this] { bbOkClick(); }); });
  connect(bbCancelar_, &QPushButton::clicked, this, &QDialog::reject);
  EnterComoTab(this);
}

TfmDadosResp::~TfmDadosResp() = default;

void TfmDadosResp::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  campos_->carrega(LeResponsavelOuVazio(dm_.conexao()));
  campos_->ui().mdInscricao->setFocus();
}

void TfmDadosResp::bbOkClick() {
  PedidoGravaResponsavel p;
  p.responsavel = campos_->linha();
  p.inscricaoDigitada = campos_->inscricaoDigitada();
  p.todosOsCampos = false;
  const ReferenciasTabelas ref(dm_.referencias());
  const ResultadoGravaResponsavel r = GravaResponsavel(dm_.conexao(), ref, p);
  if (!r.gravado()) campos_->falha(r.checagem.falhas.front().mensagem, r.checagem.falhas.front().foco);
  accept();
}

namespace {

const RegistroAcao kResp{Comando::Resp, [](Programa& p, QWidget* janela) {
                           TfmDadosResp tela(p.dmVornex(), janela);
                           Dialogo().executa(tela);
                         }};

}  // namespace

}  // namespace vornex::gui
