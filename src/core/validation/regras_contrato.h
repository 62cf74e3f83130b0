#pragma once
// Field rules of the employment side of a link (Bd8vinc): admission,
// salary, hours, occupation, link type, dismissal, absences, monthly pay and
// the 13th salary. Dismissal and absence dates are DDMM of `anoBase`; money
// is in centavos; months are "01".."12" ("99": paid with the dismissal).
#include <array>
#include <string_view>

#include "common/mensagem.h"
#include "validation/referencias.h"

namespace vornex {

// --- minimum-wage limits of the base year ----------------------------------------
// 240,00 up to April, 260,00 from May on (any month from 5, including 99).
constexpr long long SalarioMinimo(long long mes) { return mes >= 5 ? 26000 : 24000; }
constexpr bool AbaixoMinimo(long long valor, long long mes) { return valor < SalarioMinimo(mes); }
constexpr bool AcimaLimite(long long valor, long long mes) { return valor >= 150 * SalarioMinimo(mes); }

// --- admission -----------------------------------------------------------------
NuMensagem CriticaDaAdmissao(std::string_view admissao);
NuMensagem CriticaAdmissaoAnoBase(std::string_view admissao, std::string_view anoBase);
NuMensagem CriticaAdmissaoEncerramento(std::string_view encerramento, std::string_view admissao);
// "0171" 10 to 13 years old at admission, "0173" younger.
NuMensagem CriticaIdadeAdmissao(std::string_view nascimento, std::string_view admissao);
NuMensagem CriticaTipoAdmissao(std::string_view tipoAdmissao, const Referencias& ref);

// --- salary, hours and occupation --------------------------------------------------
NuMensagem CriticaSalarioContratual(std::string_view salario);
NuMensagem CriticaTipoSalario(std::string_view tipoSalario, const Referencias& ref);
NuMensagem CriticaSalarioTipo(std::string_view salario, std::string_view tipoSalario);
NuMensagem CriticaHorasSemanais(std::string_view horas);
NuMensagem CriticaCbo(std::string_view cbo, const Referencias& ref);
NuMensagem CriticaCboInstrucao(std::string_view instrucao, std::string_view cbo, const Referencias& ref);

// --- link type ---------------------------------------------------------------------
NuMensagem CriticaVinculo(std::string_view vinculo, const Referencias& ref);
NuMensagem CriticaVinculoPis(std::string_view vinculo, std::string_view pis);
NuMensagem CriticaVinculoInscricao(std::string_view vinculo, std::string_view tipoInscricao);
NuMensagem CriticaIdadeVinculo(std::string_view vinculo, std::string_view nascimento, std::string_view anoBase);
NuMensagem CriticaVinculoCnae(std::string_view vinculo, std::string_view cnae);
NuMensagem CriticaVinculoNatJuridica(std::string_view vinculo, std::string_view naturezaJuridica);

// --- dismissal and prior notice -------------------------------------------------------
NuMensagem CriticaDaDesligamento(std::string_view desligamento, std::string_view anoBase);
NuMensagem CriticaCausaDesligamento(std::string_view causa, const Referencias& ref);
NuMensagem CriticaDesligamentoCausa(std::string_view desligamento, std::string_view causa);
NuMensagem CriticaDesligamentoAdmissao(std::string_view desligamento, std::string_view admissao,
                                       std::string_view anoBase);
NuMensagem CriticaDesligamentoEncerramento(std::string_view desligamento, std::string_view encerramento,
                                           std::string_view anoBase);
// `anoBaseEstab`: the establishment's AnBase; `anoBasePrograma`: the program's.
NuMensagem CriticaCausaEncerramento(std::string_view indicadorEncerramento, std::string_view anoBaseEstab,
                                    std::string_view causa, std::string_view anoBasePrograma);
NuMensagem CriticaAvisoPrevio(std::string_view avisoPrevio);

// --- absences -------------------------------------------------------------------------
NuMensagem CriticaMotivoAfastamento(std::string_view motivo);  // untrimmed
NuMensagem CriticaDataAfastamento(std::string_view data, std::string_view anoBase);
NuMensagem CriticaAfastamentoMotivo(std::string_view inicio, std::string_view motivo);
NuMensagem CriticaAfastamentoAdmissao(std::string_view inicio, std::string_view admissao,
                                      std::string_view anoBase);
NuMensagem CriticaAfastamentoDesligamento(std::string_view inicio, std::string_view desligamento);
NuMensagem CriticaAfastamentoPeriodo(std::string_view inicio, std::string_view fim);
NuMensagem CriticaFimAfastamento(std::string_view inicio, std::string_view fim);
NuMensagem CriticaQtDiasAfastamento(std::string_view dias);
NuMensagem CriticaDiasAfastamento(std::string_view motivo1, std::string_view motivo2, std::string_view motivo3,
                                  std::string_view dias);

// --- monthly pay ----------------------------------------------------------------------
NuMensagem CriticaRemuneracaoMes(std::string_view valor, std::string_view mes, std::string_view tipoSalario,
                                 std::string_view desligamento, std::string_view admissao,
                                 std::string_view anoBase);
NuMensagem CriticaRemuneracaoAdmissao(std::string_view mes, std::string_view admissao, std::string_view anoBase);
NuMensagem CriticaRemuneracaoDesligamento(std::string_view mes, std::string_view desligamento);
NuMensagem CriticaRemuneracaoDecimal(std::string_view valor, std::string_view mes, std::string_view valorAnterior);
NuMensagem CriticaAprendizMes(std::string_view mes, std::string_view vinculo, std::string_view nascimento,
                              std::string_view anoBase);
// `mes` 1..12 indexes `valores` (January first); "3634" when that month was
// paid nothing.
NuMensagem CriticaRemuneracaoAfastamento(int mes, const std::array<long long, 12>& valores);

// --- 13th salary ------------------------------------------------------------------------
NuMensagem CriticaMes13Adiantamento(std::string_view mes);
NuMensagem CriticaValor13Adiantamento(std::string_view valor);
NuMensagem CriticaMes13ParcelaFinal(std::string_view mes);
NuMensagem CriticaValor13ParcelaFinal(std::string_view valor);
NuMensagem CriticaMes13Admissao(std::string_view mes, std::string_view admissao, std::string_view anoBase);
// The employee screen's form: inputs untrimmed and no zeros test on the
// admission date; the same answers for stored values.
NuMensagem CriticaMes13AdmissaoTela(std::string_view mes, std::string_view admissao, std::string_view anoBase);
NuMensagem CriticaAdiantamento13(std::string_view mes, std::string_view valor);
NuMensagem CriticaParcelaFinal13(std::string_view mes, std::string_view valor);  // untrimmed
NuMensagem CriticaParcelaFinalAdiantamento(std::string_view mesAdiantamento, std::string_view mesFinal);
NuMensagem CriticaAdiantamentoDesligamento(std::string_view mesAdiantamento, std::string_view desligamento);
NuMensagem CriticaParcelaFinalDesligamento(std::string_view mesFinal, std::string_view desligamento);

}  // namespace vornex
