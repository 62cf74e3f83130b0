#include "common/ajuda.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "common/catalogo.h"

using namespace vornex;
namespace fs = std::filesystem;

namespace {

const fs::path kFontes = VORNEX_SOURCE_DIR;
const fs::path kPaginas = kFontes / "data" / kPastaAjuda;

std::string Le(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

bool Existe(const std::string& pagina) { return fs::is_regular_file(kPaginas / pagina); }

TEST(Ajuda, TopicoDaTelaPelaPaginaOuPeloAssistente) {
  const std::set<std::string> paginas{"TfmDadosEstab.html", "TfmAnalis.html", "TfmBackup.html"};
  auto existe = [&](const std::string& p) { return paginas.count(p) > 0; };
  struct Caso {
    const char* tela;
    const char* pagina;  // nullptr: no topic
    const char* ancora;
  };
  for (const Caso& c : std::initializer_list<Caso>{
           {"TfmDadosEstab", "TfmDadosEstab.html", ""},
           {"TfmAnalis00Form", "TfmAnalis.html", "TfmAnalis00"},
           {"TfmBackup00", "TfmBackup.html", "TfmBackup00"},
           {"TfmDadosEstabForm", "TfmDadosEstab.html", ""},
           {"TfmAnalisRegras", nullptr, ""},  // no digits: not a step of TfmAnalis
           {"edNome", nullptr, ""},
           {"Form", nullptr, ""},
           {"", nullptr, ""},
           {"00", nullptr, ""},
       }) {
    SCOPED_TRACE(c.tela);
    const auto t = TopicoDaTela(c.tela, existe);
    ASSERT_EQ(t.has_value(), c.pagina != nullptr);
    if (!t) continue;
    EXPECT_EQ(t->pagina, c.pagina);
    EXPECT_EQ(t->ancora, c.ancora);
  }
}

TEST(Ajuda, PaginaDeAvisosTrazSoOsAvisosDoCatalogo) {
  Catalogo cat;
  cat.inclui({"0230", "WAR", "Salário abaixo do mínimo <R$ 260,00> & tipo"});
  cat.inclui({"0030", "ERR", "Campo numérico não informado"});
  const std::string html = PaginaAvisos(cat);
  EXPECT_NE(html.find("<td>0230</td><td>Salário abaixo do mínimo &lt;R$ 260,00&gt; &amp; tipo</td>"), std::string::npos);
  EXPECT_EQ(html.find("0030"), std::string::npos);
}

// Every screen has its topic (its own page or its step's section), and
// every link between pages leads to a page that is shipped.
TEST(Ajuda, CadaTelaTemSeuTopicoEOsLinksLevamAPaginas) {
  const std::regex primeiroWidget(R"re(<widget class="[A-Za-z:]+" name="([A-Za-z0-9_]+)")re");
  int telas = 0;
  for (const auto& e : fs::recursive_directory_iterator(kFontes / "src" / "gui")) {
    if (e.path().extension() != ".ui") continue;
    const std::string ui = Le(e.path());
    std::smatch m;
    ASSERT_TRUE(std::regex_search(ui, m, primeiroWidget)) << e.path();
    const std::string tela = m[1];
    SCOPED_TRACE(e.path().string() + ": " + tela);
    const auto t = TopicoDaTela(tela, Existe);
    ASSERT_TRUE(t.has_value());
    if (!t->ancora.empty()) {
      EXPECT_NE(Le(kPaginas / t->pagina).find("name=\"" + t->ancora + "\""), std::string::npos);
    }
    ++telas;
  }
  EXPECT_GT(telas, 10);

  const std::regex link(R"re(href="([^"#:]+)(#[^"]*)?")re");
  for (const auto& e : fs::directory_iterator(kPaginas)) {
    const std::string html = Le(e.path());
    for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
      const std::string alvo = (*it)[1];
      EXPECT_TRUE(alvo == kPaginaAvisos || Existe(alvo)) << e.path() << " -> " << alvo;
    }
  }
  EXPECT_TRUE(Existe(kPaginaConteudo));
  EXPECT_TRUE(Existe(kPaginaComoFazer));
  EXPECT_FALSE(Existe(kPaginaAvisos));  // built from the catalog, never shipped
}

}  // namespace
