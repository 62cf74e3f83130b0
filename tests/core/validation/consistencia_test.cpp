#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../data/apoio.h"
#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// The real reference tables, loaded once for the whole program.
const Referencias& Ref() {
  static Conexao c = AbreZema2004(teste::PastaInicializada());
  static const TabelasReferencia t = TabelasReferencia::Carrega(c);
  static const ReferenciasTabelas r(t);
  return r;
}

// A data folder of its own with a small synthetic declaration.
struct Declaracao {
  teste::PastaTemporaria pasta;
  Conexao c;
  explicit Declaracao(int estabelecimentos = 1, long long vinculos = 3, std::uint64_t semente = 7) {
    teste::CopiaPastaInicializada(pasta.caminho());
    c = AbreZema2004(pasta.caminho());
    GeraDemonstracao(c, {estabelecimentos, vinculos, semente});
  }
  int Verifica(const OpcoesConsistencia& o = {}) { return VerificaConsistencia(c, Ref(), o); }
  // "errwar tiporegistro retorno lbl=Conteudo" per row, in filing order.
  std::vector<std::string> Achados() {
    std::vector<std::string> r;
    if (!ExisteTabela(c, kTabelaErros)) return r;
    Consulta q(c, "select errwar, tiporegistro, retorno, lbl, Conteudo from Te8ErrWa order by Sequencial");
    while (q.proxima())
      r.push_back(std::string(q.texto(0)) + " " + std::string(q.texto(1)) + " " + std::string(q.texto(2)) + " " +
                  std::string(q.texto(3)) + "=" + std::string(q.texto(4)));
    return r;
  }
};

TEST(Consistencia, DemonstracaoSemErros) {
  for (std::uint64_t semente : {1u, 2u, 3u}) {
    Declaracao d(12, 600, semente);
    const int r = d.Verifica();
    EXPECT_EQ(r & kConsistenciaErros, 0) << ::testing::PrintToString(d.Achados());
  }
}

}  // namespace
