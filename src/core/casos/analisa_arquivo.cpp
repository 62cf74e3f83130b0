#include "casos/analisa_arquivo.h"

#include "platform/arquivo_entrada.h"

#include <system_error>

#include "common/versao.h"
#include "data/banco.h"
#include "data/tabelas.h"

namespace vornex {

namespace fs = std::filesystem;

bool ArquivoParaAnalise(const fs::path& arquivo, std::string& falha) {
  const auto problema = VerificaArquivoEntrada(arquivo);
  if (!problema) return true;
  falha = problema->inexistente ? std::string(kTextoArquivoInexistente) + " (" + arquivo.string() + ")"
                                : problema->texto;
  return false;
}

void ExcluiTabelasTrabalho(Conexao& c, std::initializer_list<std::string_view> nomes) {
  Transacao t(c);
  for (std::string_view n : nomes) ExcluiTabela(c, n);
  t.confirma();
}

RelatorioGravacao RegravaArquivoAnalisado(Conexao& c, bool retificacao, const MeiosGravacao& meios) {
  // From the work tables as loaded; no generation date is typed here.
  PedidoGravacao g;
  g.modo = {true, retificacao};
  return GravaArquivoDeclaracao(c, g, meios.primeira, *meios.midias,
                                meios.gravacao ? *meios.gravacao : SemAcompanhamento(), meios.opcoes);
}

ResultadoAnaliseArquivo AnalisaEVerifica(Conexao& c, const PedidoAnaliseArquivo& pedido, const MeiosAnalise& meios) {
  ResultadoAnaliseArquivo r;
  if (!ArquivoParaAnalise(pedido.arquivo, r.falha)) return r;
  Transacao t(c);
  TAnaliseEstrutura analise(c);
  r.estrutura = analise.AnalisaArquivo(pedido.arquivo, AnoBaseDeclaracao, false,
                                       meios.estrutura ? *meios.estrutura : SemAcompanhamento(),
                                       r.estabelecimentos, r.vinculos);
  r.falha = analise.falhaCopia();
  if (r.falha.empty()) r.errosEstrutura = LeErrosEstrutura(c);
  if (!r.falha.empty() || (r.estrutura & (kAnaliseErros | kAnaliseInterrompida))) {
    t.confirma();
    return r;
  }

  r.selo = VerificaSelo(pedido.arquivo);
  if (!pedido.verificaConteudo) {
    t.confirma();
    return r;
  }

  // A file read from a medium: the responsible person is checked and the
  // closing date must be stated.
  OpcoesConsistencia opcoes;
  opcoes.origem = OrigemConsistencia::Trabalho;
  opcoes.verificaResponsavel = true;
  opcoes.encerramentoEstrito = true;
  r.verificacao = VerificaConsistencia(c, opcoes, meios.verificacao ? *meios.verificacao : SemAcompanhamento());
  r.verificado = true;

  if (pedido.regravacao) {
    const MeiosGravacao& m = *pedido.regravacao;
    if (r.verificacao & (kConsistenciaErros | kConsistenciaInterrompida)) {
      r.regravacaoRecusada = true;
    } else if (!m.prossegue || m.prossegue(r.verificacao)) {
      r.regravacao = RegravaArquivoAnalisado(c, r.retificacao(), m);
    }
  }
  t.confirma();
  return r;
}

}  // namespace vornex
