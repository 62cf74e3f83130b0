#include "common/midia_gui.h"

#include <QDir>

#include "common/servico_dialogos.h"

namespace vornex::gui {

std::filesystem::path PastaInicialMidia() {
  const std::vector<Midia> midias = ListaMidias();
  if (!midias.empty()) return midias.front().pasta;
  return QDir::homePath().toStdString();
}

std::optional<Midia> EscolhePastaMidia(const std::string& titulo, const std::filesystem::path& inicial) {
  PedidoArquivo p;
  p.modo = PedidoArquivo::Modo::Pasta;
  p.titulo = titulo;
  p.pasta = inicial.empty() ? PastaInicialMidia() : inicial;
  const auto pasta = Dialogo().escolheArquivo(p);
  if (!pasta) return std::nullopt;
  // A folder that is a removable volume's mount point is that volume.
  for (const Midia& m : ListaMidias()) {
    std::error_code ec;
    if (std::filesystem::equivalent(m.pasta, *pasta, ec)) return m;
  }
  return MidiaPasta(*pasta);
}

bool MidiaGui::midiaNaoPronta(const Midia& midia) {
  return Dialogo().confirmaOk(TipoDialogo::Informacao, TextoMidiaNaoPronta(midia));
}

std::optional<Midia> MidiaGui::pedeMidia(int volume, bool /*repeticao*/, const Midia& anterior) {
  if (!Dialogo().confirmaOk(TipoDialogo::Informacao, TextoPedeMidia(volume, anterior))) return std::nullopt;
  if (anterior.tipo == TipoMidia::Pasta) {
    auto m = EscolhePastaMidia(TextoPedeMidia(volume, anterior), anterior.pasta);
    // A capacity set in place of the file system's holds for the next folder too.
    if (m && anterior.capacidade) m->capacidade = anterior.capacidade;
    return m;
  }
  for (const Midia& m : ListaMidias())
    if (m.pasta == anterior.pasta) return m;
  // Not mounted (yet): the same medium, which the writer finds not ready and
  // asks about again.
  return anterior;
}

bool MidiaGui::confirmaInterrupcao() { return ConfirmaInterrupcao(Dialogo()); }

void MidiaGui::avisa(AvisoMidia aviso, const Midia& midia) {
  Dialogo().mostra(TipoDialogo::Aviso, Botoes::Ok, TextoAviso(aviso, midia));
}

bool MidiaGui::autorizaSobrescrever(const Midia& midia) {
  return Dialogo().confirmaSim(TextoSobrescrever(midia), true);
}

}  // namespace vornex::gui
