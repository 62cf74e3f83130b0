#include "render/render.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGuiApplication>
#include <QPageRanges>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <vector>

#include "../core/reports/lista_vinculos.h"

namespace vornex::render {
namespace {

using relatorio::Emissao;
using relatorio::Papel;
using relatorio::exemplo::ListaVinculos;
using relatorio::exemplo::Vinculo;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Render : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "teste_render";
    static char* argv[] = {nome, nullptr};
    static QGuiApplication app(argc, argv);
  }

  void SetUp() override { ASSERT_TRUE(pasta_.isValid()); }
  QString Arquivo(const QString& nome) const { return pasta_.filePath(nome); }

  // 60 links of one establishment over two pages, then one of another on a
  // third page; every seventh link dismissed.
  static std::vector<Vinculo> Linhas() {
    std::vector<Vinculo> l;
    for (int i = 0; i < 60; ++i)
      l.push_back({"11.222.333/0001-81", "1000000000" + std::to_string(i % 10), "Empregado " + std::to_string(i),
                   i % 7 == 3 ? "15/03/2004" : ""});
    l.push_back({"99.888.777/0001-00", "20000000001", "Única", ""});
    return l;
  }

  // The PDF's text, one string per page (pdftotext ends each page with a form feed).
  static std::vector<std::string> Texto(const QString& pdf, const QStringList& opcoes = {"-layout"}) {
    QProcess p;
    p.start("pdftotext", opcoes + QStringList{pdf, "-"});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return {};
    const std::string s = p.readAllStandardOutput().toStdString();
    std::vector<std::string> paginas;
    std::size_t i = 0;
    for (std::size_t f; (f = s.find('\f', i)) != std::string::npos; i = f + 1) paginas.push_back(s.substr(i, f - i));
    return paginas;
  }

  static bool TemPdftotext() {
    QProcess p;
    p.start("pdftotext", {"-v"});
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit;
  }

  QTemporaryDir pasta_;
};

// Each text found in order within the page.
void EmOrdem(const std::string& pagina, const std::vector<std::string>& textos) {
  std::size_t pos = 0;
  for (const auto& t : textos) {
    const std::size_t p = pagina.find(t, pos);
    ASSERT_NE(p, std::string::npos) << "\"" << t << "\" missing or out of order in:\n" << pagina;
    pos = p + t.size();
  }
}

TEST_F(Render, PdfTrazOsTextosNaOrdemEComAsQuebras) {
  if (!TemPdftotext()) GTEST_SKIP() << "pdftotext not installed";
  ListaVinculos doc(Linhas());
  const QString pdf = Arquivo("lista.pdf");
  ASSERT_EQ(GravaPdf(doc, pdf, Quando), 3);
  const auto paginas = Texto(pdf);
  ASSERT_EQ(paginas.size(), 3u);
  EmOrdem(paginas[0], {"Emitida em 05/03/2005", "VORNEX", "Lista de vínculos", "Estabelecimento: 11.222.333/0001-81",
                       "PIS/PASEP", "Nome", "Desligamento", "10000000000", "Empregado 0", "Empregado 3",
                       "15/03/2004", "Desligado em 15/03/2004", "Empregado 4", "Página 1 de 3", "14:30:00"});
  EXPECT_EQ(paginas[0].find("continuação"), std::string::npos);
  EmOrdem(paginas[1], {"VORNEX", "(continuação de 11.222.333/0001-81)", "Empregado 59",
                       "Vínculos do estabelecimento: 60", "Página 2 de 3"});
  EXPECT_EQ(paginas[1].find("99.888.777"), std::string::npos);
  EmOrdem(paginas[2], {"Estabelecimento: 99.888.777/0001-00", "20000000001", "Única",
                       "Vínculos do estabelecimento: 1", "Total geral: 61 vínculos", "Página 3 de 3"});
  EXPECT_EQ(paginas[2].find("Lista de vínculos"), std::string::npos);
}

// Word boxes in points from the paper's top-left corner, as pdftotext -bbox gives them.
struct Caixa {
  double x0, y0, x1, y1;
};

std::vector<std::pair<std::string, Caixa>> Palavras(const std::string& html, double* largura, double* altura) {
  std::vector<std::pair<std::string, Caixa>> r;
  const QString s = QString::fromStdString(html);
  auto pag = QRegularExpression(R"re(<page width="([\d.]+)" height="([\d.]+)")re").match(s);
  if (pag.hasMatch()) *largura = pag.captured(1).toDouble(), *altura = pag.captured(2).toDouble();
  QRegularExpression re(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
  for (auto it = re.globalMatch(s); it.hasNext();) {
    auto m = it.next();
    r.push_back({m.captured(5).toStdString(),
                 {m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(), m.captured(4).toDouble()}});
  }
  return r;
}

TEST_F(Render, PdfNoPapelEPosicoesDoDocumento) {
  if (!TemPdftotext()) GTEST_SKIP() << "pdftotext not installed";
  struct Caso {
    Papel papel;
    double largura, altura;  // points
  } casos[] = {{Papel::A4, 595.28, 841.89}, {Papel::Carta, 612, 792}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.largura);
    ListaVinculos doc(Linhas(), c.papel);
    const QString pdf = Arquivo("caixas.pdf");
    ASSERT_EQ(GravaPdf(doc, pdf, Quando), 3);
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(30000));
    double w = 0, h = 0;
    const auto palavras = Palavras(p.readAllStandardOutput().toStdString(), &w, &h);
    EXPECT_NEAR(w, c.largura, 0.5);
    EXPECT_NEAR(h, c.altura, 0.5);
    auto caixa = [&](const std::string& palavra) {
      for (const auto& [t, b] : palavras)
        if (t == palavra) return b;
      ADD_FAILURE() << palavra << " not found";
      return Caixa{};
    };
    // 10 mm margins are 28.35 points; a layout unit is 0.75 point.
    const double margem = 38 * 0.75, direita = c.largura - margem;
    EXPECT_NEAR(caixa("PIS/PASEP").x0, margem, 1.5);           // left, at x 0
    EXPECT_NEAR(caixa("VORNEX").x1, direita, 1.5);             // right-aligned to the full width
    EXPECT_NEAR(caixa("Desligamento").x1, direita, 1.5);
    // "Página 1 de 3", centred
    std::size_t k = 0;
    while (k + 3 < palavras.size() && palavras[k].first != "Página") ++k;
    ASSERT_EQ(palavras.at(k + 3).first, "3");
    EXPECT_NEAR((palavras[k].second.x0 + palavras[k + 3].second.x1) / 2, c.largura / 2, 1.5);
    // The title is set in 14 points, the captions in 9.
    const Caixa titulo = caixa("Lista"), legenda = caixa("Nome");
    EXPECT_NEAR((titulo.y1 - titulo.y0) / (legenda.y1 - legenda.y0), 14.0 / 9, 0.15);
    // The title band sits below the 30-unit page header.
    EXPECT_GT(titulo.y0, margem + 30 * 0.75);
    EXPECT_LT(titulo.y1, margem + 70 * 0.75);
  }
}

TEST_F(Render, SemPaginasNenhumArquivo) {
  ListaVinculos vazio({});
  const QString pdf = Arquivo("vazio.pdf");
  EXPECT_EQ(GravaPdf(vazio, pdf, Quando), 0);
  EXPECT_FALSE(QFile::exists(pdf));

  // An earlier file is neither replaced nor damaged.
  {
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("anterior");
  }
  ListaVinculos doc(Linhas());
  EXPECT_EQ(GravaPdf(vazio, pdf, Quando), 0);
  EXPECT_THROW(GravaPdf(doc, Arquivo("nao/existe/lista.pdf"), Quando), std::runtime_error);
  EXPECT_FALSE(QFile::exists(Arquivo("nao/existe/lista.pdf")));
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "anterior");
}

TEST_F(Render, ImpressaoComFaixaDePaginasECopias) {
  if (!TemPdftotext()) GTEST_SKIP() << "pdftotext not installed";
  struct Caso {
    QString faixa;
    int copias;
    bool agrupa;
    int distintas;
    std::vector<int> impressas;
  } casos[] = {
      {"", 1, true, 3, {1, 2, 3}},
      {"2-3", 2, true, 2, {2, 3, 2, 3}},
      {"2-3", 2, false, 2, {2, 2, 3, 3}},
      {"1,3-9", 1, true, 2, {1, 3}},
      {"5-9", 1, true, 0, {}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.faixa.toStdString() + " x" + std::to_string(c.copias));
    ListaVinculos doc(Linhas());
    const QString pdf = Arquivo("impressa.pdf");
    QFile::remove(pdf);
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pdf);
    if (!c.faixa.isEmpty()) {
      impressora.setPrintRange(QPrinter::PageRange);
      impressora.setPageRanges(QPageRanges::fromString(c.faixa));
    }
    impressora.setCopyCount(c.copias);
    impressora.setCollateCopies(c.agrupa);
    impressora.setPageSize(QPageSize(QPageSize::Letter));  // the document's A4 wins
    ASSERT_FALSE(impressora.supportsMultipleCopies());
    ASSERT_EQ(Imprime(doc, impressora, Quando), c.distintas);
    if (c.impressas.empty()) {
      EXPECT_FALSE(QFile::exists(pdf));
      continue;
    }
    const auto paginas = Texto(pdf);
    ASSERT_EQ(paginas.size(), c.impressas.size());
    for (std::size_t i = 0; i < paginas.size(); ++i)
      EXPECT_NE(paginas[i].find("Página " + std::to_string(c.impressas[i]) + " de 3"), std::string::npos) << i;
    QProcess info;
    info.start("pdfinfo", {pdf});
    if (info.waitForFinished(10000)) {
      EXPECT_TRUE(info.readAllStandardOutput().contains("(A4)"));
    }
  }
}

TEST_F(Render, IntervalosNaOrdemDigitadaComCopias) {
  // A list of a dozen pages and more.
  std::vector<Vinculo> linhas;
  for (int i = 0; i < 600; ++i) linhas.push_back({"11.222.333/0001-81", "10000000001", "E" + std::to_string(i), ""});
  ListaVinculos doc(linhas);
  const int total = relatorio::ContaPaginas(doc, Quando);
  ASSERT_GE(total, 12);
  const struct {
    const char* texto;
    int copias;
    std::vector<int> impressas;
    int avisos;
  } casos[] = {
      {"1;3;5-12;4", 1, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12, 4}, 0},
      {"3;1", 2, {3, 3, 1, 1}, 0},
      {"2-3", 2, {2, 3, 2, 3}, 0},
      // past the end: the pages that exist, the warning, then the next range
      {"900;2", 1, {2}, 1},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.texto);
    const QString pdf = Arquivo("faixas.pdf");
    QFile::remove(pdf);
    QPrinter impressora(QPrinter::HighResolution);
    impressora.setOutputFormat(QPrinter::PdfFormat);
    impressora.setOutputFileName(pdf);
    int avisos = 0;
    const auto faixas = relatorio::ValidaIntervalos(c.texto);
    ASSERT_TRUE(faixas);
    const int n = ImprimeIntervalos(doc, impressora, *faixas, c.copias, [&](std::string_view m) {
      EXPECT_EQ(m, relatorio::kPaginaNaoExiste);
      ++avisos;
    }, Quando);
    EXPECT_EQ(n, static_cast<int>(c.impressas.size()));
    EXPECT_EQ(avisos, c.avisos);
    const auto paginas = Texto(pdf);
    ASSERT_EQ(paginas.size(), c.impressas.size());
    for (std::size_t i = 0; i < paginas.size(); ++i)
      EXPECT_NE(paginas[i].find("Página " + std::to_string(c.impressas[i]) + " de " + std::to_string(total)),
                std::string::npos)
          << i;
  }
  // The last range runs past the end: its pages up to the last one, then the warning.
  QPrinter impressora(QPrinter::HighResolution);
  impressora.setOutputFormat(QPrinter::PdfFormat);
  impressora.setOutputFileName(Arquivo("fim.pdf"));
  int avisos = 0;
  EXPECT_EQ(ImprimeIntervalos(doc, impressora, {{total - 1, total + 5}}, 1, [&](std::string_view) { ++avisos; }, Quando), 2);
  EXPECT_EQ(avisos, 1);
}

// Darkness of a pixel: 0 white, 255 black.
int Tinta(const QImage& img, int x, int y) { return 255 - qGray(img.pixel(x, y)); }

// Bounding box of the ink within a region.
QRect Tinta(const QImage& img, const QRect& regiao) {
  QRect r;
  for (int y = regiao.top(); y <= regiao.bottom(); ++y)
    for (int x = regiao.left(); x <= regiao.right(); ++x)
      if (Tinta(img, x, y) > 100) r |= QRect(x, y, 1, 1);
  return r;
}

TEST_F(Render, PreviaDesenhaCadaPaginaNaEscala) {
  ListaVinculos doc(Linhas());
  Previa previa(doc, Quando);
  ASSERT_EQ(previa.Paginas(), 3);
  EXPECT_TRUE(previa.Imagem(0).isNull());
  EXPECT_TRUE(previa.Imagem(4).isNull());
  EXPECT_TRUE(previa.Imagem(1, 0).isNull());
  EXPECT_TRUE(previa.Imagem(1, 100).isNull());

  const QImage um = previa.Imagem(1, 1), dois = previa.Imagem(1, 2);
  ASSERT_EQ(um.size(), QSize(794, 1123));
  ASSERT_EQ(dois.size(), QSize(1588, 2246));
  for (int z : {1, 2}) {
    SCOPED_TRACE(z);
    const QImage& img = z == 1 ? um : dois;
    // The establishment's frame: from the left margin (38), 2 units into the
    // group band, which follows the header (30) and the title (40).
    EXPECT_GT(Tinta(img, 38 * z, (38 + 70 + 14) * z), 100);
    EXPECT_EQ(Tinta(img, 30 * z, (38 + 70 + 14) * z), 0);
    EXPECT_EQ(Tinta(img, 40 * z, (38 + 70 + 14) * z), 0);
  }
  // The 14-point title is about 19 pixels high at 96 dpi, and twice as large at zoom 2.
  const QRect t1 = Tinta(um, QRect(38, 38 + 30, 717, 40)), t2 = Tinta(dois, QRect(76, 136, 1434, 80));
  ASSERT_TRUE(t1.isValid());
  EXPECT_GT(t1.height(), 12);
  EXPECT_LT(t1.height(), 22);
  EXPECT_NEAR(double(t2.width()) / t1.width(), 2.0, 0.08);
  EXPECT_NEAR(t1.center().x(), 38 + 717 / 2.0, 3);  // centred

  // Page 3 is not page 1.
  const QImage tres = previa.Imagem(3, 1);
  EXPECT_NE(Tinta(tres, QRect(38, 38 + 30, 717, 40)), t1);
}

}  // namespace
}  // namespace vornex::render
