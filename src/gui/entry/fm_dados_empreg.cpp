#include "entry/fm_dados_empreg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <tuple>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "data/consultas.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "toolkit/critica.h"
#include "toolkit/formulario.h"
#include "toolkit/grade_meses.h"
#include "toolkit/registro.h"
#include "ui_fm_dados_empreg.h"
#include "validation/regras_contrato.h"

namespace vornex::gui {

namespace {

QString Q(std::string_view s) { return QString::fromStdString(std::string(s)); }

constexpr std::string_view kMascaraData = "99/99/9999;0;_";
constexpr std::string_view kMascaraDiaMes = "99/99;0;_";
constexpr const char* kSemAviso = "000000000";

// Codes whose description box follows them, and where the description is read.
struct Descricao {
  const char* coluna;
  QLineEdit* Ui::TfmDadosEmpreg::*caixa;
  const Linha* (TabelasReferencia::*busca)(std::string_view) const;
  const char* nome;
};
const Descricao kDescricoes[] = {
    {"CoTipoRaca", &Ui::TfmDadosEmpreg::edTxRaca, &TabelasReferencia::raca, "NoRaca"},
    {"CoNacionalidade", &Ui::TfmDadosEmpreg::edTxNacionalidade, &TabelasReferencia::nacionalidade, "NoNacionalidade"},
    {"CoInstrucao", &Ui::TfmDadosEmpreg::edTxInstrucao, &TabelasReferencia::instrucao, "NoInstrucao"},
    {"CoTipoAdmissao", &Ui::TfmDadosEmpreg::edTxTipoAdmissao, &TabelasReferencia::tipoAdmissao, "NoTipoAdmissao"},
    {"CoTipoSalarioContratual", &Ui::TfmDadosEmpreg::edTxTipoSalContratual, &TabelasReferencia::tipoSalario,
     "NoTipoSalarioContratual"},
    {"CoCbo", &Ui::TfmDadosEmpreg::edTxCBO, &TabelasReferencia::cbo, "NoCbo"},
    {"CoVinculo", &Ui::TfmDadosEmpreg::edTxVinculo, &TabelasReferencia::vinculo, "NoVinculo"},
    {"CoCausaDesligamento", &Ui::TfmDadosEmpreg::edTxCodDeslig, &TabelasReferencia::desligamento,
     "NoCausaDesligamento"},
    {"CoMotivoPrimAfas", &Ui::TfmDadosEmpreg::edTxPrimCod, &TabelasReferencia::afastamento, "NoAfastamento"},
    {"CoMotivoSeguAfas", &Ui::TfmDadosEmpreg::edTxSegCod, &TabelasReferencia::afastamento, "NoAfastamento"},
    {"CoMotivoTercAfas", &Ui::TfmDadosEmpreg::edTxTerCod, &TabelasReferencia::afastamento, "NoAfastamento"},
};

// Stored zeros that mean "not informed": the boxes show them empty.
constexpr const char* kZerosVazios[] = {
    "AnChegadaEmpregado",   "NuCartTrabEmpregado",  "CoCpfEmpregado",       "CoInstrucao",
    "CoTipoAdmissao",       "CoTipoSalarioContratual", "CoCbo",             "CoVinculo",
    "CoCausaDesligamento",  "DaDesligamentoEmpregado", "CoMotivoPrimAfas",  "CoMotivoSeguAfas",
    "CoMotivoTercAfas",     "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas",  "DaInicioSegundoAfas",
    "DaFinalSegundoAfas",   "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"};

constexpr const char* kDinheiro[] = {"VaSalContratualEmpregado", "VaAvisoPrevioEmpregado",
                                     "Va13AdiantamentoEmpregado", "Va13ParcelaFinalEmpregado"};

bool Vazio(std::string_view v) { return Apara(v).empty() || SoZeros(Apara(v)); }

bool Sim(const std::string& resposta) { return resposta == "mrYes"; }

}  // namespace

TfmDadosEmpreg::TfmDadosEmpreg(ContextoEmpreg contexto, QWidget* pai)
    : QDialog(pai), ctx_(std::move(contexto)), ui_(std::make_unique<Ui::TfmDadosEmpreg>()),
      ref_(ctx_.estab.dm.referencias()) {
  ui_->setupUi(this);
  ui_->pcEmpregado->tabBar()->setUsesScrollButtons(false);
  ui_->cbSexo->addItem("1-Masculino", "1");
  ui_->cbSexo->addItem("2-Feminino", "2");
  dgDeficiencia_ = new QButtonGroup(this);
  dgDeficiencia_->addButton(ui_->rbDeficienciaSim, 1);
  dgDeficiencia_->addButton(ui_->rbDeficienciaNao, 2);
  dgAlvara_ = new QButtonGroup(this);
  dgAlvara_->addButton(ui_->rbAlvaraSim, 1);
  dgAlvara_->addButton(ui_->rbAlvaraNao, 2);
  // The form binds to a row from the start; the real one comes on showing.
  registro().insere(NovoVinculo(ctx_.estab.dm.conexao(), ctx_.estab.chave));
  declara();
  liga();
}

TfmDadosEmpreg::~TfmDadosEmpreg() = default;

RegistroEditado& TfmDadosEmpreg::registro() { return ctx_.estab.entrada.ta8Empreg; }

// --- the fields ----------------------------------------------------------------------

void TfmDadosEmpreg::declara() {
  form_ = new Formulario(registro(), "Bd8vinc", this);
  Formulario& f = *form_;
  f.isenta({ui_->BtCancelar, ui_->BtExcluir});
  auto& u = *ui_;
  GradeMeses& g = *u.grMeses;
  // Every field runs the core's checks of its column; the confirmation is
  // the core's too, so the rule is silent then.
  auto campo = [this](CampoFormulario& c, const std::string& coluna) -> CampoFormulario& {
    campos_[coluna] = c.widget();
    return c.regra([this, coluna](const Formulario& fm) {
      if (!fm.confirmando()) checa(coluna);
      return kSemOcorrencia;
    });
  };
  auto texto = [&](QLineEdit* e, const char* col, std::string_view mascara = {}) -> CampoFormulario& {
    return campo(f.texto(e, col, mascara), col);
  };
  auto valor = [&](QLineEdit* e, const char* col) -> CampoFormulario& { return campo(f.valor(e, col), col); };
  // A 13th-salary month shows its name; typed, it is its code.
  auto mes13 = [&](QLineEdit* e, const char* col) -> CampoFormulario& {
    LigaCampo(e, registro(), col,
              ConversaoCampo{[](const std::string& v) { return TextoMes13(v); },
                             [this, col](const QLineEdit& c) -> std::optional<std::string> {
                               const std::string t = c.text().trimmed().toStdString();
                               if (!t.empty() && QString::fromStdString(t) == TextoMes13(registro().valor(col)))
                                 return registro().valor(col);
                               return t;
                             }});
    return campo(f.livre(e), col).aposSair([e, this, col] { e->setText(TextoMes13(registro().valor(col))); });
  };

  texto(u.dePisPasep, "CoPisPasepEmpregado");
  campos_["CoPisPasepEmpregado"] = u.dePisPasep;
  campo(f.maiusculas(u.deNomeEmpregado, "NoEmpregado"), "NoEmpregado");
  texto(u.deNascimento, "DaNascimentoEmpregado", kMascaraData).aposSair([this] { deNascimentoExit(); });
  texto(u.deRaca, "CoTipoRaca");
  campo(f.lista(u.cbSexo, "InSexo"), "InSexo").aposSair([this] { vai(ui_->tDadosPessoais, ui_->deNacionalidade); });
  campo(f.grupo(dgDeficiencia_, "InDeficienteFisico", {{1, "1"}, {2, "2"}}, u.dgDeficiencia), "InDeficienteFisico");
  texto(u.deNacionalidade, "CoNacionalidade").aposSair([this] { deNacionalidadeExit(); });
  texto(u.deAnoChegada, "AnChegadaEmpregado");
  texto(u.deInstrucao, "CoInstrucao");
  texto(u.deCarteiraTrab, "NuCartTrabEmpregado");
  texto(u.deCPF, "CoCpfEmpregado");
  campo(f.maiusculas(u.deUsoEmpregado, "TxUsoEmpregado"), "TxUsoEmpregado").aposSair([this] {
    vai(ui_->tAdmissao, ui_->deAdmissao);
  });
  texto(u.deAdmissao, "DaAdmissaoEmpregado", kMascaraData).aposSair([this] { deAdmissaoExit(); });
  texto(u.deTipoAdmissao, "CoTipoAdmissao");
  valor(u.edSalario, "VaSalContratualEmpregado");
  texto(u.deHoras, "HoSemanaisEmpregado");
  texto(u.deTipoSalContratual, "CoTipoSalarioContratual");
  texto(u.deCBO, "CoCbo").aposSair([this] { vai(ui_->tVinculo, ui_->deVinculo); });
  texto(u.deVinculo, "CoVinculo").aposSair([this] { deVinculoExit(); });
  campo(f.grupo(dgAlvara_, "InAlvaraEmpregado", {{1, "1"}, {2, "2"}}, u.dgAlvara), "InAlvaraEmpregado");
  texto(u.deCodDeslig, "CoCausaDesligamento").aposSair([this] { deCodDesligExit(); });
  texto(u.deDataDeslig, "DaDesligamentoEmpregado", kMascaraDiaMes).aposSair([this] {
    if (!ui_->edAvisoPrevio->isEnabled()) vai(ui_->tAfastamento, ui_->dePrimCod);
  });
  valor(u.edAvisoPrevio, "VaAvisoPrevioEmpregado").aposSair([this] { vai(ui_->tAfastamento, ui_->dePrimCod); });
  mes13(g.mesAdiantamento(), "Me13AdiantamentoEmpregado");
  valor(g.adiantamento(), "Va13AdiantamentoEmpregado");
  mes13(g.mesParcelaFinal(), "Me13ParcelaFinalEmpregado");
  valor(g.parcelaFinal(), "Va13ParcelaFinalEmpregado").mesmoVazio().aposSair([this] { edParcelaFinalExit(); });

  texto(u.dePrimCod, "CoMotivoPrimAfas").aposSair([this] {
    if (!Vazio(registro().valor("CoMotivoPrimAfas")))
      Dialogo().pergunta({TipoDialogo::Informacao, Botoes::Ok,
                          "As informações referem-se ao ano-base 2004.\rSe o início do afastamento ocorreu em anos "
                          "anteriores,\ra data de início a ser declarada será 01/01.",
                          {}});
  });
  texto(u.dePrimInicio, "DaInicioprimeiroAfas", kMascaraDiaMes);
  texto(u.dePrimFinal, "DaFinalPrimeiroAfas", kMascaraDiaMes);
  texto(u.deSegCod, "CoMotivoSeguAfas");
  texto(u.deSegInicio, "DaInicioSegundoAfas", kMascaraDiaMes);
  texto(u.deSegFinal, "DaFinalSegundoAfas", kMascaraDiaMes);
  texto(u.deTerCod, "CoMotivoTercAfas");
  texto(u.deTerInicio, "DaInicioTerceiroAfas", kMascaraDiaMes);
  texto(u.deTerFinal, "DaFinalTerceiroAfas", kMascaraDiaMes);
  texto(u.deAfastQtDias, "QtDiasAfas").aposSair([this] { deAfastQtDiasExit(); });
  for (int i = 0; i < 12; ++i) valor(g.mes(i), kColunasMeses[i]);
  campos_["Me13AdiantamentoEmpregado"] = g.mesAdiantamento();
  campos_["Me13ParcelaFinalEmpregado"] = g.mesParcelaFinal();
}

void TfmDadosEmpreg::liga() {
  auto& u = *ui_;
  const TabelasReferencia& r = ctx_.estab.dm.referencias();
  // Code boxes as wide as a code; the description takes the rest.
  const int largura = u.deCBO->fontMetrics().horizontalAdvance("0000000") + 12;
  for (QLineEdit* e : {u.deRaca, u.deNacionalidade, u.deInstrucao, u.deTipoAdmissao, u.deTipoSalContratual, u.deCBO,
                       u.deVinculo, u.deCodDeslig, u.dePrimCod, u.deSegCod, u.deTerCod, u.deHoras})
    e->setMaximumWidth(largura);
  for (QLineEdit* e : {u.edTxRaca, u.edTxNacionalidade, u.edTxInstrucao, u.edTxTipoAdmissao, u.edTxTipoSalContratual,
                       u.edTxCBO, u.edTxVinculo, u.edTxCodDeslig, u.edTxPrimCod, u.edTxSegCod, u.edTxTerCod})
    e->setFocusPolicy(Qt::NoFocus);
  connect(&registro(), &RegistroEditado::campoAlterado, this, [this](const QString& c) { descricao(c.toStdString()); });
  connect(&registro(), &RegistroEditado::estadoAlterado, this, [this] {
    for (const auto& d : kDescricoes) descricao(d.coluna);
  });

  auto plana = [this](QAbstractButton* b, QWidget* campo, ListaPlana lista) {
    LigaConsulta(b, campo, [this, lista] {
      TfmConsultaPlana d(lista, ctx_.estab.dm.referencias(), registro(), this);
      Dialogo().executa(d);
    });
  };
  plana(u.sbRaca, u.deRaca, ListaPlana::Raca);
  plana(u.sbNacionalidade, u.deNacionalidade, ListaPlana::Nacionalidade);
  plana(u.sbInstrucao, u.deInstrucao, ListaPlana::Instrucao);
  plana(u.sbTipoAdmissao, u.deTipoAdmissao, ListaPlana::TipoAdmissao);
  plana(u.sbTipoSalContratual, u.deTipoSalContratual, ListaPlana::TipoSalario);
  plana(u.sbVinculo, u.deVinculo, ListaPlana::Vinculo);
  plana(u.sbCodDeslig, u.deCodDeslig, ListaPlana::Desligamento);
  LigaConsulta(u.sbCBO, u.deCBO, [this, &r] {
    TfmTb8CBO d(r, registro(), this);
    Dialogo().executa(d);
  });
  int i = 0;
  for (auto [b, campo] : {std::pair{u.sbPrimCod, u.dePrimCod}, std::pair{u.sbSegCod, u.deSegCod},
                          std::pair{u.sbTerCod, u.deTerCod}}) {
    const auto destino = static_cast<TfmTb8Afast::Afastamento>(i++);
    LigaConsulta(b, campo, [this, destino] {
      TfmTb8Afast d(registro(), this);
      d.AfastamentoDestino = destino;
      Dialogo().executa(d);
    });
  }
  GradeMeses& g = *u.grMeses;
  for (auto [botao, caixa, adiantamento] : {std::tuple{g.consultaAdiantamento(), g.mesAdiantamento(), true},
                                            std::tuple{g.consultaParcelaFinal(), g.mesParcelaFinal(), false}}) {
    const bool doAdiantamento = adiantamento;
    LigaConsulta(static_cast<QAbstractButton*>(botao), caixa, [this, doAdiantamento] {
      TfmMesesAno d(registro(), this);
      d.MesAdiantamento = doAdiantamento;
      Dialogo().executa(d);
    });
  }

  connect(u.BtOk, &QPushButton::clicked, this, [this] { Protegido([this] { BtOkClick(); }); });
  connect(u.BtCancelar, &QPushButton::clicked, this, [this] { Protegido([this] { BtCancelarClick(); }); });
  connect(u.BtExcluir, &QPushButton::clicked, this, [this] { Protegido([this] { BtExcluirClick(); }); });
  // A failed check holds the page once: the first change asked is refused.
  u.pcEmpregado->tabBar()->installEventFilter(this);
}

void TfmDadosEmpreg::descricao(const std::string& coluna) {
  for (const auto& d : kDescricoes) {
    if (coluna != d.coluna) continue;
    const Linha* l = (ctx_.estab.dm.referencias().*d.busca)(Apara(registro().valor(coluna)));
    QLineEdit* caixa = (*ui_).*(d.caixa);
    caixa->setText(l ? Q((*l)[d.nome]) : QString());
    caixa->setCursorPosition(0);  // a long description shows from its start
  }
}

QWidget* TfmDadosEmpreg::widgetDe(const std::string& coluna) const {
  auto it = campos_.find(coluna);
  return it == campos_.end() ? ui_->BtOk : it->second;
}

[[noreturn]] void TfmDadosEmpreg::falha(const FalhaChecagem& f) {
  PaginaLivre = false;
  QWidget* w = widgetDe(f.foco);
  if (w == ui_->dgDeficiencia || w == ui_->dgAlvara) {
    QButtonGroup* g = w == ui_->dgAlvara ? dgAlvara_ : dgDeficiencia_;
    w = g->checkedButton() ? g->checkedButton() : g->buttons().front();
  }
  FalhaCritica(f.mensagem, w);
}

void TfmDadosEmpreg::checa(const std::string& coluna) {
  Linha l = registro().linha();
  const ResultadoChecagem r = ChecaSaidaCampoVinculo(l, cv_, ref_, coluna);
  // The values as the rules normalised them (trimmed, padded).
  for (const auto& nome : l.esquema().colunas())
    if (l[nome] != registro().valor(nome)) registro().define(nome, l[nome]);
  if (!r.ok()) falha(r.falhas.front());
  for (const auto& a : r.avisos) MostraMensagem(a.mensagem);
  if (coluna == "CoPisPasepEmpregado") dePisPasepExit();
}

void TfmDadosEmpreg::vai(QWidget* pagina, QWidget* campo) {
  ui_->pcEmpregado->setCurrentWidget(pagina);
  campo->setFocus(Qt::OtherFocusReason);
}

bool TfmDadosEmpreg::eventFilter(QObject* o, QEvent* e) {
  if (o == ui_->pcEmpregado->tabBar() && e->type() == QEvent::MouseButtonPress && !PaginaLivre) {
    PaginaLivre = true;
    return true;
  }
  return QDialog::eventFilter(o, e);
}

// --- opening ---------------------------------------------------------------------------

void TfmDadosEmpreg::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (carregado_) return;
  carregado_ = true;
  Protegido([this] { FormShow(); });
}

void TfmDadosEmpreg::FormShow() {
  Conexao& c = ctx_.estab.dm.conexao();
  const auto estab = BuscaEstabelecimento(c, ctx_.estab.chave);
  if (!estab) {
    MostraMensagem("1006"_msg);
    fecha(false);
    return;
  }
  cv_ = ContextoVinculo::De(*estab, ctx_.estab.encerraEm2005);
  const std::string& tipo = (*estab)["InInscrEstabelecimento"];
  const std::string& insc = (*estab)["CoCgcCeiEstabelecimento"];
  const bool cei = tipo == "3";
  setWindowTitle(Q((*estab)["NoRazaoEstabelecimento"] + " - " + (cei ? "CEI: " : "CNPJ: ") +
                   FormataInscricao(insc, tipo) +
                   " | Prefixo: " + (*estab)["NuPrefixoEstabelecimento"] +
                   " - Informações Referentes ao Empregado / Servidor"));
  std::optional<Linha> v;
  if (!Apara(ctx_.VinculoPis).empty())
    v = AbreVinculo(c, ctx_.estab.chave, ctx_.VinculoPis, ctx_.VinculoAdmissao, ctx_.VinculoNome);
  if (v) {
    modo_ = "A";
    original_ = ChaveDoVinculo(*v);
    admissaoCarregada_ = (*v)["DaAdmissaoEmpregado"];
    pisCarregado_ = (*v)["CoPisPasepEmpregado"];
    CarregaVinculo(*v);
  } else {
    modo_ = "I";
    original_.reset();
    admissaoCarregada_.clear();
    pisCarregado_.clear();
    CarregaVinculo(NovoVinculo(c, ctx_.estab.chave));
  }
  ui_->pcEmpregado->setCurrentIndex(0);
  (v ? ui_->deNomeEmpregado : ui_->dePisPasep)->setFocus();
}

void TfmDadosEmpreg::CarregaVinculo(Linha v) {
  for (const char* col : kZerosVazios)
    if (SoZeros(Apara(v[col]))) v[col].clear();
  if (Vazio(v["QtDiasAfas"])) v["QtDiasAfas"] = "000";
  if (Apara(v["InDeficienteFisico"]).empty()) v["InDeficienteFisico"] = "2";
  for (const char* col : kDinheiro)
    if (Apara(v[col]).empty()) v[col] = kSemAviso;
  for (const char* col : kColunasMeses)
    if (Apara(v[col]).empty()) v[col] = kSemAviso;
  const EstadoAlvara alvara = AlvaraAoAbrir(v);
  v["InAlvaraEmpregado"] = alvara.valor;
  ui_->dgAlvara->setEnabled(alvara.aberto);
  if (modo_ == "A")
    registro().edita(v);
  else
    registro().insere(v);
  mostraEstado();
}

// What the row decides about the other controls.
void TfmDadosEmpreg::mostraEstado() {
  ui_->BtExcluir->setEnabled(modo_ == "A");
  const std::string causa = registro().valor("CoCausaDesligamento");
  ui_->deDataDeslig->setEnabled(CausaComData(causa));
  if (!CausaComData(causa)) registro().define("DaDesligamentoEmpregado", "");
  habilitaAviso(CausaComAviso(causa));
  ui_->deAnoChegada->setEnabled(Apara(registro().valor("CoNacionalidade")) != "10");
}

void TfmDadosEmpreg::habilitaAviso(bool sim) {
  // A notice that can no longer be paid is zero.
  if (!sim) registro().define("VaAvisoPrevioEmpregado", kSemAviso);
  ui_->edAvisoPrevio->setEnabled(sim);
}

// --- what leaving some fields does besides checking ------------------------------------

void TfmDadosEmpreg::dePisPasepExit() {
  const std::string pis(Apara(registro().valor("CoPisPasepEmpregado")));
  if (modo_ == "A") {
    if (pis == pisCarregado_) return;
    Dialogo().pergunta({TipoDialogo::Erro, Botoes::Ok,
                        "Você não pode alterar o código PIS/PASEP.\rSe o código está errado exclua esse empregado e "
                        "inclua-o novamente.",
                        {}});
    registro().define("CoPisPasepEmpregado", pisCarregado_);
    ui_->dePisPasep->setFocus();
    throw Abortado{};
  }
  ctx_.VinculoPis = pis;
  if (pis.empty() || SoZeros(pis) || pis == ultimoPis_) return;
  ultimoPis_ = pis;
  const auto dados = DadosPessoaisPorPis(ctx_.estab.dm.conexao(), ctx_.estab.chave, pis);
  if (!dados) return;
  if (!Sim(MostraMensagem("1050"_msg))) {
    saida_.pisConsulta = pis;
    fecha(true);
    throw Abortado{};
  }
  for (const auto& col : dados->esquema().colunas()) {
    std::string v = (*dados)[col];
    if (SoZeros(Apara(v))) v.clear();
    registro().define(col, v);
  }
  mostraEstado();
  vai(ui_->tDadosPessoais, ui_->deCPF);
  throw Abortado{};  // the focus is placed: nothing else moves it
}

void TfmDadosEmpreg::deNascimentoExit() {
  if (Apara(registro().valor("DaNascimentoEmpregado")).empty()) return;
  const long long n = NascimentosDivergentes(ctx_.estab.dm.conexao(), ctx_.estab.chave,
                                             registro().valor("CoPisPasepEmpregado"),
                                             registro().valor("DaNascimentoEmpregado"), registro().valor("NoEmpregado"));
  if (auto m = CriticaNascimentosDivergentes(n, modo_ == "I"); !m.ok()) MostraMensagem(m);
}

void TfmDadosEmpreg::deNacionalidadeExit() {
  const std::string nac(Apara(registro().valor("CoNacionalidade")));
  if (nac.empty()) return;
  if (nac == "10") {
    registro().define("AnChegadaEmpregado", "");
    ui_->deAnoChegada->setEnabled(false);
    vai(ui_->tDadosPessoais, ui_->deInstrucao);
    return;
  }
  ui_->deAnoChegada->setEnabled(true);
  vai(ui_->tDadosPessoais, ui_->deAnoChegada);
  if (auto m = AvisoEstrangeiros(ctx_.estab.dm.conexao(), ctx_.estab.chave); !m.ok()) MostraMensagem(m);
}

void TfmDadosEmpreg::deAdmissaoExit() {
  const std::string adm(Apara(registro().valor("DaAdmissaoEmpregado")));
  if (adm.empty()) return;
  const auto outro = VinculoMesmaAdmissao(ctx_.estab.dm.conexao(), ctx_.estab.chave,
                                          registro().valor("CoPisPasepEmpregado"), adm, registro().valor("NoEmpregado"));
  if (!outro) {
    ui_->deTipoAdmissao->setFocus();
    return;
  }
  if (modo_ == "I") {
    if (!Sim(MostraMensagem("1051"_msg))) {
      ui_->deAdmissao->setFocus();
      throw Abortado{};
    }
    // The link already declared is the one to edit.
    modo_ = "A";
    original_ = ChaveDoVinculo(*outro);
    admissaoCarregada_ = (*outro)["DaAdmissaoEmpregado"];
    pisCarregado_ = (*outro)["CoPisPasepEmpregado"];
    registro().cancela();
    CarregaVinculo(*outro);
    vai(ui_->tDadosPessoais, ui_->deNomeEmpregado);
    throw Abortado{};
  }
  if ((*outro)["DaAdmissaoEmpregado"] != admissaoCarregada_) {
    MostraMensagem("1058"_msg);
    registro().define("DaAdmissaoEmpregado", admissaoCarregada_);
    ui_->deAdmissao->setFocus();
    throw Abortado{};
  }
}

void TfmDadosEmpreg::deVinculoExit() {
  if (Apara(registro().valor("CoVinculo")).empty()) return;
  TdmEntradaDados& e = ctx_.estab.entrada;
  const std::string tipo = registro().valor("CoVinculo");
  for (auto [m, conta] : {std::pair{CriticaVinculoCnae(tipo, cv_.cnae), &e.ContaAvisoCnaeVinculo},
                          std::pair{CriticaVinculoNatJuridica(tipo, cv_.naturezaJuridica), &e.ContaAvisoNatJuVinculo}}) {
    if (m.ok() || *conta == 0) continue;
    MostraMensagem(m);
    // Three times a run is enough to be told.
    if (++*conta > 3) *conta = 0;
  }
  if (!AlvaraPossivel(registro().linha())) {
    registro().define("InAlvaraEmpregado", "2");
    ui_->dgAlvara->setEnabled(false);
  } else if (!ui_->dgAlvara->isEnabled()) {
    ui_->dgAlvara->setEnabled(true);
    const bool sim = Dialogo().confirmaSim("Existe alvará autorizando menor de 16 anos de idade ?");
    registro().define("InAlvaraEmpregado", sim ? "1" : "2");
  }
  ui_->deCodDeslig->setFocus();
}

void TfmDadosEmpreg::deCodDesligExit() {
  const std::string causa = registro().valor("CoCausaDesligamento");
  if (CausaComData(causa)) {
    ui_->deDataDeslig->setEnabled(true);
    bool aviso = false;
    if (CausaComAviso(causa)) aviso = Dialogo().confirmaSim("O Aviso Prévio foi indenizado?");
    habilitaAviso(aviso);
    vai(ui_->tVinculo, ui_->deDataDeslig);
    return;
  }
  registro().define("DaDesligamentoEmpregado", "");
  ui_->deDataDeslig->setEnabled(false);
  habilitaAviso(false);
  vai(ui_->tAfastamento, ui_->dePrimCod);
}

void TfmDadosEmpreg::deAfastQtDiasExit() {
  if (ExcessoDiasAfastamento(registro().valor("QtDiasAfas"))) {
    Dialogo().pergunta({TipoDialogo::Erro, Botoes::Ok, kTextoExcessoDiasAfastamento, {}});
    ui_->deAfastQtDias->setFocus();
    throw Abortado{};
  }
  vai(ui_->tRemuneracoes, ui_->grMeses->mes(0));
}

void TfmDadosEmpreg::edParcelaFinalExit() {
  const Linha& v = registro().linha();
  if (auto m = AfastamentoSemPagamento(v); !m.ok()) {
    PaginaLivre = false;
    FalhaCritica(m, ui_->grMeses->mes(0));
  }
  if (auto m = Aviso13NaoPago(v); !m.ok()) MostraMensagem(m);
}

// --- the buttons --------------------------------------------------------------------------

void TfmDadosEmpreg::BtOkClick() {
  if (!PodeValidar({ui_->BtCancelar})) return;
  PedidoGravaVinculo p;
  p.vinculo = registro().linha();
  p.original = original_;
  p.encerraNoAnoSeguinte = ctx_.estab.encerraEm2005;
  const ResultadoGravaVinculo r = GravaVinculo(ctx_.estab.dm.conexao(), ref_, p);
  if (!r.aviso13.ok()) {
    ui_->pcEmpregado->setCurrentWidget(ui_->tRemuneracoes);
    MostraMensagem(r.aviso13);
  }
  if (!r.checagem.ok()) falha(r.checagem.falhas.front());
  saida_.semVinculos = r.contagem.vinculos == 0;
  registro().cancela();
  fechando_ = true;
  accept();
}

void TfmDadosEmpreg::BtExcluirClick() {
  if (!original_) return;
  PedidoDialogo p{TipoDialogo::Confirmacao, Botoes::SimNao, "Deseja excluir o vínculo ?", "Confirmação", true};
  if (Dialogo().pergunta(p) != kResultadoYes) {
    vai(ui_->tDadosPessoais, ui_->deNomeEmpregado);
    return;
  }
  const ResultadoExclusaoVinculo r = ExcluiVinculo(ctx_.estab.dm.conexao(), *original_);
  saida_.semVinculos = r.contagem.vinculos == 0;
  registro().cancela();
  fechando_ = true;
  accept();
}

void TfmDadosEmpreg::BtCancelarClick() {
  if (!Apara(registro().valor("CoPisPasepEmpregado")).empty()) {
    PedidoDialogo p{TipoDialogo::Confirmacao, Botoes::SimNao, "As informações não salvas serão perdidas. Deseja sair ?",
                    "Confirmação", true};
    if (Dialogo().pergunta(p) != kResultadoYes) return;
  }
  fecha(true);
}

void TfmDadosEmpreg::fecha(bool recontar) {
  if (recontar) saida_.semVinculos = RecontaVinculos(ctx_.estab.dm.conexao(), ctx_.estab.chave).vinculos == 0;
  if (registro().editando()) registro().cancela();
  fechando_ = true;
  reject();
}

void TfmDadosEmpreg::done(int resultado) {
  if (!fechando_) {
    fechando_ = true;
    saida_.semVinculos = RecontaVinculos(ctx_.estab.dm.conexao(), ctx_.estab.chave).vinculos == 0;
    if (registro().editando()) registro().cancela();
  }
  QDialog::done(resultado);
}

void TfmDadosEmpreg::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    Protegido([this] { BtCancelarClick(); });
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfmDadosEmpreg::closeEvent(QCloseEvent* e) {
  if (fechando_) return QDialog::closeEvent(e);
  e->ignore();
  Protegido([this] { BtCancelarClick(); });
}

SaidaEmpreg AbreDadosEmpreg(const ContextoEmpreg& contexto) {
  TfmDadosEmpreg tela(contexto, contexto.estab.janela);
  Dialogo().executa(tela);
  return tela.saida();
}

}  // namespace vornex::gui
