#include "declfile/itens_lista.h"

#include "common/texto.h"

namespace vornex {

std::string TextoItemEstabelecimento(std::string_view inscricao, std::string_view tipo, std::string_view prefixo,
                                     std::string_view nome, std::string_view vinculos) {
  std::string t = EspacosDireita(FormataInscricao(inscricao, tipo), 18);
  t += "  ";
  t += prefixo;
  t += "  ";
  t += EspacosDireita(nome, 30);
  t += "  ";
  t += vinculos;
  return t;
}

std::string TextoItemVinculo(std::string_view pis, std::string_view admissao, std::string_view nome) {
  return FormataPis(pis) + "  " + FormataData(admissao) + "  " + std::string(nome);
}

}  // namespace vornex
