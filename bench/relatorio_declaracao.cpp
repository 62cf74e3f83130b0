// The complete declaration report of 100,000 links: paging alone (both passes
// read every row from the tables) and the PDF. The data are made here, twenty
// establishments of 5,000 links with every pay field filled. Counters: pages,
// PDF size and the process's peak resident memory, which stays near the
// 10,000-link figure when rows and pages are streamed.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabela.h"
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
constexpr int kEstabelecimentos = 20;

double PicoMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

// A data folder with `vinculos` links spread over twenty establishments.
class Dados {
 public:
  explicit Dados(int vinculos) {
    std::string modelo = (fs::temp_directory_path() / "vornex-bench-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    InicializaPastaDados(raiz_ / "dados");
    c_ = AbreZema2004(raiz_ / "dados");
    Transacao t(c_);
    Tabela emp(c_, "Bd8emp"), vinc(c_, "Bd8vinc");
    const int porEstab = vinculos / kEstabelecimentos;
    char buf[32];
    for (int e = 0; e < kEstabelecimentos; ++e) {
      std::snprintf(buf, sizeof buf, "112223330%03d81", e);
      const std::string inscr = buf;
      Linha l = emp.novaLinha();
      l["AnBase"] = "2004", l["CoCgcCeiEstabelecimento"] = inscr, l["NuPrefixoEstabelecimento"] = "00";
      l["InInscrEstabelecimento"] = "1", l["NoRazaoEstabelecimento"] = "EMPRESA DE DEMONSTRACAO " + std::to_string(e);
      l["CoCgcVinculado"] = "00000000000000", l["CoCepEstabelecimento"] = "30140071", l["CoMunicipio"] = "3106200";
      std::snprintf(buf, sizeof buf, "%06d", porEstab);
      l["NuVinculosEstabelecimento"] = buf, l["InPorte"] = "3", l["InEncerramentoAtividade"] = "2";
      emp.inclui(l);
      Linha v = vinc.novaLinha();
      v["AnBase"] = "2004", v["CoCgcCeiEstabelecimento"] = inscr, v["NuPrefixoEstabelecimento"] = "00";
      v["DaAdmissaoEmpregado"] = "01022003", v["NuSequencialRegistro"] = "000001";
      v["DaNascimentoEmpregado"] = "10101980", v["CoCpfEmpregado"] = "12345678909", v["InSexo"] = "1";
      v["CoCausaDesligamento"] = "00", v["DaDesligamentoEmpregado"] = "0000", v["CoCbo"] = "521110";
      for (const char* m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                            "Outubro", "Novembro", "Dezembro"})
        v[std::string("Va") + m + "Empregado"] = "000123456";
      v["VaSalContratualEmpregado"] = "000123456", v["VaAvisoPrevioEmpregado"] = "000000000";
      for (int i = 0; i < porEstab; ++i) {
        std::snprintf(buf, sizeof buf, "1%02d%08d", e, i);
        v["CoPisPasepEmpregado"] = buf;
        v["NoEmpregado"] = "EMPREGADO NUMERO " + std::to_string(i);
        vinc.inclui(v);
      }
    }
    t.confirma();
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
