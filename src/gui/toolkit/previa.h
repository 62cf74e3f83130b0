#pragma once
// The preview window of the banded reports: one page at a time, page
// navigation, zoom and printing of page ranges with copies. When the report
// engine fails while building the preview, AvisoLimitePaginas tells the user
// to print instead and closes the window; the screen that asked for the
// preview stays as it was.
#include <QDialog>
#include <memory>

#include "reports/relatorio.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace vornex::render {
class Previa;
}

namespace vornex::gui {

inline constexpr const char* kTextoLimitePaginas =
    " Limite de páginas excedido para visualização. Utilize a função IMPRIMIR. ";

// Shows the notice and closes `previa` as if the user had closed it.
void AvisoLimitePaginas(QWidget* previa);

class TfmPrevia : public QDialog {
 public:
  TfmPrevia(relatorio::Documento& doc, const QString& titulo, QWidget* pai = nullptr);
  ~TfmPrevia() override;

  int paginas() const;
  int paginaAtual() const { return atual_; }
  void vaiPara(int pagina);
  bool falhou() const { return falhou_; }

  QPushButton* btPrimeira() const { return btPrimeira_; }
  QPushButton* btAnterior() const { return btAnterior_; }
  QPushButton* btProxima() const { return btProxima_; }
  QPushButton* btUltima() const { return btUltima_; }
  QPushButton* btImprimir() const { return btImprimir_; }
  QLabel* laPagina() const { return laPagina_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void desenha();
  void imprime();
  void falha();

  relatorio::Documento& doc_;
  relatorio::Emissao emissao_;
  std::unique_ptr<render::Previa> previa_;
  int atual_ = 0;
  double zoom_ = 1.0;
  bool falhou_ = false;
  QLabel* imagem_;
  QScrollArea* rolagem_;
  QLabel* laPagina_;
  QComboBox* cbZoom_;
  QPushButton *btPrimeira_, *btAnterior_, *btProxima_, *btUltima_, *btImprimir_, *btFechar_;
};

// Creates the preview, shows it modally through the dialog service and frees it.
void MostraPrevia(relatorio::Documento& doc, const QString& titulo, QWidget* pai = nullptr);

}  // namespace vornex::gui
