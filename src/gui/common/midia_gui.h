#pragma once
// The media questions of the desktop program: the removable volumes the
// system reports, any folder the user picks, and the writer's prompts (not
// ready, insert the next medium, root not empty, overwrite?) as dialogs
// through the dialog service, so tests answer them.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/midia.h"

namespace vornex::gui {

// Where the file choosers of media start: the first removable volume
// mounted, else the user's home folder.
std::filesystem::path PastaInicialMidia();

// The removable volumes mounted now, then a folder the user picks (through
// the folder chooser, starting at `inicial`); nullopt when cancelled.
std::optional<Midia> EscolhePastaMidia(const std::string& titulo, const std::filesystem::path& inicial = {});

class MidiaGui : public InterfaceMidia {
 public:
  // "Insira ..." (OK, Cancel); OK tries the same medium again.
  bool midiaNaoPronta(const Midia& midia) override;
  // The insert question (OK, Cancel); after OK a removable medium is looked
  // for again at its mount point (a new one mounted there counts), while a
  // folder is chosen anew through the folder chooser. nullopt on Cancel.
  std::optional<Midia> pedeMidia(int volume, bool repeticao, const Midia& anterior) override;
  bool confirmaInterrupcao() override;
  void avisa(AvisoMidia aviso, const Midia& midia) override;
  // Yes/No with "Não" as the default: replacing needs a deliberate Yes.
  bool autorizaSobrescrever(const Midia& midia) override;
};

}  // namespace vornex::gui
