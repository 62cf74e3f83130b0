// A rule call must stay cheap: the consistency check makes dozens per link.
// One iteration is the mix of rule calls a link and its establishment's
// address cost, over the real reference tables in memory; the counter gives
// single rule calls per second.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "apoio.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "validation/referencias_tabelas.h"
#include "validation/regras_contrato.h"
#include "validation/regras_empregado.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;

struct Ambiente {
  Conexao c;
  std::unique_ptr<TabelasReferencia> tabelas;
  std::unique_ptr<ReferenciasTabelas> ref;
  Ambiente() {
    c = AbreZema2004(bench::NovaPastaDados("dados"));
    tabelas = std::make_unique<TabelasReferencia>(TabelasReferencia::Carrega(c));
    ref = std::make_unique<ReferenciasTabelas>(*tabelas);
  }
};

Ambiente& Amb() {
  static Ambiente a;
  return a;
}

// Codes of a table spread over its rows, some of them absent.
std::vector<std::string> Codigos(Referencia r, std::size_t n) {
  std::vector<std::string> v;
  const auto& linhas = Amb().tabelas->linhas(r);
  for (std::size_t i = 0; v.size() < n; i += 13) v.push_back(i % 9 == 8 ? "999999" : linhas[i % linhas.size()][0]);
  return v;
}

constexpr int kRegrasPorVinculo = 42;

void BM_RegrasDeUmVinculo(benchmark::State& st) {
  const Referencias& ref = *Amb().ref;
  const auto municipios = Codigos(Referencia::Municipio, 64);
  const auto cbos = Codigos(Referencia::Cbo, 64);
  const auto cnaes = Codigos(Referencia::Cnae, 64);
  std::size_t i = 0;
  for (auto _ : st) {
    const std::string& mun = municipios[i & 63];
    const std::string& cbo = cbos[i & 63];
    ++i;
    // establishment address and activity (once per link's worth of work)
    benchmark::DoNotOptimize(CriticaMunicipio(mun, ref));
    benchmark::DoNotOptimize(CriticaCepMunicipio("76954100", mun, true, ref));
    benchmark::DoNotOptimize(CriticaUf("SP", ref));
    benchmark::DoNotOptimize(CriticaUfMunicipio(mun, "SP", ref));
    benchmark::DoNotOptimize(CriticaCepUf("01310100", "35", ref));
    benchmark::DoNotOptimize(CriticaCnae(cnaes[i & 63], ref));
    benchmark::DoNotOptimize(CriticaRazaoSocial("COMERCIO SILVA LTDA", "11222333000181", ref));
    // the link
    benchmark::DoNotOptimize(CriticaPis("12000020048"));
    benchmark::DoNotOptimize(CriticaDaAdmissao("01022001"));
    benchmark::DoNotOptimize(CriticaAdmissaoAnoBase("01022001", "2004"));
    benchmark::DoNotOptimize(CriticaIdadeAdmissao("10051970", "01022001"));
    benchmark::DoNotOptimize(CriticaNomeEmpregado("MARIA DA SILVA", ""));
    benchmark::DoNotOptimize(CriticaDaNascimento("10051970"));
    benchmark::DoNotOptimize(CriticaAnoNascimento("10051970", "2004"));
    benchmark::DoNotOptimize(CriticaRaca("8", ref));
    benchmark::DoNotOptimize(CriticaNacionalidade("10", ref));
    benchmark::DoNotOptimize(CriticaChegadaNacionalidade("0000", "10"));
    benchmark::DoNotOptimize(CriticaInstrucao("7", ref));
    benchmark::DoNotOptimize(CriticaCtps("12345678001"));
    benchmark::DoNotOptimize(CriticaCpf("11144477735"));
    benchmark::DoNotOptimize(CriticaTipoAdmissao("2", ref));
    benchmark::DoNotOptimize(CriticaSalarioContratual("000150000"));
    benchmark::DoNotOptimize(CriticaTipoSalario("1", ref));
    benchmark::DoNotOptimize(CriticaSalarioTipo("000150000", "1"));
    benchmark::DoNotOptimize(CriticaHorasSemanais("44"));
    benchmark::DoNotOptimize(CriticaCbo(cbo, ref));
    benchmark::DoNotOptimize(CriticaCboInstrucao("7", cbo, ref));
    benchmark::DoNotOptimize(CriticaVinculo("10", ref));
    benchmark::DoNotOptimize(CriticaVinculoInscricao("10", "1"));
    benchmark::DoNotOptimize(CriticaCausaDesligamento("00", ref));
    benchmark::DoNotOptimize(CriticaDaDesligamento("0000", "2004"));
    for (const char* mes : {"01", "04", "07", "10", "11", "12"})
      benchmark::DoNotOptimize(CriticaRemuneracaoMes("000150000", mes, "1", "0000", "01022001", "2004"));
    benchmark::DoNotOptimize(CriticaMes13Adiantamento("11"));
    benchmark::DoNotOptimize(CriticaAdiantamento13("11", "000075000"));
    benchmark::DoNotOptimize(CriticaMes13ParcelaFinal("12"));
    benchmark::DoNotOptimize(CriticaParcelaFinal13("12", "000075000"));
    benchmark::DoNotOptimize(CriticaMotivoAfastamento("00"));
  }
  st.counters["regras_por_s"] = benchmark::Counter(kRegrasPorVinculo, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_RegrasDeUmVinculo);

}  // namespace
