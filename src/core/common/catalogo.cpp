#include "common/catalogo.h"

#include <array>
#include <stdexcept>

#include "common/csv.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas.h"

namespace vornex {

Catalogo Catalogo::LeCsv(const std::string& caminho) {
  auto linhas = LeArquivoCsv(caminho);
  if (linhas.empty() || linhas[0] != LinhaCsv{"NuMensagem", "TpMensagem", "TxMensagem"})
    throw std::runtime_error(caminho + ": cabeçalho deve ser NuMensagem,TpMensagem,TxMensagem");
  Catalogo c;
  for (std::size_t i = 1; i < linhas.size(); ++i) {
    auto& l = linhas[i];
    if (l.size() != 3)
      throw std::runtime_error(caminho + ": linha " + std::to_string(i + 1) + " deve ter 3 campos");
    c.inclui({std::move(l[0]), std::move(l[1]), std::move(l[2])});
  }
  return c;
}

Catalogo Catalogo::LeConexao(Conexao& c) {
  Catalogo cat;
  // Qualified: a table of that name in the declaration file must not answer.
  Consulta q(c, "select NuMensagem, TpMensagem, TxMensagem from " +
                    std::string(EsquemaBanco(ArquivoDados::Referencia)) + ".tb8MSG");
  while (q.proxima()) cat.inclui({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2))});
  return cat;
}

void Catalogo::inclui(Mensagem m) {
  auto chave = m.numero;
  mensagens_.insert_or_assign(std::move(chave), std::move(m));
}

const Mensagem* Catalogo::busca(std::string_view numero) const {
  auto it = mensagens_.find(numero);
  return it == mensagens_.end() ? nullptr : &it->second;
}

std::string Catalogo::texto(std::string_view numero) const {
  const Mensagem* m = busca(numero);
  return m ? m->texto : std::string(numero);
}

std::string_view NomeBotao(int resultado) {
  static constexpr std::array<std::string_view, 8> nomes{
      "Erro de Memoria", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo"};
  if (resultado < 0 || resultado >= static_cast<int>(nomes.size())) return {};
  return nomes[static_cast<std::size_t>(resultado)];
}

std::optional<std::pair<TipoDialogo, Botoes>> DialogoDoTipo(std::string_view tp) {
  tp = Apara(tp);
  if (tp == "CNF") return std::pair{TipoDialogo::Confirmacao, Botoes::SimNao};
  if (tp == "WAR") return std::pair{TipoDialogo::Aviso, Botoes::Ok};
  if (tp == "INF") return std::pair{TipoDialogo::Informacao, Botoes::Ok};
  if (tp == "ERR") return std::pair{TipoDialogo::Erro, Botoes::Ok};
  return std::nullopt;
}

std::string MostraMensagem(const Catalogo& catalogo, Dialogos& dialogos, NuMensagem numero) {
  const Mensagem* m = catalogo.busca(numero.texto());
  if (m == nullptr) {
    // A number missing from the catalog is a fault of ours; say so plainly
    // rather than showing nothing.
    dialogos.mostra(TipoDialogo::Erro, Botoes::Ok,
                    "Mensagem " + numero.str() + " não encontrada no catálogo.");
    return "";
  }
  auto d = DialogoDoTipo(m->tipo);
  if (!d) return "";
  return std::string(NomeBotao(dialogos.mostra(d->first, d->second, m->texto)));
}

void MostraMensagemEstab(const Catalogo& catalogo, Dialogos& dialogos, NuMensagem numero,
                         std::string_view inscricao, std::string_view nome,
                         std::string_view prefixo, std::string_view tipoInscricao) {
  const Mensagem* m = catalogo.busca(numero.texto());
  std::string texto = FormataInscricao(inscricao, tipoInscricao);
  texto += "  - ";
  texto += prefixo;
  texto += "  - ";
  texto += nome;
  texto += "   \r";
  texto += m ? m->texto : "Mensagem " + numero.str() + " não encontrada no catálogo.";
  dialogos.mostra(TipoDialogo::Informacao, Botoes::Ok, texto);
}

bool ConfirmaInterrupcao(Dialogos& dialogos) {
  return dialogos.mostra(TipoDialogo::Informacao, Botoes::SimNao, "Deseja interromper?") ==
         kResultadoYes;
}

}  // namespace vornex
