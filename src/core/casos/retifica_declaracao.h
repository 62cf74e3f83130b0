#pragma once
// The rectification: the chosen links (and establishments without
// employees) of the declaration are copied into the work tables, checked
// there and written as a rectifying declaration file.
#include <string>
#include <vector>

#include "casos/verifica_grava.h"

namespace vornex {

struct VinculoRetificado {
  std::string inscricao, prefixo;
  std::string pis;       // 11 digits
  std::string admissao;  // ddmmyyyy
  std::string nome;      // tells apart links with the same PIS/PASEP and date; empty takes the first
};

struct EstabelecimentoRetificado {
  std::string inscricao, prefixo;
};

struct PedidoRetificacao {
  std::string dataGeracao;  // ddmmyyyy as typed
  std::string horaGeracao;  // hhmmss; empty: the clock when the run starts
  std::vector<VinculoRetificado> vinculos;
  std::vector<EstabelecimentoRetificado> estabelecimentos;  // declared without employees
};

// In order: the date ("0421", "0420", "0423"); the work tables (`falha`
// kTextoErroInicioRetificacao when they cannot be made); the selection
// ("1700" without establishments, "1925" for a key not in the declaration,
// "1301"/"1304" as the selection step checks it); the responsible person;
// the copy into the work tables ("1925", "1926": what was copied stays);
// then the check of the work tables and the writing in rectification mode.
ResultadoVerificaEGrava RetificaDeclaracao(Conexao& c, const Referencias& ref, const PedidoRetificacao& pedido,
                                           const MeiosGravacao& meios);

}  // namespace vornex
