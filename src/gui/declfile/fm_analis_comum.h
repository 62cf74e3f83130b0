#pragma once
// What the analyser's and the import's steps share: the file field with its
// chooser, the missing-file warning, the structural error report buttons and
// the closing steps' buttons.
#include <QString>

class QAbstractButton;
class QLineEdit;

namespace vornex::gui {

class PassoAssistente;
class TdmVornex;

// "&Localizar": the file dialog with `filtro`, starting on the first
// removable volume; the choice goes into `campo`.
void LigaLocalizar(QAbstractButton* localizar, QLineEdit* campo, const char* filtro);

// False, after the warning and with the focus back on `campo`, when the
// file it names cannot be analysed.
bool ConfereArquivo(QLineEdit* campo);

// Preview and print of the structural error report.
void LigaRelatorioEstrutura(TdmVornex& dm, QAbstractButton* visualizar, QAbstractButton* imprimir);

// A last step: no way back, "&Fechar" closes the assistant.
void TornaPassoFinal(PassoAssistente& passo);

}  // namespace vornex::gui
