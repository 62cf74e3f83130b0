#include "casos/manutencao.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "base_manutencao.h"

namespace {

using namespace vornex;
using teste::kCeiSo;
using teste::kCnpjECei;
using teste::kCnpjSo;

struct Manutencao : ::testing::Test, teste::BaseManutencao {
  VinculoEscolhido Escolhido(int i) { return {Pis(i), "01022001", Nome(i)}; }

  long long Conta(const std::string& sql) { return Consulta(c, sql).escalar(); }

  // Runs `operacao` with a step hook that throws at its first, second, ...
  // call, until a run gets through: every interrupted run must leave both
  // tables exactly as they were.
  template <class F>
  int InterrompeCadaEtapa(F operacao) {
    const auto antes = Retrato();
    for (int n = 1;; ++n) {
      int chamadas = 0;
      bool interrompida = false;
      try {
        operacao([&](std::string_view etapa) {
          if (++chamadas == n) throw std::runtime_error(std::string(etapa));
        });
      } catch (const std::runtime_error& e) {
        interrompida = true;
        EXPECT_EQ(Retrato(), antes) << "interrupted at step " << n << " (" << e.what() << ")";
      }
      if (!interrompida) return n - 1;
    }
  }
};

TEST_F(Manutencao, TransferenciaDeTresDeDezCriaODestinoERecontaOsDois) {
  const auto origem = Estab(kCnpjSo, "00", "1", "00000000000000");
  Vinculos(origem, 10);
  const auto vinculoAntes = Consulta(c, "select * from Bd8vinc where CoPisPasepEmpregado = '" + Pis(3) + "'").primeira();

  PedidoTransferencia p;
  p.origem = origem;
  p.destino = {"2004", "111222333443", ""};  // a CEI typed with 12 digits, no prefix
  p.vinculos = {Escolhido(2), Escolhido(3), Escolhido(9)};
  const auto r = TransfereVinculos(c, p);

  ASSERT_TRUE(r.recusa.ok()) << r.recusa;
  EXPECT_EQ(r.transferidos, 3);
  const ChaveEstabelecimento destino{"2004", kCeiSo, "00"};
  EXPECT_EQ(r.destino.inscricao, destino.inscricao);
  EXPECT_EQ(r.tipoDestino, "3");
  EXPECT_EQ(Coluna(origem, "NuVinculosEstabelecimento"), "000007");
  EXPECT_EQ(Coluna(destino, "NuVinculosEstabelecimento"), "000003");
  // Links 3, 6 and 9 are foreign: 3 and 9 moved.
  EXPECT_EQ(Coluna(origem, "NuEstrangeirosEstabelec"), "00001");
  EXPECT_EQ(Coluna(destino, "NuEstrangeirosEstabelec"), "00002");
  EXPECT_EQ(ContaEstrangeiros(c, destino), 2);

  const auto linha = BuscaEstabelecimento(c, destino);
  ASSERT_TRUE(linha);
  EXPECT_EQ((*linha)["InInscrEstabelecimento"], "3");
  EXPECT_EQ((*linha)["InOpcaoAberta"], "");
  EXPECT_EQ((*linha)["NoRazaoEstabelecimento"], "");
  EXPECT_EQ((*linha)["CoCgcVinculado"], "00000000000000");
  EXPECT_EQ((*linha)["InPorte"], " ");
  EXPECT_EQ((*linha)["PoCestaAlimento"], "000");
  EXPECT_EQ((*linha)["MeDataBase"], "");

  // A moved link keeps every other column.
  auto vinculoDepois = Consulta(c, "select * from Bd8vinc where CoPisPasepEmpregado = '" + Pis(3) + "'").primeira();
  ASSERT_TRUE(vinculoAntes && vinculoDepois);
  EXPECT_EQ(vinculoDepois->valores()[1], kCeiSo);
  vinculoDepois->valores()[1] = vinculoAntes->valores()[1];
  EXPECT_EQ(vinculoDepois->valores(), vinculoAntes->valores());
}

TEST_F(Manutencao, TransferenciaRecusadaNaoMudaNada) {
  const auto origem = Estab(kCnpjSo);
  Vinculos(origem, 4);
  const auto semVinculos = Estab(kCnpjSo, "01");
  const auto semCeiVinculado = Estab(kCnpjSo, "02", "1", "");
  Vinculos(semCeiVinculado, 1);
  const auto existente = Estab(kCeiSo, "00", "3");
  const auto antes = Retrato();

  const struct {
    const char* nome;
    ChaveEstabelecimento origem, destino;
    std::vector<VinculoEscolhido> vinculos;
    NuMensagem recusa;
  } casos[] = {
      {"destino existente", origem, existente, {Escolhido(1)}, "1308"_msg},
      {"destino igual à origem", origem, origem, {Escolhido(1)}, "1308"_msg},
      {"nenhum vínculo marcado", origem, {"2004", kCnpjECei, "00"}, {}, "1310"_msg},
      {"origem sem vínculos", semVinculos, {"2004", kCnpjECei, "00"}, {Escolhido(1)}, "1302"_msg},
      {"CEI vinculado vazio", semCeiVinculado, {"2004", kCnpjECei, "00"}, {Escolhido(1)}, "1311"_msg},
      {"origem inexistente", {"2004", kCnpjECei, "07"}, {"2004", kCeiSo, "01"}, {Escolhido(1)}, "1301"_msg},
      {"inscrição de destino inválida", origem, {"2004", "11222333000182", "00"}, {Escolhido(1)}, "0053"_msg},
      {"prefixo de destino inválido", origem, {"2004", kCnpjECei, "a1"}, {Escolhido(1)}, "0060"_msg},
  };
  for (const auto& k : casos) {
    SCOPED_TRACE(k.nome);
    PedidoTransferencia p;
    p.origem = k.origem;
    p.destino = k.destino;
    p.vinculos = k.vinculos;
    EXPECT_EQ(TransfereVinculos(c, p).recusa, k.recusa);
    EXPECT_EQ(Retrato(), antes);
  }

  // A chosen link that is not there: skipped, or the whole transfer refused.
  PedidoTransferencia p;
  p.origem = origem;
  p.destino = {"2004", kCnpjECei, "00"};
  p.vinculos = {Escolhido(1), Escolhido(8)};
  p.recusaAusentes = true;
  const auto recusada = TransfereVinculos(c, p);
  EXPECT_EQ(recusada.recusa, "1304"_msg);
  ASSERT_EQ(recusada.ausentes.size(), 1u);
  EXPECT_EQ(recusada.ausentes[0].pis, Pis(8));
  EXPECT_EQ(Retrato(), antes);
  p.recusaAusentes = false;
  const auto feita = TransfereVinculos(c, p);
  EXPECT_TRUE(feita.recusa.ok());
  EXPECT_EQ(feita.transferidos, 1);
  EXPECT_EQ(Coluna(p.destino, "NuVinculosEstabelecimento"), "000001");
}

TEST_F(Manutencao, TipoDoDestinoValidoComoCnpjECei) {
  const struct {
    const char* pedido;
    NuMensagem mensagem;
    const char* tipo;
  } casos[] = {{"", kSemOcorrencia, "1"}, {"3", kSemOcorrencia, "3"}, {"1", kSemOcorrencia, "1"}, {"4", "0130"_msg, ""}};
  for (const auto& k : casos) {
    SCOPED_TRACE(k.pedido);
    const auto d = CriticaInscricaoDestino(kCnpjECei, k.pedido);
    EXPECT_EQ(d.mensagem, k.mensagem);
    EXPECT_EQ(d.tipo, k.tipo);
  }
  EXPECT_EQ(CriticaInscricaoDestino(kCnpjSo, "3").mensagem, "0131"_msg);
  EXPECT_EQ(CriticaInscricaoDestino(kCeiSo, "").tipo, "3");
}

TEST_F(Manutencao, TodosOsVinculosTransferidos) {
  const auto origem = Estab(kCnpjSo);
  Vinculos(origem, 5);
  PedidoTransferencia p;
  p.origem = origem;
  p.destino = {"2004", kCnpjSo, "A1"};
  p.todos = true;
  const auto r = TransfereVinculos(c, p);
  ASSERT_TRUE(r.recusa.ok()) << r.recusa;
  EXPECT_EQ(r.transferidos, 5);
  EXPECT_EQ(Coluna(origem, "NuVinculosEstabelecimento"), "000000");
  EXPECT_EQ(Coluna(p.destino, "NuVinculosEstabelecimento"), "000005");
  EXPECT_EQ(Coluna(p.destino, "NuEstrangeirosEstabelec"), "00001");
}

TEST_F(Manutencao, ExclusaoDeVinculosEscolhidosRecontaOEstabelecimento) {
  const auto k = Estab(kCeiSo, "00", "3");
  Vinculos(k, 10);
  // Two workers without PIS/PASEP admitted the same day: the name tells them apart.
  Tabela t(c, "Bd8vinc");
  for (const char* nome : {"SEM PIS A", "SEM PIS B"}) {
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = kCeiSo;
    l["NuPrefixoEstabelecimento"] = "00";
    l["CoPisPasepEmpregado"] = "00000000000";
    l["DaAdmissaoEmpregado"] = "01022001";
    l["NoEmpregado"] = nome;
    l["CoNacionalidade"] = "10";
    t.inclui(l);
  }

  PedidoExclusaoVinculos p;
  p.estabelecimento = k;
  p.vinculos = {Escolhido(3), Escolhido(4), Escolhido(5), {"00000000000", "01022001", std::string("SEM PIS B")},
                Escolhido(11)};
  const auto r = ExcluiVinculos(c, p);
  ASSERT_TRUE(r.recusa.ok()) << r.recusa;
  EXPECT_EQ(r.excluidos, 4);
  ASSERT_EQ(r.ausentes.size(), 1u);  // skipped, not counted
  EXPECT_EQ(Coluna(k, "NuVinculosEstabelecimento"), "000008");
  EXPECT_EQ(Coluna(k, "NuEstrangeirosEstabelec"), "00002");  // 6 and 9 left
  EXPECT_EQ(Coluna(k, "InOpcaoAberta"), "");
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where NoEmpregado = 'SEM PIS A'"), 1);

  // Refusals change nothing.
  const auto antes = Retrato();
  p.recusaAusentes = true;
  EXPECT_EQ(ExcluiVinculos(c, p).recusa, "1304"_msg);
  p.vinculos.clear();
  EXPECT_EQ(ExcluiVinculos(c, p).recusa, "1310"_msg);
  p.estabelecimento = Estab(kCnpjSo);
  p.vinculos = {Escolhido(1)};
  const auto depois = Retrato();
  EXPECT_EQ(ExcluiVinculos(c, p).recusa, "1302"_msg);
  EXPECT_EQ(Retrato(), depois);
  EXPECT_EQ(antes.size() + 1, depois.size());
}

TEST_F(Manutencao, ExclusaoDeEstabelecimentosLevaSeusVinculos) {
  const auto a = Estab(kCnpjSo);
  const auto b = Estab(kCnpjSo, "01");
  const auto semVinculos = Estab(kCeiSo, "00", "3");
  Vinculos(a, 250);
  Vinculos(b, 2);

  PedidoExclusaoEstabelecimentos p;
  p.estabelecimentos = {a, semVinculos};
  const auto r = ExcluiEstabelecimentos(c, p);
  EXPECT_TRUE(r.ausentes.empty());
  EXPECT_EQ(r.excluidos, 2);
  EXPECT_EQ(r.vinculosExcluidos, 250);
  EXPECT_FALSE(BuscaEstabelecimento(c, a));
  EXPECT_EQ(Conta("select count(*) from Bd8vinc"), 2);
  EXPECT_TRUE(BuscaEstabelecimento(c, b));

  // One establishment missing: none is deleted.
  const auto antes = Retrato();
  p.estabelecimentos = {b, a};
  const auto recusada = ExcluiEstabelecimentos(c, p);
  ASSERT_EQ(recusada.ausentes.size(), 1u);
  EXPECT_EQ(recusada.ausentes[0].prefixo, "00");
  EXPECT_EQ(Retrato(), antes);
}

TEST_F(Manutencao, TipoDeVinculoConformeOTipoDeInscricao) {
  const auto cnpj = Estab(kCnpjSo);
  const auto cnpjOutroPrefixo = Estab(kCnpjSo, "01");
  const auto cei = Estab(kCeiSo, "00", "3");
  const auto ambos = Estab(kCnpjECei, "00", "3");  // stored type decides
  for (const auto& k : {cnpj, cnpjOutroPrefixo, cei, ambos}) Vinculos(k, 3, "35");
  const auto antes = Retrato();

  const struct {
    const char* nome;
    ChaveEstabelecimento k;
    const char* codigo;
    NuMensagem recusa;
  } recusas[] = {
      {"CNPJ, 15", cnpj, "15", "1307"_msg}, {"CEI, 10", cei, "10", "1307"_msg},
      {"ambos com tipo 3, 10", ambos, "10", "1307"_msg}, {"sem código", cnpj, " ", "1306"_msg},
      {"código fora da tabela", cnpj, "11", "1306"_msg}, {"inexistente", {"2004", kCnpjSo, "09"}, "10", "1301"_msg},
  };
  for (const auto& k : recusas) {
    SCOPED_TRACE(k.nome);
    EXPECT_EQ(AlteraTipoVinculo(c, {k.k, k.codigo, {}}).recusa, k.recusa);
  }
  EXPECT_EQ(Retrato(), antes);

  const auto r = AlteraTipoVinculo(c, {cnpj, "10", {}});
  ASSERT_TRUE(r.recusa.ok()) << r.recusa;
  EXPECT_EQ(r.alterados, 3);
  EXPECT_TRUE(AlteraTipoVinculo(c, {cei, "15", {}}).recusa.ok());
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where CoVinculo = '10'"), 3);
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where CoVinculo = '10' and NuPrefixoEstabelecimento = '00'"), 3);
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where CoVinculo = '15'"), 3);
  EXPECT_EQ(Coluna(cnpj, "InOpcaoAberta"), "");

  const auto semVinculos = Estab(kCnpjSo, "02");
  EXPECT_EQ(AlteraTipoVinculo(c, {semVinculos, "10", {}}).recusa, "1304"_msg);
}

TEST_F(Manutencao, FalhaNoMeioDeCadaOperacaoDeixaTudoComoEstava) {
  const auto a = Estab(kCnpjSo);
  const auto b = Estab(kCeiSo, "00", "3");
  Vinculos(a, 10);
  Vinculos(b, 3, "15");

  EXPECT_GE(InterrompeCadaEtapa([&](EtapaManutencao etapa) {
              PedidoTransferencia p;
              p.origem = a;
              p.destino = {"2004", kCnpjECei, "00"};
              p.vinculos = {Escolhido(1), Escolhido(2), Escolhido(3)};
              p.etapa = etapa;
              ASSERT_TRUE(TransfereVinculos(c, p).recusa.ok());
            }),
            5);
  EXPECT_GE(InterrompeCadaEtapa([&](EtapaManutencao etapa) {
              PedidoExclusaoVinculos p;
              p.estabelecimento = a;
              p.vinculos = {Escolhido(4), Escolhido(5)};
              p.etapa = etapa;
              ASSERT_TRUE(ExcluiVinculos(c, p).recusa.ok());
            }),
            4);
  EXPECT_GE(InterrompeCadaEtapa([&](EtapaManutencao etapa) {
              ASSERT_TRUE(AlteraTipoVinculo(c, {a, "20", etapa}).recusa.ok());
            }),
            2);
  EXPECT_GE(InterrompeCadaEtapa([&](EtapaManutencao etapa) {
              PedidoExclusaoEstabelecimentos p;
              p.estabelecimentos = {b, a};
              p.etapa = etapa;
              ASSERT_EQ(ExcluiEstabelecimentos(c, p).excluidos, 2);
            }),
            6);
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where AnBase = '2004' and CoCgcCeiEstabelecimento = '" +
                  std::string(kCnpjECei) + "'"),
            3);
}

}  // namespace
