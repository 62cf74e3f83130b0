#include "casos/contagens.h"

#include "common/texto.h"
#include "data/banco.h"

namespace vornex {

namespace {

// The foreign links need every row's nationality anyway: counting all links
// in the same pass spares a second walk over the key index.
ContagemVinculos ContaVinculosEEstrangeiros(Conexao& c, const ChaveEstabelecimento& k) {
  Consulta& q = c.prepara({"select count(*), count(case when CoNacionalidade <> '10' then 1 end)", "from BD8Vinc",
                           "where  AnBase= :sAnoBase  and", "CoCGCCEIEstabelecimento= :sInscricao  and",
                           "NuPrefixoEstabelecimento= :sPrefixo"});
  q.defineTexto(":sAnoBase", k.anBase)
      .defineTexto(":sInscricao", InscricaoArmazenada(k.inscricao))
      .defineTexto(":sPrefixo", k.prefixo);
  ContagemVinculos r;
  if (q.proxima()) {
    r.vinculos = q.inteiro(0);
    r.estrangeiros = q.inteiro(1);
  }
  q.reinicia();
  return r;
}

}  // namespace

ContagemVinculos RecontaVinculos(Conexao& c, const ChaveEstabelecimento& chave) {
  Transacao tr(c);
  ContagemVinculos r;
  const ContagemVinculos n = ContaVinculosEEstrangeiros(c, chave);
  r.vinculos = n.vinculos;
  r.estrangeiros = n.estrangeiros;
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
