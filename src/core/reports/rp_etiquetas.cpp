#include "reports/rp_etiquetas.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas_trabalho.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {

constexpr Unidade kLargura = 440, kLinha = 15, kMargem = 8, kAltura = 11 * kLinha + 2 * kMargem, kIntervalo = 12;

}  // namespace

void TrpEtiquetas::Gera(Paginador& p) {
  Consulta q(c_, {"select * from " + Identificador(kTabelaProtocoloId), "order by rowid"});
  while (!p.Parado() && q.proxima()) {
    const Linha r = q.linha();
    Banda b(TipoBanda::Detalhe, kAltura + kIntervalo);
    b.Quadro(0, 0, kLargura, kAltura);
    const Unidade x = kMargem, w = kLargura - 2 * kMargem;
    auto y = [](int linha) { return kMargem + (linha - 1) * kLinha; };
    const std::string& tipo = r["InInscrEstabelecimento"];
    const std::string& ddd = r["NuFoneDDD"];
    b.Texto(x, y(1), w, kLinha, std::string(kNomeDeclaracao) + " - ZEMA", kFonteNegrito)
        .Texto(x, y(2), w, kLinha, r["InRetificacao"] == "1" ? "Ano-Base 2004,V.1(Retif.)" : "Ano-Base 2004,V.1.",
               kFonteNegrito, Alinhamento::Centro)
        .Texto(x, y(3), w, kLinha, "Inscrição do 1o. estabelecimento do arquivo:", kFonteTexto)
        .Texto(x, y(4), 220, kLinha,
               FormataInscricao(r["CoCgcCeiEstabelecimento"], tipo == "1" || tipo == "3" ? tipo : std::string()),
               kFonteNegrito)
        .Texto(x + 240, y(4), w - 240, kLinha, "Disco: " + r["NuDisquete"], kFonteNegrito)
        .Texto(x, y(5), w, kLinha, "Razão Social do 1o. estabelecimento do arquivo:", kFonteTexto)
        .Texto(x, y(6), w, kLinha, PrimeirosCaracteres(r["NoRazaoEstabelecimento"], 30), kFonteNegrito)
        .Texto(x, y(7), w, kLinha,
               "Quant.Estabelecimentos do arquivo: " + std::to_string(ValorInteiro(Apara(r["NuEstabelecimentos"]))),
               kFonteTexto)
        .Texto(x, y(8), w, kLinha, "Quant.Vínculos do arquivo: " + std::to_string(ValorInteiro(Apara(r["NuVinculos"]))),
               kFonteTexto)
        .Texto(x, y(9), w, kLinha, "Nome p/Contato: " + PrimeirosCaracteres(r["NoResponsavelArquivo"], 20), kFonteTexto)
        .Texto(x, y(10), w, kLinha,
               "Telefone p/Contato: " + (ddd.empty() ? std::string() : "( " + ddd + " )") + r["NuFoneAssinante"],
               kFonteTexto)
        .Texto(x, y(11), 70, kLinha, "E - Mail :", kFonteNegrito)
        .Texto(x + 70, y(11), w - 70, kLinha, r["TxEMailRespArquivo"], kFonteTexto);
    p.Coloca(std::move(b));
  }
}

}  // namespace vornex::relatorio
