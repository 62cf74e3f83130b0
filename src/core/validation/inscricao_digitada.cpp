#include "validation/inscricao_digitada.h"

#include "common/texto.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {

InscricaoDigitada AnalisaInscricao(std::string_view digitada, DesempateInscricao desempate) {
  const std::string_view v = Apara(digitada);
  const std::string verificada = v.size() == 12 ? "00" + std::string(v) : std::string(v);
  InscricaoDigitada r{CriticaCnpjCei(verificada), ZerosEsquerda(v, 14), {}};
  const bool peloTamanho = desempate == DesempateInscricao::PeloTamanho;
  if (r.critica == "0051"_msg) {
    if (peloTamanho && v.size() != 14) return {"1003"_msg, r.inscricao, {}};
    r.tipo = kTipoCnpj;
  } else if (r.critica == "0052"_msg) {
    if (peloTamanho && v.size() != 12) return {"1004"_msg, r.inscricao, {}};
    r.tipo = kTipoCei;
  } else if (r.critica == "0050"_msg) {
    if (peloTamanho) r.tipo = v.size() == 12 ? kTipoCei : kTipoCnpj;
  } else {
    return r;
  }
  r.critica = kSemOcorrencia;
  return r;
}

std::string NomeTipoInscricao(std::string_view tipo) {
  if (tipo == kTipoCnpj) return "CNPJ";
  if (tipo == kTipoCei) return "CEI";
  return {};
}

}  // namespace vornex
