#include "casos/listas.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "declfile/itens_lista.h"

namespace vornex {

namespace {

std::string TabelaEstabelecimentos(OrigemLista o) {
  return o == OrigemLista::Trabalho ? std::string("trabalho.") + kTrabalhoEstabelecimento
                                    : std::string(kTabelaEstabelecimentos);
}

std::string TabelaVinculos(OrigemLista o) {
  return o == OrigemLista::Trabalho ? std::string("trabalho.") + kTrabalhoVinculo : std::string(kTabelaVinculos);
}

bool FonteExiste(Conexao& c, OrigemLista o, const char* trabalho) {
  return o == OrigemLista::Declaracao || ExisteTabela(c, trabalho, ArquivoDados::Trabalho);
}

std::string TextoEstabelecimento(FormaItemEstabelecimento forma, const ItemEstabelecimento& i) {
  const std::string inscricao = EspacosDireita(FormataInscricao(i.chave.inscricao, i.tipoInscricao), 18);
  switch (forma) {
    case FormaItemEstabelecimento::ComVinculos:
      return TextoItemEstabelecimento(i.chave.inscricao, i.tipoInscricao, i.chave.prefixo, i.nome, i.vinculos);
    case FormaItemEstabelecimento::Relatorio:
      return inscricao + "    " + i.chave.prefixo + "    " + i.nome;
    case FormaItemEstabelecimento::Simples:
      break;
  }
  return inscricao + "  " + i.chave.prefixo + "  " + i.nome;
}

std::string TextoVinculo(const PedidoListaVinculos& p, const ItemVinculo& i) {
  const std::string pis = FormataPis(i.chave.pis);
  const std::string data = FormataData(i.chave.admissao);
  const std::string uso = p.comUsoEmpresa ? "  " + i.usoEmpresa : std::string();
  switch (p.ordem) {
    case OrdemVinculos::Nome:
      return EspacosDireita(i.chave.nome, 30) + "  " + pis + "  " + data + uso;
    case OrdemVinculos::UsoEmpresa:
      return EspacosDireita(i.usoEmpresa, 13) + "  " + pis + "  " + data + "  " + i.chave.nome;
    case OrdemVinculos::Pis:
      break;
  }
  if (p.comUsoEmpresa) return pis + "  " + data + "  " + EspacosDireita(i.chave.nome, 30) + uso;
  return TextoItemVinculo(i.chave.pis, i.chave.admissao, i.chave.nome);
}

}  // namespace

ListaDeEstabelecimentos ListaEstabelecimentos(Conexao& c, const PedidoListaEstabelecimentos& pedido) {
  ListaDeEstabelecimentos r;
  if (!FonteExiste(c, pedido.origem, kTrabalhoEstabelecimento)) return r;
  const std::string from = "from " + TabelaEstabelecimentos(pedido.origem);
  Consulta q(c, {"Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento,",
                 "InInscrEstabelecimento, NuVinculosEstabelecimento", from, "where AnBase = :anBase",
                 pedido.somenteComEmpregados ? " and InZemaNegEstabelecimento = '0'" : "",
                 "order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  q.defineTexto("anBase", pedido.anoBase);
  while (q.proxima()) {
    ItemEstabelecimento i;
    i.chave = {pedido.anoBase, std::string(q.texto(0)), std::string(q.texto(1))};
    i.nome = q.texto(2);
    i.tipoInscricao = q.texto(3);
    i.vinculos = q.texto(4);
    i.texto = TextoEstabelecimento(pedido.forma, i);
    r.itens.push_back(std::move(i));
  }
  return r;
}

ListaDeVinculos ListaVinculos(Conexao& c, const PedidoListaVinculos& pedido) {
  ListaDeVinculos r;
  if (!FonteExiste(c, pedido.origem, kTrabalhoVinculo)) return r;
  const char* chave = "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro";
  std::string ordem = "order by ";
  switch (pedido.ordem) {
    case OrdemVinculos::Pis: break;
    case OrdemVinculos::Nome: ordem += "NoEmpregado, "; break;
    case OrdemVinculos::UsoEmpresa: ordem += "TxUsoEmpregado, "; break;
  }
  ordem += chave;
  Consulta q(c, {"Select CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro,",
                 "TxUsoEmpregado", "from " + TabelaVinculos(pedido.origem),
                 "where AnBase = :anBase and CoCgcCeiEstabelecimento = :inscricao",
                 "and NuPrefixoEstabelecimento = :prefixo", ordem});
  const ChaveEstabelecimento& e = pedido.estabelecimento;
  q.defineTexto("anBase", e.anBase)
      .defineTexto("inscricao", InscricaoArmazenada(e.inscricao))
      .defineTexto("prefixo", e.prefixo);
  while (q.proxima()) {
    ItemVinculo i;
    i.chave = {e, std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2)),
               std::string(q.texto(3))};
    i.chave.estabelecimento.inscricao = InscricaoArmazenada(e.inscricao);
    i.usoEmpresa = q.texto(4);
    i.texto = TextoVinculo(pedido, i);
    r.itens.push_back(std::move(i));
  }
  return r;
}

}  // namespace vornex
