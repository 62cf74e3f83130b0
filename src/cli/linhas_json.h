#pragma once
// Table rows as JSON objects keyed by their column names (`mostrar --json`
// and the files `gravar` reads).
#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "data/linha.h"
#include "data/tabelas.h"

namespace vornex::cli {

nlohmann::json LinhaJson(const DefinicaoTabela& def, const Linha& l);

// The object in `arquivo`: a regular file of at most `tamanhoMaximo` bytes
// holding one JSON object. ErroComando otherwise, naming `oQue` when too big.
nlohmann::json LeObjeto(const std::string& arquivo, std::uintmax_t tamanhoMaximo, const std::string& oQue);

// The object's columns written over `l`; unknown columns, values of the
// wrong kind and texts longer than their column are refused (ErroComando).
void AplicaObjeto(const DefinicaoTabela& def, const nlohmann::json& j, Linha& l);

// The text of column `coluna`, `padrao` when missing or not a text.
std::string TextoDe(const nlohmann::json& j, const char* coluna, const std::string& padrao = "");

// Each column, "nome: valor" a line (logical columns "sim"/"não").
void ImprimeLinha(std::ostream& out, const DefinicaoTabela& def, const Linha& l);

}  // namespace vornex::cli
