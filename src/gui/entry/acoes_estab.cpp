#include "entry/acoes_estab.h"

#include <map>

namespace vornex::gui {
namespace {

std::map<AcaoEstab, AcaoDeEstab>& Acoes() {
  static std::map<AcaoEstab, AcaoDeEstab> acoes;
  return acoes;
}

}  // namespace

RegistroAcaoEstab::RegistroAcaoEstab(AcaoEstab acao, AcaoDeEstab executa) { Acoes()[acao] = std::move(executa); }

const AcaoDeEstab* AcaoEstabDe(AcaoEstab acao) {
  auto it = Acoes().find(acao);
  return it == Acoes().end() ? nullptr : &it->second;
}

bool ExecutaAcaoEstab(AcaoEstab acao, const ContextoEstab& contexto) {
  const AcaoDeEstab* a = AcaoEstabDe(acao);
  if (a) (*a)(contexto);
  return a != nullptr;
}

}  // namespace vornex::gui
