#include "declfile/layout.h"

#include <cstring>
#include <stdexcept>

#include "common/texto.h"
#include "common/versao.h"

namespace vornex {

std::span<const CampoLayout> CamposLayout(TipoRegistro tipo) {
  switch (tipo) {
    case TipoRegistro::Zero: return kLayoutTipoZero;
    case TipoRegistro::Um: return kLayoutTipoUm;
    case TipoRegistro::Dois: return kLayoutTipoDois;
    case TipoRegistro::Nove: return kLayoutTipoNove;
  }
  throw std::invalid_argument("tipo de registro desconhecido");
}

// ---------------------------------------------------------------------------
// Descriptors

std::string_view Campo(std::string_view registro, const TArquivo& campo) {
  if (campo.posicao <= 0 || campo.tamanho <= 0 || campo.tamanho > 256) return {};
  const auto inicio = static_cast<std::size_t>(campo.posicao - 1);
  if (inicio >= registro.size()) return {};
  return registro.substr(inicio, static_cast<std::size_t>(campo.tamanho));
}

template <int N>
TArquivoZema<N>::TArquivoZema(TipoRegistro tipo, int ano) {
  if (ano != 2004 && ano != 2003) throw std::invalid_argument("layout de ano-base desconhecido");
  for (const auto& c : CamposLayout(tipo)) {
    if (c.slot == 0) continue;
    campos_[static_cast<std::size_t>(c.slot - 1)] = TArquivo{c.rotulo, c.posicao, c.tamanho};
  }
  // The previous year's set differs in this one label only.
  if (tipo == TipoRegistro::Um && ano == 2003) campos_[23 - 1].rotulo = "2003";
}

template <int N>
const TArquivo& TArquivoZema<N>::operator[](int slot) const {
  static const TArquivo vazio{};
  if (slot < 1 || slot > N) return vazio;
  return campos_[static_cast<std::size_t>(slot - 1)];
}

template class TArquivoZema<24>;
template class TArquivoZema<40>;
template class TArquivoZema<54>;
template class TArquivoZema<10>;

// ---------------------------------------------------------------------------
// Building

std::string Estatistica(ModoGravacao modo) {
  std::string e = "99";
  e += VersaoSistema.at(3);
  e += VersaoSistema.at(5);
  e += '1';
  e += modo.deTabelasTrabalho ? '2' : '1';
  return e;
}

namespace {

constexpr std::size_t kSemColuna = static_cast<std::size_t>(-1);

std::size_t IndiceColuna(const Esquema& esquema, std::string_view coluna) {
  if (esquema.tem(coluna)) return esquema.indice(coluna);
  // The table engine's column names are case-insensitive; so are ours here.
  const auto& nomes = esquema.colunas();
  for (std::size_t i = 0; i < nomes.size(); ++i)
    if (IgualSemCaixa(nomes[i], coluna)) return i;
  throw std::out_of_range("coluna desconhecida: " + std::string(coluna));
}

// Stored text from `desloc`, left-justified in `n` characters, a-z upper-cased.
// Control bytes would break the record apart, so they go out as spaces.
void Formata(char* d, std::string_view v, std::size_t desloc, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t p = desloc + i;
    const char c = p < v.size() ? v[p] : ' ';
    d[i] = static_cast<unsigned char>(c) < 32 ? ' ' : Maiuscula(c);
  }
}

void Numero(char* d, long valor, std::size_t n, std::string_view rotulo) {
  if (valor < 0) throw std::overflow_error("valor negativo no campo " + std::string(rotulo));
  for (std::size_t i = n; i-- > 0;) {
    d[i] = static_cast<char>('0' + valor % 10);
    valor /= 10;
  }
  if (valor != 0) throw std::overflow_error("valor excede o campo " + std::string(rotulo));
}

bool EmBranco(std::string_view s) { return Apara(s).empty(); }

struct Fontes {
  const Linha* linhas[3] = {nullptr, nullptr, nullptr};  // by Origem - Responsavel
  long sequencia = 0;
  const DadosRegistroZero* zero = nullptr;
  const DadosRegistroNove* nove = nullptr;
};

int IndiceOrigem(Origem o) {
  switch (o) {
    case Origem::Responsavel: return 0;
    case Origem::Estabelecimento: return 1;
    case Origem::Vinculo: return 2;
    default: return -1;
  }
}

}  // namespace

struct MontadorRegistros::Resolucao {
  std::shared_ptr<const Esquema> esquemas[3];
  std::vector<std::size_t> indices;  // per layout row
  bool pronta = false;

  void confere(std::span<const CampoLayout> campos, const Fontes& f) {
    bool mesma = pronta;
    for (int o = 0; o < 3 && mesma; ++o)
      if (f.linhas[o] && f.linhas[o]->esquemaCompartilhado() != esquemas[o]) mesma = false;
    if (mesma) return;
    pronta = false;
    for (int o = 0; o < 3; ++o) {
      if (!f.linhas[o]) continue;
      if (!f.linhas[o]->esquemaCompartilhado()) throw std::invalid_argument("linha sem esquema");
      esquemas[o] = f.linhas[o]->esquemaCompartilhado();
    }
    indices.assign(campos.size(), kSemColuna);
    for (std::size_t i = 0; i < campos.size(); ++i) {
      const int o = IndiceOrigem(campos[i].origem);
      if (o < 0 || campos[i].coluna.empty()) continue;
      indices[i] = IndiceColuna(*esquemas[o], campos[i].coluna);
    }
    pronta = true;
  }
};

MontadorRegistros::MontadorRegistros() : resolucoes_(new Resolucao[4]) {}
MontadorRegistros::~MontadorRegistros() = default;

namespace {

void Monta(std::span<const CampoLayout> campos, const std::vector<std::size_t>& indices, const Fontes& f,
           std::string& saida) {
  // Built aside so that a throwing field leaves `saida` as it was.
  char r[kTamanhoLinhaGravada];
  std::memcpy(r + kTamanhoRegistro, kFimRegistro.data(), kFimRegistro.size());

  for (std::size_t i = 0; i < campos.size(); ++i) {
    const CampoLayout& c = campos[i];
    if (c.posicao == 0) continue;
    char* d = r + (c.posicao - 1);
    const auto n = static_cast<std::size_t>(c.tamanho);
    const int o = IndiceOrigem(c.origem);
    const std::string_view v = (o >= 0 && indices[i] != kSemColuna)
                                   ? std::string_view((*f.linhas[o])[indices[i]])
                                   : std::string_view();
    const auto desloc = static_cast<std::size_t>(c.desloc);
    switch (c.regra) {
      case Regra::Formatado: Formata(d, v, desloc, n); break;
      case Regra::PadraoSeVazio: Formata(d, EmBranco(v) ? c.texto : v, EmBranco(v) ? 0 : desloc, n); break;
      case Regra::UmSenaoDois: *d = Apara(v) == "1" ? '1' : '2'; break;
      case Regra::Constante: Formata(d, c.texto, 0, n); break;
      case Regra::Sequencial: Numero(d, f.sequencia, n, c.rotulo); break;
      case Regra::Hora: Formata(d, f.zero->hora, 0, n); break;
      case Regra::IndicadorRetificacao: *d = f.zero->modo.retificacao ? '1' : '2'; break;
      case Regra::DataRetificacao:
      case Regra::DataGeracao: {
        // Declaration: no rectification date, the typed generation date.
        // Work tables: the stored date; a rectification falls back on the
        // typed date. A stored date of zeros is no date (the screens store
        // an untyped date that way). A date still missing is written as
        // zeros, as any numeric field without information.
        const ModoGravacao m = f.zero->modo;
        std::string_view data;
        if (!m.deTabelasTrabalho && !m.retificacao)
          data = c.regra == Regra::DataGeracao ? f.zero->dataGeracao : std::string_view();
        else if (!EmBranco(v) && !SoZeros(Apara(v)))
          data = v;
        else if (m.retificacao)
          data = f.zero->dataGeracao;
        if (EmBranco(data))
          std::memset(d, '0', n);
        else
          Formata(d, data, 0, n);
        break;
      }
      case Regra::TotalTipo1: Numero(d, f.nove->tipo1, n, c.rotulo); break;
      case Regra::TotalTipo2: Numero(d, f.nove->tipo2, n, c.rotulo); break;
      case Regra::TotalPrefixos: Numero(d, f.nove->prefixos, n, c.rotulo); break;
      case Regra::Estatistica: Formata(d, Estatistica(f.nove->modo), 0, n); break;
    }
  }
  saida.append(r, kTamanhoLinhaGravada);
}

}  // namespace

void MontadorRegistros::zero(const Linha& resp, const Linha& primeiroEstab, const DadosRegistroZero& dados,
                             std::string& saida) {
  Fontes f;
  f.linhas[0] = &resp;
  f.linhas[1] = &primeiroEstab;
  f.zero = &dados;
  resolucoes_[0].confere(kLayoutTipoZero, f);
  Monta(kLayoutTipoZero, resolucoes_[0].indices, f, saida);
}

void MontadorRegistros::um(const Linha& estab, long sequencia, std::string& saida) {
  Fontes f;
  f.linhas[1] = &estab;
  f.sequencia = sequencia;
  resolucoes_[1].confere(kLayoutTipoUm, f);
  Monta(kLayoutTipoUm, resolucoes_[1].indices, f, saida);
}

void MontadorRegistros::dois(const Linha& estab, const Linha& vinculo, long sequencia, std::string& saida) {
  Fontes f;
  f.linhas[1] = &estab;
  f.linhas[2] = &vinculo;
  f.sequencia = sequencia;
  resolucoes_[2].confere(kLayoutTipoDois, f);
  Monta(kLayoutTipoDois, resolucoes_[2].indices, f, saida);
}

void MontadorRegistros::nove(const Linha& resp, const Linha& ultimoEstab, const DadosRegistroNove& dados,
                             std::string& saida) {
  Fontes f;
  f.linhas[0] = &resp;
  f.linhas[1] = &ultimoEstab;
  f.sequencia = dados.sequencia;
  f.nove = &dados;
  resolucoes_[3].confere(kLayoutTipoNove, f);
  Monta(kLayoutTipoNove, resolucoes_[3].indices, f, saida);
}

}  // namespace vornex
