#include "reports/relatorio.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace vornex::relatorio {

namespace {
constexpr double MmPorPolegada = 25.4;
}

Unidade Milimetros(double mm) {
  return static_cast<Unidade>(std::lround(mm * UnidadesPorPolegada / MmPorPolegada));
}

Formato::Formato(Papel p, double margensMm)
    : papel(p),
      margemEsquerda(Milimetros(margensMm)),
      margemDireita(margemEsquerda),
      margemSuperior(margemEsquerda),
      margemInferior(margemEsquerda) {}

double Formato::LarguraPapel() const {
  return papel == Papel::A4 ? 210 * UnidadesPorPolegada / MmPorPolegada : 8.5 * UnidadesPorPolegada;
}

double Formato::AlturaPapel() const {
  return papel == Papel::A4 ? 297 * UnidadesPorPolegada / MmPorPolegada : 11.0 * UnidadesPorPolegada;
}

Unidade Formato::LarguraUtil() const {
  return static_cast<Unidade>(std::floor(LarguraPapel() - margemEsquerda - margemDireita));
}

Unidade Formato::AlturaUtil() const {
  return static_cast<Unidade>(std::floor(AlturaPapel() - margemSuperior - margemInferior));
}

Banda& Banda::Texto(Unidade x, Unidade y, Unidade largura, Unidade alt, std::string texto, Fonte fonte,
                    Alinhamento alinhamento) {
  Item i;
  i.x = x, i.y = y, i.largura = largura, i.altura = alt;
  i.texto = std::move(texto);
  i.fonte = fonte;
  i.alinhamento = alinhamento;
  itens.push_back(std::move(i));
  return *this;
}

Banda& Banda::Paragrafo(Unidade x, Unidade y, Unidade largura, Unidade alt, std::string texto, Fonte fonte) {
  Texto(x, y, largura, alt, std::move(texto), fonte);
  itens.back().quebraLinhas = true;
  return *this;
}

Banda& Banda::Traco(Unidade x1, Unidade y1, Unidade x2, Unidade y2, Unidade espessura) {
  Item i;
  i.tipo = Item::Tipo::Traco;
  i.x = x1, i.y = y1, i.largura = x2 - x1, i.altura = y2 - y1;
  i.espessura = espessura;
  itens.push_back(std::move(i));
  return *this;
}

Banda& Banda::Quadro(Unidade x, Unidade y, Unidade largura, Unidade alt, Unidade espessura) {
  Item i;
  i.tipo = Item::Tipo::Quadro;
  i.x = x, i.y = y, i.largura = largura, i.altura = alt;
  i.espessura = espessura;
  itens.push_back(std::move(i));
  return *this;
}

Emissao EmissaoAgora() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char data[16], hora[16];
  std::strftime(data, sizeof data, "%d/%m/%Y", &tm);
  std::strftime(hora, sizeof hora, "%H:%M:%S", &tm);
  return {data, hora};
}

// --- paginator ---------------------------------------------------------------

Paginador::Paginador(Documento& doc, DestinoPaginas& destino, int total, const Emissao& emissao)
    : doc_(doc), destino_(destino), emissao_(emissao) {
  pagina_.total = total;
  pagina_.formato = doc.FormatoPagina();
}

bool Paginador::Cabe(const Banda& b) const {
  if (y_ + std::max(b.altura, b.espacoMinimo) > fundo_) return false;
  return b.teto <= 0 || y_ + b.altura < b.teto;
}

void Paginador::Coloca(Banda banda) {
  if (parado_) return;
  // A page opens with the band that needs it, so it always holds a body band
  // here and is never left blank; a band too tall for any page prints alone.
  if (aberta_ && (quebra_ || banda.novaPagina || !Cabe(banda))) {
    Fecha();
    if (parado_) return;
  }
  quebra_ = false;
  if (!aberta_) Abre(banda);
  const Unidade altura = banda.altura;
  if (quer_) pagina_.bandas.push_back({y_, std::move(banda)});
  y_ += altura;
}

void Paginador::QuebraPagina() { quebra_ = true; }

void Paginador::Abre(const Banda& abertura) {
  aberta_ = true;
  ++pagina_.numero;
  quer_ = destino_.Quer(pagina_.numero);
  pagina_.bandas.clear();
  ContextoPagina ctx{pagina_.numero, pagina_.total, &abertura, emissao_.data, emissao_.hora};

  // Header and footer are asked for even on pages not wanted: their heights
  // decide where the following pages break.
  y_ = 0;
  margem_.clear();
  doc_.CabecalhoPagina(ctx, margem_);
  for (auto& b : margem_) {
    const Unidade altura = b.altura;
    if (quer_) pagina_.bandas.push_back({y_, std::move(b)});
    y_ += altura;
  }

  rodape_.clear();
  doc_.RodapePagina(ctx, rodape_);
  fundo_ = pagina_.formato.AlturaUtil();
  for (const auto& b : rodape_) fundo_ -= b.altura;
}

void Paginador::Fecha() {
  aberta_ = false;
  if (quer_) {
    Unidade y = fundo_;
    for (auto& b : rodape_) {
      const Unidade altura = b.altura;
      pagina_.bandas.push_back({y, std::move(b)});
      y += altura;
    }
    if (!destino_.Recebe(pagina_)) parado_ = true;
  }
  pagina_.bandas.clear();
}

int Paginador::Encerra() {
  if (aberta_) Fecha();
  return pagina_.numero;
}

int Monta(Documento& doc, DestinoPaginas& destino, int total, const Emissao& emissao) {
  Paginador p(doc, destino, total, emissao);
  doc.Gera(p);
  return p.Encerra();
}

int ContaPaginas(Documento& doc, const Emissao& emissao) {
  struct Nenhuma : DestinoPaginas {
    bool Quer(int) const override { return false; }
    bool Recebe(const Pagina&) override { return true; }
  } nenhuma;
  return Monta(doc, nenhuma, 0, emissao);
}

int Emite(Documento& doc, DestinoPaginas& destino, const Emissao& emissao) {
  const int total = ContaPaginas(doc, emissao);
  if (total == 0) return 0;
  return Monta(doc, destino, total, emissao);
}

bool QuebraGrupo::Mudou(std::string_view chave) {
  if (ultima_ && *ultima_ == chave) return false;
  ultima_.emplace(chave);
  return true;
}

}  // namespace vornex::relatorio
