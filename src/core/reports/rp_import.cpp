#include "reports/rp_import.h"

#include "common/versao.h"
#include "data/banco.h"
#include "declfile/importacao.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {

// Columns: inscription, prefix, linked CEI, code, total read, three counters.
constexpr Unidade kX[] = {0, 140, 200, 330, 380, 470, 550, 630};
constexpr Unidade kLinha = 16;

}  // namespace

TrpImport::TrpImport(Conexao& c)
    : c_(c), ano_(AnoOrigemImportacao(c).value_or(std::string(AnoBase))), catalogo_(Catalogo::LeConexao(c)) {}

void TrpImport::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  const std::vector<Linha> linhas = LinhasImportacao(c_);
  if (linhas.empty()) return;
  for (const Linha& r : linhas) {
    if (p.Parado()) return;
    const LinhaRelatorioImportacao t = FormataLinhaImportacao(r);
    Banda l(TipoBanda::Detalhe, kLinha);
    l.Texto(kX[0], 2, 135, 14, t.inscricao, kFonteTexto)
        .Texto(kX[1], 2, 55, 14, t.prefixo, kFonteTexto)
        .Texto(kX[2], 2, 125, 14, t.ceiVinculado, kFonteTexto)
        .Texto(kX[3], 2, 45, 14, t.codigo, kFonteTexto)
        .Texto(kX[4], 2, 70, 14, t.totalLido, kFonteTexto, Alinhamento::Direita)
        .Texto(kX[5], 2, 70, 14, t.desligados, kFonteTexto, Alinhamento::Direita)
        .Texto(kX[6], 2, 70, 14, t.duplicados, kFonteTexto, Alinhamento::Direita)
        .Texto(kX[7], 2, 70, 14, t.importados, kFonteTexto, Alinhamento::Direita);
    p.Coloca(std::move(l));
  }
  bool primeira = true;
  for (const auto& [seq, codigo] : LegendaImportacao(c_)) {
    if (p.Parado()) return;
    Banda b = BandaDeLinhas(TipoBanda::Resumo, 40, w - 40, catalogo_.texto(codigo), kFonteTexto);
    if (primeira) b.Traco(0, 0, w, 0);
    primeira = false;
    b.Texto(0, 2, 40, 14, "(" + seq + ")", kFonteTexto);
    p.Coloca(std::move(b));
  }
}

void TrpImport::CabecalhoPagina(const ContextoPagina&, std::vector<Banda>& bandas) {
  const Unidade w = FormatoPagina().LarguraUtil();
  Banda c(TipoBanda::CabecalhoPagina, 130);
  c.Traco(0, 0, w, 0);
  TitulosCentrados(c, 4, w, "Relatório de Importação de Dados  " + ano_);
  c.Traco(0, 66, w, 66)
      .Texto(kX[0], 72, 320, 14, "Identificação do Estabelecimento", kFonteNegrito)
      .Texto(kX[4], 72, w - kX[4], 14, "Contabilização dos Empregados/Servidores", kFonteNegrito)
      .Texto(kX[0], 92, kX[1] - kX[0] - 5, 14, "Inscrição CNPJ/CEI", kFonteNegrito)
      .Texto(kX[1], 92, kX[2] - kX[1] - 5, 14, "Prefixo", kFonteNegrito)
      .Texto(kX[2], 92, 125, 14, "CEI Vinculado", kFonteNegrito)
      .Texto(kX[4], 92, 70, 14, "Total lido", kFonteNegrito, Alinhamento::Direita)
      .Texto(kX[5], 92, 70, 14, "Deslig.", kFonteNegrito, Alinhamento::Direita)
      .Texto(kX[6], 92, 70, 14, "Duplic.", kFonteNegrito, Alinhamento::Direita)
      .Texto(kX[7], 92, 70, 14, "Import.", kFonteNegrito, Alinhamento::Direita)
      .Traco(0, 126, w, 126);
  bandas.push_back(std::move(c));
}

void TrpImport::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), false));
}

}  // namespace vornex::relatorio
