#pragma once
// Preparation of a rectifying declaration: the establishments and links the
// user chooses to re-send are copied into the work tables Te8resp, Te8emp and
// Te8vinc, which the writer then records in rectification mode.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "data/linha.h"

namespace vornex {

class Conexao;

inline constexpr std::string_view kAnoBaseRetificacao = "2004";
inline constexpr std::string_view kTituloRetificacao = "Assistente para Retificação de Declaração";
inline constexpr std::string_view kTextoErroInicioRetificacao =
    "Erro na inicialização dos arquivos para gravação de declaração.\nProcesso será interrompido";
// Shown (OK button) when one establishment lists more links than this.
inline constexpr std::size_t kLimiteVinculosLista = 8000;
inline constexpr std::string_view kTextoMuitosVinculos =
    "Pode ocorrer problemas na visualização dos dados na tela,\ndevido a quantidade de empregados cadastrados.";

// Creates Te8resp, Te8emp and Te8vinc afresh with the keys of the
// declaration tables; false when they cannot be made.
bool CriaTabelasRetificacao(Conexao& c) noexcept;

struct VinculoRetificacao {
  std::string pis;       // CoPisPasepEmpregado
  std::string admissao;  // DaAdmissaoEmpregado, ddmmyyyy
  std::string nome;      // NoEmpregado; empty when chosen by PIS/PASEP and date only
  int posicao = -1;      // item of the link list; -1 when chosen by key
};

struct EstabelecimentoRetificacao {
  std::string anBase, inscricao, prefixo;
  std::size_t posicao = 0;
  bool temEmpregados = false;  // InZemaNegEstabelecimento "0"
  bool selecionado = false;
  std::vector<VinculoRetificacao> vinculos;  // in the order they were checked
};

// The selection step's model: one entry per establishment of the base year,
// in key order.
class SelecaoRetificacao {
 public:
  // Builds the entries; "1700" when the base year has no establishment.
  NuMensagem carrega(Conexao& c);

  std::vector<EstabelecimentoRetificacao>& estabelecimentos() { return itens_; }
  const std::vector<EstabelecimentoRetificacao>& estabelecimentos() const { return itens_; }
  // Entry by registration (a 12-digit CEI or the full 14 characters) and
  // prefix; nullopt when the declaration has no such establishment.
  std::optional<std::size_t> indice(std::string_view inscricao, std::string_view prefixo) const;

  // Checking and unchecking an establishment; unchecking discards its links.
  void marca(std::size_t i, bool marcado);
  // The link row at `posicao` of the establishment's link list; a link
  // already selected keeps its one entry.
  void marcaVinculo(std::size_t i, const Linha& vinculo, int posicao);
  // Whether that link row is selected, so that a list shown again checks it.
  bool vinculoMarcado(std::size_t i, const Linha& vinculo) const;
  // Removes the first entry with that list position.
  void desmarcaVinculo(std::size_t i, int posicao);
  // The select-all box: every row of the link list, or none.
  void marcaTodosVinculos(std::size_t i, const std::vector<Linha>& vinculos);
  void desmarcaTodosVinculos(std::size_t i);
  // A link chosen by key (command line): selects its establishment too.
  void marcaVinculo(std::size_t i, std::string_view pis, std::string_view admissao, std::string_view nome);

  // Leaving an establishment: selected, with employees and no link gives
  // "1304" and takes it out of the selection.
  NuMensagem sai(std::size_t i);
  // "&Avançar >": "1301" with nothing selected, else "1304" for the first
  // selected establishment with employees and no link (which leaves the
  // selection), else "0000".
  NuMensagem confere();

  bool algumSelecionado() const;
  void LiberaSelecao();

 private:
  std::vector<EstabelecimentoRetificacao> itens_;
};

// The links of an establishment as its list shows them.
std::vector<Linha> VinculosParaRetificacao(Conexao& c, const EstabelecimentoRetificacao& e);

// Empties the three work tables and fills them: the responsible row, then
// every selected establishment in list order with its selected links.
// "1925" when an establishment or a link is no longer in the declaration,
// "1926" when the same link would be copied twice; what was copied up to
// then stays. Other database failures throw. With "1925", `ausente` (when
// given) receives what was missing: INSCRICAO/PREFIXO of an establishment,
// followed by /PISPASEP/DDMMAAAA[/NOME] for a link.
NuMensagem PreparaRetificacao(Conexao& c, const SelecaoRetificacao& selecao, std::string* ausente = nullptr);

}  // namespace vornex
