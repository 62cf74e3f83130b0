// The consistency check over a synthetic declaration of 1,000
// establishments: 100,000 links, and 1,000,000 to show the growth. Each
// declaration is generated once, in a child process so that its memory does
// not count; the time is the whole pass as `verificar` runs it (reference
// tables loaded, every rule, the two queries per link). Counters: links per
// second and the process's peak resident memory.
#include <benchmark/benchmark.h>

#include "apoio.h"
#include "data/banco.h"
#include "demonstracao/demonstracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

namespace {

using namespace vornex;
// A data folder holding the demo declaration with `vinculos` links.
const bench::fs::path& Pasta(long long vinculos) { return bench::PastaDemonstracao(1000, vinculos); }

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
  state.counters["pico_MB"] = bench::PicoMb();
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
