#pragma once
// The commands of the main window whose screens live in other parts of the
// program. Each screen registers what its command does from its own file,
// as the command-line sub-commands do; a command nobody registered opens
// nothing.
#include <functional>

class QWidget;

namespace vornex::gui {

class Programa;

enum class Comando {
  Nova,
  Abrir,
  Excluir,
  VerInco,
  Gravar,
  Retif,
  Resp,
  Relatorio,
  ImpAnoAnterior,
  ImpAnoAtual,
  Analisador,
  ConsDisq,
  Pesquisa,
  Ajuda,
  ComoFazer,
  GravarCopia,
  RestaurarCopia,
  VisualizarCartela,
  EmitirCartela,
};

using AcaoComando = std::function<void(Programa& programa, QWidget* janela)>;

struct RegistroAcao {
  RegistroAcao(Comando comando, AcaoComando acao);
};

// nullptr when no screen registered the command.
const AcaoComando* AcaoDe(Comando comando);

}  // namespace vornex::gui
