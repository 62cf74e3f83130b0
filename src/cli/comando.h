#pragma once
// Sub-commands register themselves here; each lives in its own cmd_*.cpp.
#include <CLI/CLI.hpp>

#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/trava_pasta.h"

namespace vornex::cli {

// Exit status shared by every sub-command.
enum Saida : int {
  kSaidaOk = 0,         // nothing wrong found (warnings alone included)
  kSaidaErrosDados = 1,  // errors found in the data
  kSaidaFalha = 2,       // the command could not do its work
};

struct Contexto {
  std::ostream& out;
  std::ostream& err;
  std::string pastaDados;  // --dados; empty means the user's default folder
  int saida = kSaidaOk;
  // The data folder's lock, held from the opening of the folder to the end
  // of the command, so that its passes run as one.
  std::unique_ptr<TravaPastaDados> trava;
};

// Thrown by a command that cannot do its work; reported on stderr, exit 2.
struct ErroComando : std::runtime_error {
  using std::runtime_error::runtime_error;
};

using Configurador = std::function<void(CLI::App& app, Contexto& ctx)>;

struct Comando {
  std::string nome;
  std::string descricao;
  Configurador configura;
};

std::vector<Comando>& Comandos();

// Checks of option values with their help and failure texts in Portuguese
// (CLI11's own print a range's bounds in full and in English).
// A whole number from `minimo` to `maximo`.
CLI::Validator Faixa(long long minimo, long long maximo);
// A whole number of at least `minimo`.
CLI::Validator NoMinimo(long long minimo);
// One of `valores`.
CLI::Validator UmDe(std::vector<std::string> valores);

// Use at namespace scope in a cmd_*.cpp:
//   static const RegistroComando r{"nome", "descrição", configura};
struct RegistroComando {
  RegistroComando(std::string nome, std::string descricao, Configurador c) {
    Comandos().push_back({std::move(nome), std::move(descricao), std::move(c)});
  }
};

}  // namespace vornex::cli
