#pragma once
// The command line run in-process, as a test sees it.
#include <sstream>
#include <string>
#include <vector>

#include "cli.h"

namespace teste {

struct SaidaCli {
  int codigo;
  std::string out, err;
};

inline SaidaCli RodaCli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int c = vornex::cli::Executa(args, out, err);
  return {c, out.str(), err.str()};
}

}  // namespace teste
