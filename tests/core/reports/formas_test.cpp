#include <gtest/gtest.h>

#include "reports/rp_relatorios.h"

namespace vornex::relatorio {
namespace {

TEST(FormasImpressas, Valores) {
  struct Caso {
    const char* campo;
    const char* agrupado;
    const char* simples;
  } casos[] = {
      {"000123456", "1.234,56", "   1234,56"},
      {"000000000", "0,00", ""},
      {"000000005", "0,05", "       ,05"},
      {"123456789", "1.234.567,89", "1234567,89"},
      {"", "0,00", ""},
      {"12A", "12A", "12A"},  // not a number: as stored
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.campo);
    EXPECT_EQ(ValorAgrupado(c.campo), c.agrupado);
    EXPECT_EQ(ValorSimples(c.campo), c.simples);
  }
  EXPECT_EQ(DiaMes("1503"), "15/03");
  EXPECT_EQ(DiaMes(""), "");
  EXPECT_EQ(DiaMes("1"), "1/");
}

}  // namespace
}  // namespace vornex::relatorio
