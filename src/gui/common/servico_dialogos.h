#pragma once
// Every dialog of the program goes through one service: the message boxes of
// the running program, or a scripted stand-in in tests (answers queued,
// messages recorded). Modal screens are shown through it too, so a test can
// drive a screen while it is open.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "common/catalogo.h"
#include "common/mensagem.h"

class QDialog;
class QPrinter;

namespace vornex::gui {

struct PedidoDialogo {
  TipoDialogo tipo = TipoDialogo::Informacao;
  Botoes botoes = Botoes::Ok;
  std::string texto;
  std::string titulo;  // empty: the title of the dialog kind
  // Yes/No: "Não" is the default button (Enter answers No).
  bool padraoNao = false;
};

// A file or folder chooser.
struct PedidoArquivo {
  enum class Modo { Abrir, Salvar, Pasta };
  Modo modo = Modo::Abrir;
  std::string titulo;
  // "Descrição|*.EXT|Outra|*.a;*.b": pairs of description and patterns. A
  // pattern matches in either letter case.
  std::string filtro;
  // Added (after a dot) to a chosen name without an extension; "BKP" and
  // "*.BKP" mean the same.
  std::string extensaoPadrao;
  std::filesystem::path pasta;  // where the dialog starts; empty: the current folder
  std::string nome;             // the name proposed
  bool confirmaSobrescrever = true;  // Salvar: ask before replacing a file
};

// The filter of a PedidoArquivo in Qt's form ("Descrição (*.EXT *.ext)").
std::string FiltroQt(const std::string& filtro);
// The chosen name with the request's default extension when it has none.
std::filesystem::path ComExtensaoPadrao(const PedidoArquivo& pedido, std::filesystem::path escolhido);

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
  // The file or folder chosen, with the default extension added; nullopt
  // when the user cancelled.
  std::optional<std::filesystem::path> escolheArquivo(const PedidoArquivo& pedido);
  // The printer set-up before a report prints (printer, page range out of
  // `paginas`, 0 when not known, copies); false when cancelled.
  virtual bool configuraImpressora(QPrinter& impressora, int paginas) = 0;
  // Ok/Cancel and Yes/No questions with the usual shapes.
  bool confirmaOk(TipoDialogo tipo, const std::string& texto);            // true on OK
  bool confirmaSim(const std::string& texto, bool padraoNao = false);  // true on Yes

  // The catalog message of `numero`; the name of the button pressed.
  std::string mensagem(NuMensagem numero);

 protected:
  // The chooser itself, as the user left it.
  virtual std::optional<std::filesystem::path> arquivo(const PedidoArquivo& pedido) = 0;
};

class DialogosQt : public ServicoDialogos {
 public:
  int pergunta(const PedidoDialogo& pedido) override;
  int executa(QDialog& tela) override;
  bool configuraImpressora(QPrinter& impressora, int paginas) override;

 protected:
  std::optional<std::filesystem::path> arquivo(const PedidoArquivo& pedido) override;
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
