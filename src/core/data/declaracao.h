#pragma once
// The queries the declaration's data modules need: an establishment by its
// key, its links and their counts, and the single responsible-person row.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/banco.h"
#include "data/linha.h"

namespace vornex {

inline constexpr const char* kTabelaEstabelecimentos = "Bd8emp";
inline constexpr const char* kTabelaVinculos = "Bd8vinc";
inline constexpr const char* kTabelaResponsavel = "BD8Resp";

struct ChaveEstabelecimento {
  std::string anBase;     // "2004" or "2005"
  std::string inscricao;  // CNPJ or CEI; a shorter all-digit number is padded with '0' to 14
  std::string prefixo;    // "00" when none
};

// The registration as stored: all digits and shorter than 14 -> left-padded
// with '0' (a 12-digit CEI and the same CEI with "00" in front are one key).
std::string InscricaoArmazenada(std::string_view inscricao);

std::optional<Linha> BuscaEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave);
long long ContaVinculos(Conexao& c, const ChaveEstabelecimento& chave);
// Links whose nationality is not "10" (Brazilian).
long long ContaEstrangeiros(Conexao& c, const ChaveEstabelecimento& chave);
// Writes both counts into the establishment's row (NuVinculosEstabelecimento
// zero-filled to 6, NuEstrangeirosEstabelec to 5) from the links it holds.
void AtualizaContagensVinculos(Conexao& c, const ChaveEstabelecimento& chave);
// Whether `tabela` (Bd8vinc, or a work copy) holds the establishment's link
// with that PIS/PASEP and admission date, and, for a PIS/PASEP of zeros,
// that name: how a link is named outside its screen.
bool ExisteVinculo(Conexao& c, std::string_view tabela, const ChaveEstabelecimento& chave, std::string_view pis,
                   std::string_view admissao, std::string_view nome);
// The establishment's links, in key order.
std::vector<Linha> VinculosDoEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave);

// BD8Resp holds at most one row. LeResponsavel answers it when there is one;
// EditaResponsavel answers it for editing, creating (and posting) an empty
// row the first time; GravaResponsavel posts the edited row.
std::optional<Linha> LeResponsavel(Conexao& c);
Linha EditaResponsavel(Conexao& c);
void GravaResponsavel(Conexao& c, const Linha& responsavel);

}  // namespace vornex
