#include "toolkit/botoes_relatorio.h"

#include <QAbstractButton>
#include <QPrinter>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "render/render.h"
#include "toolkit/previa.h"

namespace vornex::gui {

int ExecutaRelatorio(AcaoRelatorio acao, relatorio::Documento& doc, const QString& titulo, QWidget* pai) {
  switch (acao) {
    case AcaoRelatorio::Visualizar: {
      TfmPrevia previa(doc, titulo, pai);
      Dialogo().executa(previa);
      return previa.falhou() ? 0 : previa.paginas();
    }
    case AcaoRelatorio::Imprimir: {
      QPrinter impressora;
      impressora.setDocName(titulo);
      if (!Dialogo().configuraImpressora(impressora, 0)) return 0;
      return render::Imprime(doc, impressora);
    }
    case AcaoRelatorio::GravarPdf: {
      PedidoArquivo p;
      p.modo = PedidoArquivo::Modo::Salvar;
      p.titulo = titulo.toStdString();
      p.filtro = "Documento PDF|*.pdf";
      p.extensaoPadrao = "pdf";
      const auto arquivo = Dialogo().escolheArquivo(p);
      if (!arquivo) return 0;
      return render::GravaPdf(doc, QString::fromStdString(arquivo->string()));
    }
  }
  return 0;
}

void LigaRelatorio(QAbstractButton* botao, AcaoRelatorio acao, const QString& titulo, FabricaRelatorio fabrica) {
  QObject::connect(botao, &QAbstractButton::clicked, botao, [botao, acao, titulo, fabrica = std::move(fabrica)] {
    Protegido([&] {
      std::unique_ptr<relatorio::Documento> doc = fabrica();
      if (doc) ExecutaRelatorio(acao, *doc, titulo, botao->window());
    });
  });
}

}  // namespace vornex::gui
