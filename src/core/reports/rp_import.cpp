#include "reports/rp_import.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas_trabalho.h"
#include "reports/rp_comum.h"
#include "validation/regras_estabelecimento.h"

namespace vornex::relatorio {

namespace {

// Columns: inscription, prefix, linked CEI, code, total read, three counters.
constexpr Unidade kX[] = {0, 140, 200, 330, 380, 470, 550, 630};
constexpr Unidade kLinha = 16;

std::string Inscricao(const std::string& n, const std::string& tipo) {
  const NuMensagem r = CriticaCnpjCei(n);
  if (r == "0051"_msg || (r == "0050"_msg && tipo == "1")) return FormataInscricao(n, "1");
  if (r == "0052"_msg || (r == "0050"_msg && tipo == "3")) return FormataInscricao(n, "3");
  return n;
}

std::string CeiVinculado(const std::string& n) {
  if (Apara(n).empty() || SoZeros(n)) return {};
  const NuMensagem r = CriticaCnpjCei(n);
  return r == "0052"_msg || r == "0050"_msg ? FormataInscricao(n, "3") : n;
}

std::string Contador(const std::string& s) { return Apara(s).empty() ? "0" : s; }

}  // namespace

TrpImport::TrpImport(Conexao& c, std::string anoOrigem)
    : c_(c), ano_(std::move(anoOrigem)), catalogo_(CatalogoDaConexao(c)) {}

void TrpImport::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  const std::string tabela = Identificador(kTabelaImportacao);
  Consulta q(c_, {"select *", "from " + tabela, "order by rowid"});
  bool alguma = false;
  while (!p.Parado() && q.proxima()) {
    alguma = true;
    const Linha r = q.linha();
    const bool numerado = !Apara(r["CoImp"]).empty() && r["Seq"] != "0";
    Banda l(TipoBanda::Detalhe, kLinha);
    l.Texto(kX[0], 2, 135, 14, Inscricao(r["CoCgcCeiEstabelecimento"], r["InInscrEstabelecimento"]), kFonteTexto)
        .Texto(kX[1], 2, 55, 14, r["NuPrefixoEstabelecimento"], kFonteTexto)
        .Texto(kX[2], 2, 125, 14, CeiVinculado(r["CoCgcVinculado"]), kFonteTexto)
        .Texto(kX[3], 2, 45, 14, numerado ? "(" + r["Seq"] + ")" : "", kFonteTexto)
        .Texto(kX[4], 2, 70, 14, std::to_string(ValorInteiro(Apara(r["NuVinculosEstabelecimento"]))), kFonteTexto,
               Alinhamento::Direita)
        .Texto(kX[5], 2, 70, 14, Contador(r["NuTotalDesligados"]), kFonteTexto, Alinhamento::Direita)
        .Texto(kX[6], 2, 70, 14, Contador(r["NuTotalDuplicados"]), kFonteTexto, Alinhamento::Direita)
        .Texto(kX[7], 2, 70, 14, Contador(r["NuTotalImportados"]), kFonteTexto, Alinhamento::Direita);
    p.Coloca(std::move(l));
  }
  if (!alguma) return;
  // An empty code is an establishment with nothing recorded; numbers sort as numbers.
  Consulta legenda(c_, {"select distinct seq,coimp", "from " + tabela, "where coimp<>'0000' and trim(coimp)<>''",
                        "Order by cast(seq as integer)"});
  bool primeira = true;
  while (!p.Parado() && legenda.proxima()) {
    Banda b(TipoBanda::Resumo, kLinha);
    if (primeira) b.Traco(0, 0, w, 0);
    primeira = false;
    b.Texto(0, 2, 40, 14, "(" + std::string(legenda.texto(0)) + ")", kFonteTexto)
        .Paragrafo(40, 2, w - 40, 14, TextoMensagem(catalogo_, legenda.texto(1)), kFonteTexto);
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
      .Texto(kX[5], 72, w - kX[5], 14, "Contabilização dos Empregados/Servidores", kFonteNegrito)
      .Texto(kX[0], 92, 200, 14, "Inscrição CNPJ/CEI              Prefixo", kFonteNegrito)
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
