#pragma once
// Text, number and date helpers. Every declaration value is stored as text
// (codes, DDMMAAAA dates, amounts in centavos, registrations); these pure
// functions are the common tests, paddings and display forms.
#include <string>
#include <string_view>

#include "common/mensagem.h"

namespace vornex {

// --- tests -----------------------------------------------------------------
bool SoDigitos(std::string_view s);    // after trimming, only '0'..'9' (empty: true)
bool SoZeros(std::string_view s);      // not empty, only '0', no trimming
bool TextoValido(std::string_view s);  // codes 32..126, no '"' nor '\''
bool SemRepeticao(std::string_view s); // false on four equal non-blank chars in a row
bool TemArroba(std::string_view s);
bool DataValida(std::string_view ddmmaaaa);

// --- rule helpers ------------------------------------------------------------
NuMensagem CriticaNumerico(std::string_view s, int n);  // "0040" | "X" | "0030" | "0000"
NuMensagem CriticaTexto(std::string_view s);            // "0020" | "0000" | "0010"

// --- counting and conversion -------------------------------------------------
std::string_view Apara(std::string_view s);  // trims chars with codes up to 32
// Letter case. Stored texts are ASCII (the valid-text rule admits nothing
// else), so only a-z change, whatever the locale.
inline char Maiuscula(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
std::string Maiusculas(std::string_view s);
// Names of tables, columns, indexes and files: equal but for the case of ASCII letters.
bool IgualSemCaixa(std::string_view a, std::string_view b);
// The UTF-8 text of a byte that is a letter in Windows Latin-1 (code page
// 1252: "é" for 0xE9, "Š" for 0x8A); empty for any other byte, ASCII included.
std::string LetraLatin1(unsigned char byte);
int ContaPalavras(std::string_view s);
long long ValorInteiro(std::string_view s);  // 0 when not an integer
inline int Maior(int a, int b) { return a > b ? a : b; }

// --- padding and cleaning ----------------------------------------------------
std::string ZerosEsquerda(std::string_view s, int n);
std::string EspacosDireita(std::string_view s, int n);
std::string Espacos(int n);
std::string Zeros(int n);
std::string TiraEspacos(std::string_view s);
std::string TiraPontos(std::string_view s);
std::string TiraZerosEsquerda(std::string_view s);
std::string FormataTelefone(std::string_view s);

// --- dates -------------------------------------------------------------------
// Both cut their pieces like substring copies, so a short text gives short pieces.
std::string InverteData(std::string_view ddmmaaaa);  // AAAAMMDD
std::string FormataData(std::string_view ddmmaaaa);  // DD/MM/AAAA

// --- display forms -----------------------------------------------------------
std::string NomeMes(std::string_view mes);
// A decimal text with ',' as separator ('.' thousands are dropped), shown as
// ###,##0.00 with blanks in front for a proportional-font column; "Erro" when
// the text is not a number. Amounts stored in centavos are converted by the caller.
std::string FormataValor(std::string_view valor);
// Screens and reports: types "1" and "3". The protocol variant also knows "4".
std::string FormataInscricao(std::string_view numero, std::string_view tipo);
std::string FormataInscricaoProtocolo(std::string_view numero, std::string_view tipo);
std::string FormataPis(std::string_view pis);  // NNN.NNNNN.NN.N; other lengths unchanged

}  // namespace vornex
