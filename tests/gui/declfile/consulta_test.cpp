#include "declfile/gravacao.h"
#include "platform/midia.h"
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "../apoio_gui.h"
#include "common/texto.h"
#include "consulta/exibicao.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "declfile/fm_consulta.h"
#include "reports/fm_print_opc.h"
#include "reports/fm_relatorio.h"
#include "toolkit/chaves_lista.h"
#include "toolkit/grade_leitura.h"
#include "toolkit/grade_meses.h"
#include "toolkit/lista_marcavel.h"
#include "toolkit/previa.h"
#include "ui_fm_consulta01.h"
#include "ui_fm_consulta02.h"
#include "ui_fm_consulta03.h"
#include "ui_fm_consulta04.h"
#include "ui_fm_consulta05.h"
#include "ui_fm_consulta_disquete.h"

using namespace vornex;
using namespace vornex::gui;
namespace fs = std::filesystem;

namespace {

struct UmVolume : InterfaceMidia {
  bool midiaNaoPronta(const Midia&) override { return false; }
  std::optional<Midia> pedeMidia(int, bool, const Midia&) override { return std::nullopt; }
  bool confirmaInterrupcao() override { return true; }
  void avisa(AvisoMidia, const Midia&) override {}
  bool autorizaSobrescrever(const Midia&) override { return false; }
};

using teste::Clica;

// A demo declaration written to a file as the writing pass does, with a
// contractual salary of 1.500,00 on the first link by name of the second
// establishment; browsed from another data folder.
class ConsultaArquivo : public ::testing::Test {
 protected:
  ConsultaArquivo() {
    teste::PastaComDemonstracao(pasta_ / "origem", 3, 30);
    Conexao c = AbreZema2004(pasta_ / "origem");
    estab2_ = *Consulta(c, {"select * from Bd8emp where InZemaNegEstabelecimento = '0'",
                            "order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento limit 1 offset 1"})
                   .primeira();
    Consulta(c, {"update Bd8vinc set VaSalContratualEmpregado = '000150000' where rowid = (",
                 "select rowid from Bd8vinc where CoCgcCeiEstabelecimento = :i and NuPrefixoEstabelecimento = :p",
                 "order by NoEmpregado limit 1)"})
        .defineTexto("i", estab2_["CoCgcCeiEstabelecimento"])
        .defineTexto("p", estab2_["NuPrefixoEstabelecimento"])
        .executa();
    nomes2_.clear();
    Consulta q(c, {"select NoEmpregado from Bd8vinc where CoCgcCeiEstabelecimento = :i",
                   "and NuPrefixoEstabelecimento = :p order by NoEmpregado"});
    q.defineTexto("i", estab2_["CoCgcCeiEstabelecimento"]).defineTexto("p", estab2_["NuPrefixoEstabelecimento"]);
    while (q.proxima()) nomes2_.push_back(QString::fromStdString(std::string(q.texto(0))));
    responsavel_ = QString::fromStdString((*LeResponsavel(c))["NoResponsavelArquivo"]);
    fs::create_directories(pasta_ / "m1");
    UmVolume um;
    PedidoGravacao g;
    g.dataGeracao = "10022005";
    const auto r = GravaArquivoDeclaracao(c, g, MidiaPasta(pasta_ / "m1"), um, SemAcompanhamento());
    EXPECT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
    teste::CopiaPastaInicializada(pasta_ / "dados");
  }

  // The consultation window with the file picked through "&Localizar";
  // `navega` runs on the file summary.
  void Navega(std::function<void(TfmConsulta01&)> navega) {
    TdmVornex dm(pasta_ / "dados");
    TfmConsultaDisquete tela(dm);
    dialogos_.naTela([&](QDialog& d) {
      auto& t = dynamic_cast<TfmConsultaDisquete&>(d);
      EXPECT_EQ(t.windowTitle(), kTituloConsultaDisquete);
      EXPECT_FALSE(t.ui().bbVoltar->isVisible());
      dialogos_.naTela([&](QDialog& d1) {
        auto& c1 = dynamic_cast<TfmConsulta01&>(d1);
        EXPECT_EQ(c1.windowTitle(), "Consulta Disquete");
        EXPECT_EQ(c1.ui().deNoResponsavelArquivo->text(), responsavel_);
        navega(c1);
      });
      dialogos_.respondeArquivo(pasta_ / "m1" / "Zema2004");
      Clica(t.ui().bbLocalizar);
    });
    Dialogo().executa(tela);
    // The browsing's "&Fechar" ends the consultation too.
    EXPECT_FALSE(tela.isVisible());
  }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
  Linha estab2_;
  std::vector<QString> nomes2_;
  QString responsavel_;
};

TEST_F(ConsultaArquivo, SegundoEstabelecimentoEVinculosPorNome) {
  bool viuVinculo = false;
  Navega([&](TfmConsulta01& c1) {
    dialogos_.naTela([&](QDialog& d2) {
      auto& c2 = dynamic_cast<TfmConsulta02&>(d2);
      EXPECT_EQ(c2.windowTitle(), "Consulta Arquivo Zema - Seleção de Estabelecimento");
      ASSERT_EQ(c2.grade()->modelo().rowCount(), 3);
      int linha = 0;
      while (c2.grade()->modelo().linhas()[linha]["CoCgcCeiEstabelecimento"] != estab2_["CoCgcCeiEstabelecimento"])
        ++linha;
      c2.grade()->vaiPara(linha);
      dialogos_.naTela([&](QDialog& d3) {
        auto& c3 = dynamic_cast<TfmConsulta03&>(d3);
        EXPECT_EQ(c3.windowTitle(), "Consulta Estabelecimento");
        EXPECT_EQ(c3.ui().deCoCgcCeiEstabelecimento->text().toStdString(),
                  FormataInscricao(estab2_["CoCgcCeiEstabelecimento"], estab2_["InInscrEstabelecimento"]));
        EXPECT_EQ(c3.ui().dePainelDeclaracao->text(), "ZEMA com Empregados");
        EXPECT_EQ(c3.ui().deNuVinculosEstabelecimento->text().toInt(), static_cast<int>(nomes2_.size()));
        EXPECT_EQ(c3.ui().bbAnterior->isEnabled(), linha > 0);
        EXPECT_EQ(c3.ui().bbProximo->isEnabled(), linha < 2);
        dialogos_.naTela([&](QDialog& d4) {
          auto& c4 = dynamic_cast<TfmConsulta04&>(d4);
          EXPECT_TRUE(c4.ui().rbPis->isChecked());
          Clica(c4.ui().rbNome);
          std::vector<QString> nomes;
          for (const Linha& l : c4.grade()->modelo().linhas()) nomes.push_back(QString::fromStdString(l["NoEmpregado"]));
          EXPECT_EQ(nomes, nomes2_);
          c4.grade()->vaiPara(0);
          dialogos_.naTela([&](QDialog& d5) {
            auto& c5 = dynamic_cast<TfmConsulta05&>(d5);
            EXPECT_EQ(c5.windowTitle(), "Consulta Empregados/Servidores");
            EXPECT_EQ(c5.ui().deNoEmpregado->text().trimmed(), nomes2_[0]);
            EXPECT_EQ(c5.ui().deVaSalContratualEmpregado->text(), "       1.500,00");
            EXPECT_FALSE(c5.ui().bbAnterior->isEnabled());
            // The months in the shared grid, read-only, in the viewer's form.
            EXPECT_TRUE(c5.ui().gmMeses->somenteLeitura());
            EXPECT_EQ(c5.ui().gmMeses->mes(0)->text().toStdString(),
                      Apara(FormataValorConsulta((*c4.grade()->atual())["VaJaneiroEmpregado"])));
            // Moving on the detail moves the list with it.
            Clica(c5.ui().bbProximo);
            EXPECT_EQ(c5.ui().deNoEmpregado->text().trimmed(), nomes2_[1]);
            EXPECT_EQ(c4.grade()->linhaAtual(), 1);
            viuVinculo = true;
            Clica(c5.ui().bbFechar);
          });
          Clica(c4.ui().bbConsultar);
        });
        Clica(c3.ui().bbEmpregados);
      });
      Clica(c2.ui().bbConsultar);
    });
    Clica(c1.ui().bbConteudo);
  });
  EXPECT_TRUE(viuVinculo);
}

// "&Relatório" opens the report assistant at its second step over what the
// file holds; a partial report of two links shows and prints only those.
TEST_F(ConsultaArquivo, RelatorioParcialDeDoisVinculosDoArquivo) {
  const fs::path pdf = pasta_ / "parcial.pdf";
  bool imprimiu = false;
  Navega([&](TfmConsulta01& c1) {
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmRelatorio02&>(d2);
      EXPECT_EQ(p2.windowTitle(), kTituloRelatorio);
      EXPECT_FALSE(c1.isVisible());
      dialogos_.naTela([&](QDialog& d3) {
        dialogos_.naTela([&](QDialog& d4) {
          auto& p4 = dynamic_cast<TfmRelatorio01&>(d4);
          ListaMarcavel* empresas = p4.clbEmpresas();
          ASSERT_EQ(empresas->count(), 3);
          int linha = 0;
          while (empresas->chaveDe<ChaveEstabelecimento>(linha).inscricao != estab2_["CoCgcCeiEstabelecimento"]) ++linha;
          Clica(p4.rbParcial());
          QTest::mouseClick(empresas->viewport(), Qt::LeftButton, {},
                            empresas->visualItemRect(empresas->item(linha)).center());
          ListaMarcavel* vinculos = p4.clbEmpregados();
          ASSERT_EQ(vinculos->count(), static_cast<int>(nomes2_.size()));
          vinculos->marca(0, true);
          vinculos->marca(2, true);
          const auto marcados = vinculos->chavesMarcadas<ChaveVinculo>();
          dialogos_.naTela([&](QDialog& previa) {
            EXPECT_EQ(dynamic_cast<TfmPrevia&>(previa).paginas(), 1);
          });
          Clica(p4.bbVisualizar());
          dialogos_.naTela([](QDialog& opcoes) { Clica(dynamic_cast<TfmPrintOpc&>(opcoes).ui.BtOk); });
          dialogos_.respondeImpressao(pdf);
          Clica(p4.bbImprimir());
          const QString texto = teste::TextoPdf(QString::fromStdString(pdf.string()));
          int achados = 0;
          for (const QString& nome : nomes2_) achados += texto.contains(nome.trimmed()) ? 1 : 0;
          EXPECT_EQ(achados, 2);
          for (const auto& k : marcados) EXPECT_TRUE(texto.contains(QString::fromStdString(k.nome).trimmed()));
          imprimiu = true;
          Clica(p4.btCancelar());
        });
        Clica(dynamic_cast<PassoAssistente&>(d3).btAvancar());
      });
      Clica(p2.btAvancar());
    });
    Clica(c1.ui().bbRelatorio);
    // Back on the summary once the assistant closes.
    EXPECT_TRUE(c1.isVisible());
    Clica(c1.ui().bbFechar);
  });
  EXPECT_TRUE(imprimiu);
}

// A file that breaks the layout offers the error report; "&Voltar" returns
// to an empty path.
TEST_F(ConsultaArquivo, ArquivoComErroDeEstrutura) {
  const fs::path curto = pasta_ / "curto.txt";
  teste::Escreve(curto, std::string(1049, '0'));
  TdmVornex dm(pasta_ / "dados");
  TfmConsultaDisquete tela(dm);
  dialogos_.naTela([&](QDialog&) {
    tela.ui().edArquivo->setText(QString::fromStdString(curto.string()));
    tela.ConsultaArquivo(tela.ui().edArquivo->text());
    EXPECT_TRUE(tela.ui().paRelatorio->isVisible());
    EXPECT_FALSE(tela.ui().paConsDisquete->isVisible());
    EXPECT_TRUE(tela.ui().bbVoltar->isVisible());
    Clica(tela.ui().bbVoltar);
    EXPECT_TRUE(tela.ui().paConsDisquete->isVisible());
    EXPECT_TRUE(tela.ui().edArquivo->text().isEmpty());
    Clica(tela.ui().bbCancelar);
  });
  Dialogo().executa(tela);
  EXPECT_FALSE(tela.isVisible());
}

}  // namespace
