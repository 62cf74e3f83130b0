// The new declaration, the establishment screen, the consultation and the
// survey driven by keys and clicks, with scripted dialogs.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTreeWidget>

#include "../apoio_gui.h"
#include "casos/estabelecimento.h"
#include "data/consultas.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "entry/fm_dados_estab.h"
#include "entry/fm_nova_decl.h"
#include "entry/fm_sem_empregados.h"
#include "casos/responsavel.h"
#include "ui_fm_sem_empregados.h"
#include "tools/fm_con_estab.h"
#include "tools/fm_pesq.h"
#include "ui_fm_con_estab.h"
#include "ui_fm_dados_estab.h"
#include "ui_fm_nova_decl.h"
#include "ui_fm_pesq.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

constexpr const char* kCnpj = "12345678000195";

void Ativa(QWidget& w) {
  w.show();
  QApplication::setActiveWindow(&w);
  teste::DeixaEventos();
}

// Types into the field and leaves it with Tab, so its exit check runs.
void Digita(QLineEdit* e, const QString& texto) {
  e->setFocus();
  teste::DeixaEventos();
  QTest::keyClicks(e, texto);
  QTest::keyClick(e, Qt::Key_Tab);
  teste::DeixaEventos();
}

// On the indicator: a radio button or check box stretched by its layout
// takes clicks only on its indicator and text.
void Clica(QAbstractButton* b) {
  const bool marca = qobject_cast<QRadioButton*>(b) || qobject_cast<QCheckBox*>(b);
  QTest::mouseClick(b, Qt::LeftButton, {}, marca ? QPoint(8, b->height() / 2) : QPoint());
  teste::DeixaEventos();
}

class Telas : public ::testing::Test {
 protected:
  Telas() : pasta_(Copia()), dm_(pasta_.caminho()) {}
  static teste::PastaTemporaria& Copia() {
    static thread_local teste::PastaTemporaria* p = nullptr;
    p = new teste::PastaTemporaria;
    teste::CopiaPastaInicializada(p->caminho());
    return *p;
  }
  ~Telas() override { delete &pasta_; }

  std::string Texto(const char* numero) { return dm_.catalogo().busca(numero)->texto; }
  int Vezes(const std::string& texto) {
    int n = 0;
    for (const auto& t : dialogos_.textos()) n += t.find(texto) != std::string::npos;
    return n;
  }
  Linha Estab(const char* prefixo) { return BuscaEstabelecimento(dm_.conexao(), {"2004", kCnpj, prefixo}).value(); }

  // The new declaration up to its confirmation; `naTela` fills the
  // establishment screen it opens.
  void NovaDeclaracao(const QString& prefixo, std::function<void(TfmDadosEstab&)> naTela = {}) {
    if (naTela) dialogos_.naTela([naTela](QDialog& d) { naTela(static_cast<TfmDadosEstab&>(d)); });
    TfmNovaDecl nova(dm_, entrada_);
    Ativa(nova);
    Digita(nova.ui().deInscricao, kCnpj);
    Digita(nova.ui().dePrefixo, prefixo);
    if (nova.isVisible()) {
      Digita(nova.ui().deRazao, "EMPRESA FICTICIA LTDA");
      Clica(nova.ui().btOk);
    }
  }

  teste::PastaTemporaria& pasta_;
  TdmVornex dm_;
  TdmEntradaDados entrada_;
  DialogosRoteiro dialogos_;
};

void Preenche(TfmDadosEstab& t) {
  auto& u = t.ui();
  Ativa(t);
  Digita(u.deLogradouro, "RUA DAS FLORES");
  Digita(u.deNumero, "120");
  Digita(u.deBairro, "CENTRO");
  Digita(u.deCEP, "01310100");
  // The municipality through its lookup.
  static_cast<DialogosRoteiro&>(Dialogo()).naTela([](QDialog& d) {
    auto& c = static_cast<TfrmT8Munic&>(d);
    auto itens = c.lista()->findItems("3550308", Qt::MatchStartsWith | Qt::MatchRecursive);
    ASSERT_FALSE(itens.isEmpty());
    c.lista()->setCurrentItem(itens[0]);
    c.ConfirmaEscolha();
  });
  Clica(u.sbCodMunicipio);
  Ativa(t);
  Digita(u.deDDD, "11");
  Digita(u.deTelefone, "32223333");
  Digita(u.deEmail, "CONTATO@FICTICIA.COM");
  Digita(u.deCNAE, "74993");
  Digita(u.deNatJuridica, "2062");
  Digita(u.deProprietarios, "2");
  Digita(u.deDataBase, "5");
  Clica(u.rbPorte3);
  Clica(u.rbPATSim);
  Digita(u.dePATVincMaior5, "3");
  Digita(u.dePATVincMenor5, "7");
  Digita(u.deServProprio, "100");
  Clica(u.BtOk);
}

TEST_F(Telas, NovaDeclaracaoCompletaCopiaDePrefixoEConsulta) {
  NovaDeclaracao("", Preenche);
  const Linha e = Estab("00");
  EXPECT_EQ(e["EdEstabelecimento"], "RUA DAS FLORES");
  EXPECT_EQ(e["NuEnderecoEstabelecimento"], "000120");
  EXPECT_EQ(e["CoMunicipio"], "3550308");
  EXPECT_EQ(e["NoMunicEstabelecimento"], "SAO PAULO");
  EXPECT_EQ(e["SgUf"], "SP");
  EXPECT_EQ(e["CoCnae"], "74993");
  EXPECT_EQ(e["InPorte"], "3");
  EXPECT_EQ(e["InOptanteSimples"], "2");
  EXPECT_EQ(e["InParticipaPAT"], "1");
  EXPECT_EQ(e["NuVinculoPatMenor5"], "000007");
  EXPECT_EQ(e["PoServicoProprio"], "100");
  EXPECT_EQ(e["MeDataBase"], "05");
  EXPECT_EQ(e["InOpcaoAberta"], "");  // the screen closed normally
  EXPECT_EQ(Vezes(Texto("1000")), 0);

  // The consistency check files no finding on the establishment's own
  // fields; that it has no link yet ("1673") is the links' business.
  OpcoesConsistencia o;
  o.selecao = std::vector<ChaveEstabelecimento>{{"2004", kCnpj, "00"}};
  VerificaConsistencia(dm_.conexao(), o);
  for (const auto& l : Consulta(dm_.conexao(), "select retorno, lbl from trabalho.Te8ErrWa where errwar = 'err' "
                                               "and tiporegistro = '1' and retorno <> '1673'")
                           .todas())
    ADD_FAILURE() << "erro " << l[0] << " " << l[1];

  // A second prefix of the same CNPJ takes the data of the first.
  dialogos_.responde(kResultadoYes);  // "1001"
  NovaDeclaracao("01");
  EXPECT_EQ(Vezes(Texto("1001")), 1);
  const Linha copia = Estab("01");
  for (const char* col : {"EdEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "CoCnae", "InParticipaPAT",
                          "NuVinculoPatMaior5", "NoRazaoEstabelecimento"})
    EXPECT_EQ(copia[col], e[col]) << col;
  EXPECT_EQ(copia["TxEmailEstabelecimento"], "");

  // The same key again: refused when the prefix is left, nothing written.
  NovaDeclaracao("00");
  EXPECT_GT(Vezes(Texto("1000")), 0);
  EXPECT_EQ(Consulta(dm_.conexao(), "select count(*) from Bd8emp").escalar(), 2);

  // From the consultation, by the registration's first digits and by letters.
  TfmConEstab con(dm_, entrada_);
  Ativa(con);
  QTest::keyClicks(con.ui().mdInscricao, "123");
  EXPECT_EQ(con.modelo().rowCount(), 2);
  Clica(con.ui().SbEF);
  ASSERT_EQ(con.modelo().rowCount(), 2);
  EXPECT_TRUE(con.ui().mdInscricao->text().isEmpty());
  QString logradouro, cep;
  dialogos_.naTela([&](QDialog& d) {
    auto& t = static_cast<TfmDadosEstab&>(d);
    logradouro = t.ui().deLogradouro->text();
    cep = t.ui().deCEP->text();
  });
  con.ui().DBGridEstab->setFocus();
  con.ui().DBGridEstab->selectRow(1);
  QTest::keyClick(con.ui().DBGridEstab, Qt::Key_Return);
  teste::DeixaEventos();
  EXPECT_EQ(logradouro, "RUA DAS FLORES");
  EXPECT_EQ(cep, "01310-100");
  Clica(con.ui().SbA);
  EXPECT_EQ(con.modelo().rowCount(), 0);
}

TEST_F(Telas, OperacaoPendenteAvisadaUmaVez) {
  PedidoCriacao p;
  p.inscricao = kCnpj;
  p.razao = "FICTICIA";
  ReferenciasTabelas ref(dm_.referencias());
  ASSERT_FALSE(CriaEstabelecimento(dm_.conexao(), ref, p).falha);
  dm_.conexao().executa("update Bd8emp set InOpcaoAberta = '3'");

  TfmConEstab con(dm_, entrada_);
  Ativa(con);
  Clica(con.ui().BtExibir);
  Clica(con.ui().BtExibir);
  EXPECT_EQ(Vezes(Texto("0502")), 1);
  EXPECT_EQ(Estab("00")["InOpcaoAberta"], "");
}

TEST_F(Telas, PesquisaGuardaAsNotas) {
  TfmPesq t(dm_.conexao());
  Ativa(t);
  Digita(t.resposta(1), "5");
  Digita(t.resposta(2), "11");
  EXPECT_EQ(Vezes("Valor Inválido. Consulte régua de valores."), 1);
  EXPECT_EQ(QApplication::focusWidget(), t.resposta(2));
  t.resposta(2)->clear();
  Digita(t.resposta(2), "77");
  Clica(t.ui().BtOk);
  EXPECT_EQ(LeRespostasPesquisa(dm_.conexao()), "5X" + std::string(20, 'B'));
}

// The note on declarations without employees shows until the user
// dispenses it, and the choice is kept in the responsible row.
TEST_F(Telas, NotaSemEmpregadosAteSerDispensada) {
  TfmNovaDecl nova(dm_, entrada_);
  Ativa(nova);
  dialogos_.naTela([](QDialog& d) {
    auto& nota = dynamic_cast<TfmSemEmpregados&>(d);
    EXPECT_TRUE(nota.ui().lbEndereco->text().contains("https://"));
    Clica(nota.ui().ckNaoMostrar);
    Clica(nota.ui().btOk);
  });
  Clica(nova.ui().rbSemEmpregados);
  EXPECT_EQ(dialogos_.telas(), std::vector<QString>{"Vornex2004 - Declaração Sem Empregados"});
  EXPECT_TRUE(DicaDispensada(dm_.conexao(), kDicaSemEmpregados));
  Clica(nova.ui().rbComEmpregados);
  Clica(nova.ui().rbSemEmpregados);
  EXPECT_EQ(dialogos_.telas().size(), 1u);
}

}  // namespace

