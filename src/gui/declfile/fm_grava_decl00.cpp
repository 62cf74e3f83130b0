// The core headers come before Qt's, whose `slots` macro they must not see.
#include "casos/listas.h"
#include "common/versao.h"
#include "declfile/retificacao.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include "app/comandos.h"
#include "app/programa.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_grava_decl.h"
#include "toolkit/critica.h"
#include "toolkit/lista_marcavel.h"
#include "ui_fm_grava_decl00.h"
#include "ui_fm_grava_decl02.h"

namespace vornex::gui {

QString EstadoGravacao::titulo() const {
  return dados.ModoRetificacao ? QString::fromUtf8(kTituloRetificacao.data(), kTituloRetificacao.size())
                               : QString(kTituloGravaDecl);
}

TfmGravaDecl00::TfmGravaDecl00(TdmVornex& dm, QWidget* pai)
    : PassoAssistente(estado_.dados.FechaAssistente, kTituloGravaDecl, pai),
      dm_(dm),
      ui_(std::make_unique<Ui::TfmGravaDecl00Form>()) {
  setObjectName("fmGravaDecl00");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  ui_->lblAno->setText("<b>Declaração Ano-Base " + QString::fromUtf8(AnoBase.data(), AnoBase.size()) + "</b>");
  btVoltar()->setEnabled(false);
  EnterComoTab(this);
  resize(640, 460);
}

TfmGravaDecl00::~TfmGravaDecl00() = default;

QLabel* TfmGravaDecl00::lblAno() const { return ui_->lblAno; }

void TfmGravaDecl00::avancar() {
  PedidoListaEstabelecimentos p;
  p.anoBase = std::string(AnoBase);
  p.forma = FormaItemEstabelecimento::ComVinculos;
  auto lista = ListaEstabelecimentos(dm_.conexao(), p);
  if (lista.itens.empty()) {
    MostraMensagem("1700"_msg);
    return;
  }
  TfmGravaDecl02 passo(dm_, estado_, std::move(lista.itens), parentWidget());
  avancaPara(passo);
}

TfmGravaDecl02::TfmGravaDecl02(TdmVornex& dm, EstadoGravacao& estado, std::vector<ItemEstabelecimento> itens,
                               QWidget* pai)
    : PassoAssistente(estado.dados.FechaAssistente, estado.titulo(), pai),
      dm_(dm),
      estado_(estado),
      ui_(std::make_unique<Ui::TfmGravaDecl02Form>()),
      itens_(std::move(itens)) {
  setObjectName("fmGravaDecl02");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  for (std::size_t i = 0; i < itens_.size(); ++i)
    ui_->clEmpresas->adiciona(QString::fromStdString(itens_[i].texto), static_cast<int>(i));
  ui_->clEmpresas->ligaSelecionarTudo(ui_->ckSelecionaTodas);
  EnterComoTab(this);
  resize(640, 460);
  ui_->clEmpresas->setFocus();
}

TfmGravaDecl02::~TfmGravaDecl02() = default;

ListaMarcavel* TfmGravaDecl02::clEmpresas() const { return ui_->clEmpresas; }
QCheckBox* TfmGravaDecl02::ckSelecionaTodas() const { return ui_->ckSelecionaTodas; }

void TfmGravaDecl02::avancar() {
  std::vector<ChaveEstabelecimento> escolhidos;
  for (int i : ui_->clEmpresas->chavesMarcadas<int>()) escolhidos.push_back(itens_[static_cast<std::size_t>(i)].chave);
  if (escolhidos.empty()) {
    MostraMensagem("1301"_msg);
    ui_->clEmpresas->setFocus();
    return;
  }
  estado_.selecao = std::move(escolhidos);
  TfmGravaDecl01 passo(dm_, estado_, parentWidget());
  avancaPara(passo);
}

namespace {
const RegistroAcao kGravar{Comando::Gravar, [](Programa& programa, QWidget* janela) {
                             MostraTela<TfmGravaDecl00>(programa.dmVornex(), janela);
                           }};
}  // namespace

}  // namespace vornex::gui
