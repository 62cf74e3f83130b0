// The links consultation over an establishment with 50,000 links: the
// window opened (query, model, first row selected) and the list rebuilt for
// each letter typed in the name field, and the employee screen opened on one
// of them. Offscreen platform; the times include the query and the model, as
// the user waits for them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <memory>

#include "apoio.h"
#include "apoio_gui.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_empreg.h"
#include "tools/fm_con_empreg.h"
#include "ui_fm_con_empreg.h"

namespace {

using namespace vornex;
using namespace vornex::gui;

struct Ambiente {
  Ambiente() {
    bench::AplicacaoOffscreen();
    dm = std::make_unique<TdmVornex>(bench::PastaDemonstracao(1, 50000));
    const Linha e = Consulta(dm->conexao(), "select * from Bd8emp").primeira().value();
    chave = {e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
  }
  ContextoEstab contexto() { return {*dm, entrada, chave}; }
  std::unique_ptr<TdmVornex> dm;
  TdmEntradaDados entrada;
  ChaveEstabelecimento chave;
};

Ambiente& Amb() {
  static Ambiente a;
  return a;
}

void BM_ConsultaVinculosAbre(benchmark::State& state) {
  int n = 0;
  for (auto _ : state) {
    TfmConEmpreg con(Amb().contexto());
    con.show();
    QCoreApplication::processEvents();
    n = con.modelo().rowCount();
    con.reject();
  }
  state.counters["vinculos"] = n;
}
BENCHMARK(BM_ConsultaVinculosAbre)->Unit(benchmark::kMillisecond);

// Each iteration types one more letter of a name, then starts over.
void BM_ConsultaVinculosFiltraPorTecla(benchmark::State& state) {
  TfmConEmpreg con(Amb().contexto());
  con.show();
  QCoreApplication::processEvents();
  const QString nome = QString::fromStdString(con.modelo().linhas().at(25000).nome);
  int i = 0;
  for (auto _ : state) {
    i = i % 4 + 1;
    con.ui().edNome->setText(nome.left(i));
  }
  state.counters["linhas_ultima"] = con.modelo().rowCount();
}
BENCHMARK(BM_ConsultaVinculosFiltraPorTecla)->Unit(benchmark::kMillisecond);

void BM_TelaEmpregadoAbre(benchmark::State& state) {
  TfmConEmpreg con(Amb().contexto());
  con.show();
  QCoreApplication::processEvents();
  const auto l = con.modelo().linhas().at(1234);
  for (auto _ : state) {
    TfmDadosEmpreg tela({Amb().contexto(), l.pis, l.admissao, l.nome});
    tela.show();
    QCoreApplication::processEvents();
    tela.reject();
  }
}
BENCHMARK(BM_TelaEmpregadoAbre)->Unit(benchmark::kMillisecond);

}  // namespace
