// Paging and drawing of a long banded report: a synthetic document shaped like
// a complete declaration report (a link line kept with its block of some forty
// captioned values under a running-height ceiling), four links to a page.
// Counters: pages, and the process's peak resident memory after the run,
// which stays flat from 1,000 to 10,000 pages when pages are streamed.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <string>

#include "reports/relatorio.h"

#ifdef VORNEX_COM_RENDER
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <memory>

#include "render/render.h"
#endif

namespace {

using namespace vornex::relatorio;

class Sintetico : public Documento {
 public:
  explicit Sintetico(int paginas) : vinculos_(3 + 4 * (paginas - 1)) {}
  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }

  void Gera(Paginador& p) override {
    const Unidade w = p.formato().LarguraUtil();
    Banda s(TipoBanda::CabecalhoGrupo, 260);
    s.novaPagina = true;
    s.Texto(0, 0, w, 16, "ESTABELECIMENTO", {9, true});
    for (int i = 0; i < 24; ++i)
      s.Texto((i % 6) * 120, 20 + (i / 6) * 56, 115, 16, "Legenda " + std::to_string(i))
          .Texto((i % 6) * 120, 38 + (i / 6) * 56, 115, 16, "Valor " + std::to_string(i));
    p.Coloca(std::move(s));
    for (int v = 0; v < vinculos_ && !p.Parado(); ++v) {
      Banda l(TipoBanda::Detalhe, 33);
      l.teto = 900;
      l.espacoMinimo = 33 + 164;
      l.Texto(0, 0, 150, 14, "Cód. PIS/PASEP", {7})
          .Texto(160, 0, 400, 14, "Nome do empregado/servidor", {7})
          .Texto(0, 15, 150, 16, "123.45678.90." + std::to_string(v % 10), {9, true})
          .Texto(160, 15, 400, 16, "EMPREGADO NÚMERO " + std::to_string(v), {9, true});
      p.Coloca(std::move(l));
      Banda b(TipoBanda::Filha, 164);
      for (int i = 0; i < 40; ++i)
        b.Texto((i % 9) * 80, (i / 9) * 32, 78, 12, "Campo " + std::to_string(i), {7})
            .Texto((i % 9) * 80, (i / 9) * 32 + 13, 78, 14, "1.234,56", {8}, Alinhamento::Direita);
      b.Traco(0, 162, w, 162);
      p.Coloca(std::move(b));
    }
  }

  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override {
    const Unidade w = Formato(Papel::A4, 10).LarguraUtil();
    Banda c(TipoBanda::CabecalhoPagina, ctx.abertura->tipo == TipoBanda::CabecalhoGrupo ? 163 : 219);
    c.Traco(0, 0, w, 0)
        .Texto(0, 4, w, 18, "ZEMA - Declaração - Ano-Base : 2004", {10, true, true}, Alinhamento::Centro)
        .Texto(0, 24, w, 18, "VORNEX - Versão: 2004.1", {10, true}, Alinhamento::Centro)
        .Texto(0, 44, w, 18, "Relatório completo do estabelecimento", {10, true}, Alinhamento::Centro)
        .Texto(0, 66, w, 16, "Classificação : PIS")
        .Paragrafo(0, 86, w, 60, "Maiores esclarecimentos : linhas de atendimento")
        .Traco(0, 160, w, 160);
    bandas.push_back(std::move(c));
  }

  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override {
    const Unidade w = Formato(Papel::A4, 10).LarguraUtil();
    Banda r(TipoBanda::RodapePagina, 28);
    r.Traco(0, 2, w, 2)
        .Texto(0, 6, 200, 16, std::string(ctx.data) + " " + std::string(ctx.hora))
        .Texto(0, 6, w, 16, "Página " + std::to_string(ctx.numero) + " de " + std::to_string(ctx.total), {},
               Alinhamento::Centro);
    bandas.push_back(std::move(r));
  }

 private:
  int vinculos_;
};

double PicoMb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss / 1024.0;
}

const Emissao Quando{"05/03/2005", "14:30:00"};

void BM_Paginacao(benchmark::State& state) {
  Sintetico doc(static_cast<int>(state.range(0)));
  int paginas = 0;
  for (auto _ : state) benchmark::DoNotOptimize(paginas = ContaPaginas(doc, Quando));
  state.counters["paginas"] = paginas;
  state.counters["pico_MB"] = PicoMb();
}
BENCHMARK(BM_Paginacao)->Arg(10000)->Unit(benchmark::kMillisecond);

#ifdef VORNEX_COM_RENDER
void BM_Pdf(benchmark::State& state) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "bench_relatorio_paginacao";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
  Sintetico doc(static_cast<int>(state.range(0)));
  const QString arquivo = QDir::temp().filePath("bench_relatorio_paginacao.pdf");
  int paginas = 0;
  for (auto _ : state) paginas = vornex::render::GravaPdf(doc, arquivo, Quando);
  state.counters["paginas"] = paginas;
  state.counters["arquivo_MB"] = QFileInfo(arquivo).size() / 1048576.0;
  state.counters["pico_MB"] = PicoMb();
  QFile::remove(arquivo);
}
// The smaller run first: peak memory only grows, so a flat figure shows streaming.
BENCHMARK(BM_Pdf)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
#endif

}  // namespace
