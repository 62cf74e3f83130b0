// The label, the import report and the layout description.
#include <filesystem>
#include <memory>

#include "documentos.h"
#include "render/render.h"
#include "reports/rp_cartela.h"
#include "reports/rp_etiquetas.h"
#include "reports/rp_import.h"

namespace {

using teste::Conta;
using teste::EmOrdem;
using namespace vornex::relatorio;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Impressos : public teste::Documentos {
 protected:
  std::vector<std::string> Emite(Documento& doc, int* n = nullptr) {
    const auto pdf = Pdf("doc.pdf");
    std::filesystem::remove(pdf);
    const int paginas = vornex::render::GravaPdf(doc, QString::fromStdString(pdf.string()), Quando);
    if (n) *n = paginas;
    return paginas ? teste::TextoPdf(pdf) : std::vector<std::string>{};
  }
};

TEST_F(Impressos, UmaEtiquetaEmolduradaPorDisquete) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaProtocoloId);
  Inclui(vornex::kTabelaProtocoloId,
         {{"NuDisquete", "01"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"InInscrEstabelecimento", "1"},
          {"NoRazaoEstabelecimento", "PADARIA CENTRAL DE BELO HORIZONTE LTDA"}, {"NoResponsavelArquivo",
          "MARIA APARECIDA DOS SANTOS"}, {"NuFoneDDD", "31"}, {"NuFoneAssinante", "32224444"},
          {"NuEstabelecimentos", "000012"}, {"NuVinculos", "000340"}, {"TxEMailRespArquivo", "maria@padaria.com.br"},
          {"InRetificacao", "0"}});
  Inclui(vornex::kTabelaProtocoloId,
         {{"NuDisquete", "02"}, {"CoCgcCeiEstabelecimento", "00123456789012"}, {"InInscrEstabelecimento", "3"},
          {"NoRazaoEstabelecimento", "OBRA"}, {"NuEstabelecimentos", "000001"}, {"NuVinculos", "000000"},
          {"InRetificacao", "1"}});
  const auto paginas = Emite(*std::make_unique<TrpEtiquetas>(c_));
  ASSERT_EQ(paginas.size(), 1u);
  EmOrdem(paginas[0], {"Declaração Anual de Movimentação de Empregados - ZEMA", "Ano-Base 2004,V.1.",
                       "Inscrição do 1o. estabelecimento do arquivo:", "11.222.333/0001-81", "Disco: 01",
                       "Razão Social do 1o. estabelecimento do arquivo:", "PADARIA CENTRAL DE BELO HORIZO\n",
                       "Quant.Estabelecimentos do arquivo: 12", "Quant.Vínculos do arquivo: 340",
                       "Nome p/Contato: MARIA APARECIDA DOS\n", "Telefone p/Contato: ( 31 )32224444",
                       "E - Mail :", "maria@padaria.com.br",
                       // the second label
                       "Ano-Base 2004,V.1(Retif.)", "12-345-67.890-1/2", "Disco: 02",
                       "Quant.Vínculos do arquivo: 0", "Telefone p/Contato:"});
}

TEST_F(Impressos, ImportacaoComContasELegendaDosCodigos) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaImportacao);
  auto linha = [&](const char* inscr, const char* prefixo, const char* lidos, const char* deslig, const char* dup,
                   const char* imp, const char* coimp, const char* seq) {
    Inclui(vornex::kTabelaImportacao,
           {{"AnBase", "2004"}, {"AnOrigem", "2003"}, {"CoCgcCeiEstabelecimento", inscr}, {"NuPrefixoEstabelecimento", prefixo},
            {"CoCgcVinculado", "00000000000000"}, {"InInscrEstabelecimento", "1"},
            {"NuVinculosEstabelecimento", lidos}, {"NuTotalDesligados", deslig}, {"NuTotalDuplicados", dup},
            {"NuTotalImportados", imp}, {"CoImp", coimp}, {"Seq", seq}});
  };
  linha("11222333000181", "00", "000005", "1", "0", "4", "", "0");
  linha("11222333000181", "G0", "000003", "0", "0", "3", "1505", "1");
  linha("12345678901234", "00", "000002", "", "", "", "0053", "2");
  linha("11222333000181", "G1", "000001", "0", "0", "1", "1505", "1");
  const auto paginas = Emite(*std::make_unique<TrpImport>(c_));
  ASSERT_EQ(paginas.size(), 1u);
  const std::string& p = paginas[0];
  EmOrdem(p, {"Relatório de Importação de Dados 2003", "Identificação do Estabelecimento",
              "Contabilização dos Empregados/Servidores", "Inscrição CNPJ/CEI Prefixo", "CEI Vinculado",
              "Total lido", "Deslig.", "Duplic.", "Import.", "11.222.333/0001-81 00 5 1 0 4",
              "11.222.333/0001-81 G0 (1) 3 0 0 3", "12345678901234 00 (2) 2 0 0 0",
              "11.222.333/0001-81 G1 (1) 1 0 0 1", "(1)", "Estabelecimento já cadastrado com outro CEI vinculado",
              "(2)", "Inscrição CNPJ/CEI inválida"});
  EXPECT_EQ(Conta(p, "Estabelecimento já cadastrado"), 1);
}

TEST_F(Impressos, CartelaUmaPaginaPorTipoDeRegistro) {
  TrpCartela doc;
  const auto paginas = Emite(doc);
  ASSERT_EQ(paginas.size(), 6u);
  for (const auto& p : paginas) EmOrdem(p, {"Descrição do arquivo ZEMA2004", "Página"});
  EmOrdem(paginas[0], {"Informações gerais", "350 caracteres", "Estrutura lógica do arquivo", "Registro tipo 0",
                       "Registro tipo 9", "CATZEMA"});
  EmOrdem(paginas[1], {"Registro tipo zero", "Posição", "Tipo", "Descrição", "1-6 Número Sequencial",
                       "213-214 Número DDDTelefone (1)", "285-287 Alfanum Preencher com \"V01\"",
                       "288-293 Número Hora de geração do arquivo", "294-350 Alfanum Brancos", "(1) Somente algarismos"});
  EmOrdem(paginas[2], {"Registro tipo Um", "219-263 Alfanum E-mail do Estabelecimento", "279-280 Número Zeros",
                       "281-292 Número Matrícula CEI vinculada a uma inscrição CNPJ (2)", "339-350 Alfanum",
                       "(2) Informe a matrícula CEI que possui inscrição simultânea no CNPJ."});
  EmOrdem(paginas[3], {"Registro tipo Dois", "24-34 Número Código PIS/PASEP", "279 Número Sexo"});
  EXPECT_EQ(paginas[3].find("280-281"), std::string::npos);
  EmOrdem(paginas[4], {"Registro tipo Dois", "280-281 Número Motivo Primeiro Afastamento", "313-338 Alfanum Brancos"});
  EmOrdem(paginas[5], {"Registro tipo Nove", "42-47 Número Estatística", "319-350 Alfanum Hashcode"});
}

TEST_F(Impressos, TabelaVaziaNenhumaPagina) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaProtocoloId);
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaImportacao);
  TrpEtiquetas etiquetas(c_);
  TrpImport importacao(c_);
  for (Documento* d : std::initializer_list<Documento*>{&etiquetas, &importacao}) {
    int n = -1;
    Emite(*d, &n);
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(std::filesystem::exists(Pdf("doc.pdf")));
  }
}

}  // namespace
