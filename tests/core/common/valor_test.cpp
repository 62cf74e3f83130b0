#include "common/valor.h"

#include <gtest/gtest.h>

#include <string>

namespace vornex {
namespace {

TEST(Valor, ExibeCentavosComMilharEVirgula) {
  struct Caso {
    std::string centavos, exibido, semMilhar;
  } casos[] = {
      {"000123456", "1.234,56", "1234,56"},
      {"999999999", "9.999.999,99", "9999999,99"},
      {"000000000", "0,00", "0,00"},
      {"5", "0,05", "0,05"},
      {"000100000", "1.000,00", "1000,00"},
      {"000012345", "123,45", "123,45"},
      {"", "", ""},      // not informed
      {"12a", "12a", "12a"},  // not a stored amount: shown as it is
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.centavos);
    EXPECT_EQ(ValorExibido(c.centavos), c.exibido);
    EXPECT_EQ(ValorExibido(c.centavos, false), c.semMilhar);
  }
}

TEST(Valor, LeOQueFoiDigitado) {
  struct Caso {
    std::string digitado;
    NuMensagem critica;
    std::string centavos;
  } casos[] = {
      {"1.234,56", kSemOcorrencia, "000123456"},
      {"1234,56", kSemOcorrencia, "000123456"},
      {" 1234,5 ", kSemOcorrencia, "000123450"},
      {"1234", kSemOcorrencia, "000123400"},
      {"1234,", kSemOcorrencia, "000123400"},
      {",5", kSemOcorrencia, "000000050"},
      {"0,00", kSemOcorrencia, "000000000"},
      {"0001.234,00", "0040"_msg, ""},  // a first group of four
      {"1.000.000,00", kSemOcorrencia, "100000000"},
      {"9.999.999,99", kSemOcorrencia, "999999999"},
      {"10.000.000,00", "0315"_msg, ""},
      {"00009999999,99", kSemOcorrencia, "999999999"},  // leading zeros are no digits
      {"", kSemOcorrencia, ""},
      {"1.5", "0040"_msg, ""},  // a point out of place is no thousands point
      {"1,234", "0040"_msg, ""},
      {"1,2,3", "0040"_msg, ""},
      {",", "0040"_msg, ""},
      {"-5,00", "0040"_msg, ""},
      {"12a", "0040"_msg, ""},
      {"1.234.", "0040"_msg, ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.digitado);
    const ValorDigitado v = LeValorDigitado(c.digitado);
    EXPECT_EQ(v.critica, c.critica);
    EXPECT_EQ(v.centavos, c.centavos);
  }
}

TEST(Valor, OExibidoVoltaAosMesmosCentavos) {
  for (const char* c : {"000000001", "000001000", "012345678", "999999999"}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(LeValorDigitado(ValorExibido(c)).centavos, c);
    EXPECT_EQ(LeValorDigitado(ValorExibido(c, false)).centavos, c);
  }
}

}  // namespace
}  // namespace vornex
