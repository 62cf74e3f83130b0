#include "common/digitos.h"

#include <gtest/gtest.h>

#include <string>

namespace vornex {
namespace {

// The sample numbers below were computed from the rules themselves; none is
// a real registration.

TEST(Digitos, BlocosAritmeticos) {
  // Weights run 2, 3, ... from the right and restart after 9 (or 11).
  EXPECT_EQ(SomaPesos9("111111111111"), 58);  // 5 4 3 2 9 8 7 6 5 4 3 2
  EXPECT_EQ(SomaPesos9("1000000000"), 3);
  EXPECT_EQ(SomaPesos11("1111111111"), 65);   // 11 down to 2
  EXPECT_EQ(SomaPesos11("11111111111"), 67);  // then 2 again
  EXPECT_EQ(SomaPesos9(""), 0);

  struct Caso {
    int soma, mod11, pis;
  } casos[] = {{0, 0, 0}, {11, 0, 0}, {1, 0, 10}, {12, 0, 10}, {2, 9, 9}, {10, 1, 1}, {233, 9, 9}};
  for (const auto& c : casos) {
    EXPECT_EQ(DvModulo11(c.soma), c.mod11) << c.soma;
    EXPECT_EQ(DvPis(c.soma), c.pis) << c.soma;
  }
  EXPECT_EQ(DigitoChar(0), '0');
  EXPECT_EQ(DigitoChar(9), '9');
  EXPECT_EQ(DigitoChar(10), 'X');
  EXPECT_EQ(DigitoChar(-1), 'X');

  EXPECT_EQ(DvCei("50123456789"), '9');
  EXPECT_EQ(DvCei("80765432101"), '8');
  EXPECT_EQ(DvCei("00000000000"), '0');  // t = 0 gives 0, not 10
}

TEST(Digitos, Cnpj) {
  struct Caso {
    std::string n;
    bool esperado;
  } casos[] = {
      {"31415926000171", true},
      {"27182818000200", true},
      {"70071234000105", true},   // first check digit from remainder 0
      {"31415926000090", false},  // digits follow the rule but branch 0000
      {"31415926000172", false},
      {"31415926000181", false},
      {"3141592600017", false},
      {"3141592600017A", false},
      {"", false},
  };
  for (const auto& c : casos) EXPECT_EQ(CnpjValido(c.n), c.esperado) << c.n;
}

TEST(Digitos, Cei) {
  struct Caso {
    std::string n;
    bool esperado;
  } casos[] = {
      {"00501234567899", true},
      {"00807654321018", true},
      {"01501234567899", false},  // must start with "00"
      {"10501234567899", false},
      {"00501234567898", false},
      {"00000012345677", false},  // characters 3-6 all zero
      {"501234567899", false},    // the 12 digits must come in the 14-character field
  };
  for (const auto& c : casos) EXPECT_EQ(CeiValido(c.n), c.esperado) << c.n;
  EXPECT_EQ(DvCei("00001234567"), '7');  // so the case above fails on its zeros only
}

TEST(Digitos, Cpf) {
  struct Caso {
    std::string n;
    bool esperado;
  } casos[] = {
      {"24681357928", true},
      {"13579246828", true},
      {"00370018508", true},   // first check digit from remainder 1
      {"11111111111", true},   // repeated digits are not refused here
      {"24681357929", false},  // last digit changed
      {"24681357938", false},
      {"2468135792", false},
  };
  for (const auto& c : casos) EXPECT_EQ(CpfValido(c.n), c.esperado) << c.n;
}

TEST(Digitos, Pis) {
  struct Caso {
    std::string n;
    bool esperado;
  } casos[] = {
      {"12345678919", true},
      {"27182818286", true},
      {"13579135790", true},
      {"12345678918", false},
      {"12345678900", false},  // known numbers whose digits pass
      {"10000000008", false},
      {"10987654321", false},
      {"1234567891", false},
  };
  for (const auto& c : casos) EXPECT_EQ(PisValido(c.n), c.esperado) << c.n;

  // Remainder 1 gives 'X', which no digit matches; a first digit other than
  // 1 or 2 fails whatever the check digit.
  for (std::string raiz : {"1000000030", "2000087109", "2000324679", "3234567891", "0234567891"}) {
    for (char d = '0'; d <= '9'; ++d) EXPECT_FALSE(PisValido(raiz + d)) << raiz << d;
  }
}

}  // namespace
}  // namespace vornex
