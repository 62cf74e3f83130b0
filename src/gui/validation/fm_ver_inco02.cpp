#include <QPushButton>
#include <QStackedWidget>

#include "data/dm_vornex.h"
#include "reports/rp_erros.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "ui_fm_ver_inco02.h"
#include "validation/fm_ver_inco.h"

namespace vornex::gui {

namespace {
const QString kTituloRelatorioErros = QStringLiteral("Relatório de Erros e Avisos");
}

TfmVerInco02::TfmVerInco02(TdmVornex& dm, bool& fecha, QWidget* pai)
    : PassoAssistente(fecha, kTituloVerInco, pai), ui_(std::make_unique<Ui::TfmVerInco02Form>()) {
  setObjectName("fmVerInco02");
  auto* forma = new QWidget(this);
  ui_->setupUi(forma);
  conteudo()->addWidget(forma);
  tornaUltimo();
  btCancelar()->setObjectName("BtFechar");
  // Each press creates the report over the findings as they are now.
  auto erros = [&dm]() -> std::unique_ptr<relatorio::Documento> {
    return std::make_unique<relatorio::TrpErros>(dm.conexao());
  };
  LigaRelatorio(ui_->bbVisualErros, AcaoRelatorio::Visualizar, kTituloRelatorioErros, erros);
  LigaRelatorio(ui_->BtVisualizar, AcaoRelatorio::Visualizar, kTituloRelatorioErros, erros);
  LigaRelatorio(ui_->bbPrintErros, AcaoRelatorio::Imprimir, kTituloRelatorioErros, erros);
  LigaRelatorio(ui_->BtRelat, AcaoRelatorio::Imprimir, kTituloRelatorioErros, erros);
  EnterComoTab(this);
}

TfmVerInco02::~TfmVerInco02() = default;

QWidget* TfmVerInco02::painel(Desfecho d) const {
  switch (d) {
    case Desfecho::Erros: return ui_->PInco;
    case Desfecho::Avisos: return ui_->PDist;
    case Desfecho::Nada: break;
  }
  return ui_->POk;
}

void TfmVerInco02::mostra(Desfecho d) { ui_->stPaineis->setCurrentWidget(painel(d)); }

QStackedWidget* TfmVerInco02::paineis() const { return ui_->stPaineis; }
QPushButton* TfmVerInco02::bbVisualErros() const { return ui_->bbVisualErros; }
QPushButton* TfmVerInco02::bbPrintErros() const { return ui_->bbPrintErros; }
QPushButton* TfmVerInco02::BtVisualizar() const { return ui_->BtVisualizar; }
QPushButton* TfmVerInco02::BtRelat() const { return ui_->BtRelat; }

}  // namespace vornex::gui
