// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/listas.h"
#include "common/versao.h"
#include "declfile/itens_lista.h"
#include "declfile/retificacao.h"
#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include "app/comandos.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_retif.h"
#include "toolkit/critica.h"
#include "toolkit/lista_marcavel.h"
#include "ui_fm_retif01.h"
#include "ui_fm_retif02.h"
#include "ui_fm_retif_regras.h"

namespace vornex::gui {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The rectification's windows are left only through their buttons.
void SemBotaoFechar(QWidget* w) { w->setWindowFlag(Qt::WindowCloseButtonHint, false); }

}  // namespace

TfmRetifRegras::TfmRetifRegras(QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmRetifRegrasForm>()) {
  setObjectName("fmRetifRegras");
  setWindowTitle(kTituloRetifRegras);
  SemBotaoFechar(this);
  auto* lay = new QVBoxLayout(this);
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  lay->addWidget(forma);
  ui_->mmRegras->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  connect(ui_->BtOk, &QPushButton::clicked, this, &QDialog::accept);
  ui_->BtOk->setDefault(true);
  resize(680, 400);
}

TfmRetifRegras::~TfmRetifRegras() = default;

QPushButton* TfmRetifRegras::BtOk() const { return ui_->BtOk; }
QPlainTextEdit* TfmRetifRegras::texto() const { return ui_->mmRegras; }

TfmRetifDecl01::TfmRetifDecl01(TdmVornex& dm, QWidget* pai)
    : PassoAssistente(estado_.dados.FechaAssistente, Q(kTituloRetificacao), pai),
      dm_(dm),
      ui_(std::make_unique<Ui::TfmRetifDecl01Form>()) {
  setObjectName("fmRetifDecl01");
  SemBotaoFechar(this);
  estado_.dados.ModoRetificacao = true;
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->lblAno->setText("<b>Declaração Ano-Base " + Q(AnoBase) + "</b>");
  btVoltar()->setEnabled(false);
  EnterComoTab(this);
  resize(640, 460);
  btAvancar()->setFocus();
  iniciado_ = CriaTabelasRetificacao(dm_.conexao());
  if (!iniciado_) Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, std::string(kTextoErroInicioRetificacao));
}

TfmRetifDecl01::~TfmRetifDecl01() = default;

QLabel* TfmRetifDecl01::lblAno() const { return ui_->lblAno; }

void TfmRetifDecl01::avancar() {
  SelecaoRetificacao selecao;
  if (NuMensagem m = selecao.carrega(dm_.conexao()); !m.ok()) {
    MostraMensagem(m);
    btCancelar()->setFocus();
    return;
  }
  TfmRetifDecl02 passo(dm_, estado_, std::move(selecao), parentWidget());
  avancaPara(passo);
}

TfmRetifDecl02::TfmRetifDecl02(TdmVornex& dm, EstadoGravacao& estado, SelecaoRetificacao selecao, QWidget* pai)
    : PassoAssistente(estado.dados.FechaAssistente, estado.titulo(), pai),
      dm_(dm),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmRetifDecl02Form>()),
      selecao_(std::move(selecao)) {
  setObjectName("fmRetifDecl02");
  SemBotaoFechar(this);
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  estado_.retificacao = &selecao_;

  PedidoListaEstabelecimentos p;
  p.anoBase = std::string(kAnoBaseRetificacao);
  p.forma = FormaItemEstabelecimento::ComVinculos;
  for (auto& item : ListaEstabelecimentos(dm_.conexao(), p).itens) {
    const auto i = selecao_.indice(item.chave.inscricao, item.chave.prefixo);
    if (!i) continue;
    ui_->clEmpresas->adiciona(QString::fromStdString(item.texto), static_cast<int>(entradas_.size()));
    entradas_.push_back(*i);
    itens_.push_back(std::move(item));
  }
  atual_ = ui_->clEmpresas->currentRow();

  connect(ui_->clEmpresas, &ListaMarcavel::marcacaoAlterada, this, [this](int linha, bool) {
    if (!ajustando_) Protegido([&] { mudaEstabelecimento(linha); });
  });
  connect(ui_->clEmpresas, &QListWidget::currentRowChanged, this, [this](int linha) {
    if (!ajustando_ && linha >= 0 && linha != atual_) Protegido([&] { mudaEstabelecimento(linha); });
  });
  connect(ui_->clVinculos, &ListaMarcavel::marcacaoAlterada, this, [this](int linha, bool marcado) {
    if (!ajustando_) marcaVinculo(linha, marcado);
  });
  connect(ui_->ckSelecVinculos, &QCheckBox::clicked, this, [this](bool marcado) { marcaTodosVinculos(marcado); });
  EnterComoTab(this);
  resize(640, 460);
  ui_->clEmpresas->setFocus();
}

TfmRetifDecl02::~TfmRetifDecl02() {
  estado_.retificacao = nullptr;
  selecao_.LiberaSelecao();
}

ListaMarcavel* TfmRetifDecl02::clEmpresas() const { return ui_->clEmpresas; }
ListaMarcavel* TfmRetifDecl02::clVinculos() const { return ui_->clVinculos; }
QCheckBox* TfmRetifDecl02::ckSelecVinculos() const { return ui_->ckSelecVinculos; }

std::size_t TfmRetifDecl02::entrada(int linha) const { return entradas_.at(static_cast<std::size_t>(linha)); }

bool TfmRetifDecl02::recusaSemVinculo(int linha) {
  const NuMensagem m = selecao_.sai(entrada(linha));
  if (m.ok()) return false;
  MostraMensagem(m);
  ajustando_ = true;
  ui_->clEmpresas->marca(linha, false);
  ajustando_ = false;
  return true;
}

void TfmRetifDecl02::mudaEstabelecimento(int linha) {
  if (atual_ >= 0 && atual_ != linha) recusaSemVinculo(atual_);
  {
    QSignalBlocker b(ui_->ckSelecVinculos);
    ui_->ckSelecVinculos->setChecked(false);
  }
  const bool marcado = ui_->clEmpresas->marcado(linha);
  selecao_.marca(entrada(linha), marcado);
  atual_ = linha;
  if (marcado)
    listaVinculos();
  else
    limpaVinculos();
}

void TfmRetifDecl02::listaVinculos() {
  const std::size_t i = entrada(atual_);
  vinculos_ = VinculosParaRetificacao(dm_.conexao(), selecao_.estabelecimentos()[i]);
  ajustando_ = true;
  ui_->clVinculos->limpa();
  for (std::size_t k = 0; k < vinculos_.size(); ++k) {
    const Linha& v = vinculos_[k];
    // Links chosen before show checked, their entries taking the new positions.
    const bool marcado = selecao_.vinculoMarcado(i, v);
    if (marcado) selecao_.marcaVinculo(i, v, static_cast<int>(k));
    ui_->clVinculos->adiciona(
        QString::fromStdString(TextoItemVinculo(v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], v["NoEmpregado"])),
        static_cast<int>(k), marcado);
  }
  ajustando_ = false;
  ui_->ckSelecVinculos->setEnabled(!vinculos_.empty());
  if (vinculos_.size() > kLimiteVinculosLista)
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, std::string(kTextoMuitosVinculos));
}

void TfmRetifDecl02::limpaVinculos() {
  vinculos_.clear();
  ajustando_ = true;
  ui_->clVinculos->limpa();
  ajustando_ = false;
  QSignalBlocker b(ui_->ckSelecVinculos);
  ui_->ckSelecVinculos->setChecked(false);
  ui_->ckSelecVinculos->setEnabled(false);
}

void TfmRetifDecl02::marcaVinculo(int linha, bool marcado) {
  if (atual_ < 0 || linha < 0 || static_cast<std::size_t>(linha) >= vinculos_.size()) return;
  if (marcado)
    selecao_.marcaVinculo(entrada(atual_), vinculos_[static_cast<std::size_t>(linha)], linha);
  else
    selecao_.desmarcaVinculo(entrada(atual_), linha);
}

void TfmRetifDecl02::marcaTodosVinculos(bool marcado) {
  if (atual_ < 0) return;
  ajustando_ = true;
  ui_->clVinculos->marcaTodos(marcado);
  ajustando_ = false;
  if (marcado)
    selecao_.marcaTodosVinculos(entrada(atual_), vinculos_);
  else
    selecao_.desmarcaTodosVinculos(entrada(atual_));
}

void TfmRetifDecl02::avancar() {
  if (ui_->clEmpresas->contaMarcados() == 0) {
    MostraMensagem("1301"_msg);
    ui_->clEmpresas->setFocus();
    return;
  }
  if (atual_ >= 0 && recusaSemVinculo(atual_)) {
    limpaVinculos();
    ui_->clEmpresas->setFocus();
    return;
  }
  if (NuMensagem m = selecao_.confere(); !m.ok()) {
    MostraMensagem(m);
    // The marks follow what the check took out.
    ajustando_ = true;
    for (int l = 0; l < ui_->clEmpresas->count(); ++l)
      ui_->clEmpresas->marca(l, selecao_.estabelecimentos()[entrada(l)].selecionado);
    ajustando_ = false;
    ui_->clEmpresas->setFocus();
    return;
  }
  btAvancar()->setEnabled(false);
  btVoltar()->setEnabled(false);
  TfmGravaDecl01 passo(dm_, estado_, parentWidget());
  avancaPara(passo);
  btAvancar()->setEnabled(true);
  btVoltar()->setEnabled(true);
}

namespace {
const RegistroAcao kRetif{Comando::Retif, [](Programa& programa, QWidget* janela) {
                            MostraTela<TfmRetifRegras>(janela);
                            TfmRetifDecl01 passo(programa.dmVornex(), janela);
                            if (passo.iniciado()) Dialogo().executa(passo);
                          }};
}  // namespace

}  // namespace vornex::gui
