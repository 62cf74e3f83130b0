#include "backup/lzrw1kh.h"

#include <algorithm>
#include <cstring>

namespace vornex::lzrw1kh {

std::optional<std::size_t> Decompress(std::span<const std::uint8_t> origem,
                                      std::span<std::uint8_t> destino) {
  const std::size_t n = origem.size();
  const std::size_t limite = std::min(destino.size(), kTamanhoMaximoBloco);
  if (n == 0 || n > kTamanhoMaximoBloco) return std::nullopt;

  if (origem[0] == kBlocoCopiado) {
    if (n - 1 > limite) return std::nullopt;
    if (n > 1) std::memcpy(destino.data(), origem.data() + 1, n - 1);
    return n - 1;
  }

  if (n < 3) return std::nullopt;  // no room for the first control word
  std::size_t x = 3, y = 0;
  unsigned w = (unsigned{origem[1]} << 8) | origem[2];
  int k = 16;
  while (x < n) {
    if (k == 0) {
      if (n - x < 2) return std::nullopt;
      w = (unsigned{origem[x]} << 8) | origem[x + 1];
      x += 2;
      k = 16;
      // A control word at the very end governs nothing.
      if (x == n) break;
    }
    if ((w & 0x8000u) == 0) {
      if (y >= limite) return std::nullopt;
      destino[y++] = origem[x++];
    } else {
      if (n - x < 2) return std::nullopt;
      const unsigned a = origem[x], b = origem[x + 1];
      const std::size_t offset = a * 16 + (b >> 4);
      if (offset != 0) {
        const std::size_t tamanho = (b & 0x0Fu) + 3;
        if (offset > y || tamanho > limite - y) return std::nullopt;
        // One byte at a time: an overlapping copy repeats a pattern.
        for (std::size_t i = 0; i < tamanho; ++i, ++y) destino[y] = destino[y - offset];
        x += 2;
      } else {
        if (n - x < 4) return std::nullopt;
        const std::size_t conta = b * 256 + origem[x + 2] + 16;
        if (conta > limite - y) return std::nullopt;
        std::memset(destino.data() + y, origem[x + 3], conta);
        y += conta;
        x += 4;
      }
    }
    w = (w << 1) & 0xFFFFu;
    --k;
  }
  return y;
}

}  // namespace vornex::lzrw1kh
