#pragma once
// Field rules of the establishment record (Bd8emp): identification, name,
// activity and situation. Address and contact rules, shared with the
// responsible person, are in regras_endereco.h.
//
// Every rule takes the stored texts (trimmed first unless noted), applies its
// tests in order and answers the first finding, or "0000". Rules change
// nothing and show nothing; the caller decides what a finding means.
#include <array>
#include <string_view>

#include "common/mensagem.h"
#include "validation/referencias.h"

namespace vornex {

// --- identification ----------------------------------------------------------
// "0050" valid as CNPJ and CEI, "0051" CNPJ only, "0052" CEI only: callers
// take these as no finding and match the type with CriticaInscricaoTipo.
NuMensagem CriticaCnpjCei(std::string_view inscricao);
NuMensagem CriticaTipoInscricaoEstab(std::string_view tipo);
NuMensagem CriticaInscricaoTipo(std::string_view inscricao, std::string_view tipo);
NuMensagem CriticaPrefixo(std::string_view prefixo);
NuMensagem CriticaCeiVinculado(std::string_view ceiVinculado);
// Untrimmed inputs.
NuMensagem CriticaCeiVinculadoTipo(std::string_view tipoEstab, std::string_view ceiVinculado);
NuMensagem CriticaNegativaInscricao(std::string_view indicadorNegativa, std::string_view tipoEstab,
                                    std::string_view ceiVinculado);

// --- name --------------------------------------------------------------------
// `inscricao` may be empty; a registration under a reserved CNPJ root must
// carry that root's short name.
NuMensagem CriticaRazaoSocial(std::string_view nome, std::string_view inscricao, const Referencias& ref);

// --- activity and situation ----------------------------------------------------
NuMensagem CriticaCnae(std::string_view cnae, const Referencias& ref);
NuMensagem CriticaNatJuridica(std::string_view naturezaJuridica, const Referencias& ref);
NuMensagem CriticaCnaeRazao(std::string_view cnae, std::string_view nome);
NuMensagem CriticaNatJuridicaRazao(std::string_view naturezaJuridica, std::string_view nome);
NuMensagem CriticaPorte(std::string_view porte);        // untrimmed
NuMensagem CriticaSimples(std::string_view simples);    // untrimmed
NuMensagem CriticaSimplesPorte(std::string_view simples, std::string_view porte);
NuMensagem CriticaUsoEmpresa(std::string_view texto);   // untrimmed
NuMensagem CriticaMesDataBase(std::string_view mes);
NuMensagem CriticaIndicadorNegativa(std::string_view indicador);
NuMensagem CriticaDataBaseNegativa(std::string_view mes, std::string_view indicadorNegativa);
// Strict for declaration files read by the structure analyser, where an
// empty date of an establishment that did not close is itself a finding.
NuMensagem CriticaEncerramento(std::string_view indicador, std::string_view data, std::string_view anoBase,
                               bool estrito);
NuMensagem CriticaParticipaPat(std::string_view indicador);
NuMensagem CriticaNuVinculoPat(std::string_view quantidade);
NuMensagem CriticaPercentualPat(std::string_view percentual);
NuMensagem CriticaPatQuantidades(std::string_view indicador, std::string_view ateCincoSalarios,
                                 std::string_view acimaCincoSalarios);
// PoAdmCozinha, PoServicoProprio, PoRefeicaoConvenio, PoRefeicaoTransportadora,
// PoCestaAlimento, PoAlimentacaoConvenio.
NuMensagem CriticaPatPercentuais(std::string_view indicador, const std::array<std::string_view, 6>& percentuais);

}  // namespace vornex
