#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace vornex::cli {

// Runs the command line `args` (without the program name) and returns the
// exit status. Used by main() and, in-process, by the tests.
int Executa(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace vornex::cli
