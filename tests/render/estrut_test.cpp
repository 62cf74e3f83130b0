#include <filesystem>

#include "documentos.h"
#include "render/render.h"
#include "reports/rp_estrut.h"

namespace {

using teste::EmOrdem;
using vornex::relatorio::Emissao;
using vornex::relatorio::TrpEstrut;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Estrutura : public teste::Documentos {
 protected:
  void Linha(const char* msg, const char* seq, const char* ip, const char* tipo, const char* pos, const char* conteudo) {
    Inclui(vornex::kTabelaEstrutura, {{"AnBase", "2004"}, {"CoMsg", msg}, {"Sequencia", seq}, {"InscricaoPrefixo", ip},
                                      {"TipoCampo", tipo}, {"PosicaoInicial", pos}, {"Conteudo", conteudo}});
  }
  int Emite(std::vector<std::string>* paginas) {
    TrpEstrut doc(c_);
    const auto pdf = Pdf("estrutura.pdf");
    const int n = vornex::render::GravaPdf(doc, QString::fromStdString(pdf.string()), Quando);
    if (n) *paginas = teste::TextoPdf(pdf);
    return n;
  }
};

TEST_F(Estrutura, ErroSequenciaEDetalhes) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaEstrutura);
  // 1919 about the type-9 record: three detail lines under one sequence.
  Linha("1919", "000005", "1122233300018100", "1", "", "9");
  Linha("1919", "000005", "1122233300018100", "3", "", "000003");
  Linha("1919", "000005", "1122233300018100", "6", "", "2");
  std::vector<std::string> paginas;
  ASSERT_EQ(Emite(&paginas), 1);
  EmOrdem(paginas[0], {"Relatório de erro de estrutura", "Erro : Total de registros tipo 1 do registro tipo 9",
                       "Sequência = 000005", "Inscrição/prefixo do estabelecimento = 11222333000181/00",
                       "Posição 23 = 9", "Posição 24 a 29 = 000003", "Total registro tipo 1 encontrado = 2",
                       "Será listada apenas a primeira ocorrência.", "Para utilizar este relatório tenha em mãos a cartela",
                       "Página 1"});
  EXPECT_EQ(teste::Conta(paginas[0], "Sequência ="), 1);
}

TEST_F(Estrutura, ArquivoCurtoSemInscricaoNemDetalhe) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaEstrutura);
  Linha("1924", "000001", "", "", "", "");
  std::vector<std::string> paginas;
  ASSERT_EQ(Emite(&paginas), 1);
  EmOrdem(paginas[0], {"Erro : Arquivo menor que três registros", "Sequência = 000001", "Será listada apenas"});
  EXPECT_EQ(paginas[0].find("Inscrição/prefixo"), std::string::npos);
  EXPECT_EQ(paginas[0].find("Posição"), std::string::npos);
}

TEST_F(Estrutura, SemErroNenhumaPagina) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaEstrutura);
  std::vector<std::string> paginas;
  EXPECT_EQ(Emite(&paginas), 0);
}

}  // namespace
