#include "ocorrencias.h"

#include <string>
#include <vector>

#include "common/catalogo.h"
#include "common/texto.h"
#include "json_cli.h"
#include "validation/consistencia.h"
#include "validation/ocorrencias.h"

namespace vornex::cli {
namespace {

std::string Estabelecimento(const Linha& l) {
  return "Estabelecimento : (" + l["prefixo"] + ") " + std::string(Apara(l["razaosocial"])) + "  " +
         FormataInscricao(l["inscricao"], l["tipoinscricao"]);
}

// One row keyed by its columns, plus the texts of its numbers.
nlohmann::json OcorrenciaJson(const Linha& l, const Catalogo& catalogo) {
  nlohmann::json o = LinhaJson<nlohmann::json>(l);
  o["TxMensagem"] = catalogo.texto(l["retorno"]);
  o["TxLbl"] = catalogo.texto(l["lbl"]);
  return o;
}

nlohmann::json Resumo(int resultado) {
  return {{"resultado", resultado},
          {"erros", (resultado & kConsistenciaErros) != 0},
          {"avisos", (resultado & kConsistenciaAvisos) != 0},
          {"interrompida", (resultado & kConsistenciaInterrompida) != 0}};
}

}  // namespace

void ImprimeOcorrencias(const std::vector<Linha>& linhas, const Catalogo& catalogo, std::ostream& out) {
  for (const ParteOcorrencias& parte : AgrupaOcorrencias(linhas, catalogo)) {
    out << (parte.avisos ? "Relatório de Avisos" : "Relatório de Erros") << "\n";
    for (const RegistroOcorrencia& r : parte.registros) {
      const Linha& l = r.linha;
      out << "\n";
      if (r.nivel == "0") {
        out << "Registro tipo zero(abertura do arquivo):\n";
      } else {
        if (r.abreEstabelecimento) out << Estabelecimento(l) << "\n";
        if (r.nivel == "2") {
          out << "  Empregado : " << FormataPis(l["copispasep"]) << " " << Apara(l["noempregado"]) << " "
              << FormataData(l["DaAdmissao"]);
          if (!Apara(l["usoempresa"]).empty()) out << " (" << Apara(l["usoempresa"]) << ")";
          out << "\n";
        }
      }
      for (const MensagemOcorrencia& m : r.mensagens) {
        out << "    " << m.texto << "\n";
        for (const CampoOcorrencia& c : m.campos)
          out << "      " << c.rotulo << (r.nivel == "2" ? "= " : " = ") << c.conteudo << "\n";
      }
    }
  }
}

nlohmann::json OcorrenciasJson(const std::vector<Linha>& linhas, const Catalogo& catalogo, int resultado) {
  nlohmann::json j = nlohmann::json::array();
  for (const auto& l : linhas) j.push_back(OcorrenciaJson(l, catalogo));
  nlohmann::json r = Resumo(resultado);
  r["ocorrencias"] = std::move(j);
  return r;
}

void EscreveOcorrenciasJson(Conexao& c, const Catalogo& catalogo, int resultado, std::ostream& out) {
  EscreveObjetoJson(out, Resumo(resultado), "ocorrencias", [&](std::ostream& o) {
    o << "[";
    bool primeira = true;
    ParaCadaOcorrencia(c, [&](const Linha& l) {
      o << (primeira ? "\n    " : ",\n    ") << TextoJsonLinha(OcorrenciaJson(l, catalogo));
      primeira = false;
    });
    o << (primeira ? "]" : "\n  ]");
  });
}

}  // namespace vornex::cli
