#pragma once
// The seal of a finished declaration file: a digest of the whole file,
// written as 32 characters into the seal field (positions 319-350) of its
// closing type-9 record. Anyone can check it: with the field put back to
// blanks, the digest of the file's bytes equals the seal.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vornex {

// What computes the seal from a finished file, so that another digest can
// take MD5's place: the file's path in, a text of at least 32 characters out,
// of which the first 32 are used. The seal field is read as blanks, so the
// result does not depend on a seal already written. nullopt when the file
// cannot be read or does not end in a type-9 record.
class GeradorSelo {
 public:
  virtual ~GeradorSelo() = default;
  virtual std::optional<std::string> geraSelo(const std::filesystem::path& arquivo) const = 0;
};

// MD5 (OpenSSL libcrypto) as 32 upper-case hexadecimal digits.
class SeloMd5 final : public GeradorSelo {
 public:
  std::optional<std::string> geraSelo(const std::filesystem::path& arquivo) const override;
};

const GeradorSelo& SeloPadrao();

// Byte offset of the seal field in the file: positions 319-350 of the last
// record, just before its end-of-record bytes (CR LF as the writer writes
// them; a lone CR or LF, or none, also found). nullopt when the file cannot
// be read, is shorter than a record or its last record is not of type 9.
std::optional<std::uint64_t> PosicaoSelo(const std::filesystem::path& arquivo);

// Feeds `bloco` with the file's bytes in blocks, the seal field as blanks:
// what a digest behind GeradorSelo reads. false on a read error, a file that
// is not sealable (see PosicaoSelo) or one that changes size while read.
bool LeComSeloEmBranco(const std::filesystem::path& arquivo,
                       const std::function<void(const char* dados, std::size_t n)>& bloco);

// Computes the seal of the finished file and writes it into its type-9
// record. false on any input/output error, or when the generator gives fewer
// than 32 printable characters (nothing is written then).
bool GravaHash(const std::filesystem::path& arquivo, const GeradorSelo& gerador = SeloPadrao());

// The 32 characters of the seal field as they are in the file.
std::optional<std::string> LeSelo(const std::filesystem::path& arquivo);

enum class ResultadoSelo {
  Confere,  // the seal matches the file's content
  Diverge,  // the file or its seal was changed
  Ausente,  // the seal field is blank: the file was never sealed
  Invalido, // unreadable, or not a file ending in a type-9 record
};
ResultadoSelo VerificaSelo(const std::filesystem::path& arquivo, const GeradorSelo& gerador = SeloPadrao());

// How the analyser reports the seal of a file it read: a line for people
// ("Selo do arquivo: ...") and a word for machines ("confere", "diverge",
// "ausente", "invalido").
std::string_view TextoSelo(ResultadoSelo r);
std::string_view NomeSelo(ResultadoSelo r);

}  // namespace vornex
