#pragma once
// The file-system services the backup archive relies on, in their Linux form:
// packed DOS dates, the archive attribute and the expansion of file
// file patterns with wildcards.
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vornex {

// Date and time in the 32-bit DOS packed form (local time, two-second steps).
// Times before 1980 or after 2107 are clamped to the ends of the range.
std::uint32_t DataDos(std::time_t t);
// The instant of a packed date; empty when the fields are out of range.
std::optional<std::time_t> TempoDataDos(std::uint32_t data);

// Modification date of a file as a packed date; empty when it cannot be read.
std::optional<std::uint32_t> DataDosArquivo(const std::filesystem::path& p);

// Linux has no archive attribute. A file "has" it until it is archived with
// SetArchiveFlag, which records its modification time in an extended
// attribute; a later change sets it again. Where extended attributes are not
// supported every file has it, so an incremental backup never misses one.
bool TemAtributoArquivo(const std::filesystem::path& p);
void LimpaAtributoArquivo(const std::filesystem::path& p);

// Case-insensitive match with '*' and '?'; a pattern ending in ".*" also
// matches names without a dot, as "*.*" does.
bool CombinaPadrao(const std::string& padrao, const std::string& nome);

// Expands "folder/pattern" into the regular files that match, in folder order
// (sorted by name). A trailing " /s" also searches the subfolders whose names
// match the pattern; symbolic links to folders are not followed.
std::vector<std::filesystem::path> ExpandeEspecificacao(const std::string& especificacao);

}  // namespace vornex
