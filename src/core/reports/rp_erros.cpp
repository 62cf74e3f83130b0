#include "reports/rp_erros.h"

#include <optional>
#include <utility>

#include "common/texto.h"
#include "reports/rp_comum.h"
#include "validation/ocorrencias.h"

namespace vornex::relatorio {

namespace {

std::string InscricaoPorTipo(const std::string& inscricao, const std::string& tipo) {
  return FormataInscricao(inscricao, tipo == "1" || tipo == "3" ? tipo : std::string_view{});
}

constexpr Unidade kRecuoMensagem = 20, kRecuoCampo = 40;

}  // namespace

TrpErros::TrpErros(Conexao& c) : c_(c), catalogo_(Catalogo::LeConexao(c)) {}

void TrpErros::Coloca(Paginador& p, Banda b, Abertura a) {
  abrindo_ = a;
  p.Coloca(std::move(b));
}

void TrpErros::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  bool primeiraParte = true;
  for (const ParteOcorrencias& parte : AgrupaOcorrencias(LeOcorrencias(c_), catalogo_)) {
    avisos_ = parte.avisos;
    registro_.clear(), vinculo_.clear();
    // The warnings start on a page of their own.
    bool novaPagina = !primeiraParte && parte.avisos;
    primeiraParte = false;
    for (const RegistroOcorrencia& r : parte.registros) {
      if (p.Parado()) return;
      const Linha& l = r.linha;
      std::optional<std::string> registro, vinculo;
      if (r.nivel == "0") {
        registro = "Registro tipo zero(abertura do arquivo):";
      } else if (r.abreEstabelecimento) {
        registro = "Estabelecimento : (" + l["prefixo"] + ") " + l["razaosocial"] + "  " +
                   InscricaoPorTipo(l["inscricao"], l["tipoinscricao"]);
      }
      if (r.nivel == "2") {
        vinculo = "Empregado : " + FormataPis(l["copispasep"]) + "  " + l["noempregado"] + "  " +
                  FormataData(l["DaAdmissao"]);
        if (!l["usoempresa"].empty()) *vinculo += " (" + l["usoempresa"] + ")";
      }

      // Every band of the record, in order, with what each one opens.
      std::vector<std::pair<Banda, Abertura>> bandas;
      if (registro) {
        registro_ = *registro;
        bandas.emplace_back(BandaDeLinhas(TipoBanda::CabecalhoGrupo, 0, w, registro_, kFonteNegrito, 4),
                            Abertura::Registro);
      }
      if (r.nivel != "2") vinculo_.clear();
      if (vinculo) {
        vinculo_ = *vinculo;
        bandas.emplace_back(BandaDeLinhas(TipoBanda::Filha, 0, w, vinculo_, kFonteTexto), Abertura::Vinculo);
      }
      const std::size_t cabecalhos = bandas.size();
      for (const MensagemOcorrencia& m : r.mensagens) {
        const std::size_t titulo = bandas.size();
        // The heading of a message repeated under the same record is left blank.
        bandas.emplace_back(m.repetida ? Banda(TipoBanda::CabecalhoGrupo, 2 + Entrelinha(kFonteNegrito))
                                       : BandaDeLinhas(TipoBanda::CabecalhoGrupo, kRecuoMensagem, w - kRecuoMensagem,
                                                       m.texto, kFonteNegrito),
                            Abertura::Corpo);
        for (const CampoOcorrencia& campo : m.campos)
          bandas.emplace_back(BandaDeLinhas(TipoBanda::Detalhe, kRecuoCampo, w - kRecuoCampo,
                                            r.nivel == "2" ? campo.rotulo + "= " + campo.conteudo
                                                           : campo.rotulo + " =" + campo.conteudo,
                                            kFonteTexto, 1),
                              Abertura::Corpo);
        // A message heading never ends a page alone.
        if (titulo + 1 < bandas.size())
          bandas[titulo].first.espacoMinimo = bandas[titulo].first.altura + bandas[titulo + 1].first.altura;
      }
      // Nor does a record heading: it keeps its first message heading and line with it.
      Unidade resto = 0;
      for (std::size_t i = cabecalhos; i < bandas.size() && i < cabecalhos + 2; ++i) resto += bandas[i].first.altura;
      for (std::size_t i = cabecalhos; i-- > 0;) {
        resto += bandas[i].first.altura;
        bandas[i].first.espacoMinimo = resto;
      }
      if (!bandas.empty()) bandas.front().first.novaPagina = std::exchange(novaPagina, false);
      for (auto& [b, a] : bandas) {
        if (p.Parado()) return;
        Coloca(p, std::move(b), a);
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
  // A page that opens inside a record repeats whose lines these are.
  if (abrindo_ != Abertura::Registro && !registro_.empty())
    bandas.push_back(BandaDeLinhas(TipoBanda::CabecalhoPagina, 0, w, registro_, kFonteNegrito, 4));
  if (abrindo_ == Abertura::Corpo && !vinculo_.empty())
    bandas.push_back(BandaDeLinhas(TipoBanda::CabecalhoPagina, 0, w, vinculo_, kFonteTexto));
}

void TrpErros::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), true, 3));
}

}  // namespace vornex::relatorio
