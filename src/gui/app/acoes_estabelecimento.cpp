#include "app/acoes_estabelecimento.h"

#include <map>

namespace vornex::gui {

namespace {
std::map<AcaoEstabelecimento, AcaoSobreEstabelecimento>& Acoes() {
  static std::map<AcaoEstabelecimento, AcaoSobreEstabelecimento> acoes;
  return acoes;
}
}  // namespace

RegistroAcaoEstabelecimento::RegistroAcaoEstabelecimento(AcaoEstabelecimento acao, AcaoSobreEstabelecimento executa) {
  Acoes()[acao] = std::move(executa);
}

const AcaoSobreEstabelecimento* AcaoDe(AcaoEstabelecimento acao) {
  auto it = Acoes().find(acao);
  return it == Acoes().end() ? nullptr : &it->second;
}

}  // namespace vornex::gui
