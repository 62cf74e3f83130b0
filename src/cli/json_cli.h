#pragma once
// JSON output of the commands. Texts read from declaration files or typed
// long ago need not be UTF-8: invalid bytes are replaced, never an error.
#include <nlohmann/json.hpp>

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
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

// One value on one line, for a row among many.
template <class Json>
std::string TextoJsonLinha(const Json& j) {
  return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// An object whose last member is written by `ultimo` straight to the
// stream (a long list of rows), after the members of `membros`.
template <class Json>
void EscreveObjetoJson(std::ostream& out, const Json& membros, std::string_view chaveUltimo,
                       const std::function<void(std::ostream&)>& ultimo) {
  out << "{\n";
  for (auto it = membros.begin(); it != membros.end(); ++it)
    out << "  " << TextoJsonLinha(Json(it.key())) << ": " << TextoJsonLinha(it.value()) << ",\n";
  out << "  " << TextoJsonLinha(Json(std::string(chaveUltimo))) << ": ";
  ultimo(out);
  out << "\n}\n";
}

}  // namespace vornex::cli
