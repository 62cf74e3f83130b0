#pragma once
// The establishment and link lists of the assistants (consistency check,
// writing, rectification, import, exclusion, transfer, report): one query
// each, every item carrying its key beside the text shown, so a chosen item
// is never parsed back out of its text.
#include <string>
#include <vector>

#include "data/declaracao.h"

namespace vornex {

class Conexao;

// The user's own tables (Bd8emp, Bd8vinc) or the copies read from a file
// (Te8emp, Te8vinc).
enum class OrigemLista { Declaracao, Trabalho };

// How an establishment line is laid out (the registration formatted by its
// type and padded or cut to 18 in every form).
enum class FormaItemEstabelecimento {
  Simples,      // registration, 2 blanks, prefix, 2 blanks, name
  ComVinculos,  // registration, 2 blanks, prefix, 2 blanks, name in 30, 2 blanks, link count
  Relatorio,    // registration, 4 blanks, prefix, 4 blanks, name
};

struct PedidoListaEstabelecimentos {
  std::string anoBase = "2004";
  OrigemLista origem = OrigemLista::Declaracao;
  bool somenteComEmpregados = false;  // only InZemaNegEstabelecimento = "0"
  FormaItemEstabelecimento forma = FormaItemEstabelecimento::Simples;
};

struct ItemEstabelecimento {
  ChaveEstabelecimento chave;
  std::string tipoInscricao;  // InInscrEstabelecimento
  std::string nome;           // NoRazaoEstabelecimento
  std::string vinculos;       // NuVinculosEstabelecimento, as stored
  std::string texto;          // the line shown
};

struct ListaDeEstabelecimentos {
  std::vector<ItemEstabelecimento> itens;  // by registration, then prefix
};

// A missing work table is an empty list.
ListaDeEstabelecimentos ListaEstabelecimentos(Conexao& c, const PedidoListaEstabelecimentos& pedido);

// The full stored key of a link.
struct ChaveVinculo {
  ChaveEstabelecimento estabelecimento;
  std::string pis;         // CoPisPasepEmpregado
  std::string admissao;    // DaAdmissaoEmpregado, ddmmaaaa
  std::string nome;        // NoEmpregado
  std::string sequencial;  // NuSequencialRegistro
};

enum class OrdemVinculos { Pis, Nome, UsoEmpresa };

struct PedidoListaVinculos {
  ChaveEstabelecimento estabelecimento;
  OrigemLista origem = OrigemLista::Declaracao;
  OrdemVinculos ordem = OrdemVinculos::Pis;
  // The report assistant's lines end with the company-use text.
  bool comUsoEmpresa = false;
};

struct ItemVinculo {
  ChaveVinculo chave;
  std::string usoEmpresa;  // TxUsoEmpregado
  std::string texto;
};

struct ListaDeVinculos {
  std::vector<ItemVinculo> itens;
};

// The lines, by the order asked (ties in key order):
//   Pis         PIS/PASEP, admission DD/MM/AAAA, name [in 30, company use]
//   Nome        name in 30, PIS/PASEP, admission [, company use]
//   UsoEmpresa  company use in 13, PIS/PASEP, admission, name
// each column two blanks from the next.
ListaDeVinculos ListaVinculos(Conexao& c, const PedidoListaVinculos& pedido);

// The keys of the checked items, in list order; `marcados` holds one mark
// per item (missing marks count as unchecked).
template <typename Item>
auto LinhasMarcadas(const std::vector<Item>& itens, const std::vector<bool>& marcados) {
  std::vector<decltype(Item::chave)> r;
  for (std::size_t i = 0; i < itens.size() && i < marcados.size(); ++i)
    if (marcados[i]) r.push_back(itens[i].chave);
  return r;
}

}  // namespace vornex
