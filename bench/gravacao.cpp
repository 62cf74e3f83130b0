// Writing the declaration file: the demo declaration's establishments with
// 100 links each on average, read from the declaration tables, onto one medium (sealed and
// with its protocol rows), and onto 1.44 MB volumes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "apoio.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "declfile/gravacao.h"

namespace {

namespace fs = std::filesystem;

// One data folder per size, holding the demo declaration: `estabelecimentos`
// establishments with 100 links each on average.
const fs::path& Dados(int estabelecimentos) { return bench::PastaDemonstracao(estabelecimentos, estabelecimentos * 100LL); }

struct SemPerguntas : vornex::InterfaceMidia {
  vornex::Midia proxima;
  bool midiaNaoPronta(const vornex::Midia&) override { return false; }
  std::optional<vornex::Midia> pedeMidia(int, bool repeticao, const vornex::Midia&) override {
    fs::remove(proxima.pasta / "Zema2004");
    if (repeticao) return std::nullopt;
    return proxima;
  }
  bool confirmaInterrupcao() override { return true; }
  void avisa(vornex::AvisoMidia, const vornex::Midia&) override {}
  bool autorizaSobrescrever(const vornex::Midia&) override { return true; }
};

void Grava(benchmark::State& state, std::optional<std::uint64_t> capacidade) {
  const int estabelecimentos = static_cast<int>(state.range(0));
  vornex::Conexao c = vornex::AbreZema2004(Dados(estabelecimentos));
  const fs::path destino = bench::Raiz() / ("midia-" + std::to_string(estabelecimentos));
  fs::create_directories(destino);
  SemPerguntas ui;
  ui.proxima = vornex::MidiaPasta(destino, capacidade);
  vornex::PedidoGravacao p;
  p.dataGeracao = "10022005";
  p.horaGeracao = "120000";
  std::size_t volumes = 0;
  for (auto _ : state) {
    fs::remove(destino / "Zema2004");
    const auto r = vornex::GravaArquivoDeclaracao(c, p, ui.proxima, ui, vornex::SemAcompanhamento());
    if (r.resultado != vornex::ResultadoGravacao::Gravado) state.SkipWithError(r.mensagem.c_str());
    volumes = r.volumes.size();
  }
  state.counters["volumes"] = static_cast<double>(volumes);
  state.SetItemsProcessed(state.iterations() * estabelecimentos * 101);  // records
}

void BM_GravaDeclaracao(benchmark::State& state) { Grava(state, std::nullopt); }
BENCHMARK(BM_GravaDeclaracao)->Arg(100)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every volume reuses one folder: what is measured is the volume changes.
void BM_GravaEmDisquetes(benchmark::State& state) { Grava(state, vornex::kCapacidadeDisquete); }
BENCHMARK(BM_GravaEmDisquetes)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
