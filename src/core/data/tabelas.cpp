#include "data/tabelas.h"

#include <algorithm>
#include <array>

#include "common/texto.h"
#include "data/banco.h"
#include "data/erro_banco.h"
#include "data/pasta_dados.h"
#include "data/tabelas_trabalho.h"

namespace vornex {

namespace {

DefinicaoCampo T(const char* nome, int tamanho) { return {nome, TipoCampo::Texto, tamanho}; }
DefinicaoCampo L(const char* nome) { return {nome, TipoCampo::Logico, 0}; }

constexpr OpcoesIndice kPrimario{true, false};
constexpr OpcoesIndice kSecundarioSemCaixa{false, true};

// Key fields are spelled as the columns are; SQL matches them without regard
// to case anyway.
constexpr std::array<IndiceRecriavel, 19> kIndices{{
    {"BD8EMP.PX", "Bd8emp", "Main", "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento", kPrimario},
    {"BD8VINC.PX", "Bd8vinc", "Main",
     "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;"
     "NoEmpregado;NuSequencialRegistro",
     kPrimario},
    {"TB8BASE.PX", "TB8BASE", "Main", "MeDataBase", kPrimario},
    {"TB8CBO.PX", "tb8cbo", "Main", "CoCbo", kPrimario},
    {"TB8CNAE.PX", "tb8CNAE", "Main", "CoCnae", kPrimario},
    {"TB8DESL.PX", "tb8DESL", "Main", "CoCausaDesligamento", kPrimario},
    {"TB8FXCEP.PX", "tb8FXCEP", "Main", "CoMunicipio", kPrimario},
    {"TB8INSTR.PX", "tb8INSTR", "Main", "CoInstrucao", kPrimario},
    {"TB8MSG.PX", "tb8MSG", "Main", "NuMensagem", kPrimario},
    {"TB8MUNIC.PX", "tb8MUNIC", "Main", "CoMunicipio", kPrimario},
    {"TB8NACIO.PX", "tb8NACIO", "Main", "CoNacionalidade", kPrimario},
    {"TB8RACA.PX", "Tb8raca", "Main", "CoRaca", kPrimario},
    {"TB8TPADM.PX", "tb8TPADM", "Main", "CoTipoAdmissao", kPrimario},
    {"TB8TPSAL.PX", "tb8TPSAL", "Main", "CoTipoSalarioContratual", kPrimario},
    {"TBUF.PX", "TbUf", "Main", "CoUf;SgUf", kPrimario},
    {"TBUF.XG0", "TbUf", "ISgUf", "SgUf", kSecundarioSemCaixa},
    {"TB8VINC.PX", "tb8vinc", "Main", "CoVinculo", kPrimario},
    {"TB8NATJU.PX", "tb8NATJU", "Main", "CoNaturezaJuridica", kPrimario},
    {"TB8AFAST.PX", "tb8Afast", "Main", "CoAfastamento", kPrimario},
}};

constexpr std::array<std::string_view, 20> kObrigatorias{
    "Bd8emp",   "Bd8vinc",  "BD8Resp",  "TB8BASE",  "tb8cbo",   "tb8CNAE",  "tb8DESL",
    "tb8FXCEP", "tb8INSTR", "tb8MSG",   "tb8MUNIC", "tb8NACIO", "Tb8raca",  "tb8TPADM",
    "tb8TPSAL", "TbUf",     "tbUfCep",  "tb8vinc",  "tb8Afast", "tb8NATJU"};

std::vector<DefinicaoIndice> IndicesDe(std::string_view tabela) {
  std::vector<DefinicaoIndice> r;
  for (const auto& i : kIndices)
    if (i.tabela == tabela)
      r.push_back({std::string(i.arquivo), std::string(i.nome), std::string(i.campos), i.opcoes});
  return r;
}

DefinicaoTabela Def(const char* nome, ArquivoDados arquivo, std::vector<DefinicaoCampo> campos,
                    int maximoLinhas = 0) {
  return DefinicaoTabela(nome, arquivo, std::move(campos), IndicesDe(nome), maximoLinhas);
}

std::vector<DefinicaoTabela> MontaDefinicoes() {
  using enum ArquivoDados;
  std::vector<DefinicaoTabela> d;
  d.push_back(Def("Bd8emp", Declaracao,
                  {T("AnBase", 4),
                   T("CoCgcCeiEstabelecimento", 14),
                   T("NuPrefixoEstabelecimento", 2),
                   T("CoCgcVinculado", 14),
                   T("NoRazaoEstabelecimento", 52),
                   T("EdEstabelecimento", 40),
                   T("NuEnderecoEstabelecimento", 6),
                   T("TxComplemEstabelecimento", 21),
                   T("NoBairroEstabelecimento", 19),
                   T("CoCepEstabelecimento", 8),
                   T("CoMunicipio", 7),
                   T("NoMunicEstabelecimento", 30),
                   T("SgUf", 2),
                   T("NuDDD", 2),
                   T("NuTelefone", 8),
                   T("CoCnae", 5),
                   T("CoNaturezaJuridica", 4),
                   T("NuProprietEstabelecimento", 2),
                   T("MeDataBase", 2),
                   T("InInscrEstabelecimento", 1),
                   T("InZemaNegEstabelecimento", 1),
                   T("TxUsoEstabelecimento", 12),
                   T("NuVinculosEstabelecimento", 6),
                   T("NuEstrangeirosEstabelec", 5),
                   T("InOpcaoAberta", 1),
                   T("NuSequencialRegistro", 6),
                   T("InPorte", 1),
                   T("InOptanteSimples", 1),
                   T("InEncerramentoAtividade", 1),
                   T("DaEncerramentoAtividade", 8),
                   L("InAvisoCnae"),
                   T("InParticipaPAT", 1),
                   T("NuVinculoPatMaior5", 6),
                   T("NuVinculoPatMenor5", 6),
                   T("PoAdmCozinha", 3),
                   T("PoServicoProprio", 3),
                   T("PoRefeicaoConvenio", 3),
                   T("PoRefeicaoTransportadora", 3),
                   T("PoCestaAlimento", 3),
                   T("PoAlimentacaoConvenio", 3),
                   T("TxEmailEstabelecimento", 45)}));
  d.push_back(Def("Bd8vinc", Declaracao,
                  {T("AnBase", 4),
                   T("CoCgcCeiEstabelecimento", 14),
                   T("NuPrefixoEstabelecimento", 2),
                   T("CoPisPasepEmpregado", 11),
                   T("DaAdmissaoEmpregado", 8),
                   T("NoEmpregado", 30),
                   T("NuSequencialRegistro", 6),
                   T("DaNascimentoEmpregado", 8),
                   T("CoNacionalidade", 2),
                   T("AnChegadaEmpregado", 4),
                   T("CoInstrucao", 1),
                   T("NuCartTrabEmpregado", 11),
                   T("CoCpfEmpregado", 11),
                   T("CoTipoAdmissao", 1),
                   T("VaSalContratualEmpregado", 9),
                   T("CoTipoSalarioContratual", 1),
                   T("HoSemanaisEmpregado", 2),
                   T("CoCbo", 6),
                   T("CoVinculo", 2),
                   T("CoCausaDesligamento", 2),
                   T("DaDesligamentoEmpregado", 4),
                   T("VaJaneiroEmpregado", 9),
                   T("VaFevereiroEmpregado", 9),
                   T("VaMarcoEmpregado", 9),
                   T("VaAbrilEmpregado", 9),
                   T("VaMaioEmpregado", 9),
                   T("VaJunhoEmpregado", 9),
                   T("VaJulhoEmpregado", 9),
                   T("VaAgostoEmpregado", 9),
                   T("VaSetembroEmpregado", 9),
                   T("VaOutubroEmpregado", 9),
                   T("VaNovembroEmpregado", 9),
                   T("VaDezembroEmpregado", 9),
                   T("Me13AdiantamentoEmpregado", 2),
                   T("Va13AdiantamentoEmpregado", 9),
                   T("Me13ParcelaFinalEmpregado", 2),
                   T("Va13ParcelaFinalEmpregado", 9),
                   T("TxUsoEmpregado", 12),
                   T("CoTipoRaca", 1),
                   T("InDeficienteFisico", 1),
                   T("VaAvisoPrevioEmpregado", 9),
                   T("InAlvaraEmpregado", 1),
                   T("InSexo", 1),
                   T("CoMotivoPrimAfas", 2),
                   T("DaInicioprimeiroAfas", 4),
                   T("DaFinalPrimeiroAfas", 4),
                   T("CoMotivoSeguAfas", 2),
                   T("DaInicioSegundoAfas", 4),
                   T("DaFinalSegundoAfas", 4),
                   T("CoMotivoTercAfas", 2),
                   T("DaInicioTerceiroAfas", 4),
                   T("DaFinalTerceiroAfas", 4),
                   T("QtDiasAfas", 3),
                   T("CoMotivoAfastamento", 2)}));
  d.push_back(Def("BD8Resp", Declaracao,
                  {T("CoCgcCeiResponsavel", 14),
                   T("InInscrResponsavel", 1),
                   T("NoResponsavelArquivo", 40),
                   T("EdLogradouroRespArquivo", 40),
                   T("NuLogradouroRespArquivo", 6),
                   T("TxComplementoRespArquivo", 21),
                   T("NoBairroRespArquivo", 19),
                   T("CoCepRespArquivo", 8),
                   T("CoMunicipioRespArquivo", 7),
                   T("NoMunicipioRespArquivo", 30),
                   T("SgUfRespArquivo", 2),
                   T("NuFoneDDD", 2),
                   T("NuFoneAssinante", 8),
                   T("TxEMailRespArquivo", 45),
                   L("InReciboParaRespArquivo"),
                   L("InRetificacao"),
                   T("DaRetificacao", 8),
                   L("InAntecipacao"),
                   T("DaGeracao", 8),
                   L("InDicasSemEmpregados"),
                   L("InDicas"),
                   T("NuRespostaPesquisa", 48),
                   T("HoSenha", 6)},
                  1));
  // TB8BASE's name column is never read; 10 characters hold every month name.
  d.push_back(Def("TB8BASE", Referencia, {T("MeDataBase", 2), T("NoMes", 10)}));
  d.push_back(
      Def("tb8cbo", Referencia, {T("CoCbo", 6), T("NoCbo", 200), L("InCriticaAna"), L("InCriticaCbo")}));
  d.push_back(Def("tb8CNAE", Referencia, {T("CoCnae", 5), T("NoCnae", 200)}));
  d.push_back(Def("tb8DESL", Referencia, {T("CoCausaDesligamento", 2), T("NoCausaDesligamento", 190)}));
  d.push_back(Def("tb8FXCEP", Referencia,
                  {T("CoMunicipio", 7), T("CoCep1Inicial", 5), T("CoCep1Final", 5), T("CoCep2Inicial", 5),
                   T("CoCep2Final", 5)}));
  d.push_back(Def("tb8INSTR", Referencia, {T("CoInstrucao", 1), T("NoInstrucao", 150)}));
  d.push_back(Def("tb8MSG", Referencia, {T("NuMensagem", 4), T("TpMensagem", 5), T("TxMensagem", 200)}));
  d.push_back(Def("tb8MUNIC", Referencia,
                  {T("CoMunicipio", 7), T("NoMunicipio", 40), T("CoCep", 5), T("InFaixa", 1)}));
  d.push_back(Def("tb8NACIO", Referencia, {T("CoNacionalidade", 2), T("NoNacionalidade", 30)}));
  d.push_back(Def("Tb8raca", Referencia, {T("CoRaca", 1), T("NoRaca", 30)}));
  d.push_back(Def("tb8TPADM", Referencia, {T("CoTipoAdmissao", 1), T("NoTipoAdmissao", 190)}));
  d.push_back(
      Def("tb8TPSAL", Referencia, {T("CoTipoSalarioContratual", 1), T("NoTipoSalarioContratual", 10)}));
  d.push_back(Def("TbUf", Referencia, {T("CoUf", 2), T("SgUf", 2), T("NoUf", 19)}));
  d.push_back(Def("tbUfCep", Referencia,
                  {T("CoUf", 2), T("IdUf", 1), T("CoCepInicial", 5), T("CoCepFinal", 5)}));
  d.push_back(Def("tb8vinc", Referencia, {T("CoVinculo", 2), T("NoVinculo", 150)}));
  d.push_back(Def("tb8Afast", Referencia, {T("CoAfastamento", 2), T("NoAfastamento", 50)}));
  d.push_back(Def("tb8NATJU", Referencia, {T("CoNaturezaJuridica", 4), T("NoNaturezaJuridica", 100)}));
  // Reserved CNPJ roots of CriticaRazaoSocial: root (8 digits) and the first
  // 15 upper-case characters of the legal name that must go with it.
  d.push_back(DefinicaoTabela(kTabelaRaizReservada, Referencia,
                              {T("CoRaizCnpj", 8), T("NoRazaoReservada", 15)},
                              {{"TB8RAIZRESERVADA.PX", "Main", "CoRaizCnpj", kPrimario}}));
  return d;
}

std::vector<std::string> EsquemasAbertos(Conexao& c) {
  std::vector<std::string> r;
  Consulta q(c, "SELECT name FROM pragma_database_list ORDER BY seq");
  while (q.proxima()) r.emplace_back(q.texto(0));
  return r;
}

std::optional<ArquivoDados> ArquivoDoEsquema(std::string_view esquema) {
  for (auto a : {ArquivoDados::Declaracao, ArquivoDados::Referencia, ArquivoDados::Trabalho})
    if (IgualSemCaixa(EsquemaBanco(a), esquema)) return a;
  return std::nullopt;
}

// Exact stored spelling of a table's name in a schema; empty when absent.
std::string NomeGuardado(Conexao& c, std::string_view esquema, std::string_view tipo, std::string_view nome) {
  Consulta q(c, "SELECT name FROM " + Identificador(esquema) +
                    ".sqlite_master WHERE type = ?1 AND name = ?2 COLLATE NOCASE");
  q.defineTexto(1, tipo).defineTexto(2, nome);
  auto l = q.primeira();
  return l ? (*l)[0] : std::string();
}

[[noreturn]] void TabelaInexistente(std::string_view tabela) {
  throw ErroBanco(kErroTabelaInexistente, DescricaoErro(kErroTabelaInexistente) + ": " + std::string(tabela));
}

std::string DdlCampo(const DefinicaoCampo& f) {
  std::string n = Identificador(f.nome);
  if (f.tipo == TipoCampo::Logico) return n + " BOOLEAN NOT NULL DEFAULT 0 CHECK (" + n + " IN (0, 1))";
  if (f.tamanho <= 0) return n + " TEXT NOT NULL DEFAULT ''";
  std::string t = std::to_string(f.tamanho);
  return n + " CHAR(" + t + ") NOT NULL DEFAULT '' CHECK (length(" + n + ") <= " + t + ")";
}

}  // namespace

std::vector<std::string> SeparaCampos(std::string_view campos) {
  std::vector<std::string> r;
  std::size_t i = 0;
  while (i <= campos.size()) {
    std::size_t f = campos.find(';', i);
    if (f == std::string_view::npos) f = campos.size();
    auto campo = campos.substr(i, f - i);
    while (!campo.empty() && campo.front() == ' ') campo.remove_prefix(1);
    while (!campo.empty() && campo.back() == ' ') campo.remove_suffix(1);
    if (!campo.empty()) r.emplace_back(campo);
    i = f + 1;
  }
  return r;
}

std::string_view EsquemaBanco(ArquivoDados a) {
  switch (a) {
    case ArquivoDados::Declaracao:
      return "main";
    case ArquivoDados::Referencia:
      return "referencia";
    case ArquivoDados::Trabalho:
      return "trabalho";
  }
  return "main";
}

std::string_view NomeArquivoDados(ArquivoDados a) {
  switch (a) {
    case ArquivoDados::Declaracao:
      return kArquivoDeclaracao;
    case ArquivoDados::Referencia:
      return kArquivoReferencia;
    case ArquivoDados::Trabalho:
      return kArquivoTrabalho;
  }
  return kArquivoDeclaracao;
}

// --- DefinicaoTabela -----------------------------------------------------------

DefinicaoTabela::DefinicaoTabela(std::string nome, ArquivoDados arquivo, std::vector<DefinicaoCampo> campos,
                                 std::vector<DefinicaoIndice> indices, int maximoLinhas)
    : nome_(std::move(nome)),
      arquivo_(arquivo),
      campos_(std::move(campos)),
      indices_(std::move(indices)),
      maximoLinhas_(maximoLinhas) {
  std::vector<std::string> nomes;
  nomes.reserve(campos_.size());
  for (const auto& c : campos_) nomes.push_back(c.nome);
  esquema_ = std::make_shared<const Esquema>(std::move(nomes));
}

const DefinicaoCampo* DefinicaoTabela::campo(std::string_view nome) const {
  for (const auto& c : campos_)
    if (IgualSemCaixa(c.nome, nome)) return &c;
  return nullptr;
}

const DefinicaoIndice* DefinicaoTabela::indicePrimario() const {
  for (const auto& i : indices_)
    if (i.opcoes.primario) return &i;
  return nullptr;
}

std::vector<std::string> DefinicaoTabela::chave() const {
  std::vector<std::string> r;
  if (const auto* p = indicePrimario())
    for (auto& f : SeparaCampos(p->campos)) {
      const auto* c = campo(f);
      r.push_back(c ? c->nome : f);
    }
  return r;
}

Linha DefinicaoTabela::novaLinha() const {
  Linha l(esquema_);
  for (std::size_t i = 0; i < campos_.size(); ++i)
    if (campos_[i].tipo == TipoCampo::Logico) l[i] = "0";
  return l;
}

// --- registry ------------------------------------------------------------------

const std::vector<DefinicaoTabela>& DefinicoesSistema() {
  static const std::vector<DefinicaoTabela> d = MontaDefinicoes();
  return d;
}

const DefinicaoTabela* DefinicaoSistema(std::string_view nome) {
  for (const auto& d : DefinicoesSistema())
    if (IgualSemCaixa(d.nome(), nome)) return &d;
  return nullptr;
}

std::span<const std::string_view> TabelasObrigatorias() { return kObrigatorias; }
std::span<const IndiceRecriavel> IndicesRecriaveis() { return kIndices; }

const IndiceRecriavel* IndiceRecriavelDe(std::string_view arquivo) {
  for (const auto& i : kIndices)
    if (IgualSemCaixa(i.arquivo, arquivo)) return &i;
  return nullptr;
}

// --- structure operations ------------------------------------------------------

std::optional<ArquivoDados> LocalizaTabela(Conexao& c, std::string_view tabela) {
  // A table of the system lives in its own file only: one of the same name
  // elsewhere (a crafted declaration file) is never taken for it.
  if (const auto* d = DefinicaoSistema(tabela))
    return ExisteTabela(c, tabela, d->arquivo()) ? std::optional(d->arquivo()) : std::nullopt;
  if (TabelaDeTrabalho(tabela))
    return ExisteTabela(c, tabela, ArquivoDados::Trabalho) ? std::optional(ArquivoDados::Trabalho) : std::nullopt;
  for (const auto& e : EsquemasAbertos(c)) {
    auto a = ArquivoDoEsquema(e);
    if (a && !NomeGuardado(c, e, "table", tabela).empty()) return a;
  }
  return std::nullopt;
}

bool ExisteTabela(Conexao& c, std::string_view tabela) { return LocalizaTabela(c, tabela).has_value(); }

bool ExisteTabela(Conexao& c, std::string_view tabela, ArquivoDados arquivo) {
  std::string_view esquema = EsquemaBanco(arquivo);
  for (const auto& e : EsquemasAbertos(c))
    if (IgualSemCaixa(e, esquema)) return !NomeGuardado(c, e, "table", tabela).empty();
  return false;
}

bool ExisteIndice(Conexao& c, std::string_view arquivoIndice) {
  for (const auto& e : EsquemasAbertos(c))
    if (ArquivoDoEsquema(e) && !NomeGuardado(c, e, "index", arquivoIndice).empty()) return true;
  return false;
}

std::string ArquivoDoIndice(Conexao& c, std::string_view tabela, const DefinicaoIndice& indice) {
  if (!indice.arquivo.empty()) return Maiusculas(indice.arquivo);
  std::string base = Maiusculas(tabela);
  if (indice.opcoes.primario) return base + ".PX";
  for (int n = 0;; ++n) {
    std::string a = base + ".XG" + std::to_string(n);
    if (!ExisteIndice(c, a)) return a;
  }
}

void AdicionaIndice(Conexao& c, std::string_view tabela, const DefinicaoIndice& indice) {
  auto arquivo = LocalizaTabela(c, tabela);
  if (!arquivo) TabelaInexistente(tabela);
  auto campos = SeparaCampos(indice.campos);
  if (campos.empty())
    throw ErroBanco(kErroInstrucao, DescricaoErro(kErroInstrucao) + ": índice sem campos: " + indice.campos);
  // A quoted name that is not a column would be taken as a text constant and
  // index nothing: every field must be a column of the table.
  {
    Consulta q(c, "SELECT count(*) FROM pragma_table_info(?1, ?2) WHERE name = ?3 COLLATE NOCASE");
    q.defineTexto(1, NomeGuardado(c, std::string(EsquemaBanco(*arquivo)), "table", tabela))
        .defineTexto(2, EsquemaBanco(*arquivo));
    for (const auto& campo : campos) {
      q.defineTexto(3, campo);
      if (q.escalar() == 0)
        throw ErroBanco(kErroCampoInexistente,
                        DescricaoErro(kErroCampoInexistente) + ": " + std::string(tabela) + "." + campo);
    }
  }
  std::string sql = indice.opcoes.primario ? "CREATE UNIQUE INDEX " : "CREATE INDEX ";
  sql += std::string(EsquemaBanco(*arquivo)) + "." + Identificador(ArquivoDoIndice(c, tabela, indice));
  sql += " ON " + Identificador(tabela) + " (";
  for (std::size_t i = 0; i < campos.size(); ++i) {
    if (i) sql += ", ";
    sql += Identificador(campos[i]);
    if (indice.opcoes.semCaixa) sql += " COLLATE NOCASE";
  }
  sql += ")";
  c.executa(sql);
}

void ExcluiIndice(Conexao& c, std::string_view arquivoIndice) {
  for (const auto& e : EsquemasAbertos(c))
    if (ArquivoDoEsquema(e))
      c.executa("DROP INDEX IF EXISTS " + Identificador(e) + "." + Identificador(arquivoIndice));
}

void ExcluiTabela(Conexao& c, std::string_view tabela) {
  if (auto a = LocalizaTabela(c, tabela))
    c.executa("DROP TABLE " + std::string(EsquemaBanco(*a)) + "." + Identificador(tabela));
}

void CriaTabela(Conexao& c, const DefinicaoTabela& def, bool comIndices) {
  std::string esquema(EsquemaBanco(def.arquivo()));
  std::string nome = Identificador(def.nome());
  std::string sql = "CREATE TABLE " + esquema + "." + nome + " (";
  for (std::size_t i = 0; i < def.campos().size(); ++i) {
    if (i) sql += ", ";
    sql += DdlCampo(def.campos()[i]);
  }
  sql += ")";
  Transacao t(c);
  c.executa(sql);
  if (def.maximoLinhas() > 0) {
    std::string n = std::to_string(def.maximoLinhas());
    c.executa("CREATE TRIGGER " + esquema + "." + Identificador(Maiusculas(def.nome()) + ".MAXIMO") +
              " BEFORE INSERT ON " + nome + " WHEN (SELECT count(*) FROM " + nome + ") >= " + n +
              " BEGIN SELECT RAISE(ABORT, 'a tabela " + def.nome() + " admite no máximo " + n +
              " linha(s)'); END");
  }
  if (comIndices)
    for (const auto& i : def.indices()) AdicionaIndice(c, def.nome(), i);
  t.confirma();
}

DefinicaoTabela DefinicaoDaTabela(Conexao& c, std::string_view tabela) {
  auto arquivo = LocalizaTabela(c, tabela);
  if (!arquivo) TabelaInexistente(tabela);
  std::string esquema(EsquemaBanco(*arquivo));
  std::string nome = NomeGuardado(c, esquema, "table", tabela);

  std::vector<DefinicaoCampo> campos;
  Consulta qc(c, "SELECT name, type FROM pragma_table_info(?1, ?2) ORDER BY cid");
  qc.defineTexto(1, nome).defineTexto(2, esquema);
  while (qc.proxima()) {
    DefinicaoCampo f{std::string(qc.texto(0)), TipoCampo::Texto, 0};
    std::string tipo = Maiusculas(qc.texto(1));
    if (tipo == "BOOLEAN") {
      f.tipo = TipoCampo::Logico;
    } else if (tipo.starts_with("CHAR(") && tipo.ends_with(")")) {
      try {
        f.tamanho = std::stoi(tipo.substr(5, tipo.size() - 6));
      } catch (const std::exception&) {
        f.tamanho = 0;
      }
    }
    campos.push_back(std::move(f));
  }

  std::vector<DefinicaoIndice> indices;
  Consulta qi(c, "SELECT name, \"unique\" FROM pragma_index_list(?1, ?2) ORDER BY name");
  qi.defineTexto(1, nome).defineTexto(2, esquema);
  std::vector<std::pair<std::string, bool>> nomes;
  while (qi.proxima()) nomes.emplace_back(std::string(qi.texto(0)), qi.inteiro(1) != 0);
  for (const auto& [n, unico] : nomes) {
    if (n.starts_with("sqlite_")) continue;
    DefinicaoIndice d;
    d.arquivo = n;
    d.opcoes.primario = unico;
    Consulta qx(c, "SELECT name, coll FROM pragma_index_xinfo(?1, ?2) WHERE key = 1 ORDER BY seqno");
    qx.defineTexto(1, n).defineTexto(2, esquema);
    while (qx.proxima()) {
      if (!d.campos.empty()) d.campos += ';';
      d.campos += qx.texto(0);
      if (IgualSemCaixa(qx.texto(1), "NOCASE")) d.opcoes.semCaixa = true;
    }
    const auto* r = IndiceRecriavelDe(n);
    d.nome = r ? std::string(r->nome) : (unico ? "Main" : n);
    indices.push_back(std::move(d));
  }
  std::stable_partition(indices.begin(), indices.end(),
                        [](const DefinicaoIndice& i) { return i.opcoes.primario; });
  const auto* sistema = DefinicaoSistema(nome);
  return DefinicaoTabela(nome, *arquivo, std::move(campos), std::move(indices),
                         sistema ? sistema->maximoLinhas() : 0);
}

void CopiaEstruturaTabela(Conexao& c, std::string_view origem, std::string_view destino, bool comIndices) {
  if (DefinicaoSistema(destino) != nullptr)
    throw ErroBanco(kErroInstrucao, DescricaoErro(kErroInstrucao) +
                                        ": uma tabela do sistema não pode ser substituída: " +
                                        std::string(destino));
  DefinicaoTabela fonte = DefinicaoDaTabela(c, origem);
  std::vector<DefinicaoIndice> indices;
  if (comIndices) {
    for (auto i : fonte.indices()) {
      auto ponto = i.arquivo.rfind('.');
      std::string sufixo = ponto == std::string::npos ? (i.opcoes.primario ? ".PX" : "") : i.arquivo.substr(ponto);
      i.arquivo = sufixo.empty() ? std::string() : Maiusculas(destino) + sufixo;
      indices.push_back(std::move(i));
    }
  }
  DefinicaoTabela alvo(std::string(destino), ArquivoDados::Trabalho, fonte.campos(), std::move(indices));
  Transacao t(c);
  c.executa("DROP TABLE IF EXISTS " + std::string(EsquemaBanco(ArquivoDados::Trabalho)) + "." +
            Identificador(destino));
  CriaTabela(c, alvo, comIndices);
  t.confirma();
}

bool CopiaEstruturaTabelaOk(Conexao& c, std::string_view origem, std::string_view destino,
                            bool comIndices) noexcept {
  try {
    CopiaEstruturaTabela(c, origem, destino, comIndices);
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace vornex
