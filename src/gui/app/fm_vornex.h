#pragma once
// The main window: menus, toolbar, the enabling rule of the declaration
// commands and the first-activation note.
#include <QMainWindow>
#include <QString>
#include <map>

#include "app/comandos.h"

class QAction;

namespace vornex::gui {

class Programa;

inline constexpr const char* kEnderecoInternet = "https://www.vornex.org.br/";
inline constexpr const char* kEnderecoSuporte = "suporte@vornex.org.br";

class TfmVORNEX : public QMainWindow {
 public:
  explicit TfmVORNEX(Programa& programa);

  int AnoBaseDeclaracao = 0;
  QString VersaoSistema;
  char PrimeiraAtivacao = 'S';

  void FormShow();
  void FormActivate();
  void ControlaBotoes();

  // Toolbar buttons and menu items by their names ("sbAbrir", "Abrir1").
  QAction* acao(const QString& nome) const;

 protected:
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  QAction* cria(const QString& nome, const QString& texto);
  void executa(Comando comando, bool controla);
  void criaBarra();
  void criaMenus();

  Programa& programa_;
  std::map<QString, QAction*> acoes_;
};

// "&Sobre o VORNEX".
void MostraSobre(QWidget* pai, const QString& versao);

}  // namespace vornex::gui
