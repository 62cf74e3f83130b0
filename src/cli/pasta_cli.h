#pragma once
// The data folder as the commands that read or change the declaration open
// it: a new folder is initialised first, a damaged one refused.
#include <filesystem>

#include "comando.h"
#include "data/banco.h"

namespace vornex::cli {

// The folder of --dados (or the user's default), ready for use: the user's
// default folder is created and initialised on first use, as the desktop
// program does, and so is an empty one; a --dados folder that does not exist
// is a mistake (a mistyped path) and gives ErroComando. `iniciar` and
// `restaurar` make their own folder.
std::filesystem::path PastaDados(Contexto& ctx);

// The connection over PastaDados(ctx), its tables checked, with the folder's
// lock taken for the rest of the command (exclusive unless the command only
// reads). Every failure, another pass using the folder included, becomes
// ErroComando (exit 2) with the reason.
Conexao AbreDeclaracao(Contexto& ctx, TravaPastaDados::Modo modo = TravaPastaDados::Modo::Exclusiva);

// Runs `f` turning database and other errors into ErroComando.
template <class F>
auto ComErroComando(F&& f) -> decltype(f()) {
  try {
    return f();
  } catch (const ErroComando&) {
    throw;
  } catch (const ErroBanco& e) {
    throw ErroComando("erro " + std::to_string(e.codigo()) + " do gerenciador de dados: " + e.what());
  } catch (const std::exception& e) {
    throw ErroComando(e.what());
  }
}

}  // namespace vornex::cli
