// Writing the declaration file: the demo declaration's establishments with
// 100 links each on average, read from the declaration tables, onto one medium (sealed and
// with its protocol rows), and onto 1.44 MB volumes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "declfile/gravacao.h"

namespace {

namespace fs = std::filesystem;

struct Pasta {
  fs::path raiz;
  Pasta() {
    std::string modelo = (fs::temp_directory_path() / "vornex-bench-gravacao-XXXXXX").string();
    raiz = ::mkdtemp(modelo.data());
  }
  ~Pasta() {
    std::error_code ec;
    fs::remove_all(raiz, ec);
  }
};

// One data folder per size, holding the demo declaration: `estabelecimentos`
// establishments with 100 links each on average.
fs::path Dados(int estabelecimentos) {
  static Pasta pasta;
  static std::map<int, fs::path> feitas;
  auto& p = feitas[estabelecimentos];
  if (p.empty()) {
    p = pasta.raiz / ("dados" + std::to_string(estabelecimentos));
    vornex::InicializaPastaDados(p);
    vornex::Conexao c = vornex::AbreZema2004(p);
    vornex::GeraDemonstracao(c, {estabelecimentos, estabelecimentos * 100LL, 2004});
  }
  return p;
}

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
  Pasta destino;
  SemPerguntas ui;
  ui.proxima = vornex::MidiaPasta(destino.raiz, capacidade);
  vornex::PedidoGravacao p;
  p.dataGeracao = "10022005";
  p.horaGeracao = "120000";
  std::size_t volumes = 0;
  for (auto _ : state) {
    fs::remove(destino.raiz / "Zema2004");
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
