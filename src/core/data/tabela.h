#pragma once
// Row access to one table, in the terms the screens use: rows in key order,
// exact search on the leading key fields, and the post of an append, an edit
// or a deletion. An edit is made on a copy of the row; cancelling it is just
// not posting it. Statements are prepared once per connection.
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/banco.h"
#include "data/tabelas.h"

namespace vornex {

class Tabela {
 public:
  // Throws ErroBanco 8705 when no file of the connection holds the table.
  Tabela(Conexao& conexao, std::string_view nome);

  const DefinicaoTabela& definicao() const { return def_; }
  const std::vector<std::string>& chave() const { return chave_; }
  Linha novaLinha() const { return def_.novaLinha(); }

  // Every row in primary-key order (stored order for a table without key).
  std::vector<Linha> todas();
  long long conta();
  // First row, in key order, whose leading key fields equal `valores`.
  std::optional<Linha> busca(std::initializer_list<std::string_view> valores);
  std::optional<Linha> busca(const std::vector<std::string>& valores);
  // Rows whose leading key fields equal `valores`, in key order.
  std::vector<Linha> buscaTodas(const std::vector<std::string>& valores);

  // Post of an append: an existing key throws ErroBanco 9729.
  void inclui(const Linha& linha);
  // Post of an edit of `original` (located by its key; in a table without
  // key, by all its values). Answers false when the row is no longer there.
  bool altera(const Linha& original, const Linha& alterada);
  bool exclui(const Linha& linha);

 private:
  std::string ordem() const;
  std::string condicaoChave(std::size_t campos, int primeiroParametro) const;
  std::string condicaoOriginal(int primeiroParametro) const;
  void defineValores(Consulta& q, const Linha& l, int primeiroParametro) const;
  int defineOriginal(Consulta& q, const Linha& original, int primeiroParametro) const;
  std::vector<Linha> buscaTodas(const std::vector<std::string>& valores, bool soPrimeira);

  Conexao& c_;
  DefinicaoTabela def_;
  std::string alvo_;  // schema-qualified name
  std::vector<std::string> chave_;
};

}  // namespace vornex
