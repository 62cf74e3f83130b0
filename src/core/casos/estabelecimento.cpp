#include "casos/estabelecimento.h"

#include <utility>

#include "casos/filtro_consulta.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {
namespace {

using sv = std::string_view;

ChaveEstabelecimento ChaveDe(const Linha& e) {
  return {e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
}

// The columns a new prefix takes from the registration's other prefix (the
// e-mail is not among them).
constexpr const char* kColunasCopiadas[] = {
    "InZemaNegEstabelecimento", "AnBase", "CoCgcVinculado", "NoRazaoEstabelecimento", "TxUsoEstabelecimento",
    "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento",
    "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "CoCnae", "CoNaturezaJuridica",
    "NuProprietEstabelecimento", "MeDataBase", "NuDDD", "NuTelefone", "InOptanteSimples",
    "InEncerramentoAtividade", "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5",
    "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
    "PoCestaAlimento", "PoAlimentacaoConvenio"};

void ExcluiVinculos(Conexao& c, const ChaveEstabelecimento& k) {
  c.prepara({"DELETE FROM Bd8vinc", "WHERE AnBase = :a AND CoCgcCeiEstabelecimento = :i",
             "AND NuPrefixoEstabelecimento = :p"})
      .defineTexto("a", k.anBase)
      .defineTexto("i", InscricaoArmazenada(k.inscricao))
      .defineTexto("p", k.prefixo)
      .executa();
}

// The stored counts replaced by the real ones.
void Reconta(Conexao& c, Linha& e, long long& vinculos, long long& estrangeiros) {
  const auto k = ChaveDe(e);
  vinculos = ContaVinculos(c, k);
  estrangeiros = ContaEstrangeiros(c, k);
  e["NuVinculosEstabelecimento"] = ZerosEsquerda(std::to_string(vinculos), 6);
  e["NuEstrangeirosEstabelec"] = ZerosEsquerda(std::to_string(estrangeiros), 5);
}

FalhaChecagem Falha(const char* foco, NuMensagem m) { return {foco, foco, m, false}; }

}  // namespace

// --- creating -------------------------------------------------------------------------

TipoDigitado TipoDaInscricaoDigitada(sv digitada) {
  const sv d = Apara(digitada);
  const std::string completa = d.size() == 12 ? "00" + std::string(d) : std::string(d);
  TipoDigitado r;
  const NuMensagem m = CriticaCnpjCei(completa);
  if (m == "0051"_msg) {
    if (d.size() == 14) r.tipo = "1"; else r.mensagem = "1003"_msg;
  } else if (m == "0052"_msg) {
    if (d.size() == 12) r.tipo = "3"; else r.mensagem = "1004"_msg;
  } else if (m == "0050"_msg) {
    r.tipo = d.size() == 12 ? "3" : "1";
  } else {
    r.mensagem = m;
  }
  r.armazenada = InscricaoArmazenada(std::string(d));
  return r;
}

Linha NovoEstabelecimento(Conexao& c, const ChaveEstabelecimento& k) {
  // What a new establishment holds until its screen is filled in; every
  // other column starts empty.
  static constexpr std::pair<const char*, const char*> kPadroes[] = {
      {"CoCgcVinculado", "00000000000000"}, {"NuEnderecoEstabelecimento", "000000"},
      {"CoCepEstabelecimento", "00000000"},  {"CoMunicipio", "0000000"},
      {"CoCnae", "00000"},                   {"CoNaturezaJuridica", "0000"},
      {"NuProprietEstabelecimento", "00"},   {"MeDataBase", "00"},
      {"InZemaNegEstabelecimento", "0"},     {"NuVinculosEstabelecimento", "000000"},
      {"NuEstrangeirosEstabelec", "00000"},  {"InOpcaoAberta", "0"},
      {"InPorte", "3"},                      {"InEncerramentoAtividade", "2"},
  };
  Linha e = Tabela(c, kTabelaEstabelecimentos).novaLinha();
  e["AnBase"] = k.anBase;
  e["CoCgcCeiEstabelecimento"] = InscricaoArmazenada(k.inscricao);
  e["NuPrefixoEstabelecimento"] = k.prefixo;
  for (const auto& [coluna, valor] : kPadroes) e[coluna] = valor;
  return e;
}

SituacaoChave VerificaChaveNova(Conexao& c, const ChaveEstabelecimento& k, sv tipo) {
  const std::string inscricao = InscricaoArmazenada(k.inscricao);
  const bool ambigua = CriticaCnpjCei(inscricao) == "0050"_msg;
  if (auto existente = BuscaEstabelecimento(c, k)) {
    if ((*existente)["InInscrEstabelecimento"] != tipo) return {ambigua ? "1009"_msg : "1003"_msg, {}};
    return {"1000"_msg, {}};
  }
  Tabela t(c, kTabelaEstabelecimentos);
  auto outro = t.busca({k.anBase, inscricao});
  if (!outro) return {};
  if ((*outro)["InInscrEstabelecimento"] != tipo) return {ambigua ? kSemOcorrencia : "1003"_msg, {}};
  return {kSemOcorrencia, std::move(outro)};
}

ResultadoCriacao CriaEstabelecimento(Conexao& c, const Referencias& ref, const PedidoCriacao& p) {
  ResultadoCriacao r;
  const TipoDigitado tipo = TipoDaInscricaoDigitada(p.inscricao);
  if (!tipo.mensagem.ok()) {
    r.falha = Falha("CoCgcCeiEstabelecimento", tipo.mensagem);
    return r;
  }
  Linha e = NovoEstabelecimento(c, {p.anBase, tipo.armazenada, p.prefixo});
  e["InInscrEstabelecimento"] = tipo.tipo;
  e["CoCgcVinculado"] = p.ceiVinculado;
  e["NoRazaoEstabelecimento"] = p.razao;
  e["TxUsoEstabelecimento"] = p.usoEmpresa;
  e["InZemaNegEstabelecimento"] = p.tipoZema;
  if (Apara(e["NuPrefixoEstabelecimento"]).empty()) e["NuPrefixoEstabelecimento"] = "00";

  Transacao tr(c);
  r.chave = ChaveDe(e);
  SituacaoChave situacao = VerificaChaveNova(c, r.chave, tipo.tipo);
  if (!situacao.mensagem.ok()) {
    r.falha = Falha("NuPrefixoEstabelecimento", situacao.mensagem);
    return r;
  }
  // The copied identification is checked as if it had been typed.
  if (p.copiaOutroPrefixo && situacao.modelo) {
    for (const char* col : kColunasCopiadas) e[col] = (*situacao.modelo)[col];
    e["NuVinculosEstabelecimento"] = "000000";
    e["NuEstrangeirosEstabelec"] = "00000";
    e["InOpcaoAberta"] = "0";
    r.copiado = true;
  }
  ResultadoChecagem ch = ChecaIdentificacao(e, ref, ModoChecagem::PrimeiraFalha);
  if (!ch.ok()) {
    r.falha = ch.falhas.front();
    return r;
  }
  r.chave = ChaveDe(e);
  e["CoCgcVinculado"] = CeiVinculadoArmazenado(e["CoCgcVinculado"]);
  Tabela(c, kTabelaEstabelecimentos).inclui(e);
  tr.confirma();
  return r;
}

// --- editing -----------------------------------------------------------------------

NuMensagem MensagemOperacaoPendente(sv codigo) {
  const sv v = Apara(codigo);
  if (v == "0") return "0500"_msg;
  if (v == "1") return "0501"_msg;
  if (v == "3") return "0502"_msg;
  if (v == "4") return "0503"_msg;
  if (v == "5") return "0504"_msg;
  return kSemOcorrencia;
}

OperacaoPendente AvisoOperacaoPendente(Conexao& c, const ChaveEstabelecimento& k) {
  Transacao tr(c);
  OperacaoPendente r;
  r.estab = BuscaEstabelecimento(c, k);
  if (!r.estab) return r;
  r.mensagem = MensagemOperacaoPendente((*r.estab)["InOpcaoAberta"]);
  if (!(*r.estab)["InOpcaoAberta"].empty()) {
    Linha limpo = *r.estab;
    limpo["InOpcaoAberta"].clear();
    Tabela(c, kTabelaEstabelecimentos).altera(*r.estab, limpo);
  }
  tr.confirma();
  return r;
}

ResultadoAbertura AbreEstabelecimento(Conexao& c, const ChaveEstabelecimento& k, bool novo) {
  Transacao tr(c);
  ResultadoAbertura r;
  auto original = BuscaEstabelecimento(c, k);
  if (!original) return r;
  Linha e = *original;
  if (!novo) r.pendente = {MensagemOperacaoPendente(e["InOpcaoAberta"]), original};
  long long vinculos = 0, estrangeiros = 0;
  Reconta(c, e, vinculos, estrangeiros);
  r.avisoCnae = e.logico("InAvisoCnae");
  e.defineLogico("InAvisoCnae", false);
  e["InOpcaoAberta"] = "0";
  Tabela(c, kTabelaEstabelecimentos).altera(*original, e);
  tr.confirma();
  r.estab = std::move(e);
  return r;
}

void FechaEstabelecimento(Conexao& c, const ChaveEstabelecimento& k) {
  Transacao tr(c);
  auto e = BuscaEstabelecimento(c, k);
  if (!e || (*e)["InOpcaoAberta"].empty()) return;
  Linha limpo = *e;
  limpo["InOpcaoAberta"].clear();
  Tabela(c, kTabelaEstabelecimentos).altera(*e, limpo);
  tr.confirma();
}

void DescartaEstabelecimento(Conexao& c, const ChaveEstabelecimento& k) {
  Transacao tr(c);
  auto e = BuscaEstabelecimento(c, k);
  if (!e) return;
  ExcluiVinculos(c, ChaveDe(*e));
  Tabela(c, kTabelaEstabelecimentos).exclui(*e);
  tr.confirma();
}

ResultadoGravaEstab GravaEstabelecimento(Conexao& c, const Referencias& ref, PedidoGravaEstab p) {
  ResultadoGravaEstab r;
  Linha& e = p.estab;
  if (p.novo) r.checagem = ChecaIdentificacao(e, ref, p.modo);
  if (r.checagem.ok() || p.modo == ModoChecagem::TodosOsCampos) {
    ResultadoChecagem conf = ChecaConfirmacao(e, ref, p.modo);
    for (auto& f : conf.falhas) r.checagem.falhas.push_back(std::move(f));
    for (auto& a : conf.avisos) r.checagem.avisos.push_back(std::move(a));
  }
  if (!r.checagem.ok()) return r;

  Transacao tr(c);
  const ChaveEstabelecimento k = ChaveDe(e);
  Tabela t(c, kTabelaEstabelecimentos);
  std::optional<Linha> original;
  if (p.novo) {
    const SituacaoChave s = VerificaChaveNova(c, k, e["InInscrEstabelecimento"]);
    if (!s.mensagem.ok()) {
      r.checagem.falhas.push_back(Falha("NuPrefixoEstabelecimento", s.mensagem));
      return r;
    }
  } else if (!(original = BuscaEstabelecimento(c, k))) {
    r.checagem.falhas.push_back(Falha("CoCgcCeiEstabelecimento", "1006"_msg));
    return r;
  }
  if (e["InZemaNegEstabelecimento"] == "1") {
    if (const long long n = ContaVinculos(c, k); n > 0) {
      if (!p.excluiVinculos) {
        r.confirmacao = "1005"_msg;
        return r;
      }
      ExcluiVinculos(c, k);
      r.vinculosExcluidos = n;
    }
  }
  Reconta(c, e, r.vinculos, r.estrangeiros);
  e["CoCgcVinculado"] = CeiVinculadoArmazenado(e["CoCgcVinculado"]);
  e["InOpcaoAberta"] = p.continuaEdicao ? "0" : "";
  if (p.novo)
    t.inclui(e);
  else
    t.altera(*original, e);
  tr.confirma();
  r.gravado = true;
  r.estab = std::move(e);
  return r;
}

// --- the consultation -----------------------------------------------------------------

std::vector<LinhaConsultaEstab> ConsultaEstabelecimentos(Conexao& c, const FiltroConsultaEstab& f) {
  const sv inscricao = Apara(f.inscricao), razao = Apara(f.razao);
  std::string sql =
      "SELECT AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento,\n"
      "InInscrEstabelecimento, NuVinculosEstabelecimento, CoCgcVinculado\n"
      "FROM Bd8emp WHERE AnBase = :anbase\n";
  // Type "2" registrations were kept without the two leading zeros.
  if (!inscricao.empty())
    sql +=
        "AND ((CoCgcCeiEstabelecimento LIKE :PCgcCei ESCAPE '\\' AND InInscrEstabelecimento <> '2')\n"
        "  OR (CoCgcCeiEstabelecimento LIKE '00' || :PCgcCei ESCAPE '\\' AND InInscrEstabelecimento = '2'))\n";
  sql += FiltroNome("NoRazaoEstabelecimento", razao, f.letras);
  sql += "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento";

  Consulta& q = c.prepara(sql);
  q.defineTexto("anbase", f.anBase);
  if (!inscricao.empty()) q.defineTexto("PCgcCei", ComecaCom(inscricao));
  DefineFiltroNome(q, razao, f.letras);
  std::vector<LinhaConsultaEstab> r;
  while (q.proxima())
    r.push_back({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2)),
                 std::string(q.texto(3)), std::string(q.texto(4)), std::string(q.texto(5)),
                 std::string(q.texto(6))});
  return r;
}

ResultadoSelecao ValidaEstabSelecionado(Conexao& c, const PedidoSelecao& p) {
  ResultadoSelecao r;
  auto Recusa = [&r](NuMensagem m) {
    r.mensagem = m;
    return r;
  };
  const std::string inscricao = InscricaoArmazenada(std::string(Apara(p.chave.inscricao)));
  if (Apara(p.chave.inscricao).empty()) return Recusa("1301"_msg);
  const NuMensagem m = CriticaCnpjCei(inscricao);
  if (m != "0050"_msg && m != "0051"_msg && m != "0052"_msg) return Recusa("1002"_msg);

  Transacao tr(c);
  auto e = BuscaEstabelecimento(c, p.chave);
  if (!e) return Recusa("1301"_msg);
  if (!CriticaInscricaoTipo(inscricao, (*e)["InInscrEstabelecimento"]).ok()) {
    if (m == "0051"_msg)
      r.tipoCorrigido = "1";
    else if (m == "0052"_msg)
      r.tipoCorrigido = "3";
    else if (!p.tipoEscolhido)
      {
      r.perguntaTipo = true;
      return r;
    }
    else if (*p.tipoEscolhido == "CNPJ")
      r.tipoCorrigido = "1";
    else if (*p.tipoEscolhido == "CEI")
      r.tipoCorrigido = "3";
    else
      return Recusa("1002"_msg);
    Linha corrigido = *e;
    corrigido["InInscrEstabelecimento"] = r.tipoCorrigido;
    Tabela(c, kTabelaEstabelecimentos).altera(*e, corrigido);
  }
  tr.confirma();
  if (!CriticaPrefixo((*e)["NuPrefixoEstabelecimento"]).ok()) r.mensagem = "1052"_msg;
  return r;
}

}  // namespace vornex
