#include "casos/verifica_grava.h"

#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabelas.h"
#include "validation/checagem_responsavel.h"

namespace vornex {

ResultadoVerificaEGrava ConfereResponsavelGravacao(Conexao& c, const Referencias& ref) {
  const auto resp = LeResponsavel(c);
  const FalhaResponsavel f = ConfereResponsavel(resp ? *resp : DefinicaoSistema(kTabelaResponsavel)->novaLinha(), ref);
  ResultadoVerificaEGrava r;
  r.etapa = f.mensagem.ok() ? EtapaCaso::Verificacao : EtapaCaso::Responsavel;
  r.mensagem = f.mensagem;
  r.campo = std::string(f.campo);
  return r;
}

ResultadoVerificaEGrava VerificaEGrava(Conexao& c, const Referencias& ref, const PedidoVerificaEGrava& pedido,
                                       const MeiosGravacao& meios) {
  // Findings and protocol tables are kept whatever step ends the run; only a
  // database error undoes them.
  Transacao t(c);
  ResultadoVerificaEGrava r;
  if (pedido.confereResponsavel) {
    r = ConfereResponsavelGravacao(c, ref);
    if (r.etapa == EtapaCaso::Responsavel) return r;
  }
  r.etapa = EtapaCaso::Verificacao;
  r.verificacao = VerificaConsistencia(c, ref, pedido.consistencia,
                                       meios.verificacao ? *meios.verificacao : SemAcompanhamento());
  if ((r.verificacao & (kConsistenciaErros | kConsistenciaInterrompida)) ||
      (meios.prossegue && !meios.prossegue(r.verificacao))) {
    t.confirma();
    return r;
  }

  r.etapa = EtapaCaso::Gravacao;
  r.gravacao = GravaArquivoDeclaracao(c, pedido.gravacao, meios.primeira, *meios.midias,
                                      meios.gravacao ? *meios.gravacao : SemAcompanhamento(), meios.opcoes);
  t.confirma();
  return r;
}

}  // namespace vornex
