#include "data/declaracao.h"

#include "common/texto.h"
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

void AtualizaContagensVinculos(Conexao& c, const ChaveEstabelecimento& k) {
  const std::string vinculos = ZerosEsquerda(std::to_string(ContaVinculos(c, k)), 6);
  const std::string estrangeiros = ZerosEsquerda(std::to_string(ContaEstrangeiros(c, k)), 5);
  Consulta& q = c.prepara({"update BD8Emp set NuVinculosEstabelecimento = :sVinculos,",
                           "NuEstrangeirosEstabelec = :sEstrangeiros", "where  AnBase= :sAnoBase  and",
                           "CoCGCCEIEstabelecimento= :sInscricao  and", "NuPrefixoEstabelecimento= :sPrefixo"});
  DefineChave(q, k).defineTexto(":sVinculos", vinculos).defineTexto(":sEstrangeiros", estrangeiros).executa();
}

bool ExisteVinculo(Conexao& c, std::string_view tabela, const ChaveEstabelecimento& k, std::string_view pis,
                   std::string_view admissao, std::string_view nome) {
  const bool semPis = pis == "00000000000";
  Consulta& q = c.prepara({"select count(*)", "from " + Identificador(tabela), "where  AnBase= :sAnoBase  and",
                           "CoCGCCEIEstabelecimento= :sInscricao  and", "NuPrefixoEstabelecimento= :sPrefixo and",
                           "CoPisPasepEmpregado= :sPis and DaAdmissaoEmpregado= :sAdmissao",
                           semPis ? "and NoEmpregado= :sNome" : ""});
  DefineChave(q, k).defineTexto(":sPis", pis).defineTexto(":sAdmissao", admissao);
  if (semPis) q.defineTexto(":sNome", nome);
  return q.escalar() > 0;
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
