#pragma once
// The browsing of a declaration file loaded into the work tables, read-only:
// the file's summary, its establishments, one establishment, its links and
// one link. Each window hides the one that opened it; "&Fechar" on any of
// them closes them all. The detail windows move the selection of the list
// that opened them, so the list shows where the user stopped.
#include <QDialog>
#include <functional>
#include <memory>

class QAbstractButton;
class QPushButton;
class QRadioButton;

namespace Ui {
class TfmConsulta01;
class TfmConsulta02;
class TfmConsulta03;
class TfmConsulta04;
class TfmConsulta05;
class TfmConsultaDisquete;
}  // namespace Ui

namespace vornex {
class Linha;
}

namespace vornex::gui {

class GradeLeitura;
class PassagemNoPasso;
class TdmVornex;

inline constexpr const char* kTituloConsultaDisquete = "Consulta Disquete do Ano-Base";

// A window of the chain.
class JanelaConsulta : public QDialog {
 public:
  JanelaConsulta(bool& fecha, QWidget* pai);

 protected:
  void abre(QDialog& proxima);
  void ligaFechar(QAbstractButton* fechar);
  // "< &Anterior" and "&Próximo >" over the list `grade` answers (the
  // opener's, built after this window): move, refill, and each disabled at
  // its end of the list.
  void ligaNavegacao(QAbstractButton* anterior, QAbstractButton* proximo, std::function<GradeLeitura*()> grade);
  void atualizaNavegacao();
  virtual void preenche() = 0;

 private:
  bool& fecha_;
  QAbstractButton* anterior_ = nullptr;
  QAbstractButton* proximo_ = nullptr;
  std::function<GradeLeitura*()> grade_;
};

class TfmConsulta04;

// One link: the current row of the link list.
class TfmConsulta05 : public JanelaConsulta {
 public:
  TfmConsulta05(TdmVornex& dm, bool& fecha, TfmConsulta04& lista, QWidget* pai = nullptr);
  ~TfmConsulta05() override;
  Ui::TfmConsulta05& ui() { return *ui_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void preenche() override;

 private:
  TdmVornex& dm_;
  TfmConsulta04& lista_;
  std::unique_ptr<Ui::TfmConsulta05> ui_;
};

class TfmConsulta03;

// The links of the current establishment, by PIS/PASEP or by name.
class TfmConsulta04 : public JanelaConsulta {
 public:
  TfmConsulta04(TdmVornex& dm, bool& fecha, TfmConsulta03& estabelecimento, QWidget* pai = nullptr);
  ~TfmConsulta04() override;
  Ui::TfmConsulta04& ui() { return *ui_; }
  GradeLeitura* grade() const;
  // Shown from the establishment: by PIS/PASEP again, from the first link.
  void prepara();
  TfmConsulta05& passo05() { return passo05_; }

 protected:
  void preenche() override;

 private:
  void consulta();

  TdmVornex& dm_;
  TfmConsulta03& estabelecimento_;
  std::unique_ptr<Ui::TfmConsulta04> ui_;
  TfmConsulta05 passo05_;
};

class TfmConsulta02;

// One establishment: the current row of the establishment list.
class TfmConsulta03 : public JanelaConsulta {
 public:
  TfmConsulta03(TdmVornex& dm, bool& fecha, TfmConsulta02& lista, QWidget* pai = nullptr);
  ~TfmConsulta03() override;
  Ui::TfmConsulta03& ui() { return *ui_; }
  const Linha* atual() const;
  TfmConsulta04& passo04() { return passo04_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void preenche() override;

 private:
  TdmVornex& dm_;
  TfmConsulta02& lista_;
  std::unique_ptr<Ui::TfmConsulta03> ui_;
  TfmConsulta04 passo04_;
};

// The establishments of the file, in key order.
class TfmConsulta02 : public JanelaConsulta {
 public:
  TfmConsulta02(TdmVornex& dm, bool& fecha, QWidget* pai = nullptr);
  ~TfmConsulta02() override;
  Ui::TfmConsulta02& ui() { return *ui_; }
  GradeLeitura* grade() const;
  TfmConsulta03& passo03() { return passo03_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void preenche() override;

 private:
  void consulta();

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmConsulta02> ui_;
  TfmConsulta03 passo03_;
};

// The file's responsible person and rectification data; the start of the
// chain, which owns the others.
class TfmConsulta01 : public JanelaConsulta {
 public:
  TfmConsulta01(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmConsulta01() override;
  Ui::TfmConsulta01& ui() { return *ui_; }
  TfmConsulta02& passo02() { return passo02_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void preenche() override;

 private:
  bool fecha_ = false;
  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmConsulta01> ui_;
  TfmConsulta02 passo02_;
};

// "Consulta Disquete do Ano-Base": the file to browse, its structure
// analysed into the work tables, then the browsing windows; a file that
// breaks the layout offers its structural error report instead.
class TfmConsultaDisquete : public QDialog {
 public:
  explicit TfmConsultaDisquete(TdmVornex& dm, QWidget* pai = nullptr);
  ~TfmConsultaDisquete() override;
  Ui::TfmConsultaDisquete& ui() { return *ui_; }
  bool analisando() const;

  void ConsultaArquivo(const QString& caminho);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void saiDoArquivo();
  void voltar();
  void mostraArquivo();

  TdmVornex& dm_;
  std::unique_ptr<Ui::TfmConsultaDisquete> ui_;
  PassagemNoPasso* passagem_;
};

}  // namespace vornex::gui
