#include "reports/rp_estrut.h"

#include "data/banco.h"
#include "data/tabelas_trabalho.h"
#include "declfile/texto_estrutura.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {
constexpr Unidade kLinha = 16;
}

TrpEstrut::TrpEstrut(Conexao& c) : c_(c), catalogo_(Catalogo::LeConexao(c)) {}

void TrpEstrut::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  // An analysis records its first error only: one to three rows.
  std::vector<ErroEstrutura> erros;
  Consulta q(c_, {"select *", "from " + Identificador(kTabelaEstrutura), "order by sequencia"});
  while (q.proxima()) {
    const Linha l = q.linha();
    erros.push_back({l["AnBase"], l["CoMsg"], l["Sequencia"], l["InscricaoPrefixo"], l["TipoCampo"],
                     l["PosicaoInicial"], l["Conteudo"]});
  }
  if (erros.empty()) return;

  Banda t(TipoBanda::Titulo, 108);
  t.Traco(0, 0, w, 0);
  TitulosCentrados(t, 4, w, kTituloRelatorioEstrutura);
  t.Traco(0, 66, w, 66)
      .Paragrafo(0, 70, w, 30, LinhasAtendimento("Maiores esclarecimentos: CATZEMA - Central de Atendimento da ZEMA "),
                 kFonteTexto)
      .Traco(0, 104, w, 104);
  p.Coloca(std::move(t));
  // The wording and grouping are the analyser's; the report only lays them out.
  for (const std::string& linha : TextoRelatorioEstrutura(erros, catalogo_)) {
    const bool erro = linha.rfind("Erro :", 0) == 0;
    Banda b(erro ? TipoBanda::CabecalhoGrupo : TipoBanda::Detalhe, erro ? kLinha + 8 : kLinha);
    if (erro) b.espacoMinimo = b.altura + 2 * kLinha;
    b.Texto(erro ? 0 : 20, b.altura - kLinha + 2, w, kLinha - 2, linha, erro ? kFonteNegrito : kFonteTexto);
    p.Coloca(std::move(b));
  }
  Banda n(TipoBanda::Resumo, 60);
  n.Traco(0, 10, w, 10)
      .Paragrafo(0, 16, w, 20, std::string(kNotaPrimeiraOcorrencia), kFonteTexto)
      .Paragrafo(0, 38, w, 20, std::string(kNotaCartela), kFonteTexto);
  p.Coloca(std::move(n));
}

void TrpEstrut::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), false));
}

}  // namespace vornex::relatorio
