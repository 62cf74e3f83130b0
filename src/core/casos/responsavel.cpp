#include "casos/responsavel.h"

#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabelas.h"

namespace vornex {

Linha LeResponsavelOuVazio(Conexao& c) {
  auto r = LeResponsavel(c);
  return r ? *r : DefinicaoSistema(kTabelaResponsavel)->novaLinha();
}

ResultadoGravaResponsavel GravaResponsavel(Conexao& c, const Referencias& ref, const PedidoGravaResponsavel& pedido) {
  ResultadoGravaResponsavel r;
  r.responsavel = pedido.responsavel;
  if (pedido.inscricaoDigitada) {
    const InscricaoResponsavel i = AnalisaInscricaoResponsavel(*pedido.inscricaoDigitada);
    if (!i.mensagem.ok()) {
      // The registration refused: the row keeps no value it does not match.
      r.responsavel["InInscrResponsavel"].clear();
      r.checagem.falhas.push_back({i.mensagem, "CoCgcCeiResponsavel", "CoCgcCeiResponsavel"});
      if (!pedido.todosOsCampos) return r;
    } else {
      r.responsavel["CoCgcCeiResponsavel"] = i.armazenada;
      r.responsavel["InInscrResponsavel"] = i.tipo;
    }
  }
  ResultadoResponsavel resto = ChecaResponsavel(r.responsavel, ref, pedido.todosOsCampos);
  for (auto& f : resto.falhas) {
    // The registration already answered for itself.
    if (!r.checagem.ok() && (f.campo == "CoCgcCeiResponsavel" || f.campo == "InInscrResponsavel")) continue;
    r.checagem.falhas.push_back(f);
  }
  r.checagem.avisos = std::move(resto.avisos);
  if (!r.checagem.ok()) return r;

  CompletaResponsavel(r.responsavel);
  GravaResponsavel(c, r.responsavel);  // one transaction
  return r;
}

bool DicaDispensada(Conexao& c, const char* coluna) {
  const auto resp = LeResponsavel(c);
  return resp && resp->logico(coluna);
}

void DispensaDica(Conexao& c, const char* coluna, bool dispensada) {
  Transacao t(c);
  Linha resp = EditaResponsavel(c);
  resp.defineLogico(coluna, dispensada);
  GravaResponsavel(c, resp);
  t.confirma();
}

}  // namespace vornex
