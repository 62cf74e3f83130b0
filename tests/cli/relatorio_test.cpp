// vornex-cli relatorio, run in-process over a data folder of the test's own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "apoio_cli.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"

#ifdef VORNEX_COM_RENDER

namespace {

namespace fs = std::filesystem;

using Resultado = teste::SaidaCli;

Resultado Roda(const std::vector<std::string>& args) { return teste::RodaCli(args); }

std::string TextoPdf(const fs::path& pdf) {
  const std::string cmd = "pdftotext -layout '" + pdf.string() + "' - 2>/dev/null";
  std::string r;
  if (FILE* f = popen(cmd.c_str(), "r")) {
    char buf[4096];
    for (std::size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) r.append(buf, n);
    pclose(f);
  }
  return r;
}

class Relatorio : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string modelo = (fs::temp_directory_path() / "vornex-rel-XXXXXX").string();
    ASSERT_NE(mkdtemp(modelo.data()), nullptr);
    raiz_ = modelo;
    setenv("VORNEX_DADOS_REFERENCIA", (fs::path(VORNEX_SOURCE_DIR) / "data").c_str(), 1);
    vornex::InicializaPastaDados(pasta());
    c_ = vornex::AbreZema2004(pasta());
  }
  void TearDown() override {
    c_.fecha();
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  fs::path pasta() const { return raiz_ / "dados"; }
  std::string pdf() const { return (raiz_ / "saida.pdf").string(); }
  void Inclui(const char* tabela, std::initializer_list<std::pair<const char*, std::string>> valores) {
    vornex::Tabela t(c_, tabela);
    vornex::Linha l = t.novaLinha();
    for (const auto& [col, v] : valores) l[col] = v;
    t.inclui(l);
  }
  Resultado Relat(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", pasta().string(), "relatorio"});
    args.insert(args.end(), {"--pdf", pdf()});
    return Roda(args);
  }

  fs::path raiz_;
  vornex::Conexao c_;
};

TEST_F(Relatorio, GravaOsDocumentosEmPdf) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaErros);
  Inclui(vornex::kTabelaErros, {{"errwar", "err"}, {"tiporegistro", "0"}, {"retorno", "1902"}, {"lbl", "1599"},
                                {"Conteudo", "X"}, {"Sequencial", "000001"}});
  auto r = Relat({"erros"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(r.out, "Relatório gravado: " + pdf() + " (1 página)\n");
  EXPECT_NE(TextoPdf(pdf()).find("Relatório de Erros"), std::string::npos);

  r = Relat({"cartela"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.out.find("(6 páginas)"), std::string::npos);

  for (const char* e : {"11222333000181", "99888777000100"})
    Inclui("Bd8emp", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", e}, {"NuPrefixoEstabelecimento", "01"},
                      {"InInscrEstabelecimento", "1"}, {"NoRazaoEstabelecimento", std::string("EMPRESA ") + e}});
  for (const char* n : {"ZULMIRA", "ABEL"})
    Inclui("Bd8vinc", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                       {"NuPrefixoEstabelecimento", "01"}, {"CoPisPasepEmpregado", n[0] == 'Z' ? "10000000001" : "20000000002"},
                       {"NoEmpregado", n}, {"DaAdmissaoEmpregado", "01012004"}, {"NuSequencialRegistro", "000001"}});
  r = Relat({"declaracao", "--resumido", "--classificacao", "nome", "--estab", "11.222.333/0001-81/01"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  const std::string t = TextoPdf(pdf());
  EXPECT_NE(t.find("Relatório resumido do estabelecimento"), std::string::npos);
  EXPECT_NE(t.find("Classificação : Nome do empregado"), std::string::npos);
  EXPECT_LT(t.find("ABEL"), t.find("ZULMIRA"));
  EXPECT_EQ(t.find("EMPRESA 99888777000100"), std::string::npos);
}

TEST_F(Relatorio, SemLinhasNaoGravaArquivo) {
  // An empty table, or none at all: a pass that found nothing may leave none.
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaProtocoloId);
  struct Caso {
    std::vector<std::string> args;
    const char* aviso;
  } casos[] = {
      {{"etiquetas"}, "nenhum disquete registrado"},
      {{"erros"}, "a tabela Te8ErrWa não existe"},
      {{"importacao"}, "a tabela TE8Imp não existe"},
      {{"estrutura"}, "a tabela Te8stru não existe"},
      {{"declaracao", "--trabalho"}, "a tabela Te8emp não existe"},
      {{"declaracao"}, "nenhum estabelecimento"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args[0]);
    auto r = Relat(c.args);
    EXPECT_EQ(r.codigo, 0) << r.err;
    EXPECT_NE(r.out.find("Nada a imprimir: " + std::string(c.aviso)), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(pdf()));
  }
}

TEST_F(Relatorio, RecusaPedidosInvalidos) {
  struct Caso {
    std::vector<std::string> args;
    const char* erro;
  } casos[] = {
      {{"boletim"}, "boletim"},
      {{"declaracao", "--completo", "--resumido"}, "não pode ser usado com"},
      {{"declaracao", "--classificacao", "idade"}, "idade"},
      {{"declaracao", "--estab", "12AB"}, "estabelecimento inválido"},
      {{"declaracao", "--estab", "55.555.555/0001-55"}, "estabelecimento não encontrado"},
      {{"declaracao", "--vinculo", "10000000001/01012004"}, "um único estabelecimento"},
      {{"declaracao", "--estab", "11222333000181/01", "--vinculo", "100/0101"}, "vínculo inválido"},
      {{"erros", "--resumido"}, "valem só para o relatório declaracao"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : ""));
    auto r = Relat(c.args);
    EXPECT_EQ(r.codigo, 2);
    EXPECT_NE(r.err.find(c.erro), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf()));
  }
  EXPECT_EQ(Roda({"--dados", pasta().string(), "relatorio", "cartela"}).codigo, 2);  // no --pdf
}

// A link is named with its PIS/PASEP punctuated or not; one that is not there
// is said so, not printed as its establishment alone.
TEST_F(Relatorio, VinculoEscolhidoPrecisaExistir) {
  Inclui("Bd8emp", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "01"},
                    {"InInscrEstabelecimento", "1"}, {"NoRazaoEstabelecimento", "EMPRESA"}});
  Inclui("Bd8vinc", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                     {"NuPrefixoEstabelecimento", "01"}, {"CoPisPasepEmpregado", "10000000001"},
                     {"NoEmpregado", "ZULMIRA"}, {"DaAdmissaoEmpregado", "01012004"}, {"NuSequencialRegistro", "000001"}});
  auto r = Relat({"declaracao", "--estab", "11222333000181/01", "--vinculo", "100.00000.00-1/01012004"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(TextoPdf(pdf()).find("ZULMIRA"), std::string::npos);
  fs::remove(pdf());
  for (const char* v : {"10000000009/01012004", "10000000001/02012004"}) {
    SCOPED_TRACE(v);
    r = Relat({"declaracao", "--estab", "11222333000181/01", "--vinculo", v});
    EXPECT_EQ(r.codigo, 2);
    EXPECT_NE(r.err.find(std::string("vínculo não encontrado na declaração: ") + v), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(pdf()));
  }
}

// A long rendering shows its progress, and the import report its year.
TEST_F(Relatorio, ProgressoEAnoDaImportacao) {
  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaImportacao);
  Inclui(vornex::kTabelaImportacao, {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", "11222333000181"},
                                     {"NuPrefixoEstabelecimento", "00"}, {"AnOrigem", "2003"}});
  auto r = Relat({"importacao"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  const std::string t = TextoPdf(pdf());
  const auto titulo = t.find("Relatório de Importação de Dados");
  ASSERT_NE(titulo, std::string::npos) << t;
  EXPECT_NE(t.substr(titulo, t.find('\n', titulo) - titulo).find("2003"), std::string::npos) << t;
  EXPECT_NE(r.err.find("Gravando o relatório importacao: 100%\n"), std::string::npos) << r.err;
}

}  // namespace

#endif
