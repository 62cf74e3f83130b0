#pragma once
// Import of a declaration file: the file analysed into the work tables, the
// establishments chosen from it, then merged into the declaration (TE8Imp
// accounts for each one).
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "common/passagem.h"
#include "data/linha.h"
#include "declfile/importacao.h"
#include "declfile/texto_estrutura.h"

namespace vornex {

class Conexao;

// An establishment chosen by key; `nome` is how a refusal names it.
struct EscolhaImportacao {
  std::string inscricao, prefixo;
  std::string nome;
};

// An establishment that cannot be imported: `texto` says why.
struct RecusaImportacao {
  std::string_view texto;
  std::string nome;
};

struct PedidoImportacaoArquivo {
  std::filesystem::path arquivo;
  bool anoAnterior = false;  // a file of the previous base year
  bool todos = false;        // "Selecionar Todos": stops at the first prefix that cannot be imported
  std::vector<EscolhaImportacao> escolhas;
};

struct MeiosImportacao {
  AcompanhamentoPassagem* estrutura = nullptr;  // null: no progress
  AcompanhamentoPassagem* importacao = nullptr;
  // Told of each refusal as the choice is made, before the import runs.
  std::function<void(const RecusaImportacao&)> recusa;
};

struct ResultadoImportacaoArquivo {
  std::string falha;  // the file is missing or could not be copied: nothing else ran
  int estrutura = 0;  // the analyser's bits; with kAnaliseErros nothing was imported
  std::vector<ErroEstrutura> errosEstrutura;
  std::string anoOrigem;
  std::vector<ItemImportacao> itens;  // the establishments of the file
  std::string ausente;                // the `nome` of a choice not in the file: nothing was imported
  std::vector<RecusaImportacao> recusas;
  NuMensagem mensagem;  // "1301": nothing could be chosen, nothing was imported
  bool importado = false;
  ResultadoImportacao importacao;
  std::vector<Linha> linhas;  // TE8Imp
  // Some establishment was skipped because a field rule refused it.
  bool pulado = false;

  bool recusado() const { return !recusas.empty(); }
};

ResultadoImportacaoArquivo ImportaArquivo(Conexao& c, const PedidoImportacaoArquivo& pedido,
                                          const MeiosImportacao& meios);

}  // namespace vornex
