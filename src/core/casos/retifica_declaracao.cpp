#include "casos/retifica_declaracao.h"

#include "data/banco.h"
#include "declfile/retificacao.h"

namespace vornex {

namespace {

ResultadoVerificaEGrava Recusa(NuMensagem m, std::string sobre = {}) {
  ResultadoVerificaEGrava r;
  r.mensagem = m;
  r.sobre = std::move(sobre);
  return r;
}

std::string Nome(const VinculoRetificado& v) {
  return v.inscricao + "/" + v.prefixo + "/" + v.pis + "/" + v.admissao + (v.nome.empty() ? "" : "/" + v.nome);
}

ResultadoVerificaEGrava Etapas(Conexao& c, const Referencias& ref, const PedidoRetificacao& pedido,
                               const MeiosGravacao& meios) {
  if (NuMensagem m = CriticaDataGravacao(pedido.dataGeracao); !m.ok()) return Recusa(m);
  if (!CriaTabelasRetificacao(c)) {
    ResultadoVerificaEGrava r;
    r.falha = std::string(kTextoErroInicioRetificacao);
    return r;
  }
  SelecaoRetificacao selecao;
  if (NuMensagem m = selecao.carrega(c); !m.ok()) return Recusa(m);
  for (const auto& v : pedido.vinculos) {
    const auto i = selecao.indice(v.inscricao, v.prefixo);
    if (!i) return Recusa("1925"_msg, Nome(v));
    selecao.marcaVinculo(*i, v.pis, v.admissao, v.nome);
  }
  for (const auto& e : pedido.estabelecimentos) {
    const auto i = selecao.indice(e.inscricao, e.prefixo);
    if (!i) return Recusa("1925"_msg, e.inscricao + "/" + e.prefixo);
    selecao.marca(*i, true);
  }
  if (NuMensagem m = selecao.confere(); !m.ok()) return Recusa(m);

  // The responsible page of the writing steps comes next.
  if (auto r = ConfereResponsavelGravacao(c, ref); r.etapa == EtapaCaso::Responsavel) return r;
  std::string ausente;
  if (NuMensagem m = PreparaRetificacao(c, selecao, &ausente); !m.ok()) return Recusa(m, ausente);
  selecao.LiberaSelecao();

  PedidoVerificaEGrava p;
  p.confereResponsavel = false;
  p.consistencia.origem = OrigemConsistencia::Trabalho;
  p.consistencia.anoBase = std::string(kAnoBaseRetificacao);
  p.gravacao.modo = {true, true};  // every row of the work tables
  p.gravacao.dataGeracao = pedido.dataGeracao;
  p.gravacao.horaGeracao = pedido.horaGeracao.empty() ? HoraAtual() : pedido.horaGeracao;
  return VerificaEGrava(c, ref, p, meios);
}

}  // namespace

ResultadoVerificaEGrava RetificaDeclaracao(Conexao& c, const Referencias& ref, const PedidoRetificacao& pedido,
                                           const MeiosGravacao& meios) {
  // Whatever step ends the run, the work tables keep what was copied; only a
  // database error undoes it.
  Transacao t(c);
  ResultadoVerificaEGrava r = Etapas(c, ref, pedido, meios);
  t.confirma();
  return r;
}

}  // namespace vornex
