#include "casos/grava_declaracao.h"

#include "common/versao.h"
#include "data/banco.h"

namespace vornex {

std::vector<ChaveEstabelecimento> EstabelecimentosParaGravacao(Conexao& c) {
  std::vector<ChaveEstabelecimento> r;
  Consulta& q = c.prepara({"SELECT CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento", "FROM BD8Emp",
                           "WHERE Anbase = :AnBase", "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  q.defineTexto("AnBase", AnoBase);
  while (q.proxima()) r.push_back({std::string(AnoBase), std::string(q.texto(0)), std::string(q.texto(1))});
  return r;
}

ResultadoVerificaEGrava GravaDeclaracao(Conexao& c, const Referencias& ref, const PedidoGravaDeclaracao& pedido,
                                        const MeiosGravacao& meios) {
  ResultadoVerificaEGrava r;
  if (r.mensagem = CriticaDataGravacao(pedido.dataGeracao); !r.mensagem.ok()) return r;
  PedidoVerificaEGrava p;
  p.gravacao.selecao = pedido.selecao ? *pedido.selecao : EstabelecimentosParaGravacao(c);
  if (p.gravacao.selecao->empty()) {
    r.mensagem = "1700"_msg;
    return r;
  }
  p.gravacao.dataGeracao = pedido.dataGeracao;
  p.gravacao.horaGeracao = pedido.horaGeracao.empty() ? HoraAtual() : pedido.horaGeracao;
  p.consistencia.anoBase = std::string(AnoBase);
  p.consistencia.selecao = p.gravacao.selecao;
  return VerificaEGrava(c, ref, p, meios);
}

}  // namespace vornex
