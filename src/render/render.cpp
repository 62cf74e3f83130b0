#include "render/render.h"

#include <QBuffer>
#include <QFont>
#include <QPageLayout>
#include <QPageRanges>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QtMath>
#include <algorithm>
#include <optional>
#include <stdexcept>

namespace vornex::render {

using namespace relatorio;

namespace {

constexpr double ZoomMaximo = 4;  // an A4 page at 4x is already 57 MB of pixels

QPageSize Tamanho(Papel p) { return QPageSize(p == Papel::A4 ? QPageSize::A4 : QPageSize::Letter); }

bool operator==(const Fonte& a, const Fonte& b) {
  return a.pontos == b.pontos && a.negrito == b.negrito && a.sublinhado == b.sublinhado && a.italico == b.italico;
}

QFont FonteQt(const Fonte& f, const QPaintDevice& dispositivo) {
  QFont q;
  q.setFamilies({"Liberation Sans", "Arial", "Helvetica", "DejaVu Sans"});
  q.setStyleHint(QFont::SansSerif);
  // Without shaping no ligatures are formed, so "fi" in a PDF reads back and
  // is found as two letters.
  q.setStyleStrategy(QFont::PreferNoShaping);
  // The painter is scaled from layout units to the device, and Qt sizes fonts
  // by the device's resolution: a point has to be given as 96 dpi sees it.
  q.setPointSizeF(f.pontos * UnidadesPorPolegada / dispositivo.logicalDpiY());
  q.setBold(f.negrito);
  q.setUnderline(f.sublinhado);
  q.setItalic(f.italico);
  return q;
}

int Alinhamentos(const Item& i) {
  int f = Qt::AlignTop | Qt::TextDontClip;
  switch (i.alinhamento) {
    case Alinhamento::Esquerda: f |= Qt::AlignLeft; break;
    case Alinhamento::Centro: f |= Qt::AlignHCenter; break;
    case Alinhamento::Direita: f |= Qt::AlignRight; break;
  }
  if (i.quebraLinhas) f |= Qt::TextWordWrap;
  return f;
}

// Draws every wanted page it receives on a paged device, with a new page
// between pages, each page `copias` times in a row.
class Pintura : public DestinoPaginas {
 public:
  Pintura(QPainter& pintor, QPagedPaintDevice& dispositivo, QPageRanges faixas = {}, int copias = 1)
      : pintor_(pintor),
        dispositivo_(dispositivo),
        faixas_(std::move(faixas)),
        copias_(copias),
        escala_(dispositivo.logicalDpiX() / double(UnidadesPorPolegada)) {}

  void Faixas(QPageRanges faixas) { faixas_ = std::move(faixas); }
  bool Quer(int n) const override { return faixas_.isEmpty() || faixas_.contains(n); }
  bool Recebe(const Pagina& p) override {
    for (int c = 0; c < copias_; ++c) {
      if (desenhadas_++ > 0 && !dispositivo_.newPage()) throw std::runtime_error("Não foi possível iniciar nova página.");
      DesenhaPagina(pintor_, p, escala_);
    }
    if (acompanhamento_ && total_ > 0) {
      const int percentual = static_cast<int>(100LL * p.numero / total_);
      if (percentual != percentual_) acompanhamento_->progresso(percentual_ = percentual);
    }
    return faixas_.isEmpty() || p.numero < faixas_.lastPage();
  }

  // Told of each page drawn, out of `total`.
  void Acompanha(AcompanhamentoPassagem& a, int total) {
    acompanhamento_ = &a;
    total_ = total;
  }

 private:
  QPainter& pintor_;
  QPagedPaintDevice& dispositivo_;
  QPageRanges faixas_;
  int copias_;
  double escala_;
  int desenhadas_ = 0;
  AcompanhamentoPassagem* acompanhamento_ = nullptr;
  int total_ = 0, percentual_ = 0;
};

}  // namespace

namespace {

// Half a unit of slack: rounding of glyph advances, not a visible overflow.
constexpr double Folga = 0.5;
// A line's leading below the glyphs may reach into the next line's box.
constexpr double FolgaAltura = 1.5;

std::string Medidas(const QRectF& r) {
  return QString("x %1..%2, y %3..%4")
      .arg(r.left(), 0, 'f', 1)
      .arg(r.right(), 0, 'f', 1)
      .arg(r.top(), 0, 'f', 1)
      .arg(r.bottom(), 0, 'f', 1)
      .toStdString();
}

void Confere(QPainter& pintor, const Pagina& pagina, const Item& i, const QRectF& caixa, const QString& texto,
             std::vector<Transbordo>& fora) {
  const QRectF ocupado = pintor.boundingRect(caixa, Alinhamentos(i), texto);
  const QRectF area(0, 0, pagina.formato.LarguraUtil(), pagina.formato.AlturaUtil());
  auto dentro = [&](const QRectF& r) {
    return ocupado.left() >= r.left() - Folga && ocupado.right() <= r.right() + Folga &&
           ocupado.top() >= r.top() - Folga && ocupado.bottom() <= r.bottom() + FolgaAltura;
  };
  if (!dentro(caixa))
    fora.push_back({pagina.numero, i.texto, "caixa " + Medidas(caixa) + ", texto " + Medidas(ocupado)});
  else if (!dentro(area))
    fora.push_back({pagina.numero, i.texto, "página " + Medidas(area) + ", texto " + Medidas(ocupado)});
}

}  // namespace

void DesenhaPagina(QPainter& pintor, const Pagina& pagina, double escala, std::vector<Transbordo>* fora) {
  pintor.save();
  pintor.setRenderHint(QPainter::Antialiasing);
  pintor.scale(escala, escala);
  pintor.translate(pagina.formato.margemEsquerda, pagina.formato.margemSuperior);
  pintor.setBrush(Qt::NoBrush);
  const QPaintDevice& dispositivo = *pintor.device();
  std::optional<Fonte> fonte;  // fonts are dear to build: only on a change
  for (const auto& colocada : pagina.bandas) {
    for (const Item& i : colocada.banda.itens) {
      const QRectF r(i.x, colocada.y + i.y, i.largura, i.altura);
      switch (i.tipo) {
        case Item::Tipo::Texto:
          if (i.texto.empty()) break;
          if (!fonte || !(*fonte == i.fonte)) {
            fonte = i.fonte;
            pintor.setFont(FonteQt(i.fonte, dispositivo));
          }
          pintor.setPen(Qt::black);
          pintor.drawText(r, Alinhamentos(i), QString::fromStdString(i.texto));
          if (fora) Confere(pintor, pagina, i, r, QString::fromStdString(i.texto), *fora);
          break;
        case Item::Tipo::Traco:
          pintor.setPen(QPen(Qt::black, i.espessura, Qt::SolidLine, Qt::FlatCap));
          pintor.drawLine(QLineF(r.topLeft(), r.bottomRight()));
          break;
        case Item::Tipo::Quadro:
          pintor.setPen(QPen(Qt::black, i.espessura, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
          pintor.drawRect(r);
          break;
      }
    }
  }
  pintor.restore();
}

int GravaPdf(Documento& doc, const QString& arquivo, const Emissao& emissao, AcompanhamentoPassagem& acompanhamento) {
  acompanhamento.progresso(0);
  const int total = ContaPaginas(doc, emissao);
  if (total == 0) return 0;
  QSaveFile saida(arquivo);
  if (!saida.open(QIODevice::WriteOnly))
    throw std::runtime_error(("Não foi possível gravar o arquivo " + arquivo + ": " + saida.errorString()).toStdString());
  int paginas = 0;
  {
    QPdfWriter pdf(&saida);
    pdf.setCreator("VORNEX");
    pdf.setPageLayout(QPageLayout(Tamanho(doc.FormatoPagina().papel), QPageLayout::Portrait, QMarginsF()));
    QPainter pintor;
    if (!pintor.begin(&pdf)) throw std::runtime_error(("Não foi possível gravar o arquivo " + arquivo).toStdString());
    Pintura destino(pintor, pdf);
    destino.Acompanha(acompanhamento, total);
    paginas = Monta(doc, destino, total, emissao);
    pintor.end();
  }
  if (!saida.commit())
    throw std::runtime_error(("Não foi possível gravar o arquivo " + arquivo + ": " + saida.errorString()).toStdString());
  return paginas;
}

int Imprime(Documento& doc, QPrinter& impressora, const Emissao& emissao) {
  const int total = ContaPaginas(doc, emissao);
  QPageRanges faixas;
  if (impressora.printRange() == QPrinter::PageRange) faixas = impressora.pageRanges();
  int distintas = 0;
  for (int n = 1; n <= total; ++n) distintas += faixas.isEmpty() || faixas.contains(n);
  if (distintas == 0) return 0;
  if (!faixas.isEmpty() && faixas.lastPage() > total) {
    // Stop after the last page that exists, not after one that never comes.
    QPageRanges dentro;
    for (const auto& f : faixas.toRangeList())
      if (f.from <= total) dentro.addRange(f.from, std::min(f.to, total));
    faixas = dentro;
  }

  impressora.setFullPage(true);  // our margins, measured from the paper's edge
  impressora.setPageSize(Tamanho(doc.FormatoPagina().papel));
  impressora.setPageOrientation(QPageLayout::Portrait);
  // A printer that cannot make copies itself gets them from us, in the order
  // the user chose.
  const int copias = impressora.supportsMultipleCopies() ? 1 : std::max(1, impressora.copyCount());
  const bool agrupa = impressora.collateCopies();

  QPainter pintor;
  if (!pintor.begin(&impressora)) throw std::runtime_error("Não foi possível iniciar a impressão.");
  Pintura destino(pintor, impressora, faixas, agrupa ? 1 : copias);
  for (int c = 0; c < (agrupa ? copias : 1); ++c) Monta(doc, destino, total, emissao);
  pintor.end();
  return distintas;
}

std::vector<Transbordo> Transbordos(Documento& doc, const Emissao& emissao) {
  std::vector<Transbordo> fora;
  const int total = ContaPaginas(doc, emissao);
  if (total == 0) return fora;
  QBuffer memoria;
  memoria.open(QIODevice::WriteOnly);
  QPdfWriter pdf(&memoria);
  pdf.setPageLayout(QPageLayout(Tamanho(doc.FormatoPagina().papel), QPageLayout::Portrait, QMarginsF()));
  QPainter pintor;
  if (!pintor.begin(&pdf)) throw std::runtime_error("Não foi possível medir o relatório.");
  struct Medida : DestinoPaginas {
    QPainter* pintor;
    QPagedPaintDevice* pdf;
    std::vector<Transbordo>* fora;
    bool primeira = true;
    bool Recebe(const Pagina& p) override {
      if (!primeira) pdf->newPage();
      primeira = false;
      DesenhaPagina(*pintor, p, pdf->logicalDpiX() / double(UnidadesPorPolegada), fora);
      return true;
    }
  } medida;
  medida.pintor = &pintor, medida.pdf = &pdf, medida.fora = &fora;
  Monta(doc, medida, total, emissao);
  pintor.end();
  return fora;
}

int ImprimeIntervalos(Documento& doc, QPrinter& impressora, const std::vector<IntervaloPaginas>& intervalos,
                      int copias, const std::function<void(std::string_view)>& aviso, const Emissao& emissao) {
  const int total = ContaPaginas(doc, emissao);
  if (total == 0 || copias < 1) return 0;
  impressora.setFullPage(true);
  impressora.setPageSize(Tamanho(doc.FormatoPagina().papel));
  impressora.setPageOrientation(QPageLayout::Portrait);
  impressora.setCopyCount(1);  // the copies are ours, range by range
  QPainter pintor;
  std::optional<Pintura> destino;
  int impressas = 0;
  for (const IntervaloPaginas& i : intervalos) {
    const bool todas = i.primeira == 0 && i.ultima == 0;
    if (!todas && i.primeira > total) {
      aviso(kPaginaNaoExiste);
      continue;
    }
    QPageRanges faixa;
    if (!todas) faixa.addRange(i.primeira, std::min(i.ultima, total));
    if (!destino) {
      if (!pintor.begin(&impressora)) throw std::runtime_error("Não foi possível iniciar a impressão.");
      destino.emplace(pintor, impressora);
    }
    destino->Faixas(faixa);
    for (int c = 0; c < copias; ++c) Monta(doc, *destino, total, emissao);
    impressas += (todas ? total : std::min(i.ultima, total) - i.primeira + 1) * copias;
    // What exists of a range that runs past the end is printed, then the user is told.
    if (!todas && i.ultima > total) aviso(kPaginaNaoExiste);
  }
  if (destino) pintor.end();
  return impressas;
}

Previa::Previa(Documento& doc, Emissao emissao)
    : doc_(doc), emissao_(std::move(emissao)), total_(ContaPaginas(doc_, emissao_)) {}

QImage Previa::Imagem(int numero, double zoom) {
  if (numero < 1 || numero > total_ || !(zoom > 0 && zoom <= ZoomMaximo)) return {};
  const Formato f = doc_.FormatoPagina();
  QImage imagem(qCeil(f.LarguraPapel() * zoom), qCeil(f.AlturaPapel() * zoom), QImage::Format_RGB32);
  if (imagem.isNull()) return {};
  imagem.fill(Qt::white);
  struct Uma : DestinoPaginas {
    int alvo;
    QPainter* pintor;
    double zoom;
    bool Quer(int n) const override { return n == alvo; }
    bool Recebe(const Pagina& p) override {
      DesenhaPagina(*pintor, p, zoom);
      return false;
    }
  } uma;
  QPainter pintor(&imagem);
  pintor.setRenderHint(QPainter::TextAntialiasing);
  uma.alvo = numero, uma.pintor = &pintor, uma.zoom = zoom;
  Monta(doc_, uma, total_, emissao_);
  return imagem;
}

}  // namespace vornex::render
