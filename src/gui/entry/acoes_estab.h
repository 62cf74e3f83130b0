#pragma once
// What the establishment screens open that belongs to other parts of the
// program: the employee screens, the exclusion screen and the three
// maintenance assistants of the establishment consultation. Each of those
// screens registers itself from its own file, as the main window's commands
// do; an action nobody registered opens nothing.
#include <functional>

#include "data/declaracao.h"

class QWidget;

namespace vornex::gui {

class TdmVornex;
class TdmEntradaDados;

enum class AcaoEstab {
  NovoVinculo,         // the employee screen for a new link
  ConsultaVinculos,    // the employee consultation of the establishment
  Exclusao,            // the exclusion screen of one establishment
  Transferencia,       // Ctrl+Alt+F3 on the consultation
  ExclusaoMultipla,    // Ctrl+Alt+F4
  TipoVinculo,         // Ctrl+Alt+F5
};

// The establishment the action is about (empty for the assistants) and what
// the screens run on. `encerraEm2005`: the establishment closes in 2005.
struct ContextoEstab {
  TdmVornex& dm;
  TdmEntradaDados& entrada;
  ChaveEstabelecimento chave;
  QWidget* janela = nullptr;
  bool estabNovo = false;
  bool encerraEm2005 = false;
};

using AcaoDeEstab = std::function<void(const ContextoEstab&)>;

struct RegistroAcaoEstab {
  RegistroAcaoEstab(AcaoEstab acao, AcaoDeEstab executa);
};

// nullptr when nothing registered the action.
const AcaoDeEstab* AcaoEstabDe(AcaoEstab acao);
// Runs the registered action; false when there is none.
bool ExecutaAcaoEstab(AcaoEstab acao, const ContextoEstab& contexto);

}  // namespace vornex::gui
