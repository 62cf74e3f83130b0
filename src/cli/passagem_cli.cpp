#include "passagem_cli.h"

#include <unistd.h>

#include <iostream>

namespace vornex::cli {

bool SaidaEhTerminal(const std::ostream& saida) {
  return (&saida == &std::cerr || &saida == &std::clog) && ::isatty(STDERR_FILENO) == 1;
}

void LinhaProgresso::mostra(int percentual) {
  if (terminal_) {
    if (percentual == ultimo_) return;
    ultimo_ = percentual;
    saida_ << "\r" << rotulo_ << ": " << percentual << "%" << std::flush;
    aberta_ = true;
    return;
  }
  // A log gets the start and then one line per tenth reached.
  if (ultimo_ >= 0 && percentual / 10 <= ultimo_ / 10) return;
  ultimo_ = percentual;
  saida_ << rotulo_ << ": " << percentual << "%\n" << std::flush;
}

}  // namespace vornex::cli
