#include <iostream>

#include "cli.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return vornex::cli::Executa(args, std::cout, std::cerr);
}
