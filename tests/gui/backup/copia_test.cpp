#include <QPushButton>
#include <QTimer>

#include "../apoio_gui.h"
#include "backup/copia_seguranca.h"
#include "backup/fm_copia.h"
#include "data/banco.h"
#include "data/demonstracao.h"
#include "data/dm_vornex.h"

using namespace vornex;
using namespace vornex::gui;
namespace fs = std::filesystem;

namespace {

class Copia : public ::testing::Test {
 protected:
  Copia() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    fs::create_directories(pasta_ / "copias");
    {
      Conexao c = AbreZema2004(pasta_ / "dados");
      OpcoesDemonstracao o;
      o.estabelecimentos = 3;
      o.vinculos = 6;
      GeraDemonstracao(c, o);
    }
    dm_ = std::make_unique<TdmVornex>(pasta_ / "dados");
  }

  long long Estabelecimentos() { return Consulta(dm_->conexao(), "select count(*) from Bd8emp").escalar(); }

  // Opens the window, presses Iniciar, and answers the file chooser.
  template <typename Tela>
  void Executa(std::optional<fs::path> arquivo, std::function<void(Tela&)> antes = {}) {
    dialogos_.respondeArquivo(std::move(arquivo));
    dialogos_.naTela([&](QDialog& d) {
      auto& t = dynamic_cast<Tela&>(d);
      EXPECT_TRUE(t.paProgresso()->isHidden());
      if (antes) antes(t);
      QTest::mouseClick(t.bbAction(), Qt::LeftButton);
      EXPECT_FALSE(t.isVisible());
    });
    MostraTela<Tela>(*dm_);
  }

  teste::PastaTemporaria pasta_;
  std::unique_ptr<TdmVornex> dm_;
  DialogosRoteiro dialogos_;
};

TEST_F(Copia, GravaExcluiRestauraEUmaEdicaoDepoisVaiParaOArquivoRestaurado) {
  Executa<TfmBackup00>(pasta_ / "copias" / "segunda");
  ASSERT_EQ(dialogos_.textos(), std::vector<std::string>{std::string(kMsgGravacaoBemSucedida)});
  EXPECT_EQ(dialogos_.telas().front().toStdString(), "Cópia de Segurança (Gravar)");
  EXPECT_EQ(dialogos_.arquivosPedidos()[0].titulo, "Cópia de Segurança");
  const fs::path arquivo = pasta_ / "copias" / "segunda.BKP";  // the default extension added
  ASSERT_TRUE(fs::exists(arquivo));

  dm_->conexao().executa("delete from Bd8emp where rowid = (select min(rowid) from Bd8emp)");
  ASSERT_EQ(Estabelecimentos(), 2);

  dialogos_.limpa();
  Executa<TfmRestore00>(arquivo);
  ASSERT_EQ(dialogos_.textos(), std::vector<std::string>{std::string(kMsgRestauracaoBemSucedida)});
  EXPECT_EQ(dialogos_.telas().front().toStdString(), "Restaurar Cópia de Segurança ");
  EXPECT_EQ(Estabelecimentos(), 3);

  // The data module's connection is on the restored file, not on the one it replaced.
  dm_->conexao().executa("update Bd8emp set NoRazaoEstabelecimento = 'DEPOIS DA RESTAURACAO'");
  Conexao outra = AbreZema2004(pasta_ / "dados");
  EXPECT_EQ(Consulta(outra, "select count(*) from Bd8emp where NoRazaoEstabelecimento = 'DEPOIS DA RESTAURACAO'")
                .escalar(),
            3);
}

TEST_F(Copia, RestauracaoRecusadaNaoMexeNosDados) {
  teste::Escreve(pasta_ / "copias" / "outra.zip", "x");
  teste::Escreve(pasta_ / "copias" / "falsa.BKP", "nao e um arquivo de backup");
  const struct {
    const char* arquivo;
    std::string_view mensagem;
  } casos[] = {{"outra.zip", kMsgExtensaoInvalida},
               {"inexistente.bkp", kMsgArquivoInexistente},
               {"falsa.BKP", kMsgBackupInvalido}};
  for (const auto& caso : casos) {
    dialogos_.limpa();
    Executa<TfmRestore00>(pasta_ / "copias" / caso.arquivo);
    ASSERT_EQ(dialogos_.mostradas().size(), 1u) << caso.arquivo;
    EXPECT_EQ(dialogos_.mostradas()[0].texto, caso.mensagem);
    EXPECT_EQ(Estabelecimentos(), 3);
  }
  // A cancelled chooser closes the window with nothing shown.
  dialogos_.limpa();
  Executa<TfmRestore00>(std::nullopt);
  EXPECT_TRUE(dialogos_.mostradas().empty());
}

TEST_F(Copia, CancelarDuranteACopiaPerguntaEPara) {
  const struct {
    int resposta;
    bool gravou;
  } casos[] = {{kResultadoYes, false}, {kResultadoNo, true}};
  for (const auto& caso : casos) {
    dialogos_.limpa();
    dialogos_.responde(caso.resposta);
    Executa<TfmBackup00>(pasta_ / "copias" / "interrompida.BKP", [](TfmBackup00& t) {
      QTimer::singleShot(0, &t, [&t] {
        EXPECT_TRUE(t.paProgresso()->isVisible());
        QTest::mouseClick(t.bbCancel(), Qt::LeftButton);
      });
    });
    ASSERT_FALSE(dialogos_.textos().empty());
    EXPECT_EQ(dialogos_.textos()[0], kMsgCancelaBackup);
    EXPECT_EQ(dialogos_.textos().size() == 2 && dialogos_.textos()[1] == kMsgGravacaoBemSucedida, caso.gravou);
  }
}

}  // namespace
