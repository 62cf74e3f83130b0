#pragma once
// What the establishment consultation opens besides the establishment
// screen: the exclusion of the establishment it shows and the maintenance
// assistants of its keys Ctrl+Alt+F3, F4 and F5. The screens register
// themselves from their own files, like the main-window commands.
#include <functional>

#include "data/declaracao.h"

class QWidget;

namespace vornex::gui {

class Programa;

enum class AcaoEstabelecimento {
  Excluir,             // the exclusion screen, for the establishment chosen
  TransferirVinculos,  // Ctrl+Alt+F3
  ExcluirVinculos,     // Ctrl+Alt+F4
  AlterarVinculo,      // Ctrl+Alt+F5
};

// `chave`: the establishment the consultation has chosen; the assistants
// let the user choose their own and ignore it. `janela`: the consultation.
using AcaoSobreEstabelecimento =
    std::function<void(Programa& programa, QWidget* janela, const ChaveEstabelecimento& chave)>;

struct RegistroAcaoEstabelecimento {
  RegistroAcaoEstabelecimento(AcaoEstabelecimento acao, AcaoSobreEstabelecimento executa);
};

// nullptr when no screen registered it.
const AcaoSobreEstabelecimento* AcaoDe(AcaoEstabelecimento acao);

}  // namespace vornex::gui
