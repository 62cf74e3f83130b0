// `vornex-cli verificar --json` over the demo declaration of 100,000 links
// with a finding on every link, run in-process. Counters: findings, output
// size and the process's peak resident memory, which stays far below the
// output's size when the rows are streamed.
#include <benchmark/benchmark.h>

#include <ostream>
#include <streambuf>
#include <string>

#include "apoio.h"
#include "cli.h"
#include "data/banco.h"

namespace {

// Counts what is written and keeps nothing.
class Contador : public std::streambuf {
 public:
  long long bytes = 0;

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) ++bytes;
    return c;
  }
  std::streamsize xsputn(const char*, std::streamsize n) override {
    bytes += n;
    return n;
  }
};

void BM_VerificarJson(benchmark::State& state) {
  const auto vinculos = state.range(0);
  const bench::fs::path pasta = bench::PastaDemonstracao(100, vinculos);
  // A missing race/colour on every link: one finding each.
  vornex::AbreZema2004(pasta).executa("UPDATE Bd8vinc SET CoTipoRaca = ''");
  Contador saida, erros;
  std::ostream out(&saida), err(&erros);
  int codigo = 0;
  for (auto _ : state) codigo = vornex::cli::Executa({"--dados", pasta.string(), "verificar", "--json"}, out, err);
  vornex::Conexao c = vornex::AbreZema2004(pasta);
  state.counters["codigo"] = codigo;
  state.counters["ocorrencias"] = static_cast<double>(vornex::Consulta(c, "SELECT count(*) FROM Te8ErrWa").escalar());
  state.counters["saida_MB"] = static_cast<double>(saida.bytes) / 1048576.0;
  state.counters["pico_MB"] = bench::PicoMb();
}
BENCHMARK(BM_VerificarJson)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
