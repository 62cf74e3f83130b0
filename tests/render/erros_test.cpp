#include <filesystem>

#include "documentos.h"
#include "render/render.h"
#include "reports/rp_erros.h"

namespace {

using teste::EmOrdem;
using vornex::relatorio::Emissao;
using vornex::relatorio::TrpErros;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Erros : public teste::Documentos {
 protected:
  void SetUp() override {
    Documentos::SetUp();
    if (IsSkipped()) return;
    vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaErros);
  }
  int seq_ = 0;
  void Achado(const char* errwar, const char* nivel, const char* retorno, const char* lbl, const char* conteudo,
              const char* pis = "", const char* nome = "", const char* inscricao = "11222333000181",
              const char* prefixo = "00") {
    char s[16];
    std::snprintf(s, sizeof s, "%06d", ++seq_);
    Inclui(vornex::kTabelaErros,
           {{"errwar", errwar}, {"tiporegistro", nivel}, {"retorno", retorno}, {"lbl", lbl}, {"Conteudo", conteudo},
            {"inscricao", nivel[0] == '0' ? "" : inscricao}, {"tipoinscricao", "1"}, {"prefixo", prefixo},
            {"razaosocial", "PADARIA CENTRAL"}, {"copispasep", pis}, {"noempregado", nome},
            {"DaAdmissao", *pis ? "01022003" : ""}, {"usoempresa", *pis ? "MAT-7" : ""}, {"Sequencial", s}});
  }
  std::vector<std::string> Emite() {
    TrpErros doc(c_);
    const auto pdf = Pdf("erros.pdf");
    const int n = vornex::render::GravaPdf(doc, QString::fromStdString(pdf.string()), Quando);
    if (n == 0) return {};
    auto paginas = teste::TextoPdf(pdf);
    EXPECT_EQ(paginas.size(), static_cast<std::size_t>(n));
    return paginas;
  }
};

TEST_F(Erros, ErrosPrimeiroEAvisosEmPaginaNova) {
  Achado("war", "1", "1505", "1599", "X");  // filed first, printed after the errors
  Achado("err", "0", "1901", "1599", "12345678000195");
  Achado("err", "2", "1671", "1599", "A", "12345678901", "JOSE DA SILVA");
  for (const char* c : {"B", "C", "D"}) Achado("err", "2", "1671", "1599", c, "12345678901", "JOSE DA SILVA");
  Achado("err", "2", "1902", "9999", "E", "10987654321", "MARIA SOUZA");
  const auto paginas = Emite();
  ASSERT_EQ(paginas.size(), 2u);
  const std::string& erros = paginas[0];
  EmOrdem(erros, {"ZEMA - ", "Ano-Base : 2004", "VORNEX - VORNEX - Versão: 2004.1", "Relatório de Erros",
                  "Maiores esclarecimentos: CATZEMA - Central de Atendimento da ZEMA", "Registro tipo zero(abertura do arquivo):",
                  "Caractere não imprimível", "Inscrição CNPJ/CEI/CPF do responsável =12345678000195",
                  "Estabelecimento : (00) PADARIA CENTRAL 11.222.333/0001-81",
                  "Empregado : 123.45678.90.1 JOSE DA SILVA 01/02/2003 (MAT-7)",
                  "Inscrição CNPJ/CEI/CPF do responsável= A", "= B", "= C", "= D",
                  "Empregado : 109.87654.32.1 MARIA SOUZA", "Número sequencial do registro fora de ordem.",
                  "9999= E", "05/03/2005 14:30:00", "Página 1", "Vornex Sistemas"});
  // One establishment line for both links, one link heading and one message heading for four findings.
  EXPECT_EQ(teste::Conta(erros, "Estabelecimento :"), 1);
  EXPECT_EQ(teste::Conta(erros, "JOSE DA SILVA"), 1);
  EXPECT_EQ(erros.find("Relatório de Avisos"), std::string::npos);
  EXPECT_EQ(erros.find("Os avisos alertam"), std::string::npos);
  EmOrdem(paginas[1], {"Relatório de Avisos", "\"Os avisos alertam para informações não esperadas.",
                       "Não impedem a entrega do disquete com a declaração da ZEMA.\"",
                       "Estabelecimento : (00) PADARIA CENTRAL", "Estabelecimento já cadastrado com outro CEI",
                       "Inscrição CNPJ/CEI/CPF do responsável =X", "Página 2"});
}

TEST_F(Erros, SoAvisosTrazemANotaEmTodaPagina) {
  for (int i = 0; i < 60; ++i) Achado("war", "1", "1505", "1599", std::to_string(i).c_str());
  const auto paginas = Emite();
  ASSERT_GE(paginas.size(), 2u);
  for (const auto& p : paginas) {
    EmOrdem(p, {"Relatório de Avisos", "Os avisos alertam para informações não esperadas."});
    EXPECT_EQ(p.find("Relatório de Erros"), std::string::npos);
  }
  // The repeated heading of the same establishment is left blank.
  std::string tudo;
  for (const auto& p : paginas) tudo += p;
  EXPECT_EQ(teste::Conta(tudo, "Estabelecimento já cadastrado com outro CEI"), 1);
  EXPECT_EQ(teste::Conta(tudo, "Inscrição CNPJ/CEI/CPF do responsável =59"), 1);
}

TEST_F(Erros, PaginaQueContinuaUmRegistroRepeteDeQuemSaoAsLinhas) {
  // One establishment's own findings over a page, then one link's over the next ones.
  for (int i = 0; i < 90; ++i) Achado("err", "1", "1505", "1599", ("E" + std::to_string(i)).c_str());
  for (int i = 0; i < 120; ++i)
    Achado("err", "2", i % 2 ? "0372" : "1671", "1599", ("V" + std::to_string(i)).c_str(), "12345678901",
           "JOSE DA SILVA");
  const auto paginas = Emite();
  ASSERT_GE(paginas.size(), 4u);
  bool viuSoEstabelecimento = false;
  for (std::size_t i = 1; i < paginas.size(); ++i) {
    const std::string p = teste::Compacta(paginas[i]);
    const std::size_t corpo = p.find("atendimento@catzema.gov.br");
    ASSERT_NE(corpo, std::string::npos);
    // The establishment's line opens the body; below a link, the link's line follows it.
    const std::size_t estab = p.find("Estabelecimento : (00) PADARIA CENTRAL 11.222.333/0001-81", corpo);
    ASSERT_NE(estab, std::string::npos) << "page " << i + 1 << ":\n" << p;
    EXPECT_EQ(p.find("Inscrição", corpo), p.find("Inscrição", estab)) << "page " << i + 1;
    const std::string campo = "responsável";
    const std::size_t primeiro = p.find(campo, estab);
    ASSERT_NE(primeiro, std::string::npos);
    if (p.compare(primeiro + campo.size(), 3, "= V") == 0) {
      const std::size_t empregado = p.find("Empregado : 123.45678.90.1 JOSE DA SILVA 01/02/2003 (MAT-7)", estab);
      EXPECT_LT(empregado, primeiro) << "page " << i + 1 << ":\n" << p;
    } else {
      viuSoEstabelecimento = true;
      EXPECT_GT(p.find("Empregado :"), primeiro) << "page " << i + 1;
    }
  }
  EXPECT_TRUE(viuSoEstabelecimento);
  // A long message wraps inside the page instead of being cut at its right margin.
  EmOrdem(paginas.back(), {"O nome indica prefeitura", "Verifique a natureza jurídica."});
}

TEST_F(Erros, SemAchadosNenhumaPagina) {
  TrpErros doc(c_);
  const auto pdf = Pdf("vazio.pdf");
  EXPECT_EQ(vornex::render::GravaPdf(doc, QString::fromStdString(pdf.string()), Quando), 0);
  EXPECT_FALSE(std::filesystem::exists(pdf));
}

}  // namespace
