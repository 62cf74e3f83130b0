#pragma once
// Analyse-then-check: the structure of a declaration file record by record,
// its contents loaded into the work tables and checked there as a file read
// from a medium (the responsible person included, the closing date
// required) and, when asked and the check found no errors, the file written
// again from the work tables.
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "casos/verifica_grava.h"
#include "declfile/analise_estrutura.h"
#include "declfile/selo.h"

namespace vornex {

inline constexpr std::string_view kTextoArquivoInexistente =
    "O arquivo especificado não existe. Verifique o caminho e o nome do arquivo.";

// False, with `falha` saying why, when `arquivo` is not a readable regular
// file: kTextoArquivoInexistente and the path in parentheses when nothing
// has that name.
bool ArquivoParaAnalise(const std::filesystem::path& arquivo, std::string& falha);

struct PedidoAnaliseArquivo {
  std::filesystem::path arquivo;
  // Written again from the work tables onto these media (a rectification
  // when the file is one) when the check found no errors; `prossegue` and the
  // writer's progress are used, the check's progress is not.
  const MeiosGravacao* regravacao = nullptr;
  // False: the structure only (a file loaded to be browsed, not judged).
  bool verificaConteudo = true;
};

struct MeiosAnalise {
  AcompanhamentoPassagem* estrutura = nullptr;    // null: no progress
  AcompanhamentoPassagem* verificacao = nullptr;
};

struct ResultadoAnaliseArquivo {
  std::string falha;       // the file is missing or could not be copied: nothing else ran
  int estrutura = 0;       // the analyser's bits (kAnaliseErros, ...)
  long estabelecimentos = 0, vinculos = 0;
  std::vector<ErroEstrutura> errosEstrutura;  // Te8stru as the analysis left it
  // Whether the file's seal matches its content, read once the structure
  // is sound (the bits above do not depend on it).
  std::optional<ResultadoSelo> selo;
  bool verificado = false;  // the consistency check ran
  int verificacao = 0;      // its bits
  // Re-recording asked but refused: the check found errors.
  bool regravacaoRecusada = false;
  std::optional<RelatorioGravacao> regravacao;

  bool retificacao() const { return (estrutura & kAnaliseRetificacao) != 0; }
};

// Writes the analysed file again from the work tables as the analysis left
// them (a rectification when the file was one; no generation date), onto
// `meios.primeira` and the media `meios.midias` gives. `meios.prossegue` and
// the check's progress are not used.
// The work tables an assistant leaves behind when it closes, dropped in one
// transaction (those that do not exist are skipped).
void ExcluiTabelasTrabalho(Conexao& c, std::initializer_list<std::string_view> nomes);

RelatorioGravacao RegravaArquivoAnalisado(Conexao& c, bool retificacao, const MeiosGravacao& meios);

ResultadoAnaliseArquivo AnalisaEVerifica(Conexao& c, const PedidoAnaliseArquivo& pedido, const MeiosAnalise& meios);

}  // namespace vornex
