#include "validation/regras_contrato.h"

#include "fixture.h"

namespace vornex {
namespace {

using namespace teste;

TEST(RegrasContrato, Admissao) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaDaAdmissao(""), "0392"_msg),
      CASO(CriticaDaAdmissao("00000000"), "0392"_msg),
      CASO(CriticaDaAdmissao("0101200"), "0030"_msg),
      CASO(CriticaDaAdmissao("0101200A"), "0040"_msg),
      CASO(CriticaDaAdmissao("010220041"), NuMensagem::Excede()),
      CASO(CriticaDaAdmissao("30022004"), "0390"_msg),
      CASO(CriticaDaAdmissao("01022004"), kSemOcorrencia),

      CASO(CriticaAdmissaoAnoBase("01012005", "2004"), "0391"_msg),
      CASO(CriticaAdmissaoAnoBase("31122004", "2004"), kSemOcorrencia),
      CASO(CriticaAdmissaoAnoBase("", "2004"), kSemOcorrencia),
      CASO(CriticaAdmissaoAnoBase("01012005", ""), kSemOcorrencia),
      CASO(CriticaAdmissaoAnoBase("00000000", "2004"), kSemOcorrencia),
      CASO(CriticaAdmissaoAnoBase("0101205", "2004"), kSemOcorrencia),

      CASO(CriticaAdmissaoEncerramento("", "01062004"), kSemOcorrencia),
      CASO(CriticaAdmissaoEncerramento("00000000", "01062004"), kSemOcorrencia),
      CASO(CriticaAdmissaoEncerramento("31052004", "01062004"), "0394"_msg),
      CASO(CriticaAdmissaoEncerramento("01062004", "01062004"), kSemOcorrencia),
      CASO(CriticaAdmissaoEncerramento("01012005", "31122004"), kSemOcorrencia),
      CASO(CriticaAdmissaoEncerramento("3105200", "01062004"), kSemOcorrencia),

      CASO(CriticaTipoAdmissao("", ref), "0221"_msg),
      CASO(CriticaTipoAdmissao("0", ref), "0221"_msg),
      CASO(CriticaTipoAdmissao("A", ref), "0040"_msg),
      CASO(CriticaTipoAdmissao("12", ref), NuMensagem::Excede()),
      CASO(CriticaTipoAdmissao("1", ref), kSemOcorrencia),
      CASO(CriticaTipoAdmissao("9", ref), "0220"_msg),
  });
}

TEST(RegrasContrato, CriticaIdadeAdmissaoEmAnosCompletos) {
  Confere({
      CASO(CriticaIdadeAdmissao("15061990", "14062004"), "0171"_msg),  // 13
      CASO(CriticaIdadeAdmissao("15061990", "15062004"), kSemOcorrencia),  // 14
      CASO(CriticaIdadeAdmissao("16061990", "15062004"), "0171"_msg),  // the day decides within the month
      CASO(CriticaIdadeAdmissao("15071990", "16062004"), "0171"_msg),  // the month before the day
      CASO(CriticaIdadeAdmissao("15051990", "14062004"), kSemOcorrencia),
      CASO(CriticaIdadeAdmissao("15061989", "14062004"), kSemOcorrencia),  // 14 although born 15 years before
      CASO(CriticaIdadeAdmissao("15061991", "15052004"), "0171"_msg),  // 12
      CASO(CriticaIdadeAdmissao("15061994", "15062004"), "0171"_msg),  // 10
      CASO(CriticaIdadeAdmissao("15061994", "14062004"), "0173"_msg),  // 9: not yet 10
      CASO(CriticaIdadeAdmissao("15061995", "15062004"), "0173"_msg),  // 9 on the day
      CASO(CriticaIdadeAdmissao("15061996", "15062004"), "0173"_msg),
      CASO(CriticaIdadeAdmissao("", "15062004"), kSemOcorrencia),
      CASO(CriticaIdadeAdmissao("00000000", "15062004"), kSemOcorrencia),
      CASO(CriticaIdadeAdmissao("1506199", "15062004"), kSemOcorrencia),
      CASO(CriticaIdadeAdmissao("150619A0", "15062004"), kSemOcorrencia),
  });
}

TEST(RegrasContrato, SalarioEHoras) {
  const ReferenciasTeste ref;
  EXPECT_EQ(SalarioMinimo(4), 24000);
  EXPECT_EQ(SalarioMinimo(5), 26000);
  EXPECT_EQ(SalarioMinimo(99), 26000);
  Confere({
      CASO(CriticaSalarioContratual(""), "0232"_msg),
      CASO(CriticaSalarioContratual("000000000"), "0232"_msg),
      CASO(CriticaSalarioContratual("26000"), "0030"_msg),
      CASO(CriticaSalarioContratual("00002600A"), "0040"_msg),
      CASO(CriticaSalarioContratual("1234567890"), NuMensagem::Excede()),
      CASO(CriticaSalarioContratual("000026000"), kSemOcorrencia),

      CASO(CriticaTipoSalario("", ref), "0241"_msg),
      CASO(CriticaTipoSalario("0", ref), "0241"_msg),
      CASO(CriticaTipoSalario("A", ref), "0040"_msg),
      CASO(CriticaTipoSalario("11", ref), NuMensagem::Excede()),
      CASO(CriticaTipoSalario("1", ref), kSemOcorrencia),
      CASO(CriticaTipoSalario("8", ref), "0240"_msg),

      // A monthly salary is held to December's minimum (260,00) and ceiling (150 of them).
      CASO(CriticaSalarioTipo("000025999", "1"), "0230"_msg),
      CASO(CriticaSalarioTipo("000026000", "1"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("003899999", "1"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("003900000", "1"), "0231"_msg),
      CASO(CriticaSalarioTipo("000025999", "2"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("000000000", "1"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("000025999", "0"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("", "1"), kSemOcorrencia),
      CASO(CriticaSalarioTipo("00002599A", "1"), kSemOcorrencia),

      CASO(CriticaHorasSemanais(""), "0251"_msg),
      CASO(CriticaHorasSemanais("00"), "0251"_msg),
      CASO(CriticaHorasSemanais("4"), "0030"_msg),
      CASO(CriticaHorasSemanais("4A"), "0040"_msg),
      CASO(CriticaHorasSemanais("440"), NuMensagem::Excede()),
      CASO(CriticaHorasSemanais("44"), kSemOcorrencia),
      CASO(CriticaHorasSemanais("45"), "0250"_msg),
  });
}

TEST(RegrasContrato, CboEInstrucao) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaCbo("111105", ref), "3645"_msg),  // refused before any lookup
      CASO(CriticaCbo("111255", ref), "3645"_msg),
      CASO(CriticaCbo("", ref), "0261"_msg),
      CASO(CriticaCbo("21240", ref), "0030"_msg),
      CASO(CriticaCbo("2124050", ref), "0030"_msg),
      CASO(CriticaCbo("21240A", ref), "0040"_msg),
      CASO(CriticaCbo("000000", ref), "0261"_msg),
      CASO(CriticaCbo("212405", ref), kSemOcorrencia),
      CASO(CriticaCbo("999999", ref), "0260"_msg),

      CASO(CriticaCboInstrucao("5", "223105", ref), "3501"_msg),
      CASO(CriticaCboInstrucao("9", "223105", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("1", "252505", ref), "3635"_msg),
      CASO(CriticaCboInstrucao("2", "252505", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("1", "212405", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("1", "999999", ref), kSemOcorrencia),  // unknown CBO: no flags
      CASO(CriticaCboInstrucao("", "223105", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("0", "223105", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("5", "000000", ref), kSemOcorrencia),
      CASO(CriticaCboInstrucao("A", "223105", ref), kSemOcorrencia),
  });
}

TEST(RegrasContrato, TipoDeVinculo) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaVinculo("", ref), "0273"_msg),
      CASO(CriticaVinculo("00", ref), "0273"_msg),
      CASO(CriticaVinculo("1", ref), "0030"_msg),
      CASO(CriticaVinculo("1A", ref), "0040"_msg),
      CASO(CriticaVinculo("100", ref), NuMensagem::Excede()),
      CASO(CriticaVinculo("10", ref), kSemOcorrencia),
      CASO(CriticaVinculo("11", ref), "0270"_msg),

      // PIS numbers 109 to 119 and the PIS of zeros go with links 35 and 80 only.
      CASO(CriticaVinculoPis("10", kPis110), "0272"_msg),
      CASO(CriticaVinculoPis("35", kPis110), kSemOcorrencia),
      CASO(CriticaVinculoPis("80", kPis110), kSemOcorrencia),
      CASO(CriticaVinculoPis("10", "10912345672"), "0272"_msg),
      CASO(CriticaVinculoPis("10", "10800000000"), kSemOcorrencia),
      CASO(CriticaVinculoPis("10", kPis120), kSemOcorrencia),
      CASO(CriticaVinculoPis("10", "00000000000"), "0272"_msg),
      CASO(CriticaVinculoPis("35", "00000000000"), kSemOcorrencia),
      CASO(CriticaVinculoPis("", kPis110), kSemOcorrencia),
      CASO(CriticaVinculoPis("10", ""), kSemOcorrencia),
      CASO(CriticaVinculoPis("1A", kPis110), kSemOcorrencia),
      CASO(CriticaVinculoPis("10", "1101234567A"), kSemOcorrencia),

      CASO(CriticaVinculoInscricao("55", "1"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("55", "3"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("15", "3"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("15", "1"), "0271"_msg),
      CASO(CriticaVinculoInscricao("10", "3"), "0271"_msg),
      CASO(CriticaVinculoInscricao("95", "1"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("00", "1"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("15", ""), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("15", "0"), kSemOcorrencia),
      CASO(CriticaVinculoInscricao("15", "4"), kSemOcorrencia),

      // Apprentices are 14 to 18 in the base year; others over 16 or "3510".
      CASO(CriticaIdadeVinculo("55", "01011990", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("55", "01011986", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("55", "01011985", "2004"), "3502"_msg),
      CASO(CriticaIdadeVinculo("55", "01011991", "2004"), "3502"_msg),
      CASO(CriticaIdadeVinculo("55", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("55", "0101199", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("10", "01011988", "2004"), "3510"_msg),
      CASO(CriticaIdadeVinculo("10", "01011987", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("10", "", "2004"), kSemOcorrencia),
      CASO(CriticaIdadeVinculo("", "01011988", "2004"), kSemOcorrencia),

      CASO(CriticaVinculoCnae("10", "75116"), "3507"_msg),
      CASO(CriticaVinculoCnae("30", "75116"), kSemOcorrencia),
      CASO(CriticaVinculoCnae("35", "75116"), kSemOcorrencia),
      CASO(CriticaVinculoCnae("10", "15130"), kSemOcorrencia),
      CASO(CriticaVinculoNatJuridica("10", "1031"), "3519"_msg),
      CASO(CriticaVinculoNatJuridica("35", "1031"), kSemOcorrencia),
      CASO(CriticaVinculoNatJuridica("10", "2062"), kSemOcorrencia),
  });
}

TEST(RegrasContrato, DesligamentoEAvisoPrevio) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaDaDesligamento("", "2004"), "0292"_msg),
      CASO(CriticaDaDesligamento("151", "2004"), "0030"_msg),
      CASO(CriticaDaDesligamento("15A2", "2004"), "0040"_msg),
      CASO(CriticaDaDesligamento("15122", "2004"), NuMensagem::Excede()),
      CASO(CriticaDaDesligamento("0000", "2004"), kSemOcorrencia),
      CASO(CriticaDaDesligamento("2902", "2004"), kSemOcorrencia),
      CASO(CriticaDaDesligamento("2902", "2005"), "0292"_msg),
      CASO(CriticaDaDesligamento("3104", "2004"), "0292"_msg),

      CASO(CriticaCausaDesligamento("", ref), "0280"_msg),
      CASO(CriticaCausaDesligamento("1", ref), "0030"_msg),
      CASO(CriticaCausaDesligamento("1A", ref), "0040"_msg),
      CASO(CriticaCausaDesligamento("100", ref), NuMensagem::Excede()),
      CASO(CriticaCausaDesligamento("00", ref), kSemOcorrencia),
      CASO(CriticaCausaDesligamento("10", ref), kSemOcorrencia),
      CASO(CriticaCausaDesligamento("99", ref), "0280"_msg),

      CASO(CriticaDesligamentoCausa("1506", "71"), "3512"_msg),
      CASO(CriticaDesligamentoCausa("0000", "71"), kSemOcorrencia),
      CASO(CriticaDesligamentoCausa("0000", "10"), "0291"_msg),
      CASO(CriticaDesligamentoCausa("1506", "10"), kSemOcorrencia),
      CASO(CriticaDesligamentoCausa("1506", "00"), "0293"_msg),
      CASO(CriticaDesligamentoCausa("0000", "00"), kSemOcorrencia),
      CASO(CriticaDesligamentoCausa("", "10"), kSemOcorrencia),
      CASO(CriticaDesligamentoCausa("15A6", "10"), kSemOcorrencia),

      CASO(CriticaDesligamentoAdmissao("1005", "15052004", "2004"), "0290"_msg),
      CASO(CriticaDesligamentoAdmissao("3004", "15052004", "2004"), "0290"_msg),
      CASO(CriticaDesligamentoAdmissao("1505", "15052004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("1006", "15052004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("1005", "15052003", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("0000", "15052004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("100", "15052004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("1005", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("1005", "1505200", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoAdmissao("1005", "15052004", ""), kSemOcorrencia),

      CASO(CriticaDesligamentoEncerramento("1506", "10062004", "2004"), "3603"_msg),
      CASO(CriticaDesligamentoEncerramento("1006", "10062004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("1505", "10062004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("1506", "10062005", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("1506", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("1506", "1006200", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("0000", "10062004", "2004"), kSemOcorrencia),
      CASO(CriticaDesligamentoEncerramento("", "10062004", "2004"), kSemOcorrencia),

      // Every link of an establishment closed in the program's base year must end.
      CASO(CriticaCausaEncerramento("1", "2004", "", "2004"), "0281"_msg),
      CASO(CriticaCausaEncerramento("1", "2004", "00", "2004"), "0281"_msg),
      CASO(CriticaCausaEncerramento("1", "2004", "10", "2004"), kSemOcorrencia),
      CASO(CriticaCausaEncerramento("2", "2004", "", "2004"), kSemOcorrencia),
      CASO(CriticaCausaEncerramento("1", "2005", "", "2004"), kSemOcorrencia),

      CASO(CriticaAvisoPrevio(""), "0335"_msg),
      CASO(CriticaAvisoPrevio("1000"), "0030"_msg),
      CASO(CriticaAvisoPrevio("00000100A"), "0040"_msg),
      CASO(CriticaAvisoPrevio("1234567890"), NuMensagem::Excede()),
      CASO(CriticaAvisoPrevio("000000000"), kSemOcorrencia),
  });
}

TEST(RegrasContrato, Afastamentos) {
  Confere({
      CASO(CriticaMotivoAfastamento(""), "0030"_msg),
      CASO(CriticaMotivoAfastamento("1A"), "0040"_msg),
      CASO(CriticaMotivoAfastamento("100"), NuMensagem::Excede()),
      CASO(CriticaMotivoAfastamento("00"), kSemOcorrencia),
      CASO(CriticaMotivoAfastamento("10"), kSemOcorrencia),
      CASO(CriticaMotivoAfastamento("60"), kSemOcorrencia),
      CASO(CriticaMotivoAfastamento("15"), "3629"_msg),
      CASO(CriticaMotivoAfastamento("70"), "3629"_msg),

      CASO(CriticaDataAfastamento("", "2004"), "0030"_msg),
      CASO(CriticaDataAfastamento("15A2", "2004"), "0040"_msg),
      CASO(CriticaDataAfastamento("15021", "2004"), NuMensagem::Excede()),
      CASO(CriticaDataAfastamento("0000", "2004"), kSemOcorrencia),
      CASO(CriticaDataAfastamento("2902", "2004"), kSemOcorrencia),
      CASO(CriticaDataAfastamento("2902", "2005"), "3630"_msg),
      CASO(CriticaDataAfastamento("3204", "2004"), "3630"_msg),

      CASO(CriticaAfastamentoMotivo("0000", "10"), "3639"_msg),
      CASO(CriticaAfastamentoMotivo("1503", "10"), kSemOcorrencia),
      CASO(CriticaAfastamentoMotivo("1503", "00"), "0293"_msg),
      CASO(CriticaAfastamentoMotivo("0000", "00"), kSemOcorrencia),
      CASO(CriticaAfastamentoMotivo("", "10"), kSemOcorrencia),
      CASO(CriticaAfastamentoMotivo("15A3", "10"), kSemOcorrencia),

      CASO(CriticaAfastamentoAdmissao("1004", "15052004", "2004"), "3632"_msg),
      CASO(CriticaAfastamentoAdmissao("1505", "15052004", "2004"), kSemOcorrencia),
      CASO(CriticaAfastamentoAdmissao("1004", "15052003", "2004"), kSemOcorrencia),
      CASO(CriticaAfastamentoAdmissao("0000", "15052004", "2004"), kSemOcorrencia),

      CASO(CriticaAfastamentoDesligamento("1606", "1506"), "3631"_msg),
      CASO(CriticaAfastamentoDesligamento("0107", "3006"), "3631"_msg),
      CASO(CriticaAfastamentoDesligamento("1506", "1506"), kSemOcorrencia),
      CASO(CriticaAfastamentoDesligamento("1606", "0000"), kSemOcorrencia),
      CASO(CriticaAfastamentoDesligamento("1606", ""), kSemOcorrencia),
      CASO(CriticaAfastamentoDesligamento("160", "1506"), kSemOcorrencia),

      CASO(CriticaAfastamentoPeriodo("1506", "1406"), "3633"_msg),
      CASO(CriticaAfastamentoPeriodo("1506", "1506"), kSemOcorrencia),
      CASO(CriticaAfastamentoPeriodo("3006", "0107"), kSemOcorrencia),
      CASO(CriticaAfastamentoPeriodo("1506", "0000"), kSemOcorrencia),
      CASO(CriticaAfastamentoPeriodo("", "1406"), kSemOcorrencia),

      CASO(CriticaFimAfastamento("1506", ""), "3643"_msg),
      CASO(CriticaFimAfastamento("1506", "2006"), kSemOcorrencia),
      CASO(CriticaFimAfastamento("", ""), kSemOcorrencia),

      CASO(CriticaQtDiasAfastamento(""), "0030"_msg),
      CASO(CriticaQtDiasAfastamento("36A"), "0040"_msg),
      CASO(CriticaQtDiasAfastamento("1000"), NuMensagem::Excede()),
      CASO(CriticaQtDiasAfastamento("000"), kSemOcorrencia),
      CASO(CriticaQtDiasAfastamento("366"), kSemOcorrencia),
      CASO(CriticaQtDiasAfastamento("367"), "3640"_msg),

      CASO(CriticaDiasAfastamento("10", "", "", ""), "3644"_msg),
      CASO(CriticaDiasAfastamento("00", "", "50", "000"), "3644"_msg),
      CASO(CriticaDiasAfastamento("10", "", "", "030"), kSemOcorrencia),
      CASO(CriticaDiasAfastamento("00", "00", "", ""), kSemOcorrencia),
  });
}

TEST(RegrasContrato, CriticaRemuneracaoMesAceitaMesesParciaisAbaixoDoMinimo) {
  Confere({
      CASO(CriticaRemuneracaoMes("", "04", "1", "0000", "01012000", "2004"), "0315"_msg),
      CASO(CriticaRemuneracaoMes("2399", "04", "1", "0000", "01012000", "2004"), "0030"_msg),
      CASO(CriticaRemuneracaoMes("00002399A", "04", "1", "0000", "01012000", "2004"), "0040"_msg),
      CASO(CriticaRemuneracaoMes("1234567890", "04", "1", "0000", "01012000", "2004"), NuMensagem::Excede()),
      CASO(CriticaRemuneracaoMes("000000000", "04", "1", "0000", "01012000", "2004"), kSemOcorrencia),

      // Admitted before the base year: every month but the dismissal's is judged.
      CASO(CriticaRemuneracaoMes("000023999", "04", "1", "0000", "01012000", "2004"), "0312"_msg),
      CASO(CriticaRemuneracaoMes("000024000", "04", "1", "0000", "01012000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003599999", "04", "1", "0000", "01012000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003600000", "04", "1", "0000", "01012000", "2004"), "0313"_msg),
      CASO(CriticaRemuneracaoMes("000025999", "05", "1", "0000", "01012000", "2004"), "0312"_msg),
      CASO(CriticaRemuneracaoMes("003600000", "05", "1", "0000", "01012000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("000023999", "04", "1", "1504", "01012000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003600000", "04", "1", "1504", "01012000", "2004"), kSemOcorrencia),

      // Admitted in the base year: the admission and dismissal months only keep the ceiling.
      CASO(CriticaRemuneracaoMes("000023999", "04", "1", "0000", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003600000", "04", "1", "0000", "10042004", "2004"), "0313"_msg),
      CASO(CriticaRemuneracaoMes("000025999", "06", "1", "0000", "10042004", "2004"), "0312"_msg),
      CASO(CriticaRemuneracaoMes("000023999", "04", "1", "1504", "10012004", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003600000", "04", "1", "1504", "10012004", "2004"), "0313"_msg),

      // Other salary types: the ceiling only.
      CASO(CriticaRemuneracaoMes("000001000", "04", "5", "0000", "01012000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoMes("003600000", "04", "5", "0000", "01012000", "2004"), "0313"_msg),
  });
}

TEST(RegrasContrato, RemuneracaoFrenteAAdmissaoDesligamentoEMesAnterior) {
  std::array<long long, 12> valores{};
  valores[0] = 100;
  Confere({
      CASO(CriticaRemuneracaoAdmissao("03", "10042004", "2004"), "0310"_msg),
      CASO(CriticaRemuneracaoAdmissao("04", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("03", "10042003", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("00", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("03", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("03", "1004200", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("03", "10040000", "2004"), kSemOcorrencia),
      CASO(CriticaRemuneracaoAdmissao("03", "10042004", ""), kSemOcorrencia),

      CASO(CriticaRemuneracaoDesligamento("05", "1504"), "0311"_msg),
      CASO(CriticaRemuneracaoDesligamento("04", "1504"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDesligamento("05", "0000"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDesligamento("05", ""), kSemOcorrencia),
      CASO(CriticaRemuneracaoDesligamento("05", "150"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDesligamento("0A", "1504"), kSemOcorrencia),

      CASO(CriticaRemuneracaoDecimal("000150000", "02", "000015000"), "0314"_msg),
      CASO(CriticaRemuneracaoDecimal("000150000", "01", "000015000"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDecimal("000150000", "02", "000015001"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDecimal("000000000", "02", "000000000"), kSemOcorrencia),
      CASO(CriticaRemuneracaoDecimal("000150000", "02", "00001500A"), kSemOcorrencia),

      // Apprentice born in June: 18 in 2004 until June, 14 from June on.
      CASO(CriticaAprendizMes("07", "55", "15061986", "2004"), "3503"_msg),
      CASO(CriticaAprendizMes("06", "55", "15061986", "2004"), kSemOcorrencia),
      CASO(CriticaAprendizMes("05", "55", "15061990", "2004"), "3503"_msg),
      CASO(CriticaAprendizMes("06", "55", "15061990", "2004"), kSemOcorrencia),
      CASO(CriticaAprendizMes("07", "10", "15061986", "2004"), kSemOcorrencia),
      CASO(CriticaAprendizMes("07", "55", "", "2004"), kSemOcorrencia),
      CASO(CriticaAprendizMes("07", "55", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaAprendizMes("07", "55", "1506198", "2004"), kSemOcorrencia),

      CASO(CriticaRemuneracaoAfastamento(2, valores), "3634"_msg),
      CASO(CriticaRemuneracaoAfastamento(1, valores), kSemOcorrencia),
      CASO(CriticaRemuneracaoAfastamento(0, valores), kSemOcorrencia),
      CASO(CriticaRemuneracaoAfastamento(13, valores), kSemOcorrencia),
  });
}

TEST(RegrasContrato, MesesEValoresDoDecimoTerceiro) {
  Confere({
      CASO(CriticaMes13Adiantamento(""), "0322"_msg),
      CASO(CriticaMes13Adiantamento("1"), "0030"_msg),
      CASO(CriticaMes13Adiantamento("1A"), "0040"_msg),
      CASO(CriticaMes13Adiantamento("100"), NuMensagem::Excede()),
      CASO(CriticaMes13Adiantamento("00"), kSemOcorrencia),
      CASO(CriticaMes13Adiantamento("12"), kSemOcorrencia),
      CASO(CriticaMes13Adiantamento("13"), "0322"_msg),
      CASO(CriticaMes13Adiantamento("99"), "0322"_msg),
      CASO(CriticaMes13ParcelaFinal(""), "0322"_msg),
      CASO(CriticaMes13ParcelaFinal("1"), "0030"_msg),
      CASO(CriticaMes13ParcelaFinal("9A"), "0040"_msg),
      CASO(CriticaMes13ParcelaFinal("990"), NuMensagem::Excede()),
      CASO(CriticaMes13ParcelaFinal("00"), kSemOcorrencia),
      CASO(CriticaMes13ParcelaFinal("99"), kSemOcorrencia),
      CASO(CriticaMes13ParcelaFinal("13"), "0322"_msg),

      CASO(CriticaValor13Adiantamento(""), "0333"_msg),
      CASO(CriticaValor13Adiantamento("10000"), "0030"_msg),
      CASO(CriticaValor13Adiantamento("00001000A"), "0040"_msg),
      CASO(CriticaValor13Adiantamento("1234567890"), NuMensagem::Excede()),
      CASO(CriticaValor13Adiantamento("000010000"), kSemOcorrencia),
      CASO(CriticaValor13ParcelaFinal(""), "0334"_msg),
      CASO(CriticaValor13ParcelaFinal("10000"), "0030"_msg),
      CASO(CriticaValor13ParcelaFinal("00001000A"), "0040"_msg),
      CASO(CriticaValor13ParcelaFinal("1234567890"), NuMensagem::Excede()),

      CASO(CriticaAdiantamento13("", "000010000"), kSemOcorrencia),
      CASO(CriticaAdiantamento13("06", ""), kSemOcorrencia),
      CASO(CriticaAdiantamento13("0A", "000010000"), kSemOcorrencia),
      CASO(CriticaAdiantamento13("00", "000000000"), kSemOcorrencia),
      CASO(CriticaAdiantamento13("00", "000010000"), "0324"_msg),
      CASO(CriticaAdiantamento13("06", "000000000"), "0330"_msg),
      CASO(CriticaAdiantamento13("04", "003599999"), kSemOcorrencia),
      CASO(CriticaAdiantamento13("04", "003600000"), "0332"_msg),
      CASO(CriticaAdiantamento13("05", "003600000"), kSemOcorrencia),
      CASO(CriticaAdiantamento13("05", "003900000"), "0332"_msg),

      CASO(CriticaParcelaFinal13("", "000010000"), kSemOcorrencia),
      CASO(CriticaParcelaFinal13("12", ""), kSemOcorrencia),
      CASO(CriticaParcelaFinal13("00", "000000000"), kSemOcorrencia),
      CASO(CriticaParcelaFinal13("00", "000010000"), "0325"_msg),
      CASO(CriticaParcelaFinal13("12", "000000000"), "0331"_msg),
      CASO(CriticaParcelaFinal13("12", "000100000"), kSemOcorrencia),
      CASO(CriticaParcelaFinal13("99", "003900000"), "0332"_msg),
  });
}

TEST(RegrasContrato, DecimoTerceiroFrenteAAdmissaoEAoDesligamento) {
  Confere({
      CASO(CriticaMes13Admissao("03", "10042004", "2004"), "0320"_msg),
      CASO(CriticaMes13Admissao("04", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaMes13Admissao("03", "10042003", "2004"), kSemOcorrencia),
      CASO(CriticaMes13Admissao("00", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaMes13Admissao("03", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaMes13Admissao("", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaMes13Admissao("03", "10042004", ""), kSemOcorrencia),
      CASO(CriticaMes13Admissao("03", " 10042004", "2004"), "0320"_msg),
      // The screen's form takes its inputs as they are.
      CASO(CriticaMes13AdmissaoTela("03", "10042004", "2004"), "0320"_msg),
      CASO(CriticaMes13AdmissaoTela("04", "10042004", "2004"), kSemOcorrencia),
      CASO(CriticaMes13AdmissaoTela("03", "00000000", "2004"), kSemOcorrencia),
      CASO(CriticaMes13AdmissaoTela("03", " 10042004", "2004"), kSemOcorrencia),

      CASO(CriticaParcelaFinalAdiantamento("11", "11"), "0323"_msg),
      CASO(CriticaParcelaFinalAdiantamento("11", "10"), "0323"_msg),
      CASO(CriticaParcelaFinalAdiantamento("11", "99"), "0326"_msg),
      CASO(CriticaParcelaFinalAdiantamento("00", "99"), kSemOcorrencia),
      CASO(CriticaParcelaFinalAdiantamento("11", "12"), kSemOcorrencia),
      CASO(CriticaParcelaFinalAdiantamento("", "12"), kSemOcorrencia),
      CASO(CriticaParcelaFinalAdiantamento("1A", "12"), kSemOcorrencia),

      CASO(CriticaAdiantamentoDesligamento("06", "1505"), "0321"_msg),
      CASO(CriticaAdiantamentoDesligamento("05", "1505"), kSemOcorrencia),
      CASO(CriticaAdiantamentoDesligamento("00", "1505"), kSemOcorrencia),
      CASO(CriticaAdiantamentoDesligamento("06", "0000"), kSemOcorrencia),
      CASO(CriticaAdiantamentoDesligamento("06", ""), kSemOcorrencia),
      CASO(CriticaAdiantamentoDesligamento("AB", "1505"), kSemOcorrencia),

      CASO(CriticaParcelaFinalDesligamento("12", "1505"), "0321"_msg),
      CASO(CriticaParcelaFinalDesligamento("99", "1505"), kSemOcorrencia),
      CASO(CriticaParcelaFinalDesligamento("05", "1505"), kSemOcorrencia),
      CASO(CriticaParcelaFinalDesligamento("12", "0000"), kSemOcorrencia),
      CASO(CriticaParcelaFinalDesligamento("00", "1505"), kSemOcorrencia),
      CASO(CriticaParcelaFinalDesligamento("12", ""), kSemOcorrencia),
  });
}

}  // namespace
}  // namespace vornex
