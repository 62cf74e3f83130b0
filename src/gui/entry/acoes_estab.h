#pragma once
// The employee screens the establishment screen goes on to: each registers
// itself from its own file, as the main window's commands do; an action
// nobody registered opens nothing. (The exclusion screen and the maintenance
// assistants of the consultation register in app/acoes_estabelecimento.h.)
#include <functional>

#include "data/declaracao.h"

class QWidget;

namespace vornex::gui {

class TdmVornex;
class TdmEntradaDados;

enum class AcaoEstab {
  NovoVinculo,       // the employee screen for a new link
  ConsultaVinculos,  // the employee consultation of the establishment
};

// The establishment the links belong to and what the screens run on. `encerraEm2005`: the establishment closes in 2005.
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
