#pragma once
// Progress of a long pass on the command line, on stderr. On a terminal one
// line rewritten in place ("Verificando Informações ...: 42%"); anywhere else
// (a log file, a pipe) whole lines, one when the pass starts, then at most
// one per tenth of the way, and the last one at 100%. The command line never
// interrupts a pass.
#include <ostream>
#include <string>
#include <string_view>

#include "common/passagem.h"

namespace vornex::cli {

// Whether `saida` is the process's standard error and that is a terminal.
bool SaidaEhTerminal(const std::ostream& saida);

class LinhaProgresso {
 public:
  LinhaProgresso(std::ostream& saida, std::string_view rotulo)
      : saida_(saida), rotulo_(rotulo), terminal_(SaidaEhTerminal(saida)) {}
  ~LinhaProgresso() { termina(); }
  LinhaProgresso(const LinhaProgresso&) = delete;
  LinhaProgresso& operator=(const LinhaProgresso&) = delete;

  void mostra(int percentual);
  // Ends the progress line before anything else is written.
  void termina() {
    if (aberta_) saida_ << "\n" << std::flush;
    aberta_ = false;
  }

 private:
  std::ostream& saida_;
  std::string rotulo_;
  bool terminal_;
  int ultimo_ = -1;
  bool aberta_ = false;
};

class AcompanhamentoTexto : public AcompanhamentoPassagem {
 public:
  // A pass that follows `anterior` in one use case ends its line first.
  AcompanhamentoTexto(std::ostream& saida, std::string_view rotulo, AcompanhamentoTexto* anterior = nullptr)
      : linha_(saida, rotulo), anterior_(anterior) {}
  void progresso(int percentual) override {
    if (anterior_) anterior_->termina();
    linha_.mostra(percentual);
  }
  void termina() { linha_.termina(); }

 private:
  LinhaProgresso linha_;
  AcompanhamentoTexto* anterior_;
};

}  // namespace vornex::cli
