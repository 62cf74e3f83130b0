#include "common/valor.h"

#include "common/texto.h"

namespace vornex {

std::string ValorExibido(std::string_view centavos, bool milhar) {
  const std::string_view v = Apara(centavos);
  if (v.empty() || !SoDigitos(v)) return std::string(centavos);
  std::string digitos = TiraZerosEsquerda(v);
  if (digitos.size() < 3) digitos.insert(0, 3 - digitos.size(), '0');
  const std::string inteiro = digitos.substr(0, digitos.size() - 2);
  std::string r;
  for (std::size_t i = 0; i < inteiro.size(); ++i) {
    if (milhar && i > 0 && (inteiro.size() - i) % 3 == 0) r += '.';
    r += inteiro[i];
  }
  return r + ',' + digitos.substr(digitos.size() - 2);
}

ValorDigitado LeValorDigitado(std::string_view texto) {
  const std::string_view v = Apara(texto);
  if (v.empty()) return {};
  const ValorDigitado invalido{"0040"_msg, {}};
  const std::size_t virgula = v.find(',');
  const std::string_view parteInteira = v.substr(0, virgula);
  const std::string_view decimais = virgula == std::string_view::npos ? std::string_view() : v.substr(virgula + 1);
  if (decimais.size() > 2 || decimais.find_first_not_of("0123456789") != std::string_view::npos) return invalido;
  if (parteInteira.empty() && decimais.empty()) return invalido;

  std::string inteiro;
  if (parteInteira.find('.') != std::string_view::npos) {
    // Groups: one to three digits, then groups of exactly three.
    std::size_t inicio = 0;
    bool primeiro = true;
    while (true) {
      const std::size_t ponto = parteInteira.find('.', inicio);
      const std::string_view grupo = parteInteira.substr(inicio, ponto - inicio);
      const bool bom = primeiro ? (!grupo.empty() && grupo.size() <= 3) : grupo.size() == 3;
      if (!bom) return invalido;
      inteiro += grupo;
      primeiro = false;
      if (ponto == std::string_view::npos) break;
      inicio = ponto + 1;
    }
  } else {
    inteiro = parteInteira;
  }
  if (inteiro.find_first_not_of("0123456789") != std::string::npos) return invalido;

  std::string digitos = TiraZerosEsquerda(inteiro) + std::string(decimais) + std::string(2 - decimais.size(), '0');
  digitos = TiraZerosEsquerda(digitos);
  if (static_cast<int>(digitos.size()) > kDigitosValor) return {"0315"_msg, {}};
  return {kSemOcorrencia, ZerosEsquerda(digitos, kDigitosValor)};
}

}  // namespace vornex
