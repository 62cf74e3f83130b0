// Structure analysis of a declaration file: checks and loading of the work
// tables, for files of 10,000, 100,000 and 990,000 links (the six-digit
// sequence caps a file just under a million records). The file is generated
// once per size with the layout's builder. Counters: links, and the process's
// peak resident memory after the run, which stays flat as the file grows
// because the file is read in fixed blocks.
#include <benchmark/benchmark.h>

#include <fstream>
#include <map>

#include "../tests/support/arquivo_zema.h"
#include "apoio.h"
#include "common/passagem.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "declfile/analise_estrutura.h"

namespace {

namespace fs = std::filesystem;

// The data folder the analyses load into.
const fs::path& Dados() {
  static const fs::path p = bench::NovaPastaDados("dados");
  return p;
}

const fs::path& Arquivo(long estabs, long porEstab) {
  static std::map<std::pair<long, long>, fs::path> feitos;
  auto& p = feitos[{estabs, porEstab}];
  if (p.empty()) {
    p = bench::Raiz() / ("Zema-" + std::to_string(estabs) + "x" + std::to_string(porEstab));
    std::ofstream f(p, std::ios::binary);
    teste::GeraArquivoZema(f, estabs, porEstab);
  }
  return p;
}

void BM_AnalisaArquivo(benchmark::State& state) {
  const long estabs = state.range(0), porEstab = state.range(1);
  const fs::path& arquivo = Arquivo(estabs, porEstab);
  vornex::Conexao c = vornex::AbreZema2004(Dados());
  vornex::TAnaliseEstrutura analise(c);
  long e = 0, v = 0;
  for (auto _ : state) {
    const int r = analise.AnalisaArquivo(arquivo, 2004, false, vornex::SemAcompanhamento(), e, v);
    if (r != 0) state.SkipWithError("a análise encontrou erros");
  }
  state.counters["vinculos"] = static_cast<double>(v);
  state.counters["pico_MB"] = bench::PicoMb();
  state.SetItemsProcessed(state.iterations() * v);
}

BENCHMARK(BM_AnalisaArquivo)
    ->Args({100, 100})
    ->Args({1000, 100})
    ->Args({9000, 110})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(2)
    ->ReportAggregatesOnly(false);

}  // namespace
