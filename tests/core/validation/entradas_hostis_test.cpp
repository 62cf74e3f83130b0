// Replays hostile declarations through the fuzz target's own entry function,
// so that the sanitizer build runs them on every test run.
#define VORNEX_SEM_LIBFUZZER
#include "../../../fuzz/consistencia_tabelas.cpp"

#include <gtest/gtest.h>

#include <random>

#include "../data/apoio.h"

namespace {

using namespace vornex;

TEST(EntradasHostis, TabelasDeTrabalhoQuaisquer) {
  teste::PastaTemporaria p;
  teste::CopiaPastaInicializada(p.caminho());
  Conexao c = AbreZema2004(p.caminho());
  c.executa("PRAGMA trabalho.synchronous = OFF");  // hundreds of passes: no need to wait for the disk
  const TabelasReferencia t = TabelasReferencia::Carrega(c);
  const ReferenciasTabelas ref(t);
  auto roda = [&](const std::string& s) {
    return fuzz::VerificaTabelasQuaisquer(c, ref, reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
  };
  EXPECT_EQ(roda(""), 0);
  EXPECT_EQ(roda(std::string(4000, '\xff')), 0);  // every field full of a byte that is no character
  EXPECT_EQ(roda(std::string(4000, '9')), 0);     // every field full of nines
  EXPECT_EQ(roda(std::string(4000, '\0')), 0);
  std::mt19937 g(2004);
  for (int i = 0; i < 120; ++i) {
    std::string s(1 + g() % 3000, '\0');
    for (auto& ch : s) ch = static_cast<char>(i % 2 ? '0' + g() % 10 : g() % 256);
    EXPECT_EQ(roda(s), 0);
  }
}

}  // namespace
