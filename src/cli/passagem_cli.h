#pragma once
// A long pass's progress for the command line: one line on stderr rewritten
// in place ("Verificando Informações ...: 42%"). The command line never
// interrupts a pass.
#include <ostream>
#include <string>
#include <string_view>

#include "common/passagem.h"

namespace vornex::cli {

class AcompanhamentoTexto : public AcompanhamentoPassagem {
 public:
  AcompanhamentoTexto(std::ostream& saida, std::string_view rotulo) : saida_(saida), rotulo_(rotulo) {}
  ~AcompanhamentoTexto() override { termina(); }

  void progresso(int percentual) override {
    saida_ << "\r" << rotulo_ << ": " << percentual << "%" << std::flush;
    aberta_ = true;
  }
  // Ends the progress line before anything else is written.
  void termina() {
    if (aberta_) saida_ << "\n";
    aberta_ = false;
  }

 private:
  std::ostream& saida_;
  std::string rotulo_;
  bool aberta_ = false;
};

}  // namespace vornex::cli
