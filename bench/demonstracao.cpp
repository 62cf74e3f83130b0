// Generating the demo declaration the other benchmarks use: 1,000
// establishments and 100,000 links, one transaction, into a fresh copy of an
// initialised data folder each time.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "apoio.h"
#include "data/banco.h"
#include "demonstracao/demonstracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;

void BM_GeraDemonstracao(benchmark::State& state) {
  const fs::path& raiz = bench::Raiz();
  bench::NovaPastaDados("modelo");
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(raiz / "dados");
    fs::copy(raiz / "modelo", raiz / "dados");
    Conexao c = AbreZema2004(raiz / "dados");
    state.ResumeTiming();
    GeraDemonstracao(c, {1000, state.range(0), 2004});
  }
  state.counters["vinculos_por_s"] =
      benchmark::Counter(static_cast<double>(state.range(0)), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_GeraDemonstracao)->Arg(100000)->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
