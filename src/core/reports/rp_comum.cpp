#include "reports/rp_comum.h"

#include <cmath>
#include <utility>

#include "common/versao.h"
#include "data/banco.h"

namespace vornex::relatorio {

std::string LinhaZema() {
  return "ZEMA - " + std::string(kNomeDeclaracao) + " - Ano-Base : " + std::string(AnoBase);
}

std::string LinhaVersao() { return "VORNEX - VORNEX - Versão: " + std::string(VersaoSistema); }

std::string LinhasAtendimento(std::string_view introducao) {
  return std::string(introducao) + std::string(kAtendimentoTelefone) + "\n" + std::string(kAtendimentoEmail);
}

Unidade TitulosCentrados(Banda& b, Unidade y, Unidade largura, std::string_view tipo, bool sublinhaNome) {
  Fonte nome = kFonteTitulo;
  nome.sublinhado = sublinhaNome;
  b.Texto(0, y, largura, 18, LinhaZema(), nome, Alinhamento::Centro)
      .Texto(0, y + 20, largura, 18, LinhaVersao(), kFonteTitulo, Alinhamento::Centro)
      .Texto(0, y + 40, largura, 18, std::string(tipo), kFonteTitulo, Alinhamento::Centro);
  return y + 60;
}

Banda RodapePadrao(const ContextoPagina& ctx, Unidade largura, bool fabricante, Unidade espessura) {
  Banda r(TipoBanda::RodapePagina, 28);
  r.Traco(0, 2, largura, 2, espessura)
      .Texto(0, 8, 200, 14, std::string(ctx.data) + " " + std::string(ctx.hora), kFonteTexto)
      .Texto(0, 8, largura, 14, "Página " + std::to_string(ctx.numero), kFonteTexto, Alinhamento::Centro);
  if (fabricante) r.Texto(largura - 200, 8, 200, 14, std::string(kFabricante), kFonteTexto, Alinhamento::Direita);
  return r;
}

void Legenda(Banda& b, Unidade x, Unidade y, Unidade largura, std::string_view legenda, std::string valor) {
  b.Texto(x, y, largura, 10, std::string(legenda), kFonteLegenda).Texto(x, y + 11, largura, 12, std::move(valor), kFonteValor);
}

namespace {

// Advances in em, rounded up over the sans-serif faces in use: wide capitals
// and "m"/"w" count as a full em; bold runs about a tenth wider.
double Avanco(char32_t c) {
  if (c == ' ') return 0.35;
  if (c == 'M' || c == 'W' || c == 'm' || c == 'w' || c == '@' || c == '%') return 1.0;
  if (c >= '0' && c <= '9') return 0.7;
  if (c >= 'A' && c <= 'Z') return 0.8;
  if (c >= 'a' && c <= 'z') return c == 'i' || c == 'l' || c == 'j' || c == 't' || c == 'f' || c == 'r' ? 0.45 : 0.66;
  if (c < 0x80) return c == '.' || c == ',' || c == ':' || c == ';' || c == '\'' || c == '|' ? 0.4 : 0.7;
  return 0.8;  // accented letters and the rest
}

// The code points of a UTF-8 text, a byte at a time for a broken sequence.
template <typename F>
void PorCaractere(std::string_view s, F&& f) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    if (i + n > s.size()) n = 1;
    char32_t c = n == 1 ? b : b & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    f(c, s.substr(i, n));
    i += n;
  }
}

double Em(const Fonte& f) { return f.pontos * UnidadesPorPolegada / 72.0; }

}  // namespace

double LarguraEstimada(std::string_view texto, const Fonte& f) {
  double em = 0;
  PorCaractere(texto, [&](char32_t c, std::string_view) { em += Avanco(c); });
  return em * Em(f) * (f.negrito ? 1.1 : 1.0);
}

Unidade Entrelinha(const Fonte& f) { return static_cast<Unidade>(std::ceil(Em(f) * 1.2)); }

std::vector<std::string> QuebraEmLinhas(std::string_view texto, Unidade largura, const Fonte& f) {
  std::vector<std::string> linhas;
  std::string linha, palavra;
  auto cabe = [&](const std::string& s) { return LarguraEstimada(s, f) <= largura; };
  auto fechaPalavra = [&] {
    if (palavra.empty()) return;
    const std::string junto = linha.empty() ? palavra : linha + " " + palavra;
    if (cabe(junto)) {
      linha = junto;
    } else {
      if (!linha.empty()) linhas.push_back(std::move(linha));
      linha.clear();
      // A word wider than a line goes in pieces.
      std::string pedaco;
      PorCaractere(palavra, [&](char32_t, std::string_view c) {
        if (!pedaco.empty() && !cabe(pedaco + std::string(c))) linhas.push_back(std::exchange(pedaco, {}));
        pedaco += c;
      });
      linha = std::move(pedaco);
    }
    palavra.clear();
  };
  for (char ch : texto) {
    if (ch == ' ' || ch == '\n') {
      fechaPalavra();
      if (ch == '\n') linhas.push_back(std::exchange(linha, {}));
    } else {
      palavra += ch;
    }
  }
  fechaPalavra();
  if (!linha.empty() || linhas.empty()) linhas.push_back(std::move(linha));
  return linhas;
}

Banda BandaDeLinhas(TipoBanda tipo, Unidade x, Unidade largura, std::string_view texto, const Fonte& f, Unidade topo) {
  const std::vector<std::string> linhas = QuebraEmLinhas(texto, largura, f);
  std::string junto;
  for (const auto& l : linhas) junto += (junto.empty() ? "" : "\n") + l;
  const Unidade altura = Entrelinha(f) * static_cast<Unidade>(linhas.size());
  Banda b(tipo, topo + altura);
  b.Texto(x, topo, largura, altura, std::move(junto), f);
  return b;
}

std::string PrimeirosCaracteres(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t k = 0; i < s.size() && k < n; ++k) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(s.substr(0, i));
}

}  // namespace vornex::relatorio
