#include "consulta/arquivo_consultado.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"

namespace vornex {

namespace {

std::string Trabalho(const char* tabela) { return std::string("trabalho.") + tabela; }

bool Existe(Conexao& c, const char* tabela) { return ExisteTabela(c, tabela, ArquivoDados::Trabalho); }

}  // namespace

std::optional<Linha> ResponsavelDoArquivo(Conexao& c) {
  if (!Existe(c, kTrabalhoResponsavel)) return std::nullopt;
  return Consulta(c, "select * from " + Trabalho(kTrabalhoResponsavel) + " limit 1").primeira();
}

std::vector<Linha> EstabelecimentosDoArquivo(Conexao& c) {
  if (!Existe(c, kTrabalhoEstabelecimento)) return {};
  return Consulta(c, {"select * from " + Trabalho(kTrabalhoEstabelecimento),
                      "order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"})
      .todas();
}

std::vector<Linha> VinculosDoArquivo(Conexao& c, const Linha& e, OrdemVinculos ordem) {
  if (!Existe(c, kTrabalhoVinculo)) return {};
  // A blank prefix stands for "no prefix": only such links, not every prefix.
  const bool semPrefixo = Apara(e["NuPrefixoEstabelecimento"]).empty();
  Consulta q(c, {"select * from " + Trabalho(kTrabalhoVinculo), "where AnBase = :AnBase",
                 "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento",
                 semPrefixo ? "and trim(NuPrefixoEstabelecimento) = ''"
                            : "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento",
                 ordem == OrdemVinculos::Nome ? "order by NoEmpregado, CoPisPasepEmpregado, DaAdmissaoEmpregado"
                                              : "order by CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado"});
  q.defineTexto("AnBase", e["AnBase"]).defineTexto("CoCgcCeiEstabelecimento", e["CoCgcCeiEstabelecimento"]);
  if (!semPrefixo) q.defineTexto("NuPrefixoEstabelecimento", e["NuPrefixoEstabelecimento"]);
  return q.todas();
}

}  // namespace vornex
