// The delivered message catalog (data/catalogo.csv): every row well formed,
// and every number the program or its reports rely on present.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/catalogo.h"
#include "common/csv.h"
#include "common/texto.h"

namespace vornex {
namespace {

namespace fs = std::filesystem;

const std::string kCatalogo = std::string(VORNEX_SOURCE_DIR) + "/data/catalogo.csv";

// Number of code points, or nothing when the text is not valid UTF-8
// (overlong forms, surrogates and values above U+10FFFF included).
std::optional<std::size_t> ContaCaracteresUtf8(const std::string& s) {
  std::size_t n = 0;
  for (std::size_t i = 0; i < s.size(); ++n) {
    auto b = static_cast<unsigned char>(s[i]);
    std::size_t len;
    char32_t cp;
    if (b < 0x80) {
      len = 1;
      cp = b;
    } else if ((b & 0xE0) == 0xC0) {
      len = 2;
      cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
      len = 3;
      cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
      len = 4;
      cp = b & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + len > s.size()) return std::nullopt;
    for (std::size_t k = 1; k < len; ++k) {
      auto c = static_cast<unsigned char>(s[i + k]);
      if ((c & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMinimo[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMinimo[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    i += len;
  }
  return n;
}

// Source text with comments blanked out, so that an example number written
// in a comment is not taken for a reference. String and character literals
// are kept as they are.
std::string SemComentarios(const std::string& s) {
  std::string r;
  r.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char c = s[i];
    if (c == '"' || c == '\'') {
      // Raw strings are not used with message literals; a plain scan suffices.
      std::size_t j = i + 1;
      while (j < s.size() && s[j] != c && s[j] != '\n') j += (s[j] == '\\') ? 2 : 1;
      j = std::min(j + 1, s.size());
      r.append(s, i, j - i);
      i = j;
    } else if (s.compare(i, 2, "//") == 0) {
      while (i < s.size() && s[i] != '\n') ++i;
    } else if (s.compare(i, 2, "/*") == 0) {
      auto fim = s.find("*/", i + 2);
      i = fim == std::string::npos ? s.size() : fim + 2;
      r.push_back(' ');
    } else {
      r.push_back(c);
      ++i;
    }
  }
  return r;
}

TEST(CatalogoDados, CadaEntradaBemFormadaNumerosUnicosEOrdenados) {
  Catalogo catalogo = Catalogo::LeCsv(kCatalogo);
  ASSERT_FALSE(catalogo.todas().empty());

  // LeCsv keeps the last of two equal numbers, so uniqueness and order are
  // checked on the raw rows.
  std::ifstream f(kCatalogo, std::ios::binary);
  std::ostringstream conteudo;
  conteudo << f.rdbuf();
  auto linhas = ParseCsv(conteudo.str());
  ASSERT_GT(linhas.size(), 1u);
  EXPECT_EQ(linhas.size() - 1, catalogo.todas().size()) << "números repetidos no catálogo";
  for (std::size_t i = 2; i < linhas.size(); ++i)
    EXPECT_LT(linhas[i - 1][0], linhas[i][0]) << "fora de ordem ou repetido na linha " << i + 1;

  static const std::set<std::string> kTipos{"CNF", "WAR", "INF", "ERR"};
  static const std::regex kQuatroDigitos("[0-9]{4}");
  for (const auto& [numero, m] : catalogo.todas()) {
    SCOPED_TRACE("mensagem " + numero);
    EXPECT_TRUE(std::regex_match(numero, kQuatroDigitos));
    EXPECT_EQ(m.numero, numero);
    EXPECT_TRUE(kTipos.count(m.tipo)) << "tipo \"" << m.tipo << "\"";
    EXPECT_FALSE(Apara(m.texto).empty());
    auto n = ContaCaracteresUtf8(m.texto);
    ASSERT_TRUE(n.has_value()) << "texto não é UTF-8 válido";
    EXPECT_LE(*n, 200u);
  }
}

TEST(CatalogoDados, TodoNumeroUsadoNoCodigoEstaNoCatalogo) {
  Catalogo catalogo = Catalogo::LeCsv(kCatalogo);
  static const std::regex kLiteral("\"([0-9]{4})\"_msg");

  std::set<std::string> faltam;
  std::size_t arquivos = 0;
  for (const auto& e : fs::recursive_directory_iterator(fs::path(VORNEX_SOURCE_DIR) / "src")) {
    auto ext = e.path().extension();
    if (!e.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    ++arquivos;
    std::ifstream f(e.path(), std::ios::binary);
    std::ostringstream ss;
    ss << f.rdbuf();
    std::string fonte = SemComentarios(ss.str());
    for (std::sregex_iterator it(fonte.begin(), fonte.end(), kLiteral), fim; it != fim; ++it) {
      std::string numero = (*it)[1];
      if (numero != "0000" && catalogo.busca(numero) == nullptr)
        faltam.insert(numero + " (" + fs::relative(e.path(), VORNEX_SOURCE_DIR).string() + ")");
    }
  }
  ASSERT_GT(arquivos, 0u);
  std::string lista;
  for (const auto& n : faltam) lista += "\n  " + n;
  EXPECT_TRUE(faltam.empty()) << "números usados no código e ausentes do catálogo:" << lista;
}

TEST(CatalogoDados, NumerosQueOSistemaExigeEstaoPresentes) {
  Catalogo catalogo = Catalogo::LeCsv(kCatalogo);
  std::vector<std::string> exigidos;
  auto faixa = [&](int de, int ate) {
    for (int n = de; n <= ate; ++n) {
      char b[5];
      std::snprintf(b, sizeof b, "%04d", n);
      exigidos.emplace_back(b);
    }
  };
  faixa(1599, 1669);  // field labels; 1641-1652 are the twelve months
  faixa(1678, 1678);
  faixa(3122, 3123);
  faixa(3511, 3511);
  faixa(3520, 3520);
  faixa(3523, 3523);
  faixa(3610, 3621);
  faixa(3636, 3637);
  faixa(3641, 3642);
  faixa(1670, 1677);  // findings only the consistency check files
  faixa(1900, 1924);  // structural errors of a declaration file
  for (const char* n : {"1501", "1502", "1504", "1505"}) exigidos.emplace_back(n);  // import
  for (const char* n : {"0010", "0020", "0030", "0040"}) exigidos.emplace_back(n);  // helpers

  std::string faltam;
  for (const auto& n : exigidos)
    if (catalogo.busca(n) == nullptr) faltam += " " + n;
  EXPECT_TRUE(faltam.empty()) << "ausentes do catálogo:" << faltam;
}

}  // namespace
}  // namespace vornex
