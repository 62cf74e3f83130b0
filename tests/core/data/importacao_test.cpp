#include "declfile/importacao.h"

#include <gtest/gtest.h>

#include "apoio.h"
#include "common/digitos.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"

using namespace vornex;

namespace {

// A valid CNPJ / CEI from the leading digits, whatever the check digits are.
std::string Cnpj(std::string base12) {
  for (int dv = 0; dv < 100; ++dv) {
    std::string s = base12 + static_cast<char>('0' + dv / 10) + static_cast<char>('0' + dv % 10);
    if (CnpjValido(s)) return s;
  }
  throw std::logic_error("cnpj");
}

std::string Cei(std::string base11) {
  for (char d = '0'; d <= '9'; ++d) {
    std::string s = "00" + base11 + d;
    if (CeiValido(s) && !CnpjValido(s)) return s;
  }
  throw std::logic_error("cei");
}

class Importacao : public ::testing::Test {
 protected:
  Importacao() {
    teste::CopiaPastaInicializada(pasta_.caminho());
    c_ = AbreZema2004(pasta_.caminho());
    RecriaCopiasDeclaracao(c_);
  }

  // An establishment of the file (and its links, added with vinculo()).
  Linha& estabelecimento(const std::string& ano, const std::string& inscricao, const std::string& prefixo,
                         const std::string& semEmpregados = "0", const std::string& cei = "00000000000000") {
    Tabela te(c_, kTrabalhoEstabelecimento);
    Linha l = te.novaLinha();
    l["AnBase"] = ano;
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["CoCgcVinculado"] = cei;
    l["NoRazaoEstabelecimento"] = "EMPRESA " + prefixo;
    l["InInscrEstabelecimento"] = inscricao.substr(0, 2) == "00" && CeiValido(inscricao) ? "3" : "1";
    l["InZemaNegEstabelecimento"] = semEmpregados;
    l["NuVinculosEstabelecimento"] = "000000";
    l["NuSequencialRegistro"] = "000002";
    te.inclui(l);
    arquivo_.push_back(l);
    return arquivo_.back();
  }

  void vinculo(const Linha& e, const std::string& pis, const std::string& nome, const std::string& causa = "00",
               const std::string& salario = "000150000") {
    Tabela tv(c_, kTrabalhoVinculo);
    Linha l = tv.novaLinha();
    for (const char* k : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"}) l[k] = e[k];
    l["CoPisPasepEmpregado"] = pis;
    l["DaAdmissaoEmpregado"] = "01022001";
    l["NoEmpregado"] = nome;
    l["NuSequencialRegistro"] = std::to_string(++sequencia_);
    l["CoCausaDesligamento"] = causa;
    l["VaSalContratualEmpregado"] = salario;
    l["VaJaneiroEmpregado"] = salario;
    tv.inclui(l);
  }

  // An establishment already in the declaration.
  void declarado(const std::string& inscricao, const std::string& prefixo, const std::string& cei,
                 const std::string& semEmpregados = "0") {
    Tabela t(c_, "Bd8emp");
    Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["CoCgcVinculado"] = cei;
    l["NoRazaoEstabelecimento"] = "JA DECLARADA";
    l["InInscrEstabelecimento"] = "1";
    l["InZemaNegEstabelecimento"] = semEmpregados;
    t.inclui(l);
  }

  std::vector<ItemImportacao> todos(const std::string& ano = "2004") { return EstabelecimentosDoArquivo(c_, ano); }

  ResultadoImportacao importa(bool anoAnterior = false) {
    OpcoesImportacao o;
    o.anoAnterior = anoAnterior;
    return ImportaEstabelecimentos(c_, o, todos(anoAnterior ? "2003" : "2004"));
  }

  long long conta(const std::string& sql) { return c_.prepara(sql).escalar(); }

  // CoImp, Seq, Deslig., Duplic., Import. of each TE8Imp row.
  std::vector<std::vector<std::string>> contas() {
    std::vector<std::vector<std::string>> r;
    for (const auto& l : LinhasImportacao(c_))
      r.push_back({l["NuPrefixoEstabelecimento"], l["CoImp"], l["Seq"], l["NuTotalDesligados"],
                   l["NuTotalDuplicados"], l["NuTotalImportados"]});
    return r;
  }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  std::vector<Linha> arquivo_;
  int sequencia_ = 2;
};

using Linhas = std::vector<std::vector<std::string>>;

TEST(ProximoPrefixo, AvancaOSegundoCaractereEDepoisOPrimeiro) {
  const std::pair<const char*, const char*> casos[] = {
      {"G0", "G1"}, {"G8", "G9"}, {"G9", "GA"}, {"GY", "GZ"}, {"GZ", "H0"}, {"9Z", "A0"}, {"ZZ", "00"}};
  for (auto [de, para] : casos) EXPECT_EQ(ProximoPrefixo(de), para) << de;
}

TEST(ModoImportacao, AnoDeOrigemLidoDoTexto) {
  for (bool anterior : {false, true}) {
    const auto m = ModoDoTexto(TextoModoImportacao(anterior));
    EXPECT_EQ(m.anoAnterior, anterior);
    EXPECT_EQ(m.anoOrigem, anterior ? "2003" : "2004");
  }
}

TEST_F(Importacao, ItensDaListaEOPrefixoQueNaoPodeSerImportado) {
  const std::string cnpj = Cnpj("112223330001");
  estabelecimento("2004", cnpj, "01");
  estabelecimento("2004", cnpj, " 2");
  estabelecimento("2004", cnpj, "03");
  auto itens = todos();
  ASSERT_EQ(itens.size(), 3u);
  EXPECT_EQ(itens[0].texto(), "11.222.333/0001-" + cnpj.substr(12) + "  01  " + "EMPRESA 01" + std::string(20, ' ') +
                                  "  000000");
  EXPECT_TRUE(itens[0].prefixoImportavel());
  EXPECT_FALSE(itens[1].prefixoImportavel());
  EXPECT_EQ(QuantosSelecionaTodos(itens), 1u);  // stops at the item with the bad prefix
  EXPECT_THROW(ImportaEstabelecimentos(c_, {}, {itens[1]}), std::invalid_argument);
}

TEST_F(Importacao, NadaEscolhidoOuForaDoArquivo) {
  EXPECT_EQ(ImportaEstabelecimentos(c_, {}, {}).mensagem, "1301");
  EXPECT_FALSE(ExisteTabela(c_, "TE8Imp"));
  ItemImportacao fora{Cnpj("112223330001"), "01", "X", "1", "000000"};
  EXPECT_THROW(ImportaEstabelecimentos(c_, {}, {fora}), std::invalid_argument);
}

TEST_F(Importacao, AnoAtualImportadoDuasVezesNadaAcrescentaNaSegunda) {
  const std::string cnpj = Cnpj("112223330001");
  auto& a = estabelecimento("2004", cnpj, "00");
  vinculo(a, "12345678901", "ANA");
  vinculo(a, "12345678902", "BIA", "10");
  vinculo(a, "00000000000", "CARLOS");
  vinculo(a, "00000000000", "DORA");
  estabelecimento("2004", Cei("12345678901"), "00", "1");

  auto r = importa();
  EXPECT_TRUE(r.mensagem.ok());
  EXPECT_EQ(r.importados, 4u);
  EXPECT_EQ(contas(), (Linhas{{"00", "", "", "0", "0", "4"}, {"00", "", "", "0", "0", "0"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 2);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc WHERE VaJaneiroEmpregado = '000150000' AND AnBase = '2004'"), 4);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE InAvisoCnae = 0 AND NuSequencialRegistro = ''"), 2);

  c_.executa("UPDATE Bd8emp SET NoRazaoEstabelecimento = 'ALTERADA'");
  r = importa();
  EXPECT_EQ(r.importados, 0u);
  // Every link counted as duplicated; the establishment declared without
  // employees in the file is reported and left alone.
  EXPECT_EQ(contas(), (Linhas{{"00", "", "", "0", "4", "0"}, {"00", "1501", "1", "0", "0", "0"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 4);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE NoRazaoEstabelecimento = 'ALTERADA'"), 2);
}

TEST_F(Importacao, AnoAnteriorTrazIdentificacaoEVinculosAtivos) {
  const std::string cnpj = Cnpj("112223330001");
  auto& a = estabelecimento("2003", cnpj, "00");
  vinculo(a, "12345678901", "ANA", "00", "000000000");
  vinculo(a, "12345678902", "BIA", "71", "000000000");
  vinculo(a, "12345678903", "CAIO", "78", "000000000");
  vinculo(a, "12345678904", "DINO", "10", "000000000");
  auto& todosDesligados = estabelecimento("2003", cnpj, "01");
  vinculo(todosDesligados, "12345678905", "EVA", "10");

  importa(true);
  EXPECT_EQ(contas(), (Linhas{{"00", "", "", "1", "0", "3"}, {"01", "", "", "1", "0", "0"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 1);  // the one whose links were all dismissed stays out
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE AnBase = '2004' AND InAvisoCnae = 1"), 1);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc WHERE AnBase = '2004' AND QtDiasAfas = '000' AND "
                  "VaJaneiroEmpregado = '000000000' AND CoCausaDesligamento IN ('00','71','78')"),
            3);
}

TEST_F(Importacao, AnoAnteriorEmEstabelecimentoDeclaradoSemEmpregados) {
  const std::string cnpj = Cnpj("112223330001");
  declarado(cnpj, "00", "00000000000000", "1");
  auto& a = estabelecimento("2003", cnpj, "00");
  vinculo(a, "12345678904", "DINO", "10");
  vinculo(a, "12345678901", "ANA", "00");
  importa(true);
  // The dismissed link came first, so its code is the one kept.
  EXPECT_EQ(contas(), (Linhas{{"00", "1504", "1", "1", "0", "1"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE NoRazaoEstabelecimento = 'EMPRESA 00' "
                  "AND InZemaNegEstabelecimento = '0'"),
            1);
}

TEST_F(Importacao, SemEmpregadosNaDeclaracaoRecebeVinculosEDadosDoArquivo) {
  const std::string cnpj = Cnpj("112223330001");
  declarado(cnpj, "00", "00000000000000", "1");
  vinculo(estabelecimento("2004", cnpj, "00"), "12345678901", "ANA");
  importa();
  EXPECT_EQ(contas(), (Linhas{{"00", "1502", "1", "0", "0", "1"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE NoRazaoEstabelecimento = 'EMPRESA 00'"), 1);
}

TEST_F(Importacao, OutroCeiVinculadoRecebeNovoPrefixoLivre) {
  const std::string cnpj = Cnpj("112223330001");
  const std::string cei = Cei("12345678901");
  declarado(cnpj, "00", cei);
  declarado(cnpj, "G0", "00000000000000");  // "G0" taken: "G1" is next
  vinculo(estabelecimento("2004", cnpj, "00"), "12345678901", "ANA");
  importa();
  EXPECT_EQ(contas(), (Linhas{{"G1", "1505", "1", "0", "0", "1"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE NuPrefixoEstabelecimento = 'G1'"), 1);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc WHERE NuPrefixoEstabelecimento = 'G1'"), 1);
  const auto linha = FormataLinhaImportacao(LinhasImportacao(c_).at(0));
  EXPECT_EQ(linha.prefixo, "G1");
  EXPECT_EQ(linha.codigo, "(1)");
  EXPECT_EQ(linha.ceiVinculado, "");
}

TEST_F(Importacao, CodigosNumeradosNaOrdemEmQueAparecem) {
  const std::string cnpj = Cnpj("112223330001");
  declarado(cnpj, "00", Cei("12345678901"));
  estabelecimento("2004", "11222333000100", "00");  // valid neither as CNPJ nor as CEI
  estabelecimento("2004", cnpj, "00");              // another linked CEI: 1505
  estabelecimento("2004", "11222333000100", "01");
  importa();
  EXPECT_EQ(contas(), (Linhas{{"00", "0053", "1", "0", "0", "0"},
                              {"G0", "1505", "2", "0", "0", "0"},
                              {"01", "0053", "1", "0", "0", "0"}}));
  EXPECT_EQ(LegendaImportacao(c_), (std::vector<std::pair<std::string, std::string>>{{"1", "0053"}, {"2", "1505"}}));
  const auto linhas = LinhasImportacao(c_);
  EXPECT_EQ(FormataLinhaImportacao(linhas[0]).inscricao, "11222333000100");  // shown as stored
  EXPECT_EQ(FormataLinhaImportacao(linhas[2]).codigo, "(1)");
  EXPECT_EQ(FormataLinhaImportacao(linhas[1]).inscricao.substr(0, 11), "11.222.333/");
}

}  // namespace

namespace {

// Stops after `depois` establishments; records the progress values.
struct Parada : AcompanhamentoPassagem {
  int depois;
  std::vector<int> valores;
  explicit Parada(int n) : depois(n) {}
  void progresso(int p) override { valores.push_back(p); }
  bool interrompe() override { return depois-- <= 0; }
};

TEST_F(Importacao, InterrompidaEntreEstabelecimentosGuardaOsJaImportados) {
  const std::string cnpj = Cnpj("112223330001");
  for (const char* p : {"01", "02", "03", "04"}) vinculo(estabelecimento("2004", cnpj, p), "12345678901", "ANA");
  Parada parada(2);
  const auto r = ImportaEstabelecimentos(c_, {}, todos(), parada);
  EXPECT_TRUE(r.interrompida);
  EXPECT_EQ(contas(), (Linhas{{"01", "", "", "0", "0", "1"},
                              {"02", "", "", "0", "0", "1"},
                              {"03", "", "", "0", "0", "0"},
                              {"04", "", "", "0", "0", "0"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 2);
  EXPECT_EQ(parada.valores, (std::vector<int>{0, 25, 50}));

  Parada inteira(100);
  ImportaEstabelecimentos(c_, {}, todos(), inteira);
  EXPECT_EQ(inteira.valores, (std::vector<int>{0, 25, 50, 75, 100}));
}

}  // namespace

namespace {

TEST_F(Importacao, FalhaNoMeioDesfazSoOEstabelecimentoQueFalhou) {
  const std::string cnpj = Cnpj("112223330001");
  vinculo(estabelecimento("2004", cnpj, "01"), "12345678901", "ANA");
  auto& segundo = estabelecimento("2004", cnpj, "02");
  vinculo(segundo, "12345678901", "ANA");
  vinculo(segundo, "12345678902", "FALHA");
  c_.executa("CREATE TRIGGER falha BEFORE INSERT ON Bd8vinc WHEN NEW.NoEmpregado = 'FALHA' "
             "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
  EXPECT_THROW(importa(), ErroBanco);
  EXPECT_EQ(contas(), (Linhas{{"01", "", "", "0", "0", "1"}, {"02", "", "", "0", "0", "0"}}));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 1);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 1);
}

}  // namespace
