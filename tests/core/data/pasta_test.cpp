#include <gtest/gtest.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas.h"

namespace {

using namespace vornex;
namespace fs = std::filesystem;
using teste::PastaInicializada;
using teste::PastaTemporaria;

struct Estrutura {
  const char* tabela;
  ArquivoDados arquivo;
  std::size_t colunas;
  int somaTamanhos;  // of the text columns
  const char* logicos;
  const char* chave;
  const char* ultima;  // last column: the positional copies rely on the order
};

// Column counts, sizes and keys of the declaration and reference layouts.
const Estrutura kEstruturas[] = {
    {"Bd8emp", ArquivoDados::Declaracao, 41, 361, "InAvisoCnae",
     "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento", "TxEmailEstabelecimento"},
    {"Bd8vinc", ArquivoDados::Declaracao, 54, 329, "",
     "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;DaAdmissaoEmpregado;"
     "NoEmpregado;NuSequencialRegistro",
     "CoMotivoAfastamento"},
    {"BD8Resp", ArquivoDados::Declaracao, 23, 313,
     "InReciboParaRespArquivo;InRetificacao;InAntecipacao;InDicasSemEmpregados;InDicas", "", "HoSenha"},
    {"TB8BASE", ArquivoDados::Referencia, 2, 12, "", "MeDataBase", "NoMes"},
    {"tb8cbo", ArquivoDados::Referencia, 4, 206, "InCriticaAna;InCriticaCbo", "CoCbo", "InCriticaCbo"},
    {"tb8CNAE", ArquivoDados::Referencia, 2, 205, "", "CoCnae", "NoCnae"},
    {"tb8DESL", ArquivoDados::Referencia, 2, 192, "", "CoCausaDesligamento", "NoCausaDesligamento"},
    {"tb8FXCEP", ArquivoDados::Referencia, 5, 27, "", "CoMunicipio", "CoCep2Final"},
    {"tb8INSTR", ArquivoDados::Referencia, 2, 151, "", "CoInstrucao", "NoInstrucao"},
    {"tb8MSG", ArquivoDados::Referencia, 3, 209, "", "NuMensagem", "TxMensagem"},
    {"tb8MUNIC", ArquivoDados::Referencia, 4, 53, "", "CoMunicipio", "InFaixa"},
    {"tb8NACIO", ArquivoDados::Referencia, 2, 32, "", "CoNacionalidade", "NoNacionalidade"},
    {"Tb8raca", ArquivoDados::Referencia, 2, 31, "", "CoRaca", "NoRaca"},
    {"tb8TPADM", ArquivoDados::Referencia, 2, 191, "", "CoTipoAdmissao", "NoTipoAdmissao"},
    {"tb8TPSAL", ArquivoDados::Referencia, 2, 11, "", "CoTipoSalarioContratual", "NoTipoSalarioContratual"},
    {"TbUf", ArquivoDados::Referencia, 3, 23, "", "CoUf;SgUf", "NoUf"},
    {"tbUfCep", ArquivoDados::Referencia, 4, 13, "", "", "CoCepFinal"},
    {"tb8vinc", ArquivoDados::Referencia, 2, 152, "", "CoVinculo", "NoVinculo"},
    {"tb8Afast", ArquivoDados::Referencia, 2, 52, "", "CoAfastamento", "NoAfastamento"},
    {"tb8NATJU", ArquivoDados::Referencia, 2, 104, "", "CoNaturezaJuridica", "NoNaturezaJuridica"},
};

TEST(PastaDados, NovaPastaTemAsVinteTabelasComColunasTamanhosEChaves) {
  Conexao c = AbreZema2004(PastaInicializada());
  ASSERT_EQ(TabelasObrigatorias().size(), std::size(kEstruturas));
  for (const auto& e : kEstruturas) {
    SCOPED_TRACE(e.tabela);
    ASSERT_TRUE(ExisteTabela(c, e.tabela, e.arquivo));
    DefinicaoTabela d = DefinicaoDaTabela(c, e.tabela);
    EXPECT_EQ(d.nome(), e.tabela);
    ASSERT_EQ(d.campos().size(), e.colunas);
    int soma = 0;
    std::string logicos;
    for (const auto& f : d.campos()) {
      soma += f.tamanho;
      if (f.tipo == TipoCampo::Logico) logicos += (logicos.empty() ? "" : ";") + f.nome;
    }
    EXPECT_EQ(soma, e.somaTamanhos);
    EXPECT_EQ(logicos, e.logicos);
    EXPECT_EQ(d.campos().back().nome, e.ultima);
    std::string chave;
    for (const auto& k : d.chave()) chave += (chave.empty() ? "" : ";") + k;
    EXPECT_EQ(chave, e.chave);
  }
  // The secondary index of TbUf ignores case.
  DefinicaoTabela uf = DefinicaoDaTabela(c, "TBUF");
  ASSERT_EQ(uf.indices().size(), 2u);
  EXPECT_EQ(uf.indices()[1].arquivo, "TBUF.XG0");
  EXPECT_EQ(uf.indices()[1].campos, "SgUf");
  EXPECT_TRUE(uf.indices()[1].opcoes.semCaixa);
  EXPECT_FALSE(uf.indices()[1].opcoes.primario);
  for (const auto& i : IndicesRecriaveis()) EXPECT_TRUE(ExisteIndice(c, i.arquivo)) << i.arquivo;
}

long long Conta(Conexao& c, const char* tabela, const char* condicao = "1") {
  return Consulta(c, std::string("select count(*) from ") + tabela + " where " + condicao).escalar();
}

TEST(PastaDados, DadosOficiaisCompletos) {
  Conexao c = AbreZema2004(PastaInicializada());
  EXPECT_EQ(Conta(c, "tb8MUNIC", "length(CoMunicipio) = 7"), 5560);
  EXPECT_EQ(Conta(c, "tb8MUNIC", "length(CoMunicipio) = 2"), 27);
  EXPECT_EQ(Conta(c, "TbUf"), 27);
  EXPECT_EQ(Conta(c, "tb8CNAE", "length(CoCnae) = 5"), 581);
  EXPECT_EQ(Conta(c, "tb8CNAE", "length(CoCnae) = 2"), 59);
  EXPECT_EQ(Conta(c, "tb8cbo", "length(CoCbo) = 6"), 2614);
  EXPECT_EQ(Conta(c, "tb8cbo"), 3472);
  EXPECT_EQ(Conta(c, "tb8cbo", "InCriticaCbo = 1"), 348);
  EXPECT_EQ(Conta(c, "tb8cbo", "InCriticaAna = 1"), 1197);
  EXPECT_EQ(Conta(c, "tb8FXCEP"), 5258);
  EXPECT_EQ(Conta(c, "tbUfCep"), 31);
  EXPECT_EQ(Conta(c, "tb8NATJU"), 59);
  EXPECT_EQ(Conta(c, "TB8BASE"), 12);
  EXPECT_EQ(Conta(c, "tb8RaizReservada"), 7);
  EXPECT_GT(Conta(c, "tb8MSG"), 0);
  for (const char* t : {"Bd8emp", "Bd8vinc", "BD8Resp"}) EXPECT_EQ(Conta(c, t), 0) << t;
  // Municipalities with a single CEP prefix have no ranges; the others have.
  EXPECT_EQ(Conta(c, "tb8MUNIC m",
                  "length(CoMunicipio) = 7 and (InFaixa = '1') <> "
                  "exists (select 1 from tb8FXCEP f where f.CoMunicipio = m.CoMunicipio)"),
            0);
}

// Walks codes in key order: each code must extend the last code of the
// level it belongs under (the dialogs build their trees this way).
void VerificaHierarquia(Tabela t, const char* coluna, std::vector<std::size_t> niveis) {
  std::vector<std::string> ultimo(niveis.size());
  std::string anterior;
  for (const auto& l : t.todas()) {
    const std::string& co = l[coluna];
    ASSERT_LT(anterior, co);
    anterior = co;
    auto nivel = std::find(niveis.begin(), niveis.end(), co.size());
    ASSERT_NE(nivel, niveis.end()) << co;
    std::size_t n = static_cast<std::size_t>(nivel - niveis.begin());
    if (n > 0) {
      ASSERT_EQ(co.substr(0, niveis[n - 1]), ultimo[n - 1]) << co;
    }
    ultimo[n] = co;
  }
}

TEST(PastaDados, OrdemDeChaveMostraCadaGrupoAntesDosSeus) {
  Conexao c = AbreZema2004(PastaInicializada());
  VerificaHierarquia(Tabela(c, "tb8MUNIC"), "CoMunicipio", {2, 7});
  VerificaHierarquia(Tabela(c, "tb8CNAE"), "CoCnae", {2, 5});
  VerificaHierarquia(Tabela(c, "tb8cbo"), "CoCbo", {2, 3, 4, 6});
  // Flat lists come in code order, whatever the order of the file.
  for (const char* t : {"tb8INSTR", "tb8vinc", "Tb8raca", "tb8NATJU", "tb8DESL", "TB8BASE"}) {
    Tabela tab(c, t);
    std::string anterior;
    for (const auto& l : tab.todas()) {
      EXPECT_LT(anterior, l[0]) << t;
      anterior = l[0];
    }
  }
}

TEST(PastaDados, IniciarRecusaPastaExistenteEFalhaNaoDeixaMeiaPasta) {
  PastaTemporaria p;
  teste::CopiaPastaInicializada(p / "dados");
  auto tamanho = fs::file_size(p / "dados" / kArquivoReferencia);
  EXPECT_THROW(InicializaPastaDados(p / "dados", teste::OrigemDados()), std::runtime_error);
  EXPECT_EQ(fs::file_size(p / "dados" / kArquivoReferencia), tamanho);
  EXPECT_FALSE(AbreOuInicializaPastaDados(p / "dados", teste::OrigemDados()));

  // A data file whose header does not name the table's columns.
  fs::create_directories(p / "origem");
  for (const auto& e : fs::directory_iterator(teste::OrigemDados()))
    if (e.is_regular_file()) fs::copy_file(e.path(), p / "origem" / e.path().filename());
  teste::Escreve(p / "origem" / "raca.csv", "CoRaca,NoCor\n1,Indígena\n");
  try {
    InicializaPastaDados(p / "nova", p / "origem");
    FAIL() << "sem erro";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("raca.csv"), std::string::npos) << e.what();
  }
  // A repeated key names its record.
  teste::Escreve(p / "origem" / "raca.csv", "CoRaca,NoRaca\n1,Indígena\n2,Branca\n1,Outra\n");
  try {
    InicializaPastaDados(p / "nova", p / "origem");
    FAIL() << "sem erro";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("raca.csv, registro 4"), std::string::npos) << e.what();
  }
  EXPECT_TRUE(fs::is_empty(p / "nova"));
}

TEST(PastaDados, PrimeiraExecucaoInicializaPastaQueNaoExiste) {
  PastaTemporaria p;
  EXPECT_TRUE(AbreOuInicializaPastaDados(p / "a" / "dados", teste::OrigemDados()));
  for (const char* a : {kArquivoDeclaracao, kArquivoReferencia, kArquivoTrabalho})
    EXPECT_TRUE(fs::is_regular_file(p / "a" / "dados" / a)) << a;
  fs::create_directories(p / "vazia");
  EXPECT_TRUE(AbreOuInicializaPastaDados(p / "vazia", teste::OrigemDados()));
  EXPECT_FALSE(AbreOuInicializaPastaDados(p / "vazia", teste::OrigemDados()));

  // A lost work file is made anew when the folder is opened.
  fs::remove(p / "vazia" / kArquivoTrabalho);
  Conexao c = AbreZema2004(p / "vazia");
  EXPECT_TRUE(fs::is_regular_file(p / "vazia" / kArquivoTrabalho));
  EXPECT_EQ(c.nome(), "Zema2004");
  EXPECT_EQ(c.diretorio(), p / "vazia");
}

}  // namespace
