// Import of an analysed file into empty declaration tables: the work tables
// are filled here with N links spread over establishments of 100 links, as
// the analyser would leave them, and only the import is timed.
#include <benchmark/benchmark.h>

#include <string>

#include "common/digitos.h"
#include "data/banco.h"
#include "data/referencia.h"  // completes the data-folder types apoio.h uses
#include "apoio.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "declfile/importacao.h"

namespace {

using namespace vornex;

constexpr long long kVinculosPorEstabelecimento = 100;

std::string Digitos(long long v, int n) {
  std::string s = std::to_string(v);
  return std::string(static_cast<std::size_t>(n) - s.size(), '0') + s;
}

std::string Cnpj(long long i) {
  const std::string base = Digitos(10000000 + i, 8) + "0001";
  for (int dv = 0; dv < 100; ++dv) {
    std::string s = base + Digitos(dv, 2);
    if (CnpjValido(s)) return s;
  }
  return base + "00";
}

// The work tables as a sound current-year file loads them.
void PreencheTrabalho(Conexao& c, long long vinculos) {
  RecriaCopiasDeclaracao(c);
  const auto& defEmp = DefinicaoDaTabela(c, kTrabalhoEstabelecimento);
  const auto& defVinc = DefinicaoDaTabela(c, kTrabalhoVinculo);
  auto insercao = [](const DefinicaoTabela& d) {
    std::string cols, vals;
    for (std::size_t i = 0; i < d.campos().size(); ++i) {
      cols += (i ? ", " : "") + Identificador(d.campos()[i].nome);
      vals += (i ? ", ?" : "?") + std::to_string(i + 1);
    }
    return "INSERT INTO trabalho." + Identificador(d.nome()) + " (" + cols + ") VALUES (" + vals + ")";
  };
  Consulta emp(c, insercao(defEmp));
  Consulta vinc(c, insercao(defVinc));
  auto pos = [](const DefinicaoTabela& d, const char* col) {
    return static_cast<int>(d.esquema()->indice(col)) + 1;
  };
  Transacao t(c);
  long long seq = 1;
  const long long estabelecimentos = (vinculos + kVinculosPorEstabelecimento - 1) / kVinculosPorEstabelecimento;
  for (long long e = 0; e < estabelecimentos; ++e) {
    const std::string inscricao = Cnpj(e);
    const long long n = std::min(kVinculosPorEstabelecimento, vinculos - e * kVinculosPorEstabelecimento);
    for (const auto& f : defEmp.campos())
      emp.defineTexto(pos(defEmp, f.nome.c_str()), f.tipo == TipoCampo::Logico ? "0" : "");
    emp.defineTexto(pos(defEmp, "AnBase"), "2004")
        .defineTexto(pos(defEmp, "CoCgcCeiEstabelecimento"), inscricao)
        .defineTexto(pos(defEmp, "NuPrefixoEstabelecimento"), "00")
        .defineTexto(pos(defEmp, "CoCgcVinculado"), "00000000000000")
        .defineTexto(pos(defEmp, "NoRazaoEstabelecimento"), "EMPRESA DE TESTE " + std::to_string(e))
        .defineTexto(pos(defEmp, "InInscrEstabelecimento"), "1")
        .defineTexto(pos(defEmp, "InZemaNegEstabelecimento"), "0")
        .defineTexto(pos(defEmp, "NuVinculosEstabelecimento"), Digitos(n, 6))
        .defineTexto(pos(defEmp, "NuSequencialRegistro"), Digitos(++seq % 1000000, 6));
    emp.executa();
    for (long long k = 0; k < n; ++k) {
      for (const auto& f : defVinc.campos())
        vinc.defineTexto(pos(defVinc, f.nome.c_str()), f.nome.rfind("Va", 0) == 0 ? "000123456" : "");
      vinc.defineTexto(pos(defVinc, "AnBase"), "2004")
          .defineTexto(pos(defVinc, "CoCgcCeiEstabelecimento"), inscricao)
          .defineTexto(pos(defVinc, "NuPrefixoEstabelecimento"), "00")
          .defineTexto(pos(defVinc, "CoPisPasepEmpregado"), Digitos(10000000000LL + e * 1000 + k, 11))
          .defineTexto(pos(defVinc, "DaAdmissaoEmpregado"), "01022001")
          .defineTexto(pos(defVinc, "NoEmpregado"), "EMPREGADO " + std::to_string(k))
          .defineTexto(pos(defVinc, "NuSequencialRegistro"), Digitos(++seq % 1000000, 6))
          .defineTexto(pos(defVinc, "CoCausaDesligamento"), "00")
          .defineTexto(pos(defVinc, "CoNacionalidade"), "10");
      vinc.executa();
    }
  }
  t.confirma();
}

void BM_ImportaVinculos(benchmark::State& state) {
  const long long vinculos = state.range(0);
  std::size_t importados = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Conexao c = AbreZema2004(bench::NovaPastaDados("execucao"));
    PreencheTrabalho(c, vinculos);
    OpcoesImportacao o;
    const auto itens = EstabelecimentosDoArquivo(c, "2004");
    state.ResumeTiming();
    importados = ImportaEstabelecimentos(c, o, itens).importados;
  }
  if (importados != static_cast<std::size_t>(vinculos)) state.SkipWithError("links missing after the import");
  state.counters["vinculos_s"] = benchmark::Counter(static_cast<double>(vinculos) * state.iterations(),
                                                    benchmark::Counter::kIsRate);
  state.counters["pico_mb"] = bench::PicoMb();
}
BENCHMARK(BM_ImportaVinculos)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
// Linear growth: ten times the links, about ten times the time.
BENCHMARK(BM_ImportaVinculos)
    ->Name("BM_ImportaVinculos_1M")
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace
