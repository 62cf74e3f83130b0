#include "ocorrencias.h"

#include <optional>
#include <string>
#include <vector>

#include "common/catalogo.h"
#include "json_cli.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "validation/consistencia.h"

namespace vornex::cli {
namespace {

Catalogo CatalogoDe(Conexao& c) {
  Catalogo cat;
  Consulta q(c, "select NuMensagem, TpMensagem, TxMensagem from tb8MSG");
  while (q.proxima()) cat.inclui({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2))});
  return cat;
}

// A number missing from the catalog is shown as itself.
std::string Texto(const Catalogo& cat, std::string_view numero) {
  const Mensagem* m = cat.busca(numero);
  return m ? m->texto : std::string(numero);
}

// Calls `f` with each Te8ErrWa row in the report's order, one row in memory
// at a time: a pass may leave hundreds of thousands.
template <class F>
void ParaCadaLinha(Conexao& c, F&& f) {
  if (!ExisteTabela(c, kTabelaErros)) return;
  Consulta q(c, "Select *\nfrom Te8ErrWA\norder by errwar,sequencial");
  while (q.proxima()) f(q.linha());
}

nlohmann::json LinhaJson(const Catalogo& cat, const Linha& l) {
  nlohmann::json j = nlohmann::json::object();
  const auto& colunas = l.esquema().colunas();
  for (std::size_t i = 0; i < colunas.size(); ++i) j[colunas[i]] = l[i];
  j["TxMensagem"] = Texto(cat, l["retorno"]);
  j["TxLbl"] = Texto(cat, l["lbl"]);
  return j;
}

nlohmann::json Resumo(int resultado) {
  return {{"resultado", resultado},
          {"erros", (resultado & kConsistenciaErros) != 0},
          {"avisos", (resultado & kConsistenciaAvisos) != 0},
          {"interrompida", (resultado & kConsistenciaInterrompida) != 0}};
}

std::string Estabelecimento(const Linha& l) {
  return "Estabelecimento : (" + l["prefixo"] + ") " + std::string(Apara(l["razaosocial"])) + "  " +
         FormataInscricao(l["inscricao"], l["tipoinscricao"]);
}

}  // namespace

void ImprimeOcorrencias(Conexao& c, std::ostream& out) {
  std::optional<Catalogo> cat;
  std::string parte, registro, estab, mensagem;
  ParaCadaLinha(c, [&](const Linha& l) {
    if (!cat) cat = CatalogoDe(c);
    if (l["errwar"] != parte) {
      parte = l["errwar"];
      out << (parte == "err" ? "Relatório de Erros" : "Relatório de Avisos") << "\n";
      registro.clear();
      estab.clear();
    }
    const std::string& nivel = l["tiporegistro"];
    const std::string chave =
        nivel + l["inscricao"] + l["prefixo"] + l["copispasep"] + l["DaAdmissao"] + l["noempregado"];
    if (chave != registro) {
      registro = chave;
      mensagem.clear();
      out << "\n";
      if (nivel == "0") {
        out << "Registro tipo zero(abertura do arquivo):\n";
      } else {
        // Links of one establishment share its line.
        const std::string e = l["inscricao"] + l["prefixo"];
        if (nivel == "1" || e != estab) out << Estabelecimento(l) << "\n";
        estab = e;
        if (nivel == "2") {
          out << "  Empregado : " << FormataPis(l["copispasep"]) << " " << Apara(l["noempregado"]) << " "
              << FormataData(l["DaAdmissao"]);
          if (!Apara(l["usoempresa"]).empty()) out << " (" << Apara(l["usoempresa"]) << ")";
          out << "\n";
        }
      }
    }
    if (l["retorno"] != mensagem) {
      mensagem = l["retorno"];
      out << "    " << Texto(*cat, mensagem) << "\n";
    }
    out << "      " << Texto(*cat, l["lbl"]) << (nivel == "2" ? "= " : " = ") << l["Conteudo"] << "\n";
  });
}

nlohmann::json OcorrenciasJson(Conexao& c, int resultado) {
  const Catalogo cat = CatalogoDe(c);
  nlohmann::json linhas = nlohmann::json::array();
  ParaCadaLinha(c, [&](const Linha& l) { linhas.push_back(LinhaJson(cat, l)); });
  nlohmann::json r = Resumo(resultado);
  r["ocorrencias"] = std::move(linhas);
  return r;
}

void EscreveOcorrenciasJson(Conexao& c, int resultado, std::ostream& out) {
  const Catalogo cat = CatalogoDe(c);
  EscreveObjetoJson(out, Resumo(resultado), "ocorrencias", [&](std::ostream& o) {
    o << "[";
    bool primeira = true;
    ParaCadaLinha(c, [&](const Linha& l) {
      o << (primeira ? "\n    " : ",\n    ") << TextoJsonLinha(LinhaJson(cat, l));
      primeira = false;
    });
    o << (primeira ? "]" : "\n  ]");
  });
}

}  // namespace vornex::cli
