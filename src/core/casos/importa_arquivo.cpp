#include "casos/importa_arquivo.h"

#include <algorithm>

#include "casos/analisa_arquivo.h"
#include "common/versao.h"
#include "data/banco.h"
#include "declfile/analise_estrutura.h"

namespace vornex {

namespace {

// A code that a field rule gave (not one of the merge's own notes): the
// establishment was skipped.
bool CodigoDeRegra(const std::string& co) {
  return !co.empty() && co != "1501" && co != "1502" && co != "1504" && co != "1505";
}

void Recusa(ResultadoImportacaoArquivo& r, const MeiosImportacao& meios, std::string_view texto, std::string nome) {
  r.recusas.push_back({texto, std::move(nome)});
  if (meios.recusa) meios.recusa(r.recusas.back());
}

}  // namespace

ResultadoImportacaoArquivo ImportaArquivo(Conexao& c, const PedidoImportacaoArquivo& pedido,
                                          const MeiosImportacao& meios) {
  ResultadoImportacaoArquivo r;
  if (!ArquivoParaAnalise(pedido.arquivo, r.falha)) return r;
  const ModoImportacao modo = ModoDoTexto(TextoModoImportacao(pedido.anoAnterior));
  r.anoOrigem = modo.anoOrigem;

  Transacao t(c);
  TAnaliseEstrutura analise(c);
  analise.AnteriorAtual = pedido.anoAnterior;
  long estabelecimentos = 0, vinculos = 0;
  r.estrutura = analise.AnalisaArquivo(pedido.arquivo, AnoBaseDeclaracao, true,
                                       meios.estrutura ? *meios.estrutura : SemAcompanhamento(), estabelecimentos,
                                       vinculos);
  r.falha = analise.falhaCopia();
  if (!r.falha.empty() || (r.estrutura & (kAnaliseErros | kAnaliseInterrompida))) {
    if (r.falha.empty()) r.errosEstrutura = LeErrosEstrutura(c);
    t.confirma();
    return r;
  }

  r.itens = EstabelecimentosDoArquivo(c, modo.anoOrigem);
  std::vector<ItemImportacao> escolhidos;
  if (pedido.todos) {
    const std::size_t n = QuantosSelecionaTodos(r.itens);
    escolhidos.assign(r.itens.begin(), r.itens.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < r.itens.size())
      Recusa(r, meios, kTextoPrefixoInvalidoTodos, r.itens[n].inscricao + "/" + r.itens[n].prefixo);
  }
  for (const auto& e : pedido.escolhas) {
    auto it = std::find_if(r.itens.begin(), r.itens.end(), [&](const ItemImportacao& i) {
      return i.inscricao == e.inscricao && i.prefixo == e.prefixo;
    });
    if (it == r.itens.end()) {
      r.ausente = e.nome;
      t.confirma();
      return r;
    }
    if (!it->prefixoImportavel()) {
      Recusa(r, meios, kTextoPrefixoNaoImportavel, e.nome);
      continue;
    }
    escolhidos.push_back(*it);
  }
  if (escolhidos.empty()) {
    r.mensagem = "1301"_msg;
    t.confirma();
    return r;
  }

  OpcoesImportacao opcoes;
  opcoes.anoAnterior = pedido.anoAnterior;
  r.importacao = ImportaEstabelecimentos(c, opcoes, escolhidos,
                                         meios.importacao ? *meios.importacao : SemAcompanhamento());
  r.importado = true;
  r.linhas = LinhasImportacao(c);
  for (const auto& l : r.linhas) r.pulado = r.pulado || CodigoDeRegra(l["CoImp"]);
  t.confirma();
  return r;
}

}  // namespace vornex
