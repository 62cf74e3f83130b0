#include "data/declaracao.h"

#include "data/tabela.h"

namespace vornex {

std::string InscricaoArmazenada(std::string_view inscricao) {
  std::string s(inscricao);
  bool digitos = !s.empty();
  for (char ch : s) digitos = digitos && ch >= '0' && ch <= '9';
  if (digitos && s.size() < 14) s.insert(0, 14 - s.size(), '0');
  return s;
}

namespace {

Consulta& DefineChave(Consulta& q, const ChaveEstabelecimento& k) {
  return q.defineTexto(":sAnoBase", k.anBase)
      .defineTexto(":sInscricao", InscricaoArmazenada(k.inscricao))
      .defineTexto(":sPrefixo", k.prefixo);
}

}  // namespace

std::optional<Linha> BuscaEstabelecimento(Conexao& c, const ChaveEstabelecimento& k) {
  Tabela t(c, kTabelaEstabelecimentos);
  return t.busca({k.anBase, InscricaoArmazenada(k.inscricao), k.prefixo});
}

long long ContaVinculos(Conexao& c, const ChaveEstabelecimento& k) {
  Consulta& q = c.prepara({"select count(*)", "from BD8Vinc", "where  AnBase= :sAnoBase  and",
                           "CoCGCCEIEstabelecimento= :sInscricao  and", "NuPrefixoEstabelecimento= :sPrefixo"});
  return DefineChave(q, k).escalar();
}

long long ContaEstrangeiros(Conexao& c, const ChaveEstabelecimento& k) {
  Consulta& q = c.prepara({"select count(*)", "from BD8Vinc", "where  AnBase= :sAnoBase  and",
                           "CoCGCCEIEstabelecimento= :sInscricao  and", "NuPrefixoEstabelecimento= :sPrefixo and",
                           "CoNacionalidade <> '10'"});
  return DefineChave(q, k).escalar();
}

std::vector<Linha> VinculosDoEstabelecimento(Conexao& c, const ChaveEstabelecimento& k) {
  Tabela t(c, kTabelaVinculos);
  return t.buscaTodas({k.anBase, InscricaoArmazenada(k.inscricao), k.prefixo});
}

std::optional<Linha> LeResponsavel(Conexao& c) {
  Tabela t(c, kTabelaResponsavel);
  return t.busca(std::vector<std::string>{});
}

Linha EditaResponsavel(Conexao& c) {
  Tabela t(c, kTabelaResponsavel);
  Transacao tr(c);
  auto atual = t.busca(std::vector<std::string>{});
  if (atual) return *atual;
  Linha nova = t.novaLinha();
  t.inclui(nova);
  tr.confirma();
  return nova;
}

void GravaResponsavel(Conexao& c, const Linha& responsavel) {
  Tabela t(c, kTabelaResponsavel);
  Transacao tr(c);
  auto atual = t.busca(std::vector<std::string>{});
  if (atual)
    t.altera(*atual, responsavel);
  else
    t.inclui(responsavel);
  tr.confirma();
}

}  // namespace vornex
