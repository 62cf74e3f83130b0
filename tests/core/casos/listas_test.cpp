#include <gtest/gtest.h>

#include "../data/apoio.h"
#include "casos/listas.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"

namespace {

using namespace vornex;
using teste::PastaTemporaria;

class Listas : public ::testing::Test {
 protected:
  Listas() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    c = AbreZema2004(pasta_ / "dados");
  }

  void Estab(const char* tabela, const char* ano, const char* inscricao, const char* tipo, const char* prefixo,
             const char* nome, const char* negativa = "0", const char* vinculos = "000002") {
    Tabela t(c, tabela);
    Linha l = t.novaLinha();
    l["AnBase"] = ano;
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["InInscrEstabelecimento"] = tipo;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["NoRazaoEstabelecimento"] = nome;
    l["InZemaNegEstabelecimento"] = negativa;
    l["NuVinculosEstabelecimento"] = vinculos;
    t.inclui(l);
  }

  void Vinculo(const char* inscricao, const char* prefixo, const char* pis, const char* admissao, const char* nome,
               const char* uso, const char* seq = "") {
    Tabela t(c, kTabelaVinculos);
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["CoPisPasepEmpregado"] = pis;
    l["DaAdmissaoEmpregado"] = admissao;
    l["NoEmpregado"] = nome;
    l["TxUsoEmpregado"] = uso;
    l["NuSequencialRegistro"] = seq;
    t.inclui(l);
  }

  // Two CNPJ prefixes inserted out of order, a CEI, one without employees, one of 2005.
  void Declaracao(const char* tabela) {
    Estab(tabela, "2004", "11222333000181", "1", "B1", "SEGUNDA  PREFIXO B1");
    Estab(tabela, "2004", "11222333000181", "1", "00", "PRIMEIRA 12.345.678/0001-99  ZZ");
    Estab(tabela, "2004", "00123456789012", "3", "00", "OBRA", "1", "000000");
    Estab(tabela, "2005", "99888777000100", "1", "00", "ENCERRADA");
  }

  PastaTemporaria pasta_;
  Conexao c;
};

TEST_F(Listas, EstabelecimentosDoAnoEmOrdemDeChaveComAChaveArmazenada) {
  Declaracao(kTabelaEstabelecimentos);
  const auto l = ListaEstabelecimentos(c, {});
  ASSERT_EQ(l.itens.size(), 3u);
  // The keys come from the row, not from the text (the first name mimics a
  // registration and a prefix).
  EXPECT_EQ(l.itens[0].chave.inscricao, "00123456789012");
  EXPECT_EQ(l.itens[1].chave.prefixo, "00");
  EXPECT_EQ(l.itens[2].chave.prefixo, "B1");
  for (const auto& i : l.itens) EXPECT_EQ(i.chave.anBase, "2004");
  EXPECT_EQ(l.itens[1].texto, "11.222.333/0001-81  00  PRIMEIRA 12.345.678/0001-99  ZZ");
  EXPECT_EQ(l.itens[0].texto, "12-345-67.890-1/2   00  OBRA");

  PedidoListaEstabelecimentos so;
  so.somenteComEmpregados = true;
  const auto com = ListaEstabelecimentos(c, so);
  ASSERT_EQ(com.itens.size(), 2u);
  EXPECT_EQ(com.itens[0].chave.inscricao, "11222333000181");

  so = {};
  so.anoBase = "2005";
  EXPECT_EQ(ListaEstabelecimentos(c, so).itens.size(), 1u);
}

TEST_F(Listas, FormasDaLinhaDoEstabelecimento) {
  Estab(kTabelaEstabelecimentos, "2004", "11222333000181", "1", "00", "NOME");
  const struct {
    FormaItemEstabelecimento forma;
    const char* texto;
  } casos[] = {
      {FormaItemEstabelecimento::Simples, "11.222.333/0001-81  00  NOME"},
      {FormaItemEstabelecimento::ComVinculos, "11.222.333/0001-81  00  NOME                            000002"},
      {FormaItemEstabelecimento::Relatorio, "11.222.333/0001-81    00    NOME"},
  };
  for (const auto& caso : casos) {
    PedidoListaEstabelecimentos p;
    p.forma = caso.forma;
    const auto l = ListaEstabelecimentos(c, p);
    ASSERT_EQ(l.itens.size(), 1u);
    EXPECT_EQ(l.itens[0].texto, caso.texto);
  }
}

TEST_F(Listas, TabelasDeTrabalho) {
  PedidoListaEstabelecimentos p;
  p.origem = OrigemLista::Trabalho;
  PedidoListaVinculos v;
  v.origem = OrigemLista::Trabalho;
  v.estabelecimento = {"2004", "11222333000181", "00"};
  // Before any pass made them.
  EXPECT_TRUE(ListaEstabelecimentos(c, p).itens.empty());
  EXPECT_TRUE(ListaVinculos(c, v).itens.empty());

  RecriaCopiasDeclaracao(c);
  Declaracao(kTrabalhoEstabelecimento);
  Estab(kTabelaEstabelecimentos, "2004", "55666777000199", "1", "00", "SO NA DECLARACAO");
  const auto l = ListaEstabelecimentos(c, p);
  ASSERT_EQ(l.itens.size(), 3u);
  EXPECT_EQ(l.itens[1].nome, "PRIMEIRA 12.345.678/0001-99  ZZ");
}

TEST_F(Listas, VinculosDoEstabelecimentoPelaOrdemPedida) {
  Declaracao(kTabelaEstabelecimentos);
  Vinculo("11222333000181", "00", "20000000002", "01022004", "ANA", "USO-Z", "000007");
  Vinculo("11222333000181", "00", "10000000001", "15032001", "BRUNO", "USO-A");
  Vinculo("11222333000181", "B1", "30000000003", "01012004", "DE OUTRO PREFIXO", "");

  PedidoListaVinculos p;
  p.estabelecimento = {"2004", "11222333000181", "00"};
  const struct {
    OrdemVinculos ordem;
    bool uso;
    const char* primeiro;
  } casos[] = {
      {OrdemVinculos::Pis, false, "100.00000.00.1  15/03/2001  BRUNO"},
      {OrdemVinculos::Pis, true, "100.00000.00.1  15/03/2001  BRUNO                           USO-A"},
      {OrdemVinculos::Nome, false, "ANA                             200.00000.00.2  01/02/2004"},
      {OrdemVinculos::Nome, true, "ANA                             200.00000.00.2  01/02/2004  USO-Z"},
      {OrdemVinculos::UsoEmpresa, true, "USO-A          100.00000.00.1  15/03/2001  BRUNO"},
  };
  for (const auto& caso : casos) {
    p.ordem = caso.ordem;
    p.comUsoEmpresa = caso.uso;
    const auto l = ListaVinculos(c, p);
    ASSERT_EQ(l.itens.size(), 2u);
    EXPECT_EQ(l.itens[0].texto, caso.primeiro);
  }
  p.ordem = OrdemVinculos::Nome;
  const auto l = ListaVinculos(c, p);
  EXPECT_EQ(l.itens[0].chave.pis, "20000000002");
  EXPECT_EQ(l.itens[0].chave.admissao, "01022004");
  EXPECT_EQ(l.itens[0].chave.nome, "ANA");
  EXPECT_EQ(l.itens[0].chave.sequencial, "000007");
  EXPECT_EQ(l.itens[0].chave.estabelecimento.prefixo, "00");
}

TEST_F(Listas, LinhasMarcadasNaOrdemDaLista) {
  Declaracao(kTabelaEstabelecimentos);
  const auto l = ListaEstabelecimentos(c, {});
  const auto marcadas = LinhasMarcadas(l.itens, {true, false, true});
  ASSERT_EQ(marcadas.size(), 2u);
  EXPECT_EQ(marcadas[0].inscricao, "00123456789012");
  EXPECT_EQ(marcadas[1].prefixo, "B1");
  // Fewer marks than items: the rest are unchecked.
  EXPECT_EQ(LinhasMarcadas(l.itens, {false, true}).size(), 1u);
}

}  // namespace
