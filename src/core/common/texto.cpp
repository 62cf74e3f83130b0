#include "common/texto.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>

namespace vornex {

std::string Maiusculas(std::string_view s) {
  std::string r(s);
  for (char& c : r) c = Maiuscula(c);
  return r;
}

bool IgualSemCaixa(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Maiuscula(a[i]) != Maiuscula(b[i])) return false;
  return true;
}

std::string_view Apara(std::string_view s) {
  std::size_t i = 0, f = s.size();
  while (i < f && static_cast<unsigned char>(s[i]) <= 32) ++i;
  while (f > i && static_cast<unsigned char>(s[f - 1]) <= 32) --f;
  return s.substr(i, f - i);
}

namespace {

bool EhDigito(char c) { return c >= '0' && c <= '9'; }

// Substring by 1-based position that tolerates short texts, as the display
// forms cut their pieces.
std::string_view Copia(std::string_view s, std::size_t pos, std::size_t n) {
  if (pos < 1 || pos > s.size()) return {};
  return s.substr(pos - 1, n);
}

std::size_t Largura(int n) { return n > 0 ? static_cast<std::size_t>(n) : 0; }

}  // namespace

// --- tests -----------------------------------------------------------------

bool SoDigitos(std::string_view s) {
  for (char c : Apara(s))
    if (!EhDigito(c)) return false;
  return true;
}

bool SoZeros(std::string_view s) {
  return !s.empty() && s.find_first_not_of('0') == std::string_view::npos;
}

bool TextoValido(std::string_view s) {
  for (char ch : s) {
    auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c > 126 || c == '"' || c == '\'') return false;
  }
  return true;
}

bool SemRepeticao(std::string_view s) {
  // The window runs over the text as typed but stops at the trimmed length,
  // so leading blanks shift it left of the end; this is the rule's reach.
  const std::size_t n = Apara(s).size();
  if (n <= 3) return true;
  for (std::size_t i = 2; i + 2 <= n; ++i) {
    char c = s[i - 2];
    if (c != ' ' && s[i - 1] == c && s[i] == c && s[i + 1] == c) return false;
  }
  return true;
}

bool TemArroba(std::string_view s) { return s.find('@') != std::string_view::npos; }

bool DataValida(std::string_view d) {
  if (d.size() != 8 || !SoDigitos(d)) return false;
  for (char c : d)
    if (!EhDigito(c)) return false;  // blanks at either end pass SoDigitos but are no date
  auto num = [&](std::size_t p, std::size_t n) {
    int v = 0;
    for (std::size_t i = p; i < p + n; ++i) v = v * 10 + (d[i] - '0');
    return v;
  };
  int dia = num(0, 2), mes = num(2, 2), ano = num(4, 4);
  if (ano < 1 || mes < 1 || mes > 12 || dia < 1) return false;
  static constexpr std::array<int, 12> dias{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool bissexto = (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0;
  int max = dias[static_cast<std::size_t>(mes - 1)] + (mes == 2 && bissexto ? 1 : 0);
  return dia <= max;
}

// --- rule helpers ------------------------------------------------------------

NuMensagem CriticaNumerico(std::string_view s, int n) {
  s = Apara(s);
  if (!SoDigitos(s)) return "0040"_msg;
  const auto tam = static_cast<long long>(s.size());
  if (tam > n) return NuMensagem::Excede();
  if (tam < n) return "0030"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaTexto(std::string_view s) {
  s = Apara(s);
  if (!TextoValido(s)) return "0020"_msg;
  if (s.size() > 2) return kSemOcorrencia;
  return "0010"_msg;
}

// --- counting and conversion -------------------------------------------------

int ContaPalavras(std::string_view s) {
  s = Apara(s);
  if (s.empty()) return 0;
  int n = 1;
  for (std::size_t i = 1; i < s.size(); ++i)
    if (s[i] == ' ' && s[i - 1] != ' ') ++n;
  return n;
}

long long ValorInteiro(std::string_view s) {
  s = Apara(s);
  bool negativo = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.remove_prefix(1);
  if (s.empty() || !EhDigito(s[0])) return 0;
  unsigned long long v = 0;
  auto [fim, erro] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (erro != std::errc() || fim != s.data() + s.size()) return 0;
  constexpr auto max = static_cast<unsigned long long>(std::numeric_limits<long long>::max());
  if (v > max + (negativo ? 1 : 0)) return 0;
  return negativo ? static_cast<long long>(0 - v) : static_cast<long long>(v);
}

// --- padding and cleaning ----------------------------------------------------

std::string ZerosEsquerda(std::string_view s, int n) {
  const std::size_t w = Largura(n);
  std::string r = s.size() < w ? std::string(w - s.size(), '0') : std::string();
  r += s;
  r.resize(w);
  return r;
}

std::string EspacosDireita(std::string_view s, int n) {
  std::string r(s);
  r.resize(Largura(n), ' ');
  return r;
}

std::string Espacos(int n) { return std::string(Largura(n), ' '); }
std::string Zeros(int n) { return std::string(Largura(n), '0'); }

std::string TiraEspacos(std::string_view s) {
  // Each side stops at the last character, so a text of blanks leaves one.
  while (s.size() > 1 && s.front() == ' ') s.remove_prefix(1);
  while (s.size() > 1 && s.back() == ' ') s.remove_suffix(1);
  return std::string(s);
}

std::string TiraPontos(std::string_view s) {
  std::string r;
  for (char c : Apara(s))
    if (c != '.') r.push_back(c);
  return r;
}

std::string TiraZerosEsquerda(std::string_view s) {
  auto p = s.find_first_not_of('0');
  return p == std::string_view::npos ? std::string() : std::string(s.substr(p));
}

std::string FormataTelefone(std::string_view s) {
  std::string r = TiraZerosEsquerda(s);
  if (r.size() >= 5) r.insert(r.size() - 4, 1, '-');
  return r;
}

// --- dates -------------------------------------------------------------------

std::string InverteData(std::string_view d) {
  std::string r(Copia(d, 5, 4));
  r += Copia(d, 3, 2);
  r += Copia(d, 1, 2);
  return r;
}

std::string FormataData(std::string_view d) {
  std::string r(Copia(d, 1, 2));
  r += '/';
  r += Copia(d, 3, 2);
  r += '/';
  r += Copia(d, 5, 4);
  return r;
}

// --- display forms -----------------------------------------------------------

std::string NomeMes(std::string_view mes) {
  static constexpr std::array<std::string_view, 12> nomes{
      "Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
      "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
  if (!SoDigitos(mes)) return {};
  long long v = ValorInteiro(mes);
  if (v >= 1 && v <= 12) return std::string(nomes[static_cast<std::size_t>(v - 1)]);
  if (v == 99) return "Totalização";
  return {};
}

std::string FormataValor(std::string_view valor) {
  std::string limpo = TiraPontos(valor);
  std::string_view t = limpo;
  bool negativo = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    negativo = t[0] == '-';
    t.remove_prefix(1);
  }
  auto virgula = t.find(',');
  std::string_view inteira = t.substr(0, virgula);
  std::string_view fracao = virgula == std::string_view::npos ? std::string_view() : t.substr(virgula + 1);
  auto soDigitos = [](std::string_view p) {
    for (char c : p)
      if (!EhDigito(c)) return false;
    return true;
  };
  std::string r;
  if (inteira.size() + fracao.size() == 0 || !soDigitos(inteira) || !soDigitos(fracao)) {
    r = "Erro";
  } else {
    // Exact decimal rounding, half away from zero, to two places.
    std::string centavos(inteira);
    centavos += fracao.substr(0, 2);
    centavos.append(2 - std::min<std::size_t>(fracao.size(), 2), '0');
    if (fracao.size() > 2 && fracao[2] >= '5') {
      std::size_t i = centavos.size();
      while (i > 0 && centavos[i - 1] == '9') centavos[--i] = '0';
      if (i == 0)
        centavos.insert(centavos.begin(), '1');
      else
        ++centavos[i - 1];
    }
    std::string ip = centavos.substr(0, centavos.size() - 2);
    ip.erase(0, std::min(ip.find_first_not_of('0'), ip.size()));
    if (ip.empty()) ip = "0";
    if (negativo && centavos.find_first_not_of('0') != std::string::npos) r = "-";
    for (std::size_t i = 0; i < ip.size(); ++i) {
      if (i > 0 && (ip.size() - i) % 3 == 0) r.push_back('.');
      r.push_back(ip[i]);
    }
    r += ',';
    r += centavos.substr(centavos.size() - 2);
  }
  std::size_t brancos = 0;
  switch (r.size()) {
    case 4: brancos = 14; break;
    case 5: brancos = 12; break;
    case 6: brancos = 11; break;
    case 8: brancos = 7; break;
    case 9: brancos = 5; break;
    case 10: brancos = 3; break;
    default: break;
  }
  return std::string(brancos, ' ') + r;
}

namespace {

// Builds a display form from `s` with separators placed before the given
// 1-based positions; `s` must be long enough.
std::string Mascara(std::string_view s, std::initializer_list<std::pair<std::size_t, char>> seps) {
  std::string r;
  r.reserve(s.size() + seps.size());
  auto it = seps.begin();
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (it != seps.end() && it->first == i + 1) r.push_back((it++)->second);
    r.push_back(s[i]);
  }
  return r;
}

std::string FormataInscricaoCom(std::string_view numero, std::string_view tipo, bool conheceCpf) {
  if (tipo == "1" && numero.size() >= 14)
    return Mascara(numero.substr(0, 14), {{3, '.'}, {6, '.'}, {9, '/'}, {13, '-'}});
  if (tipo == "3") {
    std::string n(numero);
    if (n.size() == 12) n = "00" + n;
    if (n.size() >= 14)
      return Mascara(std::string_view(n).substr(2, 12), {{3, '-'}, {6, '-'}, {8, '.'}, {11, '-'}, {12, '/'}});
  }
  if (conheceCpf && tipo == "4") {
    std::string n(numero);
    if (n.size() == 11) n = "000" + n;
    if (n.size() >= 14)
      return Mascara(std::string_view(n).substr(3, 11), {{4, '.'}, {7, '.'}, {10, '-'}});
  }
  return std::string(numero);
}

}  // namespace

std::string FormataInscricao(std::string_view numero, std::string_view tipo) {
  return FormataInscricaoCom(numero, tipo, false);
}

std::string FormataInscricaoProtocolo(std::string_view numero, std::string_view tipo) {
  return FormataInscricaoCom(numero, tipo, true);
}

std::string FormataPis(std::string_view pis) {
  if (pis.size() != 11) return std::string(pis);
  return Mascara(pis, {{4, '.'}, {9, '.'}, {11, '.'}});
}

std::string LetraLatin1(unsigned char b) {
  char32_t u = 0;
  switch (b) {
    case 0x83: u = 0x0192; break;  // ƒ
    case 0x8A: u = 0x0160; break;  // Š
    case 0x8C: u = 0x0152; break;  // Œ
    case 0x8E: u = 0x017D; break;  // Ž
    case 0x9A: u = 0x0161; break;  // š
    case 0x9C: u = 0x0153; break;  // œ
    case 0x9E: u = 0x017E; break;  // ž
    case 0x9F: u = 0x0178; break;  // Ÿ
    case 0xAA: case 0xB5: case 0xBA: u = b; break;  // ª µ º
    default:
      // À..ÿ but the multiplication and division signs.
      if (b >= 0xC0 && b != 0xD7 && b != 0xF7) u = b;
  }
  if (u == 0) return {};
  if (u < 0x800) return {static_cast<char>(0xC0 | (u >> 6)), static_cast<char>(0x80 | (u & 0x3F))};
  return {static_cast<char>(0xE0 | (u >> 12)), static_cast<char>(0x80 | ((u >> 6) & 0x3F)),
          static_cast<char>(0x80 | (u & 0x3F))};
}

}  // namespace vornex
