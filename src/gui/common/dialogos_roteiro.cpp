#include "common/dialogos_roteiro.h"

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QPrinter>

namespace vornex::gui {

DialogosRoteiro::DialogosRoteiro() : anterior_(ServicoDialogos::Instala(this)) {}

DialogosRoteiro::~DialogosRoteiro() { ServicoDialogos::Instala(anterior_); }

int DialogosRoteiro::pergunta(const PedidoDialogo& pedido) {
  mostradas_.push_back(pedido);
  if (!respostas_.empty()) {
    int r = respostas_.front();
    respostas_.pop_front();
    return r;
  }
  switch (pedido.botoes) {
    case Botoes::SimNao: return kResultadoNo;
    case Botoes::OkCancelar: return kResultadoCancel;
    case Botoes::Ok: break;
  }
  return kResultadoOk;
}

std::optional<std::filesystem::path> DialogosRoteiro::arquivo(const PedidoArquivo& pedido) {
  arquivosPedidos_.push_back(pedido);
  if (arquivos_.empty()) return std::nullopt;
  auto r = std::move(arquivos_.front());
  arquivos_.pop_front();
  return r;
}

int DialogosRoteiro::executa(QDialog& tela) {
  telas_.push_back(tela.windowTitle());
  QPointer<QDialog> guarda(&tela);
  tela.setResult(QDialog::Rejected);
  tela.show();
  QCoreApplication::processEvents();
  if (!acoes_.empty()) {
    AcaoTela acao = std::move(acoes_.front());
    acoes_.pop_front();
    acao(tela);
    QCoreApplication::processEvents();
  }
  if (guarda && tela.isVisible()) tela.reject();
  return guarda ? tela.result() : QDialog::Rejected;
}

bool DialogosRoteiro::configuraImpressora(QPrinter& impressora, int /*paginas*/) {
  ++impressoesPedidas_;
  if (impressoes_.empty()) return false;
  auto pdf = std::move(impressoes_.front());
  impressoes_.pop_front();
  if (!pdf) return false;
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(QString::fromStdString(pdf->string()));
  return true;
}

std::vector<std::string> DialogosRoteiro::textos() const {
  std::vector<std::string> r;
  for (const auto& m : mostradas_) r.push_back(m.texto);
  return r;
}

void DialogosRoteiro::limpa() {
  respostas_.clear();
  acoes_.clear();
  mostradas_.clear();
  telas_.clear();
  arquivos_.clear();
  arquivosPedidos_.clear();
  impressoes_.clear();
  impressoesPedidas_ = 0;
}

}  // namespace vornex::gui
