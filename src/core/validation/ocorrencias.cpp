#include "validation/ocorrencias.h"

#include "common/catalogo.h"
#include "data/banco.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"

namespace vornex {

void ParaCadaOcorrencia(Conexao& c, const std::function<void(const Linha&)>& f) {
  if (!ExisteTabela(c, kTabelaErros)) return;
  Consulta q(c, {"Select *", std::string("from ") + kTabelaErros, "order by errwar,sequencial"});
  while (q.proxima()) f(q.linha());
}

std::vector<Linha> LeOcorrencias(Conexao& c) {
  std::vector<Linha> r;
  ParaCadaOcorrencia(c, [&](const Linha& l) { r.push_back(l); });
  return r;
}

std::vector<ParteOcorrencias> AgrupaOcorrencias(const std::vector<Linha>& linhas, const Catalogo& catalogo) {
  std::vector<ParteOcorrencias> partes;
  std::string parte, registro, estabelecimento, titulo;
  for (const Linha& l : linhas) {
    if (partes.empty() || l["errwar"] != parte) {
      parte = l["errwar"];
      partes.push_back({parte != "err", {}});
      registro.clear(), estabelecimento.clear(), titulo.clear();
    }
    auto& registros = partes.back().registros;
    const std::string& nivel = l["tiporegistro"];
    const std::string estab = l["inscricao"] + "/" + l["prefixo"];
    const std::string vinculo = l["copispasep"] + "/" + l["DaAdmissao"] + "/" + l["noempregado"];
    const std::string chave = nivel + "|" + estab + "|" + vinculo;
    if (registros.empty() || chave != registro) {
      registro = chave;
      RegistroOcorrencia r{nivel, false, l, {}};
      if (nivel == "1" || (nivel == "2" && estab != estabelecimento)) {
        r.abreEstabelecimento = true;
        estabelecimento = estab;
      }
      registros.push_back(std::move(r));
    }
    auto& mensagens = registros.back().mensagens;
    if (mensagens.empty() || l["retorno"] != mensagens.back().numero) {
      // What names the record in the heading: nothing for the opening record,
      // the establishment for its own record, the link for a link.
      const std::string doRegistro = nivel == "0" ? "0" : nivel == "1" ? "1" + estab : nivel + estab + "/" + vinculo;
      const std::string t = doRegistro + "|" + l["retorno"];
      mensagens.push_back({l["retorno"], catalogo.texto(l["retorno"]), t == titulo, {}});
      titulo = t;
    }
    mensagens.back().campos.push_back({catalogo.texto(l["lbl"]), l["Conteudo"]});
  }
  return partes;
}

}  // namespace vornex
