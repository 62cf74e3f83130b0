#pragma once
// Maintenance of the stored declaration: deleting establishments, deleting
// chosen links, moving chosen links to a new establishment and giving every
// link of an establishment one link type. Each operation runs its checks
// first and then writes in one transaction: it happens whole or not at all,
// and the counts it leaves are recounted from the links.
//
// While an operation writes, the establishment carries its pending-operation
// code (InOpcaoAberta: "1" exclusion, "3" transfer destination, "4" several
// links excluded, "5" link type changed), emptied before the commit. Rows that
// older versions left marked are still reported when they are opened.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "casos/contagens.h"
#include "common/mensagem.h"
#include "data/declaracao.h"

namespace vornex {

class Conexao;

inline constexpr std::string_view kOpcaoExclusao = "1";
inline constexpr std::string_view kOpcaoTransferencia = "3";
inline constexpr std::string_view kOpcaoExclusaoMultipla = "4";
inline constexpr std::string_view kOpcaoAlteracaoVinculo = "5";

// What the front ends tell when an exclusion is done; the number of links
// goes in front of the second.
inline constexpr std::string_view kTextoEstabelecimentoExcluido = "Estabelecimento excluído com sucesso.";
inline constexpr std::string_view kTextoVinculosExcluidos = " Empregado(s) excluído(s) com sucesso.";

// The success notices of a transfer and of a change of link type.
inline constexpr NuMensagem kMsgTransferenciaConcluida = "1309"_msg;
inline constexpr NuMensagem kMsgTipoVinculoAlterado = "1305"_msg;

// Called after each write of an operation with the step's name; a test throws
// from it to stop the operation half-way.
using EtapaManutencao = std::function<void(std::string_view etapa)>;

// A link as the user chose it.
struct VinculoEscolhido {
  std::string pis;       // CoPisPasepEmpregado, 11 digits
  std::string admissao;  // DaAdmissaoEmpregado, ddmmyyyy
  // NoEmpregado; nullopt matches the links of that PIS/PASEP and date
  // whatever their names.
  std::optional<std::string> nome;
};

// --- checks the screens run as the user goes, and the operations again -------

// The registration of an establishment chosen from the list: its CriticaCnpjCei
// answer ("0050", "0051" or "0052") or the finding.
NuMensagem CriticaInscricaoEscolhida(std::string_view inscricao);

// An establishment chosen as the source of a transfer: "1301" not found, the
// registration's finding, "1311" a linked CEI that fails its rule, "1302"
// without links; "0000" when it can give links.
NuMensagem CriticaOrigemTransferencia(Conexao& c, const ChaveEstabelecimento& origem);

// A destination registration as typed (padded to 14) and the type the user
// asked for ("1", "3" or empty): the type it gets ("1" or "3") or the finding.
// Valid as both CNPJ and CEI with no type asked: CNPJ.
struct InscricaoDestino {
  NuMensagem mensagem;  // "0000" when `tipo` holds
  std::string tipo;
};
InscricaoDestino CriticaInscricaoDestino(std::string_view inscricao, std::string_view tipoPedido);

// The registration type the link-type rule judges an establishment by: from
// its registration, or the stored InInscrEstabelecimento when it is valid as
// both. Empty when the establishment does not exist.
std::string TipoInscricaoParaVinculo(Conexao& c, const ChaveEstabelecimento& chave);

// A link type for every link of an establishment: "1306" not a code of
// tb8vinc, "1307" not allowed for its registration type.
NuMensagem CriticaCodigoVinculo(Conexao& c, const ChaveEstabelecimento& chave, std::string_view codigo);

// --- establishment exclusion ---------------------------------------------------

struct PedidoExclusaoEstabelecimentos {
  std::vector<ChaveEstabelecimento> estabelecimentos;
  EtapaManutencao etapa;
};

struct ResultadoExclusaoEstabelecimentos {
  // Not found: nothing was deleted.
  std::vector<ChaveEstabelecimento> ausentes;
  int excluidos = 0;
  long long vinculosExcluidos = 0;
};

// Deletes the establishments and all their links.
ResultadoExclusaoEstabelecimentos ExcluiEstabelecimentos(Conexao& c, const PedidoExclusaoEstabelecimentos& pedido);

// --- exclusion of chosen links --------------------------------------------------

struct PedidoExclusaoVinculos {
  ChaveEstabelecimento estabelecimento;
  std::vector<VinculoEscolhido> vinculos;
  // Refuse ("1304") when a chosen link is not there; otherwise it is skipped.
  bool recusaAusentes = false;
  EtapaManutencao etapa;
};

struct ResultadoExclusaoVinculos {
  NuMensagem recusa;  // "0000": done; otherwise nothing changed
  long long excluidos = 0;
  std::vector<VinculoEscolhido> ausentes;
  ContagemVinculos contagem;  // the establishment's counts afterwards
};

// Refusals: "1301" no such establishment, the registration's finding, "1302"
// it has no links, "1310" no link chosen.
ResultadoExclusaoVinculos ExcluiVinculos(Conexao& c, const PedidoExclusaoVinculos& pedido);

// --- transfer of links to a new establishment -------------------------------------

struct PedidoTransferencia {
  ChaveEstabelecimento origem;
  ChaveEstabelecimento destino;  // an empty prefix is "00"
  std::string tipoDestino;       // "1", "3" or empty (see CriticaInscricaoDestino)
  std::vector<VinculoEscolhido> vinculos;
  bool todos = false;  // every link of the source
  bool recusaAusentes = false;
  EtapaManutencao etapa;
};

struct ResultadoTransferencia {
  NuMensagem recusa;  // "0000": done; otherwise nothing changed
  ChaveEstabelecimento destino;
  std::string tipoDestino;
  long long transferidos = 0;
  std::vector<VinculoEscolhido> ausentes;
  ContagemVinculos origem, contagemDestino;
};

// Creates the destination establishment (no registration data, pending code
// "3" while the links move) and moves the chosen links to it. Refusals: those
// of CriticaOrigemTransferencia, "1310" no link chosen, the destination's
// registration or prefix finding, "1308" the destination exists (the source
// itself included), "1304" a chosen link not there when asked to refuse.
ResultadoTransferencia TransfereVinculos(Conexao& c, const PedidoTransferencia& pedido);

// --- change of link type ----------------------------------------------------------

struct PedidoAlteracaoVinculo {
  ChaveEstabelecimento estabelecimento;
  std::string codigo;  // CoVinculo for every link
  EtapaManutencao etapa;
};

struct ResultadoAlteracaoVinculo {
  NuMensagem recusa;  // "0000": done; otherwise nothing changed
  long long alterados = 0;
};

// Refusals: "1301" no such establishment, the registration's finding, "1306"
// no code or one not in tb8vinc, "1307" not allowed for the registration
// type, "1304" no links.
ResultadoAlteracaoVinculo AlteraTipoVinculo(Conexao& c, const PedidoAlteracaoVinculo& pedido);

}  // namespace vornex
