#include "validation/regras_responsavel.h"

#include "fixture.h"
#include "validation/regras_declaracao.h"

namespace vornex {
namespace {

using namespace teste;

TEST(RegrasResponsavel, CriticaInscricaoResponsavelPeloComprimentoDigitado) {
  Confere({
      CASO(CriticaInscricaoResponsavel("", 11), "0055"_msg),
      CASO(CriticaInscricaoResponsavel("  ", 14), "0055"_msg),
      // Only the digits are tested against the typed length: a padded CPF is 14 long.
      CASO(CriticaInscricaoResponsavel("000111444777A5", 11), "0040"_msg),
      CASO(CriticaInscricaoResponsavel("00011144477735", 11), "0056"_msg),
      CASO(CriticaInscricaoResponsavel("00001114447773", 11), "0054"_msg),  // a fourth zero shifts the CPF
      CASO(CriticaInscricaoResponsavel("12311144477735", 11), "0054"_msg),
      CASO(CriticaInscricaoResponsavel("00000000000000", 11), "0055"_msg),
      CASO(CriticaInscricaoResponsavel("00011144477736", 11), "0054"_msg),
      CASO(CriticaInscricaoResponsavel("0001114447773", 11), "0054"_msg),   // not padded to 14
      CASO(CriticaInscricaoResponsavel("000111444777350", 11), "0054"_msg),  // longer than 14

      CASO(CriticaInscricaoResponsavel("00000000000000", 14), "0055"_msg),
      CASO(CriticaInscricaoResponsavel(kCnpjECei, 14), "0049"_msg),
      CASO(CriticaInscricaoResponsavel(kCnpj, 14), "0051"_msg),
      CASO(CriticaInscricaoResponsavel(kCei, 12), "0052"_msg),
      // The padded CPF above happens to be a valid CEI too: the typed length decides.
      CASO(CriticaInscricaoResponsavel("00011144477735", 12), "0052"_msg),
      CASO(CriticaInscricaoResponsavel("11222333000182", 14), "0054"_msg),
  });
}

TEST(RegrasResponsavel, TipoDeInscricao) {
  Confere({
      CASO(CriticaTipoInscricaoResp(""), "0128"_msg),
      CASO(CriticaTipoInscricaoResp("X"), "0040"_msg),
      CASO(CriticaTipoInscricaoResp("14"), NuMensagem::Excede()),
      CASO(CriticaTipoInscricaoResp("1"), kSemOcorrencia),
      CASO(CriticaTipoInscricaoResp("3"), kSemOcorrencia),
      CASO(CriticaTipoInscricaoResp("4"), kSemOcorrencia),
      CASO(CriticaTipoInscricaoResp("2"), "0129"_msg),
  });
}

TEST(RegrasDeclaracao, DatasDeGeracaoERetificacaoEm2005) {
  Confere({
      CASO(CriticaDaGeracao(""), "0030"_msg),
      CASO(CriticaDaGeracao("0101200A"), "0040"_msg),
      CASO(CriticaDaGeracao("010120051"), NuMensagem::Excede()),
      CASO(CriticaDaGeracao("00000000"), "0420"_msg),
      CASO(CriticaDaGeracao("01012005"), kSemOcorrencia),
      CASO(CriticaDaGeracao("31122005"), kSemOcorrencia),
      CASO(CriticaDaGeracao("31122004"), "0420"_msg),
      CASO(CriticaDaGeracao("01012006"), "0423"_msg),
      CASO(CriticaDaGeracao("30022005"), "0421"_msg),

      CASO(CriticaDaRetificacao(true, ""), "0030"_msg),
      CASO(CriticaDaRetificacao(true, "1503200A"), "0040"_msg),
      CASO(CriticaDaRetificacao(false, "150320051"), NuMensagem::Excede()),
      CASO(CriticaDaRetificacao(true, "00000000"), "0410"_msg),
      CASO(CriticaDaRetificacao(true, "15032005"), kSemOcorrencia),
      CASO(CriticaDaRetificacao(true, "31122004"), "0410"_msg),
      CASO(CriticaDaRetificacao(true, "01012006"), "0413"_msg),
      CASO(CriticaDaRetificacao(true, "32012005"), "0412"_msg),
      CASO(CriticaDaRetificacao(false, "00000000"), kSemOcorrencia),
      CASO(CriticaDaRetificacao(false, "15032005"), "0411"_msg),
      CASO(CriticaDaRetificacao(false, ""), "0030"_msg),
  });
}

}  // namespace
}  // namespace vornex
