#include "ajuda/fm_ajuda.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPushButton>
#include <filesystem>

#include "ajuda/navegador_ajuda.h"
#include "app/comandos.h"
#include "app/programa.h"
#include "common/ajuda.h"
#include "common/catalogo.h"
#include "data/dm_vornex.h"
#include "data/pasta_dados.h"
#include "ui_fm_ajuda.h"

namespace vornex::gui {

namespace {

std::filesystem::path PastaAjuda() { return PastaDadosInstalados() / kPastaAjuda; }

bool PaginaExiste(const std::string& pagina) {
  std::error_code erro;
  return std::filesystem::is_regular_file(PastaAjuda() / pagina, erro);
}

QUrl Endereco(const TopicoAjuda& t) {
  QUrl url(QString::fromStdString(t.pagina));
  if (!t.ancora.empty()) url.setFragment(QString::fromStdString(t.ancora));
  return url;
}

}  // namespace

NavegadorAjuda::NavegadorAjuda(QWidget* pai) : QTextBrowser(pai) {
  setSearchPaths({QString::fromStdString(PastaAjuda().string())});
}

QVariant NavegadorAjuda::loadResource(int tipo, const QUrl& nome) {
  if (tipo == QTextDocument::HtmlResource && catalogo_ && nome.fileName() == kPaginaAvisos)
    return QString::fromStdString(PaginaAvisos(*catalogo_));
  return QTextBrowser::loadResource(tipo, nome);
}

TfmAjuda::TfmAjuda(const Catalogo& catalogo, QWidget* pai) : QDialog(pai), ui_(std::make_unique<Ui::TfmAjuda>()) {
  ui_->setupUi(this);
  ui_->tbTopico->defineCatalogo(&catalogo);
  connect(ui_->btConteudo, &QPushButton::clicked, this, [this] { mostra({kPaginaConteudo, {}}); });
  connect(ui_->btComoFazer, &QPushButton::clicked, this, [this] { mostra({kPaginaComoFazer, {}}); });
  connect(ui_->btVoltar, &QPushButton::clicked, ui_->tbTopico, &QTextBrowser::backward);
  connect(ui_->tbTopico, &QTextBrowser::backwardAvailable, ui_->btVoltar, &QPushButton::setEnabled);
  connect(ui_->btFechar, &QPushButton::clicked, this, &QDialog::close);
}

TfmAjuda::~TfmAjuda() = default;

void TfmAjuda::mostra(const TopicoAjuda& topico) { ui_->tbTopico->setSource(Endereco(topico)); }

QTextBrowser* TfmAjuda::topico() const { return ui_->tbTopico; }

TfmAjuda* AbreAjuda(QWidget* pai, const Catalogo& catalogo, const TopicoAjuda& topico) {
  auto* janela = new TfmAjuda(catalogo, pai ? pai->window() : nullptr);
  janela->setAttribute(Qt::WA_DeleteOnClose);
  janela->mostra(topico);
  janela->show();
  return janela;
}

TopicoAjuda TopicoDoWidget(const QWidget* w) {
  for (; w; w = w->parentWidget())
    if (auto t = TopicoDaTela(w->objectName().toStdString(), PaginaExiste)) return *t;
  return {kPaginaConteudo, {}};
}

namespace {

class FiltroF1 : public QObject {
 public:
  explicit FiltroF1(Catalogo catalogo) : QObject(qApp), catalogo_(std::move(catalogo)) {}

 protected:
  bool eventFilter(QObject* alvo, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto* tecla = static_cast<QKeyEvent*>(e);
    if (tecla->key() != Qt::Key_F1 || tecla->modifiers() != Qt::NoModifier || tecla->isAutoRepeat()) return false;
    auto* w = qobject_cast<QWidget*>(alvo);
    if (!w || dynamic_cast<TfmAjuda*>(w->window())) return false;
    AbreAjuda(w, catalogo_, TopicoDoWidget(w));
    return true;
  }

 private:
  const Catalogo catalogo_;
};

const RegistroAcao kAjuda{Comando::Ajuda, [](Programa& programa, QWidget* janela) {
                            AbreAjuda(janela, programa.dmVornex().catalogo(), {kPaginaConteudo, {}});
                          }};
const RegistroAcao kComoFazer{Comando::ComoFazer, [](Programa& programa, QWidget* janela) {
                                AbreAjuda(janela, programa.dmVornex().catalogo(), {kPaginaComoFazer, {}});
                              }};

}  // namespace

void InstalaAjudaF1(const Catalogo& catalogo) {
  static FiltroF1* filtro = nullptr;
  if (filtro) qApp->removeEventFilter(filtro), delete filtro;
  filtro = new FiltroF1(catalogo);
  qApp->installEventFilter(filtro);
}

}  // namespace vornex::gui
