#include "backup/lzrw1kh.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using vornex::lzrw1kh::Decompress;
using vornex::lzrw1kh::kTamanhoMaximoBloco;

using Bloco = std::vector<unsigned char>;

Bloco Junta(std::initializer_list<Bloco> partes) {
  Bloco r;
  for (const auto& p : partes) r.insert(r.end(), p.begin(), p.end());
  return r;
}
Bloco Vezes(int n, const Bloco& b) {
  Bloco r;
  for (int i = 0; i < n; ++i) r.insert(r.end(), b.begin(), b.end());
  return r;
}

std::optional<std::string> Decodifica(const Bloco& b, std::size_t capacidade = kTamanhoMaximoBloco) {
  // Exactly sized buffers, so that the sanitizers see any overrun.
  std::vector<unsigned char> origem(b), destino(capacidade);
  const auto n = Decompress(origem, destino);
  if (!n) return std::nullopt;
  return std::string(destino.begin(), destino.begin() + static_cast<long>(*n));
}

// Seven runs of 4111 bytes (b = 15, c = 255) and one of `ultimo` (b = 15, c = ultimo - 3856).
Bloco OitoCorridas(int ultimo) {
  return Junta({{0x00, 0xFF, 0x00}, Vezes(7, {0x00, 0x0F, 0xFF, 'r'}),
                {0x00, 0x0F, static_cast<unsigned char>(ultimo - 3856), 'r'}});
}

struct Caso {
  const char* nome;
  Bloco bloco;
  std::optional<std::string> esperado;
  std::size_t capacidade = kTamanhoMaximoBloco;
};

TEST(Lzrw1kh, ItensDoFormatoEBlocosHostis) {
  const Bloco dezesseisLiterais = Vezes(16, {'a'});
  const std::vector<Caso> casos = {
      {"copiado", {0x80, 'a', 'b', 'c'}, "abc"},
      {"copiado vazio", {0x80}, ""},
      {"sem itens", {0x00, 0x00, 0x00}, ""},
      {"qualquer outro primeiro byte comprime", {0x01, 0x00, 0x00, 'q'}, "q"},
      {"cópia de deslocamento 1 e tamanho 18", {0x00, 0x40, 0x00, 'x', 0x00, 0x1F}, std::string(19, 'x')},
      {"cópia sobreposta repete o padrão", {0x00, 0x20, 0x00, 'a', 'b', 0x00, 0x21}, "ababab"},
      {"corrida com b = 0 e c = 0", {0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 'z'}, std::string(16, 'z')},
      {"corrida mais longa", {0x00, 0x80, 0x00, 0x00, 0x0F, 0xFF, 'z'}, std::string(4111, 'z')},
      {"nova palavra de controle a cada 16 itens",
       Junta({{0x00, 0x00, 0x00}, dezesseisLiterais, {0x00, 0x00}, {'b', 'c', 'd', 'e'}}),
       std::string(16, 'a') + "bcde"},
      {"palavra de controle no fim não governa nada", Junta({{0x00, 0x00, 0x00}, dezesseisLiterais, {0xFF, 0xFF}}),
       std::string(16, 'a')},
      {"exatamente 32768 bytes", OitoCorridas(3991), std::string(32768, 'r')},
      // Everything below would read or write out of bounds if trusted.
      {"mais de 32768 bytes", OitoCorridas(3992), std::nullopt},
      {"cópia antes do início da saída", {0x00, 0x40, 0x00, 'x', 0x00, 0x20}, std::nullopt},
      {"cópia sem saída alguma", {0x00, 0x80, 0x00, 0xFF, 0xFF}, std::nullopt},
      {"item de cópia cortado", {0x00, 0x40, 0x00, 'x', 0x01}, std::nullopt},
      {"item de corrida cortado", {0x00, 0x80, 0x00, 0x00, 0x00, 0x00}, std::nullopt},
      {"palavra de controle cortada", Junta({{0x00, 0x00, 0x00}, dezesseisLiterais, {0x00}}), std::nullopt},
      {"sem a primeira palavra de controle", {0x00, 0x00}, std::nullopt},
      {"bloco vazio", {}, std::nullopt},
      {"bloco maior que 32768", Junta({{0x80}, Bloco(32768, 'x')}), std::nullopt},
      {"copiado maior que o destino", {0x80, 'a', 'b', 'c'}, std::nullopt, 2},
      {"corrida maior que o destino", {0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 'z'}, std::nullopt, 15},
      {"literal além do destino", {0x00, 0x00, 0x00, 'a', 'b'}, std::nullopt, 1},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    EXPECT_EQ(Decodifica(c.bloco, c.capacidade), c.esperado);
  }
}

}  // namespace
