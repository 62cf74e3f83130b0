#pragma once
// The link's use cases: the checks a link passes before it is written (one
// ordered list, run field by field by the employee screen and all at once by
// its confirmation and by the command line), writing it together with its
// establishment's counts, deleting it with the recount, and the lookups the
// screen makes while the user types (personal data of a PIS/PASEP already
// declared, the same admission twice, birth dates that disagree).
// Each use case runs in one transaction.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "casos/checagem_estabelecimento.h"
#include "casos/contagens.h"
#include "casos/listas.h"
#include "common/mensagem.h"
#include "data/declaracao.h"
#include "data/linha.h"

namespace vornex {

class Conexao;
class Referencias;

// What the link's rules need from its establishment.
struct ContextoVinculo {
  ChaveEstabelecimento estab;
  std::string tipoInscricao;   // InInscrEstabelecimento
  std::string indicadorEncerramento;  // InEncerramentoAtividade
  std::string encerramento;    // DaEncerramentoAtividade
  std::string cnae, naturezaJuridica;
  // The year the link is declared for: the base year, the next one for an
  // establishment closing in it; 2004 when the base year is no number.
  std::string anoReferencia = "2004";

  // Read from the establishment row; `encerraNoAnoSeguinte` as the
  // establishment screen passes it.
  static ContextoVinculo De(const Linha& estab, bool encerraNoAnoSeguinte = false);
};

// The money columns of a link (salary, notice, the twelve months and the two
// 13th-salary instalments): nine digits of centavos.
inline constexpr const char* kColunasMeses[12] = {
    "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado",    "VaAbrilEmpregado",
    "VaMaioEmpregado",    "VaJunhoEmpregado",     "VaJulhoEmpregado",    "VaAgostoEmpregado",
    "VaSetembroEmpregado", "VaOutubroEmpregado",  "VaNovembroEmpregado", "VaDezembroEmpregado"};

struct PassoVinculo {
  // The rule; it may write the normalised value back (trimmed, padded).
  Achado (*regra)(Linha& v, const ContextoVinculo& ctx, const Referencias& ref);
  const char* foco;  // column focused on failure, unless the answer names another
  // Answers that pass: shown as a warning when the field is left, silent on
  // confirmation; `todasAvisos`: every answer is a warning.
  NuMensagem aviso = kSemOcorrencia;
  bool todasAvisos = false;
  // Run only when the field is left, never by the confirmation.
  bool soAoSair = false;

  bool aceita(NuMensagem m) const { return m.ok() || todasAvisos || (!aviso.ok() && m == aviso); }
};

struct ChecagemCampoVinculo {
  const char* campo;
  std::vector<PassoVinculo> passos;
};

// The fields' checks in the confirmation's order.
const std::vector<ChecagemCampoVinculo>& ChecagensVinculo();

// One field's checks as they run when it is left (blank fields skipped).
ResultadoChecagem ChecaSaidaCampoVinculo(Linha& v, const ContextoVinculo& ctx, const Referencias& ref,
                                         std::string_view campo);

// Everything the confirmation checks, warnings silent: the field list, then
// every paid month against the admission and the apprentice's age, then the
// 13th-salary months against the admission, then the money: "1056" when
// nothing at all was paid. `aviso13` is set to "3508" when the 13th salary
// exceeds one and a half average months (a warning).
struct ResultadoConfirmacaoVinculo {
  ResultadoChecagem checagem;
  NuMensagem aviso13;
};
ResultadoConfirmacaoVinculo ChecaConfirmacaoVinculo(Linha& v, const ContextoVinculo& ctx, const Referencias& ref,
                                                     ModoChecagem modo);

// Leaving the absences' total: more than a year's days are refused with
// this text of their own.
inline constexpr const char* kTextoExcessoDiasAfastamento =
    "A soma do total de dias de afastamento não pode ser maior que 366 dias.";
bool ExcessoDiasAfastamento(std::string_view dias);

// Leaving the 13th salary's final value: "3634" when an absence (other than
// reason 40) runs through months none of which was paid.
NuMensagem AfastamentoSemPagamento(const Linha& vinculo);
// "1061" when neither 13th-salary instalment was paid (a warning).
NuMensagem Aviso13NaoPago(const Linha& vinculo);

// The dismissal causes that take a date (all but none, "00", "71", "78"
// and "80"), and of these the two whose prior notice may be paid ("11", "21").
bool CausaComData(std::string_view causa);
bool CausaComAviso(std::string_view causa);

// The court-permit choice as a link opens: older than 16 in the base year,
// no link type or no birth date: "2", closed; an apprentice: closed, its
// value kept when "1"; otherwise open. Any value but "1" becomes "2".
struct EstadoAlvara {
  bool aberto = false;
  std::string valor = "2";
};
EstadoAlvara AlvaraAoAbrir(const Linha& vinculo);
// After the link type was left: true when its age check opens the choice
// (a worker of 16 or less on an ordinary link).
bool AlvaraPossivel(const Linha& vinculo);

// "0393" when the establishment has more than five links and the foreign
// ones exceed a third of them.
NuMensagem AvisoEstrangeiros(Conexao& c, const ChaveEstabelecimento& estab);

// --- lookups while typing ------------------------------------------------------------

// The personal data of the first link of that PIS/PASEP in the
// establishment (name, birth date, nationality, arrival year, education,
// work card, race, disability, sex, CPF); nullopt when it has none.
std::optional<Linha> DadosPessoaisPorPis(Conexao& c, const ChaveEstabelecimento& estab, std::string_view pis);

// A link of the worker admitted on that date; the name takes part only for
// a worker without PIS/PASEP (all zeros).
std::optional<Linha> VinculoMesmaAdmissao(Conexao& c, const ChaveEstabelecimento& estab, std::string_view pis,
                                          std::string_view admissao, std::string_view nome);

// Links of the worker whose birth date is another one (the name takes part
// as above).
long long NascimentosDivergentes(Conexao& c, const ChaveEstabelecimento& estab, std::string_view pis,
                                 std::string_view nascimento, std::string_view nome);
// "1053" when they are too many: one in a new link, two when editing (the
// link itself still holds the old date).
NuMensagem CriticaNascimentosDivergentes(long long divergentes, bool novo);

// --- opening, writing and deleting -------------------------------------------------------

// A new link of the establishment with the defaults of the screen.
Linha NovoVinculo(Conexao& c, const ChaveEstabelecimento& estab);

// The link by establishment, PIS/PASEP and admission (and name when the
// PIS/PASEP is all zeros).
std::optional<Linha> AbreVinculo(Conexao& c, const ChaveEstabelecimento& estab, std::string_view pis,
                                 std::string_view admissao, std::string_view nome);

struct PedidoGravaVinculo {
  Linha vinculo;  // money columns in centavos; the key is taken from the establishment
  // The stored key of the link being edited; nullopt for a new one.
  std::optional<ChaveVinculo> original;
  ModoChecagem modo = ModoChecagem::PrimeiraFalha;
  // Checks already run by the caller field by field.
  bool semChecagem = false;
  // The screen's own "encerra no ano seguinte" flag.
  bool encerraNoAnoSeguinte = false;
};

struct ResultadoGravaVinculo {
  ResultadoChecagem checagem;  // failures stop the write; the row keeps what was typed
  NuMensagem aviso13;          // "3508", shown before the write
  bool gravado = false;
  ContagemVinculos contagem;   // the establishment's counts afterwards
  Linha vinculo;               // as written (or as typed, when refused)
};

// Checks, writes the link and recounts its establishment in one
// transaction. Refusals: "1006" no establishment; "1051" a new link on an
// admission date the worker already has; "1058" an edit moved onto another
// link's admission date; "1059" the key is taken. The typed row comes back
// whatever the answer.
ResultadoGravaVinculo GravaVinculo(Conexao& c, const Referencias& ref, PedidoGravaVinculo pedido);

struct ResultadoExclusaoVinculo {
  bool excluido = false;
  ContagemVinculos contagem;
};
// Deletes the link by its stored key (a link without PIS/PASEP too) and
// recounts its establishment, in one transaction.
ResultadoExclusaoVinculo ExcluiVinculo(Conexao& c, const ChaveVinculo& chave);

// --- the links consultation ------------------------------------------------------------

struct FiltroConsultaVinculos {
  ChaveEstabelecimento estab;
  std::string pis;     // PIS/PASEP begins with it
  std::string nome;    // name begins with it
  std::string letras;  // without the two above: the name begins with one of these letters
};

struct LinhaConsultaVinculo {
  std::string pis, nome, admissao, nascimento, sequencial;
};

// In key order (PIS/PASEP, admission, name).
std::vector<LinhaConsultaVinculo> ConsultaVinculos(Conexao& c, const FiltroConsultaVinculos& filtro);

// The stored key of a row.
ChaveVinculo ChaveDoVinculo(const Linha& v);

}  // namespace vornex
