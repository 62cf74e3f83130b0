#include "backup/sistema_arquivos.h"

#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cctype>

#include "common/texto.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAtributoArquivado = "user.vornex.arquivado";

std::string MarcaModificacao(const struct stat& st) {
  return std::to_string(st.st_mtim.tv_sec) + "." + std::to_string(st.st_mtim.tv_nsec);
}

bool CombinaDesde(const std::string& p, std::size_t i, const std::string& s, std::size_t j) {
  // Iterative glob with one back-track point: linear enough for file names.
  std::size_t estrela = std::string::npos, volta = 0;
  while (j < s.size()) {
    if (i < p.size() && p[i] == '*') {
      estrela = i++;
      volta = j;
    } else if (i < p.size() &&
               (p[i] == '?' || Maiuscula(p[i]) == Maiuscula(s[j]))) {
      ++i;
      ++j;
    } else if (estrela != std::string::npos) {
      i = estrela + 1;
      j = ++volta;
    } else {
      return false;
    }
  }
  while (i < p.size() && p[i] == '*') ++i;
  return i == p.size();
}

void Lista(const fs::path& pasta, const std::string& padrao, bool subpastas,
           std::vector<fs::path>& saida) {
  std::error_code ec;
  std::vector<fs::directory_entry> entradas;
  for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec))
    entradas.push_back(*it);
  std::sort(entradas.begin(), entradas.end(),
            [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
  for (const auto& e : entradas) {
    if (!CombinaPadrao(padrao, e.path().filename().string())) continue;
    std::error_code ec2;
    if (e.is_regular_file(ec2)) {
      saida.push_back(e.path());
    } else if (subpastas && e.is_directory(ec2) && !e.is_symlink(ec2)) {
      Lista(e.path(), padrao, true, saida);
    }
  }
}

}  // namespace

std::uint32_t DataDos(std::time_t t) {
  std::tm tm{};
  if (!localtime_r(&t, &tm)) return (1u << 21) | (1u << 16);
  const int ano = tm.tm_year + 1900;
  if (ano < 1980) return (1u << 21) | (1u << 16);  // 01/01/1980 00:00:00
  if (ano > 2107) return (127u << 25) | (12u << 21) | (31u << 16) | (23u << 11) | (59u << 5) | 29u;
  return (static_cast<std::uint32_t>(ano - 1980) << 25) |
         (static_cast<std::uint32_t>(tm.tm_mon + 1) << 21) |
         (static_cast<std::uint32_t>(tm.tm_mday) << 16) |
         (static_cast<std::uint32_t>(tm.tm_hour) << 11) |
         (static_cast<std::uint32_t>(tm.tm_min) << 5) | static_cast<std::uint32_t>(tm.tm_sec / 2);
}

std::optional<std::time_t> TempoDataDos(std::uint32_t d) {
  const int ano = static_cast<int>(d >> 25) + 1980, mes = (d >> 21) & 15, dia = (d >> 16) & 31,
            hora = (d >> 11) & 31, minuto = (d >> 5) & 63, seg = (d & 31) * 2;
  if (mes < 1 || mes > 12 || dia < 1 || hora > 23 || minuto > 59 || seg > 59) return std::nullopt;
  std::tm tm{};
  tm.tm_year = ano - 1900;
  tm.tm_mon = mes - 1;
  tm.tm_mday = dia;
  tm.tm_hour = hora;
  tm.tm_min = minuto;
  tm.tm_sec = seg;
  tm.tm_isdst = -1;
  const std::time_t t = std::mktime(&tm);
  if (t == static_cast<std::time_t>(-1)) return std::nullopt;
  return t;
}

std::optional<std::uint32_t> DataDosArquivo(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return std::nullopt;
  return DataDos(st.st_mtim.tv_sec);
}

bool TemAtributoArquivo(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return true;
  char valor[64];
  const ssize_t n = ::getxattr(p.c_str(), kAtributoArquivado, valor, sizeof valor);
  if (n < 0) return true;
  return std::string(valor, static_cast<std::size_t>(n)) != MarcaModificacao(st);
}

void LimpaAtributoArquivo(const fs::path& p) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return;
  const std::string marca = MarcaModificacao(st);
  (void)::setxattr(p.c_str(), kAtributoArquivado, marca.data(), marca.size(), 0);
}

bool CombinaPadrao(const std::string& padrao, const std::string& nome) {
  if (CombinaDesde(padrao, 0, nome, 0)) return true;
  if (padrao.size() >= 2 && padrao.compare(padrao.size() - 2, 2, ".*") == 0 &&
      nome.find('.') == std::string::npos)
    return CombinaDesde(padrao.substr(0, padrao.size() - 2), 0, nome, 0);
  return false;
}

std::vector<fs::path> ExpandeEspecificacao(const std::string& especificacao) {
  std::string e = especificacao;
  auto apara = [](std::string& s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
    std::size_t i = 0;
    while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
    s.erase(0, i);
  };
  apara(e);
  // Only a trailing " /s" asks for subfolders: "/s" is an ordinary part of Linux paths.
  bool subpastas = false;
  if (e.size() >= 3 && (e.back() == 's' || e.back() == 'S') && e[e.size() - 2] == '/' &&
      std::isspace(static_cast<unsigned char>(e[e.size() - 3]))) {
    subpastas = true;
    e.resize(e.size() - 2);
    apara(e);
  }
  std::vector<fs::path> saida;
  if (e.empty()) return saida;
  const fs::path caminho(e);
  const std::string padrao = caminho.filename().string();
  if (padrao.empty()) return saida;
  Lista(caminho.has_parent_path() ? caminho.parent_path() : fs::path("."), padrao, subpastas, saida);
  return saida;
}

}  // namespace vornex
