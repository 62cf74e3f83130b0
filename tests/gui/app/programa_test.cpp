#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <chrono>

#include "../apoio_gui.h"
#include "app/erro_fatal.h"
#include "data/trava_pasta.h"
#include "common/abortado.h"
#include "app/fm_gera_indice.h"
#include "app/fm_inicio_regras.h"
#include "app/fm_vornex.h"
#include "app/instancia_unica.h"
#include "app/programa.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "data/indexacao.h"
#include "data/tabela.h"
#include "data/tabelas.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

class Inicio : public ::testing::Test {
 protected:
  Inicio() { teste::CopiaPastaInicializada(pasta_ / "dados"); }
  OpcoesInicio opcoes() const {
    OpcoesInicio o;
    o.pastaDados = (pasta_ / "dados").string();
    o.trava = QString::fromStdString((pasta_ / "Vornex2004.lock").string());
    o.splash = false;
    return o;
  }
  Conexao conexao() const { return AbreZema2004(pasta_ / "dados"); }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
};

void IncluiEstabelecimento(Conexao& c, const std::string& anBase) {
  Tabela t(c, "Bd8emp");
  Linha l = t.novaLinha();
  l["AnBase"] = anBase;
  l["CoCgcCeiEstabelecimento"] = "11222333000181";
  l["NuPrefixoEstabelecimento"] = "00";
  t.inclui(l);
}

TEST_F(Inicio, LegendaEBotoesDaDeclaracaoPorAnoBase) {
  struct Caso {
    const char* anBase;
    bool habilita;
  };
  for (const Caso& caso : {Caso{"", false}, Caso{"2003", false}, Caso{"2004", true}, Caso{"2005", true}}) {
    SCOPED_TRACE(caso.anBase);
    teste::PastaTemporaria outra;
    teste::CopiaPastaInicializada(outra / "dados");
    if (*caso.anBase != '\0') {
      Conexao c = AbreZema2004(outra / "dados");
      IncluiEstabelecimento(c, caso.anBase);
    }
    OpcoesInicio o = opcoes();
    o.pastaDados = (outra / "dados").string();
    Programa p;
    ASSERT_EQ(p.inicia(o), ResultadoInicio::Pronto);
    TfmVORNEX& fm = p.fmVORNEX();
    fm.FormShow();
    EXPECT_EQ(fm.windowTitle(), "Vornex2004 - Vornex [Versão: 2004.1]");
    for (const char* nome : {"sbAbrir", "sbExcluir", "sbVerInco", "sbRetif", "sbGravar", "Abrir1", "Excluir1",
                             "Verificar1", "Gravardeclarao1", "Gravarretificaodadeclarao1", "Gerarcpia1"})
      EXPECT_EQ(fm.acao(nome)->isEnabled(), caso.habilita) << nome;
    for (const char* nome : {"sbNova", "sbResp", "sbAnalisador", "Nova1", "Restaurarcpia1", "IndexarArquivos1"})
      EXPECT_TRUE(fm.acao(nome)->isEnabled()) << nome;
  }
}

TEST_F(Inicio, BarraDeFerramentasComSuasDicas) {
  Programa p;
  ASSERT_EQ(p.inicia(opcoes()), ResultadoInicio::Pronto);
  TfmVORNEX& fm = p.fmVORNEX();
  EXPECT_EQ(fm.acao("sbVerInco")->toolTip(), "Verificar Inconsistências das Declarações");
  EXPECT_EQ(fm.acao("sbImpAnoAnterior")->text(), "200&3");
  EXPECT_EQ(fm.acao("sbImpAnoAnterior")->toolTip(), "Importar Arquivo Ano-Base 2003");
  EXPECT_EQ(fm.acao("AnoAtual")->text(), "Ano Atual       200&4");
  // A command whose screen is not there opens nothing; one whose screen
  // registered opens it.
  fm.acao("spHelp")->trigger();
  EXPECT_TRUE(dialogos_.telas().empty());
  EXPECT_TRUE(dialogos_.mostradas().empty());
  fm.acao("sbNova")->trigger();
  fm.acao("sbResp")->trigger();
  ASSERT_EQ(dialogos_.telas().size(), 2u);
  EXPECT_EQ(dialogos_.telas()[0], "Vornex - Nova Declaração");
  EXPECT_EQ(dialogos_.telas()[1], "Informações do Responsável pela Declaração da Zema");
}

// A command whose screen registered itself runs it, and the commands that
// may create establishments re-run the enabling rule.
TEST_F(Inicio, ComandoRegistradoEControlaBotoesDepois) {
  // Registered after the program's own screens, so this one runs; theirs is
  // put back at the end.
  const AcaoComando* registrada = AcaoDe(Comando::Analisador);
  const AcaoComando original = registrada ? *registrada : AcaoComando{};
  RegistroAcao deTeste{Comando::Analisador, [](Programa& p, QWidget*) {
                         IncluiEstabelecimento(p.dmVornex().conexao(), "2004");
                       }};
  struct Devolve {
    const AcaoComando& a;
    ~Devolve() { RegistroAcao{Comando::Analisador, a}; }
  } devolve{original};
  Programa p;
  ASSERT_EQ(p.inicia(opcoes()), ResultadoInicio::Pronto);
  TfmVORNEX& fm = p.fmVORNEX();
  fm.FormShow();
  EXPECT_FALSE(fm.acao("sbAbrir")->isEnabled());
  fm.acao("Analisador2")->trigger();
  EXPECT_TRUE(fm.acao("sbAbrir")->isEnabled());
  EXPECT_TRUE(fm.acao("Gerarcpia1")->isEnabled());
}

TEST_F(Inicio, SegundaInstanciaRecusadaEnquantoAPrimeiraExecuta) {
  const QString trava = opcoes().trava;
  QProcess primeira;
  QProcessEnvironment amb = QProcessEnvironment::systemEnvironment();
  amb.insert("QT_QPA_PLATFORM", "offscreen");
  amb.insert("XDG_RUNTIME_DIR", QString::fromStdString(pasta_.caminho().string()));
  primeira.setProcessEnvironment(amb);
  primeira.start(VORNEX_PROGRAMA, {"--dados", QString::fromStdString(opcoes().pastaDados)});
  ASSERT_TRUE(primeira.waitForStarted(10000));
  for (int i = 0; i < 200 && !QFile::exists(trava); ++i) QThread::msleep(50);
  ASSERT_TRUE(QFile::exists(trava));

  Programa segunda;
  EXPECT_EQ(segunda.inicia(opcoes()), ResultadoInicio::OutraInstancia);
  ASSERT_EQ(dialogos_.mostradas().size(), 1u);
  EXPECT_EQ(dialogos_.mostradas()[0].texto, "Este programa já está sendo executado.");
  EXPECT_EQ(dialogos_.mostradas()[0].titulo, "Aviso");
  EXPECT_EQ(primeira.state(), QProcess::Running);

  primeira.kill();
  primeira.waitForFinished(5000);
  // A lock whose owner died is taken over.
  EXPECT_TRUE(InstanciaUnica(trava).obtida());
}

TEST_F(Inicio, TabelaFaltandoRecusaIndiceFaltandoEhRecriado) {
  {
    Conexao c = conexao();
    ExcluiIndice(c, "BD8EMP.PX");
    ExcluiIndice(c, "TBUF.XG0");
  }
  {
    Programa p;
    ASSERT_EQ(p.inicia(opcoes()), ResultadoInicio::Pronto);
    EXPECT_TRUE(dialogos_.mostradas().empty());
  }
  {
    Conexao c = conexao();
    EXPECT_TRUE(ExisteIndice(c, "BD8EMP.PX"));
    EXPECT_TRUE(ExisteIndice(c, "TBUF.XG0"));
    c.executa("DROP TABLE referencia.tbUfCep");
  }
  Programa p;
  EXPECT_EQ(p.inicia(opcoes()), ResultadoInicio::FaltamArquivos);
  ASSERT_EQ(dialogos_.mostradas().size(), 1u);
  EXPECT_EQ(dialogos_.mostradas()[0].texto, "Faltam arquivos para execução do sistema. Instale novamente o VORNEX.");
  EXPECT_EQ(dialogos_.mostradas()[0].tipo, TipoDialogo::Aviso);
}

TEST_F(Inicio, InformacoesUteisNaPrimeiraAtivacaoAteOUsuarioRecusar) {
  {
    Programa p;
    ASSERT_EQ(p.inicia(opcoes()), ResultadoInicio::Pronto);
    dialogos_.naTela([](QDialog& d) {
      auto& regras = static_cast<TfmInicioRegras&>(d);
      regras.ckNaoMostrar()->setChecked(true);
      QTest::mouseClick(regras.btOk(), Qt::LeftButton);
    });
    p.fmVORNEX().FormActivate();
    p.fmVORNEX().FormActivate();  // once per run
    ASSERT_EQ(dialogos_.telas().size(), 1u);
    EXPECT_EQ(dialogos_.telas()[0], "Vornex - Informações úteis");
    EXPECT_EQ(p.fmVORNEX().PrimeiraAtivacao, 'N');
    auto resp = LeResponsavel(p.dmVornex().conexao());
    ASSERT_TRUE(resp);
    EXPECT_TRUE(resp->logico("InDicas"));
  }
  dialogos_.limpa();
  Programa p;
  ASSERT_EQ(p.inicia(opcoes()), ResultadoInicio::Pronto);
  p.fmVORNEX().FormActivate();
  EXPECT_TRUE(dialogos_.telas().empty());
  p.fmVORNEX().acao("Informaesteis1")->trigger();
  EXPECT_EQ(dialogos_.telas().size(), 1u);
}

TEST(ErroFatal, RelatorioDoGerenciadorEDeOutrasExcecoes) {
  struct Caso {
    std::exception_ptr erro;
    std::string inicio;
    int quebras;  // "\r\n" before the closing text
  };
  const Caso casos[] = {
      {std::make_exception_ptr(ErroBanco(kErroViolacaoChave, "x")), "Erro BDE   9729 : $2601\r\n", 2},
      {std::make_exception_ptr(ErroBanco(std::vector<int>{9729, 9729}, "x")), "Erro BDE   9729 : $2601\r\n", 2},
      {std::make_exception_ptr(ErroBanco(std::vector<int>{8705, 9729}, "x")), "Erro BDE   9729 : $2601\r\n", 3},
      {std::make_exception_ptr(ErroBanco(std::vector<int>{}, "sem códigos")), "Erro DataBase.\n\r\n\rsem códigos", 1},
      {std::make_exception_ptr(std::runtime_error("falhou")), "Erro fatal.\n\r\n\rfalhou", 1},
  };
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.inicio);
    DialogosRoteiro d;
    LimpaEncerramento();
    TrataErroBanco(c.erro);
    EXPECT_TRUE(Encerrando());
    ASSERT_EQ(d.mostradas().size(), 1u);
    const std::string& t = d.mostradas()[0].texto;
    EXPECT_EQ(d.mostradas()[0].tipo, TipoDialogo::Erro);
    EXPECT_TRUE(t.starts_with(c.inicio)) << t;
    ASSERT_TRUE(t.ends_with(kTextoErroNaoPrevisto)) << t;
    const std::string corpo = t.substr(0, t.size() - std::string(kTextoErroNaoPrevisto).size());
    int quebras = 0;
    for (std::size_t i = corpo.find("\r\n"); i != std::string::npos; i = corpo.find("\r\n", i + 2)) ++quebras;
    EXPECT_EQ(quebras, c.quebras) << t;
  }
  LimpaEncerramento();
}

TEST(ErroFatal, ValorDeListaNaoMostradoComComboDeConsultaEmFoco) {
  DialogosRoteiro d;
  QWidget janela;
  auto* combo = new QComboBox(&janela);
  janela.show();
  combo->setFocus();
  const ErroBanco erro(kErroValorListaConsulta, "x");
  QApplication::setActiveWindow(&janela);
  teste::DeixaEventos();
  if (QApplication::focusWidget() != combo) GTEST_SKIP() << "a plataforma não dá o foco";
  EXPECT_TRUE(RelatorioErroMotor(erro));  // an ordinary combo box
  MarcaComboConsulta(combo);
  LimpaEncerramento();
  EXPECT_FALSE(RelatorioErroMotor(erro));
  EXPECT_FALSE(Encerrando());
  EXPECT_EQ(d.mostradas().size(), 1u);
  LimpaEncerramento();
}

TEST(ErroFatal, ExcecaoNumTratadorDeEventoEncerraOProgramaAbortoNao) {
  DialogosRoteiro d;
  QObject alvo;
  auto lanca = [&alvo](auto excecao) {
    QMetaObject::invokeMethod(&alvo, [excecao] { throw excecao; }, Qt::QueuedConnection);
    teste::DeixaEventos();
  };
  LimpaEncerramento();
  lanca(Abortado{});
  EXPECT_FALSE(Encerrando());
  EXPECT_TRUE(d.mostradas().empty());
  // A data folder held by another pass: a warning, the program goes on.
  lanca(ErroPastaEmUso("/tmp/dados"));
  EXPECT_FALSE(Encerrando());
  ASSERT_EQ(d.mostradas().size(), 1u);
  EXPECT_EQ(d.mostradas()[0].tipo, TipoDialogo::Aviso);
  EXPECT_NE(d.mostradas()[0].texto.find("Outra operação do VORNEX está usando a pasta de dados"), std::string::npos);
  lanca(std::runtime_error("quebrou"));
  EXPECT_TRUE(Encerrando());
  ASSERT_EQ(d.mostradas().size(), 2u);
  EXPECT_TRUE(d.mostradas()[1].texto.starts_with("Erro fatal.\n\r\n\rquebrou"));
  // Once ending, no further input reaches the screens.
  QPushButton botao;
  int cliques = 0;
  QObject::connect(&botao, &QPushButton::clicked, [&] { ++cliques; });
  QTest::mouseClick(&botao, Qt::LeftButton);
  EXPECT_EQ(cliques, 0);
  LimpaEncerramento();
}

class Reindexacao : public Inicio {
 protected:
  void SetUp() override { ASSERT_EQ(programa_.inicia(opcoes()), ResultadoInicio::Pronto); }
  Programa programa_;
};

TEST_F(Reindexacao, ExecucaoCompletaAteOPassoDezenove) {
  TfmGeraIndice tela(programa_.dmVornex());
  tela.show();
  EXPECT_TRUE(tela.laIndexar()->isHidden());
  EXPECT_TRUE(tela.prIndexar()->isHidden());
  QTest::mouseClick(tela.bbIniciar(), Qt::LeftButton);
  EXPECT_TRUE(tela.resultado().sucesso);
  EXPECT_EQ(tela.prIndexar()->value(), 19);
  EXPECT_EQ(tela.prIndexar()->maximum(), 19);
  EXPECT_TRUE(tela.prIndexar()->isHidden());
  EXPECT_FALSE(tela.bbCancel()->isEnabled());
  EXPECT_FALSE(tela.isVisible());
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"Arquivos indexados com sucesso."});
  // The declaration tables closed by the run stay closed; the rest reopen.
  EXPECT_FALSE(programa_.dmVornex().conjuntoAberto("Bd8emp"));
  EXPECT_FALSE(programa_.dmVornex().conjuntoAberto("Bd8vinc"));
  EXPECT_TRUE(programa_.dmVornex().conjuntoAberto("tb8cbo"));
}

TEST_F(Reindexacao, TabelaEmUsoParaEFechaATela) {
  programa_.dmVornex().conexao().defineEspera(std::chrono::milliseconds(0));
  Conexao outra = conexao();
  outra.executa("BEGIN IMMEDIATE");
  dialogos_.naTela([](QDialog& d) { QTest::mouseClick(static_cast<TfmGeraIndice&>(d).bbIniciar(), Qt::LeftButton); });
  TfmGeraIndice tela(programa_.dmVornex());
  Dialogo().executa(tela);
  outra.executa("ROLLBACK");
  EXPECT_EQ(tela.resultado().passoFalho, 1);
  EXPECT_FALSE(tela.isVisible());
  ASSERT_EQ(dialogos_.textos().size(), 2u);
  EXPECT_TRUE(dialogos_.textos()[0].starts_with("Nenhum usuário pode estar usando o sistema: \""));
  EXPECT_EQ(dialogos_.textos()[1], "Arquivos com problemas. Reinstale novamente o sistema VORNEX2004.");
  EXPECT_TRUE(programa_.dmVornex().conjuntoAberto("tb8MSG"));
}

TEST_F(Reindexacao, CancelarAntesDeIniciarNaoFazNada) {
  dialogos_.naTela([](QDialog& d) { QTest::mouseClick(static_cast<TfmGeraIndice&>(d).bbCancel(), Qt::LeftButton); });
  TfmGeraIndice tela(programa_.dmVornex());
  EXPECT_EQ(Dialogo().executa(tela), QDialog::Rejected);
  EXPECT_TRUE(dialogos_.textos().empty());
  EXPECT_EQ(tela.resultado().passoFalho, 0);
  EXPECT_FALSE(tela.resultado().sucesso);
}

}  // namespace
