// Reference lookups are the hot path of every field rule: measure them, and
// the one-off load of the tables into memory.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "apoio.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;

// A data folder initialised once.
const fs::path& Dados() {
  static const fs::path p = bench::NovaPastaDados("dados");
  return p;
}

const TabelasReferencia& Ref() {
  static Conexao c = AbreZema2004(Dados());
  static TabelasReferencia t = TabelasReferencia::Carrega(c);
  return t;
}

// Codes as a field rule meets them: mostly valid, some not.
std::vector<std::string> Codigos(Referencia r, std::size_t n) {
  std::vector<std::string> v;
  const auto& linhas = Ref().linhas(r);
  for (std::size_t i = 0; v.size() < n; i += 7) {
    v.push_back(linhas[i % linhas.size()][0]);
    if (v.size() % 5 == 0) v.push_back("99999X");
  }
  return v;
}

void BM_CarregaTabelasReferencia(benchmark::State& st) {
  Conexao c = AbreZema2004(Dados());
  for (auto _ : st) benchmark::DoNotOptimize(TabelasReferencia::Carrega(c));
}
BENCHMARK(BM_CarregaTabelasReferencia)->Unit(benchmark::kMillisecond);

void BM_BuscaCbo(benchmark::State& st) {
  auto codigos = Codigos(Referencia::Cbo, 1024);
  std::size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(Ref().cbo(codigos[i++ & 1023]));
}
BENCHMARK(BM_BuscaCbo);

void BM_IndicadoresCbo(benchmark::State& st) {
  auto codigos = Codigos(Referencia::Cbo, 1024);
  std::size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(Ref().indicadoresCbo(codigos[i++ & 1023]));
}
BENCHMARK(BM_IndicadoresCbo);

void BM_BuscaMunicipio(benchmark::State& st) {
  auto codigos = Codigos(Referencia::Municipio, 1024);
  std::size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(Ref().municipio(codigos[i++ & 1023]));
}
BENCHMARK(BM_BuscaMunicipio);

void BM_UfPorSigla(benchmark::State& st) {
  const char* siglas[] = {"SP", "rj", "Mg", "XX", "ba", "RS", "df", "AM"};
  std::size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(Ref().ufPorSigla(siglas[i++ & 7]));
}
BENCHMARK(BM_UfPorSigla);

void BM_FaixasCep(benchmark::State& st) {
  auto codigos = Codigos(Referencia::Municipio, 1024);
  std::size_t i = 0;
  for (auto _ : st) {
    const auto& co = codigos[i++ & 1023];
    benchmark::DoNotOptimize(Ref().faixasCepMunicipio(co));
    benchmark::DoNotOptimize(Ref().faixasCepUf(std::string_view(co).substr(0, 2)));
  }
}
BENCHMARK(BM_FaixasCep);

// The same lookup through a prepared query, for comparison.
void BM_BuscaCboPorConsulta(benchmark::State& st) {
  Conexao c = AbreZema2004(Dados());
  auto codigos = Codigos(Referencia::Cbo, 1024);
  Consulta& q = c.prepara("select * from tb8cbo where CoCbo = :co");
  std::size_t i = 0;
  for (auto _ : st) benchmark::DoNotOptimize(q.defineTexto("co", codigos[i++ & 1023]).primeira());
}
BENCHMARK(BM_BuscaCboPorConsulta);

}  // namespace
