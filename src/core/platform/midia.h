#pragma once
// Media for the declaration file. A medium is a removable volume mounted on
// this machine or a folder the user chooses; the file `Zema2004` goes in its
// root and nothing is ever written anywhere else. The prompts of a medium
// change (not ready, insert medium n, root not empty, overwrite) belong to
// the front ends, behind `InterfaceMidia`.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/arquivo_atomico.h"

namespace vornex {

inline constexpr std::string_view kNomeArquivoDeclaracao = "Zema2004";
// A medium smaller than this cannot take a declaration file.
inline constexpr std::uint64_t kCapacidadeMinima = 1410;
// The capacity that simulates a 1.44 MB diskette.
inline constexpr std::uint64_t kCapacidadeDisquete = 1457664;

enum class TipoMidia { Removivel, Pasta };

struct Midia {
  TipoMidia tipo = TipoMidia::Pasta;
  std::filesystem::path pasta;  // mount point or chosen folder
  std::string dispositivo;      // removable: the device mounted there
  std::string descricao;        // how prompts name the medium
  std::optional<std::uint64_t> capacidade;  // set by the caller in place of the file system's size
};

Midia MidiaPasta(std::filesystem::path pasta, std::optional<std::uint64_t> capacidade = std::nullopt);

// --- removable volumes --------------------------------------------------------

struct Montagem {
  std::string dispositivo, ponto, sistema, opcoes;
};

// The entries of a mount table text (/proc/self/mounts, /etc/mtab), octal
// escapes decoded; lines with fewer than three fields are skipped.
std::vector<Montagem> AnalisaMontagens(std::string_view texto);

// Device-backed mounts that are removable: the device is (`removivel`) or the
// mount point lies under /media or /run/media. A mount point mounted over
// keeps only its last entry.
std::vector<Midia> MidiasRemoviveis(const std::vector<Montagem>& montagens,
                                    const std::function<bool(std::string_view dispositivo)>& removivel);

// `removable` of the device's disk in sysfs (a partition asks its disk).
bool DispositivoRemovivel(std::string_view dispositivo, const std::filesystem::path& sys = "/sys");

// The removable volumes mounted now (the system's mount table).
std::vector<Midia> ListaMidias();

// --- probing ------------------------------------------------------------------

// The medium's folder can be read (and a removable volume is still mounted).
bool MidiaDisponivel(const Midia& midia);

// The capacity set by the caller, else the total size (not the free space) of
// the medium's file system; 0 when it cannot be read.
std::uint64_t CapacidadeMidia(const Midia& midia);

enum class EstadoRaiz {
  Vazia,           // nothing visible in the root
  SoDeclaracao,    // only an old declaration file (any letter case)
  OutrosArquivos,  // anything else: other files, folders, links
  Ilegivel,        // the root cannot be listed
};
// Hidden entries (dot names; on FAT volumes also the hidden and system
// attributes) do not count. With SoDeclaracao, `declaracao` receives the
// path of the old file as it is named there.
EstadoRaiz VerificaRaiz(const Midia& midia, std::filesystem::path* declaracao = nullptr);

std::filesystem::path CaminhoDeclaracao(const Midia& midia);

// Starts the medium's declaration file under a temporary name beside
// `Zema2004` (see ArquivoAtomico); an old declaration file stays until the
// new one is installed. Leftovers of an earlier run that was killed are
// removed first. false on failure.
bool CriaArquivoDeclaracao(const Midia& midia, ArquivoAtomico& arquivo);

// --- prompts --------------------------------------------------------------------

enum class AvisoMidia {
  ComArquivos,             // the root holds other files
  ExclusaoFalhou,          // the old file could not be deleted
  CapacidadeInsuficiente,  // below kCapacidadeMinima
  CriacaoFalhou,           // the file could not be created
  JaGravada,               // the medium holds a volume of this same run
};

// What the front ends implement. Each refusal is told (`avisa`) before the
// medium is asked for again.
class InterfaceMidia {
 public:
  virtual ~InterfaceMidia() = default;
  // The medium is not ready: true to try it again, false to cancel.
  virtual bool midiaNaoPronta(const Midia& midia) = 0;
  // The medium for volume `volume`; `repeticao` when one was just refused or
  // not ready for that volume. nullopt to cancel.
  virtual std::optional<Midia> pedeMidia(int volume, bool repeticao, const Midia& anterior) = 0;
  // "Deseja interromper?" after a cancel: true gives up.
  virtual bool confirmaInterrupcao() = 0;
  virtual void avisa(AvisoMidia aviso, const Midia& midia) = 0;
  // The root holds only an old declaration file: may it be replaced?
  virtual bool autorizaSobrescrever(const Midia& midia) = 0;
};

// The texts of the prompts above, for the front ends.
std::string TextoMidiaNaoPronta(const Midia& midia);
std::string TextoPedeMidia(int volume, const Midia& midia);
std::string TextoSobrescrever(const Midia& midia);
std::string TextoAviso(AvisoMidia aviso, const Midia& midia);

// While the medium is not ready, tells so; a cancel confirmed gives up (false).
bool AguardaMidia(const Midia& midia, InterfaceMidia& ui);
// Asks for the medium of `volume` until one is ready; nullopt when the user
// gives up.
std::optional<Midia> PedeMidia(int volume, bool repeticao, const Midia& anterior, InterfaceMidia& ui);

// --- the volumes of one writing run ---------------------------------------------

// The media side of a writing run: the current medium and its capacity, the
// change to the next volume, and what a failed run must delete.
class VolumesGravacao {
 public:
  VolumesGravacao(Midia primeira, InterfaceMidia& ui);

  const Midia& midia() const { return atual_; }
  int volume() const { return volume_; }
  // Of the current medium, read when it was accepted.
  std::uint64_t capacidade() const { return capacidade_; }

  // Waits for the first medium and reads its capacity; false when the user gives up.
  bool aguardaPrimeira();

  // Starts the next volume: asks for its medium (from the second volume on,
  // and after every refusal), waits until it is ready, accepts an empty root
  // or one holding only an old declaration file the user lets replace (never
  // a file finished earlier in this run), refuses a medium smaller than
  // kCapacidadeMinima, and creates the file under its temporary name. The
  // stream is owned by this object; null when the user gave up.
  std::FILE* abreProximo();
  // Where the current volume is being written until it is concluded.
  const std::filesystem::path& arquivoInacabado() const { return inacabado_.temporario(); }

  // The current volume's file is complete and sealed: it is synchronised and
  // takes the name `Zema2004` (replacing an old declaration file), and stays
  // whatever happens later in the run. false when that fails (the volume is
  // then still unfinished).
  bool concluiVolume();

  // After a failure or interruption: deletes the current volume's file unless
  // it was concluded (earlier volumes stay). false when the deletion failed.
  bool descartaInacabado();

 private:
  struct Identidade {
    std::uint64_t dispositivo, inode, tamanho;
    std::int64_t modificado;
  };
  bool jaGravado(const std::filesystem::path& arquivo) const;

  Midia atual_;
  InterfaceMidia& ui_;
  int volume_ = 0;
  std::uint64_t capacidade_ = 0;
  ArquivoAtomico inacabado_;
  std::filesystem::path antigo_;  // an old declaration file spelled otherwise, removed after the rename
  std::vector<Identidade> concluidos_;
};

}  // namespace vornex
