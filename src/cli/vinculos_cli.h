#pragma once
// A link named on the command line (`--vinculo` of retificar):
// INSCRICAO/PREFIXO/PISPASEP/DDMMAAAA[/NOME], the establishment part as
// `--estab` takes it, the PIS/PASEP with or without its punctuation.
#include <string>

#include "casos/manutencao.h"
#include "data/declaracao.h"

namespace vornex::cli {

struct ChaveVinculo {
  ChaveEstabelecimento estabelecimento;
  std::string pis;       // 11 digits
  std::string admissao;  // ddmmyyyy
  std::string nome;      // may be empty; only a worker without PIS/PASEP needs it
};

// ErroComando on a malformed text.
ChaveVinculo ChaveVinculoDoArgumento(const std::string& texto);

// A link of an establishment named apart (`--vinculo` of excluir and
// transferir): PISPASEP/DDMMAAAA[/NOME]. Without a name it stands for the
// links of that PIS/PASEP and date. ErroComando on a malformed text.
VinculoEscolhido VinculoDoArgumento(const std::string& texto);

}  // namespace vornex::cli
