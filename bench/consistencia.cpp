// The consistency check over a synthetic declaration of 1,000
// establishments: 100,000 links, and 1,000,000 to show the growth. Each
// declaration is generated once, in a child process so that its memory does
// not count; the time is the whole pass as `verificar` runs it (reference
// tables loaded, every rule, the two queries per link). Counters: links per
// second and the process's peak resident memory.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>

#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;

struct Raiz {
  fs::path caminho;
  Raiz() {
    std::string modelo = (fs::temp_directory_path() / "vornex-bench-consistencia-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    caminho = modelo;
  }
  ~Raiz() {
    std::error_code ec;
    fs::remove_all(caminho, ec);
  }
};

// A data folder holding the demo declaration with `vinculos` links.
const fs::path& Pasta(long long vinculos) {
  static Raiz raiz;
  static std::map<long long, fs::path> pastas;
  auto it = pastas.find(vinculos);
  if (it != pastas.end()) return it->second;
  const fs::path p = raiz.caminho / std::to_string(vinculos);
  const pid_t filho = fork();
  if (filho == 0) {
    try {
      InicializaPastaDados(p);
      Conexao c = AbreZema2004(p);
      GeraDemonstracao(c, {1000, vinculos, 2004});
      _exit(0);
    } catch (...) {
      _exit(1);
    }
  }
  int estado = 0;
  if (filho < 0 || waitpid(filho, &estado, 0) != filho || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0)
    throw std::runtime_error("não foi possível gerar a declaração de demonstração");
  return pastas.emplace(vinculos, p).first->second;
}

double PicoMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

OpcoesConsistencia Opcoes() {
  OpcoesConsistencia o;
  o.anoBase = "2004";
  return o;
}

void BM_VerificaConsistencia(benchmark::State& state) {
  const long long vinculos = state.range(0);
  Conexao c = AbreZema2004(Pasta(vinculos));
  int r = 0;
  for (auto _ : state) r = VerificaConsistencia(c, Opcoes());
  if (r & kConsistenciaErros) state.SkipWithError("a declaração de demonstração tem erros");
  state.counters["vinculos_por_s"] =
      benchmark::Counter(static_cast<double>(vinculos), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["pico_MB"] = PicoMb();
}
// The smaller run first: peak memory only grows, so a flat figure shows
// that links are streamed, not held.
BENCHMARK(BM_VerificaConsistencia)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VerificaConsistencia)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same pass with the reference tables already in memory, as the
// program keeps them for a whole session.
void BM_VerificaConsistenciaTabelasCarregadas(benchmark::State& state) {
  Conexao c = AbreZema2004(Pasta(state.range(0)));
  const TabelasReferencia t = TabelasReferencia::Carrega(c);
  const ReferenciasTabelas ref(t);
  for (auto _ : state) VerificaConsistencia(c, ref, Opcoes());
  state.counters["vinculos_por_s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_VerificaConsistenciaTabelasCarregadas)->Arg(100000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
