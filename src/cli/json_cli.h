#pragma once
// JSON output of the commands. Texts read from declaration files or typed
// long ago need not be UTF-8: invalid bytes are replaced, never an error.
#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "data/linha.h"

namespace vornex::cli {

template <class Json>
std::string TextoJson(const Json& j) {
  return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

// A table row as an object keyed by the table's column names.
template <class Json = nlohmann::ordered_json>
Json LinhaJson(const Linha& l) {
  Json o = Json::object();
  const auto& colunas = l.esquema().colunas();
  for (std::size_t i = 0; i < colunas.size(); ++i) o[colunas[i]] = l[i];
  return o;
}

template <class Json = nlohmann::ordered_json>
Json LinhasJson(const std::vector<Linha>& linhas) {
  Json a = Json::array();
  for (const auto& l : linhas) a.push_back(LinhaJson<Json>(l));
  return a;
}

}  // namespace vornex::cli
