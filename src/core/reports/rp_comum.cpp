#include "reports/rp_comum.h"

#include "common/versao.h"
#include "data/banco.h"

namespace vornex::relatorio {

std::string LinhaZema() {
  return "ZEMA - " + std::string(kNomeDeclaracao) + " - Ano-Base : " + std::string(AnoBase);
}

std::string LinhaVersao() { return "VORNEX - VORNEX - Versão: " + std::string(VersaoSistema); }

std::string LinhasAtendimento(std::string_view introducao) {
  return std::string(introducao) + std::string(kAtendimentoTelefone) + "\n" + std::string(kAtendimentoEmail);
}

Unidade TitulosCentrados(Banda& b, Unidade y, Unidade largura, std::string_view tipo, bool sublinhaNome) {
  Fonte nome = kFonteTitulo;
  nome.sublinhado = sublinhaNome;
  b.Texto(0, y, largura, 18, LinhaZema(), nome, Alinhamento::Centro)
      .Texto(0, y + 20, largura, 18, LinhaVersao(), kFonteTitulo, Alinhamento::Centro)
      .Texto(0, y + 40, largura, 18, std::string(tipo), kFonteTitulo, Alinhamento::Centro);
  return y + 60;
}

Banda RodapePadrao(const ContextoPagina& ctx, Unidade largura, bool fabricante, Unidade espessura) {
  Banda r(TipoBanda::RodapePagina, 28);
  r.Traco(0, 2, largura, 2, espessura)
      .Texto(0, 8, 200, 14, std::string(ctx.data) + " " + std::string(ctx.hora), kFonteTexto)
      .Texto(0, 8, largura, 14, "Página " + std::to_string(ctx.numero), kFonteTexto, Alinhamento::Centro);
  if (fabricante) r.Texto(largura - 200, 8, 200, 14, std::string(kFabricante), kFonteTexto, Alinhamento::Direita);
  return r;
}

void Legenda(Banda& b, Unidade x, Unidade y, Unidade largura, std::string_view legenda, std::string valor) {
  b.Texto(x, y, largura, 10, std::string(legenda), kFonteLegenda).Texto(x, y + 11, largura, 12, std::move(valor), kFonteValor);
}

std::string PrimeirosCaracteres(std::string_view s, std::size_t n) {
  std::size_t i = 0;
  for (std::size_t k = 0; i < s.size() && k < n; ++k) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(s.substr(0, i));
}

}  // namespace vornex::relatorio
