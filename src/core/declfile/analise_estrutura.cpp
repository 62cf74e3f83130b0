#include "declfile/analise_estrutura.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "common/catalogo.h"
#include "common/passagem.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"
#include "declfile/layout.h"
#include "platform/arquivo_entrada.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kBlocoCopia = 32766;
constexpr std::size_t kBlocoLeitura = 32767;
constexpr std::size_t kMinimoArquivo = 3 * kTamanhoRegistro;  // three records
constexpr char kFimArquivo = 26;                              // Ctrl-Z
constexpr std::size_t kTamanhoConteudo = 20;                  // Te8stru.Conteudo

// Ranges that must be printable in each record type (start, length). They
// span several fields, so they are the analyser's and not the layout's.
constexpr int kImprimivelZero[] = {271, 10};
constexpr int kImprimivelUm[] = {228, 38};
constexpr int kImprimivelNove[] = {36, 245};

// --- character tests (positions 1-based, ranges as start and length) --------

bool EhDigito(char c) { return c >= '0' && c <= '9'; }
bool EhImprimivel(char c) {
  const auto u = static_cast<unsigned char>(c);
  return u >= 32 && u <= 126;
}

std::string_view Faixa(std::string_view t, int inicio, int tamanho) {
  const auto i = static_cast<std::size_t>(inicio - 1);
  if (i >= t.size()) return {};
  return t.substr(i, static_cast<std::size_t>(tamanho));
}

bool SoAlgarismos(std::string_view f) { return std::all_of(f.begin(), f.end(), EhDigito); }
int PrimeiroNaoAlgarismo(std::string_view f) {
  if (f.empty()) return 0;
  return static_cast<int>(std::find_if_not(f.begin(), f.end(), EhDigito) - f.begin()) + 1;
}
bool SoImprimiveis(std::string_view f) { return std::all_of(f.begin(), f.end(), EhImprimivel); }
int PrimeiroNaoImprimivel(std::string_view f) {
  return static_cast<int>(std::find_if_not(f.begin(), f.end(), EhImprimivel) - f.begin()) + 1;
}
bool TemQuebra(std::string_view f) { return f.find_first_of("\r\n") != std::string_view::npos; }

// Delimiter kinds: 0 none, 1 CR LF, 2 LF CR, 3 CR, 4 LF. `p` is 1-based and
// the bytes looked at are p-1 and p.
char Byte(std::string_view t, std::size_t p) { return p >= 1 && p <= t.size() ? t[p - 1] : '\0'; }

int TipoDelimitador(std::string_view t, std::size_t p) {
  const char a = Byte(t, p - 1);
  const char b = Byte(t, p);
  auto quebra = [](char c) { return c == '\r' || c == '\n'; };
  if (!quebra(a) && !quebra(b)) return 0;
  if (a == '\r' && b == '\n') return 1;
  if (a == '\n' && b == '\r') return 2;
  if (a == '\r') return 3;
  if (a == '\n') return 4;
  return 0;
}

bool DelimitadorConfere(std::string_view t, std::size_t p, int tipo) {
  switch (tipo) {
    case 1: return Byte(t, p - 1) == '\r' && Byte(t, p) == '\n';
    case 2: return Byte(t, p - 1) == '\n' && Byte(t, p) == '\r';
    case 3: return Byte(t, p) == '\r';
    case 4: return Byte(t, p) == '\n';
    default: return true;
  }
}

bool EhLetra(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A letter of the file's code page is shown as that letter, in UTF-8.
std::string MostraByte(char c, bool sufixo) {
  if (EhImprimivel(c) || EhLetra(c)) return std::string(1, c);
  if (std::string letra = LetraLatin1(static_cast<unsigned char>(c)); !letra.empty()) return letra;
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto u = static_cast<unsigned char>(c);
  std::string r{kHex[u >> 4], kHex[u & 15]};
  if (sufixo) r += "(hexadecimal)";
  return r;
}

std::string ZeroFill(long long n, int largura) { return ZerosEsquerda(std::to_string(n), largura); }

bool UmOuX(std::string_view v) { return v.size() == 1 && (v[0] == '1' || Maiuscula(v[0]) == 'X'); }
bool EmBranco(std::string_view v) { return Apara(v).empty(); }

// --- how each column of a work table is loaded from its record ---------------

// The fields of a record type the analyser loads, in layout order; the
// layout says where each comes from and how it is loaded.
std::vector<CampoLayout> Carregados(TipoRegistro tipo) {
  std::vector<CampoLayout> r;
  for (const auto& c : CamposLayout(tipo))
    if (c.carga != Carga::Nenhuma) r.push_back(c);
  return r;
}

// Set apart: AnBase and CoCgcVinculado of an establishment (neither is a
// field as it stands), and the key of a link, from its establishment.
const std::vector<CampoLayout> kCargaResponsavel = Carregados(TipoRegistro::Zero);
const std::vector<CampoLayout> kCargaEstabelecimento = Carregados(TipoRegistro::Um);
const std::vector<CampoLayout> kCargaVinculo = Carregados(TipoRegistro::Dois);
const std::vector<CampoLayout> kCargaNove = Carregados(TipoRegistro::Nove);  // into the responsible row

// Zeros for a numeric field loaded without its value (at most 9 digits).
std::string_view ZerosDe(int n) { return std::string_view("000000000").substr(0, static_cast<std::size_t>(n)); }

// A value "as found" as the tables keep text: without the blanks that pad
// it to its field (a stored value never ends in spaces).
std::string_view Armazenado(std::string_view v) {
  // substr keeps a non-null pointer even when empty: a null one would bind NULL.
  const auto f = v.find_last_not_of(' ');
  return v.substr(0, f == std::string_view::npos ? 0 : f + 1);
}

// Binds one loaded value; `v` is the field's text and `n` its length.
template <class Descritor>
void Carrega(Consulta& q, int pos, const CampoLayout& c, const Descritor& d, std::string_view reg,
             bool anterior, bool semRemuneracao) {
  const std::string_view v = Armazenado(d.extrai(reg, c.slot));
  const int n = d[c.slot].tamanho;
  switch (c.carga) {
    case Carga::Nenhuma: break;
    case Carga::Encontrado: q.defineTexto(pos, v); break;
    case Carga::Aparado: q.defineTexto(pos, Apara(v)); break;
    case Carga::Logico: q.defineInteiro(pos, UmOuX(v) ? 1 : 0); break;
    case Carga::UmSenaoDois: q.defineTexto(pos, UmOuX(v) ? "1" : "2"); break;
    case Carga::UmDoisOuValor:
      q.defineTexto(pos, UmOuX(v) ? std::string_view("1") : (v == "2" || EmBranco(v)) ? std::string_view("2") : v);
      break;
    case Carga::ZerosEsquerda: q.defineTexto(pos, ZerosEsquerda(Apara(v), n)); break;
    case Carga::Remuneracao: q.defineTexto(pos, semRemuneracao ? ZerosDe(n) : v); break;
    case Carga::Porte: q.defineTexto(pos, anterior ? std::string_view("3") : v); break;
    case Carga::Pat: q.defineTexto(pos, anterior ? ZerosDe(n) : v); break;
  }
}

std::string Insercao(const char* tabela, const std::vector<CampoLayout>& cs,
                     std::initializer_list<const char*> extras) {
  std::string sql = std::string("INSERT INTO ") + tabela + " (";
  int n = 0;
  for (const auto& c : cs) sql += (n++ ? ", " : "") + std::string(c.coluna);
  for (const char* e : extras) sql += (n++ ? ", " : "") + std::string(e);
  sql += ") VALUES (";
  for (int i = 1; i <= n; ++i) sql += (i > 1 ? ", ?" : "?") + std::to_string(i);
  return sql + ")";
}

// Removes the copy of the analysed file whatever way the analysis ends.
struct CopiaTemporaria {
  fs::path caminho;
  ~CopiaTemporaria() {
    std::error_code ec;
    if (!caminho.empty()) fs::remove(caminho, ec);
  }
};

// Progress in whole percent, each value at most once and increasing.
class Progresso {
 public:
  explicit Progresso(AcompanhamentoPassagem& a) : a_(a) {}
  void em(int p) {
    if (p <= ultimo_) return;
    ultimo_ = p;
    a_.progresso(p);
  }

 private:
  AcompanhamentoPassagem& a_;
  int ultimo_ = -1;
};

}  // namespace

struct TAnaliseEstrutura::Estado {
  Conexao& c;
  Dialogos* dialogos;
  bool pedidoInterrupcao = false;
  std::string falhaCopia;
  Estado(Conexao& conexao, Dialogos* d) : c(conexao), dialogos(d) {}
};

namespace {

// One run of the analysis; all its state, so nothing leaks into the next.
class Analise {
 public:
  Analise(Conexao& c, const DescritoresAno& d, std::string ano, bool anterior, bool modoValor,
          AcompanhamentoPassagem& a, Progresso& p, bool& pedido, Dialogos* dialogos)
      : c_(c), d_(d), ano_(std::move(ano)), anterior_(anterior), modoValor_(modoValor), acomp_(a),
        progresso_(p), pedido_(pedido), dialogos_(dialogos) {}

  void executa(const fs::path& copia, std::uintmax_t tamanho);
  // Finalises the statements, so the work tables can be dropped.
  void libera() {
    for (auto* q : {&insResp_, &insEmp_, &insVinc_, &buscaEmp_, &contagens_, &pesquisa_}) q->reset();
  }

  bool erros = false;
  bool interrompida = false;
  bool retificacao = false;
  long estabelecimentos = 0;
  long vinculos = 0;
  std::vector<ErroEstrutura> linhasErro;

 private:
  enum class Qual { Anterior, Atual };

  void prepara();
  bool processa(std::string_view reg, std::size_t passo, int tipoDelim);
  bool carregaZero(std::string_view reg);
  bool carregaUm(std::string_view reg);
  bool carregaDois(std::string_view reg);
  bool carregaNove(std::string_view reg);
  void fechaEstabelecimento();
  bool interrupcaoConfirmada();

  // Rows of the first error, about the previous accepted record or the
  // current one.
  void linha(const char* numero, Qual qual, std::string_view tipoCampo, std::string posicao, std::string conteudo);
  void erroTipo(const char* numero, std::initializer_list<Qual> quais);
  // 1901 when the range (start, length) holds a byte outside 32..126.
  bool imprimivel(std::string_view reg, const int (&faixa)[2]);
  void erroComZema(const char* numero);
  std::string charTipo(std::string_view reg) const {
    return reg.size() >= static_cast<std::size_t>(kPosicaoTipo) ? MostraByte(reg[kPosicaoTipo - 1], true)
                                                                : std::string();
  }

  Conexao& c_;
  const DescritoresAno& d_;
  const std::string ano_;
  const bool anterior_;
  const bool modoValor_;
  AcompanhamentoPassagem& acomp_;
  Progresso& progresso_;
  bool& pedido_;
  Dialogos* dialogos_;

  std::optional<Consulta> insResp_, insEmp_, insVinc_, buscaEmp_, contagens_, pesquisa_;

  std::string_view atual_;     // the record being checked (up to one step)
  std::string previo_;         // the previous accepted record (or the rebuilt earlier one)
  long lidos_ = 0;             // records read
  long ultimaSequencia_ = 0;   // sequence of the last accepted record
  long esperados_ = 1;
  char tipoAnterior_ = '4';    // none yet
  std::string inscricaoAnterior_, prefixoAnterior_;
  std::string inscricaoZero_, prefixoZero_;
  // The current establishment.
  bool haEstabelecimento_ = false;
  bool semEmpregados_ = false;
  std::string anBaseEstab_, inscricaoEstab_, prefixoEstab_;
  long vinculosEstab_ = 0, estrangeirosEstab_ = 0;
};

void Analise::prepara() {
  insResp_.emplace(c_, Insercao(kTrabalhoResponsavel, kCargaResponsavel, {"InAntecipacao"}));
  insEmp_.emplace(c_, Insercao(kTrabalhoEstabelecimento, kCargaEstabelecimento, {"AnBase", "CoCgcVinculado"}));
  insVinc_.emplace(c_, Insercao(kTrabalhoVinculo, kCargaVinculo,
                                {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"}));
  buscaEmp_.emplace(c_, std::string("SELECT * FROM ") + kTrabalhoEstabelecimento +
                            " WHERE AnBase = ?1 AND CoCgcCeiEstabelecimento = ?2 AND NuPrefixoEstabelecimento = ?3");
  contagens_.emplace(c_, std::string("UPDATE ") + kTrabalhoEstabelecimento +
                             " SET NuVinculosEstabelecimento = ?1, NuEstrangeirosEstabelec = ?2"
                             " WHERE AnBase = ?3 AND CoCgcCeiEstabelecimento = ?4 AND NuPrefixoEstabelecimento = ?5");
  std::string sql = std::string("UPDATE ") + kTrabalhoResponsavel + " SET ";
  for (std::size_t i = 0; i < kCargaNove.size(); ++i)
    sql += (i ? ", " : "") + std::string(kCargaNove[i].coluna) + " = ?" + std::to_string(i + 1);
  pesquisa_.emplace(c_, sql);
}

void Analise::linha(const char* numero, Qual qual, std::string_view tipoCampo, std::string posicao,
                    std::string conteudo) {
  erros = true;
  const std::string_view reg = qual == Qual::Atual ? atual_ : std::string_view(previo_);
  ErroEstrutura e;
  e.anBase = ano_;
  e.coMsg = numero;
  const std::string_view seq = Faixa(reg, 1, 6);
  if (qual == Qual::Atual)
    e.sequencia = ZeroFill(ultimaSequencia_ + 1, 6);
  else if (std::string_view(numero) != "1902" && seq.size() == 6 && SoAlgarismos(seq))
    e.sequencia = std::string(seq);
  else
    e.sequencia = ZeroFill(ultimaSequencia_, 6);
  const std::string_view ip = Faixa(reg, 7, 16);
  if (ip.size() == 16 && SoImprimiveis(ip)) e.inscricaoPrefixo = std::string(ip);
  e.tipoCampo = std::string(tipoCampo);
  e.posicaoInicial = std::move(posicao);
  if (conteudo.size() > kTamanhoConteudo) conteudo.resize(kTamanhoConteudo);
  e.conteudo = std::move(conteudo);
  linhasErro.push_back(std::move(e));
}

void Analise::erroTipo(const char* numero, std::initializer_list<Qual> quais) {
  for (Qual q : quais) linha(numero, q, "1", {}, charTipo(q == Qual::Atual ? atual_ : std::string_view(previo_)));
}

// 1909, 1914, 1915: the previous establishment's type and employee marker,
// then the current record's type.
void Analise::erroComZema(const char* numero) {
  const int p = d_.um[21].posicao;
  linha(numero, Qual::Anterior, "1", {}, charTipo(previo_));
  linha(numero, Qual::Anterior, "2", {}, MostraByte(previo_[static_cast<std::size_t>(p - 1)], true));
  linha(numero, Qual::Atual, "1", {}, charTipo(atual_));
}

bool Analise::imprimivel(std::string_view reg, const int (&faixa)[2]) {
  const auto f = Faixa(reg, faixa[0], faixa[1]);
  if (SoImprimiveis(f)) return true;
  const int p = PrimeiroNaoImprimivel(f);
  linha("1901", Qual::Atual, "5", std::to_string(faixa[0] - 1 + p), MostraByte(f[static_cast<std::size_t>(p - 1)], true));
  return false;
}

bool Analise::interrupcaoConfirmada() {
  if (acomp_.interrompe()) return true;
  if (!pedido_) return false;
  if (dialogos_ && !ConfirmaInterrupcao(*dialogos_)) {
    pedido_ = false;
    return false;
  }
  return true;
}

void Analise::fechaEstabelecimento() {
  if (!haEstabelecimento_) return;
  // The widths of the count columns; a file cannot hold more records than
  // its six-digit sequence counts, but foreign links could pass five digits.
  contagens_->defineTexto(1, ZeroFill(std::min(vinculosEstab_, 999999L), 6))
      .defineTexto(2, ZeroFill(std::min(estrangeirosEstab_, 99999L), 5))
      .defineTexto(3, anBaseEstab_)
      .defineTexto(4, inscricaoEstab_)
      .defineTexto(5, prefixoEstab_);
  contagens_->executa();
  vinculosEstab_ = 0;
  estrangeirosEstab_ = 0;
}

bool Analise::carregaZero(std::string_view reg) {
  if (!imprimivel(reg, kImprimivelZero)) return false;
  if (lidos_ != 1 || tipoAnterior_ != '4') {
    erroTipo("1906", {Qual::Atual});
    return false;
  }
  int pos = 1;
  for (const auto& c : kCargaResponsavel) Carrega(*insResp_, pos++, c, d_.zero, reg, anterior_, false);
  insResp_->defineInteiro(pos, 0);
  insResp_->executa();
  retificacao = UmOuX(d_.zero.extrai(reg, 20));
  inscricaoZero_ = std::string(d_.zero.extrai(reg, 2));
  prefixoZero_ = std::string(d_.zero.extrai(reg, 3));
  return true;
}

bool Analise::carregaUm(std::string_view reg) {
  const TArquivo& zema = d_.um[21];
  if (const auto z = d_.um.extrai(reg, 21); !SoAlgarismos(z)) {
    linha("1922", Qual::Atual, "2", std::to_string(zema.posicao - 1 + PrimeiroNaoAlgarismo(z)),
          MostraByte(z[static_cast<std::size_t>(PrimeiroNaoAlgarismo(z) - 1)], true));
    return false;
  }
  if (!imprimivel(reg, kImprimivelUm)) return false;
  fechaEstabelecimento();

  const std::string_view inscricao = d_.um.extrai(reg, 2);
  const std::string_view prefixo = d_.um.extrai(reg, 3);
  if (tipoAnterior_ == '0' && (inscricao != inscricaoZero_ || prefixo != prefixoZero_ || lidos_ != 2)) {
    erroTipo("1908", {Qual::Anterior, Qual::Atual});
    return false;
  }
  if (tipoAnterior_ == '1') {
    if (!semEmpregados_) {
      erroComZema("1909");
      return false;
    }
    if (inscricao == inscricaoAnterior_ && prefixo == prefixoAnterior_) {
      erroTipo("1910", {Qual::Anterior, Qual::Atual});
      return false;
    }
  }
  const std::string_view anoCampo = d_.um.extrai(reg, 23);
  const std::string anBase = anterior_ ? std::string("2003") : std::string(anoCampo);
  const std::string_view esperado = anterior_ ? std::string_view("2003") : std::string_view(ano_);
  if (!SoAlgarismos(anoCampo) || anoCampo != esperado) {
    linha("1911", Qual::Atual, "5", std::to_string(d_.um[23].posicao),
          SoImprimiveis(anoCampo) ? std::string(anoCampo) : std::string());
    return false;
  }
  const std::string vinculado = "00" + std::string(d_.um.extrai(reg, 22));

  // The key as it is stored, so that the lookup finds what was loaded.
  const std::string_view prefixoArmazenado = Armazenado(prefixo);
  buscaEmp_->defineTexto(1, anBase).defineTexto(2, inscricao).defineTexto(3, prefixoArmazenado);
  if (auto anterior = buscaEmp_->primeira()) {
    // Shown as the previous record: the earlier establishment as it would be written.
    MontadorRegistros m;
    std::string r;
    m.um(*anterior, ValorInteiro((*anterior)["NuSequencialRegistro"]), r);
    previo_ = r.substr(0, kTamanhoRegistro);
    erroTipo("1910", {Qual::Anterior, Qual::Atual});
    return false;
  }
  const char zemaNeg = reg[static_cast<std::size_t>(zema.posicao - 1)];
  if (zemaNeg != '0' && zemaNeg != '1') {
    linha("1912", Qual::Atual, "2", {}, MostraByte(zemaNeg, true));
    return false;
  }

  int pos = 1;
  for (const auto& c : kCargaEstabelecimento) Carrega(*insEmp_, pos++, c, d_.um, reg, anterior_, false);
  insEmp_->defineTexto(pos, anBase).defineTexto(pos + 1, vinculado);
  insEmp_->executa();

  haEstabelecimento_ = true;
  semEmpregados_ = zemaNeg == '1';
  anBaseEstab_ = anBase;
  inscricaoEstab_ = std::string(inscricao);
  prefixoEstab_ = std::string(prefixoArmazenado);
  ++estabelecimentos;
  return true;
}

bool Analise::carregaDois(std::string_view reg) {
  const std::string_view inscricao = d_.dois.extrai(reg, 2);
  const std::string_view prefixo = d_.dois.extrai(reg, 3);
  const bool outro = inscricao != inscricaoAnterior_ || prefixo != prefixoAnterior_;
  if (tipoAnterior_ == '1') {
    if (outro) {
      if (semEmpregados_)
        erroTipo("1913", {Qual::Atual});
      else
        erroComZema("1915");
      return false;
    }
    if (semEmpregados_) {
      erroComZema("1914");
      return false;
    }
  }
  if (tipoAnterior_ == '2' && outro) {
    erroTipo("1916", {Qual::Anterior, Qual::Atual});
    return false;
  }
  if (tipoAnterior_ == '0') {
    erroTipo("1913", {Qual::Atual});
    return false;
  }
  if (d_.dois.extrai(reg, 8) != "10") ++estrangeirosEstab_;

  const bool semRemuneracao = modoValor_ && anBaseEstab_ != ano_;
  int pos = 1;
  for (const auto& c : kCargaVinculo) Carrega(*insVinc_, pos++, c, d_.dois, reg, anterior_, semRemuneracao);
  insVinc_->defineTexto(pos, anBaseEstab_).defineTexto(pos + 1, inscricaoEstab_).defineTexto(pos + 2, prefixoEstab_);
  insVinc_->executa();
  ++vinculos;
  ++vinculosEstab_;
  return true;
}

bool Analise::carregaNove(std::string_view reg) {
  if (!imprimivel(reg, kImprimivelNove)) return false;
  fechaEstabelecimento();
  if (tipoAnterior_ == '0') {
    erroTipo("1917", {Qual::Anterior, Qual::Atual});
    return false;
  }
  if (tipoAnterior_ == '1' && !semEmpregados_) {
    erroComZema("1915");
    return false;
  }
  if (d_.nove.extrai(reg, 2) != inscricaoAnterior_ || d_.nove.extrai(reg, 3) != prefixoAnterior_) {
    erroTipo("1918", {Qual::Anterior, Qual::Atual});
    return false;
  }
  auto total = [](std::string_view f) { return SoAlgarismos(f) ? ValorInteiro(f) : 0; };
  auto mostravel = [](std::string_view f) { return SoImprimiveis(f) ? std::string(f) : std::string(); };
  const std::string_view t1 = d_.nove.extrai(reg, 5);
  if (total(t1) != estabelecimentos) {
    linha("1919", Qual::Atual, "1", {}, charTipo(reg));
    linha("1919", Qual::Atual, "3", {}, mostravel(t1));
    linha("1919", Qual::Atual, "6", {}, std::to_string(estabelecimentos));
    return false;
  }
  const std::string_view t2 = d_.nove.extrai(reg, 6);
  if (total(t2) != vinculos) {
    linha("1920", Qual::Atual, "1", {}, charTipo(reg));
    linha("1920", Qual::Atual, "4", {}, mostravel(t2));
    linha("1920", Qual::Atual, "7", {}, std::to_string(vinculos));
    return false;
  }
  int pos = 1;
  for (const auto& c : kCargaNove) Carrega(*pesquisa_, pos++, c, d_.nove, reg, anterior_, false);
  pesquisa_->executa();
  return true;
}

// Steps 3 to 10 for a record with a whole step of bytes (and the byte after
// it when there is one); false ends the loop.
bool Analise::processa(std::string_view reg, std::size_t passo, int tipoDelim) {
  if (const auto r = Faixa(reg, 1, kTamanhoRegistro); TemQuebra(r)) {
    const int p = PrimeiroNaoImprimivel(r);
    linha("1923", Qual::Atual, "5", std::to_string(p), MostraByte(r[static_cast<std::size_t>(p - 1)], true));
    return false;
  }
  if (!DelimitadorConfere(reg, passo, tipoDelim)) {
    const char b351 = Byte(reg, kTamanhoRegistro + 1);
    const bool temB352 = reg.size() > kTamanhoRegistro + 1;
    const char b352 = Byte(reg, kTamanhoRegistro + 2);
    std::string conteudo = MostraByte(b351, temB352 && EhImprimivel(b352));
    if (tipoDelim == 1 || tipoDelim == 2) conteudo += MostraByte(b352, true);
    linha("1900", Qual::Atual, "5", std::to_string(kTamanhoRegistro + 1), std::move(conteudo));
    return false;
  }
  const std::string_view sequencia = d_.um.extrai(reg, 1);
  const std::string_view inscricao = d_.um.extrai(reg, 2);
  const std::string_view tipo = d_.um.extrai(reg, 4);
  auto naoNumerico = [&](std::string_view campo, int inicio, std::string_view tipoCampo, bool todo) {
    const int p = PrimeiroNaoAlgarismo(campo);
    linha("1922", Qual::Atual, tipoCampo, std::to_string(inicio - 1 + p),
          todo && SoImprimiveis(campo) ? std::string(campo)
                                       : MostraByte(campo[static_cast<std::size_t>(p - 1)], true));
  };
  if (!SoAlgarismos(sequencia)) {
    naoNumerico(sequencia, d_.um[1].posicao, "0", true);
    return false;
  }
  if (ValorInteiro(sequencia) != lidos_) {
    if (tipoAnterior_ != '4') linha("1902", Qual::Anterior, "0", {}, std::string(Faixa(previo_, 1, 6)));
    linha("1902", Qual::Atual, "0", {}, std::string(sequencia));
    return false;
  }
  if (!SoAlgarismos(inscricao)) {
    naoNumerico(inscricao, d_.um[2].posicao, "8", true);
    return false;
  }
  if (!SoAlgarismos(tipo)) {
    naoNumerico(tipo, kPosicaoTipo, "1", false);
    return false;
  }
  progresso_.em(static_cast<int>(std::min(99L, 8 + 92 * lidos_ / std::max(1L, esperados_))));
  if (interrupcaoConfirmada()) {
    interrompida = true;
    return false;
  }
  if (lidos_ == 1 && tipo[0] != '0') {
    erroTipo("1907", {Qual::Atual});
    return false;
  }
  bool ok = false;
  switch (tipo[0]) {
    case '0': ok = carregaZero(reg); break;
    case '1': ok = carregaUm(reg); break;
    case '2': ok = carregaDois(reg); break;
    case '9': ok = carregaNove(reg); break;
    default: erroTipo("1921", {Qual::Atual}); break;
  }
  if (!ok) return false;
  previo_.assign(reg.substr(0, kTamanhoRegistro));
  ultimaSequencia_ = lidos_;
  tipoAnterior_ = tipo[0];
  inscricaoAnterior_ = std::string(inscricao);
  prefixoAnterior_ = std::string(d_.um.extrai(reg, 3));
  return true;
}

void Analise::executa(const fs::path& copia, std::uintmax_t tamanho) {
  std::ifstream in(copia, std::ios::binary);
  if (!in) throw std::runtime_error("não foi possível abrir a cópia do arquivo: " + copia.string());
  const std::size_t capacidade =
      tamanho < kBlocoLeitura ? std::max<std::size_t>(static_cast<std::size_t>(tamanho) + 1, kMinimoArquivo)
                              : kBlocoLeitura;
  std::vector<char> buf(capacidade);
  std::size_t ini = 0, fim = 0;
  bool eof = false;
  // At least `n` bytes from `ini` unless the file ends first; a partial
  // record moves to the start of the buffer before the next block.
  auto garante = [&](std::size_t n) {
    if (fim - ini >= n || eof) return;
    std::memmove(buf.data(), buf.data() + ini, fim - ini);
    fim -= ini;
    ini = 0;
    while (fim < buf.size() && !eof) {
      in.read(buf.data() + fim, static_cast<std::streamsize>(buf.size() - fim));
      const auto lidos = static_cast<std::size_t>(in.gcount());
      fim += lidos;
      if (lidos == 0 || !in) eof = true;
    }
  };

  prepara();
  garante(buf.size());
  if (tamanho < kMinimoArquivo || fim < kMinimoArquivo) {
    atual_ = std::string_view(buf.data(), fim);
    lidos_ = 1;
    linha("1924", Qual::Atual, {}, {}, {});
    return;
  }
  const std::string_view inicio(buf.data(), fim);
  const int tipoDelim = TipoDelimitador(inicio, kTamanhoRegistro + 2);
  const std::size_t passo = tipoDelim == 1 || tipoDelim == 2   ? kTamanhoRegistro + 2
                            : tipoDelim == 3 || tipoDelim == 4 ? kTamanhoRegistro + 1
                                                               : kTamanhoRegistro;
  esperados_ = static_cast<long>(tamanho / passo);

  while (true) {
    garante(passo + 1);
    const std::size_t disponiveis = fim - ini;
    if (disponiveis == 0) break;
    ++lidos_;
    const std::string_view reg(buf.data() + ini, std::min(disponiveis, passo + 1));
    atual_ = reg;
    if (tipoAnterior_ == '9') {
      if (disponiveis <= passo && reg[0] == kFimArquivo) {
        ini = fim;
        break;
      }
      linha("1903", Qual::Anterior, "1", {}, charTipo(previo_));
      linha("1903", Qual::Atual, "5", "1", MostraByte(reg[0], true));
      return;
    }
    if (disponiveis < passo) {
      linha("1904", Qual::Atual, "9", {}, std::to_string(passo));
      linha("1904", Qual::Atual, "A", {}, std::to_string(disponiveis));
      return;
    }
    if (!processa(reg, passo, tipoDelim)) return;
    ini += passo;
  }
  progresso_.em(100);
  if (tipoAnterior_ != '9') erroTipo("1905", {Qual::Anterior});
}

void GravaErros(Conexao& c, const std::vector<ErroEstrutura>& linhas) {
  RecriaTabelaTrabalho(c, kTabelaEstrutura);
  Transacao t(c);
  Consulta q(c, std::string("INSERT INTO ") + kTabelaEstrutura +
                    " (AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, Conteudo)"
                    " VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  for (const auto& e : linhas) {
    q.defineTexto(1, e.anBase)
        .defineTexto(2, e.coMsg)
        .defineTexto(3, e.sequencia)
        .defineTexto(4, e.inscricaoPrefixo)
        .defineTexto(5, e.tipoCampo)
        .defineTexto(6, e.posicaoInicial)
        .defineTexto(7, e.conteudo);
    q.executa();
  }
  t.confirma();
}

// Copies in blocks, advancing the progress from 0 to 8; false on any failure.
bool Copia(const fs::path& de, const fs::path& para, std::uintmax_t tamanho, Progresso& progresso) {
  std::error_code ec;
  if (!fs::is_regular_file(de, ec)) return false;
  std::ifstream in(de, std::ios::binary);
  std::ofstream out(para, std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  std::vector<char> bloco(kBlocoCopia);
  std::uintmax_t copiados = 0;
  while (in) {
    in.read(bloco.data(), static_cast<std::streamsize>(bloco.size()));
    const auto n = in.gcount();
    if (n <= 0) break;
    out.write(bloco.data(), n);
    if (!out) return false;
    copiados += static_cast<std::uintmax_t>(n);
    if (tamanho > 0) progresso.em(static_cast<int>(8 * std::min(copiados, tamanho) / tamanho));
  }
  out.close();
  progresso.em(8);
  return !in.bad() && !out.fail();
}

}  // namespace

TAnaliseEstrutura::TAnaliseEstrutura(Conexao& conexao, Dialogos* dialogos)
    : e_(std::make_unique<Estado>(conexao, dialogos)) {}
TAnaliseEstrutura::~TAnaliseEstrutura() = default;

void TAnaliseEstrutura::InterrompeAnalise() { e_->pedidoInterrupcao = true; }
const std::string& TAnaliseEstrutura::falhaCopia() const { return e_->falhaCopia; }

int TAnaliseEstrutura::AnalisaArquivo(const fs::path& arquivo, int ano, bool modoValor,
                                      AcompanhamentoPassagem& acompanhamento, long& estabelecimentos,
                                      long& vinculos) {
  Conexao& c = e_->c;
  const TravaPastaDados trava(c);
  const DescritoresAno descritores(AnteriorAtual ? 2003 : 2004);
  e_->pedidoInterrupcao = false;
  e_->falhaCopia.clear();
  estabelecimentos = 0;
  vinculos = 0;
  Progresso progresso(acompanhamento);
  progresso.em(0);

  ExcluiTabela(c, kTabelaEstrutura);

  CopiaTemporaria copia{c.diretorio() / kCopiaAnalise};
  std::error_code ec;
  fs::remove(copia.caminho, ec);
  // A folder, FIFO or device is never read: it would fail late or block.
  const bool legivel = !VerificaArquivoEntrada(arquivo);
  const std::uintmax_t tamanho = legivel ? fs::file_size(arquivo, ec) : 0;
  if (!legivel || ec || !Copia(arquivo, copia.caminho, tamanho, progresso)) {
    e_->falhaCopia = "Ocorreu erro na cópia do arquivo " + arquivo.string();
    if (e_->dialogos) e_->dialogos->mostra(TipoDialogo::Aviso, Botoes::Ok, e_->falhaCopia);
    return kAnaliseErros;
  }

  RecriaCopiasDeclaracao(c);
  Analise a(c, descritores, std::to_string(ano), AnteriorAtual, modoValor, acompanhamento, progresso,
            e_->pedidoInterrupcao, e_->dialogos);
  try {
    Transacao t(c);
    a.executa(copia.caminho, tamanho);
    if (!a.erros && !a.interrompida) t.confirma();
  } catch (...) {
    a.libera();
    ExcluiCopiasDeclaracao(c);
    throw;
  }
  a.libera();
  estabelecimentos = a.estabelecimentos;
  vinculos = a.vinculos;
  if (a.erros || a.interrompida) ExcluiCopiasDeclaracao(c);
  if (a.erros) {
    GravaErros(c, a.linhasErro);
    return kAnaliseErros;
  }
  if (a.interrompida) return kAnaliseInterrompida;
  return a.retificacao ? kAnaliseRetificacao : 0;
}

std::vector<ErroEstrutura> LeErrosEstrutura(Conexao& conexao) {
  std::vector<ErroEstrutura> r;
  if (!ExisteTabela(conexao, kTabelaEstrutura)) return r;
  Consulta q(conexao, std::string("SELECT AnBase, CoMsg, Sequencia, InscricaoPrefixo, TipoCampo, PosicaoInicial, "
                                  "Conteudo FROM ") +
                          kTabelaEstrutura + " ORDER BY Sequencia, rowid");
  while (q.proxima())
    r.push_back({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2)),
                 std::string(q.texto(3)), std::string(q.texto(4)), std::string(q.texto(5)),
                 std::string(q.texto(6))});
  return r;
}

}  // namespace vornex
