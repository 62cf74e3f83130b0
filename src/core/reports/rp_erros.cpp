#include "reports/rp_erros.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas_trabalho.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {

constexpr Unidade kRegistro = 18, kVinculo = 16, kTitulo = 16, kDetalhe = 14;

std::string InscricaoPorTipo(const std::string& inscricao, const std::string& tipo) {
  return FormataInscricao(inscricao, tipo == "1" || tipo == "3" ? tipo : std::string_view{});
}

}  // namespace

TrpErros::TrpErros(Conexao& c) : c_(c), catalogo_(CatalogoDaConexao(c)) {}

void TrpErros::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  Consulta q(c_, {"Select *", std::string("from ") + kTabelaErros, "order by errwar,sequencial"});
  const auto& e = *q.esquema();
  const std::size_t cErrwar = e.indice("errwar"), cTipo = e.indice("tiporegistro"), cInscr = e.indice("inscricao"),
                    cTipoInscr = e.indice("tipoinscricao"), cPrefixo = e.indice("prefixo"),
                    cRetorno = e.indice("retorno"), cRazao = e.indice("razaosocial"), cPis = e.indice("copispasep"),
                    cNome = e.indice("noempregado"), cAdm = e.indice("DaAdmissao"), cUso = e.indice("usoempresa"),
                    cLbl = e.indice("lbl"), cConteudo = e.indice("Conteudo");

  // What the report remembers while printing; cleared again when warnings start.
  std::string ultimoEstab, ultimoTitulo;
  bool parteErros = false, primeira = true;
  QuebraGrupo registro, mensagem;

  while (!p.Parado() && q.proxima()) {
    const Linha l = q.linha();
    const bool aviso = l[cErrwar] != "err";
    avisos_ = aviso;
    bool novaPagina = false;
    if (primeira) {
      parteErros = !aviso;
      primeira = false;
    } else if (parteErros && aviso) {
      parteErros = false;
      novaPagina = true;
      ultimoEstab.clear(), ultimoTitulo.clear();
      registro.Reinicia();
    }

    const std::string& nivel = l[cTipo];
    const std::string estab = l[cInscr] + "/" + l[cPrefixo];
    const std::string vinculo = l[cPis] + "/" + l[cAdm] + "/" + l[cNome];
    if (registro.Mudou(l[cErrwar] + nivel + l[cInscr] + l[cPrefixo] + l[cPis] + l[cAdm] + l[cNome])) {
      mensagem.Reinicia();
      std::vector<Banda> bandas;
      auto linha = [&](Unidade altura, std::string texto, Fonte f) {
        Banda b(bandas.empty() ? TipoBanda::CabecalhoGrupo : TipoBanda::Filha, altura);
        b.Texto(0, 2, w, altura - 2, std::move(texto), f);
        bandas.push_back(std::move(b));
      };
      if (nivel == "0") {
        linha(kRegistro, "Registro tipo zero(abertura do arquivo):", kFonteNegrito);
      } else if (nivel == "1" || (nivel == "2" && estab != ultimoEstab)) {
        linha(kRegistro,
              "Estabelecimento : (" + l[cPrefixo] + ") " + l[cRazao] + "  " + InscricaoPorTipo(l[cInscr], l[cTipoInscr]),
              kFonteNegrito);
        ultimoEstab = estab;
      }
      if (nivel == "2") {
        std::string t = "Empregado : " + FormataPis(l[cPis]) + "  " + l[cNome] + "  " + FormataData(l[cAdm]);
        if (!l[cUso].empty()) t += " (" + l[cUso] + ")";
        linha(kVinculo, std::move(t), kFonteTexto);
      }
      // A record heading never ends a page alone.
      Unidade resto = kTitulo + kDetalhe;
      for (auto it = bandas.rbegin(); it != bandas.rend(); ++it) {
        it->espacoMinimo = it->altura + resto;
        resto += it->altura;
      }
      if (!bandas.empty()) bandas.front().novaPagina = novaPagina;
      for (auto& b : bandas) p.Coloca(std::move(b));
      novaPagina = false;
    }

    if (mensagem.Mudou(l[cRetorno])) {
      // Blank when it repeats, for the same record, the last heading's number.
      const std::string doRegistro = nivel == "0" ? "0" : nivel == "1" ? "1" + estab : nivel + estab + "/" + vinculo;
      const std::string chave = doRegistro + "|" + l[cRetorno];
      Banda t(TipoBanda::CabecalhoGrupo, kTitulo);
      t.espacoMinimo = kTitulo + kDetalhe;
      t.novaPagina = novaPagina;
      if (chave != ultimoTitulo) t.Texto(20, 2, w - 20, kTitulo - 2, TextoMensagem(catalogo_, l[cRetorno]), kFonteNegrito);
      ultimoTitulo = chave;
      p.Coloca(std::move(t));
    }

    const std::string rotulo = TextoMensagem(catalogo_, l[cLbl]);
    Banda d(TipoBanda::Detalhe, kDetalhe);
    d.Texto(40, 1, w - 40, kDetalhe - 1,
            nivel == "2" ? rotulo + "= " + l[cConteudo] : rotulo + " =" + l[cConteudo], kFonteTexto);
    p.Coloca(std::move(d));
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
