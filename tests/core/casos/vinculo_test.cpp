#include "casos/vinculo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base_manutencao.h"
#include "demonstracao/demonstracao.h"
#include "data/referencia.h"
#include "validation/referencias_tabelas.h"

namespace {

using namespace vornex;

// A small demo declaration: every link in it passes the field rules.
class Vinculos : public ::testing::Test, public teste::BaseManutencao {
 protected:
  Vinculos() {
    GeraDemonstracao(c, {2, 12, 5});
    for (auto& e : Tabela(c, "Bd8emp").todas())
      if (e["InZemaNegEstabelecimento"] == "0") {
        estab = e;
        break;
      }
    k = {estab["AnBase"], estab["CoCgcCeiEstabelecimento"], estab["NuPrefixoEstabelecimento"]};
    vinculos = VinculosDoEstabelecimento(c, k);
  }

  const Referencias& ref() {
    static const TabelasReferencia t = TabelasReferencia::Carrega(c);
    static const ReferenciasTabelas r(t);
    return r;
  }

  // A demo link as the screen would have it typed anew: another admission
  // date in the same year, the worker's data unchanged.
  Linha NovoDoModelo() {
    Linha v = vinculos.front();
    v["NuSequencialRegistro"] = "";
    std::string& adm = v["DaAdmissaoEmpregado"];
    adm.replace(0, 2, adm.substr(0, 2) == "05" ? "06" : "05");  // same month, another day
    return v;
  }

  ResultadoGravaVinculo Grava(Linha v, std::optional<ChaveVinculo> original = std::nullopt) {
    PedidoGravaVinculo p;
    p.vinculo = std::move(v);
    p.original = std::move(original);
    return GravaVinculo(c, ref(), std::move(p));
  }

  Linha estab;
  ChaveEstabelecimento k;
  std::vector<Linha> vinculos;
};

TEST_F(Vinculos, LinhasDaDemonstracaoPassamNaConfirmacao) {
  const ContextoVinculo ctx = ContextoVinculo::De(estab);
  for (Linha v : vinculos) {
    const auto r = ChecaConfirmacaoVinculo(v, ctx, ref(), ModoChecagem::TodosOsCampos);
    ASSERT_TRUE(r.checagem.ok()) << v["CoPisPasepEmpregado"] << " " << r.checagem.falhas[0].campo << " "
                                 << r.checagem.falhas[0].mensagem.texto();
  }
}

TEST_F(Vinculos, GravaNovoVinculoERecontaNaMesmaTransacao) {
  c.executa("update Bd8emp set NuVinculosEstabelecimento = '000099'");
  const long long antes = static_cast<long long>(vinculos.size());
  Linha v = NovoDoModelo();
  v["CoNacionalidade"] = "20";
  v["AnChegadaEmpregado"] = "1990";
  v["HoSemanaisEmpregado"] = "8";  // padded on writing
  const auto r = Grava(v);
  ASSERT_TRUE(r.gravado) << (r.checagem.ok() ? "" : r.checagem.falhas[0].mensagem.texto());
  EXPECT_EQ(r.contagem.vinculos, antes + 1);
  EXPECT_EQ(Coluna(k, "NuVinculosEstabelecimento"), ZerosEsquerda(std::to_string(antes + 1), 6));
  EXPECT_EQ(Coluna(k, "NuEstrangeirosEstabelec"), ZerosEsquerda(std::to_string(r.contagem.estrangeiros), 5));
  const auto lido = AbreVinculo(c, k, v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], "");
  ASSERT_TRUE(lido);
  EXPECT_EQ((*lido)["HoSemanaisEmpregado"], "08");
  EXPECT_EQ((*lido)["CoNacionalidade"], "20");
}

// Each refusal writes nothing and hands back the row as typed.
TEST_F(Vinculos, RecusasNaoGravamEMantemODigitado) {
  struct Caso {
    const char* nome;
    void (*muda)(Linha&, const Linha& existente);
    const char* campo;
    NuMensagem mensagem;
  };
  const Caso casos[] = {
      {"CBO inexistente", [](Linha& v, const Linha&) { v["CoCbo"] = "999999"; }, "CoCbo", "0000"_msg},
      {"valor com letra", [](Linha& v, const Linha&) { v["VaMarcoEmpregado"] = "12a"; }, "VaMarcoEmpregado",
       "0040"_msg},
      {"valor com 10 dígitos", [](Linha& v, const Linha&) { v["VaSalContratualEmpregado"] = "1234567890"; },
       "VaSalContratualEmpregado", "0315"_msg},
      {"raça em branco", [](Linha& v, const Linha&) { v["CoTipoRaca"] = ""; }, "CoTipoRaca", "0480"_msg},
      {"nada pago",
       [](Linha& v, const Linha&) {
         for (const char* m : kColunasMeses) v[m] = "000000000";
         v["Va13AdiantamentoEmpregado"] = v["Va13ParcelaFinalEmpregado"] = "000000000";
         v["Me13AdiantamentoEmpregado"] = v["Me13ParcelaFinalEmpregado"] = "00";
       },
       kColunasMeses[0], "1056"_msg},
      {"mesma admissão, outro nome",
       [](Linha& v, const Linha& e) {
         v["DaAdmissaoEmpregado"] = e["DaAdmissaoEmpregado"];
         v["NoEmpregado"] = "OUTRO NOME";
       },
       "DaAdmissaoEmpregado", "1051"_msg},
      {"chave repetida", [](Linha& v, const Linha& e) { v["DaAdmissaoEmpregado"] = e["DaAdmissaoEmpregado"]; },
       "DaAdmissaoEmpregado", "1059"_msg},
  };
  const auto retrato = Retrato();
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    Linha v = NovoDoModelo();
    caso.muda(v, vinculos.front());
    const Linha digitado = v;
    const auto r = Grava(v);
    EXPECT_FALSE(r.gravado);
    ASSERT_EQ(r.checagem.falhas.size(), 1u);
    EXPECT_EQ(r.checagem.falhas[0].campo, caso.campo);
    if (!caso.mensagem.ok()) {
      EXPECT_EQ(r.checagem.falhas[0].mensagem, caso.mensagem);
    }
    EXPECT_EQ(r.vinculo["DaAdmissaoEmpregado"], digitado["DaAdmissaoEmpregado"]);
    EXPECT_EQ(r.vinculo["NoEmpregado"], digitado["NoEmpregado"]);
    EXPECT_EQ(Retrato(), retrato);
  }
}

TEST_F(Vinculos, EdicaoNaoPodeCairNaAdmissaoDeOutroVinculo) {
  Linha v = NovoDoModelo();
  ASSERT_TRUE(Grava(v).gravado);
  const Linha novo = *AbreVinculo(c, k, v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], "");

  // Editing it in place is fine.
  Linha editado = novo;
  editado["TxUsoEmpregado"] = "SETOR 2";
  const auto ok = Grava(editado, ChaveDoVinculo(novo));
  ASSERT_TRUE(ok.gravado);
  EXPECT_EQ(ok.contagem.vinculos, static_cast<long long>(vinculos.size()) + 1);

  editado["DaAdmissaoEmpregado"] = vinculos.front()["DaAdmissaoEmpregado"];
  const auto r = Grava(editado, ChaveDoVinculo(novo));
  EXPECT_FALSE(r.gravado);
  ASSERT_FALSE(r.checagem.ok());
  EXPECT_EQ(r.checagem.falhas[0].mensagem, "1058"_msg);
}

TEST_F(Vinculos, ExcluiVinculoReconta) {
  const long long n = static_cast<long long>(vinculos.size());
  auto r = ExcluiVinculo(c, ChaveDoVinculo(vinculos.back()));
  EXPECT_TRUE(r.excluido);
  EXPECT_EQ(Coluna(k, "NuVinculosEstabelecimento"), ZerosEsquerda(std::to_string(n - 1), 6));

  // A link without PIS/PASEP, as the consultation deletes it.
  c.executa("update Bd8vinc set CoPisPasepEmpregado = '00000000000' where CoPisPasepEmpregado = '" +
            vinculos.front()["CoPisPasepEmpregado"] + "'");
  Linha semPis = vinculos.front();
  semPis["CoPisPasepEmpregado"] = "00000000000";
  r = ExcluiVinculo(c, ChaveDoVinculo(semPis));
  EXPECT_TRUE(r.excluido);
  EXPECT_EQ(r.contagem.vinculos, ContaVinculos(c, k));
  EXPECT_EQ(Coluna(k, "NuVinculosEstabelecimento"), ZerosEsquerda(std::to_string(ContaVinculos(c, k)), 6));
}

TEST_F(Vinculos, ConsultasDoTrabalhador) {
  const Linha& v = vinculos.front();
  const auto dados = DadosPessoaisPorPis(c, k, v["CoPisPasepEmpregado"]);
  ASSERT_TRUE(dados);
  EXPECT_EQ((*dados)["NoEmpregado"], v["NoEmpregado"]);
  EXPECT_EQ((*dados)["CoCpfEmpregado"], v["CoCpfEmpregado"]);
  EXPECT_FALSE(DadosPessoaisPorPis(c, k, "99999999999"));

  EXPECT_TRUE(VinculoMesmaAdmissao(c, k, v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], ""));
  EXPECT_FALSE(VinculoMesmaAdmissao(c, k, v["CoPisPasepEmpregado"], "01011999", ""));

  EXPECT_EQ(NascimentosDivergentes(c, k, v["CoPisPasepEmpregado"], v["DaNascimentoEmpregado"], ""), 0);
  EXPECT_EQ(NascimentosDivergentes(c, k, v["CoPisPasepEmpregado"], "01011980", ""), 1);
  // In a new link one other date is too many; editing, the link itself is one.
  EXPECT_EQ(CriticaNascimentosDivergentes(1, true), "1053"_msg);
  EXPECT_TRUE(CriticaNascimentosDivergentes(1, false).ok());
  EXPECT_EQ(CriticaNascimentosDivergentes(2, false), "1053"_msg);
}

TEST_F(Vinculos, ConsultaFiltraPorPisNomeOuLetras) {
  c.executa("update Bd8vinc set NoEmpregado = 'ANA_' || rowid where rowid % 3 = 0");
  c.executa("update Bd8vinc set NoEmpregado = 'BRUNO ' || rowid where rowid % 3 = 1");
  c.executa("update Bd8vinc set NoEmpregado = 'ANAX ' || rowid where rowid % 3 = 2");
  auto conta = [&](FiltroConsultaVinculos f) {
    f.estab = k;
    return ConsultaVinculos(c, f).size();
  };
  const auto todos = ConsultaVinculos(c, {k, "", "", ""});
  ASSERT_EQ(todos.size(), vinculos.size());
  for (std::size_t i = 1; i < todos.size(); ++i) EXPECT_LE(todos[i - 1].pis, todos[i].pis);
  std::size_t ana_ = 0, anax = 0, bruno = 0;
  for (const auto& v : todos) (v.nome.starts_with("ANA_") ? ana_ : v.nome.starts_with("ANAX") ? anax : bruno)++;
  EXPECT_EQ(conta({{}, "", "ANA_", ""}), ana_);  // '_' is a letter, not a wildcard
  EXPECT_EQ(conta({{}, "", "ANA", ""}), ana_ + anax);
  EXPECT_EQ(conta({{}, "", "", "B"}), bruno);
  EXPECT_EQ(conta({{}, "", "", "AB"}), todos.size());
  const std::string pis = todos.back().pis;
  std::size_t mesmoPis = 0;
  for (const auto& v : todos) mesmoPis += v.pis == pis;
  EXPECT_EQ(conta({{}, pis, "", ""}), mesmoPis);
  // The typed name wins over the letters.
  EXPECT_EQ(conta({{}, "", "BRUNO", "A"}), bruno);
}

TEST_F(Vinculos, DecimoTerceiroAcimaDaMediaSoAvisa) {
  Linha v = NovoDoModelo();
  v["Va13AdiantamentoEmpregado"] = "001000000";
  const auto r = Grava(v);
  EXPECT_TRUE(r.gravado);
  EXPECT_EQ(r.aviso13, "3508"_msg);
}

}  // namespace

namespace {

// What leaving one field of a valid link answers once some columns change:
// the failure or the warning expected ("" for none).
TEST_F(Vinculos, SaidaDosAfastamentosEDosMeses) {
  struct Caso {
    const char* campo;
    std::vector<std::pair<const char*, const char*>> valores;
    const char* falha;
    const char* aviso;
  };
  std::vector<std::pair<const char*, const char*>> semPagamento;
  for (const char* m : kColunasMeses) semPagamento.push_back({m, "000000000"});
  const Caso casos[] = {
      {"CoMotivoPrimAfas", {{"CoMotivoPrimAfas", "15"}}, "3629", ""},
      {"DaFinalPrimeiroAfas", {{"CoMotivoPrimAfas", "10"}, {"DaInicioprimeiroAfas", "0102"}, {"DaFinalPrimeiroAfas", "0000"}},
       "3643", ""},
      {"DaFinalSegundoAfas", {{"CoMotivoSeguAfas", "10"}, {"DaInicioSegundoAfas", "0102"}, {"DaFinalSegundoAfas", "0000"}},
       "3639", ""},
      {"DaFinalPrimeiroAfas", {{"CoMotivoPrimAfas", "10"}, {"DaInicioprimeiroAfas", "0103"}, {"DaFinalPrimeiroAfas", "0102"}},
       "3633", ""},
      {"QtDiasAfas", {{"CoMotivoPrimAfas", "10"}, {"QtDiasAfas", "000"}}, "3644", ""},
      {"VaFevereiroEmpregado", {{"VaJaneiroEmpregado", "000030000"}, {"VaFevereiroEmpregado", "000300000"}}, "", "0314"},
      {"VaDezembroEmpregado", semPagamento, "", "1060"},
  };
  const ContextoVinculo ctx = ContextoVinculo::De(estab);
  for (const Caso& cs : casos) {
    SCOPED_TRACE(std::string(cs.campo) + " " + cs.falha + cs.aviso);
    Linha v = vinculos.front();
    v["DaAdmissaoEmpregado"] = "01012003";
    v["DaDesligamentoEmpregado"] = "0000";
    for (const auto& [coluna, valor] : cs.valores) v[coluna] = valor;
    const ResultadoChecagem r = ChecaSaidaCampoVinculo(v, ctx, ref(), cs.campo);
    EXPECT_EQ(r.ok() ? std::string() : r.falhas.front().mensagem.str(), cs.falha);
    std::string avisos;
    for (const auto& a : r.avisos) avisos += a.mensagem.texto();
    EXPECT_NE(avisos.find(cs.aviso), std::string::npos) << avisos;
  }
  EXPECT_TRUE(ExcessoDiasAfastamento("367"));
  EXPECT_FALSE(ExcessoDiasAfastamento("366"));
}

TEST_F(Vinculos, AfastamentoSemPagamentoEAlvara) {
  Linha v = vinculos.front();
  for (const char* m : kColunasMeses) v[m] = "000100000";
  v["VaFevereiroEmpregado"] = v["VaMarcoEmpregado"] = "000000000";
  v["CoMotivoPrimAfas"] = "10";
  v["DaInicioprimeiroAfas"] = "0102";
  v["DaFinalPrimeiroAfas"] = "3103";
  EXPECT_EQ(AfastamentoSemPagamento(v).str(), "3634");
  v["DaFinalPrimeiroAfas"] = "0504";  // April was paid
  EXPECT_TRUE(AfastamentoSemPagamento(v).ok());
  v["DaFinalPrimeiroAfas"] = "3103";
  v["CoMotivoPrimAfas"] = "40";  // an illness outside work may go unpaid
  EXPECT_TRUE(AfastamentoSemPagamento(v).ok());

  struct Caso {
    const char *nascimento, *tipo, *alvara;
    bool aberto;
    const char* valor;
  };
  const Caso casos[] = {{"01011990", "10", "", true, "2"},   {"01011990", "10", "1", true, "1"},
                        {"01011990", "55", "1", false, "1"}, {"01011987", "10", "1", false, "2"},
                        {"", "10", "1", false, "2"}};
  for (const Caso& cs : casos) {
    SCOPED_TRACE(std::string(cs.nascimento) + " " + cs.tipo);
    v["DaNascimentoEmpregado"] = cs.nascimento;
    v["CoVinculo"] = cs.tipo;
    v["InAlvaraEmpregado"] = cs.alvara;
    const EstadoAlvara e = AlvaraAoAbrir(v);
    EXPECT_EQ(e.aberto, cs.aberto);
    EXPECT_EQ(e.valor, cs.valor);
  }
}

}  // namespace
