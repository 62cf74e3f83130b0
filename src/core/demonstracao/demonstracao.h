#pragma once
// A synthetic declaration for newcomers and benchmarks: a responsible
// person, establishments of both registration types (some declared without
// employees) and links with plausible pay, dismissals and leaves. Every value
// is drawn so that the field rules accept it and the consistency check files
// no error; the same seed gives the same declaration.
#include <cstdint>

namespace vornex {

class Conexao;

struct OpcoesDemonstracao {
  int estabelecimentos = 10;
  long long vinculos = 500;
  std::uint64_t semente = 2004;
};

struct ResumoDemonstracao {
  int estabelecimentos = 0;
  int semEmpregados = 0;  // declared without employees, no links
  long long vinculos = 0;
  long long estrangeiros = 0;
};

// Fills BD8Resp (its single row takes the demo's responsible person; the
// program preferences kept there stay), Bd8emp and Bd8vinc of base
// year "2004" in one transaction. Refuses with std::runtime_error when the
// declaration tables already hold establishments or links, and with
// std::invalid_argument on counts it cannot honour.
ResumoDemonstracao GeraDemonstracao(Conexao& c, const OpcoesDemonstracao& opcoes);

}  // namespace vornex
