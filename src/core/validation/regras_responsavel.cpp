#include "validation/regras_responsavel.h"

#include "common/digitos.h"
#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

NuMensagem CriticaInscricaoResponsavel(std::string_view inscricao, int comprimentoDigitado) {
  const auto v = Apara(inscricao);
  if (v.empty()) return "0055"_msg;
  // Digits only: the padded text is always longer than a typed CPF, so its
  // length is judged below, not against the typed length.
  if (!SoDigitos(v)) return "0040"_msg;
  if (comprimentoDigitado == 11) {
    if (Trecho(v, 0, 3) != "000") return "0054"_msg;
    if (SoZeros(Trecho(v, 3, 11))) return "0055"_msg;
    if (CpfValido(Trecho(v, 3, 11)) && v.size() == 14) return "0056"_msg;
    return "0054"_msg;
  }
  if (SoZeros(v)) return "0055"_msg;
  if (CnpjValido(v)) return CeiValido(v) ? "0049"_msg : "0051"_msg;
  if (CeiValido(v)) return "0052"_msg;
  return "0054"_msg;
}

NuMensagem CriticaTipoInscricaoResp(std::string_view tipo) {
  const auto v = Apara(tipo);
  if (v.empty()) return "0128"_msg;
  if (auto m = CriticaNumerico(v, 1); !m.ok()) return m;
  return Indicador(v, {"1", "3", "4"}, "0129"_msg);
}

}  // namespace vornex
