#pragma once
// The one renderer of the banded reports: Qt's painter without widgets, so the
// command line draws PDFs without a display (QGuiApplication on the offscreen
// platform) and the desktop program prints and previews through the same code.
#include <QImage>
#include <QString>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "common/passagem.h"
#include "reports/intervalos.h"
#include "reports/relatorio.h"

class QPainter;
class QPrinter;

namespace vornex::render {

// A text that leaves its box or the page area as the renderer lays it out.
struct Transbordo {
  int pagina = 0;
  std::string texto;
  std::string onde;  // "caixa" or "página", with the measures
};

// Draws one page with the painter's origin at the paper's top-left corner;
// escala is device pixels per layout unit. With `fora`, every text that does
// not fit its box or the page area is recorded there.
void DesenhaPagina(QPainter& pintor, const relatorio::Pagina& pagina, double escala,
                   std::vector<Transbordo>* fora = nullptr);

// Lays the whole document out as its PDF would be (in memory, nothing
// written) and answers every text that runs outside its box or the page.
std::vector<Transbordo> Transbordos(relatorio::Documento& doc,
                                    const relatorio::Emissao& emissao = relatorio::EmissaoAgora());

// Writes the document to a PDF file in the paper the document names. A
// document with no page writes nothing and answers 0; otherwise the page
// count. The file appears complete or not at all; a failure throws
// std::runtime_error and leaves an existing file as it was. The progress
// starts at 0 while the pages are counted, then follows the pages drawn.
int GravaPdf(relatorio::Documento& doc, const QString& arquivo,
             const relatorio::Emissao& emissao = relatorio::EmissaoAgora(),
             AcompanhamentoPassagem& acompanhamento = SemAcompanhamento());

// Prints on a printer the user has set up: its page range (all pages unless
// the range is PageRange), copies and collation; paper and orientation are the
// document's. Answers the number of distinct pages printed (0: no job started).
int Imprime(relatorio::Documento& doc, QPrinter& impressora,
            const relatorio::Emissao& emissao = relatorio::EmissaoAgora());

// Prints the ranges in the order given ((0, 0): every page), each `copias`
// times over, as one job; a range that starts past the last page prints
// nothing, one that runs past it prints the pages that exist, and either is
// told to `aviso` with kPaginaNaoExiste before the next range. Answers the
// number of pages printed (0: no job started).
int ImprimeIntervalos(relatorio::Documento& doc, QPrinter& impressora,
                      const std::vector<relatorio::IntervaloPaginas>& intervalos, int copias,
                      const std::function<void(std::string_view)>& aviso,
                      const relatorio::Emissao& emissao = relatorio::EmissaoAgora());

// Page images for a preview: the pages are counted once, then each image is
// drawn on demand by a pass that stops at its page, so nothing but the page
// shown is held.
class Previa {
 public:
  explicit Previa(relatorio::Documento& doc, relatorio::Emissao emissao = relatorio::EmissaoAgora());
  int Paginas() const { return total_; }
  // zoom 1 is 96 pixels per inch; a null image outside 1..Paginas().
  QImage Imagem(int numero, double zoom = 1.0);

 private:
  relatorio::Documento& doc_;
  relatorio::Emissao emissao_;
  int total_;
};

}  // namespace vornex::render
