#include "tools/aviso_pendente.h"

#include "casos/estabelecimento.h"
#include "common/servico_dialogos.h"
#include "data/dm_vornex.h"

namespace vornex::gui {

void AvisaOperacaoPendente(TdmVornex& dm, const ChaveEstabelecimento& chave) {
  const OperacaoPendente p = AvisoOperacaoPendente(dm.conexao(), chave);
  if (p.mensagem.ok() || !p.estab) return;
  const Linha& e = *p.estab;
  MostraMensagemEstab(dm.catalogo(), Dialogo(), p.mensagem, e["CoCgcCeiEstabelecimento"], e["NoRazaoEstabelecimento"],
                      e["NuPrefixoEstabelecimento"], e["InInscrEstabelecimento"]);
}

}  // namespace vornex::gui
