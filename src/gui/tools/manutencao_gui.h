#pragma once
// What the maintenance screens share: the drop-down list of establishments
// with employees, the pending-operation notice, and the establishment's name
// in their "Estabelecimento selecionado" groups.
#include <QString>
#include <QVBoxLayout>
#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "casos/listas.h"
#include "casos/manutencao.h"
#include "data/declaracao.h"
#include "toolkit/assistente.h"
#include "tools/aviso_pendente.h"

class QComboBox;

namespace vornex::gui {

class TdmVornex;

inline QString Q(const std::string& s) { return QString::fromStdString(s); }

// The establishments of `anoBase` declared with employees, in a drop-down
// list (nothing chosen at first; the chosen line is also its tooltip).
class EscolhaEstabelecimento {
 public:
  void preenche(TdmVornex& dm, QComboBox* lista, const std::string& anoBase = "2004");
  // The chosen item; nullptr when nothing is chosen.
  const ItemEstabelecimento* escolhido() const;
  // The name shown for `item`: its own, or when it has none (a destination
  // made by a transfer) the last one given to the same registration.
  std::string nome(const ItemEstabelecimento& item) const;

 private:
  QComboBox* lista_ = nullptr;
  ListaDeEstabelecimentos itens_;
};

// The printed registration of a list line (its first 18 characters, trimmed).
QString InscricaoImpressa(const ItemEstabelecimento& item);

// An assistant step whose contents are a Designer form.
template <class Forma>
class PassoComForma : public PassoAssistente {
 public:
  PassoComForma(bool& fechaAssistente, const QString& titulo) : PassoAssistente(fechaAssistente, titulo) {
    auto* corpo = new QWidget(this);
    ui.setupUi(corpo);
    conteudo()->addWidget(corpo);
  }
  Forma ui;
};

// A chosen link of a list as the maintenance operations take it.
VinculoEscolhido VinculoDaLista(const ChaveVinculo& chave);

}  // namespace vornex::gui
