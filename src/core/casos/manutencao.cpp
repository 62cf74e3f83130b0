#include "casos/manutencao.h"

#include "common/texto.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "validation/regras_contrato.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {

namespace {

bool InscricaoAceita(NuMensagem m) { return m == "0050"_msg || m == "0051"_msg || m == "0052"_msg; }

ChaveEstabelecimento Armazenada(ChaveEstabelecimento k) {
  k.inscricao = InscricaoArmazenada(Apara(k.inscricao));
  k.prefixo = std::string(Apara(k.prefixo));
  if (k.prefixo.empty()) k.prefixo = "00";
  return k;
}

void Etapa(const EtapaManutencao& etapa, std::string_view nome) {
  if (etapa) etapa(nome);
}

Consulta& DefineChave(Consulta& q, const ChaveEstabelecimento& k) {
  return q.defineTexto(":anBase", k.anBase).defineTexto(":inscricao", k.inscricao).defineTexto(":prefixo", k.prefixo);
}

constexpr std::string_view kCondicaoEstab =
    "where AnBase = :anBase and CoCgcCeiEstabelecimento = :inscricao and NuPrefixoEstabelecimento = :prefixo";

void MarcaOperacao(Conexao& c, const ChaveEstabelecimento& k, std::string_view codigo) {
  Consulta& q = c.prepara({"update Bd8emp set InOpcaoAberta = :opcao", kCondicaoEstab});
  DefineChave(q, k).defineTexto(":opcao", codigo).executa();
}

// The links of `k` that `v` names: by PIS/PASEP and admission date, and by
// name when it is given.
Consulta& VinculosNomeados(Conexao& c, std::string_view inicio, const ChaveEstabelecimento& k,
                           const VinculoEscolhido& v) {
  Consulta& q = v.nome ? c.prepara({inicio, kCondicaoEstab,
                                    "  and CoPisPasepEmpregado = :pis and DaAdmissaoEmpregado = :admissao",
                                    "  and NoEmpregado = :nome"})
                       : c.prepara({inicio, kCondicaoEstab,
                                    "  and CoPisPasepEmpregado = :pis and DaAdmissaoEmpregado = :admissao"});
  DefineChave(q, k).defineTexto(":pis", v.pis).defineTexto(":admissao", v.admissao);
  if (v.nome) q.defineTexto(":nome", *v.nome);
  return q;
}

// The columns of a destination created by a transfer that are not left empty.
Linha LinhaDestino(const Tabela& t, const ChaveEstabelecimento& k, const std::string& tipo) {
  Linha l = t.novaLinha();
  l["AnBase"] = k.anBase;
  l["CoCgcCeiEstabelecimento"] = k.inscricao;
  l["NuPrefixoEstabelecimento"] = k.prefixo;
  l["InInscrEstabelecimento"] = tipo;
  l["InZemaNegEstabelecimento"] = "0";
  l["CoCgcVinculado"] = "00000000000000";
  l["NuEnderecoEstabelecimento"] = "000000";
  l["CoCepEstabelecimento"] = "00000000";
  l["CoMunicipio"] = "0000000";
  l["CoCnae"] = "00000";
  l["CoNaturezaJuridica"] = "0000";
  l["NuProprietEstabelecimento"] = "00";
  l["NuVinculosEstabelecimento"] = "000000";
  l["NuEstrangeirosEstabelec"] = "00000";
  for (const char* coluna : {"InPorte", "InOptanteSimples", "InParticipaPAT"}) l[coluna] = " ";
  for (const char* coluna : {"NuVinculoPatMaior5", "NuVinculoPatMenor5"}) l[coluna] = "000000";
  for (const char* coluna : {"PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
                             "PoCestaAlimento", "PoAlimentacaoConvenio"})
    l[coluna] = "000";
  l["InOpcaoAberta"] = std::string(kOpcaoTransferencia);
  return l;
}

// The registration check of an establishment that must exist: "1301" when it
// does not, else its registration's finding ("0000" when acceptable).
NuMensagem CriticaEstabelecimento(Conexao& c, const ChaveEstabelecimento& k, std::optional<Linha>& linha) {
  linha = BuscaEstabelecimento(c, k);
  if (!linha) return "1301"_msg;
  const NuMensagem m = CriticaInscricaoEscolhida(k.inscricao);
  return InscricaoAceita(m) ? kSemOcorrencia : m;
}

}  // namespace

NuMensagem CriticaInscricaoEscolhida(std::string_view inscricao) {
  return CriticaCnpjCei(InscricaoArmazenada(Apara(inscricao)));
}

NuMensagem CriticaOrigemTransferencia(Conexao& c, const ChaveEstabelecimento& origem) {
  const ChaveEstabelecimento k = Armazenada(origem);
  std::optional<Linha> linha;
  if (NuMensagem m = CriticaEstabelecimento(c, k, linha); !m.ok()) return m;
  if (!CriticaCeiVinculado((*linha)["CoCgcVinculado"]).ok()) return "1311"_msg;
  if (ContaVinculos(c, k) == 0) return "1302"_msg;
  return kSemOcorrencia;
}

InscricaoDestino CriticaInscricaoDestino(std::string_view inscricao, std::string_view tipoPedido) {
  const std::string i = InscricaoArmazenada(Apara(inscricao));
  const NuMensagem m = CriticaCnpjCei(i);
  if (!InscricaoAceita(m)) return {m, {}};
  const std::string_view t = Apara(tipoPedido);
  if (!t.empty()) {
    if (NuMensagem mt = CriticaInscricaoTipo(i, t); !mt.ok()) return {mt, {}};
    if (NuMensagem mt = CriticaTipoInscricaoEstab(t); !mt.ok()) return {mt, {}};
    return {kSemOcorrencia, std::string(t)};
  }
  return {kSemOcorrencia, m == "0052"_msg ? "3" : "1"};
}

std::string TipoInscricaoParaVinculo(Conexao& c, const ChaveEstabelecimento& chave) {
  const ChaveEstabelecimento k = Armazenada(chave);
  const auto linha = BuscaEstabelecimento(c, k);
  if (!linha) return {};
  const NuMensagem m = CriticaCnpjCei(k.inscricao);
  if (m == "0051"_msg) return "1";
  if (m == "0052"_msg) return "3";
  return (*linha)["InInscrEstabelecimento"];
}

NuMensagem CriticaCodigoVinculo(Conexao& c, const ChaveEstabelecimento& chave, std::string_view codigo) {
  const std::string_view v = Apara(codigo);
  if (v.empty()) return "1306"_msg;
  Tabela tipos(c, NomeTabela(Referencia::Vinculo));
  if (!tipos.busca({v})) return "1306"_msg;
  if (!CriticaVinculoInscricao(v, TipoInscricaoParaVinculo(c, chave)).ok()) return "1307"_msg;
  return kSemOcorrencia;
}

ResultadoExclusaoEstabelecimentos ExcluiEstabelecimentos(Conexao& c, const PedidoExclusaoEstabelecimentos& pedido) {
  ResultadoExclusaoEstabelecimentos r;
  Transacao tr(c);
  std::vector<ChaveEstabelecimento> chaves;
  for (const auto& e : pedido.estabelecimentos) {
    chaves.push_back(Armazenada(e));
    if (!BuscaEstabelecimento(c, chaves.back())) r.ausentes.push_back(chaves.back());
  }
  if (!r.ausentes.empty()) return r;
  for (const auto& k : chaves) {
    MarcaOperacao(c, k, kOpcaoExclusao);
    Etapa(pedido.etapa, "marca");
    Consulta& estab = c.prepara({"delete from Bd8emp", kCondicaoEstab});
    r.excluidos += DefineChave(estab, k).executa();
    Etapa(pedido.etapa, "estabelecimento");
    Consulta& vinculos = c.prepara({"delete from Bd8vinc", kCondicaoEstab});
    r.vinculosExcluidos += DefineChave(vinculos, k).executa();
    Etapa(pedido.etapa, "vinculos");
  }
  tr.confirma();
  return r;
}

ResultadoExclusaoVinculos ExcluiVinculos(Conexao& c, const PedidoExclusaoVinculos& pedido) {
  ResultadoExclusaoVinculos r;
  const ChaveEstabelecimento k = Armazenada(pedido.estabelecimento);
  Transacao tr(c);
  std::optional<Linha> linha;
  r.recusa = CriticaEstabelecimento(c, k, linha);
  if (r.recusa.ok() && ContaVinculos(c, k) == 0) r.recusa = "1302"_msg;
  if (r.recusa.ok() && pedido.vinculos.empty()) r.recusa = "1310"_msg;
  if (!r.recusa.ok()) return r;

  MarcaOperacao(c, k, kOpcaoExclusaoMultipla);
  Etapa(pedido.etapa, "marca");
  for (const auto& v : pedido.vinculos) {
    const int n = VinculosNomeados(c, "delete from Bd8vinc", k, v).executa();
    if (n == 0) r.ausentes.push_back(v);
    r.excluidos += n;
    Etapa(pedido.etapa, "vinculo");
  }
  if (pedido.recusaAusentes && !r.ausentes.empty()) {
    r.recusa = "1304"_msg;
    r.excluidos = 0;
    return r;
  }
  r.contagem = RecontaVinculos(c, k);
  Etapa(pedido.etapa, "contagem");
  MarcaOperacao(c, k, "");
  tr.confirma();
  return r;
}

ResultadoTransferencia TransfereVinculos(Conexao& c, const PedidoTransferencia& pedido) {
  ResultadoTransferencia r;
  const ChaveEstabelecimento origem = Armazenada(pedido.origem);
  ChaveEstabelecimento destino = Armazenada(pedido.destino);
  destino.anBase = origem.anBase;
  r.destino = destino;

  Transacao tr(c);
  r.recusa = CriticaOrigemTransferencia(c, origem);
  if (r.recusa.ok() && !pedido.todos && pedido.vinculos.empty()) r.recusa = "1310"_msg;
  if (r.recusa.ok()) {
    const InscricaoDestino d = CriticaInscricaoDestino(destino.inscricao, pedido.tipoDestino);
    r.recusa = d.mensagem;
    r.tipoDestino = d.tipo;
  }
  if (r.recusa.ok()) r.recusa = CriticaPrefixo(destino.prefixo);
  if (r.recusa.ok() && BuscaEstabelecimento(c, destino)) r.recusa = "1308"_msg;
  if (!r.recusa.ok()) return r;

  Tabela estabelecimentos(c, kTabelaEstabelecimentos);
  estabelecimentos.inclui(LinhaDestino(estabelecimentos, destino, r.tipoDestino));
  Etapa(pedido.etapa, "destino");

  constexpr std::string_view kMove =
      "update Bd8vinc set CoCgcCeiEstabelecimento = :inscricaoDestino, NuPrefixoEstabelecimento = :prefixoDestino";
  auto move = [&](Consulta& q) {
    return q.defineTexto(":inscricaoDestino", destino.inscricao)
        .defineTexto(":prefixoDestino", destino.prefixo)
        .executa();
  };
  if (pedido.todos) {
    r.transferidos = move(DefineChave(c.prepara({kMove, kCondicaoEstab}), origem));
    Etapa(pedido.etapa, "vinculo");
  } else {
    for (const auto& v : pedido.vinculos) {
      const int n = move(VinculosNomeados(c, kMove, origem, v));
      if (n == 0) r.ausentes.push_back(v);
      r.transferidos += n;
      Etapa(pedido.etapa, "vinculo");
    }
  }
  if (pedido.recusaAusentes && !r.ausentes.empty()) {
    r.recusa = "1304"_msg;
    r.transferidos = 0;
    return r;
  }
  r.origem = RecontaVinculos(c, origem);
  Etapa(pedido.etapa, "contagem-origem");
  r.contagemDestino = RecontaVinculos(c, destino);
  Etapa(pedido.etapa, "contagem-destino");
  MarcaOperacao(c, destino, "");
  tr.confirma();
  return r;
}

ResultadoAlteracaoVinculo AlteraTipoVinculo(Conexao& c, const PedidoAlteracaoVinculo& pedido) {
  ResultadoAlteracaoVinculo r;
  const ChaveEstabelecimento k = Armazenada(pedido.estabelecimento);
  Transacao tr(c);
  std::optional<Linha> linha;
  r.recusa = CriticaEstabelecimento(c, k, linha);
  if (r.recusa.ok()) r.recusa = CriticaCodigoVinculo(c, k, pedido.codigo);
  if (r.recusa.ok() && ContaVinculos(c, k) == 0) r.recusa = "1304"_msg;
  if (!r.recusa.ok()) return r;

  MarcaOperacao(c, k, kOpcaoAlteracaoVinculo);
  Etapa(pedido.etapa, "marca");
  Consulta& q = c.prepara({"update Bd8vinc set CoVinculo = :coVinculo", kCondicaoEstab});
  r.alterados = DefineChave(q, k).defineTexto(":coVinculo", Apara(pedido.codigo)).executa();
  Etapa(pedido.etapa, "vinculos");
  MarcaOperacao(c, k, "");
  tr.confirma();
  return r;
}

}  // namespace vornex
