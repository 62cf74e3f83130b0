#pragma once
// Shared by the benchmark programs: their temporary folder, data folders
// (empty, or holding the demo declaration) and the peak memory figure.
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "demonstracao/demonstracao.h"

namespace bench {

namespace fs = std::filesystem;

// The program's temporary folder, removed when the program ends.
inline const fs::path& Raiz() {
  struct Pasta {
    fs::path caminho;
    Pasta() {
      std::string modelo = (fs::temp_directory_path() / "vornex-bench-XXXXXX").string();
      if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
      caminho = modelo;
    }
    ~Pasta() {
      std::error_code ec;
      fs::remove_all(caminho, ec);
    }
  };
  static const Pasta pasta;
  return pasta.caminho;
}

// A data folder initialised afresh under Raiz(): declaration tables empty,
// reference tables loaded.
inline fs::path NovaPastaDados(const std::string& nome) {
  const fs::path p = Raiz() / nome;
  std::error_code ec;
  fs::remove_all(p, ec);
  vornex::InicializaPastaDados(p);
  return p;
}

// A data folder holding the demo declaration, made once per size. It is
// generated in a child process, so the generator's memory stays out of the
// peak of whatever the benchmark measures.
inline const fs::path& PastaDemonstracao(long long estabelecimentos, long long vinculos) {
  static std::map<std::pair<long long, long long>, fs::path> feitas;
  const auto chave = std::make_pair(estabelecimentos, vinculos);
  if (auto it = feitas.find(chave); it != feitas.end()) return it->second;
  const fs::path p = Raiz() / ("demo-" + std::to_string(estabelecimentos) + "x" + std::to_string(vinculos));
  const pid_t filho = fork();
  if (filho == 0) {
    try {
      vornex::InicializaPastaDados(p);
      vornex::Conexao c = vornex::AbreZema2004(p);
      vornex::OpcoesDemonstracao op;
      op.estabelecimentos = static_cast<int>(estabelecimentos);
      op.vinculos = vinculos;
      vornex::GeraDemonstracao(c, op);
      _exit(0);
    } catch (...) {
      _exit(1);
    }
  }
  int estado = 0;
  if (filho < 0 || waitpid(filho, &estado, 0) != filho || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
    throw std::runtime_error("não foi possível gerar a declaração de demonstração");
  return feitas.emplace(chave, p).first->second;
}

// The process's peak resident memory so far, in MB.
inline double PicoMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;
}

}  // namespace bench
