#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "lista_vinculos.h"
#include "reports/relatorio.h"

namespace vornex::relatorio {
namespace {

const Emissao Quando{"05/03/2005", "14:30:00"};

// Body bands given by a script; header and footer of fixed heights unless the
// script's own header rule says otherwise.
class Roteiro : public Documento {
 public:
  std::function<void(Paginador&)> corpo;
  std::function<Unidade(const ContextoPagina&)> cabecalho = [](const ContextoPagina&) { return 100; };
  Unidade rodape = 50;
  std::vector<ContextoPagina> aberturas;  // every page opened, in every pass

  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }
  void Gera(Paginador& p) override { corpo(p); }
  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& b) override {
    aberturas.push_back(ctx);
    b.emplace_back(TipoBanda::CabecalhoPagina, cabecalho(ctx));
  }
  void RodapePagina(const ContextoPagina&, std::vector<Banda>& b) override {
    if (rodape) b.emplace_back(TipoBanda::RodapePagina, rodape);
  }
};

Banda B(TipoBanda tipo, Unidade altura, std::string nome = {}) {
  Banda b(tipo, altura);
  if (!nome.empty()) b.Texto(0, 0, 100, altura, std::move(nome));
  return b;
}

struct Coletor : DestinoPaginas {
  std::set<int> querer;  // empty: all
  int pararApos = 0;
  std::vector<Pagina> paginas;
  bool Quer(int n) const override { return querer.empty() || querer.count(n) != 0; }
  bool Recebe(const Pagina& p) override {
    paginas.push_back(p);
    return p.numero != pararApos;
  }
};

std::vector<const BandaColocada*> Corpo(const Pagina& p) {
  std::vector<const BandaColocada*> r;
  for (const auto& b : p.bandas)
    if (b.banda.tipo != TipoBanda::CabecalhoPagina && b.banda.tipo != TipoBanda::RodapePagina) r.push_back(&b);
  return r;
}

std::vector<std::string> Textos(const Pagina& p) {
  std::vector<std::string> r;
  for (const auto& b : p.bandas)
    for (const auto& i : b.banda.itens)
      if (i.tipo == Item::Tipo::Texto) r.push_back(i.texto);
  return r;
}

TEST(Paginacao, BandasEnchemAPaginaAteORodape) {
  // A4, 10 mm margins: 1046 units between the margins; header 100 and footer 50
  // leave 896 for the body, from 100 to 996.
  ASSERT_EQ(Formato(Papel::A4, 10).AlturaUtil(), 1046);
  ASSERT_EQ(Formato(Papel::Carta, 10).AlturaUtil(), 980);
  struct Caso {
    Unidade altura;
    int bandas;
    std::vector<std::size_t> porPagina;
  } casos[] = {
      {100, 20, {8, 8, 4}},
      {112, 16, {8, 8}},  // the eighth ends exactly at the footer
      {113, 16, {7, 7, 2}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.altura);
    Roteiro doc;
    doc.corpo = [&](Paginador& p) {
      for (int i = 0; i < c.bandas; ++i) p.Coloca(B(TipoBanda::Detalhe, c.altura));
    };
    Coletor col;
    ASSERT_EQ(Emite(doc, col, Quando), static_cast<int>(c.porPagina.size()));
    ASSERT_EQ(col.paginas.size(), c.porPagina.size());
    for (std::size_t n = 0; n < col.paginas.size(); ++n) {
      const Pagina& p = col.paginas[n];
      EXPECT_EQ(p.numero, static_cast<int>(n + 1));
      EXPECT_EQ(p.total, static_cast<int>(c.porPagina.size()));
      ASSERT_EQ(p.bandas.size(), c.porPagina[n] + 2);
      EXPECT_EQ(p.bandas[0].banda.tipo, TipoBanda::CabecalhoPagina);
      EXPECT_EQ(p.bandas[0].y, 0);
      EXPECT_EQ(p.bandas.back().banda.tipo, TipoBanda::RodapePagina);
      EXPECT_EQ(p.bandas.back().y, 996);
      auto corpo = Corpo(p);
      for (std::size_t k = 0; k < corpo.size(); ++k) EXPECT_EQ(corpo[k]->y, 100 + static_cast<Unidade>(k) * c.altura);
    }
  }
}

TEST(Paginacao, CabecalhoERodapeVeemCadaPaginaEOTotalSoAoDesenhar) {
  Roteiro doc;
  doc.corpo = [](Paginador& p) {
    for (int i = 0; i < 20; ++i) p.Coloca(B(TipoBanda::Detalhe, 100));
  };
  Coletor col;
  Emite(doc, col, Quando);
  ASSERT_EQ(doc.aberturas.size(), 6u);  // three pages, two passes
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(doc.aberturas[i].numero, i % 3 + 1);
    EXPECT_EQ(doc.aberturas[i].total, i < 3 ? 0 : 3);
    EXPECT_EQ(doc.aberturas[i].data, "05/03/2005");
    EXPECT_EQ(doc.aberturas[i].hora, "14:30:00");
  }
}

TEST(Paginacao, RegrasDeQuebra) {
  // One band of altura0 is already on the page, from 100; the body ends at 996.
  struct Caso {
    const char* nome;
    Unidade altura0, altura, minimo, teto;
    int pagina;
  } casos[] = {
      {"fits exactly", 800, 96, 0, 0, 1},
      {"one unit too tall", 800, 97, 0, 0, 2},
      {"room kept for what follows", 800, 50, 96, 0, 1},
      {"not enough room for what follows", 800, 50, 97, 0, 2},
      {"room smaller than the band", 800, 97, 10, 0, 2},
      {"ends just before the ceiling", 800, 33, 0, 934, 1},
      {"reaches the ceiling", 800, 33, 0, 933, 2},
      {"ceiling below the page header", 0, 10, 0, 50, 2},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    Roteiro doc;
    doc.corpo = [&](Paginador& p) {
      p.Coloca(B(TipoBanda::Detalhe, c.altura0));
      Banda b = B(TipoBanda::Detalhe, c.altura, "alvo");
      b.espacoMinimo = c.minimo;
      b.teto = c.teto;
      p.Coloca(std::move(b));
    };
    Coletor col;
    ASSERT_EQ(Emite(doc, col, Quando), c.pagina);
    auto corpo = Corpo(col.paginas.back());
    EXPECT_EQ(corpo.back()->banda.itens.at(0).texto, "alvo");
    EXPECT_EQ(corpo.back()->y, c.pagina == 1 ? 100 + c.altura0 : 100);
  }
}

TEST(Paginacao, BandaQueNaoCabeEmPaginaNenhumaSaiSozinha) {
  // Too tall for any page, or a ceiling the page header already passes: each
  // such band gets one page of its own instead of an endless run of pages.
  Roteiro doc;
  doc.corpo = [](Paginador& p) {
    p.Coloca(B(TipoBanda::Detalhe, 3000, "alta"));
    for (int i = 0; i < 2; ++i) {
      Banda b = B(TipoBanda::Detalhe, 10, "teto");
      b.teto = 50;
      p.Coloca(std::move(b));
    }
  };
  Coletor col;
  ASSERT_EQ(Emite(doc, col, Quando), 3);
  for (const auto& p : col.paginas) EXPECT_EQ(Corpo(p).size(), 1u);
}

TEST(Paginacao, GrupoEmPaginaPropriaSemPaginaEmBranco) {
  Roteiro doc;
  doc.corpo = [](Paginador& p) {
    p.QuebraPagina();  // nothing printed yet: no page
    for (const char* g : {"A", "B"}) {
      Banda cab = B(TipoBanda::CabecalhoGrupo, 50, g);
      cab.novaPagina = true;
      p.Coloca(std::move(cab));
      for (int i = 0; i < 3; ++i) p.Coloca(B(TipoBanda::Detalhe, 20, std::string(g) + std::to_string(i)));
    }
    p.QuebraPagina();
    p.QuebraPagina();
    p.Coloca(B(TipoBanda::Resumo, 20, "fim"));
    p.QuebraPagina();  // at the end: no blank page after it
  };
  Coletor col;
  ASSERT_EQ(Emite(doc, col, Quando), 3);
  EXPECT_EQ(Textos(col.paginas[0]), (std::vector<std::string>{"A", "A0", "A1", "A2"}));
  EXPECT_EQ(Textos(col.paginas[1]), (std::vector<std::string>{"B", "B0", "B1", "B2"}));
  EXPECT_EQ(Textos(col.paginas[2]), (std::vector<std::string>{"fim"}));
  EXPECT_EQ(Corpo(col.paginas[0]).front()->y, 100);
}

TEST(Paginacao, SemLinhasNenhumaPagina) {
  Roteiro doc;
  doc.corpo = [](Paginador& p) { p.QuebraPagina(); };
  Coletor col;
  EXPECT_EQ(Emite(doc, col, Quando), 0);
  EXPECT_TRUE(col.paginas.empty());
  EXPECT_TRUE(doc.aberturas.empty());

  exemplo::ListaVinculos vazia({});
  EXPECT_EQ(Emite(vazia, col, Quando), 0);
  EXPECT_TRUE(col.paginas.empty());
}

// A block of a line and its details that must share a page, under a running
// height ceiling: the line may not reach 900 units from the top of the page,
// header included (163 on a group's first page, 219 with the strip that heads
// its continuation pages), and the line and block must fit above the footer.
TEST(Paginacao, LinhaNuncaSeparadaDoSeuBloco) {
  constexpr Unidade Secao = 260, Linha = 33, Bloco = 164;
  Roteiro doc;
  doc.rodape = 30;
  doc.cabecalho = [](const ContextoPagina& c) { return c.abertura->tipo == TipoBanda::CabecalhoGrupo ? 163 : 219; };
  doc.corpo = [&](Paginador& p) {
    Banda s = B(TipoBanda::CabecalhoGrupo, Secao, "secao");
    s.novaPagina = true;
    p.Coloca(std::move(s));
    for (int i = 0; i < 1200; ++i) {
      Banda l = B(TipoBanda::Detalhe, Linha, "linha");
      l.teto = 900;
      l.espacoMinimo = Linha + Bloco;
      p.Coloca(std::move(l));
      p.Coloca(B(TipoBanda::Filha, Bloco, "bloco"));
    }
  };
  Coletor col;
  // 3 links fit on the first page (163 + 260 + 3 x 197 = 1014), 4 on the others
  // (219 + 4 x 197 = 1007): 3 + 299 x 4 + 1.
  ASSERT_EQ(Emite(doc, col, Quando), 301);
  int linhas = 0;
  for (const auto& p : col.paginas) {
    SCOPED_TRACE(p.numero);
    EXPECT_EQ(p.bandas[0].banda.altura, p.numero == 1 ? 163 : 219);
    auto corpo = Corpo(p);
    std::size_t k = p.numero == 1 ? 1 : 0;
    ASSERT_EQ((corpo.size() - k) % 2, 0u);
    EXPECT_EQ(corpo.size() - k, p.numero == 1 ? 6u : p.numero == 301 ? 2u : 8u);
    for (; k < corpo.size(); k += 2, ++linhas) {
      EXPECT_EQ(corpo[k]->banda.tipo, TipoBanda::Detalhe);
      EXPECT_EQ(corpo[k + 1]->banda.tipo, TipoBanda::Filha);
      EXPECT_LT(corpo[k]->y + Linha, 900);
      EXPECT_LE(corpo[k + 1]->y + Bloco, 1046 - 30);
    }
    // A page ends only when the next line would reach 900.
    if (p.numero < 301) {
      EXPECT_GE(corpo.back()->y + Bloco + Linha, 900);
    }
  }
  EXPECT_EQ(linhas, 1200);
}

TEST(Paginacao, PaginasSaemUmaAUmaEnquantoODocumentoGera) {
  int geradas = 0;
  Roteiro doc;
  doc.corpo = [&](Paginador& p) {
    for (int i = 0; i < 100 && !p.Parado(); ++i, ++geradas) p.Coloca(B(TipoBanda::Detalhe, 100, std::to_string(i)));
  };
  struct Marcador : Coletor {
    const int* geradas;
    std::vector<int> aoReceber;
    bool Recebe(const Pagina& p) override {
      aoReceber.push_back(*geradas);
      return Coletor::Recebe(p);
    }
  } col;
  col.geradas = &geradas;
  ASSERT_EQ(Emite(doc, col, Quando), 13);
  // Page n arrives as the band that opens page n + 1 is placed: only the page being filled is held.
  for (int n = 0; n < 12; ++n) EXPECT_EQ(col.aoReceber[n] - 100, n * 8 + 8) << n;

  // Only the pages wanted are assembled; the pass may end with the last of them.
  geradas = 0;
  Coletor parte;
  parte.querer = {2, 3};
  parte.pararApos = 3;
  EXPECT_EQ(Monta(doc, parte, 13, Quando), 3);
  ASSERT_EQ(parte.paginas.size(), 2u);
  EXPECT_EQ(Textos(parte.paginas[0]).front(), "8");
  EXPECT_EQ(Textos(parte.paginas[1]).front(), "16");
  EXPECT_EQ(geradas, 25);  // the 25th band found the pass over
}

TEST(Paginacao, ListaDeVinculos) {
  using exemplo::ListaVinculos;
  std::vector<exemplo::Vinculo> linhas;
  for (int i = 0; i < 60; ++i)
    linhas.push_back({"11.222.333/0001-81", "1000000000" + std::to_string(i % 10), "Empregado " + std::to_string(i),
                      i % 7 == 3 ? "15/03/2004" : ""});
  linhas.push_back({"99.888.777/0001-00", "20000000001", "Única", ""});
  ListaVinculos doc(linhas);
  Coletor col;
  const int total = Emite(doc, col, Quando);
  ASSERT_EQ(total, 3);

  auto conta = [](const Pagina& p, TipoBanda t) {
    int n = 0;
    for (const auto& b : p.bandas) n += b.banda.tipo == t;
    return n;
  };
  const Pagina &p1 = col.paginas[0], &p2 = col.paginas[1], &p3 = col.paginas[2];
  // Title only on the first page; one header band, plus the continuation note on page 2.
  EXPECT_EQ(Corpo(p1).front()->banda.tipo, TipoBanda::Titulo);
  EXPECT_EQ(conta(p1, TipoBanda::CabecalhoPagina), 1);
  EXPECT_EQ(conta(p2, TipoBanda::CabecalhoPagina), 2);
  EXPECT_EQ(conta(p3, TipoBanda::CabecalhoPagina), 1);
  auto t2 = Textos(p2);
  EXPECT_EQ(t2[2], "(continuação de 11.222.333/0001-81)");
  EXPECT_EQ(Corpo(p2).front()->y, ListaVinculos::Cabecalho + ListaVinculos::Continuacao);
  // A dismissal line always follows its link on the same page.
  for (const auto& p : col.paginas) {
    auto corpo = Corpo(p);
    for (std::size_t k = 0; k < corpo.size(); ++k)
      if (corpo[k]->banda.tipo == TipoBanda::Filha) {
        EXPECT_EQ(corpo[k - 1]->banda.tipo, TipoBanda::Detalhe);
      }
  }
  // The second establishment starts a page; the summary closes the last one.
  auto t3 = Textos(p3);
  EXPECT_EQ(t3[2], "Estabelecimento: 99.888.777/0001-00");
  EXPECT_EQ(Corpo(p3).back()->banda.tipo, TipoBanda::Resumo);
  EXPECT_EQ(t3.end()[-3], "Total geral: 61 vínculos");
  EXPECT_EQ(t3.end()[-2], "Página 3 de 3");
  EXPECT_EQ(conta(p2, TipoBanda::RodapeGrupo), 1);
  EXPECT_NE(std::find(t2.begin(), t2.end(), "Vínculos do estabelecimento: 60"), t2.end());

  // Run again: the same pages, so that the counting pass and the drawing agree.
  Coletor outra;
  EXPECT_EQ(Emite(doc, outra, Quando), 3);
  EXPECT_EQ(Textos(outra.paginas[2]), t3);
}

}  // namespace
}  // namespace vornex::relatorio
