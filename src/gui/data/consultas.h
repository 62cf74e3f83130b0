#pragma once
// The lookup dialogs: a tree list of a reference table (or a fixed list)
// from which the user picks a code for the row a screen is editing. Flat
// lists accept any entry; the CNAE and municipality lists their second level,
// the CBO list its fourth. A dialog checks nothing: the calling screen runs
// the field's own check afterwards.
#include <QDialog>
#include <QIcon>
#include <QList>
#include <QString>
#include <string>
#include <vector>

#include "data/referencia.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace vornex::gui {

class RegistroEditado;

class TfmConsulta : public QDialog {
 public:
  enum class Forma { Plana, DoisNiveis, QuatroNiveis };

  QTreeWidget* lista() const { return lista_; }
  // A click on an entry and Enter: an entry at the accepting level is taken
  // and the dialog closes; any other entry only stays selected.
  void ConfirmaEscolha();

 protected:
  TfmConsulta(const QString& titulo, Forma forma, QWidget* pai);
  // Entries "code  - name" in key order.
  void constroi(const std::vector<Linha>& linhas);
  // Entries whose code is the text's first two characters.
  void constroiFixa(std::initializer_list<const char*> textos);
  virtual void escreve(const std::string& codigo) = 0;
  // The fixed lists close even when nothing is taken.
  bool fechaSempre_ = false;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void poeNaLista();
  int nivel(const QTreeWidgetItem* item) const;
  bool grupo(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* novo(QTreeWidgetItem* pai, const QString& texto, const QString& codigo, bool pasta);

  Forma forma_;
  QTreeWidget* lista_;
  QIcon pastaFechada_, pastaAberta_, documento_;
  QList<QTreeWidgetItem*> raizes_;  // top-level entries while the list is built
};

// A dialog that writes its code into one field of the edited row.
class TfmConsultaCampo : public TfmConsulta {
 protected:
  TfmConsultaCampo(const QString& titulo, Forma forma, RegistroEditado& registro, std::string campo,
                   QWidget* pai);
  void escreve(const std::string& codigo) override;
  RegistroEditado& registro_;
  std::string campo_;
};

// The flat lists of the employee and establishment screens, one entry each
// in the table of consultas.cpp.
enum class ListaPlana { Instrucao, TipoAdmissao, TipoSalario, Vinculo, Desligamento, Nacionalidade, Raca,
                        NaturezaJuridica };

class TfmConsultaPlana : public TfmConsultaCampo {
 public:
  TfmConsultaPlana(ListaPlana lista, const TabelasReferencia& r, RegistroEditado& registro, QWidget* pai);
};

template <ListaPlana L>
class TfmPlana : public TfmConsultaPlana {
 public:
  TfmPlana(const TabelasReferencia& r, RegistroEditado& registro, QWidget* pai = nullptr)
      : TfmConsultaPlana(L, r, registro, pai) {}
};

using TfmTb8Instr = TfmPlana<ListaPlana::Instrucao>;           // into BD8Vinc
using TfmTp8adm = TfmPlana<ListaPlana::TipoAdmissao>;          // into BD8Vinc
using TfmTb8TpSal = TfmPlana<ListaPlana::TipoSalario>;         // into BD8Vinc
using TfmTb8Vinc = TfmPlana<ListaPlana::Vinculo>;              // into BD8Vinc
using TfmTb8Desl = TfmPlana<ListaPlana::Desligamento>;         // into BD8Vinc
using TfmTb8Nacio = TfmPlana<ListaPlana::Nacionalidade>;       // into BD8Vinc
using TfmTb8Raca = TfmPlana<ListaPlana::Raca>;                 // into BD8Vinc
using TfmTb8NatJu = TfmPlana<ListaPlana::NaturezaJuridica>;    // into BD8Emp

class TfmTb8CBO : public TfmConsultaCampo {
 public:
  TfmTb8CBO(const TabelasReferencia& r, RegistroEditado& ta8Empreg, QWidget* pai = nullptr);
};

// Months of the year, for the 13th-salary advance (MesAdiantamento true) or
// final instalment month.
class TfmMesesAno : public TfmConsulta {
 public:
  explicit TfmMesesAno(RegistroEditado& ta8Empreg, QWidget* pai = nullptr);
  bool MesAdiantamento = true;

 protected:
  void escreve(const std::string& codigo) override;

 private:
  RegistroEditado& registro_;
};

// Absence reasons, for the first, second or third absence.
class TfmTb8Afast : public TfmConsulta {
 public:
  enum class Afastamento { Primeiro, Segundo, Terceiro };
  explicit TfmTb8Afast(RegistroEditado& ta8Empreg, QWidget* pai = nullptr);
  Afastamento AfastamentoDestino = Afastamento::Primeiro;

 protected:
  void escreve(const std::string& codigo) override;

 private:
  RegistroEditado& registro_;
};

// Lives for the whole run; the list keeps its expansion and selection.
class TfmTb8Cnae : public TfmConsulta {
 public:
  explicit TfmTb8Cnae(const TabelasReferencia& r, QWidget* pai = nullptr);
  // Shows the dialog writing into CoCnae of `ta8Empresa`.
  void Mostra(RegistroEditado& ta8Empresa);

 protected:
  void escreve(const std::string& codigo) override;

 private:
  RegistroEditado* registro_ = nullptr;
};

// Lives for the whole run and remembers the last municipality chosen.
class TfrmT8Munic : public TfmConsulta {
 public:
  explicit TfrmT8Munic(const TabelasReferencia& r, QWidget* pai = nullptr);
  // Shows the dialog and stores the code it holds into `campo` of `registro`.
  void SelecionaMunicipio(RegistroEditado& registro, const std::string& campo);
  const std::string& codigo() const { return codigo_; }

 protected:
  void escreve(const std::string& codigo) override { codigo_ = codigo; }

 private:
  std::string codigo_;
};

}  // namespace vornex::gui
