#include "data/referencia.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include "common/csv.h"
#include "common/texto.h"
#include "data/tabela.h"
#include "data/tabelas.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, kNumeroReferencias> kNomes{
    "tb8MUNIC", "tb8FXCEP", "TbUf",    "tbUfCep",  "tb8CNAE", "tb8cbo",  "tb8NATJU", "tb8NACIO", "tb8INSTR",
    "tb8TPADM", "tb8TPSAL", "tb8vinc", "tb8DESL",  "Tb8raca", "tb8Afast", "tb8MSG",  "TB8BASE",  kTabelaRaizReservada};

constexpr std::array<ArquivoReferencia, 18> kArquivos{{
    {"ufs.csv", "TbUf"},
    {"municipios.csv", "tb8MUNIC"},
    {"faixas_cep_municipio.csv", "tb8FXCEP"},
    {"faixas_cep_uf.csv", "tbUfCep"},
    {"cnae10.csv", "tb8CNAE"},
    {"cbo2002.csv", "tb8cbo"},
    {"natureza_juridica.csv", "tb8NATJU"},
    {"nacionalidade.csv", "tb8NACIO"},
    {"instrucao.csv", "tb8INSTR"},
    {"tipo_admissao.csv", "tb8TPADM"},
    {"tipo_salario.csv", "tb8TPSAL"},
    {"vinculo.csv", "tb8vinc"},
    {"desligamento.csv", "tb8DESL"},
    {"raca.csv", "Tb8raca"},
    {"afastamento.csv", "tb8Afast"},
    {"data_base.csv", "TB8BASE"},
    {"catalogo.csv", "tb8MSG"},
    {"raizes_reservadas.csv", kTabelaRaizReservada},
}};

int Numero(std::string_view s) {
  int v = 0;
  auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return (r.ec == std::errc() && r.ptr == s.data() + s.size()) ? v : 0;
}

long long CarregaArquivo(Conexao& c, const DefinicaoTabela& def, const fs::path& caminho) {
  const std::string nome = caminho.filename().string();
  std::error_code ec;
  if (!fs::is_regular_file(caminho, ec))
    throw std::runtime_error("arquivo de dados não encontrado: " + caminho.string());
  auto registros = LeArquivoCsv(caminho.string());
  const auto& campos = def.campos();
  LinhaCsv esperado;
  for (const auto& f : campos) esperado.push_back(f.nome);
  if (registros.empty() || registros[0] != esperado) {
    std::string cab;
    for (const auto& f : esperado) cab += (cab.empty() ? "" : ",") + f;
    throw std::runtime_error(nome + ": o cabeçalho deve ser " + cab);
  }
  std::string sql = "INSERT INTO " + std::string(EsquemaBanco(def.arquivo())) + "." +
                    Identificador(def.nome()) + " VALUES (";
  for (std::size_t i = 0; i < campos.size(); ++i) sql += i ? ", ?" : "?";
  sql += ")";
  Transacao t(c);
  Consulta ins(c, sql);
  for (std::size_t r = 1; r < registros.size(); ++r) {
    const auto& reg = registros[r];
    auto onde = [&] { return nome + ", registro " + std::to_string(r + 1) + ": "; };
    if (reg.size() != campos.size())
      throw std::runtime_error(onde() + "esperados " + std::to_string(campos.size()) + " campos, lidos " +
                               std::to_string(reg.size()));
    for (std::size_t i = 0; i < campos.size(); ++i) {
      const int p = static_cast<int>(i) + 1;
      if (campos[i].tipo == TipoCampo::Logico) {
        const auto& v = reg[i];
        if (v == "true" || v == "1")
          ins.defineInteiro(p, 1);
        else if (v == "false" || v == "0" || v.empty())
          ins.defineInteiro(p, 0);
        else
          throw std::runtime_error(onde() + campos[i].nome + " deve ser true ou false");
      } else {
        ins.defineTexto(p, reg[i]);
      }
    }
    try {
      ins.executa();
    } catch (const ErroBanco& e) {
      throw std::runtime_error(onde() + e.what());
    }
  }
  t.confirma();
  return static_cast<long long>(registros.size()) - 1;
}

}  // namespace

std::string_view NomeTabela(Referencia r) { return kNomes[static_cast<std::size_t>(r)]; }

std::span<const ArquivoReferencia> ArquivosReferencia() { return kArquivos; }

std::vector<ResumoCarga> CarregaArquivosReferencia(Conexao& c, const fs::path& origem) {
  std::vector<ResumoCarga> r;
  for (const auto& a : kArquivos) {
    const auto* def = DefinicaoSistema(a.tabela);
    r.push_back({def->nome(), std::string(a.arquivo), CarregaArquivo(c, *def, origem / a.arquivo)});
  }
  return r;
}

// --- TabelasReferencia ---------------------------------------------------------

TabelasReferencia TabelasReferencia::Carrega(Conexao& c) {
  TabelasReferencia t;
  t.tabelas_.resize(kNumeroReferencias);
  for (int i = 0; i < kNumeroReferencias; ++i) {
    auto r = static_cast<Referencia>(i);
    // The reserved-root list came after the twenty required tables; a folder
    // without it just has no reserved roots.
    if (r == Referencia::RaizReservada && !ExisteTabela(c, NomeTabela(r))) continue;
    Tabela tab(c, NomeTabela(r));
    auto& d = t.tabelas_[static_cast<std::size_t>(i)];
    d.linhas = tab.todas();
    const std::size_t col = tab.chave().empty() ? 0 : tab.definicao().esquema()->indice(tab.chave().front());
    d.porCodigo.reserve(d.linhas.size());
    for (std::size_t k = 0; k < d.linhas.size(); ++k) d.porCodigo.emplace(d.linhas[k][col], k);
  }

  const auto& ufs = t.dados(Referencia::Uf).linhas;
  for (std::size_t k = 0; k < ufs.size(); ++k) t.porSigla_.emplace(Maiusculas(ufs[k]["SgUf"]), k);

  for (const auto& l : t.dados(Referencia::UfCep).linhas) {
    auto& u = t.ufCep_[l["CoUf"]];
    u.linhas.push_back(&l);
    u.faixas.push_back({Numero(l["CoCepInicial"]), Numero(l["CoCepFinal"])});
  }
  for (const auto& l : t.dados(Referencia::FaixaCepMunicipio).linhas)
    t.faixasMunicipio_.emplace(l["CoMunicipio"], FaixasCepMunicipio{{Numero(l["CoCep1Inicial"]), Numero(l["CoCep1Final"])},
                                                                   {Numero(l["CoCep2Inicial"]), Numero(l["CoCep2Final"])}});
  for (const auto& l : t.dados(Referencia::Cbo).linhas)
    t.indicadoresCbo_.emplace(l["CoCbo"], IndicadoresCbo{l.logico("InCriticaAna"), l.logico("InCriticaCbo")});
  for (const auto& l : t.dados(Referencia::RaizReservada).linhas) {
    t.porRaiz_.emplace(l["CoRaizCnpj"], t.raizes_.size());
    t.raizes_.push_back({l["CoRaizCnpj"], l["NoRazaoReservada"]});
  }
  return t;
}

const std::vector<Linha>& TabelasReferencia::linhas(Referencia r) const { return dados(r).linhas; }

const Linha* TabelasReferencia::busca(Referencia r, std::string_view codigo) const {
  const auto& d = dados(r);
  auto it = d.porCodigo.find(codigo);
  return it == d.porCodigo.end() ? nullptr : &d.linhas[it->second];
}

const Linha* TabelasReferencia::ufPorSigla(std::string_view sgUf) const {
  if (sgUf.size() > 8) return nullptr;
  auto it = porSigla_.find(Maiusculas(sgUf));
  return it == porSigla_.end() ? nullptr : &dados(Referencia::Uf).linhas[it->second];
}

const std::vector<const Linha*>& TabelasReferencia::linhasUfCep(std::string_view coUf) const {
  static const std::vector<const Linha*> vazio;
  auto it = ufCep_.find(coUf);
  return it == ufCep_.end() ? vazio : it->second.linhas;
}

const std::vector<FaixaCep>& TabelasReferencia::faixasCepUf(std::string_view coUf) const {
  static const std::vector<FaixaCep> vazio;
  auto it = ufCep_.find(coUf);
  return it == ufCep_.end() ? vazio : it->second.faixas;
}

std::optional<FaixasCepMunicipio> TabelasReferencia::faixasCepMunicipio(std::string_view co) const {
  auto it = faixasMunicipio_.find(co);
  if (it == faixasMunicipio_.end()) return std::nullopt;
  return it->second;
}

std::optional<IndicadoresCbo> TabelasReferencia::indicadoresCbo(std::string_view co) const {
  auto it = indicadoresCbo_.find(co);
  if (it == indicadoresCbo_.end()) return std::nullopt;
  return it->second;
}

const RaizReservada* TabelasReferencia::raizReservada(std::string_view raiz) const {
  auto it = porRaiz_.find(raiz);
  return it == porRaiz_.end() ? nullptr : &raizes_[it->second];
}

Catalogo TabelasReferencia::catalogo() const {
  Catalogo c;
  for (const auto& l : dados(Referencia::Mensagem).linhas) c.inclui({l[0], l[1], l[2]});
  return c;
}

}  // namespace vornex
