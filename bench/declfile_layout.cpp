// Record building for a large declaration: 1,000 establishments with 100
// links each, appended to one buffer as the writer does.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "declfile/layout.h"

namespace {

std::shared_ptr<const vornex::Esquema> EsquemaDe(vornex::TipoRegistro tipo, vornex::Origem origem) {
  std::vector<std::string> colunas;
  for (const auto& c : vornex::CamposLayout(tipo))
    if (c.origem == origem && !c.coluna.empty()) colunas.emplace_back(c.coluna);
  colunas.emplace_back("AnBase");
  return std::make_shared<const vornex::Esquema>(colunas);
}

vornex::Linha Preenchida(const std::shared_ptr<const vornex::Esquema>& e) {
  vornex::Linha l(e);
  for (std::size_t i = 0; i < e->tamanho(); ++i) l[i] = "0123456789abcdef";
  return l;
}

void BM_MontaDeclaracao(benchmark::State& state) {
  const int estabelecimentos = static_cast<int>(state.range(0));
  const auto estab = Preenchida(EsquemaDe(vornex::TipoRegistro::Um, vornex::Origem::Estabelecimento));
  const auto vinc = Preenchida(EsquemaDe(vornex::TipoRegistro::Dois, vornex::Origem::Vinculo));
  std::string saida;
  for (auto _ : state) {
    vornex::MontadorRegistros m;
    saida.clear();
    long seq = 2;
    for (int e = 0; e < estabelecimentos; ++e) {
      m.um(estab, seq++, saida);
      for (int v = 0; v < 100; ++v) m.dois(estab, vinc, seq++, saida);
    }
    benchmark::DoNotOptimize(saida.data());
  }
  state.SetItemsProcessed(state.iterations() * estabelecimentos * 101);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(saida.size()));
}
BENCHMARK(BM_MontaDeclaracao)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
