#include "toolkit/formulario.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "../apoio_gui.h"
#include "data/banco.h"
#include "data/erro_banco.h"
#include "data/tabela.h"
#include "entry/fm_tipo_inscricao.h"
#include "toolkit/mascara.h"
#include "validation/regras_estabelecimento.h"

using namespace vornex;
using namespace vornex::gui;

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* o) { *o << s.toStdString(); }
QT_END_NAMESPACE

namespace {

// A registration valid both as CNPJ and, without its two leading zeros, as CEI.
constexpr const char* kAmbigua = "00123429000176";
constexpr const char* kAmbiguaCei = "123429000176";

class Formularios : public ::testing::Test {
 protected:
  Formularios() {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    conexao_.emplace(AbreZema2004(pasta_ / "dados"));
    for (const char* m : {"0060", "0040", "0315", "1000", "3625"}) catalogo_.inclui({m, "ERR", std::string("msg ") + m});
    ServicoDialogos::DefineCatalogo(&catalogo_);
  }
  ~Formularios() override { ServicoDialogos::DefineCatalogo(nullptr); }

  teste::PastaTemporaria pasta_;
  std::optional<Conexao> conexao_;
  Catalogo catalogo_;
  DialogosRoteiro dialogos_;
};

// An establishment form: registration and its type box, prefix, name, the
// declaration type, the closure box, and the cancel button.
struct Tela {
  QWidget janela;
  QLineEdit* deInscricao = new QLineEdit;
  QLineEdit* edTipodeInscricao = new QLineEdit;
  QLineEdit* dePrefixo = new QLineEdit;
  QLineEdit* deRazao = new QLineEdit;
  QWidget* dgTipoZema = new QWidget;
  QRadioButton* rbCom = new QRadioButton("Com Empregados", dgTipoZema);
  QRadioButton* rbSem = new QRadioButton("Sem Empregados", dgTipoZema);
  QButtonGroup* grupo = new QButtonGroup(&janela);
  QCheckBox* cbEncerramento = new QCheckBox("Encerrou as Atividades");
  QPushButton* BtCancelar = new QPushButton("&Cancelar");
  RegistroEditado registro;
  Formulario form{registro, "Bd8emp", &janela};
  int prefixos = 0;  // times the prefix rule ran

  explicit Tela(DesempateInscricao desempate = DesempateInscricao::PeloTamanho) {
    auto* l = new QVBoxLayout(&janela);
    for (QWidget* w : std::initializer_list<QWidget*>{deInscricao, edTipodeInscricao, dePrefixo, deRazao, dgTipoZema,
                                                      cbEncerramento, BtCancelar})
      l->addWidget(w);
    new QVBoxLayout(dgTipoZema);
    dgTipoZema->layout()->addWidget(rbCom);
    dgTipoZema->layout()->addWidget(rbSem);
    grupo->addButton(rbCom, 0);
    grupo->addButton(rbSem, 1);

    registro.insere(DefinicaoSistema("Bd8emp")->novaLinha());
    registro.define("AnBase", "2004");
    form.isenta({BtCancelar, dgTipoZema});
    form.inscricao(deInscricao, "CoCgcCeiEstabelecimento", "InInscrEstabelecimento", edTipodeInscricao, desempate);
    form.maiusculas(dePrefixo, "NuPrefixoEstabelecimento").regra([this](std::string_view v) {
      ++prefixos;
      return CriticaPrefixo(v);
    });
    form.grupo(grupo, "InZemaNegEstabelecimento", {{0, "0"}, {1, "1"}}, dgTipoZema);
    form.marca(cbEncerramento, "InEncerramentoAtividade", "1", "2");
    form.chaveDuplicada("1000"_msg, dePrefixo);

    janela.show();
    QApplication::setActiveWindow(&janela);
    deInscricao->setFocus();
    teste::DeixaEventos();
  }

  void digita(QLineEdit* caixa, const QString& texto) {
    caixa->setFocus();
    teste::DeixaEventos();
    caixa->clear();
    caixa->setCursorPosition(0);
    QTest::keyClicks(caixa, texto);
  }
  void sai(QWidget* para) {
    para->setFocus();
    teste::DeixaEventos();
  }
};

// The use case the screen would call: one append in one transaction.
void Inclui(Conexao& c, const Linha& linha) {
  Transacao t(c);
  Tabela(c, "Bd8emp").inclui(linha);
  t.confirma();
}

TEST_F(Formularios, UmCampoDeclaradoUmaVezCriticaAoSairEAoConfirmar) {
  Tela t;
  t.digita(t.deInscricao, kAmbigua);
  t.digita(t.dePrefixo, "a$");
  EXPECT_EQ(t.dePrefixo->text(), "A$");  // capitals as typed
  t.sai(t.deRazao);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 0060"});
  EXPECT_EQ(QApplication::focusWidget(), t.dePrefixo);
  EXPECT_EQ(t.prefixos, 1);

  // Towards an exempt control nothing is checked.
  dialogos_.limpa();
  t.sai(t.BtCancelar);
  t.rbSem->click();
  t.sai(t.rbSem);
  EXPECT_TRUE(dialogos_.textos().empty());

  // The same declaration refuses on confirming, and nothing is saved.
  bool gravou = false;
  EXPECT_FALSE(t.form.grava([&](const Linha&) { gravou = true; }));
  EXPECT_FALSE(gravou);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 0060"});
  EXPECT_EQ(QApplication::focusWidget(), t.dePrefixo);

  dialogos_.limpa();
  t.digita(t.dePrefixo, "a1");
  t.sai(t.deRazao);
  EXPECT_TRUE(dialogos_.textos().empty());
  EXPECT_TRUE(t.form.grava([&](const Linha& l) {
    gravou = true;
    EXPECT_EQ(l["NuPrefixoEstabelecimento"], "A1");
    EXPECT_EQ(l["CoCgcCeiEstabelecimento"], kAmbigua);
    EXPECT_EQ(l["InInscrEstabelecimento"], "1");
    EXPECT_EQ(l["InZemaNegEstabelecimento"], "1");
  }));
  EXPECT_TRUE(gravou);
}

TEST_F(Formularios, ColunaQueATabelaNaoTemFalhaAoMontar) {
  QWidget janela;
  RegistroEditado registro;
  Formulario form(registro, "Bd8emp", &janela);
  QLineEdit caixa(&janela);
  try {
    form.texto(&caixa, "NoRazaoEstabelecimeto");
    FAIL() << "a misspelt column was accepted";
  } catch (const std::invalid_argument& e) {
    EXPECT_STREQ(e.what(), "a tabela Bd8emp não tem a coluna NoRazaoEstabelecimeto");
  }
  // Spelt with another case it is the table's column.
  EXPECT_EQ(form.texto(&caixa, "norazaoestabelecimento").coluna(), "NoRazaoEstabelecimento");
  EXPECT_THROW(Formulario(registro, "Bd8emps", &janela), std::invalid_argument);
}

TEST_F(Formularios, ChaveDuplicadaMostraAMensagemDaTelaEMantemOQueFoiDigitado) {
  Tela t;
  t.digita(t.deInscricao, kAmbigua);
  t.digita(t.dePrefixo, "01");
  t.sai(t.deRazao);
  ASSERT_TRUE(t.form.grava([&](const Linha& l) { Inclui(*conexao_, l); }));

  t.registro.insere(DefinicaoSistema("Bd8emp")->novaLinha());
  t.registro.define("AnBase", "2004");
  t.digita(t.deInscricao, kAmbigua);
  t.digita(t.dePrefixo, "01");
  t.sai(t.deRazao);
  EXPECT_FALSE(t.form.grava([&](const Linha& l) { Inclui(*conexao_, l); }));
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 1000"});
  EXPECT_EQ(QApplication::focusWidget(), t.dePrefixo);
  EXPECT_EQ(t.dePrefixo->text(), "01");
  EXPECT_EQ(ValorCaixa(t.deInscricao).toStdString(), kAmbigua);
  EXPECT_EQ(t.registro.valor("NuPrefixoEstabelecimento"), "01");
  EXPECT_TRUE(t.registro.editando());
  EXPECT_EQ(Tabela(*conexao_, "Bd8emp").conta(), 1);

  // Without a declared message the error is not the screen's to handle.
  Formulario semMensagem(t.registro, "Bd8emp", &t.janela);
  EXPECT_THROW(semMensagem.grava([&](const Linha& l) { Inclui(*conexao_, l); }), ErroBanco);
}

TEST_F(Formularios, AvisosSoAoSairEErrosConformeODeclarado) {
  Tela t;
  bool encerrado = false;
  t.form.maiusculas(t.deRazao, "NoRazaoEstabelecimento")
      .regra([](std::string_view) { return "3625"_msg; }, Gravidade::Aviso)
      .regra([](std::string_view v) { return v == "X" ? "0060"_msg : kSemOcorrencia; }, Gravidade::ErroAoSair)
      .regra([](std::string_view v) { return v == "Y" ? "0040"_msg : kSemOcorrencia; })
      .avisa({"0040"_msg});
  // Checked only while the closure box is ticked.
  t.form.livre(new QLineEdit(&t.janela))
      .quando([](const Formulario& f) { return f.valor("InEncerramentoAtividade") == "1"; })
      .regra([&](const Formulario&) {
        encerrado = true;
        return "0315"_msg;
      });
  t.digita(t.deInscricao, kAmbigua);
  t.digita(t.dePrefixo, "01");

  struct Caso {
    const char* nome;
    std::vector<std::string> aoSair;
    bool foco;  // the focus stays in the name
  } casos[] = {
      {"OK", {"msg 3625"}, false},
      {"X", {"msg 3625", "msg 0060"}, true},
      {"Y", {"msg 3625", "msg 0040"}, false},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    dialogos_.limpa();
    t.digita(t.deRazao, c.nome);
    t.sai(t.dePrefixo);
    EXPECT_EQ(dialogos_.textos(), c.aoSair);
    EXPECT_EQ(QApplication::focusWidget() == t.deRazao, c.foco);
    dialogos_.limpa();
    EXPECT_TRUE(t.form.confirma());
    EXPECT_TRUE(dialogos_.textos().empty());
  }
  EXPECT_FALSE(encerrado);
  t.cbEncerramento->click();
  EXPECT_EQ(t.registro.valor("InEncerramentoAtividade"), "1");
  EXPECT_FALSE(t.form.confirma());
  EXPECT_TRUE(encerrado);
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 0315"});
}

TEST_F(Formularios, InscricaoDecidePeloTamanhoOuPergunta) {
  {
    Tela t;
    t.digita(t.deInscricao, kAmbiguaCei);
    t.sai(t.dePrefixo);
    EXPECT_EQ(t.registro.valor("InInscrEstabelecimento"), "3");
    EXPECT_EQ(t.registro.valor("CoCgcCeiEstabelecimento"), kAmbigua);
    EXPECT_EQ(t.edTipodeInscricao->text(), "CEI");
    EXPECT_EQ(t.deInscricao->displayText(), "12-342-90.001-7/6");
    t.deInscricao->setFocus();
    teste::DeixaEventos();
    EXPECT_EQ(t.deInscricao->displayText(), QString(kAmbiguaCei) + "__");  // free digits while typing
    t.digita(t.deInscricao, kAmbigua);
    t.sai(t.dePrefixo);
    EXPECT_EQ(t.edTipodeInscricao->text(), "CNPJ");
    EXPECT_EQ(t.deInscricao->displayText(), "00.123.429/0001-76");
    EXPECT_TRUE(dialogos_.telas().empty());
  }
  {
    Tela t(DesempateInscricao::Pergunta);
    dialogos_.naTela([](QDialog& d) {
      for (auto* b : d.findChildren<QRadioButton*>()) EXPECT_FALSE(b->isChecked()) << b->objectName().toStdString();
      EXPECT_EQ(d.focusWidget(), d.findChild<QRadioButton*>("rbCGC"));
      d.findChild<QRadioButton*>("rbCEI")->click();
      d.findChild<QPushButton*>("BtOk")->click();
    });
    t.digita(t.deInscricao, kAmbigua);
    t.sai(t.dePrefixo);
    EXPECT_EQ(dialogos_.telas(), std::vector<QString>{"Tipo de Inscrição"});
    EXPECT_EQ(t.registro.valor("InInscrEstabelecimento"), "3");
    // Confirming does not ask again about the same number.
    t.digita(t.dePrefixo, "01");
    EXPECT_TRUE(t.form.confirma());
    EXPECT_EQ(dialogos_.telas().size(), 1u);
  }
}

TEST_F(Formularios, TipoDeInscricaoSemEscolhaEhCnpj) {
  TfmTipoInscricao tela;
  tela.show();
  teste::DeixaEventos();
  tela.findChild<QPushButton*>("BtOk")->click();
  EXPECT_EQ(tela.TipoInscricaoEscolhido, "CNPJ");
  EXPECT_EQ(tela.result(), QDialog::Accepted);
}

TEST_F(Formularios, ValorMonetarioIdaEVolta) {
  QWidget janela;
  RegistroEditado registro;
  Formulario form(registro, "Bd8vinc", &janela);
  auto* deSalario = new QLineEdit(&janela);
  auto* outro = new QLineEdit(&janela);
  (new QVBoxLayout(&janela))->addWidget(deSalario);
  janela.layout()->addWidget(outro);
  form.valor(deSalario, "VaSalContratualEmpregado");
  Linha l = DefinicaoSistema("Bd8vinc")->novaLinha();
  l["VaSalContratualEmpregado"] = "000123456";
  registro.edita(l);
  EXPECT_EQ(deSalario->text(), "1.234,56");

  janela.show();
  QApplication::setActiveWindow(&janela);
  deSalario->setFocus();
  teste::DeixaEventos();
  deSalario->clear();
  QTest::keyClicks(deSalario, "2500,5");
  EXPECT_EQ(registro.valor("VaSalContratualEmpregado"), "000250050");
  outro->setFocus();
  teste::DeixaEventos();
  EXPECT_EQ(deSalario->text(), "2.500,50");
  EXPECT_TRUE(dialogos_.textos().empty());

  deSalario->setFocus();
  teste::DeixaEventos();
  deSalario->clear();
  QTest::keyClicks(deSalario, "1.5");
  outro->setFocus();
  teste::DeixaEventos();
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 0040"});
  EXPECT_EQ(registro.valor("VaSalContratualEmpregado"), "000000100");  // the last amount the box held
  dialogos_.limpa();
  EXPECT_FALSE(form.confirma());
  EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{"msg 0040"});
}

TEST_F(Formularios, ListaEGrupoMostramEGravamCodigos) {
  QWidget janela;
  RegistroEditado registro;
  Formulario form(registro, "Bd8emp", &janela);
  auto* cbPorte = new QComboBox(&janela);
  cbPorte->addItem("Microempresa", "1");
  cbPorte->addItem("Empresa de Pequeno Porte", "2");
  auto* caixa = new QWidget(&janela);
  auto* rbSim = new QRadioButton("Sim", caixa);
  auto* rbNao = new QRadioButton("Não", caixa);
  auto* grupo = new QButtonGroup(&janela);
  grupo->addButton(rbSim, 7);
  grupo->addButton(rbNao, 8);
  form.lista(cbPorte, "InPorte");
  form.grupo(grupo, "InOptanteSimples", {{7, "1"}, {8, "2"}});

  Linha l = DefinicaoSistema("Bd8emp")->novaLinha();
  l["InPorte"] = "2";
  l["InOptanteSimples"] = "1";
  registro.edita(l);
  EXPECT_EQ(cbPorte->currentText(), "Empresa de Pequeno Porte");
  EXPECT_TRUE(rbSim->isChecked());

  rbNao->click();
  EXPECT_EQ(registro.valor("InOptanteSimples"), "2");
  cbPorte->setCurrentIndex(0);
  emit cbPorte->activated(0);
  EXPECT_EQ(registro.valor("InPorte"), "1");

  // Codes of no item and no button select nothing.
  registro.define("InPorte", "3");
  registro.define("InOptanteSimples", "");
  EXPECT_EQ(cbPorte->currentIndex(), -1);
  EXPECT_EQ(grupo->checkedButton(), nullptr);
}

}  // namespace
