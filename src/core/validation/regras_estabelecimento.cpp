#include "validation/regras_estabelecimento.h"

#include "common/digitos.h"
#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

// --- identification ----------------------------------------------------------

NuMensagem CriticaCnpjCei(std::string_view inscricao) {
  const auto v = Apara(inscricao);
  if (v.empty()) return "0055"_msg;
  if (auto m = CriticaNumerico(v, 14); !m.ok()) return m;
  if (SoZeros(v)) return "0055"_msg;
  if (CnpjValido(v)) return CeiValido(v) ? "0050"_msg : "0051"_msg;
  if (CeiValido(v)) return "0052"_msg;
  return "0053"_msg;
}

NuMensagem CriticaTipoInscricaoEstab(std::string_view tipo) {
  const auto v = Apara(tipo);
  if (v.empty()) return "0132"_msg;
  if (auto m = CriticaNumerico(v, 1); !m.ok()) return m;
  return Indicador(v, {"1", "3"}, "0130"_msg);
}

NuMensagem CriticaInscricaoTipo(std::string_view inscricao, std::string_view tipo) {
  const auto i = Apara(inscricao);
  const auto t = Apara(tipo);
  if (i.empty() || SoZeros(i)) return kSemOcorrencia;
  if (t.empty() || SoZeros(t)) return kSemOcorrencia;
  if (t == "1") return CnpjValido(i) ? kSemOcorrencia : "0131"_msg;
  if (t == "3") return CeiValido(i) ? kSemOcorrencia : "0131"_msg;
  return kSemOcorrencia;
}

namespace {
bool DigitoOuMaiuscula(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'); }
}  // namespace

NuMensagem CriticaPrefixo(std::string_view prefixo) {
  const auto v = Apara(prefixo);
  if (v.empty()) return "0061"_msg;
  if (!DigitoOuMaiuscula(v[0])) return "0060"_msg;
  if (v.size() == 2) return DigitoOuMaiuscula(v[1]) ? kSemOcorrencia : "0060"_msg;
  if (v.size() == 1) return "0062"_msg;
  return NuMensagem::Excede();
}

NuMensagem CriticaCeiVinculado(std::string_view ceiVinculado) {
  const auto v = Apara(ceiVinculado);
  if (v.empty()) return "0431"_msg;
  if (auto m = CriticaNumerico(v, 14); !m.ok()) return m;
  if (SoZeros(v) || CeiValido(v)) return kSemOcorrencia;
  return "0430"_msg;
}

NuMensagem CriticaCeiVinculadoTipo(std::string_view tipoEstab, std::string_view ceiVinculado) {
  if (SoZeros(ceiVinculado)) return kSemOcorrencia;
  if (tipoEstab != "3") return kSemOcorrencia;
  return "0350"_msg;
}

NuMensagem CriticaNegativaInscricao(std::string_view indicadorNegativa, std::string_view tipoEstab,
                                    std::string_view ceiVinculado) {
  if (indicadorNegativa != "1") return kSemOcorrencia;
  if (tipoEstab == "3") return "0133"_msg;
  if (tipoEstab == "1" && !SoZeros(ceiVinculado)) return "0133"_msg;
  return kSemOcorrencia;
}

// --- name --------------------------------------------------------------------

NuMensagem CriticaRazaoSocial(std::string_view nome, std::string_view inscricao, const Referencias& ref) {
  const auto n = Apara(nome);
  if (n.empty()) return "0110"_msg;
  if (auto m = CriticaTexto(n); !m.ok()) return m;
  if (IgualMaiusculas(n, "MATRIZ") || IgualMaiusculas(n, "FILIAL")) return "0111"_msg;
  const auto i = Apara(inscricao);
  if (i.size() >= 8) {
    if (auto curto = ref.NomeRaizReservada(i.substr(0, 8)); curto && !IgualMaiusculas(Trecho(n, 0, 15), *curto))
      return "0053"_msg;
  }
  return kSemOcorrencia;
}

// --- activity and situation ----------------------------------------------------

NuMensagem CriticaCnae(std::string_view cnae, const Referencias& ref) {
  return CodigoDeTabela(cnae, 5, ZerosSao::AposDigitos, "0360"_msg, "0361"_msg, ref, &Referencias::ExisteCnae);
}

NuMensagem CriticaNatJuridica(std::string_view naturezaJuridica, const Referencias& ref) {
  return CodigoDeTabela(naturezaJuridica, 4, ZerosSao::AposDigitos, "0370"_msg, "0371"_msg, ref,
                        &Referencias::ExisteNaturezaJuridica);
}

namespace {
// The whole first ten characters are compared, so only names beginning
// "PREFEITURA" and the bare abbreviations count.
bool NomeDePrefeitura(std::string_view p10) {
  return IgualMaiusculas(p10, "PREFEITURA") || IgualMaiusculas(p10, "PREF") || IgualMaiusculas(p10, "PREF.");
}
}  // namespace

NuMensagem CriticaCnaeRazao(std::string_view cnae, std::string_view nome) {
  const auto c = Apara(cnae);
  const auto n = Apara(nome);
  const auto p10 = Trecho(n, 0, 10);
  const auto p8 = Trecho(n, 0, 8);
  if (IgualMaiusculas(p10, "CONDOMINIO")) {
    if (c != "70408") return "0362"_msg;
  } else if (IgualMaiusculas(p8, "EDIFICIO") && c != "70408") {
    return "0362"_msg;
  }
  if (NomeDePrefeitura(p10) && Trecho(c, 0, 2) != "75") return "0363"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaNatJuridicaRazao(std::string_view naturezaJuridica, std::string_view nome) {
  if (NomeDePrefeitura(Trecho(Apara(nome), 0, 10)) && Apara(naturezaJuridica) != "1031") return "0372"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaPorte(std::string_view porte) { return Indicador(porte, {"1", "2", "3"}, "3124"_msg); }

NuMensagem CriticaSimples(std::string_view simples) { return Indicador(simples, {"1", "2"}, "3604"_msg); }

NuMensagem CriticaSimplesPorte(std::string_view simples, std::string_view porte) {
  if (Apara(porte) == "3" && Apara(simples) != "2") return "3125"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaUsoEmpresa(std::string_view texto) {
  return TextoValido(texto) ? kSemOcorrencia : "0020"_msg;
}

NuMensagem CriticaMesDataBase(std::string_view mes) {
  const auto v = Apara(mes);
  if (v.empty()) return "0030"_msg;
  if (auto m = CriticaNumerico(v, 2); !m.ok()) return m;
  if (ValorInteiro(v) > 12) return "0071"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaIndicadorNegativa(std::string_view indicador) {
  const auto v = Apara(indicador);
  if (v.empty()) return "0140"_msg;
  if (auto m = CriticaNumerico(v, 1); !m.ok()) return m;
  if (ValorInteiro(v) > 1) return "0140"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaDataBaseNegativa(std::string_view mes, std::string_view indicadorNegativa) {
  if (indicadorNegativa != "0") return kSemOcorrencia;
  if (SoZeros(Apara(mes))) return "0070"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaEncerramento(std::string_view indicador, std::string_view data, std::string_view anoBase,
                               bool estrito) {
  if (Apara(indicador) == "1") {
    const auto d = Apara(data);
    if (d.empty() || SoZeros(d)) return "3513"_msg;
    if (auto m = CriticaNumerico(d, 8); !m.ok()) return m;
    if (!DataValida(d)) return "3514"_msg;
    // The base year and the one after it: closing in the next year is what
    // an anticipated declaration is for.
    const long long v = DataNumero(d);
    const long long ano = ValorInteiro(Apara(anoBase));
    if (v < ano * 10000 + 101 || v > ano * 10000 + 11231) return "3516"_msg;
    return kSemOcorrencia;
  }
  // Not closed: only an empty date, one of zeros or a bare DDMM may stand.
  if (estrito && data.empty()) return "3514"_msg;
  if (data.size() == 4 || SoZeros(data) || data.empty()) return kSemOcorrencia;
  return "3515"_msg;
}

NuMensagem CriticaParticipaPat(std::string_view indicador) {
  const auto v = Apara(indicador);
  if (v.empty()) return "3608"_msg;
  return Indicador(v, {"1", "2"}, "3602"_msg);
}

NuMensagem CriticaNuVinculoPat(std::string_view quantidade) { return Preenchido(quantidade, 6, kSemOcorrencia); }

NuMensagem CriticaPercentualPat(std::string_view percentual) {
  const auto v = Apara(percentual);
  if (v.empty()) return kSemOcorrencia;
  if (auto m = CriticaNumerico(v, 3); !m.ok()) return m;
  if (ValorInteiro(v) > 100) return "3521"_msg;
  return kSemOcorrencia;
}

namespace {
// Padded to the column width first, so an over-long value counts by its
// first `largura` characters as the file layout would keep them.
long long ValorNaLargura(std::string_view v, int largura) {
  return ValorInteiro(ZerosEsquerda(Apara(v), largura));
}
}  // namespace

NuMensagem CriticaPatQuantidades(std::string_view indicador, std::string_view ateCincoSalarios,
                                 std::string_view acimaCincoSalarios) {
  const long long soma = ValorNaLargura(ateCincoSalarios, 6) + ValorNaLargura(acimaCincoSalarios, 6);
  if (Apara(indicador) == "2" && soma != 0) return "3525"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaPatPercentuais(std::string_view indicador, const std::array<std::string_view, 6>& percentuais) {
  long long soma = 0;
  for (auto p : percentuais) soma += ValorNaLargura(p, 3);
  if (Apara(indicador) != "1") return soma != 0 ? "3526"_msg : kSemOcorrencia;
  return soma > 100 ? "3601"_msg : kSemOcorrencia;
}

}  // namespace vornex
