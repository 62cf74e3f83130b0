#pragma once
// Field rules of the worker's identity and personal data in a link
// (Bd8vinc). `anoBase` is the base year the link is declared for: the
// declaration's, or the next one for an establishment closing in it.
#include <string_view>

#include "common/mensagem.h"
#include "validation/referencias.h"

namespace vornex {

// The PIS reserved for test declarations and the only name it may carry.
inline constexpr std::string_view kPisTeste = "12345678919";
inline constexpr std::string_view kNomeEmpregadoTeste = "TRABALHADOR DE TESTE";

NuMensagem CriticaPis(std::string_view pis);
NuMensagem CriticaNomeEmpregado(std::string_view nome, std::string_view pis);
NuMensagem CriticaDaNascimento(std::string_view nascimento);
NuMensagem CriticaAnoNascimento(std::string_view nascimento, std::string_view anoBase);
NuMensagem CriticaNacionalidade(std::string_view nacionalidade, const Referencias& ref);
NuMensagem CriticaAnoChegada(std::string_view anoChegada);
NuMensagem CriticaChegadaNacionalidade(std::string_view anoChegada, std::string_view nacionalidade);
NuMensagem CriticaChegadaAnoBase(std::string_view anoChegada, std::string_view anoBase,
                                 std::string_view nacionalidade);
NuMensagem CriticaChegadaNascimento(std::string_view anoChegada, std::string_view nascimento,
                                    std::string_view nacionalidade);
NuMensagem CriticaChegadaAdmissao(std::string_view anoChegada, std::string_view admissao,
                                  std::string_view nacionalidade);
NuMensagem CriticaRaca(std::string_view raca, const Referencias& ref);
NuMensagem CriticaSexo(std::string_view sexo);
NuMensagem CriticaDeficiente(std::string_view deficiente);
NuMensagem CriticaAlvara(std::string_view alvara);
NuMensagem CriticaAlvaraIdade(std::string_view alvara, std::string_view nascimento, std::string_view vinculo,
                              std::string_view anoBase);
NuMensagem CriticaInstrucao(std::string_view instrucao, const Referencias& ref);
NuMensagem CriticaCtps(std::string_view ctps);
NuMensagem CriticaCpf(std::string_view cpf);
NuMensagem CriticaCtpsCpf(std::string_view ctps, std::string_view cpf);

}  // namespace vornex
