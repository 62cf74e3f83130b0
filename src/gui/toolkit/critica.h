#pragma once
// How a screen handles a failed check: the message by its number, the page
// that holds the field brought forward, the focus on the field, and the
// handler chain abandoned silently (Abortado). And the guard of the checks
// run when a field is left.
#include <functional>
#include <initializer_list>
#include <vector>

#include "common/abortado.h"
#include "common/mensagem.h"

class QAbstractButton;
class QWidget;

namespace vornex::gui {

// Nothing for "0000"; otherwise shows the message, shows and focuses the
// field and throws Abortado.
void Critica(NuMensagem resultado, QWidget* campo);
[[noreturn]] void FalhaCritica(NuMensagem resultado, QWidget* campo);

// Brings forward every tab page and stacked page that holds `w`.
void MostraPaginaDe(QWidget* w);

// After letting pending events run: false when the focus is on one of
// `isentos` (the screen's cancel button, a choice the user must be free to
// change) or inside one of them.
bool PodeValidar(std::initializer_list<const QWidget*> isentos);
bool PodeValidar(const std::vector<const QWidget*>& isentos);

// Runs `verifica` whenever `campo` loses the focus (not to a popup of its
// own), once pending events have run, and under Protegido.
void AoSair(QWidget* campo, std::function<void()> verifica);

// Moves the focus from `w` to the next control, as Tab does.
void AvancaFoco(QWidget* w);

// The button beside a coded field: `abre` shows the lookup dialog, then the
// focus goes through the field and on to the next control, so the field's
// exit check (AoSair) runs as if the user had typed the code.
void LigaConsulta(QAbstractButton* botao, QWidget* campo, std::function<void()> abre);

// Enter and Return act as Tab in every field of `tela`, buttons included,
// except in widgets that handle Enter themselves (MantemEnter).
void EnterComoTab(QWidget* tela);
void MantemEnter(QWidget* w);

}  // namespace vornex::gui
