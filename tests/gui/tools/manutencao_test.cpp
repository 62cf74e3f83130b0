// The maintenance screens on a demo declaration, opened as the
// establishment consultation opens them and driven by keys and clicks.
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "../apoio_gui.h"
#include "app/acoes_estabelecimento.h"
#include "app/programa.h"
#include "casos/listas.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "demonstracao/demonstracao.h"
#include "data/dm_vornex.h"
#include "toolkit/lista_marcavel.h"
#include "tools/fm_excluir.h"
#include "validation/regras_estabelecimento.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

class Manutencao : public ::testing::Test {
 protected:
  Manutencao() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    {
      Conexao c = AbreZema2004(pasta_ / "dados");
      GeraDemonstracao(c, {6, 60, 7});
    }
    OpcoesInicio o;
    o.pastaDados = (pasta_ / "dados").string();
    o.trava = QString::fromStdString((pasta_ / "Vornex2004.lock").string());
    o.splash = false;
    EXPECT_EQ(programa_.inicia(o), ResultadoInicio::Pronto);
  }
  Conexao& c() { return programa_.dmVornex().conexao(); }

  // The establishments with employees, as the assistants list them.
  std::vector<ItemEstabelecimento> ComEmpregados() {
    PedidoListaEstabelecimentos p;
    p.somenteComEmpregados = true;
    return ListaEstabelecimentos(c(), p).itens;
  }
  void Abre(AcaoEstabelecimento acao, const ChaveEstabelecimento& chave = {}) {
    const AcaoSobreEstabelecimento* a = AcaoDe(acao);
    ASSERT_NE(a, nullptr);
    (*a)(programa_, nullptr, chave);
  }
  std::string Coluna(const ChaveEstabelecimento& k, const char* coluna) {
    auto l = BuscaEstabelecimento(c(), k);
    return l ? (*l)[coluna] : "<sem linha>";
  }

  template <class W>
  static W* Em(QDialog& tela, const char* nome) {
    W* w = tela.findChild<W*>(nome);
    EXPECT_NE(w, nullptr) << nome;
    return w;
  }
  static QPushButton* Botao(QDialog& tela, const QString& texto) {
    for (auto* b : tela.findChildren<QPushButton*>())
      if (b->text() == texto && b->isVisible()) return b;
    ADD_FAILURE() << texto.toStdString();
    return nullptr;
  }
  static void Clica(QDialog& tela, const QString& texto) {
    if (auto* b = Botao(tela, texto)) QTest::mouseClick(b, Qt::LeftButton);
  }
  // Chooses the line `linha` of a drop-down list with the arrow keys.
  static void Escolhe(QComboBox* lista, int linha) {
    lista->setFocus();
    for (int i = lista->currentIndex(); i < linha; ++i) QTest::keyClick(lista, Qt::Key_Down);
  }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
  Programa programa_;
};

TEST_F(Manutencao, ExclusaoDoEstabelecimentoPerguntaEExcluiComOsVinculos) {
  const auto itens = ComEmpregados();
  ASSERT_FALSE(itens.empty());
  const ChaveEstabelecimento k = itens.front().chave;
  const long long vinculos = ContaVinculos(c(), k);
  ASSERT_GT(vinculos, 0);

  // "Não", the default answer, changes nothing.
  dialogos_.naTela([&](QDialog& tela) {
    EXPECT_EQ(tela.windowTitle(), "Exclusão de Estabelecimento");
    EXPECT_EQ(Em<QLineEdit>(tela, "edNome")->text().toStdString(), Coluna(k, "NoRazaoEstabelecimento"));
    EXPECT_EQ(Em<QLineEdit>(tela, "edTotalEmpregados")->text().toLongLong(), vinculos);
    EXPECT_EQ(Em<QLineEdit>(tela, "edTipoInscricao")->text(), itens.front().tipoInscricao == "3" ? "CEI" : "CNPJ");
    EXPECT_TRUE(Em<QPushButton>(tela, "BtExcluir")->hasFocus());
    QTest::keyClick(Em<QPushButton>(tela, "BtExcluir"), Qt::Key_Space);
    EXPECT_TRUE(tela.isVisible());
  });
  Abre(AcaoEstabelecimento::Excluir, k);
  ASSERT_EQ(dialogos_.mostradas().size(), 1u);
  EXPECT_EQ(dialogos_.mostradas()[0].titulo, "Confirmação");
  EXPECT_TRUE(dialogos_.mostradas()[0].padraoNao);
  EXPECT_EQ(ContaVinculos(c(), k), vinculos);

  dialogos_.limpa();
  dialogos_.responde(kResultadoYes);
  dialogos_.naTela([&](QDialog& tela) {
    QTest::keyClick(Em<QPushButton>(tela, "BtExcluir"), Qt::Key_Space);
    auto* barra = Em<QProgressBar>(tela, "pbExclusao");
    EXPECT_EQ(barra->value(), barra->maximum());
    EXPECT_EQ(barra->maximum(), vinculos + 1);
    EXPECT_FALSE(tela.isVisible());
  });
  Abre(AcaoEstabelecimento::Excluir, k);
  EXPECT_EQ(dialogos_.textos().back(), "Estabelecimento excluído com sucesso.");
  EXPECT_FALSE(BuscaEstabelecimento(c(), k));
  EXPECT_EQ(ContaVinculos(c(), k), 0);
}

TEST_F(Manutencao, ExclusaoDeVariosEmpregadosPeloAssistente) {
  const auto itens = ComEmpregados();
  ASSERT_GE(itens.size(), 2u);
  const ChaveEstabelecimento k = itens[1].chave;
  const long long antes = ContaVinculos(c(), k);
  ASSERT_GE(antes, 4);
  Consulta(c(), "update Bd8emp set InOpcaoAberta = '4' where CoCgcCeiEstabelecimento = '" + k.inscricao +
                    "' and NuPrefixoEstabelecimento = '" + k.prefixo + "'")
      .executa();

  dialogos_.naTela([&](QDialog& tela) {  // TfmExclMult00
    EXPECT_EQ(tela.windowTitle(), "Assistente para Exclusão de Múltiplos Empregados/Servidores");
    EXPECT_FALSE(Botao(tela, "< &Voltar")->isEnabled());
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmExclMult01
    auto* lista = Em<QComboBox>(tela, "cbEstabelecimentos");
    EXPECT_EQ(lista->count(), static_cast<int>(itens.size()));
    Clica(tela, "&Avançar >");  // nothing chosen: "1301"
    Escolhe(lista, 1);
    EXPECT_EQ(lista->toolTip(), lista->currentText());
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmExclMult02
    EXPECT_EQ(Em<QLineEdit>(tela, "edPrefixo")->text().toStdString(), k.prefixo);
    QTest::mouseClick(Em<QRadioButton>(tela, "rbNome"), Qt::LeftButton);
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmExclMult03
    auto* lista = Em<ListaMarcavel>(tela, "clVinculos");
    EXPECT_EQ(lista->count(), antes);
    Clica(tela, "&Avançar >");  // nothing marked: "1310"
    lista->setFocus();
    lista->setCurrentRow(0);
    QTest::keyClick(lista, Qt::Key_Return);
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Return);
    QTest::keyClick(lista, Qt::Key_Down);
    QTest::keyClick(lista, Qt::Key_Return);
    EXPECT_EQ(lista->contaMarcados(), 3);
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmExclMult04
    EXPECT_EQ(Em<QLineEdit>(tela, "edTotal")->text(), "3");
    Clica(tela, "&Concluir");
  });
  Abre(AcaoEstabelecimento::ExcluirVinculos);

  const auto textos = dialogos_.textos();
  ASSERT_EQ(textos.size(), 4u);
  EXPECT_NE(textos[0].find("Nenhum estabelecimento selecionado"), std::string::npos) << textos[0];
  EXPECT_NE(textos[1].find("A exclusão de múltiplos empregados deste estabelecimento não foi concluída"),
            std::string::npos)
      << textos[1];
  EXPECT_NE(textos[2].find("Nenhum empregado/servidor marcado"), std::string::npos) << textos[2];
  EXPECT_EQ(textos[3], "3 Empregado(s) excluído(s) com sucesso.");
  EXPECT_EQ(dialogos_.telas().size(), 5u);
  EXPECT_EQ(ContaVinculos(c(), k), antes - 3);
  EXPECT_EQ(std::stoll(Coluna(k, "NuVinculosEstabelecimento")), antes - 3);
  EXPECT_EQ(std::stoll(Coluna(k, "NuEstrangeirosEstabelec")), ContaEstrangeiros(c(), k));
  EXPECT_EQ(Coluna(k, "InOpcaoAberta"), "");
}

TEST_F(Manutencao, TipoDeVinculoDeTodosOsEmpregadosPeloAssistente) {
  const auto itens = ComEmpregados();
  std::size_t i = 0;
  while (i < itens.size() && itens[i].tipoInscricao != "1") ++i;
  ASSERT_LT(i, itens.size());
  const ChaveEstabelecimento k = itens[i].chave;
  const long long vinculos = ContaVinculos(c(), k);

  dialogos_.naTela([&](QDialog& tela) {
    EXPECT_EQ(tela.windowTitle(), "Assistente para Alterar Código de Vínculo de todos Empregados/Servidores");
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {
    Escolhe(Em<QComboBox>(tela, "cbSelecaoEstab"), static_cast<int>(i));
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {
    auto* codigo = Em<QComboBox>(tela, "llVinculo");
    EXPECT_TRUE(codigo->hasFocus());
    Clica(tela, "&Concluir");  // no code: "1306"
    QTest::keyClicks(codigo, "15");  // not for a CNPJ: "1307"
    EXPECT_EQ(codigo->currentText(), "15");
    QTest::keyClick(codigo, Qt::Key_Up);
    EXPECT_EQ(codigo->currentText(), "10");
    EXPECT_FALSE(Em<QLineEdit>(tela, "dbcdDescrVinculo")->text().isEmpty());
    Clica(tela, "&Concluir");
  });
  Abre(AcaoEstabelecimento::AlterarVinculo);

  const auto textos = dialogos_.textos();
  ASSERT_EQ(textos.size(), 3u);
  EXPECT_NE(textos[0].find("Nenhum código de vínculo selecionado"), std::string::npos) << textos[0];
  EXPECT_NE(textos[1].find("Código de vínculo não permitido"), std::string::npos) << textos[1];
  EXPECT_NE(textos[2].find("Código de vínculo alterado com sucesso"), std::string::npos) << textos[2];
  Consulta q(c(), "select count(*) from Bd8vinc where CoVinculo = '10' and CoCgcCeiEstabelecimento = :i and "
                  "NuPrefixoEstabelecimento = :p");
  EXPECT_EQ(q.defineTexto(":i", k.inscricao).defineTexto(":p", k.prefixo).escalar(), vinculos);
}

TEST_F(Manutencao, TransferenciaDeEmpregadosPeloAssistente) {
  const auto itens = ComEmpregados();
  ASSERT_GE(itens.size(), 2u);
  const ChaveEstabelecimento origem = itens[0].chave;
  const long long antes = ContaVinculos(c(), origem);
  ASSERT_GE(antes, 4);
  // An existing destination typed first: one valid only as CNPJ or only as CEI.
  std::size_t e = 1;
  while (e < itens.size() && CriticaCnpjCei(itens[e].chave.inscricao) == "0050"_msg) ++e;
  ASSERT_LT(e, itens.size());
  const ChaveEstabelecimento existente = itens[e].chave;

  const auto digita = [](QLineEdit* campo, const std::string& texto) {
    campo->setFocus();
    QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(campo, Qt::Key_Delete);
    QTest::keyClicks(campo, QString::fromStdString(texto));
    QTest::keyClick(campo, Qt::Key_Return);  // Enter moves on
    teste::DeixaEventos();
  };
  dialogos_.naTela([&](QDialog& tela) {  // TfmCopEstab00
    EXPECT_EQ(tela.windowTitle(), "Assistente - Transferir empregados para outra inscrição");
    Clica(tela, "&Regras >>");
    Clica(tela, "&Avançar>");
  });
  dialogos_.naTela([](QDialog& regras) {  // TfmCopEstabRegras
    EXPECT_EQ(regras.windowTitle(), "Regras de transferência");
    Clica(regras, "&Fechar");
    EXPECT_FALSE(regras.isVisible());
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmCopEstab01
    Escolhe(Em<QComboBox>(tela, "cbEstabelecimento"), 0);
    Clica(tela, "&Avançar>");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmCopEstab02
    auto* lista = Em<ListaMarcavel>(tela, "clVinculos");
    EXPECT_EQ(lista->count(), antes);
    QTest::mouseClick(Em<QRadioButton>(tela, "rbSelecaoTodos"), Qt::LeftButton);
    EXPECT_EQ(lista->contaMarcados(), antes);
    QTest::mouseClick(Em<QRadioButton>(tela, "rbSelecaoLimpar"), Qt::LeftButton);
    EXPECT_EQ(lista->contaMarcados(), 0);
    lista->setFocus();
    lista->setCurrentRow(1);
    for (int i = 0; i < 3; ++i) {
      QTest::keyClick(lista, Qt::Key_Return);
      QTest::keyClick(lista, Qt::Key_Down);
    }
    Clica(tela, "&Avançar >");
  });
  dialogos_.naTela([&](QDialog& tela) {  // TfmCopEstab03
    EXPECT_EQ(Em<QLineEdit>(tela, "edTotal")->text(), "3");
    auto* inscricao = Em<QLineEdit>(tela, "mdCGCCEI");
    auto* prefixo = Em<QLineEdit>(tela, "edPrefixo");
    EXPECT_TRUE(inscricao->hasFocus());
    digita(inscricao, existente.inscricao);
    EXPECT_TRUE(prefixo->hasFocus());
    digita(prefixo, existente.prefixo);
    Clica(tela, "&Concluir");  // "1308"
    EXPECT_TRUE(inscricao->hasFocus());
    // Valid as CNPJ and as CEI: the registration-type dialog, answered "CEI".
    dialogos_.naTela([](QDialog& tipo) {
      QTest::mouseClick(Em<QRadioButton>(tipo, "rbCEI"), Qt::LeftButton);
      Clica(tipo, "OK");
    });
    digita(inscricao, "123429000176");
    tela.activateWindow();  // back from the dialog, as the window manager does
    teste::DeixaEventos();
    EXPECT_EQ(Em<QLineEdit>(tela, "edTipoCGCCEI")->text(), "CEI");
    digita(prefixo, "");
    EXPECT_EQ(prefixo->text(), "00");
    Clica(tela, "&Concluir");
  });
  Abre(AcaoEstabelecimento::TransferirVinculos);

  const auto textos = dialogos_.textos();
  ASSERT_EQ(textos.size(), 2u);
  EXPECT_NE(textos[0].find("O estabelecimento de destino (inscrição/prefixo) já existe"), std::string::npos) << textos[0];
  EXPECT_NE(textos[1].find("Transferência dos empregados/servidores concluída com sucesso"), std::string::npos)
      << textos[1];
  const ChaveEstabelecimento destino{"2004", "00123429000176", "00"};
  EXPECT_EQ(Coluna(destino, "InInscrEstabelecimento"), "3");
  EXPECT_EQ(Coluna(destino, "NuVinculosEstabelecimento"), "000003");
  EXPECT_EQ(Coluna(destino, "InOpcaoAberta"), "");
  EXPECT_EQ(std::stoll(Coluna(origem, "NuVinculosEstabelecimento")), antes - 3);
  EXPECT_EQ(std::stoll(Coluna(origem, "NuEstrangeirosEstabelec")), ContaEstrangeiros(c(), origem));
  EXPECT_EQ(std::stoll(Coluna(destino, "NuEstrangeirosEstabelec")), ContaEstrangeiros(c(), destino));
}

}  // namespace
