#include "reports/intervalos.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornex::relatorio {
namespace {

using Faixas = std::vector<IntervaloPaginas>;

TEST(Intervalos, FaixasValidasNaOrdemDigitada) {
  const struct {
    const char* texto;
    Faixas faixas;
  } casos[] = {
      {"1;3;5-12;4", {{1, 1}, {3, 3}, {5, 12}, {4, 4}}},
      {"5-12", {{5, 12}}},
      {"3;1", {{3, 3}, {1, 1}}},
      {"7-7", {{7, 7}}},
      {"007", {{7, 7}}},
      {"999999999", {{999999999, 999999999}}},
  };
  for (const auto& c : casos) {
    const auto r = ValidaIntervalos(c.texto);
    ASSERT_TRUE(r) << c.texto;
    EXPECT_EQ(*r, c.faixas) << c.texto;
  }
}

TEST(Intervalos, TextosRecusados) {
  for (const char* t : {"", "12-5", "0", "0-3", "1;;3", "-3", "3-", "1-2-3", "1 3", " 1", "1;", ";1", "1,3", "a",
                        "1--3", "1000000000", "2-1000000000"})
    EXPECT_FALSE(ValidaIntervalos(t)) << '"' << t << '"';
}

TEST(Intervalos, CopiasDeUmA9999) {
  for (const auto& [t, n] : std::vector<std::pair<const char*, int>>{{"1", 1}, {"0002", 2}, {"9999", 9999}})
    EXPECT_EQ(ValidaCopias(t), n) << t;
  for (const char* t : {"", "0", "0000", "-1", "10000", "1a", " 1"}) EXPECT_FALSE(ValidaCopias(t)) << '"' << t << '"';
}

}  // namespace
}  // namespace vornex::relatorio
