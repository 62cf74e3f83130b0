// The manual page is written from the command tree; these tests read --help
// as a user would and check that the page names what it lists.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "apoio_cli.h"
#include "common/texto.h"

namespace {

// A heading of the help text ("Subcommands:", "COMANDOS:"), in any case.
bool Titulo(const std::string& linha, std::string_view nome) {
  if (linha.size() != nome.size() + 1 || linha.back() != ':') return false;
  for (std::size_t i = 0; i < nome.size(); ++i)
    if (vornex::Maiuscula(linha[i]) != nome[i]) return false;
  return true;
}

// The commands --help lists: the lines right under its COMANDOS heading whose
// first word sits at the item indent (deeper lines wrap a description).
std::vector<std::string> ComandosDaAjuda(const std::string& ajuda) {
  std::vector<std::string> r;
  std::istringstream in(ajuda);
  std::string linha;
  bool dentro = false;
  while (std::getline(in, linha)) {
    if (Titulo(linha, "COMANDOS") || Titulo(linha, "SUBCOMMANDS")) {
      dentro = true;
    } else if (dentro && linha.empty()) {
      break;
    } else if (dentro && linha.size() > 2 && linha.compare(0, 2, "  ") == 0 && linha[2] != ' ') {
      r.push_back(linha.substr(2, linha.find(' ', 2) - 2));
    }
  }
  return r;
}

// A name as the page writes it: troff hyphens are "\-".
std::string Troff(std::string s) { return std::regex_replace(s, std::regex("-"), "\\-"); }

// The part of the page under a command's heading.
std::string Secao(const std::string& pagina, const std::string& comando) {
  const auto i = pagina.find(".SS \"" + Troff(comando) + "\"\n");
  if (i == std::string::npos) return {};
  const auto f = pagina.find("\n.S", i + 1);
  return pagina.substr(i, f == std::string::npos ? std::string::npos : f - i);
}

TEST(Manual, NomeiaCadaComandoEOpcaoDaAjuda) {
  const auto ajuda = teste::RodaCli({"--help"});
  ASSERT_EQ(ajuda.codigo, 0);
  const auto pagina = teste::RodaCli({"manual"});
  ASSERT_EQ(pagina.codigo, 0) << pagina.err;
  ASSERT_EQ(pagina.out.rfind(".TH VORNEX\\-CLI 1 ", 0), 0u);

  const auto comandos = ComandosDaAjuda(ajuda.out);
  ASSERT_GE(comandos.size(), 10u) << ajuda.out;
  for (const auto& c : comandos) {
    EXPECT_NE(c, "manual") << "o comando escondido aparece na ajuda";
    const std::string secao = Secao(pagina.out, c);
    ASSERT_FALSE(secao.empty()) << "a página não tem o comando " << c;
    // Every option the command's own help lists is described under it.
    const auto sub = teste::RodaCli({c, "--help"});
    const std::regex opcao("(^|[ ,])(--[a-z][a-z0-9-]*)");
    for (std::sregex_iterator m(sub.out.begin(), sub.out.end(), opcao), fim; m != fim; ++m) {
      const std::string o = (*m)[2];
      if (o == "--help" || o == "--dados") continue;
      EXPECT_NE(secao.find("\\fB" + Troff(o) + "\\fR"), std::string::npos) << c << " " << o;
    }
  }
  // The global option and the three exit codes.
  EXPECT_NE(pagina.out.find("\\fB\\-\\-dados\\fR"), std::string::npos);
  for (const char* codigo : {".TP\n\\fB0\\fR\n", ".TP\n\\fB1\\fR\n", ".TP\n\\fB2\\fR\n"})
    EXPECT_NE(pagina.out.find(codigo, pagina.out.find(".SH CÓDIGO DE SAÍDA")), std::string::npos) << codigo;
}

}  // namespace
