#include "data/tabela.h"

namespace vornex {

namespace {

DefinicaoTabela Resolve(Conexao& c, std::string_view nome) {
  auto arquivo = LocalizaTabela(c, nome);
  if (!arquivo)
    throw ErroBanco(kErroTabelaInexistente, DescricaoErro(kErroTabelaInexistente) + ": " + std::string(nome));
  // The system's own tables keep their registered definition (and its shared
  // Esquema); any other table is described as stored.
  if (const auto* d = DefinicaoSistema(nome); d && d->arquivo() == *arquivo) return *d;
  return DefinicaoDaTabela(c, nome);
}

long long Logico(std::string_view v, std::string_view coluna) {
  if (v == "1" || v == "true" || v == "True" || v == "TRUE" || v == "T") return 1;
  if (v.empty() || v == "0" || v == "false" || v == "False" || v == "FALSE" || v == "F") return 0;
  throw ErroBanco(kErroValorCampo, DescricaoErro(kErroValorCampo) + ": " + std::string(coluna) + " = \"" +
                                       std::string(v) + "\"");
}

}  // namespace

Tabela::Tabela(Conexao& conexao, std::string_view nome) : c_(conexao), def_(Resolve(conexao, nome)) {
  alvo_ = std::string(EsquemaBanco(def_.arquivo())) + "." + Identificador(def_.nome());
  chave_ = def_.chave();
}

std::string Tabela::ordem() const {
  if (chave_.empty()) return " ORDER BY rowid";
  std::string s = " ORDER BY ";
  for (std::size_t i = 0; i < chave_.size(); ++i) {
    if (i) s += ", ";
    s += Identificador(chave_[i]);
  }
  return s;
}

std::string Tabela::condicaoChave(std::size_t campos, int p) const {
  std::string s;
  for (std::size_t i = 0; i < campos; ++i) {
    s += i ? " AND " : " WHERE ";
    s += Identificador(chave_[i]) + " = ?" + std::to_string(p++);
  }
  return s;
}

std::string Tabela::condicaoOriginal(int p) const {
  if (!chave_.empty()) return condicaoChave(chave_.size(), p);
  std::string s;
  for (std::size_t i = 0; i < def_.campos().size(); ++i) {
    s += i ? " AND " : " WHERE ";
    s += Identificador(def_.campos()[i].nome) + " = ?" + std::to_string(p++);
  }
  return s;
}

void Tabela::defineValores(Consulta& q, const Linha& l, int p) const {
  const bool mesmoEsquema = l.esquemaCompartilhado() == def_.esquema();
  const auto& campos = def_.campos();
  for (std::size_t i = 0; i < campos.size(); ++i, ++p) {
    const std::string* v = nullptr;
    if (mesmoEsquema)
      v = &l[i];
    else if (l.esquemaCompartilhado() && l.esquema().tem(campos[i].nome))
      v = &l[campos[i].nome];
    static const std::string vazio;
    const std::string& valor = v ? *v : vazio;
    if (campos[i].tipo == TipoCampo::Logico)
      q.defineInteiro(p, Logico(valor, campos[i].nome));
    else
      q.defineTexto(p, valor);
  }
}

int Tabela::defineOriginal(Consulta& q, const Linha& original, int p) const {
  if (chave_.empty()) {
    defineValores(q, original, p);
    return p + static_cast<int>(def_.campos().size());
  }
  for (const auto& k : chave_) {
    const auto* f = def_.campo(k);
    const std::string& v = original[k];
    if (f && f->tipo == TipoCampo::Logico)
      q.defineInteiro(p++, Logico(v, k));
    else
      q.defineTexto(p++, v);
  }
  return p;
}

std::vector<Linha> Tabela::todas() {
  Consulta& q = c_.prepara("SELECT * FROM " + alvo_ + ordem());
  q.usaEsquema(def_.esquema());
  return q.todas();
}

long long Tabela::conta() { return c_.prepara("SELECT count(*) FROM " + alvo_).escalar(); }

std::vector<Linha> Tabela::buscaTodas(const std::vector<std::string>& valores, bool soPrimeira) {
  if (valores.size() > chave_.size())
    throw ErroBanco(kErroInstrucao, DescricaoErro(kErroInstrucao) + ": busca com mais campos que a chave de " +
                                        def_.nome());
  Consulta& q = c_.prepara("SELECT * FROM " + alvo_ + condicaoChave(valores.size(), 1) + ordem() +
                           (soPrimeira ? " LIMIT 1" : ""));
  q.usaEsquema(def_.esquema());
  for (std::size_t i = 0; i < valores.size(); ++i) q.defineTexto(static_cast<int>(i) + 1, valores[i]);
  return q.todas();
}

std::optional<Linha> Tabela::busca(const std::vector<std::string>& valores) {
  auto r = buscaTodas(valores, true);
  if (r.empty()) return std::nullopt;
  return std::move(r.front());
}

std::optional<Linha> Tabela::busca(std::initializer_list<std::string_view> valores) {
  return busca(std::vector<std::string>(valores.begin(), valores.end()));
}

std::vector<Linha> Tabela::buscaTodas(const std::vector<std::string>& valores) {
  return buscaTodas(valores, false);
}

void Tabela::inclui(const Linha& linha) {
  std::string sql = "INSERT INTO " + alvo_ + " VALUES (";
  for (std::size_t i = 0; i < def_.campos().size(); ++i) sql += (i ? ", ?" : "?") + std::to_string(i + 1);
  sql += ")";
  Consulta& q = c_.prepara(sql);
  defineValores(q, linha, 1);
  q.executa();
}

bool Tabela::altera(const Linha& original, const Linha& alterada) {
  std::string sql = "UPDATE " + alvo_ + " SET ";
  const auto& campos = def_.campos();
  for (std::size_t i = 0; i < campos.size(); ++i) {
    if (i) sql += ", ";
    sql += Identificador(campos[i].nome) + " = ?" + std::to_string(i + 1);
  }
  sql += condicaoOriginal(static_cast<int>(campos.size()) + 1);
  Consulta& q = c_.prepara(sql);
  defineValores(q, alterada, 1);
  defineOriginal(q, original, static_cast<int>(campos.size()) + 1);
  return q.executa() > 0;
}

bool Tabela::exclui(const Linha& linha) {
  Consulta& q = c_.prepara("DELETE FROM " + alvo_ + condicaoOriginal(1));
  defineOriginal(q, linha, 1);
  return q.executa() > 0;
}

}  // namespace vornex
