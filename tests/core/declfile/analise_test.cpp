#include "declfile/analise_estrutura.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <sstream>

#include "../data/apoio.h"
#include "arquivo_zema.h"
#include "common/passagem.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas_trabalho.h"

namespace {

using namespace vornex;
using teste::ArquivoZema;

const std::string I1 = "11222333000181", P1 = "00", I2 = "44555666000190", P2 = "A1";
const std::string IP1 = I1 + P1, IP2 = I2 + P2;

// 0 responsible person, 1 establishment with employees, 2 and 3 its links,
// 4 establishment without employees, 5 totals.
ArquivoZema Base() {
  MontadorRegistros m;
  std::string s;
  const Linha resp = teste::ResponsavelExemplo();
  const Linha e1 = teste::EstabelecimentoExemplo(I1, P1, false);
  const Linha e2 = teste::EstabelecimentoExemplo(I2, P2, true);
  m.zero(resp, e1, {{true, false}, {}, "101010"}, s);
  m.um(e1, 2, s);
  m.dois(e1, teste::VinculoExemplo(0), 3, s);
  m.dois(e1, teste::VinculoExemplo(4), 4, s);
  m.um(e2, 5, s);
  m.nove(resp, e2, {{true, false}, 6, 2, 2, 1}, s);
  return teste::SeparaRegistros(s);
}

ArquivoZema Registros(std::initializer_list<std::size_t> quais) {
  const ArquivoZema b = Base();
  ArquivoZema a;
  for (auto i : quais) a.registros.push_back(b.registros[i]);
  return a.renumera();
}

struct Interrompe : AcompanhamentoPassagem {
  int apos = 0;
  bool interrompe() override { return --apos < 0; }
};

class AnaliseArquivo : public ::testing::Test {
 protected:
  AnaliseArquivo() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    c_ = AbreZema2004(pasta_ / "dados");
  }

  int analisa(const std::string& bytes, bool anterior = false, bool modoValor = false,
              AcompanhamentoPassagem& a = SemAcompanhamento()) {
    teste::Escreve(arquivo(), bytes);
    TAnaliseEstrutura an(c_);
    an.AnteriorAtual = anterior;
    return an.AnalisaArquivo(arquivo(), 2004, modoValor, a, estabs_, vincs_);
  }
  std::filesystem::path arquivo() const { return pasta_ / "Zema2004."; }

  std::vector<std::array<std::string, 6>> erros() {
    std::vector<std::array<std::string, 6>> r;
    for (const auto& e : LeErrosEstrutura(c_)) {
      EXPECT_EQ(e.anBase, "2004");
      r.push_back({e.coMsg, e.sequencia, e.inscricaoPrefixo, e.tipoCampo, e.posicaoInicial, e.conteudo});
    }
    return r;
  }
  bool temCopias() {
    return ExisteTabela(c_, kTrabalhoResponsavel) || ExisteTabela(c_, kTrabalhoEstabelecimento) ||
           ExisteTabela(c_, kTrabalhoVinculo);
  }
  std::vector<Linha> linhas(const std::string& sql) { return Consulta(c_, sql).todas(); }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  long estabs_ = -1, vincs_ = -1;
};

TEST_F(AnaliseArquivo, CadaDelimitadorAceito) {
  for (std::string_view d : {"\r\n", "\n\r", "\r", "\n", ""}) {
    SCOPED_TRACE(testing::PrintToString(std::string(d)));
    EXPECT_EQ(analisa(Base().junta(d)), 0);
    EXPECT_EQ(estabs_, 2);
    EXPECT_EQ(vincs_, 2);
    EXPECT_TRUE(erros().empty());
    EXPECT_FALSE(ExisteTabela(c_, kTabelaEstrutura));
  }
}

TEST_F(AnaliseArquivo, CtrlZAposORegistroNove) {
  EXPECT_EQ(analisa(Base().junta() + "\x1a"), 0);
  EXPECT_EQ(analisa(Base().junta("") + "\x1a"), 0);
  EXPECT_EQ(analisa(Base().junta() + "\x1a" + "x"), 0);
  // More than one record's worth after the mark is data after the type-9 record.
  EXPECT_EQ(analisa(Base().junta() + std::string(353, '\x1a')), kAnaliseErros);
  EXPECT_EQ(erros()[1], (std::array<std::string, 6>{"1903", "000007", "", "5", "1", "1A(hexadecimal)"}));
}

using Linhas = std::vector<std::array<std::string, 6>>;

struct Caso {
  const char* nome;
  std::function<std::string()> arquivo;
  Linhas esperadas;
};

TEST_F(AnaliseArquivo, CadaErroDeEstruturaComSuasLinhas) {
  const std::string x1 = "112X2333000181";
  const std::vector<Caso> casos = {
      {"1900 LF onde o primeiro registro tem CR LF",
       [] {
         auto a = Base();
         return a.junta().replace(2 * 352 + 350, 2, "\n");
       },
       {{"1900", "000003", IP1, "5", "351", "0A(hexadecimal)0"}}},
      {"1901 type 0", [] { return Base().poe(0, 271, "\x01").junta(); },
       {{"1901", "000001", IP1, "5", "271", "01(hexadecimal)"}}},
      {"1901 type 1", [] { return Base().poe(1, 265, "\x7f").junta(); },
       {{"1901", "000002", IP1, "5", "265", "7F(hexadecimal)"}}},
      {"1901 type 9", [] { return Base().poe(5, 36, "\xe9").junta(); },
       {{"1901", "000006", IP2, "5", "36", "é"}}},
      {"1902", [] { return Base().poe(2, 1, "000009").junta(); },
       {{"1902", "000002", IP1, "0", "", "000002"}, {"1902", "000003", IP1, "0", "", "000009"}}},
      {"1902 first record", [] { return Base().poe(0, 1, "000002").junta(); },
       {{"1902", "000001", IP1, "0", "", "000002"}}},
      {"1903", [] { return Base().junta() + "X"; },
       {{"1903", "000006", IP2, "1", "", "9"}, {"1903", "000007", "", "5", "1", "X"}}},
      {"1904 last record without delimiter",
       [] {
         auto s = Base().junta();
         return s.substr(0, s.size() - 2);
       },
       {{"1904", "000006", IP2, "9", "", "352"}, {"1904", "000006", IP2, "A", "", "350"}}},
      {"1905", [] { return Registros({0, 1, 2, 3}).junta(); }, {{"1905", "000004", IP1, "1", "", "2"}}},
      {"1906", [] { return Base().poe(1, 23, "0").junta(); }, {{"1906", "000002", IP1, "1", "", "0"}}},
      {"1907", [] { return Base().poe(0, 23, "1").junta(); }, {{"1907", "000001", IP1, "1", "", "1"}}},
      {"1908", [] { return Base().poe(0, 7, I2).junta(); },
       {{"1908", "000001", I2 + P1, "1", "", "0"}, {"1908", "000002", IP1, "1", "", "1"}}},
      {"1909", [] { return Registros({0, 1, 4, 5}).junta(); },
       {{"1909", "000002", IP1, "1", "", "1"}, {"1909", "000002", IP1, "2", "", "0"},
        {"1909", "000003", IP2, "1", "", "1"}}},
      {"1910 right after", [] { return Registros({0, 1, 2, 3, 4, 4, 5}).junta(); },
       {{"1910", "000005", IP2, "1", "", "1"}, {"1910", "000006", IP2, "1", "", "1"}}},
      // The earlier establishment is shown, rebuilt from the loaded row.
      {"1910 earlier establishment",
       [] { return Registros({0, 1, 2, 3, 4, 1, 5}).junta(); },
       {{"1910", "000002", IP1, "1", "", "1"}, {"1910", "000006", IP1, "1", "", "1"}}},
      // A prefix ending in a blank is stored without it and still found.
      {"1910 earlier establishment, prefix with a blank",
       [] {
         return Registros({0, 1, 2, 3, 4, 4, 4, 5}).poe(4, 21, "B ").poe(5, 7, "77888999000100").poe(6, 21, "B ").junta();
       },
       {{"1910", "000005", I2 + "B ", "1", "", "1"}, {"1910", "000007", I2 + "B ", "1", "", "1"}}},
      {"1911", [] { return Base().poe(1, 293, "2003").junta(); }, {{"1911", "000002", IP1, "5", "293", "2003"}}},
      {"1911 not printable", [] { return Base().poe(1, 293, "20\x01" "4").junta(); },
       {{"1911", "000002", IP1, "5", "293", ""}}},
      {"1912", [] { return Base().poe(1, 278, "2").junta(); }, {{"1912", "000002", IP1, "2", "", "2"}}},
      {"1913 after type 0", [] { return Registros({0, 2, 3, 1, 5}).junta(); },
       {{"1913", "000002", IP1, "1", "", "2"}}},
      {"1913 after another establishment without employees",
       [] { return Registros({0, 1, 2, 3, 4, 2, 5}).junta(); }, {{"1913", "000006", IP1, "1", "", "2"}}},
      {"1914", [] { return Registros({0, 1, 2, 3, 5}).poe(1, 278, "1").junta(); },
       {{"1914", "000002", IP1, "1", "", "1"}, {"1914", "000002", IP1, "2", "", "1"},
        {"1914", "000003", IP1, "1", "", "2"}}},
      {"1915 type 9 after an establishment with employees", [] { return Registros({0, 1, 5}).junta(); },
       {{"1915", "000002", IP1, "1", "", "1"}, {"1915", "000002", IP1, "2", "", "0"},
        {"1915", "000003", IP2, "1", "", "9"}}},
      {"1915 link of another establishment", [] { return Registros({0, 1, 2, 5}).poe(2, 7, I2).junta(); },
       {{"1915", "000002", IP1, "1", "", "1"}, {"1915", "000002", IP1, "2", "", "0"},
        {"1915", "000003", I2 + P1, "1", "", "2"}}},
      {"1916", [] { return Base().poe(3, 7, I2).junta(); },
       {{"1916", "000003", IP1, "1", "", "2"}, {"1916", "000004", I2 + P1, "1", "", "2"}}},
      {"1917", [] { return Registros({0, 5, 5}).junta(); },
       {{"1917", "000001", IP1, "1", "", "0"}, {"1917", "000002", IP2, "1", "", "9"}}},
      {"1918", [] { return Base().poe(5, 7, I1).junta(); },
       {{"1918", "000005", IP2, "1", "", "1"}, {"1918", "000006", I1 + P2, "1", "", "9"}}},
      {"1919", [] { return Base().poe(5, 24, "000003").junta(); },
       {{"1919", "000006", IP2, "1", "", "9"}, {"1919", "000006", IP2, "3", "", "000003"},
        {"1919", "000006", IP2, "6", "", "2"}}},
      {"1919 a letter counts as zero", [] { return Base().poe(5, 24, "00000A").junta(); },
       {{"1919", "000006", IP2, "1", "", "9"}, {"1919", "000006", IP2, "3", "", "00000A"},
        {"1919", "000006", IP2, "6", "", "2"}}},
      {"1920", [] { return Base().poe(5, 30, "000001").junta(); },
       {{"1920", "000006", IP2, "1", "", "9"}, {"1920", "000006", IP2, "4", "", "000001"},
        {"1920", "000006", IP2, "7", "", "2"}}},
      {"1921", [] { return Base().poe(2, 23, "3").junta(); }, {{"1921", "000003", IP1, "1", "", "3"}}},
      {"1922 sequence", [] { return Base().poe(2, 1, "00000A").junta(); },
       {{"1922", "000003", IP1, "0", "6", "00000A"}}},
      {"1922 inscription", [&] { return Base().poe(2, 7, x1).junta(); },
       {{"1922", "000003", x1 + P1, "8", "10", x1}}},
      {"1922 type", [] { return Base().poe(2, 23, "X").junta(); }, {{"1922", "000003", IP1, "1", "23", "X"}}},
      {"1922 position 278", [] { return Base().poe(1, 278, "Y").junta(); },
       {{"1922", "000002", IP1, "2", "278", "Y"}}},
      {"1923", [] { return Base().poe(2, 100, "\n").junta(); },
       {{"1923", "000003", IP1, "5", "100", "0A(hexadecimal)"}}},
      {"1924", [] { return Base().junta().substr(0, 1049); }, {{"1924", "000001", IP1, "", "", ""}}},
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    EXPECT_EQ(analisa(caso.arquivo()), kAnaliseErros);
    EXPECT_EQ(erros(), caso.esperadas);
    EXPECT_FALSE(temCopias());
  }
}

// Loading, then building the records again from the work tables, gives the
// file back byte for byte: every field went to its column.
TEST_F(AnaliseArquivo, CarregaAsLinhasDeVolta) {
  std::ostringstream s;
  teste::GeraArquivoZema(s, 3, 4);
  ASSERT_EQ(analisa(s.str()), 0);
  EXPECT_EQ(estabs_, 3);
  EXPECT_EQ(vincs_, 12);

  const auto resp = linhas("SELECT * FROM Te8resp");
  const auto emps = linhas("SELECT * FROM Te8emp ORDER BY NuSequencialRegistro");
  const auto vincs = linhas("SELECT * FROM Te8vinc ORDER BY NuSequencialRegistro");
  ASSERT_EQ(resp.size(), 1u);
  ASSERT_EQ(emps.size(), 3u);
  ASSERT_EQ(vincs.size(), 12u);
  EXPECT_EQ(emps[2]["NuVinculosEstabelecimento"], "000004");
  EXPECT_EQ(emps[0]["NoRazaoEstabelecimento"], "PADARIA PAO QUENTE LTDA");
  EXPECT_EQ(vincs[0]["NoEmpregado"], "JOSE PEREIRA 0");
  EXPECT_EQ(resp[0]["NuRespostaPesquisa"], "123");

  MontadorRegistros m;
  std::string r;
  m.zero(resp[0], emps[0], {{true, false}, {}, "101010"}, r);
  std::size_t k = 0;
  for (const auto& e : emps) {
    m.um(e, ValorInteiro(e["NuSequencialRegistro"]), r);
    for (int i = 0; i < 4; ++i, ++k) m.dois(e, vincs[k], ValorInteiro(vincs[k]["NuSequencialRegistro"]), r);
  }
  m.nove(resp[0], emps[2], {{true, false}, 17, 3, 12, 0}, r);
  EXPECT_EQ(r, s.str());
}

TEST_F(AnaliseArquivo, RegrasDeCargaDosCampos) {
  auto a = Base();
  a.poe(0, 24, "x").poe(1, 299, " ").poe(1, 298, "X").poe(1, 330, "x").poe(2, 268, " ").poe(3, 268, "7");
  a.poe(2, 91, "   1234    ").poe(4, 299, "5").poe(0, 126, std::string(21, ' ')).poe(1, 339, "USO 1       ");
  ASSERT_EQ(analisa(a.junta()), 0);
  const auto resp = linhas("SELECT * FROM Te8resp");
  EXPECT_TRUE(resp[0].logico("InReciboParaRespArquivo"));
  EXPECT_FALSE(resp[0].logico("InRetificacao"));
  EXPECT_EQ(resp[0]["TxComplementoRespArquivo"], "");
  const auto e = linhas("SELECT * FROM Te8emp ORDER BY NuSequencialRegistro");
  EXPECT_EQ(e[0]["InParticipaPAT"], "2");
  EXPECT_EQ(e[1]["InParticipaPAT"], "5");
  EXPECT_EQ(e[0]["InOptanteSimples"], "1");
  EXPECT_EQ(e[0]["InEncerramentoAtividade"], "1");
  EXPECT_EQ(e[0]["CoCgcVinculado"], "00123456789012");
  // As found, but without the blanks that pad it.
  EXPECT_EQ(e[0]["TxUsoEstabelecimento"], "USO 1");
  EXPECT_EQ(e[0]["NuVinculosEstabelecimento"], "000002");
  EXPECT_EQ(e[0]["NuEstrangeirosEstabelec"], "00001");
  EXPECT_EQ(e[1]["NuVinculosEstabelecimento"], "000000");
  EXPECT_EQ(e[1]["NuEstrangeirosEstabelec"], "00000");
  const auto v = linhas("SELECT * FROM Te8vinc ORDER BY NuSequencialRegistro");
  EXPECT_EQ(v[0]["InDeficienteFisico"], "2");
  EXPECT_EQ(v[1]["InDeficienteFisico"], "7");
  EXPECT_EQ(v[0]["NuCartTrabEmpregado"], "00000001234");
  EXPECT_EQ(v[0]["AnBase"], "2004");
  EXPECT_EQ(v[0]["VaJaneiroEmpregado"], "000150000");
}

TEST_F(AnaliseArquivo, IndicadorDeRetificacao) {
  for (auto [c, bits] : {std::pair{"1", kAnaliseRetificacao}, {"X", kAnaliseRetificacao},
                         {"x", kAnaliseRetificacao}, {"2", 0}, {" ", 0}}) {
    SCOPED_TRACE(c);
    EXPECT_EQ(analisa(Base().poe(0, 223, c).junta()), bits);
    EXPECT_EQ(linhas("SELECT * FROM Te8resp")[0].logico("InRetificacao"), bits != 0);
  }
}

TEST_F(AnaliseArquivo, AnoAnterior) {
  auto a = Base();
  for (std::size_t i : {1, 4}) a.poe(i, 293, "2003");
  const std::string f = a.junta();
  EXPECT_EQ(analisa(f), kAnaliseErros);
  EXPECT_EQ(erros()[0][0], "1911");

  ASSERT_EQ(analisa(f, true, true), 0);
  for (const auto& e : linhas("SELECT * FROM Te8emp")) {
    EXPECT_EQ(e["AnBase"], "2003");
    EXPECT_EQ(e["InPorte"], "3");
    EXPECT_EQ(e["NuVinculoPatMenor5"] + e["NuVinculoPatMaior5"], "000000000000");
    EXPECT_EQ(e["PoServicoProprio"] + e["PoAdmCozinha"] + e["PoRefeicaoConvenio"] +
                  e["PoRefeicaoTransportadora"] + e["PoCestaAlimento"] + e["PoAlimentacaoConvenio"],
              std::string(18, '0'));
  }
  for (const auto& v : linhas("SELECT * FROM Te8vinc")) {
    EXPECT_EQ(v["AnBase"], "2003");
    EXPECT_EQ(v["VaSalContratualEmpregado"], "000000000");
    EXPECT_EQ(v["VaDezembroEmpregado"], "000000000");
    EXPECT_EQ(v["Me13ParcelaFinalEmpregado"], "00");
  }
  // Without value mode the pay is kept.
  ASSERT_EQ(analisa(f, true, false), 0);
  EXPECT_EQ(linhas("SELECT * FROM Te8vinc")[0]["VaDezembroEmpregado"], "000150000");
}

TEST_F(AnaliseArquivo, InterrupcaoApagaAsTabelas) {
  Interrompe i;
  i.apos = 3;
  EXPECT_EQ(analisa(Base().junta(), false, false, i), kAnaliseInterrompida);
  EXPECT_FALSE(temCopias());
  EXPECT_FALSE(ExisteTabela(c_, kTabelaEstrutura));
}

TEST_F(AnaliseArquivo, ProgressoDaCopiaEDosRegistros) {
  struct Registra : AcompanhamentoPassagem {
    std::vector<int> valores;
    void progresso(int p) override { valores.push_back(p); }
  } r;
  std::ostringstream s;
  teste::GeraArquivoZema(s, 10, 20);
  ASSERT_EQ(analisa(s.str(), false, false, r), 0);
  ASSERT_GE(r.valores.size(), 50u);
  EXPECT_EQ(r.valores.front(), 0);
  EXPECT_EQ(r.valores.back(), 100);
  EXPECT_NE(std::find(r.valores.begin(), r.valores.end(), 8), r.valores.end());
  EXPECT_TRUE(std::is_sorted(r.valores.begin(), r.valores.end()));
  EXPECT_EQ(std::adjacent_find(r.valores.begin(), r.valores.end()), r.valores.end());
}

// The cancel button asks for the interruption during the pass; the dialogs
// confirm it, and a No lets the analysis run to its end.
TEST_F(AnaliseArquivo, InterrompeAnaliseConfirmadaOuNao) {
  teste::Escreve(arquivo(), Base().junta());
  struct Cancela : AcompanhamentoPassagem {
    TAnaliseEstrutura* a = nullptr;
    bool pedido = false;
    void progresso(int p) override {
      if (p <= 8 || pedido) return;
      pedido = true;
      a->InterrompeAnalise();
    }
  };
  struct Responde : Dialogos {
    int resposta;
    int perguntas = 0;
    explicit Responde(int r) : resposta(r) {}
    int mostra(TipoDialogo, Botoes, const std::string& texto) override {
      EXPECT_EQ(texto, "Deseja interromper?");
      ++perguntas;
      return resposta;
    }
  };
  for (auto [resposta, esperado] : {std::pair{kResultadoNo, 0}, {kResultadoYes, kAnaliseInterrompida}}) {
    Responde d(resposta);
    TAnaliseEstrutura an(c_, &d);
    Cancela cancela;
    cancela.a = &an;
    long e = 0, v = 0;
    EXPECT_EQ(an.AnalisaArquivo(arquivo(), 2004, false, cancela, e, v), esperado);
    EXPECT_EQ(d.perguntas, 1);
    EXPECT_EQ(temCopias(), esperado == 0);
  }
}

TEST_F(AnaliseArquivo, NovaAnaliseApagaOErroAnterior) {
  EXPECT_EQ(analisa(Base().poe(1, 278, "2").junta()), kAnaliseErros);
  EXPECT_EQ(erros().size(), 1u);
  EXPECT_EQ(analisa(Base().junta()), 0);
  EXPECT_TRUE(erros().empty());
  EXPECT_FALSE(std::filesystem::exists(pasta_ / "dados" / kCopiaAnalise));
}

TEST_F(AnaliseArquivo, ArquivoQueNaoPodeSerCopiado) {
  teste::DialogosGravados d;
  TAnaliseEstrutura an(c_, &d);
  long e = 0, v = 0;
  const auto ausente = pasta_ / "nao-existe";
  EXPECT_EQ(an.AnalisaArquivo(ausente, 2004, false, SemAcompanhamento(), e, v), kAnaliseErros);
  EXPECT_EQ(an.falhaCopia(), "Ocorreu erro na cópia do arquivo " + ausente.string());
  EXPECT_EQ(d.textos, std::vector<std::string>{an.falhaCopia()});
  EXPECT_FALSE(temCopias());
  EXPECT_EQ(an.AnalisaArquivo(pasta_.caminho(), 2004, false, SemAcompanhamento(), e, v), kAnaliseErros);
}

}  // namespace
