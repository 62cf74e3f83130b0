#include "data/consultas.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <stdexcept>

#include "common/servico_dialogos.h"
#include "toolkit/critica.h"
#include "toolkit/registro.h"

namespace vornex::gui {

namespace {
constexpr int kPapelCodigo = Qt::UserRole;
constexpr int kPapelPasta = Qt::UserRole + 1;
}  // namespace

TfmConsulta::TfmConsulta(const QString& titulo, Forma forma, QWidget* pai) : QDialog(pai), forma_(forma) {
  setWindowTitle(titulo);
  auto* l = new QVBoxLayout(this);
  lista_ = new QTreeWidget(this);
  lista_->setHeaderHidden(true);
  lista_->setColumnCount(1);
  lista_->setRootIsDecorated(forma != Forma::Plana);
  lista_->setUniformRowHeights(true);
  pastaFechada_ = style()->standardIcon(QStyle::SP_DirClosedIcon);
  pastaAberta_ = style()->standardIcon(QStyle::SP_DirOpenIcon);
  documento_ = style()->standardIcon(QStyle::SP_FileIcon);
  lista_->setMinimumSize(640, 400);
  l->addWidget(lista_);
  MantemEnter(lista_);
  lista_->installEventFilter(this);
  connect(lista_, &QTreeWidget::itemClicked, this, [this] { ConfirmaEscolha(); });
  // Folders show open while selected.
  connect(lista_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* atual, QTreeWidgetItem* antes) {
    for (auto* i : {antes, atual})
      if (i != nullptr && i->data(0, kPapelPasta).toBool())
        i->setIcon(0, i == atual ? pastaAberta_ : pastaFechada_);
  });
}

QTreeWidgetItem* TfmConsulta::novo(QTreeWidgetItem* pai, const QString& texto, const QString& codigo, bool pasta) {
  // Entries are added to the view in one go at the end: one by one, the view
  // would lay itself out again for each of thousands of them.
  auto* i = pai ? new QTreeWidgetItem(pai) : new QTreeWidgetItem;
  if (pai == nullptr) raizes_.append(i);
  i->setText(0, texto);
  i->setData(0, kPapelCodigo, codigo);
  i->setData(0, kPapelPasta, pasta);
  i->setIcon(0, pasta ? pastaFechada_ : documento_);
  return i;
}

void TfmConsulta::constroi(const std::vector<Linha>& linhas) {
  lista_->clear();
  QTreeWidgetItem* nivel1 = nullptr;
  QTreeWidgetItem* nivel2 = nullptr;
  QTreeWidgetItem* nivel3 = nullptr;
  for (const Linha& l : linhas) {
    const QString codigo = QString::fromStdString(l[0]);
    const QString texto = codigo + "  - " + QString::fromStdString(l[1]);
    const auto n = codigo.size();
    switch (forma_) {
      case Forma::Plana:
        novo(nullptr, texto, codigo, false);
        break;
      case Forma::DoisNiveis:
        if (n == 2 || nivel1 == nullptr)
          nivel1 = novo(nullptr, texto, codigo, n == 2);
        else
          novo(nivel1, texto, codigo, false);
        break;
      case Forma::QuatroNiveis:
        if (n == 2) {
          nivel1 = novo(nullptr, texto, codigo, true);
          nivel2 = nivel3 = nullptr;
        } else if (n == 3) {
          nivel2 = novo(nivel1, texto, codigo, true);
          nivel3 = nullptr;
        } else if (n == 4) {
          nivel3 = novo(nivel2 ? nivel2 : nivel1, texto, codigo, true);
        } else {
          novo(nivel3 ? nivel3 : nivel2 ? nivel2 : nivel1, texto, codigo, false);
        }
        break;
    }
  }
  poeNaLista();
  lista_->collapseAll();
}

void TfmConsulta::constroiFixa(std::initializer_list<const char*> textos) {
  lista_->clear();
  for (const char* t : textos) {
    const QString texto = QString::fromUtf8(t);
    novo(nullptr, texto, texto.left(2), false);
  }
  poeNaLista();
}

void TfmConsulta::poeNaLista() {
  lista_->addTopLevelItems(raizes_);
  raizes_.clear();
  // Only now: while the entries were added it would have measured them again
  // and again. From here on the column follows the entries in view.
  lista_->header()->setStretchLastSection(false);
  lista_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

int TfmConsulta::nivel(const QTreeWidgetItem* item) const {
  int n = 0;
  for (const QTreeWidgetItem* p = item->parent(); p != nullptr; p = p->parent()) ++n;
  return n;
}

bool TfmConsulta::grupo(const QTreeWidgetItem* item) const { return item->data(0, kPapelPasta).toBool(); }

void TfmConsulta::ConfirmaEscolha() {
  QTreeWidgetItem* item = lista_->currentItem();
  const int aceito = forma_ == Forma::Plana ? 0 : forma_ == Forma::DoisNiveis ? 1 : 3;
  if (item == nullptr || nivel(item) != aceito) {
    if (fechaSempre_) reject();
    return;
  }
  escreve(item->data(0, kPapelCodigo).toString().toStdString());
  accept();
}

bool TfmConsulta::eventFilter(QObject* o, QEvent* e) {
  if (o == lista_ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
      ConfirmaEscolha();
      if (isVisible() && forma_ != Forma::Plana) {
        QTreeWidgetItem* item = lista_->currentItem();
        const bool expande =
            item != nullptr && grupo(item) && (forma_ == Forma::QuatroNiveis || nivel(item) == 0);
        if (expande) item->setExpanded(true);
      }
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

TfmConsultaCampo::TfmConsultaCampo(const QString& titulo, Forma forma, RegistroEditado& registro,
                                   std::string campo, QWidget* pai)
    : TfmConsulta(titulo, forma, pai), registro_(registro), campo_(std::move(campo)) {}

void TfmConsultaCampo::escreve(const std::string& codigo) { registro_.define(campo_, codigo); }

namespace {

struct DescricaoLista {
  const char* titulo;
  Referencia tabela;
  const char* campo;
};

DescricaoLista Descricao(ListaPlana l) {
  switch (l) {
    case ListaPlana::Instrucao: return {"Relação de Grau de Instrução", Referencia::Instrucao, "CoInstrucao"};
    case ListaPlana::TipoAdmissao: return {"Relação do Tipo de Admissão", Referencia::TipoAdmissao, "CoTipoAdmissao"};
    case ListaPlana::TipoSalario:
      return {"Relação de Tipo de Salário", Referencia::TipoSalario, "CoTipoSalarioContratual"};
    case ListaPlana::Vinculo: return {"Relação de Tipo de Vínculo Empregatício", Referencia::Vinculo, "CoVinculo"};
    case ListaPlana::Desligamento:
      return {"Relação dos Tipos de Desligamento", Referencia::Desligamento, "CoCausaDesligamento"};
    case ListaPlana::Nacionalidade: return {"Relação de Nacionalidade", Referencia::Nacionalidade, "CoNacionalidade"};
    case ListaPlana::Raca: return {"Relação de Raça/Cor", Referencia::Raca, "CoTipoRaca"};
    case ListaPlana::NaturezaJuridica:
      return {"Relação de Códigos de Natureza Jurídica", Referencia::NaturezaJuridica, "CoNaturezaJuridica"};
  }
  throw std::logic_error("lista desconhecida");
}

}  // namespace

TfmConsultaPlana::TfmConsultaPlana(ListaPlana lista, const TabelasReferencia& r, RegistroEditado& registro,
                                   QWidget* pai)
    : TfmConsultaCampo(QString::fromUtf8(Descricao(lista).titulo), Forma::Plana, registro, Descricao(lista).campo,
                       pai) {
  constroi(r.linhas(Descricao(lista).tabela));
}

TfmTb8CBO::TfmTb8CBO(const TabelasReferencia& r, RegistroEditado& reg, QWidget* pai)
    : TfmConsultaCampo("Relação dos Códigos de Ocupação ( CBO )", Forma::QuatroNiveis, reg, "CoCbo", pai) {
  constroi(r.linhas(Referencia::Cbo));
}

TfmMesesAno::TfmMesesAno(RegistroEditado& reg, QWidget* pai)
    : TfmConsulta("Relação de Meses do Ano", Forma::Plana, pai), registro_(reg) {
  fechaSempre_ = true;
  constroiFixa({"01 - Janeiro", "02 - Fevereiro", "03 - Março", "04 - Abril", "05 - Maio", "06 - Junho",
                "07 - Julho", "08 - Agosto", "09 - Setembro", "10 - Outubro", "11 - Novembro", "12 - Dezembro"});
}

void TfmMesesAno::escreve(const std::string& codigo) {
  registro_.define(MesAdiantamento ? "Me13AdiantamentoEmpregado" : "Me13ParcelaFinalEmpregado", codigo);
}

TfmTb8Afast::TfmTb8Afast(RegistroEditado& reg, QWidget* pai)
    : TfmConsulta("Relação de Códigos de Afastamento", Forma::Plana, pai), registro_(reg) {
  fechaSempre_ = true;
  constroiFixa({
      "10. Acidente do trabalho típico (que ocorre no exercício do trabalho à serviço do estabelecimento).",
      "20. Acidente do trabalho de trajeto (ocorrido no trajeto residência-trabalho-residência).",
      "30. Doença relacionada ao trabalho.",
      "40. Doença não relacionada ao trabalho",
      "50. Licença maternidade e licença paternidade.",
      "60. Serviço militar obrigatório.",
  });
}

void TfmTb8Afast::escreve(const std::string& codigo) {
  const char* campo = AfastamentoDestino == Afastamento::Primeiro  ? "CoMotivoPrimAfas"
                      : AfastamentoDestino == Afastamento::Segundo ? "CoMotivoSeguAfas"
                                                                   : "CoMotivoTercAfas";
  registro_.define(campo, codigo);
}

TfmTb8Cnae::TfmTb8Cnae(const TabelasReferencia& r, QWidget* pai)
    : TfmConsulta("Relação de Atividades Econômicas ( CNAE 1.0 )", Forma::DoisNiveis, pai) {
  constroi(r.linhas(Referencia::Cnae));
}

void TfmTb8Cnae::Mostra(RegistroEditado& ta8Empresa) {
  registro_ = &ta8Empresa;
  Dialogo().executa(*this);
  registro_ = nullptr;
}

void TfmTb8Cnae::escreve(const std::string& codigo) {
  if (registro_ != nullptr) registro_->define("CoCnae", codigo);
}

TfrmT8Munic::TfrmT8Munic(const TabelasReferencia& r, QWidget* pai)
    : TfmConsulta("Relação de Unidades da Federação", Forma::DoisNiveis, pai) {
  constroi(r.linhas(Referencia::Municipio));
}

void TfrmT8Munic::SelecionaMunicipio(RegistroEditado& registro, const std::string& campo) {
  Dialogo().executa(*this);
  // Before the first choice there is nothing to hand back: the field keeps
  // what it had rather than being emptied.
  if (!codigo_.empty()) registro.define(campo, codigo_);
}

}  // namespace vornex::gui
