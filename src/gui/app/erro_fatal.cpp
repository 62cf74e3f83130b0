#include "app/erro_fatal.h"

#include <QComboBox>
#include <QCoreApplication>
#include <cstdio>

#include "common/abortado.h"
#include "common/servico_dialogos.h"
#include "data/trava_pasta.h"

namespace vornex::gui {

namespace {

constexpr const char* kPropriedadeConsulta = "vornexComboConsulta";

void Mostra(const std::string& texto) { Dialogo().mostra(TipoDialogo::Erro, Botoes::Ok, texto); }

}  // namespace

std::string TextoErroMotor(const ErroBanco& erro) {
  const int codigo = erro.codigo();
  char numeros[48];
  std::snprintf(numeros, sizeof numeros, "%6d : $%.4x", codigo, static_cast<unsigned>(codigo));
  std::string texto = std::string("Erro BDE ") + numeros + "\r\n" + DescricaoCategoria(CategoriaErro(codigo)) +
                      "\r\n" + DescricaoErro(codigo);
  const auto& codigos = erro.codigos();
  if (codigos.size() > 1 && codigos[codigos.size() - 2] != codigo)
    texto += "\r\n" + DescricaoErro(codigos[codigos.size() - 2]);
  return texto + kTextoErroNaoPrevisto;
}

bool RelatorioErroMotor(const ErroBanco& erro) {
  if (erro.codigo() == kErroValorListaConsulta && EComboConsulta(QApplication::focusWidget())) return false;
  QApplication::beep();
  Mostra(TextoErroMotor(erro));
  EncerraPrograma();
  return true;
}

void TrataErroBanco(std::exception_ptr erro) {
  try {
    std::rethrow_exception(erro);
  } catch (const Abortado&) {
    return;
  } catch (const ErroPastaEmUso& e) {
    // Another pass holds the data folder: this one did not start and
    // changed nothing, so the user is told and the program goes on.
    Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, e.what());
    return;
  } catch (const ErroBanco& e) {
    if (!e.codigos().empty()) {
      RelatorioErroMotor(e);
    } else {
      QApplication::beep();
      Mostra(std::string("Erro DataBase.\n\r\n\r") + e.what() + kTextoErroNaoPrevisto);
    }
  } catch (const std::exception& e) {
    Mostra(std::string("Erro fatal.\n\r\n\r") + e.what() + kTextoErroNaoPrevisto);
  } catch (...) {
    Mostra(std::string("Erro fatal.\n\r\n\r") + "Exceção desconhecida." + kTextoErroNaoPrevisto);
  }
  EncerraPrograma();
}

void MarcaComboConsulta(QComboBox* combo) { combo->setProperty(kPropriedadeConsulta, true); }

bool EComboConsulta(const QWidget* w) {
  return w != nullptr && qobject_cast<const QComboBox*>(w) != nullptr && w->property(kPropriedadeConsulta).toBool();
}

bool AplicacaoVornex::notify(QObject* receptor, QEvent* evento) {
  if (Encerrando()) {
    // Nothing the failed operation left behind may run on: no input, no
    // timers, only what lets the loops wind down.
    switch (evento->type()) {
      case QEvent::Timer:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::MetaCall:
        return false;
      default:
        break;
    }
  }
  try {
    return QApplication::notify(receptor, evento);
  } catch (...) {
    TrataErroBanco(std::current_exception());
  }
  return false;
}

}  // namespace vornex::gui
