#pragma once
// "Assistente de Impressão": the declaration report, establishment by
// establishment, over the declaration tables (from step 1) or over the work
// tables of an analysed file (from step 2). The report kind, the order of
// the links, then the establishments and, for a partial report, the links.
#include <memory>
#include <string>

#include "casos/listas.h"
#include "reports/rp_relatorios.h"
#include "toolkit/assistente.h"

class QPushButton;
class QRadioButton;
class QWidget;

namespace Ui {
class TfmRelatorio00Form;
class TfmRelatorio01Form;
class TfmRelatorio02Form;
class TfmRelatorio03Form;
}  // namespace Ui

namespace vornex::gui {

class ListaMarcavel;
class TdmVornex;

inline constexpr const char* kTituloRelatorio03 = "Assistente de Impressão";
inline constexpr const char* kTituloRelatorio = "Assistente para Imprimir Declaração";
inline constexpr const char* kMsgSemEmpresa = "É necessário selecionar uma empresa antes de imprimir";
inline constexpr const char* kMsgSemEmpregado = "É necessário selecionar um empregado antes de imprimir";
inline constexpr const char* kMsgParcialUmEstabelecimento =
    "Não pode imprimir mais de um estabelecimento parcial por vez.";
inline constexpr const char* kMsgMuitosEmpregados =
    "Pode ocorrer problemas na visualização dos dados na tela,\ndevido a quantidade de empregados cadastrados.";

// What the opener and the steps decide.
struct EstadoRelatorio {
  OrigemLista origem = OrigemLista::Declaracao;
  std::string anoBase = "2004";
  bool completo = true;
  relatorio::Classificacao classificacao = relatorio::Classificacao::Pis;
};

// Step 4: what to print, then the preview or the print.
class TfmRelatorio01 : public PassoAssistente {
 public:
  TfmRelatorio01(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai = nullptr);
  ~TfmRelatorio01() override;

  ListaMarcavel* clbEmpresas() const;
  ListaMarcavel* clbEmpregados() const;
  QRadioButton* rbTotal() const;
  QRadioButton* rbParcial() const;
  QRadioButton* rbLimpar() const;
  QRadioButton* rbMarcarTodos() const;
  QPushButton* bbVisualizar() const;
  QPushButton* bbImprimir() const;
  // The report the lists now ask for.
  relatorio::OpcoesDeclaracao opcoes() const;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void preencheEmpresas();
  void preencheEmpregados(int linha);
  void empresaMarcada(int linha, bool marcado);
  void escolheParcial();
  bool confereSelecao();
  void visualiza();
  void imprime();

  TdmVornex& dm_;
  EstadoRelatorio& estado_;
  std::unique_ptr<Ui::TfmRelatorio01Form> ui_;
  bool ajustando_ = false;
};

// Step 3: the order of the links.
class TfmRelatorio00 : public PassoAssistente {
 public:
  TfmRelatorio00(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai = nullptr);
  ~TfmRelatorio00() override;
  QRadioButton* rbUso() const;
  QRadioButton* rbNome() const;
  TfmRelatorio01& passo4() { return passo4_; }

 protected:
  void avancar() override;

 private:
  EstadoRelatorio& estado_;
  std::unique_ptr<Ui::TfmRelatorio00Form> ui_;
  TfmRelatorio01 passo4_;
};

// Step 2: complete or summary report.
class TfmRelatorio02 : public PassoAssistente {
 public:
  TfmRelatorio02(TdmVornex& dm, EstadoRelatorio& estado, bool& fecha, QWidget* pai = nullptr);
  ~TfmRelatorio02() override;
  QRadioButton* rbResumido() const;
  TfmRelatorio00& passo3() { return passo3_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  EstadoRelatorio& estado_;
  std::unique_ptr<Ui::TfmRelatorio02Form> ui_;
  TfmRelatorio00 passo3_;
};

// Step 1: the kind of print. Owns the assistant's state and steps.
class TfmRelatorio03 : public PassoAssistente {
 public:
  TfmRelatorio03(TdmVornex& dm, OrigemLista origem, QWidget* pai = nullptr);
  ~TfmRelatorio03() override;
  TfmRelatorio02& passo2() { return passo2_; }
  const EstadoRelatorio& estado() const { return estado_; }

 protected:
  void avancar() override;

 private:
  bool fecha_ = false;
  EstadoRelatorio estado_;
  std::unique_ptr<Ui::TfmRelatorio03Form> ui_;
  TfmRelatorio02 passo2_;
};

// The assistant over the declaration tables from step 1, or over the work
// tables of an analysed file from step 2.
void AbreAssistenteRelatorio(TdmVornex& dm, OrigemLista origem, QWidget* janela);

}  // namespace vornex::gui
