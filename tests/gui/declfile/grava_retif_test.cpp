// The writing and rectification assistants driven step by step, with
// scripted dialogs and folders standing for the diskettes.
#include "casos/analisa_arquivo.h"
#include "casos/responsavel.h"
#include "data/tabela.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "declfile/retificacao.h"
#include "validation/consistencia.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <fstream>
#include <set>

#include "../apoio_gui.h"
#include "data/dm_vornex.h"
#include "declfile/fm_grava_decl.h"
#include "declfile/fm_retif.h"
#include "entry/fm_dados_resp.h"
#include "toolkit/lista_marcavel.h"
#include "ui_fm_dados_resp.h"

using namespace vornex;
using namespace vornex::gui;
namespace fs = std::filesystem;

namespace {

long long Conta(Conexao& c, const std::string& sql) {
  Consulta q(c, sql);
  q.proxima();
  return q.inteiro(0);
}

std::vector<std::string> Registros(const fs::path& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  std::vector<std::string> r;
  for (std::string l; std::getline(f, l);) r.push_back(l.substr(0, 350));
  return r;
}

class GravaRetif : public ::testing::Test {
 protected:
  GravaRetif() { teste::PastaComDemonstracao(pasta_ / "dados", 3, kVinculos); }

  static constexpr long long kVinculos = 60;

  // The responsible page as a user fills it, a CPF as the registration.
  void PreencheResponsavel(TfmGravaDecl01& passo) {
    QApplication::setActiveWindow(&passo);
    teste::DeixaEventos();
    auto& u = passo.campos().ui();
    const std::pair<QLineEdit*, const char*> campos[] = {
        {u.mdInscricao, "11144477735"}, {u.deNome, "maria da silva"}, {u.deLogradouro, "RUA DAS FLORES"},
        {u.deNumero, "12"},             {u.deBairro, "CENTRO"},       {u.deCep, "01310100"},
        {u.deCodMunicipio, "3550308"},  {u.deDDD, "11"},              {u.deTelefone, "33334444"},
        {u.deEmail, "MARIA@EXEMPLO.COM.BR"}};
    for (auto [caixa, texto] : campos) {
      caixa->setFocus();
      teste::DeixaEventos();
      caixa->selectAll();
      QTest::keyClicks(caixa, texto);
      QTest::keyClick(caixa, Qt::Key_Tab);
      teste::DeixaEventos();
    }
  }

  // The generation date typed and "Outra pasta..." chosen, its folder queued.
  void PreparaGeracao(TfmGravaDecl03& passo, const QString& data, const fs::path& pasta) {
    EXPECT_NE(passo.paineis()->currentWidget(), passo.painel(TfmGravaDecl03::Desfecho::Erros));
    passo.deDataGeracao()->setFocus();
    QTest::keyClicks(passo.deDataGeracao(), data);
    passo.cbDrive()->setCurrentIndex(passo.cbDrive()->count() - 1);
    fs::create_directories(pasta);
    dialogos_.respondeArquivo(pasta);
  }

  teste::PastaTemporaria pasta_;
  DialogosRoteiro dialogos_;
};

// Two of three establishments onto two small volumes; the labels as PDF;
// the first volume analyses clean.
TEST_F(GravaRetif, GravaDuasDeTresEmpresasEmDoisVolumesComEtiquetas) {
  TdmVornex dm(pasta_ / "dados");
  Conexao& c = dm.conexao();
  // The bytes of the first and third establishments in key order: each
  // volume takes 60% of them.
  const long long fora = Conta(c,
      "select count(*) from Bd8vinc v join (select CoCgcCeiEstabelecimento i, NuPrefixoEstabelecimento p from Bd8emp"
      " order by 1, 2 limit 1 offset 1) m on v.CoCgcCeiEstabelecimento = m.i and v.NuPrefixoEstabelecimento = m.p");
  const long long bytes = 2 * kBytesRegistroUm + (kVinculos - fora) * kBytesRegistroDois;
  const fs::path pdf = pasta_ / "etiquetas.pdf";
  bool fechou = false;

  TfmGravaDecl00 passo1(dm);
  EXPECT_EQ(passo1.windowTitle(), kTituloGravaDecl);
  EXPECT_EQ(passo1.lblAno()->text(), "<b>Declaração Ano-Base 2004</b>");
  dialogos_.naTela([&](QDialog& d) {
    auto& p = dynamic_cast<TfmGravaDecl00&>(d);
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmGravaDecl02&>(d2);
      ASSERT_EQ(p2.clEmpresas()->count(), 3);
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
      EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{dm.catalogo().busca("1301")->texto});
      p2.clEmpresas()->marca(0, true);
      p2.clEmpresas()->marca(2, true);
      dialogos_.naTela([&](QDialog& d3) {
        auto& p3 = dynamic_cast<TfmGravaDecl01&>(d3);
        PreencheResponsavel(p3);
        dialogos_.limpa();
        dialogos_.naTela([&](QDialog& d4) {
          auto& p4 = dynamic_cast<TfmGravaDecl03&>(d4);
          p4.defineCapacidade(static_cast<std::uint64_t>(kReservaVolumeDeclaracao + bytes * 6 / 10));
          PreparaGeracao(p4, "15012005", pasta_ / "m1");
          dialogos_.responde(kResultadoOk);  // the second medium
          fs::create_directories(pasta_ / "m2");
          dialogos_.respondeArquivo(pasta_ / "m2");
          dialogos_.naTela([&](QDialog& d5) {
            auto& p5 = dynamic_cast<TfmGravaDecl04&>(d5);
            dialogos_.respondeImpressao(pdf);
            QTest::mouseClick(p5.BtEtiqueta(), Qt::LeftButton);
            fechou = true;
            QTest::mouseClick(p5.btCancelar(), Qt::LeftButton);
          });
          QTest::mouseClick(p4.btAvancar(), Qt::LeftButton);
        });
        QTest::mouseClick(p3.btAvancar(), Qt::LeftButton);
      });
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
    });
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  ASSERT_TRUE(fechou);
  EXPECT_FALSE(passo1.isVisible());
  const auto textos = dialogos_.textos();
  ASSERT_FALSE(textos.empty());
  EXPECT_EQ(textos.front().rfind("Insira a mídia # 2", 0), 0u) << textos.front();

  const Linha resp = LeResponsavelOuVazio(c);
  EXPECT_EQ(resp["CoCgcCeiResponsavel"], "00011144477735");
  EXPECT_EQ(resp["InInscrResponsavel"], "4");

  // Both volumes sealed, holding the two establishments chosen and no other.
  std::set<std::string> inscricoes;
  for (const char* m : {"m1", "m2"}) {
    const auto regs = Registros(pasta_ / m / "Zema2004");
    ASSERT_GE(regs.size(), 3u) << m;
    for (const auto& r : regs) ASSERT_EQ(r.size(), 350u);
    for (const auto& r : regs)
      if (r[22] == '1') inscricoes.insert(r.substr(6, 16));
  }
  std::set<std::string> esperadas;
  for (int i : {0, 2}) {
    Consulta q(c, "select CoCgcCeiEstabelecimento || NuPrefixoEstabelecimento from Bd8emp order by 1 limit 1 offset " +
                      std::to_string(i));
    q.proxima();
    esperadas.insert(std::string(q.texto(0)));
  }
  EXPECT_EQ(inscricoes, esperadas);
  EXPECT_EQ(Tabela(c, kTabelaProtocoloId).todas().size(), 2u);
  ASSERT_TRUE(fs::exists(pdf));
  EXPECT_GT(fs::file_size(pdf), 0u);

  PedidoAnaliseArquivo a;
  a.arquivo = pasta_ / "m1" / "Zema2004";
  const auto r = AnalisaEVerifica(c, a, {});
  EXPECT_EQ(r.estrutura, 0);
  EXPECT_EQ(r.verificacao & kConsistenciaErros, 0);
}

// One link re-sent: the selection rules on the way, the link chosen earlier
// shown checked on coming back, and a rectification file that analyses clean.
TEST_F(GravaRetif, RetificaUmVinculo) {
  TdmVornex dm(pasta_ / "dados");
  const fs::path destino = pasta_ / "retif";
  bool fechou = false;

  TfmRetifDecl01 passo1(dm);
  ASSERT_TRUE(passo1.iniciado());
  EXPECT_EQ(passo1.windowTitle(), QString::fromUtf8(kTituloRetificacao.data()));
  dialogos_.naTela([&](QDialog& d) {
    auto& p = dynamic_cast<TfmRetifDecl01&>(d);
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmRetifDecl02&>(d2);
      ListaMarcavel* empresas = p2.clEmpresas();
      ListaMarcavel* vinculos = p2.clVinculos();
      ASSERT_EQ(empresas->count(), 3);
      EXPECT_FALSE(p2.ckSelecVinculos()->isEnabled());
      // An establishment with employees checked but no link: "1304", unchecked.
      empresas->setCurrentRow(0);
      empresas->marca(0, true);
      ASSERT_GT(vinculos->count(), 1);
      EXPECT_TRUE(p2.ckSelecVinculos()->isEnabled());
      dialogos_.limpa();
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
      EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{dm.catalogo().busca("1304")->texto});
      EXPECT_FALSE(empresas->marcado(0));
      EXPECT_EQ(vinculos->count(), 0);

      // One link, then away and back: it shows checked and stays one entry.
      empresas->marca(0, true);
      vinculos->marca(1, true);
      empresas->setCurrentRow(1);
      EXPECT_EQ(vinculos->count(), 0);
      empresas->setCurrentRow(0);
      ASSERT_GT(vinculos->count(), 1);
      EXPECT_TRUE(vinculos->marcado(1));
      EXPECT_EQ(vinculos->contaMarcados(), 1);
      EXPECT_EQ(p2.selecao().estabelecimentos()[0].vinculos.size(), 1u);

      dialogos_.naTela([&](QDialog& d3) {
        auto& p3 = dynamic_cast<TfmGravaDecl01&>(d3);
        EXPECT_EQ(p3.windowTitle(), QString::fromUtf8(kTituloRetificacao.data()));
        PreencheResponsavel(p3);
        dialogos_.naTela([&](QDialog& d4) {
          auto& p4 = dynamic_cast<TfmGravaDecl03&>(d4);
          PreparaGeracao(p4, "20032005", destino);
          dialogos_.naTela([&](QDialog& d5) {
            fechou = true;
            QTest::mouseClick(dynamic_cast<TfmGravaDecl04&>(d5).btCancelar(), Qt::LeftButton);
          });
          QTest::mouseClick(p4.btAvancar(), Qt::LeftButton);
        });
        QTest::mouseClick(p3.btAvancar(), Qt::LeftButton);
      });
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
    });
    QTest::mouseClick(p.btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  ASSERT_TRUE(fechou) << (dialogos_.textos().empty() ? "" : dialogos_.textos().back());

  const auto regs = Registros(destino / "Zema2004");
  ASSERT_EQ(regs.size(), 4u);  // types 0, 1, 2 and 9
  EXPECT_EQ(regs[0].substr(222, 1), "1");
  EXPECT_EQ(regs[0].substr(223, 8), "20032005");

  Conexao& c = dm.conexao();
  PedidoAnaliseArquivo a;
  a.arquivo = destino / "Zema2004";
  const auto r = AnalisaEVerifica(c, a, {});
  EXPECT_EQ(r.estrutura & kAnaliseErros, 0);
  EXPECT_TRUE(r.retificacao());
  EXPECT_EQ(r.vinculos, 1);
  EXPECT_EQ(r.verificacao & kConsistenciaErros, 0);
}

}  // namespace

namespace {

// A press that lets the focus move before the release, as a user's does.
void Clica(QPushButton* b) {
  QTest::mousePress(b, Qt::LeftButton);
  teste::DeixaEventos();
  QTest::mouseRelease(b, Qt::LeftButton);
  teste::DeixaEventos();
}

// Bad generation dates keep the step, each told once; a run given up on the
// second medium keeps the sealed first volume, says so and offers the
// date-and-drive panel again.
TEST_F(GravaRetif, DataRecusadaEGravacaoInterrompidaNoSegundoVolume) {
  TdmVornex dm(pasta_ / "dados");
  bool voltou = false;
  TfmGravaDecl00 passo1(dm);
  dialogos_.naTela([&](QDialog& d) {
    dialogos_.naTela([&](QDialog& d2) {
      auto& p2 = dynamic_cast<TfmGravaDecl02&>(d2);
      p2.ckSelecionaTodas()->click();
      EXPECT_EQ(p2.clEmpresas()->contaMarcados(), 3);
      dialogos_.naTela([&](QDialog& d3) {
        // The demo's responsible person passes as it is.
        dialogos_.naTela([&](QDialog& d4) {
          auto& p4 = dynamic_cast<TfmGravaDecl03&>(d4);
          QApplication::setActiveWindow(&p4);
          p4.defineCapacidade(static_cast<std::uint64_t>(kReservaVolumeDeclaracao + 4000));
          p4.cbDrive()->setCurrentIndex(p4.cbDrive()->count() - 1);
          const std::pair<const char*, const char*> datas[] = {
              {"31122004", "0420"}, {"01012006", "0423"}, {"30022005", "0421"}};
          for (auto [data, mensagem] : datas) {
            p4.deDataGeracao()->clear();
            p4.deDataGeracao()->setFocus();
            QTest::keyClicks(p4.deDataGeracao(), data);
            dialogos_.limpa();
            Clica(p4.btAvancar());
            EXPECT_EQ(dialogos_.textos(), std::vector<std::string>{dm.catalogo().busca(mensagem)->texto}) << data;
            EXPECT_EQ(QApplication::focusWidget(), p4.deDataGeracao()) << data;
          }
          p4.deDataGeracao()->clear();
          dialogos_.limpa();
          PreparaGeracao(p4, "15012005", pasta_ / "m1");
          dialogos_.responde(kResultadoCancel);  // the second medium
          dialogos_.responde(kResultadoYes);     // "Deseja interromper?"
          QTest::mouseClick(p4.btAvancar(), Qt::LeftButton);
          const auto t = dialogos_.textos();
          ASSERT_EQ(t.size(), 4u);
          EXPECT_EQ(t[2], kMsgGravacaoInterrompida);
          RelatorioGravacao um;
          um.resultado = ResultadoGravacao::Interrompido;
          um.volumes.push_back({});
          um.volumes.back().volume = 1;
          EXPECT_EQ(t[3], AvisoVolumesIncompletos(um));
          EXPECT_TRUE(p4.btAvancar()->isEnabled());
          EXPECT_EQ(p4.paineis()->currentWidget(), p4.painel(p4.desfecho()));
          voltou = true;
          QTest::mouseClick(p4.btCancelar(), Qt::LeftButton);
        });
        QTest::mouseClick(dynamic_cast<TfmGravaDecl01&>(d3).btAvancar(), Qt::LeftButton);
      });
      QTest::mouseClick(p2.btAvancar(), Qt::LeftButton);
    });
    QTest::mouseClick(dynamic_cast<TfmGravaDecl00&>(d).btAvancar(), Qt::LeftButton);
  });
  Dialogo().executa(passo1);
  ASSERT_TRUE(voltou);
  EXPECT_TRUE(fs::exists(pasta_ / "m1" / "Zema2004"));
  EXPECT_FALSE(ExisteTabela(dm.conexao(), kTabelaProtocoloId));
}

}  // namespace
