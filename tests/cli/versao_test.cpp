#include <gtest/gtest.h>

#include <sstream>

#include "cli.h"

namespace {

struct Saida {
  int codigo;
  std::string out, err;
};

Saida Roda(std::vector<std::string> args) {
  std::ostringstream out, err;
  int c = vornex::cli::Executa(args, out, err);
  return {c, out.str(), err.str()};
}

TEST(Cli, VersaoAjudaEErros) {
  auto v = Roda({"versao"});
  EXPECT_EQ(v.codigo, 0);
  EXPECT_EQ(v.out, "2004.1\n");

  auto h = Roda({"--help"});
  EXPECT_EQ(h.codigo, 0);
  EXPECT_NE(h.out.find("versao"), std::string::npos);
  EXPECT_NE(h.out.find("--dados"), std::string::npos);

  auto ruim = Roda({"nao-existe"});
  EXPECT_EQ(ruim.codigo, 2);
  EXPECT_FALSE(ruim.err.empty());

  auto nada = Roda({});
  EXPECT_EQ(nada.codigo, 2);
}

}  // namespace
