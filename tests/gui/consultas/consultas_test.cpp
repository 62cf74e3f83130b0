#include <QTreeWidget>

#include "../apoio_gui.h"
#include "data/consultas.h"
#include "data/tabelas.h"
#include "toolkit/registro.h"

using namespace vornex;
using namespace vornex::gui;

namespace {

const TabelasReferencia& Referencias() {
  static Conexao c = AbreZema2004(teste::PastaInicializada());
  static TabelasReferencia r = TabelasReferencia::Carrega(c);
  return r;
}

class Consultas : public ::testing::Test {
 protected:
  Consultas() {
    vinculo_.insere(DefinicaoSistema("Bd8vinc")->novaLinha());
    empresa_.insere(DefinicaoSistema("Bd8emp")->novaLinha());
  }
  // The entry whose text starts with `codigo` and "  - ", shown and clicked.
  static void Clica(TfmConsulta& d, const QString& inicio) {
    auto itens = d.lista()->findItems(inicio, Qt::MatchStartsWith | Qt::MatchRecursive);
    ASSERT_FALSE(itens.isEmpty()) << inicio.toStdString();
    QTreeWidgetItem* item = itens[0];
    for (auto* p = item->parent(); p != nullptr; p = p->parent()) p->setExpanded(true);
    d.lista()->scrollToItem(item);
    // On the start of its text: a long entry runs past the visible part of the list.
    const QRect r = d.lista()->visualItemRect(item);
    QTest::mouseClick(d.lista()->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 30, r.center().y()));
  }
  static QTreeWidgetItem* Primeiro(TfmConsulta& d, int comprimentoCodigo) {
    QTreeWidgetItemIterator it(d.lista());
    for (; *it; ++it)
      if ((*it)->text(0).indexOf("  - ") == comprimentoCodigo) return *it;
    return nullptr;
  }
  RegistroEditado vinculo_;
  RegistroEditado empresa_;
};

TEST_F(Consultas, ListasPlanasEmOrdemDeCodigoEscrevemOCodigoInteiro) {
  struct Caso {
    std::unique_ptr<TfmConsulta> dialogo;
    RegistroEditado* registro;
    const char* campo;
    Referencia tabela;
  };
  std::vector<Caso> casos;
  casos.push_back({std::make_unique<TfmTb8Raca>(Referencias(), vinculo_), &vinculo_, "CoTipoRaca", Referencia::Raca});
  casos.push_back({std::make_unique<TfmTb8NatJu>(Referencias(), empresa_), &empresa_, "CoNaturezaJuridica",
                   Referencia::NaturezaJuridica});
  casos.push_back({std::make_unique<TfmTb8Instr>(Referencias(), vinculo_), &vinculo_, "CoInstrucao",
                   Referencia::Instrucao});
  casos.push_back({std::make_unique<TfmTb8Vinc>(Referencias(), vinculo_), &vinculo_, "CoVinculo", Referencia::Vinculo});
  for (auto& c : casos) {
    SCOPED_TRACE(c.campo);
    const auto& linhas = Referencias().linhas(c.tabela);
    ASSERT_FALSE(linhas.empty());
    QTreeWidget* lista = c.dialogo->lista();
    ASSERT_EQ(lista->topLevelItemCount(), static_cast<int>(linhas.size()));
    for (int i = 1; i < lista->topLevelItemCount(); ++i)
      EXPECT_LT(lista->topLevelItem(i - 1)->text(0), lista->topLevelItem(i)->text(0));
    const Linha& ultima = linhas.back();
    EXPECT_EQ(lista->topLevelItem(lista->topLevelItemCount() - 1)->text(0).toStdString(),
              ultima[0] + "  - " + ultima[1]);
    c.dialogo->show();
    Clica(*c.dialogo, QString::fromStdString(ultima[0] + "  - "));
    EXPECT_EQ(c.registro->valor(c.campo), ultima[0]);
    EXPECT_FALSE(c.dialogo->isVisible());
  }
}

TEST_F(Consultas, CboSoAceitaOcupacaoDeSeisCaracteres) {
  TfmTb8CBO d(Referencias(), vinculo_);
  d.show();
  EXPECT_FALSE(d.lista()->topLevelItem(0)->isExpanded());
  for (int n : {2, 3, 4}) {
    QTreeWidgetItem* grupo = Primeiro(d, n);
    ASSERT_NE(grupo, nullptr) << n;
    Clica(d, grupo->text(0));
    EXPECT_TRUE(d.isVisible()) << n;
    EXPECT_EQ(d.lista()->currentItem(), grupo);
    EXPECT_EQ(vinculo_.valor("CoCbo"), "") << n;
  }
  // Enter on a group entry expands it.
  QTreeWidgetItem* grupo = Primeiro(d, 2);
  d.lista()->setCurrentItem(grupo);
  grupo->setExpanded(false);
  QTest::keyClick(d.lista(), Qt::Key_Return);
  EXPECT_TRUE(grupo->isExpanded());
  EXPECT_TRUE(d.isVisible());

  QTreeWidgetItem* ocupacao = Primeiro(d, 6);
  ASSERT_NE(ocupacao, nullptr);
  Clica(d, ocupacao->text(0));
  EXPECT_EQ(vinculo_.valor("CoCbo"), ocupacao->text(0).left(6).toStdString());
  EXPECT_FALSE(d.isVisible());
}

TEST_F(Consultas, CnaeAceitaClasseNaoDivisao) {
  TfmTb8Cnae d(Referencias());
  QTreeWidgetItem* divisao = d.lista()->topLevelItem(0);
  ASSERT_GT(divisao->childCount(), 0);
  DialogosRoteiro roteiro;
  roteiro.naTela([&](QDialog&) {
    Clica(d, divisao->text(0));
    EXPECT_TRUE(d.isVisible());
    Clica(d, divisao->child(0)->text(0));
  });
  d.Mostra(empresa_);
  EXPECT_EQ(empresa_.valor("CoCnae"), divisao->child(0)->text(0).left(5).toStdString());
  // The list keeps its state from one opening to the next.
  EXPECT_TRUE(divisao->isExpanded());
}

TEST_F(Consultas, MesesEscrevemNoMesEscolhidoPeloChamador) {
  vinculo_.define("Me13AdiantamentoEmpregado", "11");
  TfmMesesAno d(vinculo_);
  d.MesAdiantamento = false;
  d.show();
  Clica(d, "05 - Maio");
  EXPECT_EQ(vinculo_.valor("Me13ParcelaFinalEmpregado"), "05");
  EXPECT_EQ(vinculo_.valor("Me13AdiantamentoEmpregado"), "11");
}

TEST_F(Consultas, AfastamentoEscreveNoAfastamentoDoBotao) {
  TfmTb8Afast primeiro(vinculo_);
  primeiro.AfastamentoDestino = TfmTb8Afast::Afastamento::Primeiro;
  primeiro.show();
  Clica(primeiro, "10.");
  TfmTb8Afast terceiro(vinculo_);
  terceiro.AfastamentoDestino = TfmTb8Afast::Afastamento::Terceiro;
  terceiro.show();
  Clica(terceiro, "50.");
  EXPECT_EQ(vinculo_.valor("CoMotivoPrimAfas"), "10");
  EXPECT_EQ(vinculo_.valor("CoMotivoTercAfas"), "50");
  EXPECT_EQ(vinculo_.valor("CoMotivoSeguAfas"), "");
}

TEST_F(Consultas, MunicipioLembraAUltimaEscolha) {
  TfrmT8Munic d(Referencias());
  QTreeWidgetItem* estado = d.lista()->topLevelItem(0);
  ASSERT_GT(estado->childCount(), 0);
  const std::string municipio = estado->child(0)->text(0).left(7).toStdString();
  empresa_.define("CoMunicipio", "1234567");
  DialogosRoteiro roteiro;
  // Closed before any choice: the field keeps its value.
  d.SelecionaMunicipio(empresa_, "CoMunicipio");
  EXPECT_EQ(empresa_.valor("CoMunicipio"), "1234567");
  roteiro.naTela([&](QDialog&) {
    Clica(d, estado->text(0));
    EXPECT_TRUE(d.isVisible());
    Clica(d, estado->child(0)->text(0));
  });
  d.SelecionaMunicipio(empresa_, "CoMunicipio");
  EXPECT_EQ(empresa_.valor("CoMunicipio"), municipio);
  // Another screen's field, dialog closed without a choice: the remembered code.
  RegistroEditado resp;
  resp.insere(DefinicaoSistema("BD8Resp")->novaLinha());
  d.SelecionaMunicipio(resp, "CoMunicipioRespArquivo");
  EXPECT_EQ(resp.valor("CoMunicipioRespArquivo"), municipio);
}

TEST_F(Consultas, FecharSemEscolherNaoEscreve) {
  const Linha antes = vinculo_.linha();
  TfmTb8Nacio nacionalidade(Referencias(), vinculo_);
  DialogosRoteiro roteiro;
  EXPECT_EQ(Dialogo().executa(nacionalidade), QDialog::Rejected);
  // Enter with nothing selected: a table list stays open, the months list closes.
  TfmMesesAno meses(vinculo_);
  for (TfmConsulta* d : std::initializer_list<TfmConsulta*>{&nacionalidade, &meses}) {
    d->show();
    d->lista()->setCurrentItem(nullptr);
    QTest::keyClick(d->lista(), Qt::Key_Return);
  }
  EXPECT_TRUE(nacionalidade.isVisible());
  EXPECT_FALSE(meses.isVisible());
  EXPECT_EQ(vinculo_.linha().valores(), antes.valores());
}

}  // namespace
