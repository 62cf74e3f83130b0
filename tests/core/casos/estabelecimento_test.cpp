#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "../data/apoio.h"
#include "casos/estabelecimento.h"
#include "casos/pesquisa.h"
#include "data/banco.h"
#include "demonstracao/demonstracao.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;

namespace {

constexpr const char* kCnpj = "11222333000181";        // CNPJ only
constexpr const char* kCnpjECei = "00123429000176";    // valid both ways
constexpr const char* kCei = "00111222333443";         // CEI only

class Estabelecimentos : public ::testing::Test {
 protected:
  Estabelecimentos()
      : c_(Abre(pasta_)), tabelas_(TabelasReferencia::Carrega(c_)), ref_(tabelas_) {}

  static Conexao Abre(const teste::PastaTemporaria& p) {
    teste::CopiaPastaInicializada(p.caminho());
    return AbreZema2004(p.caminho());
  }

  // A complete establishment of the demo declaration, with links.
  Linha ComVinculos() {
    GeraDemonstracao(c_, {3, 30, 7});
    for (auto& l : Tabela(c_, "Bd8emp").todas())
      if (l["NuVinculosEstabelecimento"] != "000000") return l;
    throw std::logic_error("demo sem vínculos");
  }

  ResultadoCriacao Cria(const char* inscricao, const char* prefixo, bool copia = false) {
    PedidoCriacao p;
    p.inscricao = inscricao;
    p.prefixo = prefixo;
    p.razao = "  EMPRESA NOVA  ";
    p.copiaOutroPrefixo = copia;
    return CriaEstabelecimento(c_, ref_, p);
  }

  ResultadoSelecao Seleciona(const ChaveEstabelecimento& k) {
    return ValidaEstabSelecionado(c_, {k, std::nullopt});
  }

  long long Conta(const std::string& sql) { return Consulta(c_, sql).escalar(); }
  Linha Busca(const ChaveEstabelecimento& k) { return BuscaEstabelecimento(c_, k).value(); }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  TabelasReferencia tabelas_;
  ReferenciasTabelas ref_;
};

TEST_F(Estabelecimentos, TipoDaInscricaoPeloTamanhoDigitado) {
  struct {
    std::string digitada;
    NuMensagem mensagem;
    const char* tipo;
  } casos[] = {
      {kCnpj, kSemOcorrencia, "1"},
      {"000012000116", "1003"_msg, ""},  // "00000012000116" is a CNPJ only: not typed with 12 digits
      {kCei, "1004"_msg, ""},            // a CEI-only number typed with 14
      {std::string(kCei).substr(2), kSemOcorrencia, "3"},
      {kCnpjECei, kSemOcorrencia, "1"},
      {std::string(kCnpjECei).substr(2), kSemOcorrencia, "3"},
      {"11222333000182", "0053"_msg, ""},
  };
  for (const auto& k : casos) {
    const auto r = TipoDaInscricaoDigitada(k.digitada);
    EXPECT_EQ(r.mensagem, k.mensagem) << k.digitada;
    EXPECT_EQ(r.tipo, k.tipo) << k.digitada;
  }
}

TEST_F(Estabelecimentos, CriaComPadroesEChaveExistenteRecusada) {
  const auto r = Cria(kCnpj, "");
  ASSERT_FALSE(r.falha) << r.falha->mensagem;
  const Linha e = Busca({"2004", kCnpj, "00"});
  EXPECT_EQ(e["NoRazaoEstabelecimento"], "EMPRESA NOVA");
  EXPECT_EQ(e["CoCgcVinculado"], "00000000000000");
  EXPECT_EQ(e["InInscrEstabelecimento"], "1");
  EXPECT_EQ(e["CoCepEstabelecimento"], "00000000");
  EXPECT_EQ(e["InPorte"], "3");
  EXPECT_EQ(e["InEncerramentoAtividade"], "2");
  EXPECT_EQ(e["InOpcaoAberta"], "0");

  // The same key again is refused and nothing more is written.
  const auto repetida = Cria(kCnpj, "  ");
  ASSERT_TRUE(repetida.falha);
  EXPECT_EQ(repetida.falha->mensagem, "1000"_msg);
  EXPECT_EQ(repetida.falha->foco, "NuPrefixoEstabelecimento");
  EXPECT_EQ(Conta("select count(*) from Bd8emp"), 1);

  // Without employees for a CEI: refused on the declaration type.
  PedidoCriacao p;
  p.inscricao = std::string(kCei).substr(2);
  p.prefixo = "01";
  p.razao = "OBRA";
  p.tipoZema = "1";
  const auto cei = CriaEstabelecimento(c_, ref_, p);
  ASSERT_TRUE(cei.falha);
  EXPECT_EQ(cei.falha->mensagem, "0133"_msg);
  EXPECT_EQ(cei.falha->foco, "InZemaNegEstabelecimento");
}

TEST_F(Estabelecimentos, OutroPrefixoCopiaOsDadosMenosEmailEContagens) {
  Linha modelo = ComVinculos();
  Linha alterado = modelo;
  alterado["TxEmailEstabelecimento"] = "A@B.COM";
  Tabela(c_, "Bd8emp").altera(modelo, alterado);
  const ChaveEstabelecimento origem{"2004", modelo["CoCgcCeiEstabelecimento"], modelo["NuPrefixoEstabelecimento"]};
  const std::string digitada =
      modelo["InInscrEstabelecimento"] == "3" ? modelo["CoCgcCeiEstabelecimento"].substr(2)
                                              : modelo["CoCgcCeiEstabelecimento"];
  const std::string novo = origem.prefixo == "ZZ" ? "ZY" : "ZZ";

  const SituacaoChave s = VerificaChaveNova(c_, {"2004", origem.inscricao, novo}, modelo["InInscrEstabelecimento"]);
  EXPECT_TRUE(s.mensagem.ok());
  ASSERT_TRUE(s.modelo);

  PedidoCriacao p;
  p.inscricao = digitada;
  p.prefixo = novo;
  p.razao = "OUTRO NOME";
  p.copiaOutroPrefixo = true;
  const auto r = CriaEstabelecimento(c_, ref_, p);
  ASSERT_FALSE(r.falha) << r.falha->mensagem;
  EXPECT_TRUE(r.copiado);
  const Linha copia = Busca({"2004", origem.inscricao, novo});
  for (const char* col : {"NoRazaoEstabelecimento", "EdEstabelecimento", "CoCepEstabelecimento", "CoMunicipio",
                          "CoCnae", "InPorte", "InParticipaPAT", "PoCestaAlimento", "CoCgcVinculado"})
    EXPECT_EQ(copia[col], modelo[col]) << col;
  EXPECT_EQ(copia["TxEmailEstabelecimento"], "");
  EXPECT_EQ(copia["NuVinculosEstabelecimento"], "000000");
  EXPECT_EQ(copia["NuEstrangeirosEstabelec"], "00000");
}

TEST_F(Estabelecimentos, ChecagensDaConfirmacao) {
  const Linha modelo = ComVinculos();
  Linha e = modelo;
  EXPECT_TRUE(ChecaConfirmacao(e, ref_, ModoChecagem::PrimeiraFalha).ok());

  // Size 3 takes no SIMPLES option.
  e["InPorte"] = "3";
  e["InOptanteSimples"] = "1";
  EXPECT_TRUE(ChecaConfirmacao(e, ref_, ModoChecagem::PrimeiraFalha).ok());
  EXPECT_EQ(e["InOptanteSimples"], "2");

  // The first failure stops the screen; the command line gets every field's.
  e = modelo;
  e["CoCnae"] = "99999";
  e["NuDDD"] = "A1";
  e["InParticipaPAT"] = "1";
  e["NuVinculoPatMaior5"] = "";
  e["NuVinculoPatMenor5"] = "0";
  Linha todos = e;
  const auto primeira = ChecaConfirmacao(e, ref_, ModoChecagem::PrimeiraFalha);
  ASSERT_EQ(primeira.falhas.size(), 1u);
  EXPECT_EQ(primeira.falhas[0].campo, "NuDDD");
  const auto r = ChecaConfirmacao(todos, ref_, ModoChecagem::TodosOsCampos);
  std::vector<std::string> achados;
  for (const auto& f : r.falhas) achados.push_back(f.campo + "=" + f.mensagem.str());
  EXPECT_EQ(achados, (std::vector<std::string>{"NuDDD=0400", "CoCnae=0361", "NuVinculoPatMenor5=3626"}));
  EXPECT_EQ(todos["NuVinculoPatMenor5"], "000000");

  // A municipality check points at the CEP when the CEP is the culprit, and
  // the municipality's name and state are written whatever the answer.
  e = modelo;
  e["CoCepEstabelecimento"] = "99999999";
  e["NoMunicEstabelecimento"] = "";
  const auto cep = ChecaSaidaCampo(e, ref_, "CoMunicipio");
  ASSERT_FALSE(cep.ok());
  EXPECT_EQ(cep.falhas[0].foco, "CoCepEstabelecimento");
  EXPECT_EQ(e["NoMunicEstabelecimento"], modelo["NoMunicEstabelecimento"]);

  // A linked CEI on a CEI establishment.
  e = modelo;
  e["InInscrEstabelecimento"] = "3";
  e["CoCgcVinculado"] = std::string(kCei).substr(2);
  const auto cei = ChecaSaidaCampo(e, ref_, "CoCgcVinculado");
  ASSERT_FALSE(cei.ok());
  EXPECT_EQ(cei.falhas[0].mensagem, "0350"_msg);
  EXPECT_EQ(e["CoCgcVinculado"], "");
}

TEST_F(Estabelecimentos, SemEmpregadosExcluiVinculosSoConfirmadoENaMesmaTransacao) {
  Linha e = ComVinculos();
  const ChaveEstabelecimento k{"2004", e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
  const long long antes = ContaVinculos(c_, k);
  ASSERT_GT(antes, 0);
  e["InZemaNegEstabelecimento"] = "1";
  e["CoCgcVinculado"] = "";
  e["MeDataBase"] = "";

  PedidoGravaEstab p{e};
  auto r = GravaEstabelecimento(c_, ref_, p);
  EXPECT_EQ(r.confirmacao, "1005"_msg);
  EXPECT_FALSE(r.gravado);
  EXPECT_EQ(ContaVinculos(c_, k), antes);

  // A write that fails takes the deletion of the links with it.
  c_.executa(
      "CREATE TEMP TRIGGER falha BEFORE UPDATE ON Bd8emp BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
  p.excluiVinculos = true;
  EXPECT_THROW(GravaEstabelecimento(c_, ref_, p), ErroBanco);
  EXPECT_EQ(ContaVinculos(c_, k), antes);
  EXPECT_EQ(Busca(k)["InZemaNegEstabelecimento"], "0");

  c_.executa("DROP TRIGGER falha");
  r = GravaEstabelecimento(c_, ref_, p);
  ASSERT_TRUE(r.gravado);
  EXPECT_EQ(r.vinculosExcluidos, antes);
  EXPECT_EQ(ContaVinculos(c_, k), 0);
  const Linha gravado = Busca(k);
  EXPECT_EQ(gravado["InZemaNegEstabelecimento"], "1");
  EXPECT_EQ(gravado["NuVinculosEstabelecimento"], "000000");
  EXPECT_EQ(gravado["CoCgcVinculado"], "00000000000000");
  EXPECT_EQ(gravado["InOpcaoAberta"], "");

  // What the confirmation accepts, the consistency check accepts.
  OpcoesConsistencia o;
  o.selecao = std::vector<ChaveEstabelecimento>{k};
  EXPECT_EQ(VerificaConsistencia(c_, ref_, o) & kConsistenciaErros, 0);
}

TEST_F(Estabelecimentos, AberturaAvisaOperacaoPendenteUmaVezERecontaVinculos) {
  struct {
    const char* codigo;
    NuMensagem mensagem;
  } casos[] = {{"0", "0500"_msg}, {"1", "0501"_msg}, {"2", kSemOcorrencia}, {"3", "0502"_msg},
               {"4", "0503"_msg}, {"5", "0504"_msg}, {"", kSemOcorrencia}};
  for (const auto& k : casos) EXPECT_EQ(MensagemOperacaoPendente(k.codigo), k.mensagem) << k.codigo;

  const Linha e = ComVinculos();
  const ChaveEstabelecimento k{"2004", e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
  Linha marcado = e;
  marcado["InOpcaoAberta"] = "3";
  marcado["NuVinculosEstabelecimento"] = "000999";
  marcado.defineLogico("InAvisoCnae", true);
  Tabela(c_, "Bd8emp").altera(e, marcado);

  auto a = AbreEstabelecimento(c_, k, false);
  ASSERT_TRUE(a.estab);
  EXPECT_EQ(a.pendente.mensagem, "0502"_msg);
  EXPECT_TRUE(a.avisoCnae);
  EXPECT_EQ((*a.estab)["NuVinculosEstabelecimento"], e["NuVinculosEstabelecimento"]);
  EXPECT_EQ(Busca(k)["InOpcaoAberta"], "0");  // being edited
  FechaEstabelecimento(c_, k);
  EXPECT_EQ(Busca(k)["InOpcaoAberta"], "");
  a = AbreEstabelecimento(c_, k, false);
  EXPECT_TRUE(a.pendente.mensagem.ok());
  EXPECT_FALSE(a.avisoCnae);
  EXPECT_FALSE(AbreEstabelecimento(c_, {"2004", kCnpj, "QQ"}, false).estab);

  // The notice alone: shown once, the marker emptied.
  FechaEstabelecimento(c_, k);
  Tabela(c_, "Bd8emp").altera(Busca(k), [&] { Linha l = Busca(k); l["InOpcaoAberta"] = "4"; return l; }());
  EXPECT_EQ(AvisoOperacaoPendente(c_, k).mensagem, "0503"_msg);
  EXPECT_TRUE(AvisoOperacaoPendente(c_, k).mensagem.ok());
}

TEST_F(Estabelecimentos, ConsultaPorInscricaoNomeELetras) {
  Tabela t(c_, "Bd8emp");
  auto inclui = [&](const char* inscricao, const char* prefixo, const char* tipo, const char* nome) {
    Linha l = NovoEstabelecimento(c_, {"2004", inscricao, prefixo});
    l["InInscrEstabelecimento"] = tipo;
    l["NoRazaoEstabelecimento"] = nome;
    t.inclui(l);
  };
  inclui("12300000000001", "00", "1", "ALFA");
  inclui("12300000000001", "01", "1", "ESTRELA");
  inclui("00123000000002", "00", "2", "FAROL");     // type 2: kept without its zeros
  inclui("00123000000003", "00", "3", "GAMA 50%");  // a CEI: the zeros are its own
  inclui("45600000000004", "00", "1", "ANEXO_B");
  Linha outroAno = NovoEstabelecimento(c_, {"2005", "12300000000009", "00"});
  outroAno["NoRazaoEstabelecimento"] = "ALFA";
  t.inclui(outroAno);

  auto lista = [&](const char* ano, const char* inscricao, const char* razao = "", const char* letras = "") {
    const FiltroConsultaEstab f{ano, inscricao, razao, letras};
    std::string s;
    for (const auto& i : ConsultaEstabelecimentos(c_, f)) s += i.inscricao.substr(12) + "/" + i.prefixo + " ";
    return s;
  };
  EXPECT_EQ(lista("2004", "123"), "02/00 01/00 01/01 ");
  EXPECT_EQ(lista("2004", "00123"), "03/00 ");
  EXPECT_EQ(lista("2004", "", "", "EF"), "02/00 01/01 ");
  EXPECT_EQ(lista("2004", "", "", "A"), "01/00 04/00 ");
  EXPECT_EQ(lista("2004", "", "GAMA 5"), "03/00 ");
  EXPECT_EQ(lista("2004", "", "GAMA 50%"), "03/00 ");
  EXPECT_EQ(lista("2004", "", "ANEXO%"), "");  // typed wildcards are plain text
  EXPECT_EQ(lista("2004", "", "", "").size(), 5u * 6);
  EXPECT_EQ(lista("2005", ""), "09/00 ");
}

TEST_F(Estabelecimentos, SelecaoCorrigeTipoDeInscricao) {
  Tabela t(c_, "Bd8emp");
  auto inclui = [&](const char* inscricao, const char* tipo, const char* prefixo = "00") {
    Linha l = NovoEstabelecimento(c_, {"2004", inscricao, prefixo});
    l["InInscrEstabelecimento"] = tipo;
    t.inclui(l);
    return ChaveEstabelecimento{"2004", inscricao, prefixo};
  };
  const auto cnpj = inclui(kCnpj, "3");
  auto r = Seleciona({cnpj});
  EXPECT_TRUE(r.mensagem.ok());
  EXPECT_EQ(Busca(cnpj)["InInscrEstabelecimento"], "1");

  // A number valid both ways satisfies either type: nothing to correct or ask.
  const auto ambigua = inclui(kCnpjECei, "3");
  r = Seleciona({ambigua});
  EXPECT_FALSE(r.perguntaTipo);
  EXPECT_EQ(Busca(ambigua)["InInscrEstabelecimento"], "3");
  const auto cei = inclui(kCei, "1");
  EXPECT_TRUE(Seleciona({cei}).mensagem.ok());
  EXPECT_EQ(Busca(cei)["InInscrEstabelecimento"], "3");

  EXPECT_EQ(Seleciona(ChaveEstabelecimento{"2004", "", "00"}).mensagem, "1301"_msg);
  EXPECT_EQ(Seleciona({inclui("11222333000182", "1")}).mensagem, "1002"_msg);
  EXPECT_EQ(Seleciona({inclui(kCnpj, "1", "a")}).mensagem, "1052"_msg);
}

TEST_F(Estabelecimentos, PesquisaCodificaEGuardaAsNotas) {
  struct {
    const char* nota;
    std::optional<char> codigo;
  } casos[] = {{"5", '5'}, {"05", '5'}, {"10", 'A'}, {"77", 'X'}, {"", 'B'},   {"00", 'B'},
               {"11", {}}, {"76", {}},  {"1a", {}},  {"100", {}}, {" 9 ", '9'}};
  for (const auto& k : casos) EXPECT_EQ(CodigoDaNota(k.nota), k.codigo) << k.nota;
  for (char ch : std::string("123456789AXB")) EXPECT_EQ(CodigoDaNota(NotaDoCodigo(ch)), ch) << ch;

  EXPECT_EQ(LeRespostasPesquisa(c_), std::string(22, 'B'));
  const std::string respostas = "5X" + std::string(20, 'B');
  GravaRespostasPesquisa(c_, respostas);
  EXPECT_EQ(Conta("select count(*) from BD8Resp"), 1);
  EXPECT_EQ(LeRespostasPesquisa(c_), respostas);
  GravaRespostasPesquisa(c_, std::string(22, 'A'));
  EXPECT_EQ(Conta("select count(*) from BD8Resp"), 1);
  EXPECT_EQ(LeRespostasPesquisa(c_), std::string(22, 'A'));
}

}  // namespace
