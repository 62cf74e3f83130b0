#include "validation/regras_estabelecimento.h"

#include "fixture.h"

namespace vornex {
namespace {

using namespace teste;

TEST(RegrasEstabelecimento, CriticaCnpjCeiDizComoOQueAInscricaoEValida) {
  Confere({
      CASO(CriticaCnpjCei(""), "0055"_msg),
      CASO(CriticaCnpjCei("   "), "0055"_msg),
      CASO(CriticaCnpjCei("1122233300018A"), "0040"_msg),
      CASO(CriticaCnpjCei("1122233300018"), "0030"_msg),
      CASO(CriticaCnpjCei("112223330001811"), NuMensagem::Excede()),
      CASO(CriticaCnpjCei("00000000000000"), "0055"_msg),
      CASO(CriticaCnpjCei(kCnpjECei), "0050"_msg),
      CASO(CriticaCnpjCei(kCnpj), "0051"_msg),
      CASO(CriticaCnpjCei(" 11222333000181 "), "0051"_msg),
      CASO(CriticaCnpjCei(kCeiFilial0000), "0052"_msg),
      CASO(CriticaCnpjCei(kCei), "0052"_msg),
      CASO(CriticaCnpjCei("11222333000182"), "0053"_msg),
  });
}

TEST(RegrasEstabelecimento, TipoEInscricaoDoEstabelecimento) {
  Confere({
      CASO(CriticaTipoInscricaoEstab(""), "0132"_msg),
      CASO(CriticaTipoInscricaoEstab("A"), "0040"_msg),
      CASO(CriticaTipoInscricaoEstab("13"), NuMensagem::Excede()),
      CASO(CriticaTipoInscricaoEstab("1"), kSemOcorrencia),
      CASO(CriticaTipoInscricaoEstab("3"), kSemOcorrencia),
      CASO(CriticaTipoInscricaoEstab("4"), "0130"_msg),

      CASO(CriticaInscricaoTipo("", "1"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo("00000000000000", "1"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo(kCnpj, ""), kSemOcorrencia),
      CASO(CriticaInscricaoTipo(kCnpj, "0"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo(kCnpj, "1"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo(kCnpj, "3"), "0131"_msg),
      CASO(CriticaInscricaoTipo(kCei, "3"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo(kCei, "1"), "0131"_msg),
      CASO(CriticaInscricaoTipo(kCnpjECei, "3"), kSemOcorrencia),
      CASO(CriticaInscricaoTipo("123", "1"), "0131"_msg),  // short text: invalid, never read past
      CASO(CriticaInscricaoTipo(kCnpj, "4"), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, PrefixoECeiVinculado) {
  Confere({
      CASO(CriticaPrefixo(""), "0061"_msg),
      CASO(CriticaPrefixo("0A"), kSemOcorrencia),
      CASO(CriticaPrefixo("9Z"), kSemOcorrencia),
      CASO(CriticaPrefixo(" 00 "), kSemOcorrencia),
      CASO(CriticaPrefixo("a0"), "0060"_msg),
      CASO(CriticaPrefixo("0a"), "0060"_msg),
      CASO(CriticaPrefixo("-1"), "0060"_msg),
      CASO(CriticaPrefixo("A"), "0062"_msg),
      CASO(CriticaPrefixo("ABC"), NuMensagem::Excede()),

      CASO(CriticaCeiVinculado(""), "0431"_msg),
      CASO(CriticaCeiVinculado("0011122233344X"), "0040"_msg),
      CASO(CriticaCeiVinculado("111222333443"), "0030"_msg),
      CASO(CriticaCeiVinculado("001112223334430"), NuMensagem::Excede()),
      CASO(CriticaCeiVinculado("00000000000000"), kSemOcorrencia),
      CASO(CriticaCeiVinculado(kCei), kSemOcorrencia),
      CASO(CriticaCeiVinculado(kCnpj), "0430"_msg),

      // Untrimmed: the type must be exactly "3".
      CASO(CriticaCeiVinculadoTipo("3", "00000000000000"), kSemOcorrencia),
      CASO(CriticaCeiVinculadoTipo("1", kCei), kSemOcorrencia),
      CASO(CriticaCeiVinculadoTipo("3", kCei), "0350"_msg),
      CASO(CriticaCeiVinculadoTipo("3 ", kCei), kSemOcorrencia),

      CASO(CriticaNegativaInscricao("0", "3", kCei), kSemOcorrencia),
      CASO(CriticaNegativaInscricao(" 1", "3", kCei), kSemOcorrencia),
      CASO(CriticaNegativaInscricao("1", "3", "00000000000000"), "0133"_msg),
      CASO(CriticaNegativaInscricao("1", "1", kCei), "0133"_msg),
      CASO(CriticaNegativaInscricao("1", "1", "00000000000000"), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, RazaoSocialEAsRaizesReservadas) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaRazaoSocial("", "", ref), "0110"_msg),
      CASO(CriticaRazaoSocial("AB", "", ref), "0010"_msg),
      CASO(CriticaRazaoSocial("D'AVILA LTDA", "", ref), "0020"_msg),
      CASO(CriticaRazaoSocial("matriz", "", ref), "0111"_msg),
      CASO(CriticaRazaoSocial(" Filial ", kCnpj, ref), "0111"_msg),
      CASO(CriticaRazaoSocial("PADARIA BOM PAO", "", ref), kSemOcorrencia),
      CASO(CriticaRazaoSocial("PADARIA BOM PAO", kCnpjECei, ref), kSemOcorrencia),
      // 11222333 is reserved for "EMPRESA RESERVA": compared on the first 15 characters, upper-cased.
      CASO(CriticaRazaoSocial("PADARIA BOM PAO", kCnpj, ref), "0053"_msg),
      CASO(CriticaRazaoSocial("EMPRESA RESERV", kCnpj, ref), "0053"_msg),
      CASO(CriticaRazaoSocial("Empresa Reserva S/A", kCnpj, ref), kSemOcorrencia),
      CASO(CriticaRazaoSocial("EMPRESA RESERVA", "11222333000262", ref), kSemOcorrencia),
      CASO(CriticaRazaoSocial("PADARIA", "1122", ref), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, CnaeENaturezaJuridica) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaCnae("", ref), "0360"_msg),
      CASO(CriticaCnae("0", ref), "0030"_msg),  // zeros are judged after the width
      CASO(CriticaCnae("7040A", ref), "0040"_msg),
      CASO(CriticaCnae("704080", ref), NuMensagem::Excede()),
      CASO(CriticaCnae("00000", ref), "0360"_msg),
      CASO(CriticaCnae("70408", ref), kSemOcorrencia),
      CASO(CriticaCnae("99999", ref), "0361"_msg),

      CASO(CriticaNatJuridica("", ref), "0370"_msg),
      CASO(CriticaNatJuridica("00", ref), "0030"_msg),
      CASO(CriticaNatJuridica("10A1", ref), "0040"_msg),
      CASO(CriticaNatJuridica("10311", ref), NuMensagem::Excede()),
      CASO(CriticaNatJuridica("0000", ref), "0370"_msg),
      CASO(CriticaNatJuridica("1031", ref), kSemOcorrencia),
      CASO(CriticaNatJuridica("9999", ref), "0371"_msg),

      CASO(CriticaCnaeRazao("70408", "CONDOMINIO EDIFICIO SOL"), kSemOcorrencia),
      CASO(CriticaCnaeRazao("15130", "Condominio Sol"), "0362"_msg),
      CASO(CriticaCnaeRazao("15130", "EDIFICIO ALFA"), "0362"_msg),
      CASO(CriticaCnaeRazao("70408", "EDIFICIO ALFA"), kSemOcorrencia),
      CASO(CriticaCnaeRazao("15130", "PREFEITURA MUNICIPAL"), "0363"_msg),
      CASO(CriticaCnaeRazao("75116", "PREFEITURA MUNICIPAL"), kSemOcorrencia),
      CASO(CriticaCnaeRazao("15130", "PREF."), "0363"_msg),
      // The first ten characters are compared whole: an abbreviation followed by more text is not caught.
      CASO(CriticaCnaeRazao("15130", "PREF. MUNICIPAL"), kSemOcorrencia),
      CASO(CriticaCnaeRazao("15130", "PADARIA"), kSemOcorrencia),

      CASO(CriticaNatJuridicaRazao("2062", "PREFEITURA DE ITU"), "0372"_msg),
      CASO(CriticaNatJuridicaRazao("2062", "pref"), "0372"_msg),
      CASO(CriticaNatJuridicaRazao("1031", "PREFEITURA DE ITU"), kSemOcorrencia),
      CASO(CriticaNatJuridicaRazao("2062", "PADARIA"), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, PorteSimplesEUso) {
  Confere({
      CASO(CriticaPorte("1"), kSemOcorrencia),
      CASO(CriticaPorte("3"), kSemOcorrencia),
      CASO(CriticaPorte("4"), "3124"_msg),
      CASO(CriticaPorte(" 1"), "3124"_msg),  // untrimmed
      CASO(CriticaPorte(""), "3124"_msg),
      CASO(CriticaSimples("2"), kSemOcorrencia),
      CASO(CriticaSimples("3"), "3604"_msg),
      CASO(CriticaSimples(""), "3604"_msg),
      CASO(CriticaSimplesPorte("1", "3"), "3125"_msg),
      CASO(CriticaSimplesPorte("", "3"), "3125"_msg),
      CASO(CriticaSimplesPorte("2", "3"), kSemOcorrencia),
      CASO(CriticaSimplesPorte("1", "1"), kSemOcorrencia),
      CASO(CriticaUsoEmpresa(""), kSemOcorrencia),
      CASO(CriticaUsoEmpresa("USO INTERNO"), kSemOcorrencia),
      CASO(CriticaUsoEmpresa("O'BRIEN"), "0020"_msg),
  });
}

TEST(RegrasEstabelecimento, DataBaseEDeclaracaoNegativa) {
  Confere({
      CASO(CriticaMesDataBase(""), "0030"_msg),
      CASO(CriticaMesDataBase("1"), "0030"_msg),
      CASO(CriticaMesDataBase("1A"), "0040"_msg),
      CASO(CriticaMesDataBase("123"), NuMensagem::Excede()),
      CASO(CriticaMesDataBase("00"), kSemOcorrencia),
      CASO(CriticaMesDataBase("12"), kSemOcorrencia),
      CASO(CriticaMesDataBase("13"), "0071"_msg),

      CASO(CriticaIndicadorNegativa(""), "0140"_msg),
      CASO(CriticaIndicadorNegativa("A"), "0040"_msg),
      CASO(CriticaIndicadorNegativa("10"), NuMensagem::Excede()),
      CASO(CriticaIndicadorNegativa("0"), kSemOcorrencia),
      CASO(CriticaIndicadorNegativa("1"), kSemOcorrencia),
      CASO(CriticaIndicadorNegativa("2"), "0140"_msg),

      // Month 00 passes its own rule but not on a declaration with employees.
      CASO(CriticaDataBaseNegativa("00", "0"), "0070"_msg),
      CASO(CriticaDataBaseNegativa("00", "1"), kSemOcorrencia),
      CASO(CriticaDataBaseNegativa("05", "0"), kSemOcorrencia),
      CASO(CriticaDataBaseNegativa("", "0"), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, CriticaEncerramentoAceitaOAnoBaseEOSeguinte) {
  Confere({
      CASO(CriticaEncerramento("1", "", "2004", false), "3513"_msg),
      CASO(CriticaEncerramento("1", "00000000", "2004", false), "3513"_msg),
      CASO(CriticaEncerramento("1", "1506200", "2004", false), "0030"_msg),
      CASO(CriticaEncerramento("1", "150620A5", "2004", false), "0040"_msg),
      CASO(CriticaEncerramento("1", "150620051", "2004", false), NuMensagem::Excede()),
      CASO(CriticaEncerramento("1", "31022005", "2004", false), "3514"_msg),
      CASO(CriticaEncerramento("1", "01012004", "2004", false), kSemOcorrencia),
      CASO(CriticaEncerramento("1", "15062005", "2004", false), kSemOcorrencia),
      CASO(CriticaEncerramento("1", "31122005", "2004", false), kSemOcorrencia),
      CASO(CriticaEncerramento("1", "31122003", "2004", false), "3516"_msg),
      CASO(CriticaEncerramento("1", "01012006", "2004", false), "3516"_msg),

      // Did not close: the date must be absent, zeros or a bare DDMM.
      CASO(CriticaEncerramento("2", "15062005", "2004", false), "3515"_msg),
      CASO(CriticaEncerramento("0", "15062005", "2004", true), "3515"_msg),
      CASO(CriticaEncerramento("2", "", "2004", false), kSemOcorrencia),
      CASO(CriticaEncerramento("2", "", "2004", true), "3514"_msg),
      CASO(CriticaEncerramento("2", "1506", "2004", true), kSemOcorrencia),
      CASO(CriticaEncerramento("2", "00000000", "2004", true), kSemOcorrencia),
  });
}

TEST(RegrasEstabelecimento, Pat) {
  using P = std::array<std::string_view, 6>;
  Confere({
      CASO(CriticaParticipaPat(""), "3608"_msg),
      CASO(CriticaParticipaPat("1"), kSemOcorrencia),
      CASO(CriticaParticipaPat("2"), kSemOcorrencia),
      CASO(CriticaParticipaPat("3"), "3602"_msg),

      CASO(CriticaNuVinculoPat(""), kSemOcorrencia),
      CASO(CriticaNuVinculoPat("000010"), kSemOcorrencia),
      CASO(CriticaNuVinculoPat("10"), "0030"_msg),
      CASO(CriticaNuVinculoPat("00001A"), "0040"_msg),
      CASO(CriticaNuVinculoPat("1234567"), NuMensagem::Excede()),

      CASO(CriticaPercentualPat(""), kSemOcorrencia),
      CASO(CriticaPercentualPat("5A0"), "0040"_msg),
      CASO(CriticaPercentualPat("50"), "0030"_msg),
      CASO(CriticaPercentualPat("1000"), NuMensagem::Excede()),
      CASO(CriticaPercentualPat("100"), kSemOcorrencia),
      CASO(CriticaPercentualPat("101"), "3521"_msg),

      CASO(CriticaPatQuantidades("2", "000000", ""), kSemOcorrencia),
      CASO(CriticaPatQuantidades("2", "", "1"), "3525"_msg),
      CASO(CriticaPatQuantidades("1", "000100", "000200"), kSemOcorrencia),

      CASO(CriticaPatPercentuais("2", P{"000", "", "", "", "", "0"}), kSemOcorrencia),
      CASO(CriticaPatPercentuais("2", P{"", "", "", "", "", "010"}), "3526"_msg),
      CASO(CriticaPatPercentuais("", P{"001", "", "", "", "", ""}), "3526"_msg),
      CASO(CriticaPatPercentuais("1", P{"050", "", "", "", "", "50"}), kSemOcorrencia),
      CASO(CriticaPatPercentuais("1", P{"050", "", "", "", "", "051"}), "3601"_msg),
  });
}

}  // namespace
}  // namespace vornex
