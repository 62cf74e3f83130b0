#include <QProgressBar>
#include <QPushButton>

#include "app/comandos.h"
#include "app/programa.h"
#include "backup/copia_seguranca.h"
#include "backup/fm_copia.h"
#include "backup/fm_copia_comum.h"
#include "common/midia_gui.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"
#include "toolkit/passagem_passo.h"
#include "ui_fm_restore00.h"

namespace vornex::gui {

TfmRestore00::TfmRestore00(TdmVornex& dm, QWidget* pai)
    : QDialog(pai), dm_(dm), ui_(std::make_unique<Ui::TfmRestore00>()) {
  ui_->setupUi(this);
  ui_->paProgresso->hide();
  PreparaJanelaCopia(*this, ui_->bbCancel);
  passagem_ =
      new PassagemNoPasso(*this, {ui_->prRestore, ui_->paProgresso, nullptr, ui_->bbCancel, {ui_->bbAction}});
  passagem_->defineConfirmacao([] { return Dialogo().confirmaSim(std::string(kMsgCancelaRestore)); });
  connect(ui_->bbAction, &QPushButton::clicked, this, [this] { bbActionClick(); });
}

TfmRestore00::~TfmRestore00() = default;

QPushButton* TfmRestore00::bbAction() const { return ui_->bbAction; }
QPushButton* TfmRestore00::bbCancel() const { return ui_->bbCancel; }
QWidget* TfmRestore00::paProgresso() const { return ui_->paProgresso; }
QProgressBar* TfmRestore00::prRestore() const { return ui_->prRestore; }

void TfmRestore00::bbActionClick() {
  PedidoArquivo p;
  p.modo = PedidoArquivo::Modo::Abrir;
  p.titulo = "Restaurar arquivo de Backup ...";
  p.filtro = "Backup Files|*.BKP";
  p.extensaoPadrao = "*.BKP";
  p.pasta = PastaInicialMidia();
  const auto escolhido = Dialogo().escolheArquivo(p);
  if (!escolhido) return reject();
  arquivo_ = std::filesystem::absolute(*escolhido);

  EventosCopiaGui eventos(*passagem_, arquivo_.parent_path());
  // The declaration file is replaced under the open connection: it is
  // closed for the restore and opened again on whatever file is then in place.
  const ResultadoCopia r = dm_.semConexao([&] {
    return passagem_->executa(
        [&](AcompanhamentoPassagem&) { return RestauraCopiaSeguranca(dm_.pasta(), arquivo_, &eventos); });
  });
  if (r.ok) {
    Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, r.mensagem);
  } else if (!r.interrompida && !r.mensagem.empty()) {
    // The component's own text says why, when the window's message does not.
    Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, r.detalhe.empty() ? r.mensagem : r.mensagem + "\n" + r.detalhe);
  }
  reject();
}

namespace {
const RegistroAcao kRestaurarCopia{Comando::RestaurarCopia, [](Programa& programa, QWidget* janela) {
                                     MostraTela<TfmRestore00>(programa.dmVornex(), janela);
                                   }};
}  // namespace

}  // namespace vornex::gui
