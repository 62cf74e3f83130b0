#pragma once
// What the printed documents share: the identity printed in their titles (our
// own choice of texts, kept here and nowhere else), the title and footer
// bands.
#include <string>
#include <string_view>
#include <vector>

#include "common/catalogo.h"
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

// --- configuration -------------------------------------------------------------
inline constexpr std::string_view kNomeDeclaracao = "Declaração Anual de Movimentação de Empregados";
inline constexpr std::string_view kAtendimentoTelefone = "Telefone: 0800 600 2004 (dias úteis, das 8h às 18h)";
inline constexpr std::string_view kAtendimentoEmail = "E-mail: atendimento@catzema.gov.br";
inline constexpr std::string_view kFabricante = "Vornex Sistemas";

// "ZEMA - <name> - Ano-Base : 2004"
std::string LinhaZema();
// "VORNEX - VORNEX - Versão: 2004.1"
std::string LinhaVersao();
// The contact lines, one per line, with `introducao` in front of the first.
std::string LinhasAtendimento(std::string_view introducao);

// Fonts of the documents.
inline constexpr Fonte kFonteTitulo{10, true};
inline constexpr Fonte kFonteLegenda{6.5};
inline constexpr Fonte kFonteValor{7.5};
inline constexpr Fonte kFonteTexto{8};
inline constexpr Fonte kFonteNegrito{8, true};

// The three centred title lines (name, version, kind) from y; answers the y
// below them.
Unidade TitulosCentrados(Banda& b, Unidade y, Unidade largura, std::string_view tipo, bool sublinhaNome = false);

// Footer: a rule, the printing date and time at the left, "Página N" in the
// middle and, when asked, the maker's name at the right.
Banda RodapePadrao(const ContextoPagina& ctx, Unidade largura, bool fabricante, Unidade espessura = 1);

// A caption with its value below it.
void Legenda(Banda& b, Unidade x, Unidade y, Unidade largura, std::string_view legenda, std::string valor);

// Text measure without the renderer's fonts: every character is given at
// least the advance it has in the sans-serif faces the renderer may use, so a
// text that fits by this measure fits on paper (a little room is lost).
double LarguraEstimada(std::string_view texto, const Fonte& f);
// The height of one line of a text block in this font.
Unidade Entrelinha(const Fonte& f);
// The text broken at blanks into lines that fit `largura` by that measure; a
// word longer than a line is broken where the line is full.
std::vector<std::string> QuebraEmLinhas(std::string_view texto, Unidade largura, const Fonte& f);
// A band holding the text broken into lines at x, `topo` units below its top,
// as tall as its lines.
Banda BandaDeLinhas(TipoBanda tipo, Unidade x, Unidade largura, std::string_view texto, const Fonte& f,
                    Unidade topo = 2);

// The first n characters of a UTF-8 text (never half a character).
std::string PrimeirosCaracteres(std::string_view s, std::size_t n);

}  // namespace vornex::relatorio
