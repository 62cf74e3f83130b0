#include "tools/manutencao_gui.h"

#include <QComboBox>

#include "common/servico_dialogos.h"
#include "common/texto.h"
#include "data/dm_vornex.h"

namespace vornex::gui {

void EscolhaEstabelecimento::preenche(TdmVornex& dm, QComboBox* lista, const std::string& anoBase) {
  lista_ = lista;
  PedidoListaEstabelecimentos p;
  p.anoBase = anoBase;
  p.somenteComEmpregados = true;
  itens_ = ListaEstabelecimentos(dm.conexao(), p);
  lista->clear();
  for (const auto& i : itens_.itens) lista->addItem(Q(i.texto));
  lista->setCurrentIndex(-1);
  lista->setToolTip({});
  QObject::connect(lista, &QComboBox::currentTextChanged, lista, &QComboBox::setToolTip, Qt::UniqueConnection);
}

const ItemEstabelecimento* EscolhaEstabelecimento::escolhido() const {
  if (!lista_) return nullptr;
  const int i = lista_->currentIndex();
  return i >= 0 && i < static_cast<int>(itens_.itens.size()) ? &itens_.itens[i] : nullptr;
}

std::string EscolhaEstabelecimento::nome(const ItemEstabelecimento& item) const {
  if (!Apara(item.nome).empty()) return item.nome;
  std::string r;
  for (const auto& i : itens_.itens)
    if (i.chave.inscricao == item.chave.inscricao && !Apara(i.nome).empty()) r = i.nome;
  return r;
}

QString InscricaoImpressa(const ItemEstabelecimento& item) { return Q(item.texto.substr(0, 18)).trimmed(); }

VinculoEscolhido VinculoDaLista(const ChaveVinculo& chave) { return {chave.pis, chave.admissao, chave.nome}; }

}  // namespace vornex::gui
