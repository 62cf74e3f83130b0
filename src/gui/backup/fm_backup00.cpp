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
#include "ui_fm_backup00.h"

namespace vornex::gui {

TfmBackup00::TfmBackup00(TdmVornex& dm, QWidget* pai)
    : QDialog(pai), dm_(dm), ui_(std::make_unique<Ui::TfmBackup00>()) {
  ui_->setupUi(this);
  ui_->paProgresso->hide();
  PreparaJanelaCopia(*this, ui_->bbCancel);
  passagem_ = new PassagemNoPasso(*this, {ui_->prBackup, ui_->paProgresso, nullptr, ui_->bbCancel, {ui_->bbAction}});
  passagem_->defineConfirmacao([] { return Dialogo().confirmaSim(std::string(kMsgCancelaBackup)); });
  connect(ui_->bbAction, &QPushButton::clicked, this, [this] { bbActionClick(); });
}

TfmBackup00::~TfmBackup00() = default;

QPushButton* TfmBackup00::bbAction() const { return ui_->bbAction; }
QPushButton* TfmBackup00::bbCancel() const { return ui_->bbCancel; }
QWidget* TfmBackup00::paProgresso() const { return ui_->paProgresso; }
QProgressBar* TfmBackup00::prBackup() const { return ui_->prBackup; }

std::optional<std::int64_t> TfmBackup00::tamanhoVolume() {
  for (;;) {
    if (auto t = TamanhoVolumeLivre(EspacoLivre(arquivo_.parent_path()).value_or(0))) return t;
    if (!Dialogo().confirmaOk(TipoDialogo::Aviso, std::string(kMsgEspacoInsuficiente))) return std::nullopt;
  }
}

void TfmBackup00::bbActionClick() {
  PedidoArquivo p;
  p.modo = PedidoArquivo::Modo::Salvar;
  p.titulo = "Cópia de Segurança";
  p.filtro = "Backup VORNEX (BKP)|*.BKP";
  p.extensaoPadrao = "BKP";
  p.pasta = PastaInicialMidia();
  p.nome = (p.pasta / "Zema2004.bkp").string();
  const auto escolhido = Dialogo().escolheArquivo(p);
  if (!escolhido) return reject();
  arquivo_ = std::filesystem::absolute(*escolhido);
  const auto tamanho = tamanhoVolume();
  if (!tamanho) return reject();

  EventosCopiaGui eventos(*passagem_, arquivo_.parent_path(), [this](TBackupFile& b) {
    const auto t = tamanhoVolume();
    if (t) b.MaxSize(*t);
    return t.has_value();
  });
  const ResultadoCopia r = passagem_->executa([&](AcompanhamentoPassagem&) {
    return GravaCopiaSeguranca(dm_.pasta(), arquivo_, *tamanho, &eventos);
  });
  if (r.ok)
    Dialogo().mostra(TipoDialogo::Informacao, Botoes::Ok, r.mensagem);
  else if (!r.interrompida)
    Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, r.mensagem);
  reject();
}

namespace {
const RegistroAcao kGravarCopia{Comando::GravarCopia, [](Programa& programa, QWidget* janela) {
                                  MostraTela<TfmBackup00>(programa.dmVornex(), janela);
                                }};
}  // namespace

}  // namespace vornex::gui
