// The responsible-person screen driven by keys, with scripted dialogs.
#include <QLineEdit>
#include <QPushButton>

#include "../apoio_gui.h"
#include "toolkit/mascara.h"
#include "casos/responsavel.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_resp.h"
#include "ui_fm_dados_resp.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

class TelaResponsavel : public ::testing::Test {
 protected:
  TelaResponsavel() : pasta_(Copia()), dm_(pasta_.caminho()) {}
  static teste::PastaTemporaria& Copia() {
    auto* p = new teste::PastaTemporaria;
    teste::CopiaPastaInicializada(p->caminho());
    return *p;
  }
  ~TelaResponsavel() override { delete &pasta_; }

  void Digita(QLineEdit* e, const QString& texto) {
    e->setFocus();
    teste::DeixaEventos();
    e->selectAll();
    QTest::keyClicks(e, texto);
    QTest::keyClick(e, Qt::Key_Tab);
    teste::DeixaEventos();
  }
  void Preenche(TfmDadosResp& t, const QString& inscricao) {
    t.show();
    QApplication::setActiveWindow(&t);
    teste::DeixaEventos();
    auto& u = t.campos().ui();
    Digita(u.mdInscricao, inscricao);
    Digita(u.deNome, "maria da silva");
    Digita(u.deLogradouro, "RUA DAS FLORES");
    Digita(u.deNumero, "12");
    Digita(u.deBairro, "CENTRO");
    Digita(u.deCep, "01310100");
    Digita(u.deCodMunicipio, "3550308");
    Digita(u.deDDD, "11");
    Digita(u.deTelefone, "33334444");
    Digita(u.deEmail, "MARIA@EXEMPLO.COM.BR");
  }
  std::string Texto(const char* numero) { return dm_.catalogo().busca(numero)->texto; }

  teste::PastaTemporaria& pasta_;
  TdmVornex dm_;
  DialogosRoteiro dialogos_;
};

TEST_F(TelaResponsavel, CpfDigitadoGravadoCompletoAoConfirmar) {
  TfmDadosResp t(dm_);
  Preenche(t, "11144477735");
  EXPECT_EQ(t.campos().ui().edTipodeInscricao->text(), "CPF");
  EXPECT_EQ(t.campos().ui().deNomeMunicipio->text().isEmpty(), false);  // looked up on leaving the code
  QTest::mouseClick(t.bbOk(), Qt::LeftButton);
  teste::DeixaEventos();
  EXPECT_TRUE(dialogos_.textos().empty()) << dialogos_.textos().front();
  EXPECT_EQ(t.result(), QDialog::Accepted);
  const Linha r = LeResponsavelOuVazio(dm_.conexao());
  EXPECT_EQ(r["CoCgcCeiResponsavel"], "00011144477735");
  EXPECT_EQ(r["InInscrResponsavel"], "4");
  EXPECT_EQ(r["NoResponsavelArquivo"], "MARIA DA SILVA");
  EXPECT_EQ(r["NuLogradouroRespArquivo"], "000012");
  EXPECT_EQ(r["SgUfRespArquivo"], "SP");

  // Opened again: the CPF as typed and the number without its zeros.
  TfmDadosResp de_novo(dm_);
  de_novo.show();
  teste::DeixaEventos();
  EXPECT_EQ(ValorCaixa(de_novo.campos().ui().mdInscricao), "11144477735");
  // Punctuated as a CPF once the focus leaves it.
  de_novo.campos().ui().deNome->setFocus();
  teste::DeixaEventos();
  EXPECT_EQ(de_novo.campos().ui().mdInscricao->displayText(), "111.444.777-35");
  EXPECT_EQ(de_novo.campos().ui().deNumero->text(), "12");
}

TEST_F(TelaResponsavel, InscricaoDeComprimentoSemTipoRecusadaENaoGravada) {
  TfmDadosResp t(dm_);
  Preenche(t, "0123429000176");  // valid as CNPJ and as CEI, typed with 13 digits
  EXPECT_GE(dialogos_.textos().size(), 1u);
  EXPECT_NE(dialogos_.textos().front().find(Texto("1003")), std::string::npos);
  EXPECT_TRUE(t.campos().ui().edTipodeInscricao->text().isEmpty());
  QTest::mouseClick(t.bbOk(), Qt::LeftButton);
  teste::DeixaEventos();
  EXPECT_NE(t.result(), QDialog::Accepted);
  EXPECT_TRUE(LeResponsavelOuVazio(dm_.conexao())["CoCgcCeiResponsavel"].empty());
}

}  // namespace
