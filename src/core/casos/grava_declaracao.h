#pragma once
// Writing the declaration: the generation date, the establishments to write,
// then check-then-write over the declaration tables.
#include <optional>
#include <string>
#include <vector>

#include "casos/verifica_grava.h"
#include "data/declaracao.h"

namespace vornex {

// The establishments of the base year in writing order (inscription, then
// prefix), as the selection step lists them.
std::vector<ChaveEstabelecimento> EstabelecimentosParaGravacao(Conexao& c);

struct PedidoGravaDeclaracao {
  std::string dataGeracao;  // ddmmyyyy as typed
  std::string horaGeracao;  // hhmmss; empty: the clock when the run starts
  // The establishments chosen, in writing order; nullopt: every one of the base year.
  std::optional<std::vector<ChaveEstabelecimento>> selecao;
};

// Pedido with "0421", "0420" or "0423" for the date, or "1700" when the base
// year has no establishment; then VerificaEGrava over the selection, the
// responsible person first.
ResultadoVerificaEGrava GravaDeclaracao(Conexao& c, const Referencias& ref, const PedidoGravaDeclaracao& pedido,
                                        const MeiosGravacao& meios);

}  // namespace vornex
