#include "validation/regras_endereco.h"

#include <array>

#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

// --- address -----------------------------------------------------------------

NuMensagem CriticaLogradouro(std::string_view logradouro) {
  const auto v = Apara(logradouro);
  if (v.empty()) return "0120"_msg;
  if (!SemRepeticao(v)) return "3100"_msg;
  return CriticaTexto(v);
}

NuMensagem CriticaNumeroEndereco(std::string_view numero) { return CriticaNumerico(numero, 6); }

NuMensagem CriticaComplemento(std::string_view complemento) {
  const auto v = Apara(complemento);
  if (v.empty()) return kSemOcorrencia;
  if (!TextoValido(v)) return "0020"_msg;
  if (!SemRepeticao(v)) return "3100"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaComplementoSemNumero(std::string_view numero, std::string_view complemento) {
  const auto n = Apara(numero);
  if ((n.empty() || SoZeros(n)) && Vazio(complemento)) return "0120"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaBairro(std::string_view bairro) {
  const auto v = Apara(bairro);
  if (v.empty()) return kSemOcorrencia;
  return CriticaTexto(v);
}

NuMensagem CriticaNomeMunicipio(std::string_view nomeMunicipio) {
  const auto v = Apara(nomeMunicipio);
  if (v.empty()) return "0093"_msg;
  return CriticaTexto(v);
}

NuMensagem CriticaCep(std::string_view cep) {
  const auto v = Apara(cep);
  if (v.empty()) return "0081"_msg;
  if (auto m = CriticaNumerico(v, 8); !m.ok()) return m;
  if (SoZeros(v)) return "0081"_msg;
  if (v.substr(0, 2) == "00") return "0080"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaMunicipio(std::string_view municipio, const Referencias& ref) {
  return CodigoDeTabela(municipio, 7, ZerosSao::AposDigitos, "0092"_msg, "0090"_msg, ref,
                        &Referencias::ExisteMunicipio);
}

NuMensagem CriticaUf(std::string_view sgUf, const Referencias& ref) {
  const auto v = Apara(sgUf);
  if (v.empty() || SoZeros(v)) return "0101"_msg;
  if (!ref.CodigoUf(v)) return "0100"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaUfMunicipio(std::string_view municipio, std::string_view sgUf, const Referencias& ref) {
  const auto m = Apara(municipio);
  const auto uf = Apara(sgUf);
  if (m.empty() || SoZeros(m)) return kSemOcorrencia;
  if (uf.empty()) return kSemOcorrencia;
  if (auto sigla = ref.SiglaUf(Trecho(m, 0, 2)); sigla && *sigla != uf) return "0091"_msg;
  return kSemOcorrencia;
}

namespace {

// Prefix of tb8FXCEP widened to a whole CEP: "000" below, "999" above.
long long LimiteCep(std::string_view prefixo, std::string_view complemento) {
  std::string t(Apara(prefixo));  // eight characters: no allocation
  t.append(complemento);
  return ValorInteiro(t);
}

// CEP prefixes accepted in each state beside its municipalities' own: a list
// of prefixes, a range of them (both ends included), or both.
struct ExcecaoCep {
  int uf;
  std::array<std::string_view, 8> lista;
  int de = 0, ate = -1;  // empty range unless given
};

constexpr ExcecaoCep kExcecoesCep[] = {
    {11, {"78939"}},                                                         // RO
    {17, {"77714", "77785"}},                                                // TO
    {21, {"65368"}},                                                         // MA
    {22, {"64180", "64764"}},                                                // PI
    {23, {"62230", "62790", "62980", "63165"}},                              // CE
    {24, {"59182", "59245", "59260", "59270", "59290", "59440", "59680", "59950"}},  // RN
    {25, {}, 58124, 58978},                                                  // PB
    {26, {}, 53400, 56870},                                                  // PE
    {27, {"57150", "57180", "57420", "57490", "57525", "57630", "57700"}},   // AL
    {28, {"49130", "49500", "49580", "49670", "49700", "49945", "49970"}},   // SE
    {29, {}, 44270, 48895},                                                  // BA
    {31, {}, 33000, 39848},                                                  // MG
    {32, {"29135", "29350", "29845"}},                                       // ES
    {33, {"25880", "27600", "28380", "28500", "28660"}},                     // RJ
    {35, {"09000"}, 11300, 19300},                                           // SP
    {41, {}, 84950, 87840},                                                  // PR
    {42, {}, 88180, 89998},                                                  // SC
    {43, {}, 94800, 99950},                                                  // RS
    {50, {}, 79000, 79980},                                                  // MS
    {51, {}, 78110, 78795},                                                  // MT
    {52, {}, 73860, 76530},                                                  // GO
    {53, {}, 70640, 73499},                                                  // DF
};

}  // namespace

NuMensagem CriticaCepExcecao(std::string_view cep, std::string_view municipio) {
  const auto c = Apara(cep);
  const auto m = Apara(municipio);
  if (!SoDigitos(c) || !SoDigitos(m)) return kSemOcorrencia;
  const long long uf = ValorInteiro(Trecho(m, 0, 2));
  const auto p = Trecho(c, 0, 5);
  for (const auto& e : kExcecoesCep) {
    if (e.uf != uf) continue;
    for (auto aceito : e.lista)
      if (!aceito.empty() && p == aceito) return kSemOcorrencia;
    const long long n = ValorInteiro(p);
    return (n >= e.de && n <= e.ate) ? kSemOcorrencia : "0082"_msg;
  }
  return "0082"_msg;
}

NuMensagem CriticaCepMunicipio(std::string_view cep, std::string_view municipio, bool aceitaSemCep,
                               const Referencias& ref) {
  const auto c = Apara(cep);
  const auto m = Apara(municipio);
  if (c.empty() || SoZeros(c)) return kSemOcorrencia;
  if (m.empty() || SoZeros(m)) return kSemOcorrencia;
  const auto dados = ref.CepMunicipio(m);
  if (!dados) return kSemOcorrencia;  // CriticaMunicipio reports it
  if (!dados->inFaixa) {
    const auto coCep = Apara(dados->coCep);
    if (Trecho(c, 0, 5) == coCep) return kSemOcorrencia;
    if (coCep.empty() && aceitaSemCep) return kSemOcorrencia;
    return CriticaCepExcecao(c, m);
  }
  const auto faixas = ref.FaixasCep(m);
  if (!faixas) return "0082"_msg;
  const long long n = ValorInteiro(c);
  if (n >= LimiteCep(faixas->coCep1Inicial, "000") && n <= LimiteCep(faixas->coCep1Final, "999"))
    return kSemOcorrencia;
  if (n < LimiteCep(faixas->coCep2Inicial, "000") || n > LimiteCep(faixas->coCep2Final, "999"))
    return CriticaCepExcecao(c, m);
  return kSemOcorrencia;
}

NuMensagem CriticaCepUf(std::string_view cep, std::string_view coUf, const Referencias& ref) {
  const auto c = Apara(cep);
  const auto uf = Apara(coUf);
  if (SoZeros(c) || c.empty() || SoZeros(uf) || uf.empty() || !SoDigitos(c)) return kSemOcorrencia;
  const long long p = ValorInteiro(Trecho(c, 0, 5));
  for (const auto& f : ref.FaixasCepUf(uf))
    if (p >= ValorInteiro(Apara(f.coCepInicial)) && p <= ValorInteiro(Apara(f.coCepFinal))) return kSemOcorrencia;
  return "0083"_msg;
}

// --- contact -------------------------------------------------------------------

NuMensagem CriticaDdd(std::string_view ddd) { return SoDigitos(ddd) ? kSemOcorrencia : "0400"_msg; }

NuMensagem CriticaTelefone(std::string_view telefone) {
  return SoDigitos(telefone) ? kSemOcorrencia : "0401"_msg;
}

NuMensagem CriticaDddTelefone(std::string_view ddd, std::string_view telefone) {
  const auto d = Apara(ddd);
  const auto t = Apara(telefone);
  const bool semDdd = d.empty() || SoZeros(d);
  const bool semTelefone = t.empty() || SoZeros(t);
  if (semDdd != semTelefone) return "3101"_msg;
  if (semDdd) return "3102"_msg;
  return kSemOcorrencia;
}

namespace {

struct DddsUf {
  int uf;
  std::array<int, 10> ddds;  // unused places are 0, never a valid code
};

constexpr DddsUf kDddsUf[] = {
    {11, {69}},                                  // RO
    {12, {68}},                                  // AC
    {13, {92, 97}},                              // AM
    {14, {95}},                                  // RR
    {15, {91, 93, 94}},                          // PA
    {16, {96}},                                  // AP
    {17, {61, 63}},                              // TO
    {21, {98, 99}},                              // MA
    {22, {86, 89}},                              // PI
    {23, {85, 88}},                              // CE
    {24, {84}},                                  // RN
    {25, {83}},                                  // PB
    {26, {81, 87}},                              // PE
    {27, {82}},                                  // AL
    {28, {79}},                                  // SE
    {29, {61, 71, 73, 74, 75, 77}},              // BA
    {31, {27, 31, 32, 33, 34, 35, 37, 38, 61}},  // MG
    {32, {27, 28}},                              // ES
    {33, {21, 22, 24}},                          // RJ
    {35, {11, 12, 13, 14, 15, 16, 17, 18, 19, 21}},  // SP
    {41, {41, 42, 43, 44, 45, 46}},              // PR
    {42, {47, 48, 49}},                          // SC
    {43, {51, 53, 54, 55}},                      // RS
    {50, {67}},                                  // MS
    {51, {65, 66}},                              // MT
    {52, {61, 62, 64}},                          // GO
    {53, {61}},                                  // DF
};

bool DddDaUf(const DddsUf& e, long long ddd) {
  for (int d : e.ddds)
    if (d != 0 && d == ddd) return true;
  return false;
}

}  // namespace

NuMensagem CriticaDddUf(std::string_view ddd, std::string_view coUf) {
  // A leading '0' keeps a one-character code apart from an empty one.
  std::string d = "0";
  d.append(Trecho(Apara(ddd), 0, 2));
  const auto uf = Apara(coUf);
  if (SoZeros(d) || !SoDigitos(d)) return kSemOcorrencia;
  if (SoZeros(uf) || !SoDigitos(uf) || uf.empty()) return kSemOcorrencia;
  const long long u = ValorInteiro(uf);
  for (const auto& e : kDddsUf)
    if (e.uf == u) return DddDaUf(e, ValorInteiro(d)) ? kSemOcorrencia : "0402"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaEmail(std::string_view email) {
  const auto v = Apara(email);
  if (v.empty()) return kSemOcorrencia;
  if (!TextoValido(v)) return "0020"_msg;
  return TemArroba(v) ? kSemOcorrencia : "3627"_msg;
}

// --- composite check -------------------------------------------------------------

TCriticaZema::Resultado TCriticaZema::CriticaMunicipioCepUf(std::string_view municipio,
                                                            std::string_view cep) const {
  Resultado r;
  r.mensagem = CriticaMunicipio(municipio, ref_);
  if (!r.mensagem.ok()) {
    r.status = Status::MunicipioInvalido;
    return r;
  }
  const auto m = Apara(municipio);
  const auto coUf = Trecho(m, 0, 2);
  r.noMunicipio = ref_.NomeMunicipio(m).value_or("");
  r.sgUf = ref_.SiglaUf(coUf).value_or("");

  r.mensagem = CriticaCepMunicipio(cep, m, false, ref_);
  if (r.mensagem.ok()) return r;
  const NuMensagem doMunicipio = r.mensagem;
  r.mensagem = CriticaCepUf(cep, coUf, ref_);
  if (!r.mensagem.ok()) {
    r.status = Status::CepForaDaUf;
  } else if (auto dados = ref_.CepMunicipio(m); dados && !Apara(dados->coCep).empty()) {
    r.status = Status::CepForaDoMunicipio;
    r.mensagem = doMunicipio;
  } else {
    r.status = Status::MunicipioSemCep;
    r.mensagem = kSemOcorrencia;
  }
  return r;
}

}  // namespace vornex
