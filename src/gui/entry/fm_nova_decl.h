#pragma once
// The new declaration: the few items that identify an establishment, checked
// and written by the core's creation use case (with the data of the same
// registration under another prefix when the user accepts "1001"), then the
// establishment screen for the rest.
#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "casos/estabelecimento.h"

namespace Ui {
class TfmNovaDecl;
}

namespace vornex::gui {

class TdmVornex;
class TdmEntradaDados;

class TfmNovaDecl : public QDialog {
  Q_OBJECT
 public:
  TfmNovaDecl(TdmVornex& dm, TdmEntradaDados& entrada, QWidget* pai = nullptr);
  ~TfmNovaDecl() override;

  Ui::TfmNovaDecl& ui() { return *ui_; }

  void btOkClick();
  void BtCancelarClick();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  PedidoCriacao pedido() const;
  void ValidaInscricao();
  void ValidaChave();
  void saiCampo(const char* coluna);
  void modoCnpj(bool cnpj);
  void reiniciaCeiVinculado();
  void cria(bool copia);
  [[noreturn]] void falha(const FalhaChecagem& f);
  QWidget* widgetDe(const std::string& coluna) const;

  TdmVornex& dm_;
  TdmEntradaDados& entrada_;
  std::unique_ptr<Ui::TfmNovaDecl> ui_;
  std::string tipo_;  // "1" or "3" once the registration is known
  std::function<void()> mascaraInscricao_;  // reapplies the registration's display mask
};

}  // namespace vornex::gui
