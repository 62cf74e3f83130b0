#pragma once
// The program-wide handler of unexpected errors: one report, then the
// program ends. Installed by the application object around every event.
#include <exception>
#include <string>

#include <QApplication>

#include "data/erro_banco.h"

class QComboBox;
class QWidget;

namespace vornex::gui {

// Appended to every fatal report.
inline constexpr const char* kTextoErroNaoPrevisto =
    "\n\r\n\rErro não previsto.\n\rContatar a CATZEMA comunicando todos os itens da mensagem.";

// The text of the engine report: codes, category and descriptions.
std::string TextoErroMotor(const ErroBanco& erro);

// The engine report alone (the employee screen uses it for errors other than
// a key violation): beep, error dialog, then the program is told to end.
// Error 10756 while a lookup combo box has the focus shows nothing and ends
// nothing; answers whether the report was shown.
bool RelatorioErroMotor(const ErroBanco& erro);

// Reports any exception and tells the program to end; a data folder held by
// another pass is only a warning.
void TrataErroBanco(std::exception_ptr erro);

// Combo boxes that pick a code from a reference table.
void MarcaComboConsulta(QComboBox* combo);
bool EComboConsulta(const QWidget* w);

// The application object: runs every event under the handler.
class AplicacaoVornex : public QApplication {
 public:
  AplicacaoVornex(int& argc, char** argv) : QApplication(argc, argv) {}
  bool notify(QObject* receptor, QEvent* evento) override;
};

}  // namespace vornex::gui
