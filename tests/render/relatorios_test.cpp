#include <filesystem>

#include "data/banco.h"
#include "documentos.h"
#include "render/render.h"
#include "reports/rp_relatorios.h"

namespace {

using teste::Conta;
using teste::EmOrdem;
using namespace vornex::relatorio;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Relatorios : public teste::Documentos {
 protected:
  void Estab(const std::string& inscr, const std::string& prefixo, const std::string& nome, const std::string& vinculos,
             const std::string& encerrou = "2", const std::string& data = "00000000") {
    Inclui("Bd8emp", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", inscr}, {"NuPrefixoEstabelecimento", prefixo},
                      {"InInscrEstabelecimento", "1"}, {"NoRazaoEstabelecimento", nome},
                      {"CoCgcVinculado", "00000000000000"}, {"CoCepEstabelecimento", "30140071"},
                      {"CoMunicipio", "3106200"}, {"CoCnae", "15814"}, {"CoNaturezaJuridica", "2062"},
                      {"NuVinculosEstabelecimento", vinculos}, {"InPorte", "2"}, {"InOptanteSimples", "1"},
                      {"InParticipaPAT", "2"}, {"PoCestaAlimento", "050"}, {"InEncerramentoAtividade", encerrou},
                      {"DaEncerramentoAtividade", data}, {"NuDDD", "31"}, {"NuTelefone", "32224444"}});
  }
  void Vinc(const std::string& inscr, const std::string& pis, const std::string& nome, const std::string& adm,
            const std::string& uso = "", const std::string& seq = "000001") {
    Inclui("Bd8vinc",
           {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", inscr}, {"NuPrefixoEstabelecimento", "00"},
            {"CoPisPasepEmpregado", pis}, {"NoEmpregado", nome}, {"DaAdmissaoEmpregado", adm},
            {"NuSequencialRegistro", seq}, {"DaNascimentoEmpregado", "10101980"}, {"InSexo", "2"},
            {"VaSalContratualEmpregado", "000123456"}, {"VaJaneiroEmpregado", "123456789"},
            {"VaFevereiroEmpregado", "000000000"}, {"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1503"},
            {"Va13AdiantamentoEmpregado", "000000005"}, {"Me13AdiantamentoEmpregado", "11"},
            {"Va13ParcelaFinalEmpregado", "000000000"}, {"Me13ParcelaFinalEmpregado", "00"},
            {"CoCpfEmpregado", "12345678909"}, {"TxUsoEmpregado", uso}});
  }
  std::vector<std::string> Emite(OpcoesDeclaracao op, int* paginas = nullptr) {
    TrpRelatorios doc(c_, std::move(op));
    const auto pdf = Pdf("declaracao.pdf");
    const int n = vornex::render::GravaPdf(doc, QString::fromStdString(pdf.string()), Quando);
    if (paginas) *paginas = n;
    return n ? teste::TextoPdf(pdf) : std::vector<std::string>{};
  }
};

TEST_F(Relatorios, CompletoTrazEstabelecimentoVinculosEFormas) {
  const std::string a = "11222333000181", b = "99888777000100";
  Estab(a, "00", "PADARIA CENTRAL", "000002");
  Vinc(a, "20000000002", "BEATRIZ LIMA", "01022003");
  Vinc(a, "10000000001", "ANA COSTA", "15062004");
  Estab(b, "01", "OFICINA DO PORTO", "000000", "1", "30062005");
  const auto paginas = Emite({});
  ASSERT_EQ(paginas.size(), 2u);
  EmOrdem(paginas[0], {"ZEMA - ", "Relatório completo do estabelecimento", "Classificação : código PIS/PASEP",
                       "Maiores esclarecimentos :", "ESTABELECIMENTO", "11.222.333/0001-81", "2004",
                       "PADARIA CENTRAL", "30140-071", "31-06200", "(31) 3222-4444", "15.81-4", "206-2", "Pequeno",
                       "Sim", "Não", "050%", "2", "VÍNCULOS",
                       // links in PIS order, each line followed by its block
                       "Cód. PIS/PASEP", "100.00000.00.1", "ANA COSTA", "Data Nascimento", "10/10/1980", "F",
                       "123.456.789-09", "15/06/2004", "1234,56", "11- 15/03", "1.234.567,89", "0,00", "11-", ",05",
                       "Cód. PIS/PASEP", "200.00000.00.2", "BEATRIZ LIMA", "01/02/2003", "Página 1"});
  EXPECT_EQ(paginas[0].find("Relatório resumido"), std::string::npos);
  // The establishment without links: its section on a page of its own, no links part.
  EmOrdem(paginas[1], {"Relatório completo", "ESTABELECIMENTO", "Encerrou Atividades", "99.888.777/0001-00",
                       "30/06/2005", "2005", "OFICINA DO PORTO", "Página 2"});
  EXPECT_EQ(paginas[1].find("VÍNCULOS"), std::string::npos);
  EXPECT_EQ(paginas[1].find("PADARIA"), std::string::npos);
}

TEST_F(Relatorios, LinhaDoVinculoNuncaSeparaDoSeuBloco) {
  const std::string a = "11222333000181";
  Estab(a, "00", "GRANDE EMPRESA", "001200");
  {
    vornex::Transacao t(c_);
    for (int i = 0; i < 1200; ++i) {
      char pis[16];
      std::snprintf(pis, sizeof pis, "1%010d", i);
      Vinc(a, pis, "EMPREGADO " + std::to_string(i), "01012004");
    }
    t.confirma();
  }
  int n = 0;
  const auto paginas = Emite({}, &n);
  ASSERT_EQ(static_cast<int>(paginas.size()), n);
  ASSERT_GT(n, 100);
  int linhas = 0;
  for (std::size_t i = 0; i < paginas.size(); ++i) {
    SCOPED_TRACE("página " + std::to_string(i + 1));
    const std::string& p = paginas[i];
    const int aqui = Conta(p, "Cód. PIS/PASEP");
    EXPECT_GT(aqui, 0);
    EXPECT_EQ(aqui, Conta(p, "Data Nascimento"));  // every line with its block
    EXPECT_EQ(aqui, Conta(p, "Qtde Dias Afas"));    // the block whole
    linhas += aqui;
    // The first page holds the section; the others carry the identification strip.
    EXPECT_EQ(Conta(p, "Nome/Firma/Razão Social"), i == 0 ? 1 : 0);
    EXPECT_EQ(Conta(p, "Inscrição CNPJ/CEI:"), i == 0 ? 0 : 1);
    if (i > 0)
      EmOrdem(p, {"Relatório completo", "ESTABELECIMENTO", "Inscrição CNPJ/CEI:", "Ano das informações", "11.222.333/0001-81"});
  }
  EXPECT_EQ(linhas, 1200);
}

TEST_F(Relatorios, ResumidoParcialSoOsVinculosEscolhidosNaOrdemPedida) {
  const std::string a = "11222333000181";
  Estab(a, "00", "PADARIA CENTRAL", "000004");
  Estab("99888777000100", "00", "OUTRA", "000000");
  Vinc(a, "00000000000", "CARLOS SEM PIS", "01022003", "U3", "000001");
  Vinc(a, "00000000000", "BRUNO SEM PIS", "01022003", "U2", "000002");
  Vinc(a, "30000000003", "ALICE", "05052004", "U1", "000003");
  Vinc(a, "40000000004", "DANIEL", "05052004", "U0", "000004");
  OpcoesDeclaracao op;
  op.completo = false;
  op.classificacao = Classificacao::Nome;
  op.estabelecimentos = {{a, "00"}};
  op.vinculos = {{"00000000000", "01022003", "CARLOS SEM PIS"}, {"30000000003", "05052004", ""}};
  const auto paginas = Emite(op);
  ASSERT_EQ(paginas.size(), 1u);
  EmOrdem(paginas[0], {"Relatório resumido do estabelecimento", "Classificação : Nome do empregado", "PADARIA CENTRAL",
                       "VÍNCULOS", "Cód. PIS/PASEP", "Nome do empregado/servidor", "Data de Admissão",
                       "Para uso da empresa", "300.00000.00.3", "ALICE", "05/05/2004", "U1", "000.00000.00.0",
                       "CARLOS SEM PIS", "01/02/2003", "U3"});
  for (const char* fora : {"BRUNO", "DANIEL", "OUTRA", "Data Nascimento"})
    EXPECT_EQ(paginas[0].find(fora), std::string::npos) << fora;
}

TEST_F(Relatorios, SemEstabelecimentosNenhumaPagina) {
  int n = -1;
  Emite({}, &n);
  EXPECT_EQ(n, 0);
  EXPECT_FALSE(std::filesystem::exists(Pdf("declaracao.pdf")));
}

}  // namespace
