// The complete declaration report of 100,000 links: paging alone (both passes
// read every row from the tables) and the PDF, over the demo declaration of
// a hundred establishments (some without employees). Counters: pages,
// PDF size and the process's peak resident memory, which stays near the
// 10,000-link figure when rows and pages are streamed.
#include <benchmark/benchmark.h>

#include <string>

#include "apoio.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "reports/rp_relatorios.h"

#ifdef VORNEX_COM_RENDER
#include <QFileInfo>
#include <QGuiApplication>

#include "render/render.h"
#endif

namespace {

using namespace vornex;
using namespace vornex::relatorio;

const Emissao Quando{"05/03/2005", "14:30:00"};
constexpr int kEstabelecimentos = 100;

// The demo declaration with `vinculos` links, generated once per size.
Conexao Base(int vinculos) { return AbreZema2004(bench::PastaDemonstracao(kEstabelecimentos, vinculos)); }

void BM_Paginacao(benchmark::State& state) {
  Conexao c = Base(static_cast<int>(state.range(0)));
  TrpRelatorios doc(c, {});
  int paginas = 0;
  for (auto _ : state) benchmark::DoNotOptimize(paginas = ContaPaginas(doc, Quando));
  state.counters["paginas"] = paginas;
  state.counters["pico_MB"] = bench::PicoMb();
}
BENCHMARK(BM_Paginacao)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef VORNEX_COM_RENDER
void BM_Pdf(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "bench_relatorio_declaracao";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
  Conexao c = Base(static_cast<int>(state.range(0)));
  TrpRelatorios doc(c, {});
  const QString arquivo = QString::fromStdString((bench::Raiz() / "declaracao.pdf").string());
  int paginas = 0;
  for (auto _ : state) paginas = vornex::render::GravaPdf(doc, arquivo, Quando);
  state.counters["paginas"] = paginas;
  state.counters["arquivo_MB"] = QFileInfo(arquivo).size() / 1048576.0;
  state.counters["pico_MB"] = bench::PicoMb();
}
// The smaller run first: peak memory only grows, so a flat figure shows streaming.
BENCHMARK(BM_Pdf)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
