#include "app/programa.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSplashScreen>

#include "ajuda/fm_ajuda.h"
#include "app/erro_fatal.h"
#include "app/fm_inicio_regras.h"
#include "app/fm_vornex.h"
#include "app/instancia_unica.h"
#include "common/servico_dialogos.h"
#include "data/consultas.h"
#include "data/dm_vornex.h"
#include "data/indexacao.h"
#include "data/pasta_dados.h"

namespace vornex::gui {

namespace {

QPixmap FiguraSplash() {
  QPixmap p(420, 220);
  p.fill(QColor(0, 64, 128));
  QPainter pintor(&p);
  pintor.setPen(Qt::white);
  QFont f = pintor.font();
  f.setPointSize(36);
  f.setBold(true);
  pintor.setFont(f);
  pintor.drawText(p.rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, "VORNEX");
  f.setPointSize(14);
  f.setBold(false);
  pintor.setFont(f);
  pintor.drawText(p.rect().adjusted(0, 100, 0, 0), Qt::AlignCenter, "Declaração Ano-Base 2004");
  return p;
}

}  // namespace

Programa::Programa() = default;

Programa::~Programa() {
  // The main window's close frees the data modules; the lookups and the
  // windows go first so that nothing outlives the connection it reads.
  frmT8Munic_.reset();
  fmTb8Cnae_.reset();
  fmInicioRegras_.reset();
  dmEntradaDados_.reset();
  fmVORNEX_.reset();
  dmVornex_.reset();
}

ResultadoInicio Programa::inicia(const OpcoesInicio& opcoes) {
  instancia_ = std::make_unique<InstanciaUnica>(opcoes.trava.isEmpty() ? InstanciaUnica::CaminhoPadrao()
                                                                       : opcoes.trava);
  if (!instancia_->obtida()) {
    Dialogo().pergunta({TipoDialogo::Erro, Botoes::Ok, kTextoOutraInstancia, "Aviso"});
    return ResultadoInicio::OutraInstancia;
  }

  std::unique_ptr<QSplashScreen> splash;
  if (opcoes.splash) {
    splash = std::make_unique<QSplashScreen>(FiguraSplash());
    splash->show();
    splash->repaint();
    QCoreApplication::processEvents();
  }
  QCoreApplication::setApplicationName(kTituloAplicacao);

  pasta_ = ResolvePastaDados(opcoes.pastaDados);
  AbreOuInicializaPastaDados(pasta_);
  if (!VerificaArquivosDados(pasta_, Dialogo())) {
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, kTextoFaltamArquivos);
    return ResultadoInicio::FaltamArquivos;
  }

  dmVornex_ = std::make_unique<TdmVornex>(pasta_);
  fmVORNEX_ = std::make_unique<TfmVORNEX>(*this);
  dmEntradaDados_ = std::make_unique<TdmEntradaDados>();
  fmInicioRegras_ = std::make_unique<TfmInicioRegras>(*dmVornex_, fmVORNEX_.get());
  fmTb8Cnae_ = std::make_unique<TfmTb8Cnae>(dmVornex_->referencias(), fmVORNEX_.get());
  frmT8Munic_ = std::make_unique<TfrmT8Munic>(dmVornex_->referencias(), fmVORNEX_.get());
  InstalaAjudaF1(dmVornex_->catalogo());
  return ResultadoInicio::Pronto;
}

int Programa::executa() {
  fmVORNEX_->showMaximized();
  return QApplication::exec();
}

int ExecutaVornex(int argc, char** argv) {
  AplicacaoVornex app(argc, argv);
  QCommandLineParser opcoes;
  opcoes.setApplicationDescription("VORNEX - Declaração ZEMA Ano-Base 2004");
  opcoes.addHelpOption();
  QCommandLineOption dados("dados", "Pasta de dados (criada e inicializada se não existir).", "pasta");
  opcoes.addOption(dados);
  opcoes.process(app);

  OpcoesInicio inicio;
  inicio.pastaDados = opcoes.value(dados).toStdString();
  Programa programa;
  try {
    switch (programa.inicia(inicio)) {
      case ResultadoInicio::OutraInstancia: return 0;
      case ResultadoInicio::FaltamArquivos: return 1;
      case ResultadoInicio::Pronto: break;
    }
    return programa.executa();
  } catch (...) {
    TrataErroBanco(std::current_exception());
    return 1;
  }
}

}  // namespace vornex::gui
