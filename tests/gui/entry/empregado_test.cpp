// The employee screen and the links consultation driven by keys and clicks,
// with scripted dialogs: links typed in, reopened, refused and deleted, and
// the establishment's counts after each.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTabWidget>

#include "../apoio_campos.h"
#include "casos/estabelecimento.h"
#include "common/digitos.h"
#include "data/declaracao.h"
#include "data/dm_vornex.h"
#include "entry/acoes_estab.h"
#include "entry/fm_dados_empreg.h"
#include "toolkit/critica.h"
#include "toolkit/grade_meses.h"
#include "tools/fm_con_empreg.h"
#include "ui_fm_con_empreg.h"
#include "ui_fm_dados_empreg.h"
#include "validation/referencias_tabelas.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

constexpr const char* kCnpj = "12345678000195";

// A valid PIS/PASEP beginning with `base` (ten digits).
std::string Pis(const std::string& base) {
  for (char d = '0'; d <= '9'; ++d)
    if (PisValido(base + d)) return base + d;
  return {};
}

void Ativa(QWidget& w) {
  w.show();
  QApplication::setActiveWindow(&w);
  teste::DeixaEventos();
}

void Digita(QLineEdit* e, const QString& texto) { teste::DigitaESai(e, texto); }

void Clica(QAbstractButton* b) {
  MostraPaginaDe(b);
  b->click();
  teste::DeixaEventos();
}

// What one worker's link holds on screen.
struct Trabalhador {
  std::string pis;
  const char* nome;
  const char* nacionalidade = "10";
  const char* chegada = "";
  const char* causa = "";
  const char* desligamento = "";
  const char* aviso = "";
  const char* motivo = "";
  const char* inicio = "";
  const char* fim = "";
  const char* dias = "";
  int mesesPagos = 12;
  const char* mesAdiantamento = "06";
  const char* mesFinal = "12";
};

class Empregados : public ::testing::Test {
 protected:
  Empregados() : pasta_(Copia()), dm_(pasta_.caminho()) {
    PedidoCriacao p;
    p.inscricao = kCnpj;
    p.razao = "EMPRESA FICTICIA LTDA";
    ReferenciasTabelas ref(dm_.referencias());
    EXPECT_FALSE(CriaEstabelecimento(dm_.conexao(), ref, p).falha);
  }
  static teste::PastaTemporaria& Copia() {
    auto* p = new teste::PastaTemporaria;
    teste::CopiaPastaInicializada(p->caminho());
    return *p;
  }
  ~Empregados() override { delete &pasta_; }

  ContextoEstab Contexto() { return {dm_, entrada_, {"2004", kCnpj, "00"}}; }
  Linha Estab() { return BuscaEstabelecimento(dm_.conexao(), {"2004", kCnpj, "00"}).value(); }
  int Vezes(const char* numero) {
    const std::string texto = dm_.catalogo().busca(numero)->texto;
    int n = 0;
    for (const auto& t : dialogos_.textos()) n += t.find(texto) != std::string::npos;
    return n;
  }

  // Types the worker through every page and confirms.
  void Preenche(TfmDadosEmpreg& t, const Trabalhador& w) {
    auto& u = t.ui();
    GradeMeses& g = *u.grMeses;
    Ativa(t);
    Digita(u.dePisPasep, QString::fromStdString(w.pis));
    Digita(u.deNomeEmpregado, w.nome);
    Digita(u.deNascimento, "15061980");
    Digita(u.deRaca, "8");
    MostraPaginaDe(u.cbSexo);
    u.cbSexo->setFocus();
    QTest::keyClick(u.cbSexo, Qt::Key_Down);
    QTest::keyClick(u.cbSexo, Qt::Key_Down);
    QTest::keyClick(u.cbSexo, Qt::Key_Tab);
    teste::DeixaEventos();
    Digita(u.deNacionalidade, w.nacionalidade);
    if (*w.chegada) Digita(u.deAnoChegada, w.chegada);
    Digita(u.deInstrucao, "7");
    Digita(u.deCarteiraTrab, "1234567");
    Digita(u.deCPF, "0");
    Digita(u.deAdmissao, "01032003");
    Digita(u.deTipoAdmissao, "2");
    Digita(u.edSalario, "1500,00");
    Digita(u.deHoras, "44");
    Digita(u.deTipoSalContratual, "1");
    Digita(u.deCBO, "010105");
    Digita(u.deVinculo, "10");
    if (*w.causa) {
      dialogos_.responde(*w.aviso ? kResultadoYes : kResultadoNo);  // "O Aviso Prévio foi indenizado?"
      Digita(u.deCodDeslig, w.causa);
      Digita(u.deDataDeslig, w.desligamento);
      if (*w.aviso) Digita(u.edAvisoPrevio, w.aviso);
    }
    if (*w.motivo) {
      Digita(u.dePrimCod, w.motivo);
      Digita(u.dePrimInicio, w.inicio);
      Digita(u.dePrimFinal, w.fim);
      Digita(u.deAfastQtDias, w.dias);
    }
    for (int i = 0; i < w.mesesPagos; ++i) Digita(g.mes(i), "1500,00");
    Digita(g.mesAdiantamento(), w.mesAdiantamento);
    Digita(g.adiantamento(), "500,00");
    Digita(g.mesParcelaFinal(), w.mesFinal);
    Digita(g.parcelaFinal(), "700,00");
    Clica(u.BtOk);
  }

  teste::PastaTemporaria& pasta_;
  TdmVornex dm_;
  TdmEntradaDados entrada_;
  DialogosRoteiro dialogos_;
};

TEST_F(Empregados, TresVinculosDigitadosReabertosRecusadosEExcluidos) {
  const Trabalhador estrangeiro{Pis("1200000001"), "JUAN PEREZ GARCIA", "21", "1990"};
  Trabalhador demitido{Pis("1200000002"), "MARIA DAS DORES"};
  demitido.causa = "11";
  demitido.desligamento = "3006";
  demitido.aviso = "1500,00";
  demitido.mesesPagos = 6;
  demitido.mesAdiantamento = "05";
  demitido.mesFinal = "06";
  Trabalhador afastado{Pis("1200000003"), "JOSE DOS SANTOS"};
  afastado.motivo = "40";
  afastado.inicio = "0102";
  afastado.fim = "2802";
  afastado.dias = "28";

  // The first link from the establishment, the others from the consultation
  // it then opens.
  QString titulo;
  dialogos_.naTela([&](QDialog& d) {
    titulo = d.windowTitle();
    Preenche(static_cast<TfmDadosEmpreg&>(d), estrangeiro);
  });
  dialogos_.naTela([&](QDialog& d) {
    auto& con = static_cast<TfmConEmpreg&>(d);
    Ativa(con);
    EXPECT_EQ(con.modelo().rowCount(), 1);
    dialogos_.naTela([&](QDialog& t) { Preenche(static_cast<TfmDadosEmpreg&>(t), demitido); });
    Clica(con.ui().BtNovo);
    dialogos_.naTela([&](QDialog& t) { Preenche(static_cast<TfmDadosEmpreg&>(t), afastado); });
    Clica(con.ui().BtNovo);
    EXPECT_EQ(con.modelo().rowCount(), 3);
  });
  ASSERT_TRUE(ExecutaAcaoEstab(AcaoEstab::NovoVinculo, Contexto()));
  EXPECT_EQ(titulo.toStdString(),
            "EMPRESA FICTICIA LTDA - CNPJ: 12.345.678/0001-95 | Prefixo: 00 - Informações Referentes ao Empregado / "
            "Servidor");
  EXPECT_EQ(Estab()["NuVinculosEstabelecimento"], "000003") << testing::PrintToString(dialogos_.textos());
  EXPECT_EQ(Estab()["NuEstrangeirosEstabelec"], "00001");
  const Linha d = Consulta(dm_.conexao(), "select * from Bd8vinc where NoEmpregado = 'MARIA DAS DORES'").primeira().value();
  EXPECT_EQ(d["CoCausaDesligamento"], "11");
  EXPECT_EQ(d["DaDesligamentoEmpregado"], "3006");
  EXPECT_EQ(d["VaAvisoPrevioEmpregado"], "000150000");
  EXPECT_EQ(d["VaJulhoEmpregado"], "000000000");
  EXPECT_EQ(d["Me13ParcelaFinalEmpregado"], "06");
  const Linha a = Consulta(dm_.conexao(), "select * from Bd8vinc where NoEmpregado = 'JOSE DOS SANTOS'").primeira().value();
  EXPECT_EQ(a["CoMotivoPrimAfas"], "40");
  EXPECT_EQ(a["DaInicioprimeiroAfas"], "0102");
  EXPECT_EQ(a["QtDiasAfas"], "028");
  EXPECT_EQ(a["VaDezembroEmpregado"], "000150000");
  EXPECT_EQ(a["InSexo"], "2");
  EXPECT_EQ(a["AnChegadaEmpregado"], "0000");

  // Reopened from the consultation: the row stays current and the link is edited.
  dialogos_.limpa();
  dialogos_.naTela([&](QDialog& janela) {
    auto& con = static_cast<TfmConEmpreg&>(janela);
    Ativa(con);
    ASSERT_EQ(con.modelo().rowCount(), 3);
    con.ui().DBGridVinculo->selectRow(1);
    const std::string pis = con.modelo().linhas()[1].pis;
    dialogos_.naTela([&](QDialog& t) {
      auto& tela = static_cast<TfmDadosEmpreg&>(t);
      Ativa(tela);
      EXPECT_EQ(tela.ModoVinculo(), "A");
      EXPECT_EQ(tela.ui().dePisPasep->text().toStdString(), pis);
      EXPECT_TRUE(tela.ui().BtExcluir->isEnabled());
      // The PIS/PASEP of a saved link does not change.
      Digita(tela.ui().dePisPasep, "12000000047");
      EXPECT_EQ(tela.ui().dePisPasep->text().toStdString(), pis);
      Digita(tela.ui().deUsoEmpregado, "SETOR B");
      Clica(tela.ui().BtOk);
    });
    QTest::keyClick(con.ui().DBGridVinculo, Qt::Key_Return);
    teste::DeixaEventos();
    EXPECT_TRUE(con.isVisible());
    EXPECT_EQ(con.linhaAtual(), 1);
    EXPECT_EQ(Consulta(dm_.conexao(), "select TxUsoEmpregado from Bd8vinc where CoPisPasepEmpregado = '" + pis + "'")
                  .primeira()
                  .value()[0],
              "SETOR B");

    // The same worker admitted again on the same date: "1051", answered No.
    dialogos_.naTela([&](QDialog& t) {
      auto& tela = static_cast<TfmDadosEmpreg&>(t);
      Ativa(tela);
      dialogos_.responde(kResultadoYes);  // "1050": the worker's personal data
      Digita(tela.ui().dePisPasep, QString::fromStdString(estrangeiro.pis));
      EXPECT_EQ(tela.ui().deNomeEmpregado->text(), "JUAN PEREZ GARCIA");
      EXPECT_EQ(tela.ui().deNacionalidade->text(), "21");
      Digita(tela.ui().deAdmissao, "01032003");
      EXPECT_EQ(Vezes("1051"), 1);
      EXPECT_EQ(tela.ModoVinculo(), "I");
      dialogos_.responde(kResultadoYes);  // leave without saving
      Clica(tela.ui().BtCancelar);
    });
    Clica(con.ui().BtNovo);
    EXPECT_EQ(con.modelo().rowCount(), 3);

    // Deleting one link.
    con.ui().DBGridVinculo->selectRow(0);
    dialogos_.naTela([&](QDialog& t) {
      auto& tela = static_cast<TfmDadosEmpreg&>(t);
      Ativa(tela);
      dialogos_.responde(kResultadoYes);  // "Deseja excluir o vínculo ?"
      Clica(tela.ui().BtExcluir);
    });
    Clica(con.ui().BtExibir);
    EXPECT_EQ(con.modelo().rowCount(), 2);
  });
  ASSERT_TRUE(ExecutaAcaoEstab(AcaoEstab::ConsultaVinculos, Contexto()));
  EXPECT_EQ(Vezes("1050"), 1);
  EXPECT_EQ(Estab()["NuVinculosEstabelecimento"], "000002");
}

}  // namespace
