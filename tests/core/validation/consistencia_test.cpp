#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../data/apoio.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "demonstracao/demonstracao.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// The real reference tables, loaded once for the whole program.
const Referencias& Ref() {
  static Conexao c = AbreZema2004(teste::PastaInicializada());
  static const TabelasReferencia t = TabelasReferencia::Carrega(c);
  static const ReferenciasTabelas r(t);
  return r;
}

// A data folder of its own with a small synthetic declaration.
struct Declaracao {
  teste::PastaTemporaria pasta;
  Conexao c;
  explicit Declaracao(int estabelecimentos = 1, long long vinculos = 3, std::uint64_t semente = 7) {
    teste::CopiaPastaInicializada(pasta.caminho());
    c = AbreZema2004(pasta.caminho());
    GeraDemonstracao(c, {estabelecimentos, vinculos, semente});
  }
  int Verifica(const OpcoesConsistencia& o = {}) { return VerificaConsistencia(c, Ref(), o); }
  // "errwar tiporegistro retorno lbl=Conteudo" per row, in filing order.
  std::vector<std::string> Achados() {
    std::vector<std::string> r;
    if (!ExisteTabela(c, kTabelaErros)) return r;
    Consulta q(c, "select errwar, tiporegistro, retorno, lbl, Conteudo from Te8ErrWa order by Sequencial");
    while (q.proxima())
      r.push_back(std::string(q.texto(0)) + " " + std::string(q.texto(1)) + " " + std::string(q.texto(2)) + " " +
                  std::string(q.texto(3)) + "=" + std::string(q.texto(4)));
    return r;
  }
};

TEST(Consistencia, DemonstracaoSemErros) {
  for (std::uint64_t semente : {1u, 2u, 3u}) {
    Declaracao d(12, 600, semente);
    OpcoesConsistencia o;
    o.verificaResponsavel = true;
    const int r = d.Verifica(o);
    EXPECT_EQ(r & kConsistenciaErros, 0) << ::testing::PrintToString(d.Achados());
  }
}

}  // namespace

namespace {

// Every link of the fixture in one known state: admitted in 2000, paid
// 1.500,00 every month, the 13th in two halves, never dismissed nor away.
constexpr const char* kVinculoPadrao =
    "update Bd8vinc set DaAdmissaoEmpregado = '01012000', DaNascimentoEmpregado = '10051970', "
    "CoNacionalidade = '10', AnChegadaEmpregado = '0000', CoCausaDesligamento = '00', "
    "DaDesligamentoEmpregado = '0000', VaJaneiroEmpregado = '000150000', VaFevereiroEmpregado = '000150000', "
    "VaMarcoEmpregado = '000150000', VaAbrilEmpregado = '000150000', VaMaioEmpregado = '000150000', "
    "VaJunhoEmpregado = '000150000', VaJulhoEmpregado = '000150000', VaAgostoEmpregado = '000150000', "
    "VaSetembroEmpregado = '000150000', VaOutubroEmpregado = '000150000', VaNovembroEmpregado = '000150000', "
    "VaDezembroEmpregado = '000150000', Me13AdiantamentoEmpregado = '11', Va13AdiantamentoEmpregado = '000075000', "
    "Me13ParcelaFinalEmpregado = '12', Va13ParcelaFinalEmpregado = '000075000', CoMotivoPrimAfas = '00', "
    "DaInicioprimeiroAfas = '0000', DaFinalPrimeiroAfas = '0000', QtDiasAfas = '000', CoVinculo = '10', "
    "CoTipoSalarioContratual = '1', VaSalContratualEmpregado = '000150000'";

struct Fixo : Declaracao {
  Fixo() : Declaracao(1, 3, 11) {
    c.executa("update Bd8emp set InInscrEstabelecimento = '1', NuEstrangeirosEstabelec = '00000'");
    c.executa(kVinculoPadrao);
  }
};

TEST(Consistencia, PassagemSemAchadosNaoDeixaTabela) {
  Fixo d;
  d.c.executa("create table trabalho.Te8ErrWa (x)");  // a previous pass's table goes first
  EXPECT_EQ(d.Verifica(), 0);
  EXPECT_FALSE(ExisteTabela(d.c, kTabelaErros));
}

// One change to the fixture, the rows it files (the first link changes
// when the statement says `where rowid = 1`).
struct Caso {
  const char* sql;
  std::vector<std::string> achados;
};

TEST(Consistencia, AchadosDeCadaGrupo) {
  const Caso casos[] = {
      // establishment
      {"update Bd8emp set InOpcaoAberta = '4'", {"err 1 1677 1666=Exclusão de estabelecimento"}},
      {"update Bd8emp set InOpcaoAberta = '0'", {"err 1 1677 1666=Atualização de estabelecimento"}},
      {"update Bd8emp set TxEmailEstabelecimento = 'sem.arroba'", {"err 1 3627 1617=sem.arroba"}},
      {"update Bd8emp set NuDDD = '', NuTelefone = ''", {"war 1 3102 1613=", "war 1 3102 1614="}},
      {"update Bd8emp set NuDDD = '', NuTelefone = '32345678'", {"err 1 3101 1613=", "err 1 3101 1614=32345678"}},
      {"update Bd8emp set NoRazaoEstabelecimento = 'CONDOMINIO AZUL', CoCnae = '01112'",
       {"err 1 0362 1618=01112", "err 1 0362 1604=CONDOMINIO AZUL"}},
      {"update Bd8emp set InPorte = '3', InOptanteSimples = '1'", {"err 1 3125 3520=3", "err 1 3125 3123=1"}},
      {"update Bd8emp set CoCgcVinculado = '12000000000001'",
       {"err 1 0040 1678=12", "err 1 0430 1603=000000000001"}},
      {"update Bd8emp set InParticipaPAT = '2', NuVinculoPatMaior5 = '000000', NuVinculoPatMenor5 = '000000', "
       "PoServicoProprio = '000', PoRefeicaoConvenio = '000', PoCestaAlimento = '010'",
       {"war 1 3526 3122=2", "war 1 3526 3612=000", "war 1 3526 3613=000", "war 1 3526 3614=000",
        "war 1 3526 3615=000", "war 1 3526 3616=010", "war 1 3526 3617=000"}},
      {"update Bd8emp set InEncerramentoAtividade = '1', DaEncerramentoAtividade = '00000000'",
       {"err 1 3513 1669=00000000", "err 1 3513 1668=Assinalado para encerramento das atividades",
        // the links of a closing establishment must end; without a closing
        // year they are declared for 2005, which needs a dismissal date
        "err 2 0281 1639=00", "err 2 0281 3618=1", "err 2 0294 1640=0000", "err 2 0294 1658=2005",
        "err 2 0281 1639=00", "err 2 0281 3618=1", "err 2 0294 1640=0000", "err 2 0294 1658=2005",
        "err 2 0281 1639=00", "err 2 0281 3618=1", "err 2 0294 1640=0000", "err 2 0294 1658=2005"}},
      // link
      {"update Bd8vinc set DaAdmissaoEmpregado = '31022003' where rowid = 1", {"err 2 0390 1632=31022003"}},
      {"update Bd8vinc set DaNascimentoEmpregado = '10051990', DaAdmissaoEmpregado = '01012004' where rowid = 1",
       {"war 2 0171 1632=01012004", "war 2 0171 1626=10051990", "war 2 0176 1626=10051990",
        "war 2 0176 1658=2004"}},
      {"update Bd8vinc set CoCbo = '111105' where rowid = 1", {"war 2 3645 1637=111105"}},
      {"update Bd8vinc set CoTipoRaca = '' where rowid = 1", {"err 2 0480 1667="}},
      {"update Bd8vinc set CoVinculo = '15' where rowid = 1", {"err 2 0271 1638=15", "err 2 0271 1601=1 (CGC)"}},
      {"update Bd8vinc set CoNacionalidade = '21', AnChegadaEmpregado = '0000' where rowid = 1",
       {"err 2 0191 1628=0000", "err 2 0191 1627=21"}},
      {"update Bd8vinc set DaDesligamentoEmpregado = '3112' where rowid = 1",
       {"err 2 0293 1640=3112", "err 2 0293 1639=00"}},
      {"update Bd8vinc set VaMarcoEmpregado = '001500000' where rowid = 1",
       {"war 2 0314 1642=000150000", "war 2 0314 1643=001500000"}},
      {"update Bd8vinc set VaAbrilEmpregado = '' where rowid = 1", {"err 2 0315 1644="}},
      {"update Bd8vinc set Va13AdiantamentoEmpregado = '000900000', Va13ParcelaFinalEmpregado = '002000000' "
       "where rowid = 1",
       {"war 2 3508 1664=1800000", "war 2 3508 1665=2900000"}},
      {"update Bd8vinc set QtDiasAfas = '400' where rowid = 1", {"err 2 3640 3641=400"}},
      {"update Bd8vinc set CoMotivoPrimAfas = '10', DaInicioprimeiroAfas = '2006', DaFinalPrimeiroAfas = '1006', "
       "QtDiasAfas = '010' where rowid = 1",
       {"err 2 3633 3637=2006", "err 2 3633 3637=1006"}},
      {"update Bd8vinc set TxUsoEmpregado = '  a\"b  ' where rowid = 1", {"err 2 0020 1623=a\"b"}},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.sql);
    Fixo d;
    d.c.executa(k.sql);
    const int esperado = [&] {
      int r = 0;
      for (const auto& a : k.achados) r |= a.rfind("err", 0) == 0 ? kConsistenciaErros : kConsistenciaAvisos;
      return r;
    }();
    EXPECT_EQ(d.Verifica(), esperado);
    EXPECT_THAT(d.Achados(), ElementsAreArray(k.achados));
  }
}

TEST(Consistencia, AchadoDoEstabelecimentoLevaSuaInscricaoENome) {
  Fixo d;
  d.c.executa("update Bd8emp set TxEmailEstabelecimento = 'x'");
  d.c.executa("update Bd8vinc set CoTipoRaca = '' where rowid = 1");
  d.Verifica();
  auto e = *d.c.prepara("select * from Bd8emp").primeira();
  auto v = *d.c.prepara("select * from Bd8vinc where rowid = 1").primeira();
  Consulta q(d.c, "select * from Te8ErrWa order by Sequencial");
  auto linhas = q.todas();
  ASSERT_EQ(linhas.size(), 2u);
  for (const auto& l : linhas) {
    EXPECT_EQ(l["inscricao"], e["CoCgcCeiEstabelecimento"]);
    EXPECT_EQ(l["tipoinscricao"], "1");
    EXPECT_EQ(l["prefixo"], e["NuPrefixoEstabelecimento"]);
    EXPECT_EQ(l["razaosocial"], e["NoRazaoEstabelecimento"]);
  }
  EXPECT_EQ(linhas[0]["copispasep"], "");
  EXPECT_EQ(linhas[1]["copispasep"], v["CoPisPasepEmpregado"]);
  EXPECT_EQ(linhas[1]["noempregado"], v["NoEmpregado"]);
  EXPECT_EQ(linhas[1]["DaAdmissao"], v["DaAdmissaoEmpregado"]);
  EXPECT_LT(linhas[0]["Sequencial"], linhas[1]["Sequencial"]);
  EXPECT_EQ(linhas[0]["Sequencial"].size(), 6u);
}

TEST(Consistencia, EstabelecimentoSemVinculos) {
  Fixo d;
  d.c.executa("delete from Bd8vinc");
  EXPECT_EQ(d.Verifica(), kConsistenciaErros);
  EXPECT_THAT(d.Achados(), ElementsAre("err 1 1673 1661=0", "err 1 1673 1622=0"));
  // Declared without employees: nothing to say.
  d.c.executa("update Bd8emp set InZemaNegEstabelecimento = '1'");
  EXPECT_EQ(d.Verifica(), 0);
}

TEST(Consistencia, EstrangeirosAcimaDeUmTerco) {
  struct {
    long long vinculos;
    const char* estrangeiros;
    std::vector<std::string> achados;
  } casos[] = {
      {5, "00002", {"war 1 1670 1661=5", "war 1 1670 1659=2"}},
      {4, "00004", {}},
      {6, "00002", {}},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.vinculos);
    Declaracao d(1, k.vinculos, 11);
    d.c.executa(kVinculoPadrao);
    d.c.executa(std::string("update Bd8emp set NuEstrangeirosEstabelec = '") + k.estrangeiros + "'");
    d.Verifica();
    EXPECT_THAT(d.Achados(), ElementsAreArray(k.achados));
  }
}

TEST(Consistencia, VinculoDuplicadoEOutraDataDeNascimento) {
  Fixo d;
  // The second link becomes the first one's worker, admitted the same day
  // under another spelling of the name, born another day.
  d.c.executa(
      "update Bd8vinc set CoPisPasepEmpregado = (select CoPisPasepEmpregado from Bd8vinc where rowid = 1), "
      "NoEmpregado = 'OUTRO NOME', DaNascimentoEmpregado = '11051970' where rowid = 2");
  EXPECT_EQ(d.Verifica(), kConsistenciaErros);
  const auto a = d.Achados();
  int duplicado = 0, nascimento = 0;
  for (const auto& s : a) {
    duplicado += s.find(" 1671 ") != std::string::npos;
    nascimento += s.find(" 1672 ") != std::string::npos;
  }
  EXPECT_EQ(duplicado, 8);   // four rows for each of the pair
  EXPECT_EQ(nascimento, 10);  // five rows for each, naming the other's dates
  EXPECT_THAT(a, ::testing::Contains("err 2 1672 1626=11051970"));
  EXPECT_THAT(a, ::testing::Contains("err 2 1672 1626=10051970"));
}

TEST(Consistencia, PisDeZerosDistingueOsVinculosPeloNome) {
  Fixo d;
  d.c.executa("update Bd8vinc set CoPisPasepEmpregado = '00000000000', CoVinculo = '80' where rowid in (1, 2)");
  d.Verifica();
  for (const auto& s : d.Achados()) EXPECT_EQ(s.find(" 1671 "), std::string::npos) << s;
}

TEST(Consistencia, SemRemuneracao) {
  constexpr const char* kMesesZerados =
      "VaJaneiroEmpregado = '000000000', VaFevereiroEmpregado = '000000000', VaMarcoEmpregado = '000000000', "
      "VaAbrilEmpregado = '000000000', VaMaioEmpregado = '000000000', VaJunhoEmpregado = '000000000', "
      "VaJulhoEmpregado = '000000000', VaAgostoEmpregado = '000000000', VaSetembroEmpregado = '000000000', "
      "VaOutubroEmpregado = '000000000', VaNovembroEmpregado = '000000000'";
  struct {
    std::string sql;
    std::vector<std::string> achados;
  } casos[] = {
      {std::string("update Bd8vinc set ") + kMesesZerados +
           ", VaDezembroEmpregado = '000000000', Me13AdiantamentoEmpregado = '00', Va13AdiantamentoEmpregado = "
           "'000000000', Me13ParcelaFinalEmpregado = '00', Va13ParcelaFinalEmpregado = '000000000' where rowid = 1",
       {"err 2 1674 1663=Não há remuneração informada."}},
      {std::string("update Bd8vinc set ") + kMesesZerados +
           ", Me13AdiantamentoEmpregado = '00', Va13AdiantamentoEmpregado = '000000000', "
           "Me13ParcelaFinalEmpregado = '00', Va13ParcelaFinalEmpregado = '000000000' where rowid = 1",
       {"war 2 1676 1665=Não há remuneração informada."}},
      {std::string("update Bd8vinc set ") + kMesesZerados + ", VaDezembroEmpregado = '000000000' where rowid = 1",
       {"war 2 1675 1664=Não há remuneração informada."}},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.sql);
    Fixo d;
    d.c.executa(k.sql);
    d.Verifica();
    EXPECT_THAT(d.Achados(), ElementsAreArray(k.achados));
  }
}

TEST(Consistencia, Responsavel) {
  const Caso casos[] = {
      {"update BD8Resp set CoCgcCeiResponsavel = '123', DaGeracao = '01012004'",
       {"err 0 0030 1599=123", "err 0 0420 1616=01012004"}},
      {"update BD8Resp set InInscrResponsavel = '4', CoCgcCeiResponsavel = '00011144477735'", {}},
      {"update BD8Resp set InInscrResponsavel = '4', CoCgcCeiResponsavel = '00011144477736'",
       {"err 0 0054 1599=00011144477736"}},
      // A valid CPF under the CNPJ type: the registration passes, the type does not.
      {"update BD8Resp set InInscrResponsavel = '1', CoCgcCeiResponsavel = '00011144477735'",
       {"err 0 0131 1601=1 (CNPJ)", "err 0 0131 1599=00011144477735"}},
      {"update BD8Resp set InRetificacao = 1, DaRetificacao = '00000000'",
       {"err 0 0410 1615=00000000", "err 0 0410 1660=Assinalado para retificação"}},
      // Unlike an establishment's, a responsible person's missing telephone is an error.
      {"update BD8Resp set NuFoneDDD = '', NuFoneAssinante = ''", {"err 0 3102 1613=", "err 0 3102 1614="}},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.sql);
    Fixo d;
    d.c.executa(k.sql);
    EXPECT_EQ(d.Verifica(), 0);  // the own-tables pass leaves it alone
    OpcoesConsistencia o;
    o.verificaResponsavel = true;
    d.Verifica(o);
    EXPECT_THAT(d.Achados(), ElementsAreArray(k.achados));
    if (ExisteTabela(d.c, kTabelaErros)) {
      Consulta q(d.c, "select count(*) from Te8ErrWa where inscricao <> '' or razaosocial <> '' or copispasep <> ''");
      EXPECT_EQ(q.escalar(), 0);
    }
  }
}

TEST(Consistencia, TabelasDeTrabalhoComEncerramentoEstrito) {
  Fixo d;
  RecriaCopiasDeclaracao(d.c);
  d.c.executa("insert into Te8resp select * from BD8Resp");
  d.c.executa("insert into Te8emp select * from Bd8emp");
  d.c.executa("insert into Te8vinc select * from Bd8vinc");
  d.c.executa("update Te8emp set InEncerramentoAtividade = '2', DaEncerramentoAtividade = ''");
  d.c.executa("delete from Bd8vinc");  // the own tables are not read
  OpcoesConsistencia o;
  o.origem = OrigemConsistencia::Trabalho;
  o.verificaResponsavel = true;
  EXPECT_EQ(d.Verifica(o), 0);
  o.encerramentoEstrito = true;
  EXPECT_EQ(d.Verifica(o), kConsistenciaErros);
  EXPECT_THAT(d.Achados(), ElementsAre("err 1 3514 1669=", "err 1 3514 1668=Não assinalado"));
}

TEST(Consistencia, SelecaoEAnoBase) {
  Declaracao d(3, 6, 5);
  d.c.executa("update Bd8emp set TxEmailEstabelecimento = 'x'");
  std::vector<ChaveEstabelecimento> chaves;
  Consulta q(d.c, "select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento from Bd8emp order by 2");
  while (q.proxima()) chaves.push_back({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2))});
  ASSERT_EQ(chaves.size(), 3u);
  OpcoesConsistencia o;
  o.selecao = std::vector<ChaveEstabelecimento>{chaves[1]};
  d.Verifica(o);
  Consulta e(d.c, "select distinct inscricao from Te8ErrWa");
  EXPECT_THAT(e.todas().size(), 1u);
  EXPECT_EQ(e.primeira()->valores()[0], chaves[1].inscricao);
  o.selecao.reset();
  o.anoBase = "2005";
  EXPECT_EQ(d.Verifica(o), 0);
}

// Answers "stop" once `depois` work units have passed.
struct Interrompe : AcompanhamentoPassagem {
  int depois;
  int chamadas = 0;
  std::vector<int> progresso_;
  explicit Interrompe(int n) : depois(n) {}
  void progresso(int p) override { progresso_.push_back(p); }
  bool interrompe() override { return ++chamadas > depois; }
};

TEST(Consistencia, InterrupcaoGuardaOsAchadosEProgressoCresce) {
  Declaracao d(2, 300, 9);
  d.c.executa("update Bd8vinc set TxUsoEmpregado = '\"'");
  Interrompe a(50);
  EXPECT_EQ(VerificaConsistencia(d.c, Ref(), {}, a), kConsistenciaInterrompida);
  EXPECT_EQ(d.Achados().size(), 50u);  // the first establishment and 50 links, one finding each
  EXPECT_TRUE(std::is_sorted(a.progresso_.begin(), a.progresso_.end()));
  EXPECT_LT(a.progresso_.back(), 100);

  Interrompe nunca(1 << 30);
  VerificaConsistencia(d.c, Ref(), {}, nunca);
  EXPECT_EQ(nunca.progresso_.front(), 0);
  EXPECT_EQ(nunca.progresso_.back(), 100);
  EXPECT_TRUE(std::adjacent_find(nunca.progresso_.begin(), nunca.progresso_.end(),
                                 [](int x, int y) { return y <= x; }) == nunca.progresso_.end());
  EXPECT_EQ(d.Achados().size(), 300u);
}

}  // namespace
