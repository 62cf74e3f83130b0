#include "casos/checagem_estabelecimento.h"

#include <array>

#include "common/texto.h"
#include "common/versao.h"
#include "validation/referencias.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {
namespace {

using sv = std::string_view;

// Zeros in front up to `n`; a longer value is left for the rule to refuse.
std::string Preenche(sv v, int n) {
  const sv a = Apara(v);
  return static_cast<int>(a.size()) < n ? ZerosEsquerda(a, n) : std::string(a);
}

// The rule's own trimming written back into the field.
void Aparado(Linha& e, const char* coluna) { e[coluna] = std::string(Apara(e[coluna])); }

Achado Com(NuMensagem m) { return {m, nullptr}; }

// --- identification and name -----------------------------------------------------

Achado CeiVinculado(Linha& e, const Referencias&) {
  std::string& cei = e["CoCgcVinculado"];
  const sv v = Apara(cei);
  if (v.empty() || SoZeros(v)) {
    cei.clear();
    return {};
  }
  if (e["InInscrEstabelecimento"] == "3") {
    cei.clear();
    return Com("0350"_msg);
  }
  const std::string armazenado = CeiVinculadoArmazenado(v);
  if (auto m = CriticaCeiVinculado(armazenado); !m.ok()) return Com(m);
  if (auto m = CriticaCeiVinculadoTipo(e["InInscrEstabelecimento"], armazenado); !m.ok()) return Com(m);
  return {CriticaNegativaInscricao(e["InZemaNegEstabelecimento"], e["InInscrEstabelecimento"], armazenado),
          "InZemaNegEstabelecimento"};
}

Achado Razao(Linha& e, const Referencias& ref) {
  Aparado(e, "NoRazaoEstabelecimento");
  return Com(CriticaRazaoSocial(e["NoRazaoEstabelecimento"], e["CoCgcCeiEstabelecimento"], ref));
}

Achado UsoEmpresa(Linha& e, const Referencias&) { return Com(CriticaUsoEmpresa(e["TxUsoEstabelecimento"])); }

Achado Encerramento(Linha& e, const Referencias&) {
  return Com(CriticaEncerramento(e["InEncerramentoAtividade"], e["DaEncerramentoAtividade"], AnoBase, false));
}

// --- address and contact ---------------------------------------------------------

Achado Logradouro(Linha& e, const Referencias&) {
  Aparado(e, "EdEstabelecimento");
  return Com(CriticaLogradouro(e["EdEstabelecimento"]));
}

Achado Numero(Linha& e, const Referencias&) {
  e["NuEnderecoEstabelecimento"] = Preenche(e["NuEnderecoEstabelecimento"], 6);
  return Com(CriticaNumeroEndereco(e["NuEnderecoEstabelecimento"]));
}

Achado Complemento(Linha& e, const Referencias&) {
  Aparado(e, "TxComplemEstabelecimento");
  return Com(CriticaComplemento(e["TxComplemEstabelecimento"]));
}

Achado ComplementoSemNumero(Linha& e, const Referencias&) {
  return Com(CriticaComplementoSemNumero(e["NuEnderecoEstabelecimento"], e["TxComplemEstabelecimento"]));
}

Achado Bairro(Linha& e, const Referencias&) {
  Aparado(e, "NoBairroEstabelecimento");
  return Com(CriticaBairro(e["NoBairroEstabelecimento"]));
}

Achado Cep(Linha& e, const Referencias&) { return Com(CriticaCep(e["CoCepEstabelecimento"])); }

// The municipality's name and state go into the row whatever the answer.
Achado Municipio(Linha& e, const Referencias& ref) {
  if (Apara(e["CoMunicipio"]).empty()) {
    e["NoMunicEstabelecimento"].clear();
    e["SgUf"].clear();
    return {};
  }
  const auto r = TCriticaZema(ref).CriticaMunicipioCepUf(Apara(e["CoMunicipio"]), Apara(e["CoCepEstabelecimento"]));
  e["NoMunicEstabelecimento"] = r.noMunicipio;
  e["SgUf"] = r.sgUf;
  using S = TCriticaZema::Status;
  if (r.status == S::Valido || r.status == S::MunicipioSemCep) return {};
  return {r.mensagem, r.status == S::MunicipioInvalido ? "CoMunicipio" : "CoCepEstabelecimento"};
}

Achado Ddd(Linha& e, const Referencias&) { return Com(CriticaDdd(e["NuDDD"])); }

Achado DddUf(Linha& e, const Referencias&) {
  return Com(CriticaDddUf(Apara(e["NuDDD"]), Apara(e["CoMunicipio"]).substr(0, 2)));
}

Achado Telefone(Linha& e, const Referencias&) { return Com(CriticaTelefone(e["NuTelefone"])); }
Achado DddTelefone(Linha& e, const Referencias&) { return Com(CriticaDddTelefone(e["NuDDD"], e["NuTelefone"])); }

Achado Email(Linha& e, const Referencias&) {
  Aparado(e, "TxEmailEstabelecimento");
  return Com(CriticaEmail(e["TxEmailEstabelecimento"]));
}

// --- economic data ---------------------------------------------------------------

Achado Cnae(Linha& e, const Referencias& ref) { return Com(CriticaCnae(e["CoCnae"], ref)); }
Achado CnaeRazao(Linha& e, const Referencias&) {
  return Com(CriticaCnaeRazao(e["CoCnae"], e["NoRazaoEstabelecimento"]));
}
Achado NatJuridica(Linha& e, const Referencias& ref) { return Com(CriticaNatJuridica(e["CoNaturezaJuridica"], ref)); }
Achado NatJuridicaRazao(Linha& e, const Referencias&) {
  return Com(CriticaNatJuridicaRazao(e["CoNaturezaJuridica"], e["NoRazaoEstabelecimento"]));
}

Achado Proprietarios(Linha& e, const Referencias&) {
  e["NuProprietEstabelecimento"] = Preenche(e["NuProprietEstabelecimento"], 2);
  return Com(CriticaNumerico(e["NuProprietEstabelecimento"], 2));
}

Achado MesDataBase(Linha& e, const Referencias&) {
  e["MeDataBase"] = Preenche(e["MeDataBase"], 2);
  return Com(CriticaMesDataBase(e["MeDataBase"]));
}
Achado DataBaseNegativa(Linha& e, const Referencias&) {
  return Com(CriticaDataBaseNegativa(e["MeDataBase"], e["InZemaNegEstabelecimento"]));
}

// The third size takes no SIMPLES option: it is stored as "2".
Achado Porte(Linha& e, const Referencias&) {
  if (e["InPorte"] == "3") e["InOptanteSimples"] = "2";
  return Com(CriticaPorte(e["InPorte"]));
}
Achado Simples(Linha& e, const Referencias&) { return Com(CriticaSimples(e["InOptanteSimples"])); }
Achado SimplesPorte(Linha& e, const Referencias&) {
  return Com(CriticaSimplesPorte(e["InOptanteSimples"], e["InPorte"]));
}

// --- PAT -------------------------------------------------------------------------

Achado ParticipaPat(Linha& e, const Referencias&) { return Com(CriticaParticipaPat(e["InParticipaPAT"])); }

Achado PatMaior5(Linha& e, const Referencias&) {
  e["NuVinculoPatMaior5"] = Preenche(e["NuVinculoPatMaior5"], 6);
  return Com(CriticaNuVinculoPat(e["NuVinculoPatMaior5"]));
}

Achado PatMenor5(Linha& e, const Referencias&) {
  e["NuVinculoPatMenor5"] = Preenche(e["NuVinculoPatMenor5"], 6);
  if (e["NuVinculoPatMenor5"] == "000000" && Preenche(e["NuVinculoPatMaior5"], 6) == "000000" &&
      e["InParticipaPAT"] == "1")
    return Com("3626"_msg);
  return Com(CriticaNuVinculoPat(e["NuVinculoPatMenor5"]));
}

Achado PatQuantidades(Linha& e, const Referencias&) {
  return Com(CriticaPatQuantidades(e["InParticipaPAT"], e["NuVinculoPatMenor5"], e["NuVinculoPatMaior5"]));
}

template <const char* Coluna>
Achado Percentual(Linha& e, const Referencias&) {
  e[Coluna] = Preenche(e[Coluna], 3);
  return Com(CriticaPercentualPat(e[Coluna]));
}

constexpr char kServProprio[] = "PoServicoProprio";
constexpr char kAdmCozinha[] = "PoAdmCozinha";
constexpr char kRefTransportadora[] = "PoRefeicaoTransportadora";
constexpr char kRefConvenio[] = "PoRefeicaoConvenio";
constexpr char kCesta[] = "PoCestaAlimento";
constexpr char kAlimConvenio[] = "PoAlimentacaoConvenio";

Achado PatPercentuais(Linha& e, const Referencias&) {
  return Com(CriticaPatPercentuais(
      e["InParticipaPAT"], {sv(e[kAdmCozinha]), sv(e[kServProprio]), sv(e[kRefConvenio]), sv(e[kRefTransportadora]),
                            sv(e[kCesta]), sv(e[kAlimConvenio])}));
}

Achado NegativaInscricao(Linha& e, const Referencias&) {
  return Com(CriticaNegativaInscricao(e["InZemaNegEstabelecimento"], e["InInscrEstabelecimento"],
                                      CeiVinculadoArmazenado(e["CoCgcVinculado"])));
}

std::vector<ChecagemCampo> Lista() {
  auto campo = [](const char* c, std::vector<PassoChecagem> p, bool mesmoVazio = false) {
    return ChecagemCampo{c, mesmoVazio, std::move(p)};
  };
  auto percentual = [&](const char* c, Achado (*regra)(Linha&, const Referencias&)) {
    return campo(c, {{regra, c, "3521"_msg}});
  };
  return {
      campo("CoCgcVinculado", {{CeiVinculado, "CoCgcVinculado"}}),
      campo("NoRazaoEstabelecimento", {{Razao, "NoRazaoEstabelecimento"}}),
      campo("TxUsoEstabelecimento", {{UsoEmpresa, "TxUsoEstabelecimento"}}),
      campo("DaEncerramentoAtividade", {{Encerramento, "DaEncerramentoAtividade"}}),
      campo("EdEstabelecimento", {{Logradouro, "EdEstabelecimento"}}),
      campo("NuEnderecoEstabelecimento", {{Numero, "NuEnderecoEstabelecimento"}}),
      campo("TxComplemEstabelecimento",
            {{Complemento, "TxComplemEstabelecimento"}, {ComplementoSemNumero, "NuEnderecoEstabelecimento"}}),
      campo("NoBairroEstabelecimento", {{Bairro, "NoBairroEstabelecimento"}}),
      campo("CoCepEstabelecimento", {{Cep, "CoCepEstabelecimento"}}),
      campo("CoMunicipio", {{Municipio, "CoMunicipio"}}),
      campo("NuDDD", {{Ddd, "NuDDD"}, {DddUf, "NuDDD", kSemOcorrencia, true}}, true),
      campo("NuTelefone", {{Telefone, "NuTelefone"}, {DddTelefone, "NuDDD", "3102"_msg}}, true),
      campo("TxEmailEstabelecimento", {{Email, "TxEmailEstabelecimento"}}, true),
      campo("CoCnae", {{Cnae, "CoCnae"}, {CnaeRazao, "CoCnae", "0363"_msg}}),
      campo("CoNaturezaJuridica",
            {{NatJuridica, "CoNaturezaJuridica"}, {NatJuridicaRazao, "CoNaturezaJuridica", kSemOcorrencia, true}}),
      campo("NuProprietEstabelecimento", {{Proprietarios, "NuProprietEstabelecimento"}}),
      campo("MeDataBase", {{MesDataBase, "MeDataBase"}, {DataBaseNegativa, "MeDataBase"}}),
      campo("InPorte", {{Porte, "InPorte"}}),
      campo("InOptanteSimples", {{Simples, "InOptanteSimples"}, {SimplesPorte, "InOptanteSimples"}}),
      campo("InParticipaPAT", {{ParticipaPat, "InParticipaPAT"}}),
      campo("NuVinculoPatMaior5", {{PatMaior5, "NuVinculoPatMaior5"}}),
      campo("NuVinculoPatMenor5",
            {{PatMenor5, "NuVinculoPatMenor5"}, {PatQuantidades, "NuVinculoPatMenor5", "3525"_msg}}),
      percentual(kServProprio, Percentual<kServProprio>),
      percentual(kAdmCozinha, Percentual<kAdmCozinha>),
      percentual(kRefTransportadora, Percentual<kRefTransportadora>),
      percentual(kRefConvenio, Percentual<kRefConvenio>),
      percentual(kCesta, Percentual<kCesta>),
      campo(kAlimConvenio, {{Percentual<kAlimConvenio>, kAlimConvenio, "3521"_msg},
                            {PatPercentuais, kAlimConvenio, "3601"_msg, false, true}}),
  };
}

// --- identification of a new establishment ----------------------------------------

Achado Inscricao(Linha& e, const Referencias&) {
  const NuMensagem m = CriticaCnpjCei(e["CoCgcCeiEstabelecimento"]);
  if (m != "0050"_msg && m != "0051"_msg && m != "0052"_msg) return Com(m);
  return Com(CriticaInscricaoTipo(e["CoCgcCeiEstabelecimento"], e["InInscrEstabelecimento"]));
}

Achado Prefixo(Linha& e, const Referencias&) {
  std::string& p = e["NuPrefixoEstabelecimento"];
  p = std::string(Apara(p));
  if (p.empty()) p = "00";
  return Com(CriticaPrefixo(p));
}

// A name refused for the registration's reserved root points at the registration.
Achado RazaoIdentificacao(Linha& e, const Referencias& ref) {
  const Achado a = Razao(e, ref);
  return {a.mensagem, a.mensagem == "0053"_msg ? "CoCgcCeiEstabelecimento" : nullptr};
}

const ChecagemCampo kNegativa{"InZemaNegEstabelecimento", false, {{NegativaInscricao, "InZemaNegEstabelecimento"}}};

// Runs one field's steps; true when none failed.
bool Roda(const ChecagemCampo& c, Linha& e, const Referencias& ref, ResultadoChecagem& r) {
  for (const auto& p : c.passos) {
    const Achado a = p.regra(e, ref);
    if (a.mensagem.ok()) continue;
    FalhaChecagem f{c.campo, a.foco ? a.foco : p.foco, a.mensagem, p.avisoRetemFoco};
    if (p.aceita(a.mensagem)) {
      r.avisos.push_back(std::move(f));
      continue;
    }
    // The declaration type is judged twice (with the linked CEI and last):
    // one finding is enough.
    bool repetida = false;
    for (const auto& g : r.falhas) repetida = repetida || (g.foco == f.foco && g.mensagem == f.mensagem);
    if (!repetida) r.falhas.push_back(std::move(f));
    return false;
  }
  return true;
}

const std::vector<ChecagemCampo>& Identificacao() {
  static const std::vector<ChecagemCampo> lista{
      {"CoCgcCeiEstabelecimento", false, {{Inscricao, "CoCgcCeiEstabelecimento"}}},
      kNegativa,
      {"NuPrefixoEstabelecimento", false, {{Prefixo, "NuPrefixoEstabelecimento"}}},
      {"CoCgcVinculado", false, {{CeiVinculado, "CoCgcVinculado"}}},
      {"NoRazaoEstabelecimento", false, {{RazaoIdentificacao, "NoRazaoEstabelecimento"}}},
      {"TxUsoEstabelecimento", false, {{UsoEmpresa, "TxUsoEstabelecimento"}}},
  };
  return lista;
}

}  // namespace

ResultadoChecagem ChecaIdentificacao(Linha& estab, const Referencias& ref, ModoChecagem modo) {
  ResultadoChecagem r;
  for (const auto& c : Identificacao())
    if (!Roda(c, estab, ref, r) && modo == ModoChecagem::PrimeiraFalha) break;
  return r;
}

std::string CeiVinculadoArmazenado(std::string_view cei) {
  const sv v = Apara(cei);
  return v.empty() ? std::string(14, '0') : Preenche(v, 14);
}

const std::vector<ChecagemCampo>& ChecagensEstabelecimento() {
  static const std::vector<ChecagemCampo> lista = Lista();
  return lista;
}

const ChecagemCampo* ChecagemDe(std::string_view campo) {
  for (const auto& c : ChecagensEstabelecimento())
    if (c.campo == campo) return &c;
  return campo == kNegativa.campo ? &kNegativa : nullptr;
}

ResultadoChecagem ChecaCampos(Linha& estab, const Referencias& ref, ModoChecagem modo,
                              std::span<const ChecagemCampo* const> campos) {
  ResultadoChecagem r;
  auto roda = [&](const ChecagemCampo& c) {
    return Roda(c, estab, ref, r) || modo == ModoChecagem::TodosOsCampos;
  };
  if (campos.empty()) {
    for (const auto& c : ChecagensEstabelecimento())
      if (!roda(c)) break;
  } else {
    for (const auto* c : campos)
      if (!roda(*c)) break;
  }
  return r;
}

ResultadoChecagem ChecaSaidaCampo(Linha& estab, const Referencias& ref, std::string_view campo) {
  const ChecagemCampo* c = ChecagemDe(campo);
  if (!c || (!c->mesmoVazio && Apara(estab[c->campo]).empty())) return {};
  const ChecagemCampo* um[] = {c};
  return ChecaCampos(estab, ref, ModoChecagem::PrimeiraFalha, um);
}

ResultadoChecagem ChecaConfirmacao(Linha& estab, const Referencias& ref, ModoChecagem modo) {
  ResultadoChecagem r = ChecaCampos(estab, ref, modo);
  if (r.ok() || modo == ModoChecagem::TodosOsCampos) Roda(kNegativa, estab, ref, r);
  return r;
}

}  // namespace vornex
