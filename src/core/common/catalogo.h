#pragma once
// The message catalog (tb8MSG) and the core side of the program's dialogs.
// The dialogs themselves belong to the front ends, behind `Dialogos`.
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/mensagem.h"

namespace vornex {

struct Mensagem {
  std::string numero;  // NuMensagem, four digits
  std::string tipo;    // TpMensagem: "CNF", "WAR", "INF", "ERR"
  std::string texto;   // TxMensagem, at most 200 characters
};

class Catalogo {
 public:
  // Reads the CSV form (NuMensagem,TpMensagem,TxMensagem; UTF-8, RFC 4180).
  // Throws std::runtime_error naming the file and line on a malformed row.
  static Catalogo LeCsv(const std::string& caminho);

  void inclui(Mensagem m);
  const Mensagem* busca(std::string_view numero) const;
  const std::map<std::string, Mensagem, std::less<>>& todas() const { return mensagens_; }

 private:
  std::map<std::string, Mensagem, std::less<>> mensagens_;
};

// Dialog kinds and buttons chosen from TpMensagem.
enum class TipoDialogo { Confirmacao, Aviso, Informacao, Erro };
// OkCancelar: the screens' own "continue or stop" questions.
enum class Botoes { Ok, SimNao, OkCancelar };

// Dialog results, in the order of the fixed list of button names.
enum ResultadoDialogo : int {
  kResultadoErro = 0,
  kResultadoOk = 1,
  kResultadoCancel = 2,
  kResultadoAbort = 3,
  kResultadoRetry = 4,
  kResultadoIgnore = 5,
  kResultadoYes = 6,
  kResultadoNo = 7,
};

// "Erro de Memoria", "mrOk", "mrCancel", ..., "mrNo"; empty outside 0..7.
std::string_view NomeBotao(int resultado);

// What the front end implements: one modal dialog, its result.
class Dialogos {
 public:
  virtual ~Dialogos() = default;
  virtual int mostra(TipoDialogo tipo, Botoes botoes, const std::string& texto) = 0;
};

// Type of a catalog entry mapped to its dialog, when it is one of the four.
std::optional<std::pair<TipoDialogo, Botoes>> DialogoDoTipo(std::string_view tpMensagem);

// Shows the catalog message and returns the name of the button pressed;
// an unknown type shows nothing and returns "".
std::string MostraMensagem(const Catalogo& catalogo, Dialogos& dialogos, NuMensagem numero);
void MostraMensagemEstab(const Catalogo& catalogo, Dialogos& dialogos, NuMensagem numero,
                         std::string_view inscricao, std::string_view nome,
                         std::string_view prefixo, std::string_view tipoInscricao);
// "Deseja interromper?" with Yes and No; true on Yes.
bool ConfirmaInterrupcao(Dialogos& dialogos);

}  // namespace vornex
