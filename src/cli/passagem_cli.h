#pragma once
// Progress of a long pass on the command line: one line on stderr rewritten
// in place ("Verificando Informações ...: 42%"). The command line never
// interrupts a pass.
#include <ostream>
#include <string>
#include <string_view>

#include "common/passagem.h"

namespace vornex::cli {

class LinhaProgresso {
 public:
  LinhaProgresso(std::ostream& saida, std::string_view rotulo) : saida_(saida), rotulo_(rotulo) {}
  ~LinhaProgresso() { termina(); }
  LinhaProgresso(const LinhaProgresso&) = delete;
  LinhaProgresso& operator=(const LinhaProgresso&) = delete;

  void mostra(int percentual) {
    if (percentual == ultimo_) return;
    ultimo_ = percentual;
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
