#pragma once
// JSON output of the commands. Texts read from declaration files or typed
// long ago need not be UTF-8: invalid bytes are replaced, never an error.
#include <nlohmann/json.hpp>

#include <string>

namespace vornex::cli {

template <class Json>
std::string TextoJson(const Json& j) {
  return j.dump(2, ' ', false, Json::error_handler_t::replace);
}

}  // namespace vornex::cli
