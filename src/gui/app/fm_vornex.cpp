#include "app/fm_vornex.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "app/fm_gera_indice.h"
#include "app/fm_inicio_regras.h"
#include "app/programa.h"
#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "common/versao.h"
#include "data/dm_vornex.h"

namespace vornex::gui {

namespace {

QLabel* RotuloEndereco(QWidget* pai, const QString& texto, const QString& endereco) {
  auto* l = new QLabel(QString("<a href=\"%1\">%2</a>").arg(endereco.toHtmlEscaped(), texto.toHtmlEscaped()), pai);
  l->setTextInteractionFlags(Qt::TextBrowserInteraction);
  // AbrirEndereco: the desktop's default program for the address.
  QObject::connect(l, &QLabel::linkActivated, l, [](const QString& a) { QDesktopServices::openUrl(QUrl(a)); });
  return l;
}

// Commands that run ControlaBotoes afterwards.
bool ControlaDepois(Comando c) {
  switch (c) {
    case Comando::Nova:
    case Comando::Abrir:
    case Comando::Excluir:
    case Comando::ImpAnoAnterior:
    case Comando::ImpAnoAtual:
    case Comando::Analisador:
    case Comando::RestaurarCopia:
      return true;
    default:
      return false;
  }
}

}  // namespace

TfmVORNEX::TfmVORNEX(Programa& programa) : programa_(programa) {
  setObjectName("fmVORNEX");
  AnoBaseDeclaracao = vornex::AnoBaseDeclaracao;
  PrimeiraAtivacao = 'S';
  criaBarra();
  criaMenus();
  auto* centro = new QWidget(this);
  auto* l = new QVBoxLayout(centro);
  l->addStretch();
  auto* rodape = new QHBoxLayout;
  rodape->addStretch();
  rodape->addWidget(RotuloEndereco(centro, kEnderecoInternet, kEnderecoInternet));
  l->addLayout(rodape);
  setCentralWidget(centro);
  move(0, 0);
}

QAction* TfmVORNEX::cria(const QString& nome, const QString& texto) {
  auto* a = new QAction(texto, this);
  a->setObjectName(nome);
  acoes_[nome] = a;
  return a;
}

QAction* TfmVORNEX::acao(const QString& nome) const {
  auto it = acoes_.find(nome);
  return it == acoes_.end() ? nullptr : it->second;
}

void TfmVORNEX::executa(Comando comando, bool controla) {
  Protegido([&] {
    if (const AcaoComando* a = AcaoDe(comando)) (*a)(programa_, this);
  });
  if (controla) ControlaBotoes();
}

void TfmVORNEX::criaBarra() {
  struct Botao {
    const char* nome;
    const char* dica;
    const char* legenda;
    QStyle::StandardPixmap icone;
    Comando comando;
  };
  static const Botao botoes[] = {
      {"sbNova", "Nova Declaração", "", QStyle::SP_FileIcon, Comando::Nova},
      {"sbAbrir", "Abrir Declaração", "", QStyle::SP_DirOpenIcon, Comando::Abrir},
      {"sbExcluir", "Excluir Declaração", "", QStyle::SP_TrashIcon, Comando::Excluir},
      {"sbVerInco", "Verificar Inconsistências das Declarações", "", QStyle::SP_MessageBoxWarning,
       Comando::VerInco},
      {"sbGravar", "Gravar Declaração", "", QStyle::SP_DriveFDIcon, Comando::Gravar},
      {"sbRetif", "Gravar Retificação da Declaração", "", QStyle::SP_BrowserReload, Comando::Retif},
      {"sbResp", "Dados do Responsável pela Declaração Zema", "", QStyle::SP_FileDialogContentsView,
       Comando::Resp},
      {"sbRelatorio", "Imprimir Relatório", "", QStyle::SP_FileDialogDetailedView, Comando::Relatorio},
      {"sbImpAnoAnterior", "Importar Arquivo Ano-Base 2003", "200&3", QStyle::SP_ArrowDown,
       Comando::ImpAnoAnterior},
      {"sbImpAnoAtual", "Importar Arquivo Ano-Base 2004", "200&4", QStyle::SP_ArrowDown, Comando::ImpAnoAtual},
      {"sbAnalisador", "Analisador", "", QStyle::SP_FileDialogInfoView, Comando::Analisador},
      {"sbConsDisq", "Consultar Disquete Arquivo do Ano", "", QStyle::SP_DriveFDIcon, Comando::ConsDisq},
      {"sbPesquisa", "Pesquisa de Satisfação", "", QStyle::SP_DialogHelpButton, Comando::Pesquisa},
      {"spHelp", "Ajuda do Vornex", "", QStyle::SP_TitleBarContextHelpButton, Comando::Ajuda},
  };
  auto* barra = addToolBar("Ferramentas");
  barra->setObjectName("tbFerramentas");
  barra->setMovable(false);
  for (const auto& b : botoes) {
    QAction* a = cria(b.nome, QString::fromUtf8(b.legenda));
    a->setToolTip(QString::fromUtf8(b.dica));
    a->setStatusTip(QString::fromUtf8(b.dica));
    if (*b.legenda == '\0') a->setIcon(style()->standardIcon(b.icone));
    const Comando c = b.comando;
    connect(a, &QAction::triggered, this, [this, c] { executa(c, ControlaDepois(c)); });
    barra->addAction(a);
  }
}

void TfmVORNEX::criaMenus() {
  auto item = [this](QMenu* menu, const QString& nome, const QString& texto, Comando c) {
    QAction* a = cria(nome, texto);
    connect(a, &QAction::triggered, this, [this, c] { executa(c, ControlaDepois(c)); });
    menu->addAction(a);
    return a;
  };
  QMenu* declaracao = menuBar()->addMenu("&Declaração");
  item(declaracao, "Nova1", "&Nova...", Comando::Nova);
  item(declaracao, "Abrir1", "&Abrir...", Comando::Abrir);
  item(declaracao, "Excluir1", "&Excluir...", Comando::Excluir);
  declaracao->addSeparator();
  item(declaracao, "Verificar1", "&Verificar Inconsistências das Declarações ...", Comando::VerInco);
  declaracao->addSeparator();
  item(declaracao, "DadosResponsvel1", "&Dados Responsável ...", Comando::Resp);
  item(declaracao, "Gravardeclarao1", "&Gravar Declaração...", Comando::Gravar);
  declaracao->addSeparator();
  item(declaracao, "Gravarretificaodadeclarao1", "Gravar &Retificação da Declaração...", Comando::Retif);
  declaracao->addSeparator();
  item(declaracao, "Imprimir1", "&Imprimir...", Comando::Relatorio);
  declaracao->addSeparator();
  QMenu* importar = declaracao->addMenu("Im&portar...");
  item(importar, "AnoAnterior", "Ano Anterior  200&3", Comando::ImpAnoAnterior);
  item(importar, "AnoAtual", "Ano Atual       200&4", Comando::ImpAnoAtual);
  declaracao->addSeparator();
  QAction* sair = cria("Sair1", "&Sair");
  connect(sair, &QAction::triggered, this, &QWidget::close);
  declaracao->addAction(sair);

  QAction* analisador = cria("Analisador2", "&Analisador");
  connect(analisador, &QAction::triggered, this, [this] { executa(Comando::Analisador, true); });
  menuBar()->addAction(analisador);

  QMenu* utilitarios = menuBar()->addMenu("&Utilitários");
  item(utilitarios, "Consultardisquetedoano1", "&Consulta Arquivo do Ano", Comando::ConsDisq);
  QMenu* copia = utilitarios->addMenu("Cópia de &Segurança");
  item(copia, "Gerarcpia1", "&Gravar", Comando::GravarCopia);
  item(copia, "Restaurarcpia1", "&Restaurar", Comando::RestaurarCopia);
  QAction* indexar = cria("IndexarArquivos1", "&Indexar Arquivos");
  connect(indexar, &QAction::triggered, this, [this] {
    MostraTela<TfmGeraIndice>(programa_.dmVornex(), this);
  });
  utilitarios->addAction(indexar);

  QAction* pesquisa = cria("MenuItem3", "&Pesquisa");
  connect(pesquisa, &QAction::triggered, this, [this] { executa(Comando::Pesquisa, false); });
  menuBar()->addAction(pesquisa);

  QMenu* ajuda = menuBar()->addMenu("A&juda");
  item(ajuda, "AjudadoVornex1", "&Ajuda do VORNEX", Comando::Ajuda)->setShortcut(QKeySequence(Qt::Key_F1));
  QAction* informacoes = cria("Informaesteis1", "&Informações Úteis");
  connect(informacoes, &QAction::triggered, this, [this] {
    programa_.fmInicioRegras().abre();
    Dialogo().executa(programa_.fmInicioRegras());
  });
  ajuda->addAction(informacoes);
  item(ajuda, "DicasdeOperao1", "&Como Fazer Para ...", Comando::ComoFazer);
  QMenu* layout = ajuda->addMenu("&Layout Arquivo ZEMA");
  item(layout, "VisualizarCartela1", "&Visualizar Cartela", Comando::VisualizarCartela);
  item(layout, "EmitirCartela1", "&Emitir Cartela", Comando::EmitirCartela);
  ajuda->addSeparator();
  QAction* sobre = cria("SobreoVORNEX1", "&Sobre o VORNEX");
  connect(sobre, &QAction::triggered, this, [this] { MostraSobre(this, VersaoSistema); });
  ajuda->addAction(sobre);
}

void TfmVORNEX::ControlaBotoes() {
  const bool ha = programa_.dmVornex().ExisteDeclaracao();
  for (const char* nome : {"sbAbrir", "sbExcluir", "sbVerInco", "sbRetif", "sbGravar", "Abrir1", "Excluir1",
                           "Verificar1", "Gravardeclarao1", "Gravarretificaodadeclarao1", "Gerarcpia1"})
    acoes_.at(nome)->setEnabled(ha);
}

void TfmVORNEX::FormShow() {
  VersaoSistema = QString::number(AnoBaseDeclaracao) + ".1";
  // Money and numbers show with ',' for decimals and '.' for thousands.
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  setWindowTitle("Vornex" + QString::number(AnoBaseDeclaracao) + " - Vornex [Versão: " + VersaoSistema + "]");
  ControlaBotoes();
}

void TfmVORNEX::FormActivate() {
  if (PrimeiraAtivacao != 'S') return;
  PrimeiraAtivacao = 'N';
  TfmInicioRegras& regras = programa_.fmInicioRegras();
  regras.abre();
  if (regras.DeveMostrar()) Dialogo().executa(regras);
  activateWindow();
  setFocus();
}

void TfmVORNEX::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!e->spontaneous()) {
    FormShow();
    // Not every desktop activates a new window; the first activation's note
    // must come all the same.
    QTimer::singleShot(0, this, [this] { FormActivate(); });
  }
}

void TfmVORNEX::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow() && PrimeiraAtivacao == 'S')
    QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void MostraSobre(QWidget* pai, const QString& versao) {
  QDialog sobre(pai);
  sobre.setWindowTitle("Sobre o VORNEX");
  auto* l = new QVBoxLayout(&sobre);
  auto* nome = new QLabel("VORNEX - Declaração ZEMA Ano-Base 2004", &sobre);
  QFont f = nome->font();
  f.setBold(true);
  nome->setFont(f);
  l->addWidget(nome);
  l->addWidget(new QLabel("Versão " + versao, &sobre));
  l->addWidget(RotuloEndereco(&sobre, kEnderecoInternet, kEnderecoInternet));
  l->addWidget(RotuloEndereco(&sobre, kEnderecoSuporte, QString("Mailto:") + kEnderecoSuporte));
  auto* ok = new QPushButton("&Ok", &sobre);
  QObject::connect(ok, &QPushButton::clicked, &sobre, &QDialog::accept);
  l->addWidget(ok, 0, Qt::AlignRight);
  Dialogo().executa(sobre);
}

}  // namespace vornex::gui
