#include "declfile/texto_estrutura.h"

#include "common/catalogo.h"

namespace vornex {

std::string TextoErroEstrutura(std::string_view tipoCampo, std::string_view posicaoInicial,
                               std::string_view conteudo) {
  std::string_view rotulo;
  if (tipoCampo.size() == 1) {
    switch (tipoCampo[0]) {
      case '0': rotulo = "Posição 1 a 6 = "; break;
      case '1': rotulo = "Posição 23 = "; break;
      case '2': rotulo = "Posição 278 = "; break;
      case '3': rotulo = "Posição 24 a 29 = "; break;
      case '4': rotulo = "Posição 30 a 35 = "; break;
      case '5': return "Posição " + std::string(posicaoInicial) + " = " + std::string(conteudo);
      case '6': rotulo = "Total registro tipo 1 encontrado = "; break;
      case '7': rotulo = "Total registro tipo 2 encontrado = "; break;
      case '8': rotulo = "Posição 07 a 20 = "; break;
      case '9': rotulo = "Tamanho esperado: "; break;
      case 'A': rotulo = "Tamanho encontrado: "; break;
      default: return {};
    }
  }
  if (rotulo.empty()) return {};
  return std::string(rotulo) + std::string(conteudo);
}

std::vector<std::string> TextoRelatorioEstrutura(std::span<const ErroEstrutura> linhas,
                                                 const Catalogo& catalogo) {
  std::vector<std::string> r;
  const ErroEstrutura* anterior = nullptr;
  for (const auto& l : linhas) {
    const bool novoErro = !anterior || anterior->coMsg != l.coMsg;
    if (novoErro) {
      const Mensagem* m = catalogo.busca(l.coMsg);
      r.push_back("Erro : " + (m ? m->texto : l.coMsg));
    }
    if (novoErro || anterior->sequencia != l.sequencia) {
      r.push_back("Sequência = " + l.sequencia);
      if (!l.inscricaoPrefixo.empty())
        r.push_back("Inscrição/prefixo do estabelecimento = " + l.inscricaoPrefixo.substr(0, 14) + "/" +
                    (l.inscricaoPrefixo.size() > 14 ? l.inscricaoPrefixo.substr(14) : std::string()));
    }
    if (std::string d = TextoErroEstrutura(l); !d.empty()) r.push_back(std::move(d));
    anterior = &l;
  }
  return r;
}

}  // namespace vornex
