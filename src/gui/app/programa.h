#pragma once
// Start-up of the desktop program and the objects that live for the whole run.
#include <QString>
#include <filesystem>
#include <memory>
#include <string>

namespace vornex::gui {

class InstanciaUnica;
class TdmVornex;
class TdmEntradaDados;
class TfmVORNEX;
class TfmInicioRegras;
class TfmTb8Cnae;
class TfrmT8Munic;

inline constexpr const char* kTextoOutraInstancia = "Este programa já está sendo executado.";
inline constexpr const char* kTituloAplicacao = "VORNEX - VORNEX2004";

struct OpcoesInicio {
  std::string pastaDados;  // --dados; empty: the default folder
  QString trava;           // the single-instance lock file; empty: the default one
  bool splash = true;
};

enum class ResultadoInicio { Pronto, OutraInstancia, FaltamArquivos };

class Programa {
 public:
  Programa();
  ~Programa();
  Programa(const Programa&) = delete;
  Programa& operator=(const Programa&) = delete;

  // Everything before the event loop: single instance, splash, the data
  // folder (initialised when new, then verified), the long-lived objects.
  // The refusals have shown their messages when this returns.
  ResultadoInicio inicia(const OpcoesInicio& opcoes);
  // Shows the main window maximised and runs the event loop; the exit code.
  int executa();

  const std::filesystem::path& pastaDados() const { return pasta_; }
  TdmVornex& dmVornex() { return *dmVornex_; }
  TdmEntradaDados& dmEntradaDados() { return *dmEntradaDados_; }
  TfmVORNEX& fmVORNEX() { return *fmVORNEX_; }
  TfmInicioRegras& fmInicioRegras() { return *fmInicioRegras_; }
  TfmTb8Cnae& fmTb8Cnae() { return *fmTb8Cnae_; }
  TfrmT8Munic& frmT8Munic() { return *frmT8Munic_; }

 private:
  std::filesystem::path pasta_;
  std::unique_ptr<InstanciaUnica> instancia_;
  std::unique_ptr<TdmVornex> dmVornex_;
  std::unique_ptr<TfmVORNEX> fmVORNEX_;
  std::unique_ptr<TdmEntradaDados> dmEntradaDados_;
  std::unique_ptr<TfmInicioRegras> fmInicioRegras_;
  std::unique_ptr<TfmTb8Cnae> fmTb8Cnae_;
  std::unique_ptr<TfrmT8Munic> frmT8Munic_;
};

// The whole run, from main(): the exit code.
int ExecutaVornex(int argc, char** argv);

}  // namespace vornex::gui
