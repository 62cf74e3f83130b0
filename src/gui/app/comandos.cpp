#include "app/comandos.h"

#include <map>

namespace vornex::gui {

namespace {
std::map<Comando, AcaoComando>& Acoes() {
  static std::map<Comando, AcaoComando> acoes;
  return acoes;
}
}  // namespace

RegistroAcao::RegistroAcao(Comando comando, AcaoComando acao) { Acoes()[comando] = std::move(acao); }

const AcaoComando* AcaoDe(Comando comando) {
  auto it = Acoes().find(comando);
  return it == Acoes().end() ? nullptr : &it->second;
}

}  // namespace vornex::gui
