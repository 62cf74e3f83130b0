// The links of one establishment with 50,000 of them: the consultation's
// query (everything, and by the first letters of the name) and writing one
// link with its establishment's recount.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "apoio.h"
#include "casos/vinculo.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "validation/referencias_tabelas.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;

constexpr long long kVinculos = 50000;

struct Base {
  Conexao c;
  ChaveEstabelecimento k;
  Base() {
    const fs::path p = bench::Raiz() / "vinculos";
    std::error_code ec;
    fs::remove_all(p, ec);
    fs::copy(bench::PastaDemonstracao(1, kVinculos), p, fs::copy_options::recursive);
    c = AbreZema2004(p);
    const Linha e = Consulta(c, "select * from Bd8emp order by NuVinculosEstabelecimento desc").primeira().value();
    k = {e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
  }
};

Base& Dados() {
  static Base b;
  return b;
}

void BM_ConsultaVinculos(benchmark::State& state) {
  Base& b = Dados();
  FiltroConsultaVinculos f{b.k, "", "", ""};
  if (state.range(0) == 1) f.nome = "MA";
  if (state.range(0) == 2) f.letras = "AB";
  std::size_t n = 0;
  for (auto _ : state) n = ConsultaVinculos(b.c, f).size();
  state.counters["linhas"] = static_cast<double>(n);
}
BENCHMARK(BM_ConsultaVinculos)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_GravaVinculoComRecontagem(benchmark::State& state) {
  Base& b = Dados();
  const TabelasReferencia tabelas = TabelasReferencia::Carrega(b.c);
  const ReferenciasTabelas ref(tabelas);
  const Linha modelo = Consulta(b.c, "select * from Bd8vinc limit 1").primeira().value();
  std::size_t i = 0;
  for (auto _ : state) {
    const Linha atual = *AbreVinculo(b.c, b.k, modelo["CoPisPasepEmpregado"], modelo["DaAdmissaoEmpregado"],
                                     modelo["NoEmpregado"]);
    PedidoGravaVinculo p;
    p.vinculo = atual;
    p.vinculo["TxUsoEmpregado"] = "SETOR " + std::to_string(i++ % 100);
    p.original = ChaveDoVinculo(atual);
    const auto r = GravaVinculo(b.c, ref, std::move(p));
    if (!r.gravado) state.SkipWithError("vínculo recusado");
  }
}
BENCHMARK(BM_GravaVinculoComRecontagem)->Unit(benchmark::kMillisecond);

void BM_ExcluiEIncluiVinculo(benchmark::State& state) {
  Base& b = Dados();
  const TabelasReferencia tabelas = TabelasReferencia::Carrega(b.c);
  const ReferenciasTabelas ref(tabelas);
  const Linha modelo = Consulta(b.c, "select * from Bd8vinc limit 1 offset 7").primeira().value();
  for (auto _ : state) {
    ExcluiVinculo(b.c, ChaveDoVinculo(modelo));
    PedidoGravaVinculo p;
    p.vinculo = modelo;
    p.semChecagem = true;
    if (!GravaVinculo(b.c, ref, std::move(p)).gravado) state.SkipWithError("vínculo recusado");
  }
}
BENCHMARK(BM_ExcluiEIncluiVinculo)->Unit(benchmark::kMillisecond);

}  // namespace
