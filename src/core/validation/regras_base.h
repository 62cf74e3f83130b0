#pragma once
// Building blocks shared by the field rules; not for callers outside
// validation/. Nothing here allocates beyond small strings: the rules run
// dozens of times per link over whole declarations.
#include <initializer_list>
#include <string_view>

#include "common/mensagem.h"
#include "common/texto.h"
#include "validation/referencias.h"

namespace vornex::regras {

inline bool Vazio(std::string_view s) { return Apara(s).empty(); }

// Characters [pos, pos+n) clamped to the text, so short values never read
// past their end.
inline std::string_view Trecho(std::string_view s, std::size_t pos, std::size_t n) {
  return pos >= s.size() ? std::string_view{} : s.substr(pos, n);
}

// Day, month and year of DDMMAAAA / DDMM texts, clamped like Trecho.
inline std::string_view Dia(std::string_view d) { return Trecho(d, 0, 2); }
inline std::string_view Mes(std::string_view d) { return Trecho(d, 2, 2); }
inline std::string_view Ano(std::string_view d) { return Trecho(d, 4, 4); }

inline bool UmDe(std::string_view v, std::initializer_list<std::string_view> codigos) {
  for (auto c : codigos)
    if (v == c) return true;
  return false;
}
inline bool UmDe(long long v, std::initializer_list<int> codigos) {
  for (auto c : codigos)
    if (v == c) return true;
  return false;
}

// Upper-cased `texto` equals `maiusculo` (ASCII, as the valid-text rule
// admits nothing else); compares in place instead of building a copy.
inline bool IgualMaiusculas(std::string_view texto, std::string_view maiusculo) {
  if (texto.size() != maiusculo.size()) return false;
  for (std::size_t i = 0; i < texto.size(); ++i)
    if (Maiuscula(texto[i]) != maiusculo[i]) return false;
  return true;
}

// (MM, DD) of `a` before (MM, DD) of `b`: month texts first, then day texts.
// Both are DDMM or DDMMAAAA texts whose first four characters are digits.
inline bool DiaMesAntes(std::string_view a, std::string_view b) {
  if (Mes(a) != Mes(b)) return Mes(a) < Mes(b);
  return Dia(a) < Dia(b);
}

// A DDMM value is a date of the base year.
inline bool DiaMesValido(std::string_view ddmm, std::string_view anoBase) {
  std::string d(ddmm);  // eight characters: stays in the small-string buffer
  d.append(anoBase);
  return DataValida(d);
}

// AAAAMMDD of an 8-character date as a number (0 when not all digits).
inline long long DataNumero(std::string_view ddmmaaaa) { return ValorInteiro(InverteData(ddmmaaaa)); }

// Every value present and numeric: the cross-field rules judge nothing else
// (each field's own rule reports it).
inline bool InformadosNumericos(std::initializer_list<std::string_view> valores) {
  for (auto v : valores)
    if (v.empty() || !SoDigitos(v)) return false;
  return true;
}

// A value whose emptiness has its own answer, then N digits.
inline NuMensagem Preenchido(std::string_view v, int largura, NuMensagem seVazio) {
  if (Vazio(v)) return seVazio;
  return CriticaNumerico(v, largura);
}

// Coded fields checked against a reference table. The rules differ in
// whether a value of zeros is judged with the empty value or after the
// digits test (which decides between "0030" and the empty answer for a
// short value of zeros).
using ExisteCodigo = bool (Referencias::*)(std::string_view) const;
enum class ZerosSao { ComoVazio, AposDigitos };

inline NuMensagem CodigoDeTabela(std::string_view valor, int largura, ZerosSao zeros, NuMensagem vazio,
                                 NuMensagem ausente, const Referencias& ref, ExisteCodigo existe) {
  const auto v = Apara(valor);
  if (v.empty() || (zeros == ZerosSao::ComoVazio && SoZeros(v))) return vazio;
  if (auto m = CriticaNumerico(v, largura); !m.ok()) return m;
  if (zeros == ZerosSao::AposDigitos && SoZeros(v)) return vazio;
  if (!(ref.*existe)(v)) return ausente;
  return kSemOcorrencia;
}

// A one-character indicator that must be one of `codigos`.
inline NuMensagem Indicador(std::string_view v, std::initializer_list<std::string_view> codigos,
                            NuMensagem senao) {
  return UmDe(v, codigos) ? kSemOcorrencia : senao;
}

}  // namespace vornex::regras
