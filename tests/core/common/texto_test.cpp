#include "common/texto.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace vornex {
namespace {

TEST(Texto, TestesDeCaracteres) {
  struct Caso {
    std::string s;
    bool soDigitos, soZeros, textoValido, arroba;
  } casos[] = {
      {"", true, false, true, false},
      {"   ", true, false, true, false},
      {" 0123 ", true, false, true, false},
      {"000", true, true, true, false},
      {"000 ", true, false, true, false},
      {"12a", false, false, true, false},
      {"D'Ávila", false, false, false, false},  // apostrophe and a byte above 126
      {"diz \"oi\"", false, false, false, false},
      {"a\tb", false, false, false, false},
      {"x@y.com", false, false, true, true},
      {"~ }", false, false, true, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.s);
    EXPECT_EQ(SoDigitos(c.s), c.soDigitos);
    EXPECT_EQ(SoZeros(c.s), c.soZeros);
    EXPECT_EQ(TextoValido(c.s), c.textoValido);
    EXPECT_EQ(TemArroba(c.s), c.arroba);
  }
}

TEST(Texto, SemRepeticao) {
  struct Caso {
    std::string s;
    bool esperado;
  } casos[] = {
      {"RUA AAAA", false},
      {"BAAAA", false},
      {"1111", false},
      {"AAAA  ", false},
      {"    ", true},
      {"AAA", true},
      {"AAAB", true},
      {"RUA AAA BBB", true},
      {"A A A A", true},
      {"RUA    X", true},  // four blanks in a row are allowed
      // The window stops at the trimmed length, so leading blanks move the
      // end of the text out of its reach.
      {"  AAAA", true},
      {"  AAAAAA", false},
  };
  for (const auto& c : casos) EXPECT_EQ(SemRepeticao(c.s), c.esperado) << '"' << c.s << '"';
}

TEST(Texto, DataValida) {
  struct Caso {
    std::string d;
    bool esperado;
  } casos[] = {
      {"29022004", true},  {"29022005", false}, {"29022000", true},  {"29021900", false},
      {"30042004", true},  {"31042004", false}, {"31122004", true},  {"00012004", false},
      {"01002004", false}, {"01132004", false}, {"01010000", false}, {"2902200", false},
      {"290220040", false}, {" 1022004", false}, {"0102200 ", false}, {"0a022004", false},
      {"", false},
  };
  for (const auto& c : casos) EXPECT_EQ(DataValida(c.d), c.esperado) << '"' << c.d << '"';
}

TEST(Texto, RegrasDevolvemNumeroDeMensagem) {
  struct Caso {
    std::string s;
    int n;
    NuMensagem esperado;
  } numericos[] = {
      {"", 8, "0030"_msg},
      {" 12 ", 2, kSemOcorrencia},
      {"1a", 2, "0040"_msg},
      {"1 2", 3, "0040"_msg},
      {"123", 2, NuMensagem::Excede()},
      {"1", 2, "0030"_msg},
      {"    ", 0, kSemOcorrencia},
  };
  for (const auto& c : numericos)
    EXPECT_EQ(CriticaNumerico(c.s, c.n), c.esperado) << '"' << c.s << "\" " << c.n;

  struct CasoTexto {
    std::string s;
    NuMensagem esperado;
  } textos[] = {
      {"AB", "0010"_msg},
      {"    ", "0010"_msg},
      {"", "0010"_msg},
      {" ABC ", kSemOcorrencia},
      {"JOANA D'ARC", "0020"_msg},
      {"AÇO", "0020"_msg},
      {"\"", "0020"_msg},
  };
  for (const auto& c : textos) EXPECT_EQ(CriticaTexto(c.s), c.esperado) << '"' << c.s << '"';
}

TEST(Texto, ContagemEConversao) {
  EXPECT_EQ(ContaPalavras(""), 0);
  EXPECT_EQ(ContaPalavras("   "), 0);
  EXPECT_EQ(ContaPalavras("MARIA"), 1);
  EXPECT_EQ(ContaPalavras("  MARIA  DA   SILVA "), 3);
  EXPECT_EQ(ContaPalavras("A B C D"), 4);

  EXPECT_EQ(ValorInteiro("26000"), 26000);
  EXPECT_EQ(ValorInteiro(" 007 "), 7);
  EXPECT_EQ(ValorInteiro("-12"), -12);
  EXPECT_EQ(ValorInteiro("+12"), 12);
  EXPECT_EQ(ValorInteiro("-9223372036854775808"), std::numeric_limits<long long>::min());
  for (const char* ruim : {"", "12a", "1,5", "+", "-", "+-1", "1 2", "9223372036854775808"})
    EXPECT_EQ(ValorInteiro(ruim), 0) << ruim;
  EXPECT_EQ(Maior(3, -4), 3);

  // Only ASCII letters change: the bytes of an accented letter stay whole.
  EXPECT_EQ(Maiusculas("rua são joão, 12-b"), "RUA SãO JOãO, 12-B");
  EXPECT_TRUE(IgualSemCaixa("Bd8Emp.px", "BD8EMP.PX"));
}

TEST(Texto, PreenchimentoELimpeza) {
  EXPECT_EQ(ZerosEsquerda("123", 5), "00123");
  EXPECT_EQ(ZerosEsquerda("12345678901234567", 14), "12345678901234");
  EXPECT_EQ(ZerosEsquerda("", 3), "000");
  EXPECT_EQ(ZerosEsquerda("12", -1), "");
  EXPECT_EQ(EspacosDireita("AB", 4), "AB  ");
  EXPECT_EQ(EspacosDireita("ABCDE", 3), "ABC");
  EXPECT_EQ(Espacos(3), "   ");
  EXPECT_EQ(Zeros(2), "00");
  EXPECT_EQ(Zeros(0), "");
  EXPECT_EQ(Espacos(-2), "");

  EXPECT_EQ(TiraEspacos("  A B  "), "A B");
  EXPECT_EQ(TiraEspacos(" "), " ");
  EXPECT_EQ(TiraEspacos("    "), " ");
  EXPECT_EQ(TiraEspacos(""), "");
  EXPECT_EQ(TiraEspacos("\tA "), "\tA");  // blanks only, not other controls

  EXPECT_EQ(TiraPontos(" 1.234.567,89 "), "1234567,89");
  EXPECT_EQ(TiraZerosEsquerda("000"), "");
  EXPECT_EQ(TiraZerosEsquerda("00120"), "120");
  EXPECT_EQ(TiraZerosEsquerda(" 01"), " 01");

  EXPECT_EQ(FormataTelefone("012345678"), "1234-5678");
  EXPECT_EQ(FormataTelefone("12345"), "1-2345");
  EXPECT_EQ(FormataTelefone("0001234"), "1234");
  EXPECT_EQ(FormataTelefone("0000"), "");
}

TEST(Texto, Datas) {
  EXPECT_EQ(InverteData("29022004"), "20040229");
  EXPECT_EQ(FormataData("29022004"), "29/02/2004");
  EXPECT_LT(InverteData("31122003"), InverteData("01012004"));
  // Short texts give short pieces, never a read past the end.
  EXPECT_EQ(InverteData("2902"), "0229");
  EXPECT_EQ(FormataData("290"), "29/0/");
  EXPECT_EQ(FormataData(""), "//");
}

TEST(Texto, NomeMes) {
  struct Caso {
    std::string mes, nome;
  } casos[] = {
      {"01", "Janeiro"}, {"3", "Março"},        {"12", "Dezembro"}, {"13", ""},
      {"00", ""},        {"99", "Totalização"}, {"A", ""},          {"1A", ""},
      {"", ""},
  };
  for (const auto& c : casos) EXPECT_EQ(NomeMes(c.mes), c.nome) << '"' << c.mes << '"';
}

TEST(Texto, FormataValor) {
  struct Caso {
    std::string valor;
    std::size_t brancos;
    std::string mostrado;
  } casos[] = {
      {"0", 14, "0,00"},
      {"260,00", 11, "260,00"},
      {"26000", 5, "26.000,00"},
      {" 1.234,5 ", 7, "1.234,50"},
      {"100000", 3, "100.000,00"},
      {"1000000", 0, "1.000.000,00"},
      {"-100", 0, "-100,00"},
      {"-100000", 0, "-100.000,00"},
      {",5", 14, "0,50"},
      {"0007,", 14, "7,00"},
      // Rounding is decimal and half away from zero.
      {"0,005", 14, "0,01"},
      {"0,00499", 14, "0,00"},
      {"-0,005", 12, "-0,01"},
      {"-0,004", 14, "0,00"},
      {"9,995", 12, "10,00"},
      {"999999,999", 0, "1.000.000,00"},
      {"12345678901234567890", 0, "12.345.678.901.234.567.890,00"},
      {"", 14, "Erro"},
      {"abc", 14, "Erro"},
      {"1,2,3", 14, "Erro"},
      {"1 234", 14, "Erro"},
      {"-", 14, "Erro"},
      {"1e3", 14, "Erro"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(FormataValor(c.valor), std::string(c.brancos, ' ') + c.mostrado) << '"' << c.valor << '"';
}

TEST(Texto, FormasDeInscricaoEPis) {
  struct Caso {
    std::string numero, tipo, telas, protocolo;
  } casos[] = {
      {"31415926000171", "1", "31.415.926/0001-71", "31.415.926/0001-71"},
      {"501234567899", "3", "50-123-45.678-9/9", "50-123-45.678-9/9"},
      {"00501234567899", "3", "50-123-45.678-9/9", "50-123-45.678-9/9"},
      {"24681357928", "4", "24681357928", "246.813.579-28"},
      {"00024681357928", "4", "00024681357928", "246.813.579-28"},
      {"31415926000171", "2", "31415926000171", "31415926000171"},
      {"123", "1", "123", "123"},
      {"", "3", "", ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.numero + " tipo " + c.tipo);
    EXPECT_EQ(FormataInscricao(c.numero, c.tipo), c.telas);
    EXPECT_EQ(FormataInscricaoProtocolo(c.numero, c.tipo), c.protocolo);
  }
  EXPECT_EQ(FormataPis("12345678919"), "123.45678.91.9");
  EXPECT_EQ(FormataPis("1234"), "1234");
}

}  // namespace
}  // namespace vornex
