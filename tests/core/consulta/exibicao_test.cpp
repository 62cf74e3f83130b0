#include "consulta/exibicao.h"

#include <gtest/gtest.h>

#include <string>

#include "../data/apoio.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabelas.h"

using namespace vornex;

namespace {

struct Caso {
  const char* coluna;     // set in the row (none: the row as it is)
  const char* valor;
  const char* exibido;    // the key shown
  const char* esperado;
};

class ExibicaoConsulta : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta_ = new teste::PastaTemporaria;
    teste::CopiaPastaInicializada(pasta_->caminho());
    Conexao c = AbreZema2004(pasta_->caminho());
    ref_ = new TabelasReferencia(TabelasReferencia::Carrega(c));
  }
  static void TearDownTestSuite() {
    delete ref_;
    delete pasta_;
  }

  // Each case alone on an otherwise empty row of `tabela`.
  template <typename Exibe>
  void Confere(const char* tabela, std::initializer_list<Caso> casos, Exibe exibe) {
    for (const Caso& k : casos) {
      SCOPED_TRACE(std::string(k.coluna) + "=" + k.valor);
      Linha l = DefinicaoSistema(tabela)->novaLinha();
      if (*k.coluna) l[k.coluna] = k.valor;
      const CamposExibidos c = exibe(l);
      ASSERT_TRUE(c.count(k.exibido)) << k.exibido;
      EXPECT_EQ(c.at(k.exibido), k.esperado);
    }
  }

  static teste::PastaTemporaria* pasta_;
  static TabelasReferencia* ref_;
};

teste::PastaTemporaria* ExibicaoConsulta::pasta_ = nullptr;
TabelasReferencia* ExibicaoConsulta::ref_ = nullptr;

TEST(ValorConsulta, BrancosPeloTamanho) {
  struct {
    const char* valor;
    int brancos;
    const char* texto;
  } casos[] = {
      {"000150000", 7, "1.500,00"},   {"000000000", 14, "0,00"},        {"", 0, "Erro"},
      {"000001234", 12, "12,34"},     {"000012345", 11, "123,45"},      {"001234567", 5, "12.345,67"},
      {"012345678", 3, "123.456,78"}, {"123456789", 0, "1.234.567,89"}, {" 12A ", 0, "12A"},
  };
  for (const auto& c : casos)
    EXPECT_EQ(FormataValorConsulta(c.valor), std::string(c.brancos, ' ') + c.texto) << c.valor;
}

TEST_F(ExibicaoConsulta, Vinculo) {
  Confere(
      "Bd8vinc",
      {
          {"VaSalContratualEmpregado", "000150000", "VaSalContratualEmpregado", "       1.500,00"},
          {"", "", "VaJaneiroEmpregado", "              0,00"},  // empty: zero
          {"CoPisPasepEmpregado", "12345678901", "CoPisPasepEmpregado", "123.45678.90.1"},
          {"DaAdmissaoEmpregado", "01022004", "DaAdmissaoEmpregado", "01/02/2004"},
          {"CoCpfEmpregado", "12345678901", "CoCpfEmpregado", "123.456.789-01"},
          {"CoCpfEmpregado", "00000000000", "CoCpfEmpregado", ""},
          {"AnChegadaEmpregado", "0000", "AnChegadaEmpregado", ""},
          {"InSexo", "1", "InSexo", "M"},
          {"InSexo", "2", "InSexo", "F"},
          {"InSexo", "X", "InSexo", " "},
          {"InDeficienteFisico", "X", "InDeficienteFisico", "Sim"},
          {"InAlvaraEmpregado", "0", "InAlvaraEmpregado", "Não"},
          {"CoNacionalidade", "10", "CoNacionalidade", "10 - Brasileira"},
          {"CoNacionalidade", "77", "CoNacionalidade", "77"},  // unknown: the code alone
          {"CoCbo", "212405", "CoCbo", "2124-05 - Analista de desenvolvimento de sistemas"},
          {"CoCausaDesligamento", "00", "CoCausaDesligamento", "   "},
          {"DaDesligamentoEmpregado", "1503", "DaDesligamentoEmpregado", "15/03"},
          {"DaDesligamentoEmpregado", "0000", "DaDesligamentoEmpregado", ""},
          {"Me13ParcelaFinalEmpregado", "12", "Me13ParcelaFinalEmpregado", "12 - Dezembro"},
          {"Me13ParcelaFinalEmpregado", "00", "Me13ParcelaFinalEmpregado", ""},
          {"CoMotivoPrimAfas", "10", "NoMotivoPrimAfas", "Acidente do trabalho típico"},
          {"CoMotivoSeguAfas", "00", "CoMotivoSeguAfas", ""},
          {"QtDiasAfas", "000", "QtDiasAfas", ""},
      },
      [](const Linha& l) { return ExibeVinculoArquivo(l, *ref_); });
}

TEST_F(ExibicaoConsulta, EstabelecimentoEResponsavel) {
  Confere(
      "Bd8emp",
      {
          {"InZemaNegEstabelecimento", "1", kPainelDeclaracao, "ZEMA sem Empregados"},
          {"InZemaNegEstabelecimento", "1", "NuVinculosEstabelecimento", ""},
          {"InPorte", "2", kPainelPorte, "Pequeno Porte"},
          {"InOptanteSimples", "1", kPainelPorte, "  e Opta pelo Simples"},
          {"DaEncerramentoAtividade", "31032005", kPainelAno, "Antecipação Ano-Base 2005"},
          {"", "", kPainelAno, "Declaração Ano-Base 2004"},
          {"CoCgcVinculado", "00000000000000", "CoCgcVinculado", ""},
          {"NuEnderecoEstabelecimento", "000120", "NuEnderecoEstabelecimento", "120"},
          {"NuDDD", "061", "NuDDD", "(61)"},
          {"CoCepEstabelecimento", "70000123", "CoCepEstabelecimento", "70000-123"},
          {"CoCnae", "01112", "CoCnae", "01.11-2- Cultivo de cereais para grãos"},
          {"CoNaturezaJuridica", "1015", "CoNaturezaJuridica", "101-5- Órgão Público do Poder Executivo Federal"},
      },
      [](const Linha& l) { return ExibeEstabelecimentoArquivo(l, *ref_); });
  Confere(
      "BD8Resp",
      {
          {"DaRetificacao", "00000000", "DaRetificacao", ""},
          {"DaRetificacao", "15022005", "DaRetificacao", "15/02/2005"},
          {"InInscrResponsavel", "9", "CoCgcCeiResponsavel", ""},
          {"CoMunicipioRespArquivo", "5300108", "CoMunicipioRespArquivo", "53-00108"},
      },
      [](const Linha& l) { return ExibeResponsavelArquivo(l); });
}

}  // namespace
