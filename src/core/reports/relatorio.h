#pragma once
// Banded reports. A document hands its body bands over in print order; each
// band has a fixed height in layout units (1/96 inch) and carries its texts,
// lines and frames. The paginator places them on pages, asks the document for
// the page header and footer bands whenever a page opens, and passes every page
// to a destination as soon as it is complete, so that no more than one page is
// ever held. Nothing here draws: one renderer outside the core serves every report.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornex::relatorio {

using Unidade = int;  // 1/96 inch
inline constexpr int UnidadesPorPolegada = 96;
Unidade Milimetros(double mm);  // rounded to the nearest unit

enum class Papel { A4, Carta };  // always portrait

struct Formato {
  explicit Formato(Papel p = Papel::A4, double margensMm = 10);
  Papel papel;
  Unidade margemEsquerda, margemDireita, margemSuperior, margemInferior;
  double LarguraPapel() const;  // exact, in layout units
  double AlturaPapel() const;
  // The page area between the margins; rounded down so it never passes the paper.
  Unidade LarguraUtil() const;
  Unidade AlturaUtil() const;
};

enum class Alinhamento { Esquerda, Centro, Direita };

struct Fonte {
  double pontos = 9;
  bool negrito = false;
  bool sublinhado = false;
  bool italico = false;
};

struct Item {
  enum class Tipo { Texto, Traco, Quadro };
  Tipo tipo = Tipo::Texto;
  // Relative to the band's top-left corner. A line runs from (x, y) to
  // (x + largura, y + altura); a text is laid out inside the rectangle from its
  // top and may spill out of it rather than be cut.
  Unidade x = 0, y = 0, largura = 0, altura = 0;
  std::string texto;  // UTF-8
  Fonte fonte;
  Alinhamento alinhamento = Alinhamento::Esquerda;
  bool quebraLinhas = false;  // wrap at word boundaries within the width
  Unidade espessura = 1;      // lines and frames
};

// The kind is the document's own record of what a band is; the paginator only
// hands it back (see ContextoPagina::abertura).
enum class TipoBanda { Titulo, CabecalhoPagina, CabecalhoGrupo, Detalhe, Filha, RodapeGrupo, Resumo, RodapePagina };

struct Banda {
  Banda(TipoBanda t, Unidade h) : tipo(t), altura(h) {}

  TipoBanda tipo;
  Unidade altura;
  std::vector<Item> itens;

  // Paging. The page is broken before the band when
  // - novaPagina is set (a group that starts on a page of its own), or
  // - less than max(altura, espacoMinimo) remains above the page footer
  //   (espacoMinimo keeps a band with the ones that must follow it), or
  // - teto is set and the band would end at or below that height, counted
  //   from the top of the page area with the page header included.
  // The band that opens a page stays on it: a band too tall for any page still
  // prints, alone, and no page is ever left blank.
  bool novaPagina = false;
  Unidade espacoMinimo = 0;
  Unidade teto = 0;

  Banda& Texto(Unidade x, Unidade y, Unidade largura, Unidade altura, std::string texto, Fonte fonte = {},
               Alinhamento alinhamento = Alinhamento::Esquerda);
  Banda& Paragrafo(Unidade x, Unidade y, Unidade largura, Unidade altura, std::string texto, Fonte fonte = {});
  Banda& Traco(Unidade x1, Unidade y1, Unidade x2, Unidade y2, Unidade espessura = 1);
  Banda& Quadro(Unidade x, Unidade y, Unidade largura, Unidade altura, Unidade espessura = 1);
};

// Printing date and time, taken once per run so that every pass and page agree.
struct Emissao {
  std::string data;  // DD/MM/AAAA
  std::string hora;  // HH:MM:SS
};
Emissao EmissaoAgora();

struct ContextoPagina {
  int numero = 0;
  int total = 0;                    // 0 while pages are only being counted
  const Banda* abertura = nullptr;  // the body band that opened the page
  std::string_view data, hora;
};

struct BandaColocada {
  Unidade y;  // from the top of the page area
  Banda banda;
};

struct Pagina {
  int numero = 0;
  int total = 0;
  Formato formato;
  std::vector<BandaColocada> bandas;  // top to bottom: header, body, footer
};

class Paginador;

class Documento {
 public:
  virtual ~Documento() = default;
  virtual Formato FormatoPagina() const = 0;
  // Hands the body bands over in print order. It runs once per pass (the page
  // count, then the drawing), so it starts from its first row every time.
  virtual void Gera(Paginador& p) = 0;
  // Bands stacked at the top and at the bottom of a page, asked for when the
  // page opens: the document is then at the band that opens it. Their heights
  // must not depend on ctx.total, which the counting pass does not know.
  virtual void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
    (void)ctx, (void)bandas;
  }
  virtual void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
    (void)ctx, (void)bandas;
  }
};

class DestinoPaginas {
 public:
  virtual ~DestinoPaginas() = default;
  // Pages not wanted are counted but never assembled.
  virtual bool Quer(int numero) const {
    (void)numero;
    return true;
  }
  // Each wanted page as soon as it is complete; false ends the pass.
  virtual bool Recebe(const Pagina& pagina) = 0;
};

class Paginador {
 public:
  Paginador(Documento& doc, DestinoPaginas& destino, int total, const Emissao& emissao);
  void Coloca(Banda banda);
  void QuebraPagina();  // the next band starts a new page
  // The destination has all it wanted: a long document may stop generating.
  bool Parado() const { return parado_; }
  const Formato& formato() const { return pagina_.formato; }
  int Encerra();  // closes the last page; the page count

 private:
  bool Cabe(const Banda& b) const;
  void Abre(const Banda& abertura);
  void Fecha();

  Documento& doc_;
  DestinoPaginas& destino_;
  const Emissao& emissao_;
  Pagina pagina_;
  std::vector<Banda> margem_;  // header bands being asked for
  std::vector<Banda> rodape_;  // the open page's footer, placed when it closes
  bool aberta_ = false, quer_ = false, quebra_ = false, parado_ = false;
  Unidade y_ = 0, fundo_ = 0;
};

// One pass over the document; the page count. total is printed as the page
// total and may be 0 when not known.
int Monta(Documento& doc, DestinoPaginas& destino, int total, const Emissao& emissao);
int ContaPaginas(Documento& doc, const Emissao& emissao);
// The counting pass, then the pass that delivers the pages with their total.
int Emite(Documento& doc, DestinoPaginas& destino, const Emissao& emissao);

// Group break on a key: true on the first row and whenever the key changes.
class QuebraGrupo {
 public:
  bool Mudou(std::string_view chave);
  void Reinicia() { ultima_.reset(); }

 private:
  std::optional<std::string> ultima_;
};

}  // namespace vornex::relatorio
