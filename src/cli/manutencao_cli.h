#pragma once
// What the maintenance commands (excluir, transferir, alterar-vinculo) share:
// how a refusal is told and how an establishment is named in their output.
#include <string>

#include "comando.h"
#include "casos/manutencao.h"
#include "common/mensagem.h"
#include "data/declaracao.h"

namespace vornex {
class Conexao;
}

namespace vornex::cli {

// Prints the message's catalog text on stderr; the command exits 1.
void Recusa(Contexto& ctx, Conexao& c, NuMensagem m);
// Like Recusa, then one "  vínculo não encontrado" line per link.
void RecusaAusentes(Contexto& ctx, Conexao& c, NuMensagem m, const std::vector<VinculoEscolhido>& ausentes);

// INSCRICAO/PREFIXO, as the commands take it.
std::string NomeEstabelecimento(const ChaveEstabelecimento& k);
// "7 vínculo(s), 2 estrangeiro(s)".
std::string TextoContagem(const ContagemVinculos& contagem);

}  // namespace vornex::cli
