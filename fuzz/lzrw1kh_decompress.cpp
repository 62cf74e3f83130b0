// Decodes arbitrary bytes as one LZRW1-KH block into an exactly sized buffer,
// so that any read or write out of bounds shows under the sanitizers.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "backup/lzrw1kh.h"

namespace vornex::fuzz {

inline int DecodificaBlocoQualquer(const std::uint8_t* dados, std::size_t tamanho) {
  // The first byte chooses the room left for the output.
  if (tamanho == 0) return 0;
  const std::size_t capacidade = dados[0] & 1 ? lzrw1kh::kTamanhoMaximoBloco : dados[0] * 64u;
  const std::vector<std::uint8_t> origem(dados + 1, dados + tamanho);
  std::vector<std::uint8_t> destino(capacidade);
  const auto n = lzrw1kh::Decompress(origem, destino);
  if (n && *n > capacidade) std::abort();
  return 0;
}

}  // namespace vornex::fuzz

#ifndef VORNEX_SEM_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  return vornex::fuzz::DecodificaBlocoQualquer(dados, tamanho);
}
#endif
