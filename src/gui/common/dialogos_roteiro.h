#pragma once
// The dialog service of the tests: installs itself for its lifetime, answers
// message dialogs from a queue, records every message shown, and runs queued
// actions on each screen shown (clicks, keys) before closing what is left open.
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "common/servico_dialogos.h"

namespace vornex::gui {

class DialogosRoteiro : public ServicoDialogos {
 public:
  using AcaoTela = std::function<void(QDialog&)>;

  DialogosRoteiro();
  ~DialogosRoteiro() override;
  DialogosRoteiro(const DialogosRoteiro&) = delete;
  DialogosRoteiro& operator=(const DialogosRoteiro&) = delete;

  // The answer to the next message dialog (kResultadoYes, kResultadoNo, ...).
  // Without one queued, Ok dialogs answer Ok, Ok/Cancel dialogs Cancel and
  // Yes/No dialogs No.
  void responde(int resultado) { respostas_.push_back(resultado); }
  // The answer to the next file or folder chooser (nullopt: cancelled).
  // Without one queued, the chooser is cancelled.
  // The answer to the next printer set-up: a PDF file to print to, or
  // nullopt (the default) for a cancelled set-up.
  void respondeImpressao(std::optional<std::filesystem::path> pdf) { impressoes_.push_back(std::move(pdf)); }
  void respondeArquivo(std::optional<std::filesystem::path> escolha) { arquivos_.push_back(std::move(escolha)); }
  // What to do with the next screen shown. A screen still open afterwards is
  // rejected, as if its close box had been used.
  void naTela(AcaoTela acao) { acoes_.push_back(std::move(acao)); }

  int pergunta(const PedidoDialogo& pedido) override;
  int executa(QDialog& tela) override;
  bool configuraImpressora(QPrinter& impressora, int paginas) override;
  int impressoesPedidas() const { return impressoesPedidas_; }

  const std::vector<PedidoDialogo>& mostradas() const { return mostradas_; }
  const std::vector<PedidoArquivo>& arquivosPedidos() const { return arquivosPedidos_; }
  std::vector<std::string> textos() const;
  // Window titles of the screens shown, in order.
  const std::vector<QString>& telas() const { return telas_; }
  void limpa();

 protected:
  std::optional<std::filesystem::path> arquivo(const PedidoArquivo& pedido) override;

 private:
  ServicoDialogos* anterior_;
  std::deque<int> respostas_;
  std::deque<AcaoTela> acoes_;
  std::vector<PedidoDialogo> mostradas_;
  std::deque<std::optional<std::filesystem::path>> arquivos_;
  std::vector<PedidoArquivo> arquivosPedidos_;
  std::deque<std::optional<std::filesystem::path>> impressoes_;
  int impressoesPedidas_ = 0;
  std::vector<QString> telas_;
};

}  // namespace vornex::gui
