#pragma once
// What the analyser's and the import's steps share: the file field with its
// chooser, the missing-file warning, the structural error report buttons and
// the closing steps' buttons.
#include <optional>

#include "platform/midia.h"
#include <QString>

namespace Ui {
class TfmAnalis02Form;
}

class QAbstractButton;
class QComboBox;
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

// Preview and print of the error and warning report.
void LigaRelatorioErros(TdmVornex& dm, QAbstractButton* visualizar, QAbstractButton* imprimir);

// "&Etiqueta": prints the label of every volume the last writing run recorded.
void LigaEtiqueta(TdmVornex& dm, QAbstractButton* etiqueta);

// The medium picked in a list PreencheDrives filled ("any folder" asks for
// the folder now); nullopt when the choice is cancelled.
std::optional<Midia> MidiaEscolhida(QComboBox* lista);

// A last step: no way back, "&Fechar" closes the assistant.
void TornaPassoFinal(PassoAssistente& passo);

// The closing step of a writing run: "Arquivo gerado com SUCESSO !", the
// label button and the receipt button (not offered).
void MontaPassoGravado(PassoAssistente& passo, Ui::TfmAnalis02Form& ui, TdmVornex& dm);

}  // namespace vornex::gui
