#include "common/servico_dialogos.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
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

}  // namespace vornex::gui
