#include "reports/rp_erros.h"

#include "common/texto.h"
#include "reports/rp_comum.h"
#include "validation/ocorrencias.h"

namespace vornex::relatorio {

namespace {

constexpr Unidade kRegistro = 18, kVinculo = 16, kTitulo = 16, kDetalhe = 14;

std::string InscricaoPorTipo(const std::string& inscricao, const std::string& tipo) {
  return FormataInscricao(inscricao, tipo == "1" || tipo == "3" ? tipo : std::string_view{});
}

}  // namespace

TrpErros::TrpErros(Conexao& c) : c_(c), catalogo_(Catalogo::LeConexao(c)) {}

void TrpErros::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  bool primeiraParte = true;
  for (const ParteOcorrencias& parte : AgrupaOcorrencias(LeOcorrencias(c_), catalogo_)) {
    avisos_ = parte.avisos;
    // The warnings start on a page of their own.
    bool novaPagina = !primeiraParte && parte.avisos;
    primeiraParte = false;
    for (const RegistroOcorrencia& r : parte.registros) {
      if (p.Parado()) return;
      const Linha& l = r.linha;
      std::vector<Banda> bandas;
      auto linha = [&](Unidade altura, std::string texto, Fonte f) {
        Banda b(bandas.empty() ? TipoBanda::CabecalhoGrupo : TipoBanda::Filha, altura);
        b.Texto(0, 2, w, altura - 2, std::move(texto), f);
        bandas.push_back(std::move(b));
      };
      if (r.nivel == "0") {
        linha(kRegistro, "Registro tipo zero(abertura do arquivo):", kFonteNegrito);
      } else if (r.abreEstabelecimento) {
        linha(kRegistro,
              "Estabelecimento : (" + l["prefixo"] + ") " + l["razaosocial"] + "  " +
                  InscricaoPorTipo(l["inscricao"], l["tipoinscricao"]),
              kFonteNegrito);
      }
      if (r.nivel == "2") {
        std::string t = "Empregado : " + FormataPis(l["copispasep"]) + "  " + l["noempregado"] + "  " +
                        FormataData(l["DaAdmissao"]);
        if (!l["usoempresa"].empty()) t += " (" + l["usoempresa"] + ")";
        linha(kVinculo, std::move(t), kFonteTexto);
      }
      // A record heading never ends a page alone.
      Unidade resto = kTitulo + kDetalhe;
      for (auto it = bandas.rbegin(); it != bandas.rend(); ++it) {
        it->espacoMinimo = it->altura + resto;
        resto += it->altura;
      }
      if (!bandas.empty()) {
        bandas.front().novaPagina = novaPagina;
        novaPagina = false;
      }
      for (auto& b : bandas) p.Coloca(std::move(b));

      for (const MensagemOcorrencia& m : r.mensagens) {
        Banda t(TipoBanda::CabecalhoGrupo, kTitulo);
        t.espacoMinimo = kTitulo + kDetalhe;
        t.novaPagina = novaPagina;
        novaPagina = false;
        if (!m.repetida) t.Texto(20, 2, w - 20, kTitulo - 2, m.texto, kFonteNegrito);
        p.Coloca(std::move(t));
        for (const CampoOcorrencia& campo : m.campos) {
          if (p.Parado()) return;
          Banda d(TipoBanda::Detalhe, kDetalhe);
          d.Texto(40, 1, w - 40, kDetalhe - 1,
                  r.nivel == "2" ? campo.rotulo + "= " + campo.conteudo : campo.rotulo + " =" + campo.conteudo,
                  kFonteTexto);
          p.Coloca(std::move(d));
        }
      }
    }
  }
}

void TrpErros::CabecalhoPagina(const ContextoPagina&, std::vector<Banda>& bandas) {
  const Formato f = FormatoPagina();
  const Unidade w = f.LarguraUtil();
  Banda c(TipoBanda::CabecalhoPagina, 108);
  c.Traco(0, 0, w, 0);
  TitulosCentrados(c, 4, w, avisos_ ? "Relatório de Avisos" : "Relatório de Erros");
  c.Traco(0, 66, w, 66)
      .Paragrafo(0, 70, w, 30, LinhasAtendimento("Maiores esclarecimentos: CATZEMA - Central de Atendimento da ZEMA "),
                 kFonteTexto)
      .Traco(0, 104, w, 104);
  bandas.push_back(std::move(c));
  if (avisos_) {
    Banda n(TipoBanda::CabecalhoPagina, 34);
    n.Texto(0, 2, w, 14, "\"Os avisos alertam para informações não esperadas.", kFonteTexto, Alinhamento::Centro)
        .Texto(0, 16, w, 14, "Não impedem a entrega do disquete com a declaração da ZEMA.\"", kFonteTexto,
               Alinhamento::Centro);
    bandas.push_back(std::move(n));
  }
}

void TrpErros::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), true, 3));
}

}  // namespace vornex::relatorio
