#include "validation/regras_empregado.h"

#include "fixture.h"

namespace vornex {
namespace {

using namespace teste;

TEST(RegrasEmpregado, PisENome) {
  Confere({
      CASO(CriticaPis(""), "0153"_msg),
      CASO(CriticaPis("1234567891"), "0030"_msg),
      CASO(CriticaPis("1234567891A"), "0040"_msg),
      CASO(CriticaPis("123456789190"), NuMensagem::Excede()),
      CASO(CriticaPis("00000000000"), kSemOcorrencia),
      CASO(CriticaPis("12345678919"), kSemOcorrencia),
      CASO(CriticaPis(kPis110), kSemOcorrencia),
      CASO(CriticaPis("32345678919"), "0150"_msg),
      CASO(CriticaPis("12000000080"), "0150"_msg),  // weighted sum leaves 1: no digit fits
      CASO(CriticaPis("12345678900"), "0150"_msg),

      CASO(CriticaNomeEmpregado("", kPis120), "0160"_msg),
      CASO(CriticaNomeEmpregado("JOAO SSSS", kPis120), "3100"_msg),
      CASO(CriticaNomeEmpregado(" JOAO ", kPis120), "0161"_msg),
      CASO(CriticaNomeEmpregado("JOAO D'AVILA", kPis120), "0020"_msg),
      CASO(CriticaNomeEmpregado("A B", kPis120), kSemOcorrencia),
      CASO(CriticaNomeEmpregado("JOAO DA SILVA", kPis120), kSemOcorrencia),
      // The test PIS carries only the reserved name.
      CASO(CriticaNomeEmpregado("JOAO DA SILVA", kPisTeste), "0161"_msg),
      CASO(CriticaNomeEmpregado("trabalhador de teste", kPisTeste), kSemOcorrencia),
  });
}

TEST(RegrasEmpregado, NascimentoEIdadeNoAnoBase) {
  Confere({
      CASO(CriticaDaNascimento(""), "0170"_msg),
      CASO(CriticaDaNascimento("00000000"), "0170"_msg),
      CASO(CriticaDaNascimento("3112190"), "0030"_msg),
      CASO(CriticaDaNascimento("3112190A"), "0040"_msg),
      CASO(CriticaDaNascimento("311219001"), NuMensagem::Excede()),
      CASO(CriticaDaNascimento("31121900"), "0175"_msg),
      CASO(CriticaDaNascimento("30021990"), "0175"_msg),
      CASO(CriticaDaNascimento("01011901"), kSemOcorrencia),

      CASO(CriticaAnoNascimento("01011996", "2004"), "0172"_msg),
      CASO(CriticaAnoNascimento("01011995", "2004"), "0176"_msg),
      CASO(CriticaAnoNascimento("31121990", "2004"), "0176"_msg),
      CASO(CriticaAnoNascimento("01011989", "2004"), kSemOcorrencia),
      CASO(CriticaAnoNascimento("01012005", "2004"), "0174"_msg),
      CASO(CriticaAnoNascimento("01012005", "2005"), "0172"_msg),
      CASO(CriticaAnoNascimento("0101", "2004"), kSemOcorrencia),
      CASO(CriticaAnoNascimento("0101ABCD", "2004"), kSemOcorrencia),
      CASO(CriticaAnoNascimento("01010000", "2004"), kSemOcorrencia),
      CASO(CriticaAnoNascimento("01011996", ""), kSemOcorrencia),
  });
}

TEST(RegrasEmpregado, NacionalidadeEChegadaAoPais) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaNacionalidade("", ref), "0180"_msg),
      CASO(CriticaNacionalidade("0", ref), "0180"_msg),  // zeros are judged with the empty value
      CASO(CriticaNacionalidade("1", ref), "0030"_msg),
      CASO(CriticaNacionalidade("1A", ref), "0040"_msg),
      CASO(CriticaNacionalidade("100", ref), NuMensagem::Excede()),
      CASO(CriticaNacionalidade("10", ref), kSemOcorrencia),
      CASO(CriticaNacionalidade("99", ref), "0181"_msg),

      CASO(CriticaAnoChegada(""), "0030"_msg),
      CASO(CriticaAnoChegada("19A0"), "0040"_msg),
      CASO(CriticaAnoChegada("19900"), NuMensagem::Excede()),
      CASO(CriticaAnoChegada("1990"), kSemOcorrencia),

      CASO(CriticaChegadaNacionalidade("1990", "10"), "0190"_msg),
      CASO(CriticaChegadaNacionalidade("0000", "10"), kSemOcorrencia),
      CASO(CriticaChegadaNacionalidade("0000", "20"), "0191"_msg),
      CASO(CriticaChegadaNacionalidade("1990", "20"), kSemOcorrencia),
      CASO(CriticaChegadaNacionalidade("0000", "00"), kSemOcorrencia),
      CASO(CriticaChegadaNacionalidade("", "10"), kSemOcorrencia),
      CASO(CriticaChegadaNacionalidade("1990", "1A"), kSemOcorrencia),

      CASO(CriticaChegadaAnoBase("2005", "2004", "20"), "0192"_msg),
      CASO(CriticaChegadaAnoBase("2004", "2004", "20"), kSemOcorrencia),
      CASO(CriticaChegadaAnoBase("2005", "2004", "10"), kSemOcorrencia),
      CASO(CriticaChegadaAnoBase("2005", "2004", "00"), kSemOcorrencia),
      CASO(CriticaChegadaAnoBase("0000", "2004", "20"), kSemOcorrencia),
      CASO(CriticaChegadaAnoBase("2005", "", "20"), kSemOcorrencia),

      CASO(CriticaChegadaNascimento("1979", "01011980", "20"), "0193"_msg),
      CASO(CriticaChegadaNascimento("1980", "01011980", "20"), kSemOcorrencia),
      CASO(CriticaChegadaNascimento("1979", "01011980", "10"), kSemOcorrencia),
      CASO(CriticaChegadaNascimento("1979", "00000000", "20"), kSemOcorrencia),
      CASO(CriticaChegadaNascimento("1979", "", "20"), kSemOcorrencia),

      CASO(CriticaChegadaAdmissao("2001", "01012000", "20"), "0194"_msg),
      CASO(CriticaChegadaAdmissao("2000", "01012000", "20"), kSemOcorrencia),
      CASO(CriticaChegadaAdmissao("2001", "01012000", "10"), kSemOcorrencia),
      CASO(CriticaChegadaAdmissao("2001", "01012000", "00"), kSemOcorrencia),
      CASO(CriticaChegadaAdmissao("2001", "0101200", "20"), kSemOcorrencia),
      CASO(CriticaChegadaAdmissao("201", "01012000", "20"), kSemOcorrencia),
      CASO(CriticaChegadaAdmissao("2001", "00000000", "20"), kSemOcorrencia),
  });
}

TEST(RegrasEmpregado, RacaSexoDeficienciaEAlvara) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaRaca("", ref), "0480"_msg),
      CASO(CriticaRaca("1", ref), kSemOcorrencia),
      CASO(CriticaRaca("3", ref), "0481"_msg),
      CASO(CriticaSexo(" 1 "), kSemOcorrencia),
      CASO(CriticaSexo("2"), kSemOcorrencia),
      CASO(CriticaSexo("3"), "3524"_msg),
      CASO(CriticaSexo(""), "3524"_msg),
      CASO(CriticaDeficiente("2"), kSemOcorrencia),
      CASO(CriticaDeficiente("0"), "0001"_msg),
      CASO(CriticaAlvara("1"), kSemOcorrencia),
      CASO(CriticaAlvara(""), "0001"_msg),

      // A permit is plausible up to 16 years of age in the base year, never for an apprentice.
      CASO(CriticaAlvaraIdade("1", "01011987", "10", "2004"), "3531"_msg),
      CASO(CriticaAlvaraIdade("1", "31121988", "10", "2004"), kSemOcorrencia),
      CASO(CriticaAlvaraIdade("1", "01011990", "55", "2004"), "3531"_msg),
      CASO(CriticaAlvaraIdade("1", "01011990", "10", "2004"), kSemOcorrencia),
      CASO(CriticaAlvaraIdade("2", "01011987", "10", "2004"), kSemOcorrencia),
      CASO(CriticaAlvaraIdade("3", "01011987", "55", "2004"), kSemOcorrencia),
  });
}

TEST(RegrasEmpregado, InstrucaoCtpsECpf) {
  ReferenciasTeste ref;
  ref.instrucoes.erase("5");
  Confere({
      CASO(CriticaInstrucao("", ref), "0200"_msg),
      CASO(CriticaInstrucao("0", ref), "0200"_msg),
      CASO(CriticaInstrucao("A", ref), "0040"_msg),
      CASO(CriticaInstrucao("10", ref), NuMensagem::Excede()),
      CASO(CriticaInstrucao("9", ref), kSemOcorrencia),
      CASO(CriticaInstrucao("5", ref), "0201"_msg),

      CASO(CriticaCtps(""), "0212"_msg),
      CASO(CriticaCtps("1234567890"), "0030"_msg),
      CASO(CriticaCtps("1234567890A"), "0040"_msg),
      CASO(CriticaCtps("123456789012"), NuMensagem::Excede()),
      CASO(CriticaCtps("12345678901"), kSemOcorrencia),

      CASO(CriticaCpf(""), "0211"_msg),
      CASO(CriticaCpf("1114447773"), "0030"_msg),
      CASO(CriticaCpf("1114447773A"), "0040"_msg),
      CASO(CriticaCpf("111444777350"), NuMensagem::Excede()),
      CASO(CriticaCpf("00000000000"), kSemOcorrencia),
      CASO(CriticaCpf(kCpf), kSemOcorrencia),
      CASO(CriticaCpf("11144477736"), "0210"_msg),

      // Without a work card the worker needs a CPF.
      CASO(CriticaCtpsCpf("00000000000", "00000000000"), "0340"_msg),
      CASO(CriticaCtpsCpf("00000000000", ""), kSemOcorrencia),
      CASO(CriticaCtpsCpf("00000000000", kCpf), kSemOcorrencia),
      CASO(CriticaCtpsCpf("12345678901", "00000000000"), kSemOcorrencia),
      CASO(CriticaCtpsCpf("", "00000000000"), kSemOcorrencia),
  });
}

}  // namespace
}  // namespace vornex
