#include "validation/regras_empregado.h"

#include "common/digitos.h"
#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

NuMensagem CriticaPis(std::string_view pis) {
  const auto v = Apara(pis);
  if (v.empty()) return "0153"_msg;
  if (auto m = CriticaNumerico(v, 11); !m.ok()) return m;
  // A PIS of zeros is allowed here; CriticaVinculoPis limits its link types.
  if (SoZeros(v) || PisValido(v)) return kSemOcorrencia;
  return "0150"_msg;
}

NuMensagem CriticaNomeEmpregado(std::string_view nome, std::string_view pis) {
  const auto n = Apara(nome);
  if (n.empty()) return "0160"_msg;
  if (!SemRepeticao(n)) return "3100"_msg;
  if (ContaPalavras(n) == 1) return "0161"_msg;
  if (Apara(pis) == kPisTeste && !IgualMaiusculas(n, kNomeEmpregadoTeste)) return "0161"_msg;
  return CriticaTexto(n);
}

NuMensagem CriticaDaNascimento(std::string_view nascimento) {
  const auto v = Apara(nascimento);
  if (v.empty() || SoZeros(v)) return "0170"_msg;
  if (auto m = CriticaNumerico(v, 8); !m.ok()) return m;
  if (!DataValida(v) || ValorInteiro(Ano(v)) <= 1900) return "0175"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaAnoNascimento(std::string_view nascimento, std::string_view anoBase) {
  const auto y = Ano(Apara(nascimento));
  const auto b = Apara(anoBase);
  if (y.empty() || b.empty()) return kSemOcorrencia;
  if (!SoDigitos(y) || !SoDigitos(b)) return kSemOcorrencia;
  const long long ano = ValorInteiro(y), base = ValorInteiro(b);
  if (ano == 0 || base == 0) return kSemOcorrencia;
  if (ano > base) return "0174"_msg;
  if (base - ano < 15) return base - ano < 9 ? "0172"_msg : "0176"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaNacionalidade(std::string_view nacionalidade, const Referencias& ref) {
  return CodigoDeTabela(nacionalidade, 2, ZerosSao::ComoVazio, "0180"_msg, "0181"_msg, ref,
                        &Referencias::ExisteNacionalidade);
}

NuMensagem CriticaAnoChegada(std::string_view anoChegada) { return CriticaNumerico(anoChegada, 4); }

namespace {
constexpr std::string_view kBrasileira = "10";

// A foreigner: a nationality other than none (0) and Brazilian.
bool Estrangeiro(std::string_view nacionalidade) {
  return ValorInteiro(nacionalidade) != 0 && nacionalidade != kBrasileira;
}
}  // namespace

NuMensagem CriticaChegadaNacionalidade(std::string_view anoChegada, std::string_view nacionalidade) {
  const auto c = Apara(anoChegada);
  const auto n = Apara(nacionalidade);
  if (!InformadosNumericos({c, n})) return kSemOcorrencia;
  if (ValorInteiro(c) == 0 && ValorInteiro(n) == 0) return kSemOcorrencia;
  if (n != kBrasileira) return c == "0000" ? "0191"_msg : kSemOcorrencia;
  return c != "0000" ? "0190"_msg : kSemOcorrencia;
}

NuMensagem CriticaChegadaAnoBase(std::string_view anoChegada, std::string_view anoBase,
                                 std::string_view nacionalidade) {
  const auto c = Apara(anoChegada);
  const auto b = Apara(anoBase);
  const auto n = Apara(nacionalidade);
  if (!InformadosNumericos({c, b, n})) return kSemOcorrencia;
  if (ValorInteiro(c) == 0 || ValorInteiro(b) == 0) return kSemOcorrencia;
  if (Estrangeiro(n) && ValorInteiro(c) > ValorInteiro(b)) return "0192"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaChegadaNascimento(std::string_view anoChegada, std::string_view nascimento,
                                    std::string_view nacionalidade) {
  const auto c = Apara(anoChegada);
  const auto d = Apara(nascimento);
  const auto n = Apara(nacionalidade);
  if (!InformadosNumericos({c, d, n})) return kSemOcorrencia;
  if (ValorInteiro(d) == 0 || ValorInteiro(c) == 0) return kSemOcorrencia;
  if (Estrangeiro(n) && ValorInteiro(c) < ValorInteiro(Ano(d))) return "0193"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaChegadaAdmissao(std::string_view anoChegada, std::string_view admissao,
                                  std::string_view nacionalidade) {
  const auto c = Apara(anoChegada);
  const auto a = Apara(admissao);
  const auto n = Apara(nacionalidade);
  if (!InformadosNumericos({c, a, n})) return kSemOcorrencia;
  if (ValorInteiro(c) == 0 || ValorInteiro(a) == 0) return kSemOcorrencia;
  if (ValorInteiro(n) == 0) return kSemOcorrencia;
  if (a.size() != 8 || c.size() != 4) return kSemOcorrencia;
  if (n != kBrasileira && ValorInteiro(Ano(a)) < ValorInteiro(c)) return "0194"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaRaca(std::string_view raca, const Referencias& ref) {
  const auto v = Apara(raca);
  if (v.empty()) return "0480"_msg;
  if (!ref.ExisteRaca(v)) return "0481"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaSexo(std::string_view sexo) { return Indicador(Apara(sexo), {"1", "2"}, "3524"_msg); }

NuMensagem CriticaDeficiente(std::string_view deficiente) {
  return Indicador(Apara(deficiente), {"1", "2"}, "0001"_msg);
}

NuMensagem CriticaAlvara(std::string_view alvara) { return Indicador(Apara(alvara), {"1", "2"}, "0001"_msg); }

NuMensagem CriticaAlvaraIdade(std::string_view alvara, std::string_view nascimento, std::string_view vinculo,
                              std::string_view anoBase) {
  // Only a permit that exists can be implausible; an indicator of any other
  // value is CriticaAlvara's finding.
  if (Apara(alvara) != "1") return kSemOcorrencia;
  if (ValorInteiro(Apara(anoBase)) - ValorInteiro(Ano(Apara(nascimento))) > 16) return "3531"_msg;
  if (Apara(vinculo) == "55") return "3531"_msg;  // apprentices work without a permit
  return kSemOcorrencia;
}

NuMensagem CriticaInstrucao(std::string_view instrucao, const Referencias& ref) {
  return CodigoDeTabela(instrucao, 1, ZerosSao::ComoVazio, "0200"_msg, "0201"_msg, ref,
                        &Referencias::ExisteInstrucao);
}

NuMensagem CriticaCtps(std::string_view ctps) { return Preenchido(ctps, 11, "0212"_msg); }

NuMensagem CriticaCpf(std::string_view cpf) {
  const auto v = Apara(cpf);
  if (v.empty()) return "0211"_msg;
  if (auto m = CriticaNumerico(v, 11); !m.ok()) return m;
  if (SoZeros(v) || CpfValido(v)) return kSemOcorrencia;
  return "0210"_msg;
}

NuMensagem CriticaCtpsCpf(std::string_view ctps, std::string_view cpf) {
  const auto t = Apara(ctps);
  const auto c = Apara(cpf);
  if (t.empty() || c.empty()) return kSemOcorrencia;
  if (!SoZeros(t)) return kSemOcorrencia;
  return SoZeros(c) ? "0340"_msg : kSemOcorrencia;
}

}  // namespace vornex
