#pragma once
// Check-then-write: the responsible person's checks, the consistency check
// of what is to be written and, when it found no errors, the writer. Shared
// by the writing of the declaration, the rectification and every front end
// that delivers a declaration file; the media prompts and the progress
// belong to the caller.
#include <functional>
#include <optional>
#include <string>

#include "common/mensagem.h"
#include "common/passagem.h"
#include "declfile/gravacao.h"
#include "platform/midia.h"
#include "validation/consistencia.h"

namespace vornex {

class Conexao;
class Referencias;

// Where a use case ended.
enum class EtapaCaso {
  Pedido,       // the request was refused before the check ran (`mensagem` or `falha`)
  Responsavel,  // the responsible person failed a check (`mensagem`, `campo`)
  Verificacao,  // the check found errors, was interrupted or the caller stopped there
  Gravacao,     // the writer ran (see its report)
};

struct PedidoVerificaEGrava {
  bool confereResponsavel = true;  // the BD8Resp row first
  OpcoesConsistencia consistencia;
  PedidoGravacao gravacao;
};

// What the caller supplies for the run.
struct MeiosGravacao {
  Midia primeira;  // the medium of the first volume
  InterfaceMidia* midias = nullptr;
  AcompanhamentoPassagem* verificacao = nullptr;  // null: no progress
  AcompanhamentoPassagem* gravacao = nullptr;
  // Called after a check without errors, before anything is written, with the
  // check's bits: false stops the run there (a front end that asks first, or
  // shows the warnings). Null: the writing goes on.
  std::function<bool(int verificacao)> prossegue;
  OpcoesGravacao opcoes;
};

struct ResultadoVerificaEGrava {
  EtapaCaso etapa = EtapaCaso::Pedido;
  NuMensagem mensagem;  // why a Pedido or Responsavel run stopped
  std::string falha;    // Pedido: a refusal that has no message number, as its text
  std::string sobre;    // Pedido: what `mensagem` is about, when the request named it (1925)
  std::string campo;    // Responsavel: the BD8Resp column of the failing field
  int verificacao = 0;  // the consistency bits, once the check ran
  std::optional<RelatorioGravacao> gravacao;  // once the writer ran

  bool gravado() const { return gravacao && gravacao->resultado == ResultadoGravacao::Gravado; }
};

// The responsible person of BD8Resp (an empty row when there is none) under
// every check of the responsible screen; Responsavel with the first finding,
// else Verificacao with "0000".
ResultadoVerificaEGrava ConfereResponsavelGravacao(Conexao& c, const Referencias& ref);

// Runs the steps in order and stops at the first that refuses. Database
// errors propagate (ErroBanco).
ResultadoVerificaEGrava VerificaEGrava(Conexao& c, const Referencias& ref, const PedidoVerificaEGrava& pedido,
                                       const MeiosGravacao& meios);

}  // namespace vornex
