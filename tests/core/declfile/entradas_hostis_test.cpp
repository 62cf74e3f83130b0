// Replays hostile inputs through the analyser fuzz target's own entry
// function, so that the sanitizer build runs them on every test run.
#define VORNEX_SEM_LIBFUZZER
#include "../../../fuzz/analisa_arquivo.cpp"

#include <gtest/gtest.h>

#include <sstream>

#include "arquivo_zema.h"

namespace {

int Analisa(const std::string& s) {
  return vornex::fuzz::AnalisaArquivoQualquer(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

TEST(EntradasHostis, ArquivosParaAnalise) {
  std::ostringstream g;
  teste::GeraArquivoZema(g, 2, 2);
  const std::string bom = g.str();
  const std::vector<std::string> entradas = {
      "",
      std::string(1049, '0'),
      std::string(1050, '\0'),
      std::string(1050, '\n'),
      std::string(1051, '\r'),
      bom,
      bom.substr(0, 352) + std::string(2000, '\x1a'),
      bom.substr(0, bom.size() - 1),
      bom + std::string(351, '\x1a'),
      std::string(350, ' ') + "\r" + bom,
  };
  for (const auto& e : entradas) EXPECT_EQ(Analisa(e), 0);
}

}  // namespace
