// "Layout Arquivo ZEMA" in the Help menu: the printed description of the
// declaration file, previewed or sent straight to a printer.
#include <QPrintDialog>
#include <QPrinter>

#include "app/comandos.h"
#include "common/servico_dialogos.h"
#include "render/render.h"
#include "reports/rp_cartela.h"
#include "toolkit/previa.h"

namespace vornex::gui {

namespace {

const QString kTituloCartela = QStringLiteral("Cartela do arquivo ZEMA");

const RegistroAcao kVisualizarCartela{Comando::VisualizarCartela, [](Programa&, QWidget* janela) {
                                        relatorio::TrpCartela cartela;
                                        MostraPrevia(cartela, kTituloCartela, janela);
                                      }};

const RegistroAcao kEmitirCartela{Comando::EmitirCartela, [](Programa&, QWidget* janela) {
                                    QPrinter impressora;
                                    QPrintDialog escolha(&impressora, janela);
                                    escolha.setWindowTitle(kTituloCartela);
                                    if (Dialogo().executa(escolha) != QDialog::Accepted) return;
                                    relatorio::TrpCartela cartela;
                                    render::Imprime(cartela, impressora);
                                  }};

}  // namespace

}  // namespace vornex::gui
