#include "validation/checagem_responsavel.h"

#include <algorithm>

#include "common/texto.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"
#include "validation/regras_responsavel.h"

namespace vornex {

namespace {

using sv = std::string_view;

// Shorter values padded; a longer one is kept whole so that its rule refuses it.
std::string Completa(sv v, int n) {
  v = Apara(v);
  return v.size() < static_cast<std::size_t>(n) ? ZerosEsquerda(v, n) : std::string(v);
}

void Aparado(Linha& r, const char* coluna) { r[coluna] = std::string(Apara(r[coluna])); }

// A rule's answer and, when it is not the step's own, the column to focus.
struct Achado {
  NuMensagem mensagem;
  const char* foco = nullptr;
};

struct Passo {
  Achado (*regra)(Linha& r, const Referencias& ref);
  bool aviso = false;    // every answer only warns
  bool soAoSair = false;  // run when the field is left, not on confirmation
};

struct Campo {
  const char* coluna;
  bool mesmoVazio;  // checked on leaving even when blank
  bool naConfirmacao;
  std::vector<Passo> passos;
};

// The typed length a stored type stands for.
int ComprimentoDoTipo(sv tipo) { return tipo == "1" ? 14 : tipo == "3" ? 12 : 11; }

// The rule's answer matched with the typed length: what it takes as valid
// only counts when the length agrees.
NuMensagem InscricaoComComprimento(sv armazenada, int digitados) {
  const NuMensagem m = CriticaInscricaoResponsavel(armazenada, digitados);
  if (m == "0049") return digitados == 14 || digitados == 12 ? kSemOcorrencia : "1003"_msg;
  if (m == "0051") return digitados == 14 ? kSemOcorrencia : "1003"_msg;
  if (m == "0052") return digitados == 12 ? kSemOcorrencia : "1004"_msg;
  if (m == "0056") return kSemOcorrencia;
  return m;
}

Achado TipoInscricao(Linha& r, const Referencias&) {
  return {CriticaTipoInscricaoResp(Apara(r["InInscrResponsavel"])), "InInscrResponsavel"};
}

// The stored registration read back as the user would have typed it: the
// type says how many digits were typed.
Achado Inscricao(Linha& r, const Referencias&) {
  const sv tipo = Apara(r["InInscrResponsavel"]);
  if (!CriticaTipoInscricaoResp(tipo).ok()) return {};  // the type's own step answered
  return {InscricaoComComprimento(Completa(r["CoCgcCeiResponsavel"], 14), ComprimentoDoTipo(tipo))};
}

Achado Nome(Linha& r, const Referencias& ref) {
  Aparado(r, "NoResponsavelArquivo");
  return {CriticaRazaoSocial(r["NoResponsavelArquivo"], {}, ref)};
}

Achado Ddd(Linha& r, const Referencias&) { return {CriticaDdd(Apara(r["NuFoneDDD"]))}; }
Achado DddUf(Linha& r, const Referencias&) {
  return {CriticaDddUf(Apara(r["NuFoneDDD"]), Apara(r["CoMunicipioRespArquivo"]).substr(0, 2))};
}

Achado Telefone(Linha& r, const Referencias&) { return {CriticaTelefone(Apara(r["NuFoneAssinante"]))}; }
// The pair answers on the DDD; "3102" is told as "3101".
Achado DddTelefone(Linha& r, const Referencias&) {
  const NuMensagem m = CriticaDddTelefone(Apara(r["NuFoneDDD"]), Apara(r["NuFoneAssinante"]));
  return {m == "3102" ? "3101"_msg : m, "NuFoneDDD"};
}

Achado Logradouro(Linha& r, const Referencias&) {
  Aparado(r, "EdLogradouroRespArquivo");
  return {CriticaLogradouro(r["EdLogradouroRespArquivo"])};
}

// A number that passes is kept without its leading zeros; the confirmation
// pads it again.
Achado Numero(Linha& r, const Referencias&) {
  const NuMensagem m = CriticaNumeroEndereco(Completa(r["NuLogradouroRespArquivo"], 6));
  if (m.ok() && !Apara(r["NuLogradouroRespArquivo"]).empty())
    r["NuLogradouroRespArquivo"] = TiraZerosEsquerda(Apara(r["NuLogradouroRespArquivo"]));
  return {m};
}

Achado Complemento(Linha& r, const Referencias&) {
  Aparado(r, "TxComplementoRespArquivo");
  return {CriticaComplemento(r["TxComplementoRespArquivo"])};
}
Achado ComplementoSemNumero(Linha& r, const Referencias&) {
  return {CriticaComplementoSemNumero(Completa(r["NuLogradouroRespArquivo"], 6), r["TxComplementoRespArquivo"])};
}

Achado Bairro(Linha& r, const Referencias&) {
  Aparado(r, "NoBairroRespArquivo");
  return {CriticaBairro(r["NoBairroRespArquivo"])};
}

Achado Cep(Linha& r, const Referencias&) { return {CriticaCep(r["CoCepRespArquivo"])}; }

// The municipality's name and state go into the row whatever the answer.
Achado Municipio(Linha& r, const Referencias& ref) {
  const auto m = TCriticaZema(ref).CriticaMunicipioCepUf(Apara(r["CoMunicipioRespArquivo"]),
                                                         Apara(r["CoCepRespArquivo"]));
  r["NoMunicipioRespArquivo"] = m.noMunicipio;
  r["SgUfRespArquivo"] = m.sgUf;
  using S = TCriticaZema::Status;
  if (m.status == S::Valido || m.status == S::MunicipioSemCep) return {};
  return {m.mensagem, m.status == S::MunicipioInvalido ? "CoMunicipioRespArquivo" : "CoCepRespArquivo"};
}

Achado Email(Linha& r, const Referencias&) {
  Aparado(r, "TxEMailRespArquivo");
  return {CriticaEmail(r["TxEMailRespArquivo"])};
}

const std::vector<Campo>& Lista() {
  static const std::vector<Campo> lista{
      {"InInscrResponsavel", true, true, {{TipoInscricao}}},
      {"CoCgcCeiResponsavel", false, true, {{Inscricao}}},
      {"NoResponsavelArquivo", false, true, {{Nome}}},
      {"NuFoneAssinante", true, true, {{Telefone}, {DddTelefone}}},
      {"EdLogradouroRespArquivo", false, true, {{Logradouro}}},
      {"NuLogradouroRespArquivo", true, true, {{Numero}}},
      {"TxComplementoRespArquivo", false, true, {{Complemento}, {ComplementoSemNumero}}},
      {"NoBairroRespArquivo", true, true, {{Bairro}}},
      {"CoCepRespArquivo", false, true, {{Cep}}},
      {"CoMunicipioRespArquivo", false, true, {{Municipio}}},
      {"TxEMailRespArquivo", true, true, {{Email}}},
      {"NuFoneDDD", true, false, {{Ddd}, {DddUf, true, true}}},
  };
  return lista;
}

// Runs one field's steps; true when none failed.
bool Roda(const Campo& c, Linha& r, const Referencias& ref, bool saida, ResultadoResponsavel& res) {
  for (const auto& p : c.passos) {
    if (p.soAoSair && !saida) continue;
    const Achado a = p.regra(r, ref);
    if (a.mensagem.ok()) continue;
    FalhaResponsavel f{a.mensagem, c.coluna, a.foco ? a.foco : c.coluna};
    if (p.aviso) {
      res.avisos.push_back(f);
      continue;
    }
    res.falhas.push_back(f);
    return false;
  }
  return true;
}

}  // namespace

InscricaoResponsavel AnalisaInscricaoResponsavel(std::string_view digitada) {
  const sv v = Apara(digitada);
  InscricaoResponsavel r;
  r.armazenada = Completa(v, 14);
  const int digitados = static_cast<int>(v.size());
  r.mensagem = InscricaoComComprimento(r.armazenada, digitados);
  if (!r.mensagem.ok()) return r;
  r.tipo = digitados == 14 ? "1" : digitados == 12 ? "3" : "4";
  return r;
}

std::string_view NomeTipoInscricaoResp(std::string_view tipo) {
  tipo = Apara(tipo);
  return tipo == "1" ? "CNPJ" : tipo == "3" ? "CEI" : tipo == "4" ? "CPF" : "";
}

std::string InscricaoRespDigitada(std::string_view armazenada, std::string_view tipo) {
  const sv v = Apara(armazenada);
  if (v.empty()) return {};
  const std::size_t digitados = ComprimentoDoTipo(Apara(tipo));
  return std::string(v.size() > digitados ? v.substr(v.size() - digitados) : v);
}

std::vector<std::string_view> CamposResponsavel() {
  std::vector<std::string_view> campos;
  for (const auto& c : Lista()) campos.push_back(c.coluna);
  return campos;
}

ResultadoResponsavel ChecaResponsavel(Linha& r, const Referencias& ref, bool todosOsCampos) {
  ResultadoResponsavel res;
  for (const auto& c : Lista())
    if (c.naConfirmacao && !Roda(c, r, ref, false, res) && !todosOsCampos) break;
  return res;
}

ResultadoResponsavel ChecaSaidaResponsavel(Linha& r, const Referencias& ref, std::string_view campo,
                                           bool paraAvancar) {
  ResultadoResponsavel res;
  const auto& lista = Lista();
  const auto c = std::find_if(lista.begin(), lista.end(), [&](const Campo& k) { return k.coluna == campo; });
  if (c == lista.end() || (!c->mesmoVazio && Apara(r[c->coluna]).empty())) return res;
  Campo k = *c;
  if (paraAvancar) std::erase_if(k.passos, [](const Passo& p) { return p.soAoSair; });
  Roda(k, r, ref, true, res);
  return res;
}

void CompletaResponsavel(Linha& r) {
  std::string& numero = r["NuLogradouroRespArquivo"];
  if (numero.size() < 6) numero = ZerosEsquerda(numero, 6);
  Aparado(r, "NuFoneDDD");
  Aparado(r, "NuFoneAssinante");
}

FalhaResponsavel ConfereResponsavel(const Linha& responsavel, const Referencias& ref) {
  Linha r = responsavel;
  const ResultadoResponsavel res = ChecaResponsavel(r, ref, false);
  return res.ok() ? FalhaResponsavel{} : res.falhas.front();
}

NuMensagem VerificaResponsavel(const Linha& r, const Referencias& ref) { return ConfereResponsavel(r, ref).mensagem; }

}  // namespace vornex
