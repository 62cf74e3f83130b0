#include <QCheckBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include "../apoio_gui.h"
#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/dm_vornex.h"
#include <set>

#include "toolkit/chaves_lista.h"
#include "toolkit/lista_marcavel.h"
#include "toolkit/previa.h"
#include "validation/fm_ver_inco.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

// A demo declaration of three establishments; the first one's CNAE is not a code.
class VerInco : public ::testing::Test {
 protected:
  VerInco() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    {
      Conexao c = AbreZema2004(pasta_ / "dados");
      OpcoesDemonstracao o;
      o.estabelecimentos = 3;
      o.vinculos = 12;
      GeraDemonstracao(c, o);
      c.executa(
          "update Bd8emp set CoCnae = '99999' where rowid = (select rowid from Bd8emp order by "
          "CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento limit 1)");
    }
    dm_ = std::make_unique<TdmVornex>(pasta_ / "dados");
  }

  void MarcaDuas(TfmVerInco01& passo) {
    ListaMarcavel* l = passo.LEmpresas();
    ASSERT_EQ(l->count(), 3);
    for (int i : {0, 1})
      QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(i)).center());
    ASSERT_EQ(l->contaMarcados(), 2);
  }

  std::string Texto(const char* numero) { return dm_->catalogo().busca(numero)->texto; }

  teste::PastaTemporaria pasta_;
  std::unique_ptr<TdmVornex> dm_;
  DialogosRoteiro dialogos_;
};

TEST_F(VerInco, DuasEmpresasComUmCnaeErradoTerminamNoPainelDeErrosComPrevia) {
  TfmVerInco00 passo1(*dm_, 2004);
  int paginas = 0;
  bool chegouAoFim = false;
  dialogos_.naTela([](QDialog& d) {
    EXPECT_EQ(d.windowTitle(), kTituloVerInco);
    QTest::mouseClick(d.findChild<QPushButton*>("BtAvancar"), Qt::LeftButton);
  });
  dialogos_.naTela([&](QDialog& d) {
    auto& passo2 = dynamic_cast<TfmVerInco01&>(d);
    // Nothing checked: the notice, and the check does not run.
    QTest::mouseClick(passo2.btAvancar(), Qt::LeftButton);
    EXPECT_EQ(dialogos_.textos().back(), Texto("1301"));
    dialogos_.limpa();
    dialogos_.naTela([&](QDialog& d3) {
      auto& passo3 = dynamic_cast<TfmVerInco02&>(d3);
      EXPECT_EQ(passo3.paineis()->currentWidget(), passo3.painel(TfmVerInco02::Desfecho::Erros));
      dialogos_.naTela([&](QDialog& p) { paginas = dynamic_cast<TfmPrevia&>(p).paginas(); });
      QTest::mouseClick(passo3.bbVisualErros(), Qt::LeftButton);
      chegouAoFim = true;
      QTest::mouseClick(passo3.findChild<QPushButton*>("BtFechar"), Qt::LeftButton);
    });
    MarcaDuas(passo2);
    QTest::mouseClick(passo2.btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  EXPECT_TRUE(chegouAoFim);
  EXPECT_GT(paginas, 0);
  // Fechar closed every step.
  EXPECT_FALSE(passo1.isVisible());
  EXPECT_FALSE(passo1.passo2().isVisible());
  // Only the two checked establishments were checked, the first with its error.
  ListaMarcavel* l = passo1.passo2().LEmpresas();
  std::set<std::string> marcadas, achadas;
  for (const auto& k : l->chavesMarcadas<ChaveEstabelecimento>()) marcadas.insert(k.inscricao + k.prefixo);
  Consulta q(dm_->conexao(), "select distinct inscricao || prefixo, retorno from Te8ErrWa where errwar = 'err'");
  while (q.proxima()) achadas.insert(std::string(q.texto(0)));
  const auto primeira = l->chaveDe<ChaveEstabelecimento>(0);
  EXPECT_EQ(achadas, std::set<std::string>{primeira.inscricao + primeira.prefixo});
  EXPECT_EQ(marcadas.size(), 2u);
  EXPECT_TRUE(marcadas.count(primeira.inscricao + primeira.prefixo));
}

TEST_F(VerInco, CancelarConfirmadoDuranteAVerificacaoVoltaASelecao) {
  TfmVerInco00 passo1(*dm_, 2004);
  bool depois = false;
  dialogos_.naTela([](QDialog& d) { QTest::mouseClick(d.findChild<QPushButton*>("BtAvancar"), Qt::LeftButton); });
  dialogos_.naTela([&](QDialog& d) {
    auto& passo2 = dynamic_cast<TfmVerInco01&>(d);
    MarcaDuas(passo2);
    dialogos_.responde(kResultadoYes);  // "Deseja interromper?"
    QTimer::singleShot(0, &passo2, [&] {
      EXPECT_TRUE(passo2.verificando());
      EXPECT_TRUE(passo2.PInicial()->isVisible());
      EXPECT_FALSE(passo2.btAvancar()->isEnabled());
      QTest::mouseClick(passo2.btCancelar(), Qt::LeftButton);
    });
    QTest::mouseClick(passo2.btAvancar(), Qt::LeftButton);
    EXPECT_EQ(dialogos_.textos(),
              (std::vector<std::string>{"Deseja interromper?", kMsgConsistenciaInterrompida}));
    // Back on the selection, marks kept, nothing further shown.
    EXPECT_TRUE(passo2.isVisible());
    EXPECT_TRUE(passo2.PMarca()->isVisible());
    EXPECT_FALSE(passo2.PInicial()->isVisible());
    EXPECT_TRUE(passo2.btAvancar()->isEnabled());
    EXPECT_TRUE(passo2.btVoltar()->isEnabled());
    EXPECT_EQ(passo2.LEmpresas()->contaMarcados(), 2);
    EXPECT_EQ(dialogos_.telas().size(), 2u);
    depois = true;
  });
  Dialogo().executa(passo1);
  EXPECT_TRUE(depois);
}

TEST_F(VerInco, AnoSemEstabelecimentosDesabilitaAvancar) {
  TfmVerInco00 passo1(*dm_, 2005);
  dialogos_.naTela([](QDialog&) {});
  Dialogo().executa(passo1);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{Texto("1700")});
  EXPECT_FALSE(passo1.btAvancar()->isEnabled());
}

}  // namespace
