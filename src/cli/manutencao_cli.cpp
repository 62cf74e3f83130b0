#include "manutencao_cli.h"

#include "common/catalogo.h"

namespace vornex::cli {

void Recusa(Contexto& ctx, Conexao& c, NuMensagem m) {
  ctx.err << Catalogo::LeConexao(c).texto(m.texto()) << "\n";
  ctx.saida = kSaidaErrosDados;
}

void RecusaAusentes(Contexto& ctx, Conexao& c, NuMensagem m, const std::vector<VinculoEscolhido>& ausentes) {
  Recusa(ctx, c, m);
  for (const auto& v : ausentes)
    ctx.err << "  vínculo não encontrado: " << v.pis << "/" << v.admissao << (v.nome ? "/" + *v.nome : "") << "\n";
}

std::string NomeEstabelecimento(const ChaveEstabelecimento& k) { return k.inscricao + "/" + k.prefixo; }

std::string TextoContagem(const ContagemVinculos& contagem) {
  return std::to_string(contagem.vinculos) + " vínculo(s), " + std::to_string(contagem.estrangeiros) +
         " estrangeiro(s)";
}

}  // namespace vornex::cli
