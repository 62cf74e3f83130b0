// What the command line says of itself: CLI11's texts in Portuguese, help
// columns lined up, progress that reads well in a log.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "apoio_cli.h"
#include "passagem_cli.h"

namespace {

// Columns on screen of a UTF-8 text.
std::size_t Largura(std::string_view s) {
  std::size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

TEST(MensagensCli, FalhasDeArgumentoEmPortugues) {
  struct Caso {
    std::vector<std::string> args;
    const char* texto;
  } casos[] = {
      {{}, "informe um comando."},
      {{"versao", "--xyz"}, "argumento não esperado: --xyz"},
      {{"gravar", "--destino", "d"}, "--data é obrigatório."},
      {{"demo", "--semente"}, "--semente: falta o valor"},
      {{"demo", "--semente", "muitos"}, "valor inválido para --semente: muitos"},
      {{"demo", "--estabelecimentos", "0"}, "o valor 0 não é um número de 1 a 99999"},
      {{"backup", "c", "--tamanho-volume", "-1"}, "o valor -1 não é um número de 0 ou mais"},
      {{"importar", "a", "--todos", "--estab", "1/00"}, "--todos não pode ser usado com --estab."},
      {{"analisar", "a", "--destino", "d"}, "--destino exige --regravar."},
  };
  for (const auto& c : casos) {
    std::string nome;
    for (const auto& a : c.args) nome += a + " ";
    SCOPED_TRACE(nome);
    const auto r = teste::RodaCli(c.args);
    EXPECT_EQ(r.codigo, 2);
    EXPECT_NE(r.err.find(c.texto), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("Use --help"), std::string::npos) << r.err;
    for (const char* ingles : {"required", "expected", "Run with", "excludes", "requires", "convert", "range"})
      EXPECT_EQ(r.err.find(ingles), std::string::npos) << r.err;
  }
}

TEST(MensagensCli, AjudaEmPortuguesComColunasAlinhadas) {
  for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"}, {"relatorio", "--help"},
                                              {"backup", "--help"}, {"demo", "--help"}}) {
    SCOPED_TRACE(args[0]);
    const auto r = teste::RodaCli(args);
    ASSERT_EQ(r.codigo, 0);
    for (const char* ingles : {"Options:", "Positionals:", "Subcommands:", "Needs:", "Excludes:", "REQUIRED",
                               " TEXT ", " TEXT:", " INT", " UINT", "NONNEGATIVE", "1.79769"})
      EXPECT_EQ(r.out.find(ingles), std::string::npos) << ingles << "\n" << r.out;
    EXPECT_NE(r.out.find("Uso:"), std::string::npos) << r.out;
    // Every description beside its name starts in the same column.
    std::istringstream in(r.out);
    std::size_t coluna = 0;
    for (std::string l; std::getline(in, l);) {
      if (l.rfind("  ", 0) != 0 || l.size() < 3 || l[2] == ' ') continue;
      const auto fim = l.find("  ", 2);
      if (fim == std::string::npos) continue;
      const auto desc = l.find_first_not_of(' ', fim);
      if (desc == std::string::npos) continue;
      const std::size_t c = Largura(l.substr(0, desc));
      if (coluna == 0) coluna = c;
      EXPECT_EQ(c, coluna) << l;
    }
    EXPECT_GT(coluna, 0u);
  }
  const auto r = teste::RodaCli({"relatorio", "--help"});
  EXPECT_NE(r.out.find("--pdf TEXTO OBRIGATÓRIO"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Exclui: --completo"), std::string::npos) << r.out;
}

// Not a terminal: whole lines, one at the start and at most one per tenth.
TEST(MensagensCli, ProgressoNumLogUmaLinhaPorDecimo) {
  std::ostringstream log;
  {
    vornex::cli::LinhaProgresso p(log, "Verificando Informações ...");
    for (int i = 0; i <= 100; ++i) p.mostra(i);
    p.mostra(100);
  }
  std::string esperado;
  for (int i = 0; i <= 100; i += 10) esperado += "Verificando Informações ...: " + std::to_string(i) + "%\n";
  EXPECT_EQ(log.str(), esperado);

  std::ostringstream saltos;
  {
    vornex::cli::LinhaProgresso p(saltos, "Passo");
    for (int i : {3, 7, 15, 19, 64, 99}) p.mostra(i);
  }
  EXPECT_EQ(saltos.str(), "Passo: 3%\nPasso: 15%\nPasso: 64%\nPasso: 99%\n");
}

}  // namespace
