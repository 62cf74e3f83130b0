#pragma once
// How a long pass (consistency check, writing, analysis, import) talks to
// whoever started it: progress in whole percent and the user's request to
// stop. The GUI answers `interrompe` from its progress dialog's cancel button
// followed by ConfirmaInterrupcao; the command line never interrupts.
#include <string_view>

namespace vornex {

class AcompanhamentoPassagem {
 public:
  virtual ~AcompanhamentoPassagem() = default;
  // 0..100, each value at most once per pass, in increasing order.
  virtual void progresso(int /*percentual*/) {}
  // The caption of the step under way ("Verificando estabelecimento ...").
  virtual void etapa(std::string_view /*texto*/) {}
  // Polled between records; true when the user asked to stop and confirmed
  // it. The pass then ends as interrupted.
  virtual bool interrompe() { return false; }
};

// For callers that need neither progress nor interruption.
inline AcompanhamentoPassagem& SemAcompanhamento() {
  static AcompanhamentoPassagem nenhum;
  return nenhum;
}

}  // namespace vornex
