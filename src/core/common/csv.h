#pragma once
// RFC 4180 reader for the project's data files (UTF-8, comma separated,
// quoted fields may hold commas, quotes and line breaks).
#include <string>
#include <string_view>
#include <vector>

namespace vornex {

using LinhaCsv = std::vector<std::string>;

// Parses the whole text. Accepts LF or CR LF line ends and a final line with
// no line end; blank lines are skipped. Throws std::runtime_error with the
// line number on an unterminated quote or text after a closing quote.
std::vector<LinhaCsv> ParseCsv(std::string_view texto);

// Reads a file and parses it; the error names the file.
std::vector<LinhaCsv> LeArquivoCsv(const std::string& caminho);

}  // namespace vornex
