#include "casos/vinculo.h"

#include <algorithm>
#include <array>

#include "casos/filtro_consulta.h"
#include "common/texto.h"
#include "common/valor.h"
#include "data/banco.h"
#include "data/erro_banco.h"
#include "data/tabela.h"
#include "validation/referencias.h"
#include "validation/regras_contrato.h"
#include "validation/regras_empregado.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {
namespace {

using sv = std::string_view;
using Ctx = ContextoVinculo;
using Ref = Referencias;

constexpr sv kAnoBaseDeclaracao = "2004";

std::string Preenche(sv v, int n) {
  const sv a = Apara(v);
  return static_cast<int>(a.size()) < n ? ZerosEsquerda(a, n) : std::string(a);
}

void Aparado(Linha& v, const char* coluna) { v[coluna] = std::string(Apara(v[coluna])); }

Achado Com(NuMensagem m) { return {m, nullptr}; }

long long Centavos(sv v) {
  const sv a = Apara(v);
  if (a.empty() || !SoDigitos(a) || a.size() > 18) return 0;
  return std::stoll(std::string(a));
}

// A money column as stored: up to nine digits of centavos; blank is zero.
NuMensagem Dinheiro(Linha& v, const char* coluna) {
  const sv a = Apara(v[coluna]);
  if (!SoDigitos(a)) return "0040"_msg;
  if (a.size() > 9) return "0315"_msg;
  v[coluna] = Preenche(a, 9);
  return {};
}

bool PisZerado(sv pis) { return SoZeros(Apara(pis)); }

// --- identity and personal data ----------------------------------------------------

Achado Pis(Linha& v, const Ctx&, const Ref&) {
  Aparado(v, "CoPisPasepEmpregado");
  return Com(CriticaPis(v["CoPisPasepEmpregado"]));
}

Achado Nome(Linha& v, const Ctx&, const Ref&) {
  Aparado(v, "NoEmpregado");
  if (v["CoPisPasepEmpregado"].empty()) return {};
  return Com(CriticaNomeEmpregado(v["NoEmpregado"], v["CoPisPasepEmpregado"]));
}

Achado Nascimento(Linha& v, const Ctx&, const Ref&) { return Com(CriticaDaNascimento(v["DaNascimentoEmpregado"])); }
Achado AnoNascimento(Linha& v, const Ctx& x, const Ref&) {
  return Com(CriticaAnoNascimento(v["DaNascimentoEmpregado"], x.anoReferencia));
}

Achado Raca(Linha& v, const Ctx&, const Ref& ref) {
  if (Apara(v["CoTipoRaca"]).empty()) return Com("0480"_msg);
  return Com(CriticaRaca(v["CoTipoRaca"], ref));
}

// Only a missing or unknown sex is refused.
Achado Sexo(Linha& v, const Ctx&, const Ref&) {
  const NuMensagem m = CriticaSexo(v["InSexo"]);
  return Com(m == "3524"_msg ? m : kSemOcorrencia);
}

Achado Nacionalidade(Linha& v, const Ctx&, const Ref& ref) {
  return Com(CriticaNacionalidade(v["CoNacionalidade"], ref));
}

Achado AnoChegada(Linha& v, const Ctx& x, const Ref&) {
  std::string& a = v["AnChegadaEmpregado"];
  a = Preenche(a, 4);
  const sv nac = v["CoNacionalidade"];
  if (auto m = CriticaAnoChegada(a); !m.ok()) return Com(m);
  if (auto m = CriticaChegadaNacionalidade(a, nac); !m.ok()) return Com(m);
  if (auto m = CriticaChegadaAnoBase(a, x.anoReferencia, nac); !m.ok()) return Com(m);
  return Com(CriticaChegadaNascimento(a, v["DaNascimentoEmpregado"], nac));
}

Achado Instrucao(Linha& v, const Ctx&, const Ref& ref) { return Com(CriticaInstrucao(v["CoInstrucao"], ref)); }

Achado Ctps(Linha& v, const Ctx&, const Ref&) {
  v["NuCartTrabEmpregado"] = Preenche(v["NuCartTrabEmpregado"], 11);
  return Com(CriticaCtps(v["NuCartTrabEmpregado"]));
}

Achado Cpf(Linha& v, const Ctx&, const Ref&) {
  v["CoCpfEmpregado"] = Preenche(v["CoCpfEmpregado"], 11);
  if (auto m = CriticaCpf(v["CoCpfEmpregado"]); !m.ok()) return Com(m);
  return Com(CriticaCtpsCpf(v["NuCartTrabEmpregado"], v["CoCpfEmpregado"]));
}

Achado UsoEmpresa(Linha& v, const Ctx&, const Ref&) { return Com(CriticaUsoEmpresa(v["TxUsoEmpregado"])); }

// --- admission, salary and occupation ------------------------------------------------

Achado Admissao(Linha& v, const Ctx& x, const Ref&) {
  const sv a = v["DaAdmissaoEmpregado"];
  if (auto m = CriticaDaAdmissao(a); !m.ok()) return Com(m);
  if (auto m = CriticaAdmissaoAnoBase(a, x.anoReferencia); !m.ok()) return Com(m);
  return Com(CriticaAdmissaoEncerramento(x.encerramento, a));
}
Achado IdadeAdmissao(Linha& v, const Ctx&, const Ref&) {
  return {CriticaIdadeAdmissao(v["DaNascimentoEmpregado"], v["DaAdmissaoEmpregado"]), "DaNascimentoEmpregado"};
}
Achado ChegadaAdmissao(Linha& v, const Ctx&, const Ref&) {
  return {CriticaChegadaAdmissao(Preenche(v["AnChegadaEmpregado"], 4), v["DaAdmissaoEmpregado"],
                                 v["CoNacionalidade"]),
          "AnChegadaEmpregado"};
}

Achado TipoAdmissao(Linha& v, const Ctx&, const Ref& ref) {
  return Com(CriticaTipoAdmissao(v["CoTipoAdmissao"], ref));
}

Achado Salario(Linha& v, const Ctx&, const Ref&) {
  if (auto m = Dinheiro(v, "VaSalContratualEmpregado"); !m.ok()) return Com(m);
  return Com(CriticaSalarioContratual(v["VaSalContratualEmpregado"]));
}

Achado Horas(Linha& v, const Ctx&, const Ref&) {
  v["HoSemanaisEmpregado"] = Preenche(v["HoSemanaisEmpregado"], 2);
  return Com(CriticaHorasSemanais(v["HoSemanaisEmpregado"]));
}

Achado TipoSalario(Linha& v, const Ctx&, const Ref& ref) {
  return Com(CriticaTipoSalario(v["CoTipoSalarioContratual"], ref));
}
Achado SalarioTipo(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaSalarioTipo(v["VaSalContratualEmpregado"], v["CoTipoSalarioContratual"]));
}

Achado Cbo(Linha& v, const Ctx&, const Ref& ref) { return Com(CriticaCbo(v["CoCbo"], ref)); }
Achado CboInstrucao(Linha& v, const Ctx&, const Ref& ref) {
  return {CriticaCboInstrucao(v["CoInstrucao"], v["CoCbo"], ref), "CoInstrucao"};
}

// --- link type and dismissal -------------------------------------------------------------

Achado TipoVinculo(Linha& v, const Ctx& x, const Ref& ref) {
  const sv t = v["CoVinculo"];
  if (auto m = CriticaVinculo(t, ref); !m.ok()) return Com(m);
  if (auto m = CriticaVinculoPis(t, v["CoPisPasepEmpregado"]); !m.ok()) return Com(m);
  return Com(CriticaVinculoInscricao(t, x.tipoInscricao));
}
Achado IdadeVinculo(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaIdadeVinculo(v["CoVinculo"], v["DaNascimentoEmpregado"], kAnoBaseDeclaracao));
}

Achado CausaDesligamento(Linha& v, const Ctx& x, const Ref& ref) {
  std::string& c = v["CoCausaDesligamento"];
  c = Preenche(c, 2);
  if (auto m = CriticaCausaDesligamento(c, ref); !m.ok()) return Com(m);
  return Com(CriticaCausaEncerramento(x.indicadorEncerramento, x.estab.anBase, c, kAnoBaseDeclaracao));
}

Achado DataDesligamento(Linha& v, const Ctx& x, const Ref&) {
  std::string& d = v["DaDesligamentoEmpregado"];
  d = Preenche(d, 4);
  if (auto m = CriticaDaDesligamento(d, kAnoBaseDeclaracao); !m.ok()) return Com(m);
  if (auto m = CriticaDesligamentoCausa(d, v["CoCausaDesligamento"]); !m.ok()) return Com(m);
  if (auto m = CriticaDesligamentoAdmissao(d, v["DaAdmissaoEmpregado"], x.anoReferencia); !m.ok()) return Com(m);
  return Com(CriticaDesligamentoEncerramento(d, x.encerramento, x.anoReferencia));
}

Achado AvisoPrevio(Linha& v, const Ctx&, const Ref&) {
  if (auto m = Dinheiro(v, "VaAvisoPrevioEmpregado"); !m.ok()) return Com(m);
  return Com(CriticaAvisoPrevio(v["VaAvisoPrevioEmpregado"]));
}

// --- 13th salary -----------------------------------------------------------------------------

Achado MesAdiantamento(Linha& v, const Ctx& x, const Ref&) {
  std::string& m = v["Me13AdiantamentoEmpregado"];
  m = Preenche(m, 2);
  if (auto r = CriticaMes13Adiantamento(m); !r.ok()) return Com(r);
  return Com(CriticaMes13AdmissaoTela(m, v["DaAdmissaoEmpregado"], x.anoReferencia));
}
Achado AdiantamentoDesligamento(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaAdiantamentoDesligamento(v["Me13AdiantamentoEmpregado"], v["DaDesligamentoEmpregado"]));
}

Achado ValorAdiantamento(Linha& v, const Ctx&, const Ref&) {
  if (auto m = Dinheiro(v, "Va13AdiantamentoEmpregado"); !m.ok()) return Com(m);
  return Com(CriticaValor13Adiantamento(v["Va13AdiantamentoEmpregado"]));
}
Achado Adiantamento13(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaAdiantamento13(v["Me13AdiantamentoEmpregado"], v["Va13AdiantamentoEmpregado"]));
}

Achado MesParcelaFinal(Linha& v, const Ctx& x, const Ref&) {
  std::string& m = v["Me13ParcelaFinalEmpregado"];
  m = Preenche(m, 2);
  if (auto r = CriticaMes13ParcelaFinal(m); !r.ok()) return Com(r);
  if (auto r = CriticaParcelaFinalAdiantamento(Preenche(v["Me13AdiantamentoEmpregado"], 2), m); !r.ok())
    return {r, "Me13AdiantamentoEmpregado"};
  return Com(CriticaMes13AdmissaoTela(m, v["DaAdmissaoEmpregado"], x.anoReferencia));
}
Achado ParcelaFinalDesligamento(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaParcelaFinalDesligamento(v["Me13ParcelaFinalEmpregado"], v["DaDesligamentoEmpregado"]));
}

Achado ValorParcelaFinal(Linha& v, const Ctx&, const Ref&) {
  if (auto m = Dinheiro(v, "Va13ParcelaFinalEmpregado"); !m.ok()) return Com(m);
  return Com(CriticaValor13ParcelaFinal(v["Va13ParcelaFinalEmpregado"]));
}
Achado ParcelaFinal13(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaParcelaFinal13(v["Me13ParcelaFinalEmpregado"], v["Va13ParcelaFinalEmpregado"]));
}

// A month's value as stored; its other rules need the neighbouring fields
// and run in the confirmation's second part.
template <int I>
Achado Mes(Linha& v, const Ctx&, const Ref&) {
  return Com(Dinheiro(v, kColunasMeses[I]));
}

// --- what leaving a month checks besides its amount ---------------------------------------

std::string MesDe(int i) { return ZerosEsquerda(std::to_string(i + 1), 2); }

// The previous month as stored (zeros before January).
std::string Anterior(const Linha& v, int i) {
  return i == 0 ? std::string(kDigitosValor, '0') : std::string(Apara(v[kColunasMeses[i - 1]]));
}

bool ParcialAvisa(NuMensagem m) { return m == "0312"_msg || m == "0313"_msg; }

template <int I>
Achado MesRemuneracao(Linha& v, const Ctx& x, const Ref&) {
  if (!SoDigitos(Anterior(v, I))) return Com("0040"_msg);
  const NuMensagem m = CriticaRemuneracaoMes(v[kColunasMeses[I]], MesDe(I), v["CoTipoSalarioContratual"],
                                             v["DaDesligamentoEmpregado"], v["DaAdmissaoEmpregado"], x.anoReferencia);
  return Com(ParcialAvisa(m) ? kSemOcorrencia : m);
}
// Below the minimum or above the limit only warns.
template <int I>
Achado MesLimites(Linha& v, const Ctx& x, const Ref&) {
  const NuMensagem m = CriticaRemuneracaoMes(v[kColunasMeses[I]], MesDe(I), v["CoTipoSalarioContratual"],
                                             v["DaDesligamentoEmpregado"], v["DaAdmissaoEmpregado"], x.anoReferencia);
  return Com(ParcialAvisa(m) ? m : kSemOcorrencia);
}
template <int I>
Achado MesDecimal(Linha& v, const Ctx&, const Ref&) {
  return Com(CriticaRemuneracaoDecimal(v[kColunasMeses[I]], MesDe(I), Anterior(v, I)));
}
template <int I>
Achado MesAdmissao(Linha& v, const Ctx& x, const Ref&) {
  if (Centavos(v[kColunasMeses[I]]) == 0) return {};
  return Com(CriticaRemuneracaoAdmissao(MesDe(I), v["DaAdmissaoEmpregado"], x.anoReferencia));
}
template <int I>
Achado MesDesligamento(Linha& v, const Ctx&, const Ref&) {
  if (Centavos(v[kColunasMeses[I]]) == 0) return {};
  return Com(CriticaRemuneracaoDesligamento(MesDe(I), v["DaDesligamentoEmpregado"]));
}
template <int I>
Achado MesAprendiz(Linha& v, const Ctx& x, const Ref&) {
  if (Centavos(v[kColunasMeses[I]]) == 0) return {};
  return Com(CriticaAprendizMes(MesDe(I), v["CoVinculo"], v["DaNascimentoEmpregado"], x.anoReferencia));
}
// Leaving December with nothing paid all year.
Achado AnoSemPagamento(Linha& v, const Ctx&, const Ref&) {
  for (const char* col : kColunasMeses)
    if (Centavos(v[col]) != 0) return {};
  return Com("1060"_msg);
}

// --- absences, checked as they are left ------------------------------------------------------

struct ColunasAfastamento {
  const char* motivo;
  const char* inicio;
  const char* fim;
};
constexpr ColunasAfastamento kAfastamentos[3] = {
    {"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
    {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
    {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};

template <int K>
Achado MotivoAfastamento(Linha& v, const Ctx&, const Ref&) {
  std::string& m = v[kAfastamentos[K].motivo];
  m = Preenche(m, 2);
  return Com(CriticaMotivoAfastamento(m));
}

template <int K>
Achado InicioAfastamento(Linha& v, const Ctx& x, const Ref&) {
  const auto& c = kAfastamentos[K];
  std::string& d = v[c.inicio];
  d = Preenche(d, 4);
  if (auto m = CriticaDataAfastamento(d, kAnoBaseDeclaracao); !m.ok()) return Com(m);
  if (auto m = CriticaAfastamentoMotivo(d, Preenche(v[c.motivo], 2)); !m.ok()) return Com(m);
  if (auto m = CriticaAfastamentoAdmissao(d, v["DaAdmissaoEmpregado"], x.anoReferencia); !m.ok()) return Com(m);
  return Com(CriticaAfastamentoDesligamento(d, v["DaDesligamentoEmpregado"]));
}

template <int K>
Achado FimAfastamento(Linha& v, const Ctx& x, const Ref&) {
  const auto& c = kAfastamentos[K];
  const std::string inicio(Apara(v[c.inicio]));
  {
    const NuMensagem m = K == 0 ? CriticaAfastamentoPeriodo(inicio, Apara(v[c.fim]))
                                : CriticaFimAfastamento(inicio, Apara(v[c.fim]));
    if (!m.ok()) return Com(m);
  }
  std::string& fim = v[c.fim];
  fim = Preenche(fim, 4);
  if (auto m = CriticaDataAfastamento(fim, kAnoBaseDeclaracao); !m.ok()) return Com(m);
  if (auto m = CriticaAfastamentoMotivo(fim, Preenche(v[c.motivo], 2)); !m.ok())
    return Com(K == 0 && m == "3639"_msg ? "3643"_msg : m);
  if (auto m = CriticaAfastamentoPeriodo(inicio, fim); !m.ok()) return Com(m);
  if (auto m = CriticaAfastamentoAdmissao(inicio, v["DaAdmissaoEmpregado"], x.anoReferencia); !m.ok())
    return Com(m);
  return Com(CriticaAfastamentoDesligamento(fim, v["DaDesligamentoEmpregado"]));
}

Achado DiasAfastamento(Linha& v, const Ctx&, const Ref&) {
  std::string& d = v["QtDiasAfas"];
  d = Preenche(d, 3);
  if (auto m = CriticaDiasAfastamento(v["CoMotivoPrimAfas"], v["CoMotivoSeguAfas"], v["CoMotivoTercAfas"], d);
      !m.ok())
    return Com(m);
  return Com(SoDigitos(d) ? kSemOcorrencia : "0040"_msg);
}

std::vector<ChecagemCampoVinculo> Lista() {
  using C = ChecagemCampoVinculo;
  std::vector<C> l{
      C{"CoPisPasepEmpregado", {{Pis, "CoPisPasepEmpregado"}}},
      C{"NoEmpregado", {{Nome, "NoEmpregado"}}},
      C{"DaNascimentoEmpregado",
        {{Nascimento, "DaNascimentoEmpregado"}, {AnoNascimento, "DaNascimentoEmpregado", "0176"_msg}}},
      C{"CoTipoRaca", {{Raca, "CoTipoRaca"}}},
      C{"InSexo", {{Sexo, "InSexo", kSemOcorrencia, false, true}}},
      C{"CoNacionalidade", {{Nacionalidade, "CoNacionalidade"}}},
      C{"AnChegadaEmpregado", {{AnoChegada, "AnChegadaEmpregado"}}},
      C{"CoInstrucao", {{Instrucao, "CoInstrucao"}}},
      C{"NuCartTrabEmpregado", {{Ctps, "NuCartTrabEmpregado"}}},
      C{"CoCpfEmpregado", {{Cpf, "CoCpfEmpregado"}}},
      C{"TxUsoEmpregado", {{UsoEmpresa, "TxUsoEmpregado"}}},
      C{"DaAdmissaoEmpregado",
        {{Admissao, "DaAdmissaoEmpregado"},
         {IdadeAdmissao, "DaNascimentoEmpregado", "0171"_msg},
         {ChegadaAdmissao, "AnChegadaEmpregado"}}},
      C{"CoTipoAdmissao", {{TipoAdmissao, "CoTipoAdmissao"}}},
      C{"VaSalContratualEmpregado", {{Salario, "VaSalContratualEmpregado"}}},
      C{"HoSemanaisEmpregado", {{Horas, "HoSemanaisEmpregado"}}},
      C{"CoTipoSalarioContratual",
        {{TipoSalario, "CoTipoSalarioContratual"}, {SalarioTipo, "CoTipoSalarioContratual", kSemOcorrencia, true}}},
      C{"CoCbo", {{Cbo, "CoCbo", "3645"_msg}, {CboInstrucao, "CoInstrucao", kSemOcorrencia, false, true}}},
      C{"CoVinculo", {{TipoVinculo, "CoVinculo"}, {IdadeVinculo, "CoVinculo", "3510"_msg}}},
      C{"CoCausaDesligamento", {{CausaDesligamento, "CoCausaDesligamento"}}},
      C{"DaDesligamentoEmpregado", {{DataDesligamento, "DaDesligamentoEmpregado"}}},
      C{"VaAvisoPrevioEmpregado", {{AvisoPrevio, "VaAvisoPrevioEmpregado"}}},
      C{"Me13AdiantamentoEmpregado",
        {{MesAdiantamento, "Me13AdiantamentoEmpregado"},
         {AdiantamentoDesligamento, "Me13AdiantamentoEmpregado", kSemOcorrencia, false, true}}},
      C{"Va13AdiantamentoEmpregado",
        {{ValorAdiantamento, "Va13AdiantamentoEmpregado"},
         {Adiantamento13, "Va13AdiantamentoEmpregado", "0332"_msg}}},
      C{"Me13ParcelaFinalEmpregado",
        {{MesParcelaFinal, "Me13ParcelaFinalEmpregado"},
         {ParcelaFinalDesligamento, "Me13ParcelaFinalEmpregado", kSemOcorrencia, false, true}}},
      C{"Va13ParcelaFinalEmpregado",
        {{ValorParcelaFinal, "Va13ParcelaFinalEmpregado"},
         {ParcelaFinal13, "Va13ParcelaFinalEmpregado", "0332"_msg}}},
  };
  // Stored months are checked to be money before anything adds them up;
  // what else a month is checked against runs when it is left.
  [&]<int... I>(std::integer_sequence<int, I...>) {
    (l.push_back(C{kColunasMeses[I],
                   {{Mes<I>, kColunasMeses[I]},
                    {MesRemuneracao<I>, kColunasMeses[I], kSemOcorrencia, false, true},
                    {MesLimites<I>, kColunasMeses[I], kSemOcorrencia, true, true},
                    {MesDecimal<I>, kColunasMeses[I], kSemOcorrencia, true, true},
                    {MesAdmissao<I>, kColunasMeses[I], kSemOcorrencia, false, true},
                    {MesDesligamento<I>, kColunasMeses[I], kSemOcorrencia, true, true},
                    {MesAprendiz<I>, kColunasMeses[I], kSemOcorrencia, false, true}}}),
     ...);
  }(std::make_integer_sequence<int, 12>{});
  l.back().passos.push_back({AnoSemPagamento, kColunasMeses[11], kSemOcorrencia, true, true});
  // Absences are checked only as they are left; the consistency check
  // refuses what the confirmation lets through.
  [&]<int... K>(std::integer_sequence<int, K...>) {
    ((l.push_back(C{kAfastamentos[K].motivo, {{MotivoAfastamento<K>, kAfastamentos[K].motivo, {}, false, true}}}),
      l.push_back(C{kAfastamentos[K].inicio, {{InicioAfastamento<K>, kAfastamentos[K].inicio, {}, false, true}}}),
      l.push_back(C{kAfastamentos[K].fim, {{FimAfastamento<K>, kAfastamentos[K].fim, {}, false, true}}})),
     ...);
  }(std::make_integer_sequence<int, 3>{});
  l.push_back(C{"QtDiasAfas", {{DiasAfastamento, "QtDiasAfas", {}, false, true}}});
  return l;
}

// Runs one field's steps; true when none failed.
bool Roda(const ChecagemCampoVinculo& c, bool saida, Linha& v, const Ctx& x, const Ref& ref,
          ResultadoChecagem& r) {
  for (const auto& p : c.passos) {
    if (p.soAoSair && !saida) continue;
    const Achado a = p.regra(v, x, ref);
    if (a.mensagem.ok()) continue;
    FalhaChecagem f{c.campo, a.foco ? a.foco : p.foco, a.mensagem, false};
    if (p.aceita(a.mensagem)) {
      if (saida) r.avisos.push_back(std::move(f));
      continue;
    }
    r.falhas.push_back(std::move(f));
    return false;
  }
  return true;
}

const char* kColunasPreenchidas[][2] = {
    {"HoSemanaisEmpregado", "2"},       {"AnChegadaEmpregado", "4"},        {"NuCartTrabEmpregado", "11"},
    {"CoCpfEmpregado", "11"},           {"CoCausaDesligamento", "2"},       {"DaDesligamentoEmpregado", "4"},
    {"CoMotivoPrimAfas", "2"},          {"CoMotivoSeguAfas", "2"},          {"CoMotivoTercAfas", "2"},
    {"DaInicioprimeiroAfas", "4"},      {"DaFinalPrimeiroAfas", "4"},       {"DaInicioSegundoAfas", "4"},
    {"DaFinalSegundoAfas", "4"},        {"DaInicioTerceiroAfas", "4"},      {"DaFinalTerceiroAfas", "4"},
    {"QtDiasAfas", "3"},                {"Me13AdiantamentoEmpregado", "2"}, {"Me13ParcelaFinalEmpregado", "2"}};

void DefineEstab(Consulta& q, const ChaveEstabelecimento& k) {
  q.defineTexto(":a", k.anBase).defineTexto(":i", InscricaoArmazenada(k.inscricao)).defineTexto(":p", k.prefixo);
}

constexpr sv kOndeTrabalhador =
    "where AnBase = :a and CoCgcCeiEstabelecimento = :i and NuPrefixoEstabelecimento = :p and "
    "CoPisPasepEmpregado = :pis";

}  // namespace

ContextoVinculo ContextoVinculo::De(const Linha& e, bool encerraNoAnoSeguinte) {
  ContextoVinculo x;
  x.estab = {e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
  x.tipoInscricao = e["InInscrEstabelecimento"];
  x.indicadorEncerramento = e["InEncerramentoAtividade"];
  x.encerramento = e["DaEncerramentoAtividade"];
  x.cnae = e["CoCnae"];
  x.naturezaJuridica = e["CoNaturezaJuridica"];
  const sv ano = Apara(x.estab.anBase);
  if (ano.size() == 4 && SoDigitos(ano))
    x.anoReferencia = std::to_string(std::stoi(std::string(ano)) + (encerraNoAnoSeguinte ? 1 : 0));
  return x;
}

const std::vector<ChecagemCampoVinculo>& ChecagensVinculo() {
  static const std::vector<ChecagemCampoVinculo> lista = Lista();
  return lista;
}

ResultadoChecagem ChecaSaidaCampoVinculo(Linha& v, const Ctx& x, const Ref& ref, sv campo) {
  ResultadoChecagem r;
  for (const auto& c : ChecagensVinculo())
    if (c.campo == campo) {
      if (!Apara(v[c.campo]).empty()) Roda(c, true, v, x, ref, r);
      break;
    }
  return r;
}

ResultadoConfirmacaoVinculo ChecaConfirmacaoVinculo(Linha& v, const Ctx& x, const Ref& ref, ModoChecagem modo) {
  ResultadoConfirmacaoVinculo res;
  ResultadoChecagem& r = res.checagem;
  const bool todos = modo == ModoChecagem::TodosOsCampos;
  for (const auto& c : ChecagensVinculo())
    if (!Roda(c, false, v, x, ref, r) && !todos) return res;
  if (!r.ok()) return res;

  auto falha = [&](const char* foco, NuMensagem m) { r.falhas.push_back({foco, foco, m, false}); };
  const sv admissao = v["DaAdmissaoEmpregado"];
  for (int i = 0; i < 12; ++i) {
    if (Centavos(v[kColunasMeses[i]]) == 0) continue;
    const std::string mes = MesDe(i);
    if (auto m = CriticaRemuneracaoAdmissao(mes, admissao, x.anoReferencia); !m.ok()) {
      falha("DaAdmissaoEmpregado", m);
      if (!todos) return res;
    }
    if (auto m = CriticaAprendizMes(mes, v["CoVinculo"], v["DaNascimentoEmpregado"], kAnoBaseDeclaracao); !m.ok()) {
      falha(kColunasMeses[i], m);
      if (!todos) return res;
    }
  }
  for (auto [mes, valor] : {std::pair{"Me13AdiantamentoEmpregado", "Va13AdiantamentoEmpregado"},
                            std::pair{"Me13ParcelaFinalEmpregado", "Va13ParcelaFinalEmpregado"}}) {
    if (Centavos(v[valor]) == 0) continue;
    if (auto m = CriticaMes13AdmissaoTela(v[mes], admissao, x.anoReferencia); !m.ok()) {
      falha("DaAdmissaoEmpregado", m);
      if (!todos) return res;
    }
  }
  if (!r.ok()) return res;

  long long soma = 0;
  int pagos = 0;
  for (const char* col : kColunasMeses)
    if (const long long c = Centavos(v[col]); c > 0) soma += c, ++pagos;
  const long long decimo = Centavos(v["Va13AdiantamentoEmpregado"]) + Centavos(v["Va13ParcelaFinalEmpregado"]);
  // decimo > 1.5 * soma / pagos, in integers
  if (pagos > 0 && 2 * decimo * pagos > 3 * soma) res.aviso13 = "3508"_msg;
  if (soma + decimo == 0) falha(kColunasMeses[0], "1056"_msg);
  return res;
}

bool ExcessoDiasAfastamento(sv dias) {
  const std::string d = Preenche(dias, 3);
  return SoDigitos(d) && !CriticaQtDiasAfastamento(d).ok();
}

NuMensagem AfastamentoSemPagamento(const Linha& v) {
  std::array<long long, 12> valores{};
  for (int i = 0; i < 12; ++i) valores[static_cast<std::size_t>(i)] = Centavos(v[kColunasMeses[i]]);
  for (const auto& a : kAfastamentos) {
    const sv motivo = Apara(v[a.motivo]);
    if (motivo.empty() || SoZeros(motivo) || motivo == "40") continue;
    const sv inicio = Apara(v[a.inicio]), fim = Apara(v[a.fim]);
    if (inicio.size() != 4 || !SoDigitos(inicio)) continue;
    const int de = static_cast<int>(ValorInteiro(inicio.substr(2)));
    const int ate = fim.size() == 4 && SoDigitos(fim) && !SoZeros(fim) ? static_cast<int>(ValorInteiro(fim.substr(2))) : de;
    // One paid month anywhere in the period is enough.
    bool pago = false;
    for (int m = de; m <= std::max(de, ate) && !pago; ++m) pago = CriticaRemuneracaoAfastamento(m, valores).ok();
    if (!pago) return "3634"_msg;
  }
  return kSemOcorrencia;
}

NuMensagem Aviso13NaoPago(const Linha& v) {
  return Centavos(v["Va13AdiantamentoEmpregado"]) == 0 && Centavos(v["Va13ParcelaFinalEmpregado"]) == 0 ? "1061"_msg
                                                                                                        : kSemOcorrencia;
}

bool CausaComData(sv causa) {
  const sv c = Apara(causa);
  return !c.empty() && c != "00" && c != "71" && c != "78" && c != "80";
}

bool CausaComAviso(sv causa) {
  const sv c = Apara(causa);
  return c == "11" || c == "21";
}

EstadoAlvara AlvaraAoAbrir(const Linha& v) {
  EstadoAlvara e;
  const sv nasc = Apara(v["DaNascimentoEmpregado"]), tipo = Apara(v["CoVinculo"]);
  if (nasc.size() != 8 || !SoDigitos(nasc) || tipo.empty() || SoZeros(tipo)) return e;
  if (ValorInteiro(kAnoBaseDeclaracao) - ValorInteiro(nasc.substr(4)) > 16) return e;
  e.aberto = tipo != "55";
  if (Apara(v["InAlvaraEmpregado"]) == "1") e.valor = "1";
  return e;
}

bool AlvaraPossivel(const Linha& v) {
  return CriticaIdadeVinculo(v["CoVinculo"], v["DaNascimentoEmpregado"], kAnoBaseDeclaracao) == "3510"_msg;
}

NuMensagem AvisoEstrangeiros(Conexao& c, const ChaveEstabelecimento& estab) {
  const ChaveEstabelecimento k{estab.anBase, InscricaoArmazenada(estab.inscricao), estab.prefixo};
  const long long n = ContaVinculos(c, k), estrangeiros = ContaEstrangeiros(c, k);
  return n > 5 && 3 * estrangeiros > n ? "0393"_msg : kSemOcorrencia;
}

// --- lookups ------------------------------------------------------------------------------

std::optional<Linha> DadosPessoaisPorPis(Conexao& c, const ChaveEstabelecimento& estab, sv pis) {
  Consulta q(c, std::string("select NoEmpregado, DaNascimentoEmpregado, CoNacionalidade, AnChegadaEmpregado, "
                            "CoInstrucao, NuCartTrabEmpregado, CoTipoRaca, InDeficienteFisico, InSexo, "
                            "CoCpfEmpregado from Bd8vinc ") +
                    std::string(kOndeTrabalhador) + " order by DaAdmissaoEmpregado, NoEmpregado");
  DefineEstab(q, estab);
  q.defineTexto(":pis", std::string(Apara(pis)));
  return q.primeira();
}

std::optional<Linha> VinculoMesmaAdmissao(Conexao& c, const ChaveEstabelecimento& estab, sv pis, sv admissao,
                                          sv nome) {
  const bool semPis = PisZerado(pis);
  Consulta q(c, std::string("select * from Bd8vinc ") + std::string(kOndeTrabalhador) +
                    " and DaAdmissaoEmpregado = :adm" + (semPis ? " and NoEmpregado = :nome" : ""));
  DefineEstab(q, estab);
  q.defineTexto(":pis", std::string(Apara(pis))).defineTexto(":adm", std::string(Apara(admissao)));
  if (semPis) q.defineTexto(":nome", std::string(Apara(nome)));
  return q.primeira();
}

long long NascimentosDivergentes(Conexao& c, const ChaveEstabelecimento& estab, sv pis, sv nascimento, sv nome) {
  const bool semPis = PisZerado(pis);
  Consulta q(c, std::string("select count(*) from Bd8vinc ") + std::string(kOndeTrabalhador) +
                    " and DaNascimentoEmpregado <> :nasc" + (semPis ? " and NoEmpregado = :nome" : ""));
  DefineEstab(q, estab);
  q.defineTexto(":pis", std::string(Apara(pis))).defineTexto(":nasc", std::string(Apara(nascimento)));
  if (semPis) q.defineTexto(":nome", std::string(Apara(nome)));
  return q.escalar();
}

NuMensagem CriticaNascimentosDivergentes(long long divergentes, bool novo) {
  return divergentes >= (novo ? 1 : 2) ? "1053"_msg : kSemOcorrencia;
}

// --- opening, writing, deleting ---------------------------------------------------------------

Linha NovoVinculo(Conexao& c, const ChaveEstabelecimento& estab) {
  Linha v = Tabela(c, kTabelaVinculos).novaLinha();
  v["AnBase"] = estab.anBase;
  v["CoCgcCeiEstabelecimento"] = InscricaoArmazenada(estab.inscricao);
  v["NuPrefixoEstabelecimento"] = estab.prefixo;
  v["InDeficienteFisico"] = "2";
  v["InAlvaraEmpregado"] = "2";
  v["QtDiasAfas"] = "000";
  return v;
}

std::optional<Linha> AbreVinculo(Conexao& c, const ChaveEstabelecimento& estab, sv pis, sv admissao, sv nome) {
  Tabela t(c, kTabelaVinculos);
  std::vector<std::string> chave{estab.anBase, InscricaoArmazenada(estab.inscricao), estab.prefixo,
                                 std::string(Apara(pis)), std::string(Apara(admissao))};
  if (PisZerado(pis)) chave.push_back(std::string(Apara(nome)));
  return t.busca(chave);
}

std::vector<LinhaConsultaVinculo> ConsultaVinculos(Conexao& c, const FiltroConsultaVinculos& f) {
  const sv pis = Apara(f.pis), nome = Apara(f.nome);
  std::string sql =
      "SELECT CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado, DaNascimentoEmpregado, NuSequencialRegistro\n"
      "FROM Bd8vinc WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i AND NuPrefixoEstabelecimento = :p\n";
  if (!pis.empty()) sql += "AND CoPisPasepEmpregado LIKE :PPisPasep ESCAPE '\\'\n";
  sql += FiltroNome("NoEmpregado", nome, f.letras);
  sql += "ORDER BY CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro";
  Consulta& q = c.prepara(sql);
  DefineEstab(q, f.estab);
  if (!pis.empty()) q.defineTexto("PPisPasep", ComecaCom(pis));
  DefineFiltroNome(q, nome, f.letras);
  std::vector<LinhaConsultaVinculo> r;
  while (q.proxima())
    r.push_back({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2)),
                 std::string(q.texto(3)), std::string(q.texto(4))});
  return r;
}

ChaveVinculo ChaveDoVinculo(const Linha& v) {
  return {{v["AnBase"], v["CoCgcCeiEstabelecimento"], v["NuPrefixoEstabelecimento"]},
          v["CoPisPasepEmpregado"],
          v["DaAdmissaoEmpregado"],
          v["NoEmpregado"],
          v["NuSequencialRegistro"]};
}

ResultadoGravaVinculo GravaVinculo(Conexao& c, const Referencias& ref, PedidoGravaVinculo p) {
  ResultadoGravaVinculo r;
  Linha& v = p.vinculo;
  const ChaveEstabelecimento k{v["AnBase"], InscricaoArmazenada(v["CoCgcCeiEstabelecimento"]),
                               v["NuPrefixoEstabelecimento"]};
  auto recusa = [&](const char* foco, NuMensagem m) {
    r.checagem.falhas.push_back({foco, foco, m, false});
    r.vinculo = v;
    return r;
  };

  Transacao tr(c);
  const auto estab = BuscaEstabelecimento(c, k);
  if (!estab) return recusa("CoCgcCeiEstabelecimento", "1006"_msg);
  const ContextoVinculo ctx = ContextoVinculo::De(*estab, p.encerraNoAnoSeguinte);
  if (!p.semChecagem) {
    auto conf = ChecaConfirmacaoVinculo(v, ctx, ref, p.modo);
    r.checagem = std::move(conf.checagem);
    r.aviso13 = conf.aviso13;
    if (!r.checagem.ok()) {
      r.vinculo = v;
      return r;
    }
  }

  v["CoCgcCeiEstabelecimento"] = k.inscricao;
  for (const auto& [coluna, n] : kColunasPreenchidas) v[coluna] = Preenche(v[coluna], std::stoi(n));
  for (const char* col : {"VaSalContratualEmpregado", "VaAvisoPrevioEmpregado", "Va13AdiantamentoEmpregado",
                          "Va13ParcelaFinalEmpregado"})
    v[col] = Preenche(v[col], 9);
  for (const char* col : kColunasMeses) v[col] = Preenche(v[col], 9);

  // The same admission twice for one worker is never written: under the
  // same name it is the same key ("1059"), whatever its sequence number.
  const auto outro = VinculoMesmaAdmissao(c, k, v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], v["NoEmpregado"]);
  if (outro && p.original && ChaveDoVinculo(*outro).admissao != p.original->admissao)
    return recusa("DaAdmissaoEmpregado", "1058"_msg);
  if (outro && !p.original)
    return recusa("DaAdmissaoEmpregado", (*outro)["NoEmpregado"] == v["NoEmpregado"] ? "1059"_msg : "1051"_msg);

  Tabela t(c, kTabelaVinculos);
  try {
    if (p.original) {
      const ChaveVinculo& o = *p.original;
      auto atual = t.busca({o.estabelecimento.anBase, InscricaoArmazenada(o.estabelecimento.inscricao),
                            o.estabelecimento.prefixo, o.pis, o.admissao, o.nome, o.sequencial});
      if (!atual || !t.altera(*atual, v)) return recusa("CoPisPasepEmpregado", "1006"_msg);
    } else {
      t.inclui(v);
    }
  } catch (const ErroBanco& e) {
    if (!e.violacaoChave()) throw;
    return recusa("DaAdmissaoEmpregado", "1059"_msg);
  }
  r.contagem = RecontaVinculos(c, k);
  tr.confirma();
  r.gravado = true;
  r.vinculo = std::move(v);
  return r;
}

ResultadoExclusaoVinculo ExcluiVinculo(Conexao& c, const ChaveVinculo& k) {
  ResultadoExclusaoVinculo r;
  Transacao tr(c);
  Consulta& q = c.prepara({"delete from Bd8vinc",
                           "where AnBase = :a and CoCgcCeiEstabelecimento = :i and NuPrefixoEstabelecimento = :p",
                           "  and CoPisPasepEmpregado = :pis and DaAdmissaoEmpregado = :adm and ifnull(NoEmpregado, '') = :nome",
                           "  and ifnull(NuSequencialRegistro, '') = :seq"});
  DefineEstab(q, k.estabelecimento);
  q.defineTexto(":pis", k.pis).defineTexto(":adm", k.admissao).defineTexto(":nome", k.nome).defineTexto(":seq",
                                                                                                    k.sequencial);
  r.excluido = q.executa() > 0;
  r.contagem = RecontaVinculos(c, k.estabelecimento);
  tr.confirma();
  return r;
}

}  // namespace vornex
