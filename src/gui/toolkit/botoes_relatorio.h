#pragma once
// The buttons that preview, print or save as PDF one of the banded reports.
// The report is created when the button is pressed (so it reads the tables
// as they are then) and freed when the action ends; the printer and the PDF
// file are chosen through the dialog service.
#include <QString>
#include <functional>
#include <memory>

#include "reports/relatorio.h"

class QAbstractButton;
class QWidget;

namespace vornex::gui {

using FabricaRelatorio = std::function<std::unique_ptr<relatorio::Documento>()>;

enum class AcaoRelatorio { Visualizar, Imprimir, GravarPdf };

// Preview (guarded by AvisoLimitePaginas), print after the printer set-up,
// or write a PDF to a file the user picks. Answers the pages printed or
// written (the preview: its page count); 0 when cancelled or empty.
int ExecutaRelatorio(AcaoRelatorio acao, relatorio::Documento& doc, const QString& titulo, QWidget* pai);

// Ties a button to an action over the report `fabrica` creates. Failures of
// the engine reach the program-wide error handler.
void LigaRelatorio(QAbstractButton* botao, AcaoRelatorio acao, const QString& titulo, FabricaRelatorio fabrica);

}  // namespace vornex::gui
