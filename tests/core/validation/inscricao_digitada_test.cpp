#include "validation/inscricao_digitada.h"

#include <gtest/gtest.h>

#include <string>

#include "fixture.h"

namespace vornex {
namespace {

// As the new-declaration screen decides (by the digits typed) and as the
// other screens do (a number valid both ways is left to the user).
TEST(InscricaoDigitada, TipoPeloTamanhoOuDeixadoAoUsuario) {
  constexpr const char* kCnpjComZeros = "00345678000106";  // CNPJ only, two leading zeros
  struct Caso {
    std::string digitada;
    NuMensagem criticaTamanho;
    std::string tipoTamanho;
    NuMensagem criticaPergunta;
    std::string tipoPergunta;
    std::string inscricao;
  } casos[] = {
      {std::string(teste::kCnpj), kSemOcorrencia, "1", kSemOcorrencia, "1", std::string(teste::kCnpj)},
      {std::string(teste::kCnpjECei), kSemOcorrencia, "1", kSemOcorrencia, "", std::string(teste::kCnpjECei)},
      {std::string(teste::kCnpjECei).substr(2), kSemOcorrencia, "3", kSemOcorrencia, "", std::string(teste::kCnpjECei)},
      {std::string(teste::kCei).substr(2), kSemOcorrencia, "3", kSemOcorrencia, "3", std::string(teste::kCei)},
      // The type's length is required only when deciding by it.
      {std::string(teste::kCei), "1004"_msg, "", kSemOcorrencia, "3", std::string(teste::kCei)},
      {std::string(kCnpjComZeros).substr(2), "1003"_msg, "", kSemOcorrencia, "1", kCnpjComZeros},
      {" " + std::string(teste::kCnpj) + " ", kSemOcorrencia, "1", kSemOcorrencia, "1", std::string(teste::kCnpj)},
      {"11222333000182", "0053"_msg, "", "0053"_msg, "", "11222333000182"},
      {"", "0055"_msg, "", "0055"_msg, "", "00000000000000"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.digitada);
    const InscricaoDigitada t = AnalisaInscricao(c.digitada, DesempateInscricao::PeloTamanho);
    EXPECT_EQ(t.critica, c.criticaTamanho);
    EXPECT_EQ(t.tipo, c.tipoTamanho);
    EXPECT_EQ(t.inscricao, c.inscricao);
    const InscricaoDigitada p = AnalisaInscricao(c.digitada, DesempateInscricao::Pergunta);
    EXPECT_EQ(p.critica, c.criticaPergunta);
    EXPECT_EQ(p.tipo, c.tipoPergunta);
  }
}

}  // namespace
}  // namespace vornex
