#pragma once
// The writer of the declaration file: the chosen establishments and their
// links go out in the record layout, one complete file per volume (a new
// volume starts when the byte count says the medium is full), each file
// sealed, and what each volume holds recorded in te8ProID and te8ProES.
//
// Declaration: from BD8Resp, Bd8emp, Bd8vinc. Rectification and the
// re-recording of an analysed file: from the work copies Te8resp, Te8emp,
// Te8vinc.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"
#include "common/passagem.h"
#include "data/declaracao.h"
#include "declfile/layout.h"
#include "platform/midia.h"

namespace vornex {

class Conexao;
class GeradorSelo;

// Bytes counted per record when deciding a volume change, and what is kept
// free on each medium (type-0 and type-9 records and the file system's own
// needs; the larger figure before an establishment with employees, so that
// it never ends a volume without one of its links).
inline constexpr std::int64_t kBytesRegistroUm = 350;
inline constexpr std::int64_t kBytesRegistroDois = 352;
inline constexpr std::int64_t kReservaVolumeDeclaracao = 3352;
inline constexpr std::int64_t kReservaComVinculos = 3704;

enum class ResultadoGravacao : int { Gravado = 0, Falhou = 1, Interrompido = 2 };

struct PedidoGravacao {
  // Establishments in writing order. nullopt: every row of the source's
  // establishment table, in key order.
  std::optional<std::vector<ChaveEstabelecimento>> selecao;
  ModoGravacao modo;
  std::string dataGeracao;  // ddmmyyyy as typed; empty when re-recording
  std::string horaGeracao;  // hhmmss when the user confirmed; may be empty
};

// A finished, sealed volume.
struct VolumeGravado {
  int volume = 0;
  std::filesystem::path arquivo;
  long registros = 0;  // all records, type 0 and 9 included
  long tipo1 = 0, tipo2 = 0, prefixos = 0;
  std::string selo;
};

struct RelatorioGravacao {
  ResultadoGravacao resultado = ResultadoGravacao::Gravado;
  // Volumes finished before the end of the run; they stay on their media
  // even when a later volume fails.
  std::vector<VolumeGravado> volumes;
  std::string mensagem;  // why the run failed, for the front end to show
};

// What a run that stopped after sealing some volumes leaves behind: those
// files stay on their media but are not the whole declaration, and the user
// must be told which they are. Empty when the run ended well or sealed none.
std::string AvisoVolumesIncompletos(const RelatorioGravacao& r);

// The generation date typed for a writing run: "0421" not a valid date,
// "0420" before 2005, "0423" after 2005, else "0000".
NuMensagem CriticaDataGravacao(std::string_view ddmmaaaa);

// The local clock as hhmmss (a one-digit hour with its leading "0").
std::string HoraAtual();

// Records one file can hold: its sequence numbers have six digits.
inline constexpr long kMaximoRegistros = 999999;

struct OpcoesGravacao {
  const GeradorSelo* selo = nullptr;      // null: SeloPadrao()
  std::function<std::string()> relogio;   // hhmmss for the type-0 record; null: local time
  // A volume also ends when its file would exceed this many records (a large
  // medium would otherwise overflow the sequence field).
  long maximoRegistros = kMaximoRegistros;
};

// Runs one writing run onto `primeira` and the media `ui` gives for the next
// volumes. The protocol tables are recreated at the start; after a failure
// or an interruption they are dropped and the unfinished volume's file is
// deleted. Database errors other than creating the protocol tables are
// thrown after the same cleanup.
RelatorioGravacao GravaArquivoDeclaracao(Conexao& c, const PedidoGravacao& pedido, const Midia& primeira,
                                         InterfaceMidia& ui, AcompanhamentoPassagem& acompanhamento,
                                         const OpcoesGravacao& opcoes = {});

inline constexpr std::string_view kMsgErroLeituraGravacao =
    "Erro na leitura dos dados para gravação do arquivo \"ZEMA2004\"!";
inline constexpr std::string_view kMsgGravacaoInterrompida =
    "A gravação do arquivo \"ZEMA2004\" interrompida pelo usuário!";
inline constexpr std::string_view kMsgErroGravacao =
    "Ocorreu um erro durante a gravação do arquivo \"ZEMA2004\".\nSubstitua o disquete e tente novamente.";

}  // namespace vornex
