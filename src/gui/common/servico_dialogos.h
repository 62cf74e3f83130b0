#pragma once
// Every dialog of the program goes through one service: the message boxes of
// the running program, or a scripted stand-in in tests (answers queued,
// messages recorded). Modal screens are shown through it too, so a test can
// drive a screen while it is open.
#include <string>
#include <utility>

#include "common/catalogo.h"
#include "common/mensagem.h"

class QDialog;

namespace vornex::gui {

struct PedidoDialogo {
  TipoDialogo tipo = TipoDialogo::Informacao;
  Botoes botoes = Botoes::Ok;
  std::string texto;
  std::string titulo;  // empty: the title of the dialog kind
};

// "Confirmação", "Aviso", "Informação", "Erro".
std::string TituloDialogo(TipoDialogo tipo);

class ServicoDialogos : public Dialogos {
 public:
  // The service in use: the one installed last, else the message boxes.
  static ServicoDialogos& Atual();
  // Puts `servico` in use (nullptr: back to the message boxes) and answers
  // the one it replaces.
  static ServicoDialogos* Instala(ServicoDialogos* servico);

  // The catalog that message numbers are shown from (the message table of
  // the main data module). Shared by every service.
  static void DefineCatalogo(const Catalogo* catalogo);
  static const Catalogo* CatalogoAtual();

  int mostra(TipoDialogo tipo, Botoes botoes, const std::string& texto) override {
    return pergunta({tipo, botoes, texto, {}});
  }
  // One modal dialog; the result in the numbering of ResultadoDialogo.
  virtual int pergunta(const PedidoDialogo& pedido) = 0;
  // Shows a screen modally until it closes; its QDialog result.
  virtual int executa(QDialog& tela) = 0;

  // The catalog message of `numero`; the name of the button pressed.
  std::string mensagem(NuMensagem numero);
};

class DialogosQt : public ServicoDialogos {
 public:
  int pergunta(const PedidoDialogo& pedido) override;
  int executa(QDialog& tela) override;
};

// Ending the program after a fatal report: every event loop is told to quit
// with exit code 1, no further input is delivered and no dialog opens.
void EncerraPrograma();
bool Encerrando();
void LimpaEncerramento();  // tests that provoke a report

// Shorthands for the service in use.
inline ServicoDialogos& Dialogo() { return ServicoDialogos::Atual(); }
inline std::string MostraMensagem(NuMensagem numero) { return Dialogo().mensagem(numero); }

// A modal screen created just before it is shown and freed when it closes.
template <typename Tela, typename... Argumentos>
int MostraTela(Argumentos&&... argumentos) {
  Tela tela(std::forward<Argumentos>(argumentos)...);
  return Dialogo().executa(tela);
}

}  // namespace vornex::gui
