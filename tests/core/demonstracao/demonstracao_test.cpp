#include <gtest/gtest.h>

#include <stdexcept>

#include "../data/apoio.h"
#include "data/banco.h"
#include "demonstracao/demonstracao.h"

using namespace vornex;

namespace {

struct Pasta {
  teste::PastaTemporaria p;
  Conexao c;
  Pasta() {
    teste::CopiaPastaInicializada(p.caminho());
    c = AbreZema2004(p.caminho());
  }
  long long Conta(const std::string& sql) { return Consulta(c, sql).escalar(); }
  std::string Tudo() {
    std::string s;
    for (const char* t : {"BD8Resp", "Bd8emp", "Bd8vinc"})
      for (const auto& l : Consulta(c, std::string("select * from ") + t + " order by 1, 2, 3, 4").todas())
        for (const auto& v : l.valores()) s += v + "|";
    return s;
  }
};

}  // namespace

TEST(Demonstracao, ContagensTiposEDeclaracoesSemEmpregados) {
  Pasta p;
  const auto r = GeraDemonstracao(p.c, {20, 1000, 3});
  EXPECT_EQ(r.estabelecimentos, 20);
  EXPECT_EQ(r.vinculos, 1000);
  EXPECT_EQ(r.semEmpregados, 2);
  EXPECT_EQ(p.Conta("select count(*) from Bd8emp where AnBase = '2004'"), 20);
  EXPECT_EQ(p.Conta("select count(*) from Bd8vinc"), 1000);
  EXPECT_EQ(p.Conta("select count(*) from BD8Resp"), 1);
  EXPECT_GT(p.Conta("select count(*) from Bd8emp where InInscrEstabelecimento = '3'"), 0);
  EXPECT_GT(p.Conta("select count(*) from Bd8emp where NuPrefixoEstabelecimento <> '00'"), 0);
  EXPECT_EQ(p.Conta("select count(*) from Bd8emp where InZemaNegEstabelecimento = '1'"), 2);
  EXPECT_GT(p.Conta("select count(*) from Bd8vinc where CoCausaDesligamento <> '00'"), 0);
  EXPECT_GT(p.Conta("select count(*) from Bd8vinc where CoMotivoPrimAfas <> '00'"), 0);
  // Declared counts match the links.
  EXPECT_EQ(p.Conta("select count(*) from Bd8emp e where cast(NuVinculosEstabelecimento as integer) <> "
                    "(select count(*) from Bd8vinc v where v.AnBase = e.AnBase and "
                    "v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento and "
                    "v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento)"),
            0);
  EXPECT_EQ(p.Conta("select sum(cast(NuEstrangeirosEstabelec as integer)) from Bd8emp"), r.estrangeiros);
}

TEST(Demonstracao, MesmaSementeMesmaDeclaracao) {
  Pasta a, b, c;
  GeraDemonstracao(a.c, {3, 40, 9});
  GeraDemonstracao(b.c, {3, 40, 9});
  GeraDemonstracao(c.c, {3, 40, 10});
  EXPECT_EQ(a.Tudo(), b.Tudo());
  EXPECT_NE(a.Tudo(), c.Tudo());
}

TEST(Demonstracao, RecusaDeclaracaoExistenteEContagensImpossiveis) {
  Pasta p;
  GeraDemonstracao(p.c, {1, 2, 1});
  EXPECT_THROW(GeraDemonstracao(p.c, {1, 2, 1}), std::runtime_error);
  EXPECT_EQ(p.Conta("select count(*) from Bd8vinc"), 2);
  Pasta q;
  EXPECT_THROW(GeraDemonstracao(q.c, {0, 5, 1}), std::invalid_argument);
  EXPECT_THROW(GeraDemonstracao(q.c, {1, 1000000, 1}), std::invalid_argument);
  EXPECT_EQ(q.Conta("select count(*) from Bd8emp"), 0);
}
