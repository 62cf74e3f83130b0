#include "casos/analisa_arquivo.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "declfile/fm_analis_comum.h"
#include "reports/rp_erros.h"
#include "reports/rp_estrut.h"
#include "reports/rp_etiquetas.h"
#include "toolkit/assistente.h"
#include "toolkit/botoes_relatorio.h"
#include "toolkit/critica.h"
#include "ui_fm_analis02.h"

namespace vornex::gui {

void LigaLocalizar(QAbstractButton* localizar, QLineEdit* campo, const char* filtro) {
  QObject::connect(localizar, &QAbstractButton::clicked, campo, [campo, filtro] {
    PedidoArquivo p;
    p.titulo = "Abrir arquivo";
    p.filtro = filtro;
    p.pasta = PastaInicialMidia();
    if (auto escolha = Dialogo().escolheArquivo(p)) campo->setText(QString::fromStdString(escolha->string()));
  });
}

bool ConfereArquivo(QLineEdit* campo) {
  std::string falha;
  if (ArquivoParaAnalise(campo->text().toStdString(), falha)) return true;
  Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok,
                   "O arquivo especificado não existe.\nVerifique o caminho e o nome do arquivo.");
  campo->setFocus();
  return false;
}

void LigaRelatorioEstrutura(TdmVornex& dm, QAbstractButton* visualizar, QAbstractButton* imprimir) {
  auto estrutura = [&dm]() -> std::unique_ptr<relatorio::Documento> {
    return std::make_unique<relatorio::TrpEstrut>(dm.conexao());
  };
  const QString titulo = QStringLiteral("Relatório de erro de estrutura");
  LigaRelatorio(visualizar, AcaoRelatorio::Visualizar, titulo, estrutura);
  LigaRelatorio(imprimir, AcaoRelatorio::Imprimir, titulo, estrutura);
}

void LigaRelatorioErros(TdmVornex& dm, QAbstractButton* visualizar, QAbstractButton* imprimir) {
  auto erros = [&dm]() -> std::unique_ptr<relatorio::Documento> {
    return std::make_unique<relatorio::TrpErros>(dm.conexao());
  };
  const QString titulo = QStringLiteral("Relatório de Erros e Avisos");
  LigaRelatorio(visualizar, AcaoRelatorio::Visualizar, titulo, erros);
  LigaRelatorio(imprimir, AcaoRelatorio::Imprimir, titulo, erros);
}

void LigaEtiqueta(TdmVornex& dm, QAbstractButton* etiqueta) {
  LigaRelatorio(etiqueta, AcaoRelatorio::Imprimir, QStringLiteral("Etiqueta"),
                [&dm]() -> std::unique_ptr<relatorio::Documento> {
                  return std::make_unique<relatorio::TrpEtiquetas>(dm.conexao());
                });
}

std::optional<Midia> MidiaEscolhida(QComboBox* lista) {
  const QString pasta = lista->currentData().toString();
  if (pasta.isEmpty()) return EscolhePastaMidia("Selecione o drive:");
  for (const Midia& m : ListaMidias())
    if (m.pasta == pasta.toStdString()) return m;
  return MidiaPasta(pasta.toStdString());
}

void TornaPassoFinal(PassoAssistente& passo) {
  passo.tornaUltimo();
  passo.btVoltar()->setEnabled(false);
  passo.btCancelar()->setObjectName("BtFechar");
}

}  // namespace vornex::gui

namespace vornex::gui {

void MontaPassoGravado(PassoAssistente& passo, Ui::TfmAnalis02Form& ui, TdmVornex& dm) {
  auto* forma = new QWidget(&passo);
  ui.setupUi(forma);
  passo.conteudo()->addWidget(forma);
  TornaPassoFinal(passo);
  ui.BtComprovante->setEnabled(false);
  LigaEtiqueta(dm, ui.BtEtiqueta);
  EnterComoTab(&passo);
}

}  // namespace vornex::gui
