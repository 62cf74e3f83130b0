#include "casos/contagens.h"

#include "common/texto.h"
#include "data/banco.h"

namespace vornex {

ContagemVinculos RecontaVinculos(Conexao& c, const ChaveEstabelecimento& chave) {
  Transacao tr(c);
  ContagemVinculos r;
  r.vinculos = ContaVinculos(c, chave);
  r.estrangeiros = ContaEstrangeiros(c, chave);
  Consulta& q = c.prepara({"update Bd8emp set NuVinculosEstabelecimento = :vinculos,",
                           "  NuEstrangeirosEstabelec = :estrangeiros",
                           "where AnBase = :anBase and CoCgcCeiEstabelecimento = :inscricao and",
                           "  NuPrefixoEstabelecimento = :prefixo"});
  q.defineTexto(":vinculos", ZerosEsquerda(std::to_string(r.vinculos), 6))
      .defineTexto(":estrangeiros", ZerosEsquerda(std::to_string(r.estrangeiros), 5))
      .defineTexto(":anBase", chave.anBase)
      .defineTexto(":inscricao", InscricaoArmazenada(chave.inscricao))
      .defineTexto(":prefixo", chave.prefixo);
  r.gravada = q.executa() > 0;
  tr.confirma();
  return r;
}

}  // namespace vornex
