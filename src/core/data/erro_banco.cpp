#include "data/erro_banco.h"

#include <sqlite3.h>

#include <array>
#include <utility>

namespace vornex {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 22> kDescricoes{{
    {kErroSistema, "Erro interno do gerenciador de dados"},
    {kErroMemoria, "Memória insuficiente"},
    {kErroTabelaInexistente, "Tabela não encontrada"},
    {kErroCampoInexistente, "Campo não encontrado"},
    {kErroIndiceInexistente, "Índice não encontrado"},
    {kErroArquivoCorrompido, "Arquivo de dados corrompido"},
    {kErroNaoEBanco, "O arquivo não é um arquivo de dados do sistema"},
    {kErroEntradaSaida, "Erro de leitura ou gravação em disco"},
    {kErroAbreArquivo, "Não foi possível abrir o arquivo de dados"},
    {kErroDiscoCheio, "Disco cheio"},
    {kErroSomenteLeitura, "Arquivo de dados somente para leitura"},
    {kErroLimite, "Limite do gerenciador de dados excedido"},
    {kErroViolacaoChave, "Violação de chave"},
    {kErroValorCampo, "Valor fora do tamanho ou do domínio do campo"},
    {kErroCampoObrigatorio, "Campo obrigatório sem valor"},
    {kErroRegraTabela, "Operação não permitida pela regra da tabela"},
    {kErroIntegridade, "Violação de integridade"},
    {kErroInstrucao, "Instrução SQL inválida"},
    {kErroParametro, "Parâmetro desconhecido"},
    {kErroTabelaOcupada, "Tabela em uso por outro programa (Table is busy)"},
    {kErroAcessoNegado, "Acesso negado"},
    {kErroValorListaConsulta, "Valor não encontrado na lista de consulta"},
}};

constexpr std::array<std::pair<int, std::string_view>, 10> kCategorias{{
    {0x21, "Erro do sistema"},
    {0x22, "Objeto não encontrado"},
    {0x23, "Dados corrompidos"},
    {0x24, "Entrada e saída"},
    {0x25, "Limite excedido"},
    {0x26, "Violação de integridade"},
    {0x27, "Pedido inválido"},
    {0x28, "Conflito de bloqueio"},
    {0x29, "Segurança"},
    {0x2A, "Consulta"},
}};

bool Comeca(std::string_view s, std::string_view prefixo) { return s.substr(0, prefixo.size()) == prefixo; }

}  // namespace

std::string DescricaoErro(int codigo) {
  for (const auto& [c, d] : kDescricoes)
    if (c == codigo) return std::string(d);
  return "Erro desconhecido";
}

std::string DescricaoCategoria(int categoria) {
  for (const auto& [c, d] : kCategorias)
    if (c == categoria) return std::string(d);
  return "Categoria desconhecida";
}

int CodigoDoSqlite(int rc, std::string_view msg) {
  switch (rc) {
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_UNIQUE:
      return kErroViolacaoChave;
    case SQLITE_CONSTRAINT_CHECK:
      return kErroValorCampo;
    case SQLITE_CONSTRAINT_NOTNULL:
      return kErroCampoObrigatorio;
    case SQLITE_CONSTRAINT_TRIGGER:
      return kErroRegraTabela;
    case SQLITE_NOTADB:
      return kErroNaoEBanco;
    default:
      break;
  }
  switch (rc & 0xff) {
    case SQLITE_CONSTRAINT:
      return kErroIntegridade;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kErroTabelaOcupada;
    case SQLITE_CORRUPT:
      return kErroArquivoCorrompido;
    case SQLITE_NOTADB:
      return kErroNaoEBanco;
    case SQLITE_CANTOPEN:
      return kErroAbreArquivo;
    case SQLITE_IOERR:
      return kErroEntradaSaida;
    case SQLITE_FULL:
      return kErroDiscoCheio;
    case SQLITE_READONLY:
      return kErroSomenteLeitura;
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kErroAcessoNegado;
    case SQLITE_NOMEM:
      return kErroMemoria;
    case SQLITE_TOOBIG:
      return kErroLimite;
    case SQLITE_RANGE:
      return kErroParametro;
    case SQLITE_MISUSE:
      return kErroInstrucao;
    case SQLITE_ERROR:
      if (Comeca(msg, "no such table")) return kErroTabelaInexistente;
      if (Comeca(msg, "no such column")) return kErroCampoInexistente;
      if (Comeca(msg, "no such index")) return kErroIndiceInexistente;
      return kErroInstrucao;
    default:
      return kErroSistema;
  }
}

ErroBanco ErroDoSqlite(int rc, std::string_view msg, std::string_view contexto) {
  int codigo = CodigoDoSqlite(rc, msg);
  std::string texto = DescricaoErro(codigo);
  if (!contexto.empty()) {
    texto += ": ";
    texto += contexto;
  }
  if (!msg.empty()) {
    texto += " (";
    texto += msg;
    texto += ")";
  }
  return ErroBanco(codigo, texto, rc);
}

}  // namespace vornex
