#include "validation/regras_endereco.h"

#include "fixture.h"

namespace vornex {
namespace {

using namespace teste;

TEST(RegrasEndereco, LogradouroNumeroComplementoEBairro) {
  Confere({
      CASO(CriticaLogradouro(""), "0120"_msg),
      CASO(CriticaLogradouro("RUA AAAA"), "3100"_msg),
      CASO(CriticaLogradouro("AV"), "0010"_msg),
      CASO(CriticaLogradouro("RUA D'ELIA"), "0020"_msg),
      CASO(CriticaLogradouro("RUA DAS FLORES"), kSemOcorrencia),

      CASO(CriticaNumeroEndereco("000123"), kSemOcorrencia),
      CASO(CriticaNumeroEndereco(""), "0030"_msg),
      CASO(CriticaNumeroEndereco("12A456"), "0040"_msg),
      CASO(CriticaNumeroEndereco("1234567"), NuMensagem::Excede()),

      CASO(CriticaComplemento(""), kSemOcorrencia),
      CASO(CriticaComplemento("SALA 'A'"), "0020"_msg),
      CASO(CriticaComplemento("APTO 1111"), "3100"_msg),
      CASO(CriticaComplemento("FUNDOS"), kSemOcorrencia),

      CASO(CriticaComplementoSemNumero("000000", ""), "0120"_msg),
      CASO(CriticaComplementoSemNumero("", "  "), "0120"_msg),
      CASO(CriticaComplementoSemNumero("000000", "FUNDOS"), kSemOcorrencia),
      CASO(CriticaComplementoSemNumero("000123", ""), kSemOcorrencia),

      CASO(CriticaBairro(""), kSemOcorrencia),
      CASO(CriticaBairro("JD"), "0010"_msg),
      CASO(CriticaBairro("CENTRO"), kSemOcorrencia),
      CASO(CriticaNomeMunicipio(""), "0093"_msg),
      CASO(CriticaNomeMunicipio("D'OESTE"), "0020"_msg),
      CASO(CriticaNomeMunicipio("ITU"), kSemOcorrencia),
  });
}

TEST(RegrasEndereco, CepMunicipioEUf) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaCep(""), "0081"_msg),
      CASO(CriticaCep("0130010"), "0030"_msg),
      CASO(CriticaCep("0130010A"), "0040"_msg),
      CASO(CriticaCep("013101001"), NuMensagem::Excede()),
      CASO(CriticaCep("00000000"), "0081"_msg),
      CASO(CriticaCep("00100000"), "0080"_msg),
      CASO(CriticaCep("01310100"), kSemOcorrencia),

      CASO(CriticaMunicipio("", ref), "0092"_msg),
      CASO(CriticaMunicipio("355030", ref), "0030"_msg),
      CASO(CriticaMunicipio("35503O8", ref), "0040"_msg),
      CASO(CriticaMunicipio("35503080", ref), NuMensagem::Excede()),
      CASO(CriticaMunicipio("0000000", ref), "0092"_msg),
      CASO(CriticaMunicipio("3550308", ref), kSemOcorrencia),
      CASO(CriticaMunicipio("3599999", ref), "0090"_msg),

      CASO(CriticaUf("", ref), "0101"_msg),
      CASO(CriticaUf("00", ref), "0101"_msg),
      CASO(CriticaUf("SP", ref), kSemOcorrencia),
      CASO(CriticaUf("sp", ref), kSemOcorrencia),  // the abbreviation index ignores case
      CASO(CriticaUf("XX", ref), "0100"_msg),

      CASO(CriticaUfMunicipio("", "SP", ref), kSemOcorrencia),
      CASO(CriticaUfMunicipio("0000000", "SP", ref), kSemOcorrencia),
      CASO(CriticaUfMunicipio("3550308", "", ref), kSemOcorrencia),
      CASO(CriticaUfMunicipio("3550308", "SP", ref), kSemOcorrencia),
      CASO(CriticaUfMunicipio("3550308", "MG", ref), "0091"_msg),
      CASO(CriticaUfMunicipio("9900000", "SP", ref), kSemOcorrencia),
  });
}

TEST(RegrasEndereco, CriticaCepMunicipioPorPrefixoFaixasEExcecoes) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaCepMunicipio("", "3500105", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("00000000", "3500105", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("17800000", "", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("17800000", "0000000", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("17800000", "3599999", false, ref), kSemOcorrencia),  // CriticaMunicipio's finding

      // One prefix (17800), or the state's exceptions (SP: 11300-19300 and 09000).
      CASO(CriticaCepMunicipio("17800123", "3500105", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("17900000", "3500105", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("09000123", "3500105", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("20000000", "3500105", false, ref), "0082"_msg),
      CASO(CriticaCepMunicipio("76954000", "1100015", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("78939000", "1100015", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("76955000", "1100015", false, ref), "0082"_msg),
      CASO(CriticaCepMunicipio("69946000", "1200013", false, ref), "0082"_msg),  // AC has no exceptions

      // No CoCep: any CEP when asked to accept it, else only the exceptions (MG: 33000-39848).
      CASO(CriticaCepMunicipio("30000000", "3100104", true, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("30000000", "3100104", false, ref), "0082"_msg),
      CASO(CriticaCepMunicipio("33000000", "3100104", false, ref), kSemOcorrencia),

      // Ranges 01000-05999 and 08000-08499: the gap between them passes, outside the
      // second goes to the exceptions.
      CASO(CriticaCepMunicipio("01000000", "3550308", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("05999999", "3550308", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("08100000", "3550308", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("07000000", "3550308", false, ref), "0082"_msg),
      CASO(CriticaCepMunicipio("08500000", "3550308", false, ref), "0082"_msg),
      CASO(CriticaCepMunicipio("12000000", "3550308", false, ref), kSemOcorrencia),
      CASO(CriticaCepMunicipio("70000000", "5300108", false, ref), "0082"_msg),  // no tb8FXCEP row
  });
}

TEST(RegrasEndereco, CriticaCepExcecaoListasEFaixasPorEstado) {
  Confere({
      CASO(CriticaCepExcecao("1780000A", "3500105"), kSemOcorrencia),
      CASO(CriticaCepExcecao("17800000", "35001A5"), kSemOcorrencia),
      CASO(CriticaCepExcecao("11300000", "3500105"), kSemOcorrencia),
      CASO(CriticaCepExcecao("19300999", "3500105"), kSemOcorrencia),
      CASO(CriticaCepExcecao("19301000", "3500105"), "0082"_msg),
      CASO(CriticaCepExcecao("09000000", "3500105"), kSemOcorrencia),
      CASO(CriticaCepExcecao("09001000", "3500105"), "0082"_msg),
      CASO(CriticaCepExcecao("58124000", "2500106"), kSemOcorrencia),
      CASO(CriticaCepExcecao("58978999", "2500106"), kSemOcorrencia),
      CASO(CriticaCepExcecao("58979000", "2500106"), "0082"_msg),
      CASO(CriticaCepExcecao("59950000", "2400109"), kSemOcorrencia),
      CASO(CriticaCepExcecao("59951000", "2400109"), "0082"_msg),
      CASO(CriticaCepExcecao("73499000", "5300108"), kSemOcorrencia),
      CASO(CriticaCepExcecao("12345000", "9900000"), "0082"_msg),  // state not in the list
  });
}

TEST(RegrasEndereco, CriticaCepUfPercorreAsFaixasDoEstado) {
  const ReferenciasTeste ref;
  Confere({
      CASO(CriticaCepUf("", "35", ref), kSemOcorrencia),
      CASO(CriticaCepUf("00000000", "35", ref), kSemOcorrencia),
      CASO(CriticaCepUf("01310100", "", ref), kSemOcorrencia),
      CASO(CriticaCepUf("01310100", "00", ref), kSemOcorrencia),
      CASO(CriticaCepUf("0131010A", "35", ref), kSemOcorrencia),
      CASO(CriticaCepUf("01310100", "35", ref), kSemOcorrencia),
      CASO(CriticaCepUf("30000000", "35", ref), "0083"_msg),
      CASO(CriticaCepUf("73000000", "53", ref), kSemOcorrencia),  // second range of the state
      CASO(CriticaCepUf("72800000", "53", ref), "0083"_msg),
      CASO(CriticaCepUf("01310100", "99", ref), "0083"_msg),  // a state without ranges
  });
}

TEST(RegrasEndereco, ContatoEDdds) {
  Confere({
      CASO(CriticaDdd(""), kSemOcorrencia),
      CASO(CriticaDdd("11"), kSemOcorrencia),
      CASO(CriticaDdd("1A"), "0400"_msg),
      CASO(CriticaTelefone(""), kSemOcorrencia),
      CASO(CriticaTelefone("32145678"), kSemOcorrencia),
      CASO(CriticaTelefone("3214-567"), "0401"_msg),

      CASO(CriticaDddTelefone("11", "32145678"), kSemOcorrencia),
      CASO(CriticaDddTelefone("00", "32145678"), "3101"_msg),
      CASO(CriticaDddTelefone("11", ""), "3101"_msg),
      CASO(CriticaDddTelefone("", "00000000"), "3102"_msg),

      CASO(CriticaEmail(""), kSemOcorrencia),
      CASO(CriticaEmail("a'b@x.com"), "0020"_msg),
      CASO(CriticaEmail("contato.empresa.com.br"), "3627"_msg),
      CASO(CriticaEmail("contato@empresa.com.br"), kSemOcorrencia),
  });
}

TEST(RegrasEndereco, CriticaDddUfPelaTabelaDosEstados) {
  for (auto uf : {"17", "29", "31", "52", "53"}) EXPECT_EQ(CriticaDddUf("61", uf), kSemOcorrencia) << uf;
  Confere({
      CASO(CriticaDddUf("61", "35"), "0402"_msg),
      CASO(CriticaDddUf("11", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("19", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("21", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("20", "35"), "0402"_msg),
      CASO(CriticaDddUf("1", "35"), "0402"_msg),
      CASO(CriticaDddUf("46", "41"), kSemOcorrencia),
      CASO(CriticaDddUf("47", "41"), "0402"_msg),
      CASO(CriticaDddUf("", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("00", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("1A", "35"), kSemOcorrencia),
      CASO(CriticaDddUf("11", ""), kSemOcorrencia),
      CASO(CriticaDddUf("11", "00"), kSemOcorrencia),
      CASO(CriticaDddUf("11", "3A"), kSemOcorrencia),
      CASO(CriticaDddUf("11", "99"), kSemOcorrencia),  // state not in the table
  });
}

TEST(RegrasEndereco, CriticaMunicipioCepUfDaOStatusEAMensagem) {
  const ReferenciasTeste ref;
  const TCriticaZema critica(ref);
  using S = TCriticaZema::Status;
  struct {
    std::string_view municipio, cep;
    S status;
    NuMensagem mensagem;
    std::string_view nome, uf;
  } casos[] = {
      {"", "01310100", S::MunicipioInvalido, "0092"_msg, "", ""},
      {"3599999", "01310100", S::MunicipioInvalido, "0090"_msg, "", ""},
      {"3550308", "01310100", S::Valido, kSemOcorrencia, "SAO PAULO", "SP"},
      {"3100104", "33000000", S::Valido, kSemOcorrencia, "ABADIA DOS DOURADOS", "MG"},
      {"3500105", "20000000", S::CepForaDaUf, "0083"_msg, "ADAMANTINA", "SP"},
      {"3500105", "01310100", S::CepForaDoMunicipio, "0082"_msg, "ADAMANTINA", "SP"},
      {"3100104", "31000000", S::MunicipioSemCep, kSemOcorrencia, "ABADIA DOS DOURADOS", "MG"},
  };
  for (const auto& c : casos) {
    const auto r = critica.CriticaMunicipioCepUf(c.municipio, c.cep);
    EXPECT_EQ(r.status, c.status) << c.municipio << " " << c.cep;
    EXPECT_EQ(r.mensagem, c.mensagem) << c.municipio << " " << c.cep;
    EXPECT_EQ(r.noMunicipio, c.nome) << c.municipio << " " << c.cep;
    EXPECT_EQ(r.sgUf, c.uf) << c.municipio << " " << c.cep;
  }
}

}  // namespace
}  // namespace vornex
