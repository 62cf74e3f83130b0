#include "ocorrencias.h"

#include <string>
#include <vector>

#include "common/catalogo.h"
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

std::vector<Linha> Linhas(Conexao& c) {
  if (!ExisteTabela(c, kTabelaErros)) return {};
  Consulta q(c, "Select *\nfrom Te8ErrWA\norder by errwar,sequencial");
  return q.todas();
}

std::string Estabelecimento(const Linha& l) {
  return "Estabelecimento : (" + l["prefixo"] + ") " + std::string(Apara(l["razaosocial"])) + "  " +
         FormataInscricao(l["inscricao"], l["tipoinscricao"]);
}

}  // namespace

void ImprimeOcorrencias(Conexao& c, std::ostream& out) {
  const auto linhas = Linhas(c);
  if (linhas.empty()) return;
  const Catalogo cat = CatalogoDe(c);
  std::string parte, registro, estab, mensagem;
  for (const auto& l : linhas) {
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
      out << "    " << Texto(cat, mensagem) << "\n";
    }
    out << "      " << Texto(cat, l["lbl"]) << (nivel == "2" ? "= " : " = ") << l["Conteudo"] << "\n";
  }
}

nlohmann::json OcorrenciasJson(Conexao& c, int resultado) {
  const Catalogo cat = CatalogoDe(c);
  nlohmann::json linhas = nlohmann::json::array();
  for (const auto& l : Linhas(c)) {
    nlohmann::json j = nlohmann::json::object();
    const auto& colunas = l.esquema().colunas();
    for (std::size_t i = 0; i < colunas.size(); ++i) j[colunas[i]] = l[i];
    j["TxMensagem"] = Texto(cat, l["retorno"]);
    j["TxLbl"] = Texto(cat, l["lbl"]);
    linhas.push_back(std::move(j));
  }
  return {{"resultado", resultado},
          {"erros", (resultado & kConsistenciaErros) != 0},
          {"avisos", (resultado & kConsistenciaAvisos) != 0},
          {"interrompida", (resultado & kConsistenciaInterrompida) != 0},
          {"ocorrencias", std::move(linhas)}};
}

}  // namespace vornex::cli
