#include <gtest/gtest.h>

#include <sstream>

#include "apoio_cli.h"

namespace {

using Saida = teste::SaidaCli;

Saida Roda(const std::vector<std::string>& args) { return teste::RodaCli(args); }

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
