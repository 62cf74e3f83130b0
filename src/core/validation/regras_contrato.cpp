#include "validation/regras_contrato.h"

#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

namespace {

bool AnoDaAdmissaoEhBase(std::string_view admissao, std::string_view anoBase) { return Ano(admissao) == anoBase; }

// Link types of public servants, which the public sector may declare.
bool VinculoEstatutario(std::string_view v) { return v == "30" || v == "35"; }

}  // namespace

// --- admission -----------------------------------------------------------------

NuMensagem CriticaDaAdmissao(std::string_view admissao) {
  const auto v = Apara(admissao);
  if (v.empty() || SoZeros(v)) return "0392"_msg;
  if (auto m = CriticaNumerico(v, 8); !m.ok()) return m;
  return DataValida(v) ? kSemOcorrencia : "0390"_msg;
}

NuMensagem CriticaAdmissaoAnoBase(std::string_view admissao, std::string_view anoBase) {
  const auto a = Apara(admissao);
  const auto b = Apara(anoBase);
  if (!InformadosNumericos({a, b})) return kSemOcorrencia;
  if (ValorInteiro(a) == 0 || ValorInteiro(b) == 0) return kSemOcorrencia;
  if (a.size() == 8 && ValorInteiro(b) < ValorInteiro(Ano(a))) return "0391"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaAdmissaoEncerramento(std::string_view encerramento, std::string_view admissao) {
  const auto e = Apara(encerramento);
  const auto a = Apara(admissao);
  if (e.empty() || e == "00000000") return kSemOcorrencia;
  // Only whole dates can be ordered; a malformed one is its own rule's finding.
  if (e.size() != 8 || a.size() != 8) return kSemOcorrencia;
  if (DataNumero(e) < DataNumero(a)) return "0394"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaIdadeAdmissao(std::string_view nascimento, std::string_view admissao) {
  const auto n = Apara(nascimento);
  const auto a = Apara(admissao);
  if (!InformadosNumericos({n, a})) return kSemOcorrencia;
  if (ValorInteiro(n) == 0 || ValorInteiro(a) == 0) return kSemOcorrencia;
  if (n.size() != 8 || a.size() != 8) return kSemOcorrencia;
  const bool aniversario = !DiaMesAntes(a, n);  // birth (MM, DD) on or before admission
  const long long idade = ValorInteiro(Ano(a)) - ValorInteiro(Ano(n)) - (aniversario ? 0 : 1);
  if (idade >= 14) return kSemOcorrencia;
  return idade >= 10 ? "0171"_msg : "0173"_msg;
}

NuMensagem CriticaTipoAdmissao(std::string_view tipoAdmissao, const Referencias& ref) {
  return CodigoDeTabela(tipoAdmissao, 1, ZerosSao::ComoVazio, "0221"_msg, "0220"_msg, ref,
                        &Referencias::ExisteTipoAdmissao);
}

// --- salary, hours and occupation --------------------------------------------------

NuMensagem CriticaSalarioContratual(std::string_view salario) {
  const auto v = Apara(salario);
  if (v.empty()) return "0232"_msg;
  if (auto m = CriticaNumerico(v, 9); !m.ok()) return m;
  if (ValorInteiro(v) <= 0) return "0232"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaTipoSalario(std::string_view tipoSalario, const Referencias& ref) {
  return CodigoDeTabela(tipoSalario, 1, ZerosSao::ComoVazio, "0241"_msg, "0240"_msg, ref,
                        &Referencias::ExisteTipoSalario);
}

NuMensagem CriticaSalarioTipo(std::string_view salario, std::string_view tipoSalario) {
  const auto s = Apara(salario);
  const auto t = Apara(tipoSalario);
  if (!InformadosNumericos({s, t})) return kSemOcorrencia;
  const long long valor = ValorInteiro(s);
  if (valor == 0 || ValorInteiro(t) == 0) return kSemOcorrencia;
  if (t != "1") return kSemOcorrencia;  // only a monthly salary is compared
  if (AbaixoMinimo(valor, 12)) return "0230"_msg;
  if (AcimaLimite(valor, 12)) return "0231"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaHorasSemanais(std::string_view horas) {
  const auto v = Apara(horas);
  if (v.empty()) return "0251"_msg;
  if (auto m = CriticaNumerico(v, 2); !m.ok()) return m;
  if (ValorInteiro(v) == 0) return "0251"_msg;
  if (ValorInteiro(v) > 44) return "0250"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaCbo(std::string_view cbo, const Referencias& ref) {
  const auto v = Apara(cbo);
  // Elected offices, which are not declared as employment.
  if (UmDe(v, {"111105", "111110", "111115", "111120", "111230", "111235", "111240", "111245", "111250",
               "111255"}))
    return "3645"_msg;
  if (v.empty()) return "0261"_msg;
  if (v.size() != 6) return "0030"_msg;
  if (auto m = CriticaNumerico(v, 6); !m.ok()) return m;
  if (ValorInteiro(v) == 0) return "0261"_msg;
  return ref.Cbo(v) ? kSemOcorrencia : "0260"_msg;
}

NuMensagem CriticaCboInstrucao(std::string_view instrucao, std::string_view cbo, const Referencias& ref) {
  const auto i = Apara(instrucao);
  const auto c = Apara(cbo);
  if (!InformadosNumericos({i, c})) return kSemOcorrencia;
  if (ValorInteiro(i) == 0 || ValorInteiro(c) == 0) return kSemOcorrencia;
  const auto flags = ref.Cbo(c).value_or(IndicadoresDoCbo{});
  if (flags.inCriticaCbo && i != "9") return "3501"_msg;
  if (flags.inCriticaAna && i == "1") return "3635"_msg;
  return kSemOcorrencia;
}

// --- link type ---------------------------------------------------------------------

NuMensagem CriticaVinculo(std::string_view vinculo, const Referencias& ref) {
  return CodigoDeTabela(vinculo, 2, ZerosSao::ComoVazio, "0273"_msg, "0270"_msg, ref, &Referencias::ExisteVinculo);
}

NuMensagem CriticaVinculoPis(std::string_view vinculo, std::string_view pis) {
  const auto v = Apara(vinculo);
  const auto p = Apara(pis);
  if (v.empty() || p.empty()) return kSemOcorrencia;
  if (!SoDigitos(p) || !SoDigitos(v)) return kSemOcorrencia;
  // PIS numbers 109.. to 119.. and the PIS of zeros go with links 35 and 80 only.
  const long long raiz = ValorInteiro(Trecho(p, 0, 3));
  if (!SoZeros(p) && (raiz < 109 || raiz > 119)) return kSemOcorrencia;
  if (UmDe(ValorInteiro(v), {35, 80})) return kSemOcorrencia;
  return "0272"_msg;
}

NuMensagem CriticaVinculoInscricao(std::string_view vinculo, std::string_view tipoInscricao) {
  const auto v = Apara(vinculo);
  const auto t = Apara(tipoInscricao);
  const long long vinc = ValorInteiro(v), tipo = ValorInteiro(t);
  if (vinc == 0 || v.empty()) return kSemOcorrencia;
  if (tipo == 0 || t.empty()) return kSemOcorrencia;
  if (tipo == 1)
    return UmDe(vinc, {10, 20, 30, 35, 40, 50, 55, 60, 70, 80, 90, 95}) ? kSemOcorrencia : "0271"_msg;
  if (tipo == 3) return UmDe(vinc, {15, 25, 55, 65, 75}) ? kSemOcorrencia : "0271"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaIdadeVinculo(std::string_view vinculo, std::string_view nascimento, std::string_view anoBase) {
  const auto v = Apara(vinculo);
  const auto n = Apara(nascimento);
  const long long idade = ValorInteiro(Apara(anoBase)) - ValorInteiro(Ano(n));
  if (InformadosNumericos({n, v}) && v == "55") {  // apprentice: 14 to 18 years old
    if (ValorInteiro(n) == 0 || n.size() != 8) return kSemOcorrencia;
    return (idade < 14 || idade > 18) ? "3502"_msg : kSemOcorrencia;
  }
  if (n.empty() || v.empty()) return kSemOcorrencia;
  return idade > 16 ? kSemOcorrencia : "3510"_msg;
}

NuMensagem CriticaVinculoCnae(std::string_view vinculo, std::string_view cnae) {
  if (Trecho(Apara(cnae), 0, 2) == "75" && !VinculoEstatutario(Apara(vinculo))) return "3507"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaVinculoNatJuridica(std::string_view vinculo, std::string_view naturezaJuridica) {
  if (Trecho(Apara(naturezaJuridica), 0, 1) == "1" && !VinculoEstatutario(Apara(vinculo))) return "3519"_msg;
  return kSemOcorrencia;
}

// --- dismissal and prior notice -------------------------------------------------------

NuMensagem CriticaDaDesligamento(std::string_view desligamento, std::string_view anoBase) {
  const auto v = Apara(desligamento);
  if (v.empty()) return "0292"_msg;
  if (auto m = CriticaNumerico(v, 4); !m.ok()) return m;
  if (SoZeros(v)) return kSemOcorrencia;
  return DiaMesValido(v, Apara(anoBase)) ? kSemOcorrencia : "0292"_msg;
}

NuMensagem CriticaCausaDesligamento(std::string_view causa, const Referencias& ref) {
  const auto v = Apara(causa);
  if (v.empty()) return "0280"_msg;
  if (auto m = CriticaNumerico(v, 2); !m.ok()) return m;
  if (SoZeros(v)) return kSemOcorrencia;  // not dismissed
  return ref.ExisteCausaDesligamento(v) ? kSemOcorrencia : "0280"_msg;
}

NuMensagem CriticaDesligamentoCausa(std::string_view desligamento, std::string_view causa) {
  const auto d = Apara(desligamento);
  const auto c = Apara(causa);
  if (!InformadosNumericos({d, c})) return kSemOcorrencia;
  const bool semData = SoZeros(d);
  const long long cod = ValorInteiro(c);
  if (cod == 0) return semData ? kSemOcorrencia : "0293"_msg;
  // 71, 78 and 80 end a link without a dismissal date.
  if (UmDe(cod, {71, 78, 80})) return semData ? kSemOcorrencia : "3512"_msg;
  return semData ? "0291"_msg : kSemOcorrencia;
}

namespace {
// A DDMM of the base year before the admission day, when the admission is in
// that year (the shared logic of the dismissal and absence rules).
NuMensagem DiaMesAntesDaAdmissao(std::string_view ddmm, std::string_view admissao, std::string_view anoBase,
                                 NuMensagem achado) {
  const auto d = Apara(ddmm);
  const auto a = Apara(admissao);
  const auto b = Apara(anoBase);
  if (d.empty() || a.empty() || b.empty()) return kSemOcorrencia;
  if (SoZeros(d) || d.size() != 4 || SoZeros(a) || a.size() != 8) return kSemOcorrencia;
  if (!AnoDaAdmissaoEhBase(a, b)) return kSemOcorrencia;
  return DiaMesAntes(d, a) ? achado : kSemOcorrencia;
}

// `depois` (DDMM) after `antes` (DDMM), both given.
NuMensagem DiaMesDepois(std::string_view depois, std::string_view antes, NuMensagem achado) {
  const auto x = Apara(depois);
  const auto y = Apara(antes);
  if (x.empty() || y.empty()) return kSemOcorrencia;
  if (SoZeros(x) || x.size() != 4 || SoZeros(y) || y.size() != 4) return kSemOcorrencia;
  return DiaMesAntes(y, x) ? achado : kSemOcorrencia;
}
}  // namespace

NuMensagem CriticaDesligamentoAdmissao(std::string_view desligamento, std::string_view admissao,
                                       std::string_view anoBase) {
  return DiaMesAntesDaAdmissao(desligamento, admissao, anoBase, "0290"_msg);
}

NuMensagem CriticaDesligamentoEncerramento(std::string_view desligamento, std::string_view encerramento,
                                           std::string_view anoBase) {
  const auto d = Apara(desligamento);
  const auto e = Apara(encerramento);
  if (d.empty() || e.empty()) return kSemOcorrencia;
  if (SoZeros(d) || d.size() != 4) return kSemOcorrencia;
  if (SoZeros(e) || e.size() != 8 || Ano(e) != Apara(anoBase)) return kSemOcorrencia;
  return DiaMesAntes(e, d) ? "3603"_msg : kSemOcorrencia;
}

NuMensagem CriticaCausaEncerramento(std::string_view indicadorEncerramento, std::string_view anoBaseEstab,
                                    std::string_view causa, std::string_view anoBasePrograma) {
  // Links of an establishment that closed in the base year must all end.
  if (Apara(anoBaseEstab) != Apara(anoBasePrograma) || Apara(indicadorEncerramento) != "1") return kSemOcorrencia;
  const auto c = Apara(causa);
  if (SoZeros(c)) return "0281"_msg;
  return c.empty() ? "0281"_msg : kSemOcorrencia;
}

NuMensagem CriticaAvisoPrevio(std::string_view avisoPrevio) { return Preenchido(avisoPrevio, 9, "0335"_msg); }

// --- absences -------------------------------------------------------------------------

NuMensagem CriticaMotivoAfastamento(std::string_view motivo) {
  if (auto m = CriticaNumerico(motivo, 2); !m.ok()) return m;
  if (SoZeros(motivo)) return kSemOcorrencia;
  return Indicador(motivo, {"10", "20", "30", "40", "50", "60"}, "3629"_msg);
}

NuMensagem CriticaDataAfastamento(std::string_view data, std::string_view anoBase) {
  const auto v = Apara(data);
  if (auto m = CriticaNumerico(v, 4); !m.ok()) return m;
  if (SoZeros(v)) return kSemOcorrencia;
  return DiaMesValido(v, Apara(anoBase)) ? kSemOcorrencia : "3630"_msg;
}

NuMensagem CriticaAfastamentoMotivo(std::string_view inicio, std::string_view motivo) {
  const auto i = Apara(inicio);
  const auto m = Apara(motivo);
  if (!InformadosNumericos({i, m})) return kSemOcorrencia;
  if (ValorInteiro(m) != 0) return SoZeros(i) ? "3639"_msg : kSemOcorrencia;
  return SoZeros(i) ? kSemOcorrencia : "0293"_msg;
}

NuMensagem CriticaAfastamentoAdmissao(std::string_view inicio, std::string_view admissao,
                                      std::string_view anoBase) {
  return DiaMesAntesDaAdmissao(inicio, admissao, anoBase, "3632"_msg);
}

NuMensagem CriticaAfastamentoDesligamento(std::string_view inicio, std::string_view desligamento) {
  return DiaMesDepois(inicio, desligamento, "3631"_msg);
}

NuMensagem CriticaAfastamentoPeriodo(std::string_view inicio, std::string_view fim) {
  return DiaMesDepois(inicio, fim, "3633"_msg);  // the end before the start
}

NuMensagem CriticaFimAfastamento(std::string_view inicio, std::string_view fim) {
  return (!Vazio(inicio) && Vazio(fim)) ? "3643"_msg : kSemOcorrencia;
}

NuMensagem CriticaQtDiasAfastamento(std::string_view dias) {
  const auto v = Apara(dias);
  if (auto m = CriticaNumerico(v, 3); !m.ok()) return m;
  if (SoZeros(v) || ValorInteiro(v) < 367) return kSemOcorrencia;
  return "3640"_msg;
}

NuMensagem CriticaDiasAfastamento(std::string_view motivo1, std::string_view motivo2, std::string_view motivo3,
                                  std::string_view dias) {
  for (auto motivo : {motivo1, motivo2, motivo3}) {
    const auto m = Apara(motivo);
    if (!m.empty() && m != "00") {
      const auto d = Apara(dias);
      return (d.empty() || d == "000") ? "3644"_msg : kSemOcorrencia;
    }
  }
  return kSemOcorrencia;
}

// --- monthly pay ----------------------------------------------------------------------

NuMensagem CriticaRemuneracaoMes(std::string_view valor, std::string_view mes, std::string_view tipoSalario,
                                 std::string_view desligamento, std::string_view admissao,
                                 std::string_view anoBase) {
  const auto v = Apara(valor);
  if (v.empty()) return "0315"_msg;
  if (auto m = CriticaNumerico(v, 9); !m.ok()) return m;
  if (SoZeros(v)) return kSemOcorrencia;
  const long long pago = ValorInteiro(v);
  const long long m = ValorInteiro(Apara(mes));
  if (Apara(tipoSalario) != "1") return AcimaLimite(pago, m) ? "0313"_msg : kSemOcorrencia;
  // A monthly wage may fall below the minimum in a partial month: the
  // dismissal month, and the admission month of a worker admitted this year.
  const auto a = Apara(admissao);
  const bool noDesligamento = m == ValorInteiro(Mes(Apara(desligamento)));
  if (!AnoDaAdmissaoEhBase(a, Apara(anoBase))) {
    if (noDesligamento) return kSemOcorrencia;
    if (AbaixoMinimo(pago, m)) return "0312"_msg;
    return AcimaLimite(pago, m) ? "0313"_msg : kSemOcorrencia;
  }
  const bool naAdmissao = m == ValorInteiro(Mes(a));
  if (!naAdmissao && !noDesligamento && AbaixoMinimo(pago, m)) return "0312"_msg;
  return AcimaLimite(pago, m) ? "0313"_msg : kSemOcorrencia;
}

NuMensagem CriticaRemuneracaoAdmissao(std::string_view mes, std::string_view admissao, std::string_view anoBase) {
  const auto m = Apara(mes);
  const auto a = Apara(admissao);
  const auto b = Apara(anoBase);
  if (!InformadosNumericos({m, a, b})) return kSemOcorrencia;
  if (ValorInteiro(a) == 0 || ValorInteiro(m) == 0) return kSemOcorrencia;
  if (ValorInteiro(b) == 0 || a.size() != 8) return kSemOcorrencia;
  if (ValorInteiro(Ano(a)) == 0 || !AnoDaAdmissaoEhBase(a, b)) return kSemOcorrencia;
  return ValorInteiro(m) < ValorInteiro(Mes(a)) ? "0310"_msg : kSemOcorrencia;
}

NuMensagem CriticaRemuneracaoDesligamento(std::string_view mes, std::string_view desligamento) {
  const auto m = Apara(mes);
  const auto d = Apara(desligamento);
  if (d.empty() || !SoDigitos(d) || !SoDigitos(m)) return kSemOcorrencia;
  if (ValorInteiro(d) == 0 || d.size() != 4) return kSemOcorrencia;
  return ValorInteiro(Mes(d)) < ValorInteiro(m) ? "0311"_msg : kSemOcorrencia;
}

NuMensagem CriticaRemuneracaoDecimal(std::string_view valor, std::string_view mes, std::string_view valorAnterior) {
  const auto anterior = Apara(valorAnterior);
  if (!SoDigitos(anterior) || ValorInteiro(Apara(mes)) < 2) return kSemOcorrencia;
  // A value ten times the previous month's is most likely a misplaced comma.
  const long long v = ValorInteiro(Apara(valor)), p = ValorInteiro(anterior);
  if (v != 0 && p != 0 && v == 10 * p) return "0314"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaAprendizMes(std::string_view mes, std::string_view vinculo, std::string_view nascimento,
                              std::string_view anoBase) {
  const auto m = Apara(mes);
  const auto v = Apara(vinculo);
  const auto n = Apara(nascimento);
  const auto b = Apara(anoBase);
  if (n.empty() || !SoDigitos(n) || !SoDigitos(m)) return kSemOcorrencia;
  if (!SoDigitos(b) || v != "55" || !SoDigitos(v)) return kSemOcorrencia;
  if (ValorInteiro(n) == 0 || n.size() != 8) return kSemOcorrencia;
  // An apprentice is 14 to 18: not before the 14th birthday nor after the 18th.
  const long long idade = ValorInteiro(b) - ValorInteiro(Ano(n));
  const long long mesNascimento = ValorInteiro(Mes(n)), mesPago = ValorInteiro(m);
  if (idade == 18 && mesNascimento < mesPago) return "3503"_msg;
  if (idade == 14 && mesPago < mesNascimento) return "3503"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaRemuneracaoAfastamento(int mes, const std::array<long long, 12>& valores) {
  if (mes < 1 || mes > 12) return kSemOcorrencia;
  return valores[static_cast<std::size_t>(mes - 1)] == 0 ? "3634"_msg : kSemOcorrencia;
}

// --- 13th salary ------------------------------------------------------------------------

namespace {
NuMensagem Mes13(std::string_view mes, bool aceitaDesligamento) {
  const auto v = Apara(mes);
  if (v.empty()) return "0322"_msg;
  if (auto m = CriticaNumerico(v, 2); !m.ok()) return m;
  if (SoZeros(v)) return kSemOcorrencia;
  const long long n = ValorInteiro(v);
  if ((n >= 1 && n <= 12) || (aceitaDesligamento && v == "99")) return kSemOcorrencia;
  return "0322"_msg;
}

// Both forms of CriticaMes13Admissao; `mes`, `admissao` and `anoBase` as the
// form receives them.
NuMensagem Mes13Admissao(std::string_view mes, std::string_view admissao, std::string_view anoBase,
                         bool testaZeros) {
  if (!InformadosNumericos({mes, admissao, anoBase})) return kSemOcorrencia;
  if (ValorInteiro(mes) == 0 || ValorInteiro(admissao) == 0 || ValorInteiro(anoBase) == 0) return kSemOcorrencia;
  if (testaZeros && SoZeros(admissao)) return kSemOcorrencia;
  if (!AnoDaAdmissaoEhBase(admissao, anoBase)) return kSemOcorrencia;
  return ValorInteiro(mes) < ValorInteiro(Mes(admissao)) ? "0320"_msg : kSemOcorrencia;
}

// A 13th-salary payment: month and value go together and stay under the
// ceiling.
NuMensagem Parcela13(std::string_view mes, std::string_view valor, NuMensagem semMes, NuMensagem semValor) {
  const long long m = ValorInteiro(mes), v = ValorInteiro(valor);
  if (m == 0 && v == 0) return kSemOcorrencia;
  if (SoZeros(mes) && !SoZeros(valor)) return semMes;
  if (!SoZeros(mes) && SoZeros(valor)) return semValor;
  if (AcimaLimite(v, m)) return "0332"_msg;
  return kSemOcorrencia;
}
}  // namespace

NuMensagem CriticaMes13Adiantamento(std::string_view mes) { return Mes13(mes, false); }

NuMensagem CriticaValor13Adiantamento(std::string_view valor) { return Preenchido(valor, 9, "0333"_msg); }

NuMensagem CriticaMes13ParcelaFinal(std::string_view mes) { return Mes13(mes, true); }

NuMensagem CriticaValor13ParcelaFinal(std::string_view valor) { return Preenchido(valor, 9, "0334"_msg); }

NuMensagem CriticaMes13Admissao(std::string_view mes, std::string_view admissao, std::string_view anoBase) {
  return Mes13Admissao(Apara(mes), Apara(admissao), Apara(anoBase), true);
}

NuMensagem CriticaMes13AdmissaoTela(std::string_view mes, std::string_view admissao, std::string_view anoBase) {
  return Mes13Admissao(mes, admissao, anoBase, false);
}

NuMensagem CriticaAdiantamento13(std::string_view mes, std::string_view valor) {
  const auto m = Apara(mes);
  const auto v = Apara(valor);
  if (m.empty()) return kSemOcorrencia;
  if (v.empty() || !SoDigitos(m) || !SoDigitos(v)) return kSemOcorrencia;
  return Parcela13(m, v, "0324"_msg, "0330"_msg);
}

NuMensagem CriticaParcelaFinal13(std::string_view mes, std::string_view valor) {
  if (mes.empty() || valor.empty() || !SoDigitos(mes) || !SoDigitos(valor)) return kSemOcorrencia;
  return Parcela13(mes, valor, "0325"_msg, "0331"_msg);
}

NuMensagem CriticaParcelaFinalAdiantamento(std::string_view mesAdiantamento, std::string_view mesFinal) {
  const auto a = Apara(mesAdiantamento);
  const auto f = Apara(mesFinal);
  if (!InformadosNumericos({a, f})) return kSemOcorrencia;
  const long long adiantamento = ValorInteiro(a), fim = ValorInteiro(f);
  if (adiantamento == 0 || fim == 0) return kSemOcorrencia;
  if (fim <= adiantamento) return "0323"_msg;
  // An advance rules out paying the whole 13th salary with the dismissal.
  if (fim == 99) return "0326"_msg;
  return kSemOcorrencia;
}

NuMensagem CriticaAdiantamentoDesligamento(std::string_view mesAdiantamento, std::string_view desligamento) {
  const long long adiantamento = ValorInteiro(Apara(mesAdiantamento));
  const auto d = Apara(desligamento);
  if (adiantamento == 0 || ValorInteiro(d) == 0) return kSemOcorrencia;
  return ValorInteiro(Mes(d)) < adiantamento ? "0321"_msg : kSemOcorrencia;
}

NuMensagem CriticaParcelaFinalDesligamento(std::string_view mesFinal, std::string_view desligamento) {
  const auto f = Apara(mesFinal);
  const auto d = Apara(desligamento);
  if (!InformadosNumericos({f, d})) return kSemOcorrencia;
  if (ValorInteiro(f) == 0) return kSemOcorrencia;
  if (f != "99" && ValorInteiro(d) != 0 && ValorInteiro(Mes(d)) < ValorInteiro(f)) return "0321"_msg;
  return kSemOcorrencia;
}

}  // namespace vornex
