#include "validation/checagem_responsavel.h"

#include "common/texto.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"
#include "validation/regras_responsavel.h"

namespace vornex {

namespace {

// Shorter values padded; a longer one is kept whole so that its rule refuses it.
std::string Completa(std::string_view v, int n) {
  v = Apara(v);
  return v.size() < static_cast<std::size_t>(n) ? ZerosEsquerda(v, n) : std::string(v);
}

// The stored registration read back as the user would have typed it: the
// type says how many digits were typed.
NuMensagem Inscricao(const Linha& r) {
  const std::string_view tipo = Apara(r["InInscrResponsavel"]);
  if (auto m = CriticaTipoInscricaoResp(tipo); !m.ok()) return m;
  const int digitados = tipo == "1" ? 14 : tipo == "3" ? 12 : 11;
  const NuMensagem m = CriticaInscricaoResponsavel(Completa(r["CoCgcCeiResponsavel"], 14), digitados);
  if (m == "0049") return kSemOcorrencia;  // valid as CNPJ and as CEI: the type decides
  if (m == "0051") return digitados == 14 ? kSemOcorrencia : "1003"_msg;
  if (m == "0052") return digitados == 12 ? kSemOcorrencia : "1004"_msg;
  if (m == "0056") return kSemOcorrencia;
  return m;
}

NuMensagem Telefone(const Linha& r) {
  const auto ddd = Apara(r["NuFoneDDD"]), fone = Apara(r["NuFoneAssinante"]);
  if (auto m = CriticaTelefone(fone); !m.ok()) return m;
  const NuMensagem m = CriticaDddTelefone(ddd, fone);
  if (m == "3102") return "3101"_msg;
  return m;
}

}  // namespace

FalhaResponsavel ConfereResponsavel(const Linha& r, const Referencias& ref) {
  const std::string numero = Completa(r["NuLogradouroRespArquivo"], 6);
  const std::string_view tipo = Apara(r["InInscrResponsavel"]);
  const NuMensagem ddd = CriticaTelefone(Apara(r["NuFoneAssinante"])).ok() ? Telefone(r) : kSemOcorrencia;
  const FalhaResponsavel passos[] = {
      {CriticaTipoInscricaoResp(tipo), "InInscrResponsavel"},
      {Inscricao(r), "CoCgcCeiResponsavel"},
      {CriticaRazaoSocial(r["NoResponsavelArquivo"], {}, ref), "NoResponsavelArquivo"},
      {CriticaTelefone(Apara(r["NuFoneAssinante"])), "NuFoneAssinante"},
      {ddd, "NuFoneDDD"},
      {CriticaLogradouro(r["EdLogradouroRespArquivo"]), "EdLogradouroRespArquivo"},
      {CriticaNumeroEndereco(numero), "NuLogradouroRespArquivo"},
      {CriticaComplemento(r["TxComplementoRespArquivo"]), "TxComplementoRespArquivo"},
      {CriticaComplementoSemNumero(numero, r["TxComplementoRespArquivo"]), "TxComplementoRespArquivo"},
      {CriticaBairro(r["NoBairroRespArquivo"]), "NoBairroRespArquivo"},
      {CriticaCep(r["CoCepRespArquivo"]), "CoCepRespArquivo"},
  };
  for (const auto& p : passos)
    if (!p.mensagem.ok()) return p;
  const auto municipio = TCriticaZema(ref).CriticaMunicipioCepUf(Apara(r["CoMunicipioRespArquivo"]),
                                                                 Apara(r["CoCepRespArquivo"]));
  if (municipio.status != TCriticaZema::Status::Valido && municipio.status != TCriticaZema::Status::MunicipioSemCep)
    return {municipio.mensagem, "CoMunicipioRespArquivo"};
  if (NuMensagem m = CriticaEmail(r["TxEMailRespArquivo"]); !m.ok()) return {m, "TxEMailRespArquivo"};
  return {};
}

NuMensagem VerificaResponsavel(const Linha& r, const Referencias& ref) { return ConfereResponsavel(r, ref).mensagem; }

}  // namespace vornex
