#include <QAction>
#include <QDialog>

#include "../apoio_gui.h"
#include "app/fm_vornex.h"
#include "app/programa.h"
#include "toolkit/previa.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

class Cartela : public ::testing::Test {
 protected:
  Cartela() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    OpcoesInicio o;
    o.pastaDados = (pasta_ / "dados").string();
    o.trava = QString::fromStdString((pasta_ / "Vornex2004.lock").string());
    o.splash = false;
    EXPECT_EQ(programa_.inicia(o), ResultadoInicio::Pronto);
  }
  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
  Programa programa_;
};

TEST_F(Cartela, VisualizarMostraADescricaoDoArquivoPaginaAPagina) {
  int paginas = 0;
  dialogos_.naTela([&](QDialog& tela) {
    auto* previa = dynamic_cast<TfmPrevia*>(&tela);
    ASSERT_NE(previa, nullptr);
    paginas = previa->paginas();
    previa->vaiPara(paginas);
    EXPECT_EQ(previa->paginaAtual(), paginas);
  });
  programa_.fmVORNEX().acao("VisualizarCartela1")->trigger();
  ASSERT_EQ(dialogos_.telas().size(), 1u);
  EXPECT_EQ(dialogos_.telas()[0], "Cartela do arquivo ZEMA");
  // The general page, one page per record type and two for type 2.
  EXPECT_GE(paginas, 6);
}

TEST_F(Cartela, EmitirPerguntaAImpressoraENadaImprimeQuandoCancelada) {
  programa_.fmVORNEX().acao("EmitirCartela1")->trigger();  // the script rejects the printer dialog
  ASSERT_EQ(dialogos_.telas().size(), 1u);
  EXPECT_EQ(dialogos_.telas()[0], "Cartela do arquivo ZEMA");
  EXPECT_TRUE(dialogos_.mostradas().empty());
}

}  // namespace
