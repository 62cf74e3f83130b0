// The establishment consultation over 10,000 establishments: filling the
// list, and the list rebuilt for each digit typed in the registration
// field; and the establishment screen opened on one of them. Offscreen
// platform; the times include the query and the model, as the user waits
// for them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <memory>

#include "apoio.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_estab.h"
#include "tools/fm_con_estab.h"
#include "ui_fm_con_estab.h"

namespace {

using namespace vornex;
using namespace vornex::gui;

struct Ambiente {
  Ambiente() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "bench";
    static char* argv[] = {nome, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
    dm = std::make_unique<TdmVornex>(bench::PastaDemonstracao(10000, 20000));
  }
  std::unique_ptr<QApplication> app;
  std::unique_ptr<TdmVornex> dm;
  TdmEntradaDados entrada;
};

Ambiente& Amb() {
  static Ambiente a;
  return a;
}

void BM_ConsultaEstabCarrega(benchmark::State& state) {
  TfmConEstab con(*Amb().dm, Amb().entrada);
  int n = 0;
  for (auto _ : state) n = con.CarregaEstabelecimentos();
  state.counters["estabelecimentos"] = n;
}
BENCHMARK(BM_ConsultaEstabCarrega)->Unit(benchmark::kMillisecond);

// Each iteration types one more digit of a registration, then starts over.
void BM_ConsultaEstabFiltraPorTecla(benchmark::State& state) {
  TfmConEstab con(*Amb().dm, Amb().entrada);
  con.CarregaEstabelecimentos();
  const QString inscricao = QString::fromStdString(con.modelo().linhas().at(5000).inscricao);
  int i = 0;
  for (auto _ : state) {
    i = i % 8 + 1;
    con.ui().mdInscricao->setText(inscricao.left(i));
  }
  state.counters["linhas_ultima"] = con.modelo().rowCount();
}
BENCHMARK(BM_ConsultaEstabFiltraPorTecla)->Unit(benchmark::kMillisecond);

void BM_TelaEstabelecimentoAbre(benchmark::State& state) {
  TfmConEstab con(*Amb().dm, Amb().entrada);
  con.CarregaEstabelecimentos();
  const auto& l = con.modelo().linhas().at(1234);
  const ChaveEstabelecimento chave{l.anBase, l.inscricao, l.prefixo};
  for (auto _ : state) {
    TfmDadosEstab tela({*Amb().dm, Amb().entrada, chave, nullptr, false, false});
    tela.show();
    QCoreApplication::processEvents();
    tela.reject();
  }
}
BENCHMARK(BM_TelaEstabelecimentoAbre)->Unit(benchmark::kMillisecond);

}  // namespace
