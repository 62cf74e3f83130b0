#include "common/servico_dialogos.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>
#include <stdexcept>

namespace vornex::gui {

namespace {

ServicoDialogos* g_instalado = nullptr;
const Catalogo* g_catalogo = nullptr;
bool g_encerrando = false;

QMessageBox::Icon Icone(TipoDialogo tipo) {
  switch (tipo) {
    case TipoDialogo::Confirmacao: return QMessageBox::Question;
    case TipoDialogo::Aviso: return QMessageBox::Warning;
    case TipoDialogo::Informacao: return QMessageBox::Information;
    case TipoDialogo::Erro: return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

std::string TituloDialogo(TipoDialogo tipo) {
  switch (tipo) {
    case TipoDialogo::Confirmacao: return "Confirmação";
    case TipoDialogo::Aviso: return "Aviso";
    case TipoDialogo::Informacao: return "Informação";
    case TipoDialogo::Erro: return "Erro";
  }
  return {};
}

ServicoDialogos& ServicoDialogos::Atual() {
  static DialogosQt caixas;
  return g_instalado ? *g_instalado : caixas;
}

ServicoDialogos* ServicoDialogos::Instala(ServicoDialogos* servico) {
  ServicoDialogos* anterior = g_instalado;
  g_instalado = servico;
  return anterior;
}

void ServicoDialogos::DefineCatalogo(const Catalogo* catalogo) { g_catalogo = catalogo; }
const Catalogo* ServicoDialogos::CatalogoAtual() { return g_catalogo; }

std::string FiltroQt(const std::string& filtro) {
  const QStringList partes = QString::fromStdString(filtro).split('|');
  QStringList filtros;
  for (qsizetype i = 0; i + 1 < partes.size(); i += 2) {
    QStringList padroes;
    for (const QString& p : partes[i + 1].split(';', Qt::SkipEmptyParts)) {
      for (const QString& v : {p.trimmed(), p.trimmed().toLower(), p.trimmed().toUpper()})
        if (!padroes.contains(v)) padroes << v;
    }
    filtros << partes[i] + " (" + padroes.join(' ') + ")";
  }
  return filtros.join(";;").toStdString();
}

std::filesystem::path ComExtensaoPadrao(const PedidoArquivo& pedido, std::filesystem::path escolhido) {
  std::string ext = pedido.extensaoPadrao;
  if (ext.rfind("*.", 0) == 0)
    ext.erase(0, 2);
  else if (ext.rfind('.', 0) == 0)
    ext.erase(0, 1);
  if (pedido.modo == PedidoArquivo::Modo::Pasta || ext.empty() || ext == "*" || escolhido.empty() ||
      escolhido.has_extension())
    return escolhido;
  escolhido += "." + ext;
  return escolhido;
}

std::optional<std::filesystem::path> ServicoDialogos::escolheArquivo(const PedidoArquivo& pedido) {
  std::optional<std::filesystem::path> r = arquivo(pedido);
  if (!r || r->empty()) return std::nullopt;
  return ComExtensaoPadrao(pedido, std::move(*r));
}

bool ServicoDialogos::confirmaOk(TipoDialogo tipo, const std::string& texto) {
  return pergunta({tipo, Botoes::OkCancelar, texto, {}}) == kResultadoOk;
}

bool ServicoDialogos::confirmaSim(const std::string& texto, bool padraoNao) {
  PedidoDialogo p{TipoDialogo::Confirmacao, Botoes::SimNao, texto, {}};
  p.padraoNao = padraoNao;
  return pergunta(p) == kResultadoYes;
}

std::string ServicoDialogos::mensagem(NuMensagem numero) {
  if (g_catalogo == nullptr) throw std::logic_error("catálogo de mensagens não carregado");
  return vornex::MostraMensagem(*g_catalogo, *this, numero);
}

void EncerraPrograma() {
  g_encerrando = true;
  QCoreApplication::exit(1);
}

bool Encerrando() { return g_encerrando; }
void LimpaEncerramento() { g_encerrando = false; }

int DialogosQt::pergunta(const PedidoDialogo& pedido) {
  if (Encerrando()) return kResultadoCancel;
  QMessageBox caixa(Icone(pedido.tipo),
                    QString::fromStdString(pedido.titulo.empty() ? TituloDialogo(pedido.tipo) : pedido.titulo),
                    QString::fromStdString(pedido.texto), QMessageBox::NoButton, QApplication::activeWindow());
  QAbstractButton* sim = nullptr;
  QAbstractButton* nao = nullptr;
  QAbstractButton* ok = nullptr;
  if (pedido.botoes == Botoes::SimNao) {
    sim = caixa.addButton(QMessageBox::Yes);
    nao = caixa.addButton(QMessageBox::No);
    sim->setText("&Sim");
    nao->setText("&Não");
    // The close box and Escape answer Cancel, not No.
    QAbstractButton* cancela = caixa.addButton(QMessageBox::Cancel);
    cancela->hide();
    caixa.setEscapeButton(cancela);
    caixa.setDefaultButton(static_cast<QPushButton*>(pedido.padraoNao ? nao : sim));
  } else if (pedido.botoes == Botoes::OkCancelar) {
    ok = caixa.addButton(QMessageBox::Ok);
    QAbstractButton* cancela = caixa.addButton(QMessageBox::Cancel);
    cancela->setText("&Cancelar");
    caixa.setEscapeButton(cancela);
  } else {
    ok = caixa.addButton(QMessageBox::Ok);
    caixa.setEscapeButton(ok);
  }
  caixa.exec();
  QAbstractButton* b = caixa.clickedButton();
  if (b != nullptr && b == sim) return kResultadoYes;
  if (b != nullptr && b == nao) return kResultadoNo;
  if (b != nullptr && b == ok) return kResultadoOk;
  return kResultadoCancel;
}

int DialogosQt::executa(QDialog& tela) { return Encerrando() ? int(QDialog::Rejected) : tela.exec(); }

std::optional<std::filesystem::path> DialogosQt::arquivo(const PedidoArquivo& pedido) {
  if (Encerrando()) return std::nullopt;
  QFileDialog d(QApplication::activeWindow(), QString::fromStdString(pedido.titulo),
                QString::fromStdString(pedido.pasta.string()));
  switch (pedido.modo) {
    case PedidoArquivo::Modo::Abrir:
      d.setAcceptMode(QFileDialog::AcceptOpen);
      d.setFileMode(QFileDialog::ExistingFile);
      break;
    case PedidoArquivo::Modo::Salvar:
      d.setAcceptMode(QFileDialog::AcceptSave);
      d.setFileMode(QFileDialog::AnyFile);
      d.setOption(QFileDialog::DontConfirmOverwrite, !pedido.confirmaSobrescrever);
      break;
    case PedidoArquivo::Modo::Pasta:
      d.setFileMode(QFileDialog::Directory);
      d.setOption(QFileDialog::ShowDirsOnly);
      break;
  }
  if (!pedido.filtro.empty()) d.setNameFilter(QString::fromStdString(FiltroQt(pedido.filtro)));
  if (!pedido.nome.empty()) d.selectFile(QString::fromStdString(pedido.nome));
  // The default extension is added by escolheArquivo, the same way in tests.
  if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(d.selectedFiles().front().toStdString());
}

}  // namespace vornex::gui

namespace vornex::gui {

bool DialogosQt::configuraImpressora(QPrinter& impressora, int paginas) {
  if (Encerrando()) return false;
  QPrintDialog dialogo(&impressora, QApplication::activeWindow());
  if (paginas > 0) {
    impressora.setFromTo(1, paginas);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    dialogo.setMinMax(1, paginas);
  }
  return dialogo.exec() == QDialog::Accepted;
}

}  // namespace vornex::gui
