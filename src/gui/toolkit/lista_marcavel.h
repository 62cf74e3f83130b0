#pragma once
// The check lists of the assistants (establishments, links): one line per
// item in a fixed-pitch font, scrolling sideways to the longest line, each
// item carrying its key (never read back out of its text). A click anywhere
// on an item toggles its mark once, Space and Enter toggle the current item,
// the arrow keys move without toggling. A select-all box may be tied to it.
#include <QListWidget>
#include <QVariant>
#include <functional>
#include <vector>

class QCheckBox;

namespace vornex::gui {

// Lists that may grow past this many lines warn the user once filled.
inline constexpr int kLimiteLinhasLista = 8000;

class ListaMarcavel : public QListWidget {
  Q_OBJECT
 public:
  explicit ListaMarcavel(QWidget* pai = nullptr);

  // Removes every item.
  void limpa();
  // Appends an unchecked item (or checked) with its key.
  void adiciona(const QString& texto, QVariant chave, bool marcado = false);
  // Fills the list from `itens` (cleared first): each item's text and key
  // come from `texto` and `chave`. With a limit, at most limite + 1 lines are
  // added and `excesso` runs after filling when there were more than limite.
  template <typename Itens, typename Texto, typename Chave>
  void preenche(const Itens& itens, Texto texto, Chave chave) {
    limpa();
    for (const auto& i : itens) {
      if (limite_ > 0 && count() > limite_) break;
      adiciona(texto(i), QVariant::fromValue(chave(i)));
    }
    concluiPreenchimento(static_cast<long long>(std::size(itens)));
  }
  // The limit of preenche and what to do past it (by default nothing).
  void defineLimite(int limite, std::function<void()> excesso);

  bool marcado(int linha) const;
  void marca(int linha, bool marcado);
  void inverte(int linha);
  void marcaTodos(bool marcado);
  int contaMarcados() const;
  std::vector<bool> marcas() const;  // one per line, in list order

  QVariant chave(int linha) const;
  template <typename T>
  T chaveDe(int linha) const {
    return chave(linha).value<T>();
  }
  // The keys of the checked lines, in list order.
  template <typename T>
  std::vector<T> chavesMarcadas() const {
    std::vector<T> r;
    for (int i = 0; i < count(); ++i)
      if (marcado(i)) r.push_back(chaveDe<T>(i));
    return r;
  }

  // Checking or clearing `caixa` sets every item to its state; the box is
  // disabled while the list is empty.
  void ligaSelecionarTudo(QCheckBox* caixa);

  // Runs before a mark changes by the user's hand; false keeps it as it is.
  void antesDeMarcar(std::function<bool(int linha, bool novo)> filtro) { filtro_ = std::move(filtro); }

 signals:
  // After any change of a mark (also by marcaTodos, once per line changed).
  void marcacaoAlterada(int linha, bool marcado);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void concluiPreenchimento(long long total);
  void pedeInversao(int linha);
  void atualizaCaixa();

  int limite_ = 0;
  std::function<void()> excesso_;
  std::function<bool(int, bool)> filtro_;
  QCheckBox* caixa_ = nullptr;
};

}  // namespace vornex::gui
