#pragma once
// The establishment's use cases: creating one (with the data of the same
// registration under another prefix, when asked), opening it for editing
// (the notice of an interrupted operation, the real link counts), writing it
// after the confirmation's checks (the links of a declaration turned into
// one without employees deleted in the same transaction), and the lists and
// the registration-type correction of the establishment consultation.
// Each use case runs in one transaction.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "casos/checagem_estabelecimento.h"
#include "common/mensagem.h"
#include "data/declaracao.h"
#include "data/linha.h"

namespace vornex {

class Conexao;
class Referencias;

// --- creating an establishment -------------------------------------------------------

// The registration as typed on the new-declaration screen (digits only): its
// type by the check digits and the typed length. A number valid both ways is
// a CNPJ when typed with 14 digits and a CEI when typed with 12.
struct TipoDigitado {
  NuMensagem mensagem;     // "0000", or why the number is refused ("1003", "1004", ...)
  std::string tipo;        // "1" CNPJ, "3" CEI; empty when refused
  std::string armazenada;  // the registration as stored (14 characters)
};
TipoDigitado TipoDaInscricaoDigitada(std::string_view digitada);

// A new row with the defaults of a new establishment.
Linha NovoEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave);

// Whether the key of a new establishment is free: "1000" when it exists with
// the same registration type, "1003"/"1009" with the other one. When the
// registration exists under other prefixes with the same type, `modelo` is
// the first of them (the screen offers to copy it, message "1001").
struct SituacaoChave {
  NuMensagem mensagem;
  std::optional<Linha> modelo;
};
SituacaoChave VerificaChaveNova(Conexao& c, const ChaveEstabelecimento& chave, std::string_view tipo);

struct PedidoCriacao {
  std::string inscricao;  // as typed, digits only
  std::string prefixo;    // blank: "00"
  std::string ceiVinculado;
  std::string razao;
  std::string usoEmpresa;
  std::string tipoZema = "0";  // "0" with employees, "1" without
  std::string anBase = "2004";
  // The user accepted "1001": copy the data of the registration's first
  // other prefix.
  bool copiaOutroPrefixo = false;
};

struct ResultadoCriacao {
  std::optional<FalhaChecagem> falha;  // nothing written when set
  ChaveEstabelecimento chave;          // the row written
  bool copiado = false;
};
// Checks the identification and the key, then appends the row with the
// defaults or the copied data.
ResultadoCriacao CriaEstabelecimento(Conexao& c, const Referencias& ref, const PedidoCriacao& pedido);

// --- editing an establishment -------------------------------------------------------

// The notice for an operation left pending on an establishment:
// "0" -> "0500", "1" -> "0501", "3" -> "0502", "4" -> "0503", "5" -> "0504";
// "0000" for any other code.
NuMensagem MensagemOperacaoPendente(std::string_view inOpcaoAberta);

// Reads and clears the pending-operation code of the establishment.
// `mensagem` is "0000" when nothing is to be shown; `estab` is the row as it
// was (the notice is headed by its registration and name), nullopt when there
// is no such establishment.
struct OperacaoPendente {
  NuMensagem mensagem;
  std::optional<Linha> estab;
};
OperacaoPendente AvisoOperacaoPendente(Conexao& c, const ChaveEstabelecimento& chave);

struct ResultadoAbertura {
  std::optional<Linha> estab;  // nullopt: no such establishment ("1006")
  OperacaoPendente pendente;   // only when opened as an existing one
  bool avisoCnae = false;      // "3517" to show once: the flag is cleared
};
// Opens the establishment for editing: the pending notice (not for a row
// just created), the link and foreign-link counts recounted, the CNAE notice
// flag cleared, and the row marked as being edited ("0").
ResultadoAbertura AbreEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave, bool novo);

// The screen closed: nothing is pending on the establishment any more.
void FechaEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave);

// A row just created and abandoned: it is deleted with any link.
void DescartaEstabelecimento(Conexao& c, const ChaveEstabelecimento& chave);

struct PedidoGravaEstab {
  Linha estab;        // the edited row, key columns included
  bool novo = false;  // append: the identification and the key are checked too
  ModoChecagem modo = ModoChecagem::PrimeiraFalha;
  // The user answered "Sim" to "1005": the links of an establishment now
  // declared without employees may be deleted.
  bool excluiVinculos = false;
  // The marker left on the row: "0" while the user goes on to its links,
  // empty when the edit ends here.
  bool continuaEdicao = false;
};

struct ResultadoGravaEstab {
  ResultadoChecagem checagem;  // the failures stop the write
  // "1005": the declaration is without employees and links exist; ask and
  // call again with excluiVinculos.
  NuMensagem confirmacao;
  bool gravado = false;
  long long vinculos = 0, estrangeiros = 0;
  long long vinculosExcluidos = 0;
  Linha estab;  // as written
};
// Checks, deletes the links when confirmed, recounts and writes: one
// transaction, so a failed write leaves the links in place.
ResultadoGravaEstab GravaEstabelecimento(Conexao& c, const Referencias& ref, PedidoGravaEstab pedido);

// --- the establishment consultation -------------------------------------------------

struct FiltroConsultaEstab {
  std::string anBase = "2004";
  std::string inscricao;  // registration begins with it (type "2": with "00" + it)
  std::string razao;      // name begins with it
  std::string letras;     // without the two above: the name begins with one of these letters
};

struct LinhaConsultaEstab {
  std::string anBase, inscricao, prefixo, razao, tipo, vinculos, ceiVinculado;
};

// In key order (registration, prefix).
std::vector<LinhaConsultaEstab> ConsultaEstabelecimentos(Conexao& c, const FiltroConsultaEstab& filtro);

// The checks before a listed establishment is opened, and the correction of
// a stored registration type that its number contradicts. "1301" nothing
// chosen, "1002" no valid registration, "1052" a bad prefix.
struct PedidoSelecao {
  ChaveEstabelecimento chave;
  // The registration-type dialog's answer ("CNPJ", "CEI") for a number valid
  // both ways; nullopt: not asked yet.
  std::optional<std::string> tipoEscolhido;
};
struct ResultadoSelecao {
  NuMensagem mensagem;
  bool perguntaTipo = false;     // ask the registration-type dialog and call again
  std::string tipoCorrigido;     // the type written, when it was corrected
};
ResultadoSelecao ValidaEstabSelecionado(Conexao& c, const PedidoSelecao& pedido);

}  // namespace vornex
