#pragma once
// A small listing of links by establishment, written against the report engine
// as its documents are: title, page header with a continuation note on the
// pages that continue an establishment, one group per establishment on a page
// of its own, a detail line per link with a child line for a dismissal, a group
// footer, a framed summary and a page footer with "Página N de M".
#include <string>
#include <vector>

#include "reports/relatorio.h"

namespace vornex::relatorio::exemplo {

struct Vinculo {
  std::string estabelecimento;
  std::string pis;
  std::string nome;
  std::string desligamento;  // DD/MM/AAAA or empty
};

class ListaVinculos : public Documento {
 public:
  static constexpr Unidade Titulo = 40, Cabecalho = 30, Continuacao = 20, Grupo = 50, Detalhe = 20,
                           Desligado = 16, FimGrupo = 30, Resumo = 40, Rodape = 24;

  explicit ListaVinculos(std::vector<Vinculo> linhas, Papel papel = Papel::A4)
      : linhas_(std::move(linhas)), formato_(papel, 10) {}

  Formato FormatoPagina() const override { return formato_; }

  void Gera(Paginador& p) override {
    const Unidade w = formato_.LarguraUtil();
    QuebraGrupo grupo;
    int noGrupo = 0;
    for (std::size_t i = 0; i < linhas_.size() && !p.Parado(); ++i) {
      const Vinculo& v = linhas_[i];
      if (grupo.Mudou(v.estabelecimento)) {
        atual_ = v.estabelecimento;
        if (i == 0) {
          Banda t(TipoBanda::Titulo, Titulo);
          t.Texto(0, 8, w, 24, "Lista de vínculos", {14, true, true}, Alinhamento::Centro);
          p.Coloca(std::move(t));
        }
        Banda g(TipoBanda::CabecalhoGrupo, Grupo);
        g.novaPagina = i != 0;  // the first one shares its page with the title
        g.espacoMinimo = Grupo + Detalhe;  // never a heading alone at a page's foot
        g.Quadro(0, 2, w, 24)
            .Texto(6, 6, w - 12, 18, "Estabelecimento: " + v.estabelecimento, {10, true})
            .Texto(0, 32, 150, 16, "PIS/PASEP", {9, true})
            .Texto(160, 32, 400, 16, "Nome", {9, true})
            .Texto(w - 150, 32, 150, 16, "Desligamento", {9, true}, Alinhamento::Direita);
        p.Coloca(std::move(g));
        noGrupo = 0;
      }
      Banda d(TipoBanda::Detalhe, Detalhe);
      d.Texto(0, 2, 150, 16, v.pis).Texto(160, 2, 400, 16, v.nome)
          .Texto(w - 150, 2, 150, 16, v.desligamento, {}, Alinhamento::Direita);
      if (!v.desligamento.empty()) d.espacoMinimo = Detalhe + Desligado;
      p.Coloca(std::move(d));
      if (!v.desligamento.empty()) {
        Banda f(TipoBanda::Filha, Desligado);
        f.Texto(160, 0, 400, 14, "Desligado em " + v.desligamento, {8, false, false, true});
        p.Coloca(std::move(f));
      }
      ++noGrupo;
      ++total_;
      if (i + 1 == linhas_.size() || linhas_[i + 1].estabelecimento != v.estabelecimento) {
        Banda r(TipoBanda::RodapeGrupo, FimGrupo);
        r.Traco(0, 4, w, 4).Texto(0, 8, w, 16, "Vínculos do estabelecimento: " + std::to_string(noGrupo), {},
                                  Alinhamento::Direita);
        p.Coloca(std::move(r));
      }
    }
    if (!linhas_.empty() && !p.Parado()) {
      Banda s(TipoBanda::Resumo, Resumo);
      s.Quadro(0, 4, w, 32, 2).Texto(0, 12, w, 18, "Total geral: " + std::to_string(total_) + " vínculos", {10, true},
                                     Alinhamento::Centro);
      p.Coloca(std::move(s));
    }
    total_ = 0;
  }

  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override {
    const Unidade w = formato_.LarguraUtil();
    Banda c(TipoBanda::CabecalhoPagina, Cabecalho);
    c.Texto(0, 4, w / 2, 16, "Emitida em " + std::string(ctx.data))
        .Texto(w / 2, 4, w - w / 2, 16, "VORNEX", {9, true}, Alinhamento::Direita)
        .Traco(0, 26, w, 26);
    bandas.push_back(std::move(c));
    // Only on the pages that continue an establishment.
    const bool continua = ctx.abertura->tipo != TipoBanda::CabecalhoGrupo && ctx.abertura->tipo != TipoBanda::Titulo;
    if (continua) {
      Banda n(TipoBanda::CabecalhoPagina, Continuacao);
      n.Texto(0, 2, w, 16, "(continuação de " + atual_ + ")", {8, false, false, true});
      bandas.push_back(std::move(n));
    }
  }

  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override {
    const Unidade w = formato_.LarguraUtil();
    Banda r(TipoBanda::RodapePagina, Rodape);
    r.Traco(0, 2, w, 2, 2)
        .Texto(0, 6, w, 16, "Página " + std::to_string(ctx.numero) + " de " + std::to_string(ctx.total), {},
               Alinhamento::Centro)
        .Texto(w - 120, 6, 120, 16, std::string(ctx.hora), {}, Alinhamento::Direita);
    bandas.push_back(std::move(r));
  }

 private:
  std::vector<Vinculo> linhas_;
  Formato formato_;
  std::string atual_;
  int total_ = 0;
};

}  // namespace vornex::relatorio::exemplo
