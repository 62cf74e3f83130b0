#pragma once
// Typing into the fields of an entry screen as the user does.
#include <QLineEdit>
#include <QTest>

#include "apoio_gui.h"
#include "toolkit/critica.h"

namespace teste {

// Types into the field (its page brought forward), replacing what it held,
// and leaves it with Tab so that its exit check runs.
inline void DigitaESai(QLineEdit* e, const QString& texto) {
  vornex::gui::MostraPaginaDe(e);
  e->setFocus();
  DeixaEventos();
  e->selectAll();
  QTest::keyClicks(e, texto);
  QTest::keyClick(e, Qt::Key_Tab);
  DeixaEventos();
}

}  // namespace teste
