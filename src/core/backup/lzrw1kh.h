#pragma once
// Decoder of LZRW1-KH blocks, the compression of the older kind of backup
// archive. Only decoding is needed: archives are always written with zlib.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vornex::lzrw1kh {

// A block, and what it decodes to, are at most this long.
inline constexpr std::size_t kTamanhoMaximoBloco = 32768;
// First byte of a block whose remaining bytes are the data as they are.
inline constexpr std::uint8_t kBlocoCopiado = 0x80;

// Decodes `origem` into `destino` and returns the number of bytes written.
// Blocks come from archives, so nothing in them is trusted: an item that runs
// past the end of the block, a copy from before the start of the output, or
// more output than `destino` holds (never more than kTamanhoMaximoBloco) makes
// the block invalid and the answer empty. Nothing is read or written out of
// bounds either way.
std::optional<std::size_t> Decompress(std::span<const std::uint8_t> origem,
                                      std::span<std::uint8_t> destino);

}  // namespace vornex::lzrw1kh
