// The complete declaration report of 100,000 links: paging alone (both passes
// read every row from the tables) and the PDF, over the demo declaration of
// a hundred establishments (some without employees). Counters: pages,
// PDF size and the process's peak resident memory, which stays near the
// 10,000-link figure when rows and pages are streamed.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <filesystem>
#include <memory>
#include <string>

#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "reports/rp_relatorios.h"

#ifdef VORNEX_COM_RENDER
#include <QFileInfo>
#include <QGuiApplication>

#include "render/render.h"
#endif

namespace {

namespace fs = std::filesystem;
using namespace vornex;
using namespace vornex::relatorio;

const Emissao Quando{"05/03/2005", "14:30:00"};
constexpr int kEstabelecimentos = 100;

double PicoMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

// A data folder holding the demo declaration with `vinculos` links.
class Dados {
 public:
  explicit Dados(int vinculos) {
    std::string modelo = (fs::temp_directory_path() / "vornex-bench-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    InicializaPastaDados(raiz_ / "dados");
    c_ = AbreZema2004(raiz_ / "dados");
    OpcoesDemonstracao op;
    op.estabelecimentos = kEstabelecimentos;
    op.vinculos = vinculos;
    GeraDemonstracao(c_, op);
  }
  ~Dados() {
    c_.fecha();
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  Conexao& conexao() { return c_; }
  fs::path arquivo(const char* nome) const { return raiz_ / nome; }

 private:
  fs::path raiz_;
  Conexao c_;
};

Dados& Base(int vinculos) {
  static std::unique_ptr<Dados> d;
  static int atual = 0;
  if (atual != vinculos) {
    d.reset();
    d = std::make_unique<Dados>(vinculos);
    atual = vinculos;
  }
  return *d;
}

void BM_Paginacao(benchmark::State& state) {
  Dados& d = Base(static_cast<int>(state.range(0)));
  TrpRelatorios doc(d.conexao(), {});
  int paginas = 0;
  for (auto _ : state) benchmark::DoNotOptimize(paginas = ContaPaginas(doc, Quando));
  state.counters["paginas"] = paginas;
  state.counters["pico_MB"] = PicoMb();
}
BENCHMARK(BM_Paginacao)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

#ifdef VORNEX_COM_RENDER
void BM_Pdf(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "bench_relatorio_declaracao";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
  Dados& d = Base(static_cast<int>(state.range(0)));
  TrpRelatorios doc(d.conexao(), {});
  const QString arquivo = QString::fromStdString(d.arquivo("declaracao.pdf").string());
  int paginas = 0;
  for (auto _ : state) paginas = vornex::render::GravaPdf(doc, arquivo, Quando);
  state.counters["paginas"] = paginas;
  state.counters["arquivo_MB"] = QFileInfo(arquivo).size() / 1048576.0;
  state.counters["pico_MB"] = PicoMb();
}
// The smaller run first: peak memory only grows, so a flat figure shows streaming.
BENCHMARK(BM_Pdf)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
