#include "entry/fm_dados_estab.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabBar>
#include <QValidator>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "data/consultas.h"
#include "data/dm_vornex.h"
#include "toolkit/critica.h"
#include "toolkit/registro.h"
#include "ui_fm_dados_estab.h"
#include "validation/referencias_tabelas.h"
#include "validation/regras_estabelecimento.h"

namespace vornex::gui {

namespace {

QString Q(std::string_view s) { return QString::fromStdString(std::string(s)); }

// Text fields keep capitals, as the tables do.
class Maiusculas : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& texto, int&) const override {
    texto = texto.toUpper();
    return Acceptable;
  }
};

// The edit boxes of the screen: column, box, mask, capitals. Declared once;
// binding, exit checks and the focus of a failed check all read it.
struct CampoEstab {
  const char* coluna;
  QLineEdit* Ui::TfmDadosEstab::*caixa;
  const char* mascara;
  bool maiusculas;
};

const CampoEstab kCampos[] = {
    {"CoCgcVinculado", &Ui::TfmDadosEstab::meCeiVinc, "", false},
    {"NoRazaoEstabelecimento", &Ui::TfmDadosEstab::deRazao, "", true},
    {"TxUsoEstabelecimento", &Ui::TfmDadosEstab::deUsoEmpresa, "", true},
    {"DaEncerramentoAtividade", &Ui::TfmDadosEstab::deDataEncerramento, "99/99/9999;0;_", false},
    {"EdEstabelecimento", &Ui::TfmDadosEstab::deLogradouro, "", true},
    {"NuEnderecoEstabelecimento", &Ui::TfmDadosEstab::deNumero, "", false},
    {"TxComplemEstabelecimento", &Ui::TfmDadosEstab::deComplemento, "", true},
    {"NoBairroEstabelecimento", &Ui::TfmDadosEstab::deBairro, "", true},
    {"CoCepEstabelecimento", &Ui::TfmDadosEstab::deCEP, "99999-999;0;_", false},
    {"CoMunicipio", &Ui::TfmDadosEstab::deMunicipio, "99-99999;0;_", false},
    {"NoMunicEstabelecimento", &Ui::TfmDadosEstab::deNomeMunicipio, "", false},
    {"SgUf", &Ui::TfmDadosEstab::deSiglaUF, "", false},
    {"NuDDD", &Ui::TfmDadosEstab::deDDD, "", false},
    {"NuTelefone", &Ui::TfmDadosEstab::deTelefone, "", false},
    {"TxEmailEstabelecimento", &Ui::TfmDadosEstab::deEmail, "", true},
    {"CoCnae", &Ui::TfmDadosEstab::deCNAE, "99.99-9;0;_", false},
    {"CoNaturezaJuridica", &Ui::TfmDadosEstab::deNatJuridica, "999-9;0;_", false},
    {"NuProprietEstabelecimento", &Ui::TfmDadosEstab::deProprietarios, "", false},
    {"MeDataBase", &Ui::TfmDadosEstab::deDataBase, "", false},
    {"NuVinculoPatMaior5", &Ui::TfmDadosEstab::dePATVincMaior5, "", false},
    {"NuVinculoPatMenor5", &Ui::TfmDadosEstab::dePATVincMenor5, "", false},
    {"PoServicoProprio", &Ui::TfmDadosEstab::deServProprio, "", false},
    {"PoAdmCozinha", &Ui::TfmDadosEstab::deAdmCozinha, "", false},
    {"PoRefeicaoTransportadora", &Ui::TfmDadosEstab::deRefeicaoTransportadora, "", false},
    {"PoRefeicaoConvenio", &Ui::TfmDadosEstab::deRefeicaoConvenio, "", false},
    {"PoCestaAlimento", &Ui::TfmDadosEstab::deCestaAlimento, "", false},
    {"PoAlimentacaoConvenio", &Ui::TfmDadosEstab::deAlimentacaoConvenio, "", false},
};

// Shown without leading zeros; the confirmation pads them again.
constexpr const char* kSemZeros[] = {"NuEnderecoEstabelecimento", "NuProprietEstabelecimento", "MeDataBase",
                                     "NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoServicoProprio",
                                     "PoAdmCozinha", "PoRefeicaoTransportadora", "PoRefeicaoConvenio",
                                     "PoCestaAlimento", "PoAlimentacaoConvenio"};
constexpr const char* kPat[] = {"NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha",
                                "PoRefeicaoTransportadora", "PoRefeicaoConvenio", "PoCestaAlimento",
                                "PoAlimentacaoConvenio"};

const ReferenciasTabelas& Regras(TdmVornex& dm) {
  static const TabelasReferencia* de = nullptr;
  static std::unique_ptr<ReferenciasTabelas> ref;
  if (de != &dm.referencias()) {
    ref = std::make_unique<ReferenciasTabelas>(dm.referencias());
    de = &dm.referencias();
  }
  return *ref;
}

bool SoZerosOuVazio(std::string_view v) { return Apara(v).empty() || SoZeros(Apara(v)); }

}  // namespace

TfmDadosEstab::TfmDadosEstab(const ContextoEstab& contexto, QWidget* pai)
    : QDialog(pai), ctx_(contexto), ui_(std::make_unique<Ui::TfmDadosEstab>()) {
  ui_->setupUi(this);
  // Every page's tab in view: the dialog widens instead of scrolling them.
  ui_->pcInformacoes->tabBar()->setUsesScrollButtons(false);
  liga();
  EnterComoTab(this);
}

TfmDadosEstab::~TfmDadosEstab() = default;

RegistroEditado& TfmDadosEstab::registro() { return ctx_.entrada.ta8Empresa; }

void TfmDadosEstab::liga() {
  for (const auto& c : kCampos) {
    QLineEdit* caixa = (*ui_).*(c.caixa);
    campos_[c.coluna] = caixa;
    if (c.maiusculas) caixa->setValidator(new Maiusculas(caixa));
    const std::string coluna = c.coluna;
    AoSair(caixa, [this, coluna] {
      if (!PodeValidar({ui_->BtCancelar, ui_->BtVinculos})) return;
      checaSaida(coluna);
    });
  }
  campos_["InZemaNegEstabelecimento"] = ui_->rbComEmpregados;
  campos_["InPorte"] = ui_->rbPorte3;
  campos_["InOptanteSimples"] = ui_->rbSimples2;
  campos_["InParticipaPAT"] = ui_->rbPATSim;
  campos_["CoCgcCeiEstabelecimento"] = ui_->BtOk;
  for (QLineEdit* e : {ui_->mdInscricao, ui_->edTipodeInscricao, ui_->edPrefixo, ui_->edTotalEmpreg,
                       ui_->deNomeMunicipio, ui_->deSiglaUF, ui_->edTxCNAE, ui_->edTxNatJuridica})
    e->setFocusPolicy(Qt::NoFocus);

  auto protegido = [](auto f) { return [f] { Protegido(f); }; };
  connect(ui_->rbComEmpregados, &QRadioButton::clicked, this, protegido([this] { dgTipoZemaClick("0"); }));
  connect(ui_->rbSemEmpregados, &QRadioButton::clicked, this, protegido([this] { dgTipoZemaClick("1"); }));
  int i = 1;
  for (QRadioButton* r : {ui_->rbPorte1, ui_->rbPorte2, ui_->rbPorte3}) {
    const std::string v = std::to_string(i++);
    connect(r, &QRadioButton::clicked, this, [this, v] {
      registro().define("InPorte", v);
      dgPorteClick();
    });
  }
  connect(ui_->rbSimples1, &QRadioButton::clicked, this, [this] { registro().define("InOptanteSimples", "1"); });
  connect(ui_->rbSimples2, &QRadioButton::clicked, this, [this] { registro().define("InOptanteSimples", "2"); });
  connect(ui_->rbPATNao, &QRadioButton::clicked, this, [this] { rbPATNaoClick(); });
  connect(ui_->rbPATSim, &QRadioButton::clicked, this, [this] { rbPATSimSai(); });
  connect(ui_->cbEncerramento, &QAbstractButton::clicked, this, [this] { cbEncerramentoClick(); });

  LigaConsulta(ui_->sbCodMunicipio, ui_->deMunicipio, [this] {
    TfrmT8Munic d(ctx_.dm.referencias(), this);
    d.SelecionaMunicipio(registro(), "CoMunicipio");
  });
  connect(ui_->sbCNAE, &QAbstractButton::clicked, this, protegido([this] {
            TfmTb8Cnae d(ctx_.dm.referencias(), this);
            d.Mostra(registro());
            ui_->deCNAE->setFocus();
            checaSaida("CoCnae");
          }));
  connect(ui_->sbNatJuridica, &QAbstractButton::clicked, this, protegido([this] {
            TfmTb8NatJu d(ctx_.dm.referencias(), registro(), this);
            Dialogo().executa(d);
            ui_->deNatJuridica->setFocus();
            checaSaida("CoNaturezaJuridica");
          }));

  connect(ui_->BtOk, &QPushButton::clicked, this, protegido([this] { BtOkClick(); }));
  connect(ui_->BtVinculos, &QPushButton::clicked, this, protegido([this] { BtVinculosClick(); }));
  connect(ui_->BtCancelar, &QPushButton::clicked, this, protegido([this] { BtCancelarClick(); }));

  // A failed check holds the page once: the first change asked is refused.
  ui_->pcInformacoes->tabBar()->installEventFilter(this);
}

QWidget* TfmDadosEstab::widgetDe(const std::string& coluna) const {
  auto it = campos_.find(coluna);
  return it == campos_.end() ? nullptr : it->second;
}

void TfmDadosEstab::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (carregado_) return;
  carregado_ = true;
  Protegido([this] { FormShow(); });
}

void TfmDadosEstab::FormShow() {
  auto a = AbreEstabelecimento(ctx_.dm.conexao(), ctx_.chave, ctx_.estabNovo);
  if (!a.estab) {
    MostraMensagem("1006"_msg);
    return;
  }
  if (!ctx_.estabNovo && !a.pendente.mensagem.ok()) {
    const Linha& e = *a.pendente.estab;
    vornex::MostraMensagemEstab(ctx_.dm.catalogo(), Dialogo(), a.pendente.mensagem, e["CoCgcCeiEstabelecimento"],
                                e["NoRazaoEstabelecimento"], e["NuPrefixoEstabelecimento"],
                                e["InInscrEstabelecimento"]);
  }
  CarregaEstab(*a.estab);
  if (a.avisoCnae) MostraMensagem("3517"_msg);
}

void TfmDadosEstab::CarregaEstab(const Linha& original) {
  Linha e = original;
  const bool cei = e["InInscrEstabelecimento"] == "3";
  // Values of zeros mean not informed: the boxes show them empty.
  for (const char* col : {"CoCepEstabelecimento", "CoMunicipio", "CoCnae", "CoNaturezaJuridica"})
    if (SoZerosOuVazio(e[col])) e[col].clear();
  for (const char* col : kSemZeros) e[col] = TiraZerosEsquerda(Apara(e[col]));
  if (SoZerosOuVazio(e["DaEncerramentoAtividade"])) e["DaEncerramentoAtividade"].clear();
  const std::string cv(Apara(e["CoCgcVinculado"]));
  e["CoCgcVinculado"] = SoZerosOuVazio(cv) ? std::string() : cv.size() == 14 ? cv.substr(2) : cv;
  if (e["InParticipaPAT"] != "1" && e["InParticipaPAT"] != "2") e["InParticipaPAT"].clear();
  e["InOpcaoAberta"] = "0";
  registro().edita(e);
  for (const auto& c : kCampos) LigaCampo((*ui_).*(c.caixa), registro(), c.coluna, c.mascara);

  cabecalhoAno();
  const std::string& insc = e["CoCgcCeiEstabelecimento"];
  ui_->mdInscricao->setText(Q(FormataInscricao(insc, cei ? "3" : "1")));
  ui_->edTipodeInscricao->setText(cei ? "CEI" : "CNPJ");
  ui_->edPrefixo->setText(Q(e["NuPrefixoEstabelecimento"]));
  ui_->meCeiVinc->setEnabled(!cei);
  ui_->meCeiVinc->setReadOnly(cei);
  ui_->edTotalEmpreg->setText(QString::number(ValorInteiro(e["NuVinculosEstabelecimento"])));
  const bool sem = e["InZemaNegEstabelecimento"] == "1";
  (sem ? ui_->rbSemEmpregados : ui_->rbComEmpregados)->setChecked(true);
  if (sem) ui_->edTotalEmpreg->setText("0");
  ui_->BtVinculos->setEnabled(!sem);
  if (e["InPorte"] == "1") ui_->rbPorte1->setChecked(true);
  if (e["InPorte"] == "2") ui_->rbPorte2->setChecked(true);
  if (e["InPorte"] == "3") ui_->rbPorte3->setChecked(true);
  if (e["InOptanteSimples"] == "1") ui_->rbSimples1->setChecked(true);
  if (e["InOptanteSimples"] == "2") ui_->rbSimples2->setChecked(true);
  ui_->dgOptanteSimples->setEnabled(true);
  ui_->rbPATSim->setChecked(e["InParticipaPAT"] == "1");
  ui_->rbPATNao->setChecked(e["InParticipaPAT"] == "2");
  ui_->paPAT->setEnabled(e["InParticipaPAT"] == "1");
  ui_->cbEncerramento->setChecked(e["InEncerramentoAtividade"] == "1");
  ui_->paDataEncerramento->setEnabled(ui_->cbEncerramento->isChecked());
  dgPorteClick();
  atualizaDescricoes();
  ui_->pcInformacoes->setCurrentIndex(0);
  ui_->deLogradouro->setFocus();
}

void TfmDadosEstab::atualizaDescricoes() {
  const auto& r = ctx_.dm.referencias();
  const Linha* cnae = r.cnae(Apara(registro().valor("CoCnae")));
  ui_->edTxCNAE->setText(cnae ? Q((*cnae)["NoCnae"]) : QString());
  const Linha* nat = r.naturezaJuridica(Apara(registro().valor("CoNaturezaJuridica")));
  ui_->edTxNatJuridica->setText(nat ? Q((*nat)["NoNaturezaJuridica"]) : QString());
}

void TfmDadosEstab::cabecalhoAno() {
  const std::string encerramento = registro().valor("DaEncerramentoAtividade");
  const bool em2005 = registro().valor("InEncerramentoAtividade") == "1" && encerramento.size() == 8 &&
                      encerramento.substr(4) == "2005";
  ui_->paAnoBase->setText(em2005 ? "Ano-Base 2005" : "Ano-Base 2004");
}

[[noreturn]] void TfmDadosEstab::falha(const FalhaChecagem& f) {
  QWidget* w = widgetDe(f.foco);
  if (w == ui_->rbPATSim && !ui_->rbPATSim->isChecked()) w = ui_->rbPATNao;
  if (w && !ui_->paDataEncerramento->isEnabled() && f.foco == "DaEncerramentoAtividade") w = ui_->cbEncerramento;
  // A PAT value while the PAT panel is off: the PAT choice.
  for (const char* c : kPat)
    if (f.foco == c && !ui_->paPAT->isEnabled())
      w = ui_->rbPATSim->isChecked() ? static_cast<QWidget*>(ui_->rbPATSim) : ui_->rbPATNao;
  FalhaCritica(f.mensagem, w ? w : ui_->BtOk);
}

bool TfmDadosEstab::eventFilter(QObject* o, QEvent* e) {
  if (o == ui_->pcInformacoes->tabBar() && e->type() == QEvent::MouseButtonPress && !PaginaLivre) {
    PaginaLivre = true;
    return true;
  }
  return QDialog::eventFilter(o, e);
}

void TfmDadosEstab::checaSaida(const std::string& coluna) {
  Linha l = registro().linha();
  const ResultadoChecagem r = ChecaSaidaCampo(l, Regras(ctx_.dm), coluna);
  // The values as the rules normalised them (trimmed, looked up); numbers
  // keep showing without their leading zeros.
  for (const auto& nome : l.esquema().colunas()) {
    std::string v = l[nome];
    for (const char* s : kSemZeros)
      if (nome == s) v = TiraZerosEsquerda(v);
    if (v != registro().valor(nome)) registro().define(nome, v);
  }
  if (!r.ok()) {
    PaginaLivre = false;
    falha(r.falhas.front());
  }
  for (const auto& a : r.avisos) {
    MostraMensagem(a.mensagem);
    if (a.retemFoco) {
      if (QWidget* w = widgetDe(a.foco)) w->setFocus();
      throw Abortado{};
    }
  }
  // What follows a field that passed.
  if (coluna == "TxEmailEstabelecimento") {
    ui_->pcInformacoes->setCurrentWidget(ui_->tEconomicas);
    ui_->deCNAE->setFocus();
  } else if (coluna == "MeDataBase") {
    ui_->pcInformacoes->setCurrentWidget(ui_->tEconomicas2);
    (ui_->rbPorte1->isChecked() ? ui_->rbPorte1 : ui_->rbPorte2->isChecked() ? ui_->rbPorte2 : ui_->rbPorte3)
        ->setFocus();
  } else if (coluna == "CoCnae" || coluna == "CoNaturezaJuridica") {
    atualizaDescricoes();
  } else if (coluna == "DaEncerramentoAtividade") {
    cabecalhoAno();
    const std::string d = registro().valor("DaEncerramentoAtividade");
    if (d.size() == 8 && d.substr(4) == "2005")
      Dialogo().pergunta({TipoDialogo::Informacao, Botoes::Ok,
                          "Ao acessar este módulo, você estará declarando a ZEMA referente ao encerramento de "
                          "atividades da empresa. Se o encerramento ocorreu no ano-base de 2005, não se esqueça que "
                          "você deverá entregar também a declaração referente ao ano-base 2004",
                          "Atenção"});
  }
}

void TfmDadosEstab::dgPorteClick() {
  if (registro().valor("InPorte") == "3") {
    registro().define("InOptanteSimples", "2");
    for (QRadioButton* r : {ui_->rbSimples1, ui_->rbSimples2}) {
      r->setAutoExclusive(false);
      r->setChecked(false);
      r->setAutoExclusive(true);
    }
    ui_->dgOptanteSimples->setEnabled(false);
  } else if (!ui_->dgOptanteSimples->isEnabled()) {
    ui_->dgOptanteSimples->setEnabled(true);
    ui_->rbSimples2->setChecked(true);
    registro().define("InOptanteSimples", "2");
  }
}

void TfmDadosEstab::dgTipoZemaClick(const QString& valor) {
  registro().define("InZemaNegEstabelecimento", valor.toStdString());
  if (valor == "0") {
    ui_->BtVinculos->setEnabled(true);
    return;
  }
  ui_->BtVinculos->setEnabled(false);
  const std::string tipo = registro().valor("InInscrEstabelecimento");
  if (tipo == "3") {
    MostraMensagem("0133"_msg);
  } else {
    const NuMensagem m =
        CriticaNegativaInscricao("1", tipo, CeiVinculadoArmazenado(registro().valor("CoCgcVinculado")));
    MostraMensagem(m.ok() ? "1007"_msg : m);
  }
  ui_->dgTipoZema->setFocus();
}

void TfmDadosEstab::cbEncerramentoClick() {
  const bool marcado = ui_->cbEncerramento->isChecked();
  ui_->paDataEncerramento->setEnabled(marcado);
  registro().define("InEncerramentoAtividade", marcado ? "1" : "2");
  if (!marcado) registro().define("DaEncerramentoAtividade", "");
  cabecalhoAno();
}

void TfmDadosEstab::rbPATNaoClick() {
  ui_->paPAT->setEnabled(false);
  registro().define("InParticipaPAT", "2");
  for (const char* c : kPat) registro().define(c, "");
}

void TfmDadosEstab::rbPATSimSai() {
  ui_->paPAT->setEnabled(true);
  registro().define("InParticipaPAT", "1");
  ui_->pcInformacoes->setCurrentWidget(ui_->tEconomicas3);
  ui_->dePATVincMaior5->setFocus();
}

bool TfmDadosEstab::ConfirmaEstab() {
  PedidoGravaEstab p{registro().linha()};
  p.continuaEdicao = registro().valor("InZemaNegEstabelecimento") != "1";
  for (;;) {
    ResultadoGravaEstab r = GravaEstabelecimento(ctx_.dm.conexao(), Regras(ctx_.dm), p);
    if (!r.checagem.ok()) {
      const FalhaChecagem& f = r.checagem.falhas.front();
      if (f.campo == "InParticipaPAT") {
        MostraMensagem(f.mensagem);
        const int resp = Dialogo().pergunta({TipoDialogo::Confirmacao, Botoes::SimNao, "A empresa participa do PAT ?", {}});
        if (resp == kResultadoYes) {
          ui_->rbPATSim->setChecked(true);
          rbPATSimSai();
        } else {
          registro().define("InParticipaPAT", "2");
          ui_->rbPATNao->setChecked(true);
        }
        throw Abortado{};
      }
      if (f.campo == "InZemaNegEstabelecimento") {
        MostraMensagem(f.mensagem);
        ui_->dgTipoZema->setFocus();
        return false;
      }
      falha(f);
    }
    if (!r.confirmacao.ok()) {
      if (MostraMensagem(r.confirmacao) != "mrYes") return false;
      p.excluiVinculos = true;
      continue;
    }
    registro().edita(r.estab);
    return true;
  }
}

void TfmDadosEstab::segueParaVinculos(bool) {
  if (registro().valor("InZemaNegEstabelecimento") == "1") {
    FechaEstabelecimento(ctx_.dm.conexao(), ctx_.chave);
    accept();
    return;
  }
  const std::string encerramento = registro().valor("DaEncerramentoAtividade");
  ContextoEstab c = ctx_;
  c.janela = this;
  c.encerraEm2005 = registro().valor("InEncerramentoAtividade") == "1" && encerramento.size() == 8 && encerramento.substr(4) == "2005";
  const bool semVinculos = SoZeros(registro().valor("NuVinculosEstabelecimento"));
  hide();
  ExecutaAcaoEstab(semVinculos ? AcaoEstab::NovoVinculo : AcaoEstab::ConsultaVinculos, c);
  accept();
}

void TfmDadosEstab::BtOkClick() {
  if (!PodeValidar({ui_->BtCancelar})) return;
  if (ConfirmaEstab()) segueParaVinculos(false);
}

void TfmDadosEstab::BtVinculosClick() {
  if (ConfirmaEstab()) segueParaVinculos(true);
}

void TfmDadosEstab::BtCancelarClick() {
  PedidoDialogo p{TipoDialogo::Confirmacao, Botoes::SimNao, "As informações não salvas serão perdidas. Deseja sair ?",
                  "Confirmação"};
  if (Dialogo().pergunta(p) != kResultadoYes) {
    ui_->deRazao->setFocus();
    return;
  }
  if (ctx_.estabNovo) {
    DescartaEstabelecimento(ctx_.dm.conexao(), ctx_.chave);
    encerrado_ = true;
  }
  registro().cancela();
  reject();
}

void TfmDadosEstab::done(int resultado) {
  // FormClose: nothing is left pending on the establishment.
  if (!encerrado_) FechaEstabelecimento(ctx_.dm.conexao(), ctx_.chave);
  encerrado_ = true;
  if (registro().editando()) registro().cancela();
  QDialog::done(resultado);
}

void AbreDadosEstab(const ContextoEstab& contexto) {
  TfmDadosEstab tela(contexto, contexto.janela);
  Dialogo().executa(tela);
}

}  // namespace vornex::gui
