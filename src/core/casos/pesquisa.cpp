#include "casos/pesquisa.h"

#include "common/texto.h"
#include "data/banco.h"

namespace vornex {

std::optional<char> CodigoDaNota(std::string_view nota) {
  const std::string_view v = Apara(nota);
  if (v.size() > 2 || !SoDigitos(v)) return std::nullopt;
  const std::string n = ZerosEsquerda(v, 2);
  if (n == "00") return 'B';
  if (n == "10") return 'A';
  if (n == "77") return 'X';
  if (n[0] == '0') return n[1];
  return std::nullopt;
}

std::string NotaDoCodigo(char codigo) {
  switch (codigo) {
    case 'A': return "10";
    case 'X': return "77";
    case 'B': return "";
    default: return std::string("0") + codigo;
  }
}

std::string LeRespostasPesquisa(Conexao& c) {
  std::string r(kQuestoesPesquisa, 'B');
  Consulta& q = c.prepara("Select NuRespostaPesquisa from BD8Resp");
  if (q.proxima()) {
    const std::string_view s = q.texto(0);
    for (std::size_t i = 0; i < s.size() && i < r.size(); ++i)
      if (s[i] != ' ') r[i] = s[i];
    q.reinicia();
  }
  return r;
}

void GravaRespostasPesquisa(Conexao& c, std::string_view respostas) {
  Transacao tr(c);
  if (c.prepara("select count(*) from BD8Resp").escalar() == 0)
    c.prepara("Insert into bd8resp (NuRespostaPesquisa) values (:NuRespostaPesquisa)")
        .defineTexto("NuRespostaPesquisa", respostas)
        .executa();
  else
    c.prepara("update BD8Resp set NuRespostaPesquisa = :NuRespostaPesquisa")
        .defineTexto("NuRespostaPesquisa", respostas)
        .executa();
  tr.confirma();
}

}  // namespace vornex
