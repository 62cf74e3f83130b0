#include "validation/consistencia.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>

#include "common/texto.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"
#include "validation/referencias_tabelas.h"
#include "validation/regras_base.h"
#include "validation/regras_contrato.h"
#include "validation/regras_declaracao.h"
#include "validation/regras_empregado.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"
#include "validation/regras_responsavel.h"

namespace vornex {

namespace {

using sv = std::string_view;

constexpr sv kAnoPrograma = "2004";
// Bound as an empty text, never as NULL (the columns are NOT NULL).
constexpr sv kVazio = "";

// Numbers the findings for the whole run of the program, so the report's
// order (errwar, Sequencial) is the order of filing.
std::atomic<long> gSequencial{0};

// The first `n` characters of a text, counted as the engine's length()
// counts them (bytes that do not continue a UTF-8 sequence), so a cut value
// always fits its column whatever bytes a file brought.
sv Corta(sv s, std::size_t n) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if ((c & 0xC0) != 0x80 && chars++ == n) return s.substr(0, i);
  }
  return s;
}

// Columns of a result resolved once by name.
template <std::size_t N>
std::array<int, N> Posicoes(Consulta& q, const std::array<sv, N>& nomes) {
  std::array<int, N> p{};
  const auto& e = *q.esquema();
  for (std::size_t i = 0; i < N; ++i) p[i] = static_cast<int>(e.indice(nomes[i]));
  return p;
}

enum class Gravidade { Erro, Aviso };
constexpr Gravidade E = Gravidade::Erro;
constexpr Gravidade W = Gravidade::Aviso;

struct Campo {
  sv conteudo;
  NuMensagem lbl;
};

// The finding rows of one pass and their flags.
class Ocorrencias {
 public:
  explicit Ocorrencias(Conexao& c) : c_(c) {}

  struct Estab {
    sv inscricao, tipo, prefixo, razao;
  };
  struct Vinc {
    sv pis, admissao, uso, nome;
  };
  Estab estab;
  Vinc vinc;
  char nivel = '0';

  void Registra(Gravidade g, sv conteudo, NuMensagem lbl, NuMensagem msg) {
    if (q_ == nullptr) {
      RecriaTabelaTrabalho(c_, kTabelaErros);
      q_ = &c_.prepara(
          "insert into trabalho.Te8ErrWa (errwar, inscricao, tipoinscricao, prefixo, tiporegistro, retorno, "
          "razaosocial, copispasep, noempregado, DaAdmissao, usoempresa, lbl, Conteudo, Sequencial) "
          "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
    }
    long seq = ++gSequencial;
    if (seq > 999999) {  // six digits: start again rather than overflow the column
      gSequencial = 1;
      seq = 1;
    }
    const bool n1 = nivel != '0', n2 = nivel == '2';
    Consulta& q = *q_;
    q.defineTexto(1, g == E ? "err" : "war");
    q.defineTexto(2, n1 ? Corta(estab.inscricao, 14) : kVazio);
    q.defineTexto(3, n1 ? Corta(estab.tipo, 1) : kVazio);
    q.defineTexto(4, n1 ? Corta(estab.prefixo, 2) : kVazio);
    q.defineTexto(5, sv(&nivel, 1));
    q.defineTexto(6, Corta(msg.texto(), 4));
    q.defineTexto(7, n1 ? Corta(estab.razao, 52) : kVazio);
    q.defineTexto(8, n2 ? Corta(vinc.pis, 11) : kVazio);
    q.defineTexto(9, n2 ? Corta(vinc.nome, 30) : kVazio);
    q.defineTexto(10, n2 ? Corta(vinc.admissao, 8) : kVazio);
    q.defineTexto(11, n2 ? Corta(vinc.uso, 12) : kVazio);
    q.defineTexto(12, Corta(lbl.texto(), 4));
    q.defineTexto(13, Corta(conteudo, 52));
    q.defineTexto(14, ZerosEsquerda(std::to_string(seq), 6));
    q.executa();
    flags_ |= g == E ? kConsistenciaErros : kConsistenciaAvisos;
  }

  // A rule's answer: each field a row with that message; true when filed.
  bool Arquiva(NuMensagem m, std::initializer_list<Campo> campos, Gravidade g = E) {
    if (m.ok()) return false;
    for (const auto& c : campos) Registra(g, c.conteudo, c.lbl, m);
    return true;
  }

  int flags() const { return flags_; }

 private:
  Conexao& c_;
  Consulta* q_ = nullptr;
  int flags_ = 0;
};

sv TextoTipoResponsavel(sv t) {
  if (t == "1") return "1 (CNPJ)";
  if (t == "3") return "3 (CEI)";
  if (t == "4") return "4 (CPF)";
  return t;
}
sv TextoTipoEstab(sv t) {
  if (t == "1") return "1 (CGC)";
  if (t == "3") return "3 (CEI)";
  return t;
}
// The link and linked-CEI checks name type 2 as the CEI.
sv TextoTipoCei(sv t) {
  if (t == "1") return "1 (CGC)";
  if (t == "2") return "2 (CEI)";
  return t;
}

bool Inscr(NuMensagem m, std::initializer_list<sv> ok) {
  for (auto o : ok)
    if (m == o) return true;
  return false;
}

// Address and contact of the responsible person and of an establishment
// share their checks, except where noted.
struct Endereco {
  sv logradouro, numero, complemento, bairro, cep, municipio, nomeMunicipio, uf, ddd, telefone;
};

void ChecaEndereco(Ocorrencias& o, const Referencias& ref, const Endereco& e, bool estab) {
  o.Arquiva(CriticaLogradouro(e.logradouro), {{e.logradouro, "1605"_msg}});
  o.Arquiva(CriticaNumeroEndereco(e.numero), {{e.numero, "1606"_msg}});
  if (!o.Arquiva(CriticaComplemento(e.complemento), {{e.complemento, "1607"_msg}}))
    o.Arquiva(CriticaComplementoSemNumero(e.numero, e.complemento),
              {{e.numero, "1606"_msg}, {e.complemento, "1607"_msg}});
  o.Arquiva(CriticaBairro(e.bairro), {{e.bairro, "1608"_msg}});
  o.Arquiva(CriticaCep(e.cep), {{e.cep, "1609"_msg}});
  if (!o.Arquiva(CriticaMunicipio(e.municipio, ref), {{e.municipio, "1610"_msg}}))
    o.Arquiva(CriticaCepMunicipio(e.cep, e.municipio, true, ref), {{e.cep, "1609"_msg}, {e.municipio, "1610"_msg}},
              W);
  o.Arquiva(CriticaNomeMunicipio(e.nomeMunicipio), {{e.nomeMunicipio, "1611"_msg}});
  const std::string coUf = ref.CodigoUf(Apara(e.uf)).value_or("");
  if (!o.Arquiva(CriticaUf(e.uf, ref), {{e.uf, "1612"_msg}})) {
    o.Arquiva(CriticaUfMunicipio(e.municipio, e.uf, ref), {{e.municipio, "1610"_msg}, {e.uf, "1612"_msg}});
    o.Arquiva(CriticaCepUf(e.cep, coUf, ref), {{e.cep, "1609"_msg}, {e.uf, "1612"_msg}});
  }
  if (!o.Arquiva(CriticaDdd(e.ddd), {{e.ddd, "1613"_msg}}))
    o.Arquiva(CriticaDddUf(e.ddd, coUf), {{e.uf, "1612"_msg}, {e.ddd, "1613"_msg}}, W);
  if (!o.Arquiva(CriticaTelefone(e.telefone), {{e.telefone, "1614"_msg}})) {
    const NuMensagem r = CriticaDddTelefone(e.ddd, e.telefone);
    o.Arquiva(r, {{e.ddd, "1613"_msg}, {e.telefone, "1614"_msg}}, estab && r == "3102"_msg ? W : E);
  }
}

// --- responsible record (level 0) -------------------------------------------------

void ChecaResponsavel(Ocorrencias& o, const Referencias& ref, const Linha& r) {
  o.nivel = '0';
  const sv t = Apara(r["InInscrResponsavel"]);
  const sv v = r["CoCgcCeiResponsavel"];
  const sv tipoTexto = TextoTipoResponsavel(t);

  NuMensagem r1, r2;
  if (t == "4") {
    r1 = CriticaInscricaoResponsavel(v, 11);
    if (!Inscr(r1, {"0000", "0056"})) r2 = CriticaCnpjCei(v);
  } else {
    r1 = CriticaCnpjCei(v);
    if (!Inscr(r1, {"0000", "0050", "0051", "0052"})) r2 = CriticaInscricaoResponsavel(v, 11);
  }
  if (Inscr(r2, {"0050", "0051", "0052", "0056"}))
    r2 = kSemOcorrencia;
  else if (!Inscr(r1, {"0000", "0050", "0051", "0052", "0056"}))
    o.Arquiva(r1, {{v, "1599"_msg}});
  if (r2.ok()) {
    if (!o.Arquiva(CriticaTipoInscricaoResp(t), {{tipoTexto, "1601"_msg}}))
      o.Arquiva(CriticaInscricaoTipo(v, t), {{tipoTexto, "1601"_msg}, {v, "1599"_msg}});
  }

  const sv nome = Apara(r["NoResponsavelArquivo"]);
  o.Arquiva(CriticaRazaoSocial(nome, {}, ref), {{nome, "1604"_msg}});
  ChecaEndereco(o, ref,
                {r["EdLogradouroRespArquivo"], r["NuLogradouroRespArquivo"], r["TxComplementoRespArquivo"],
                 r["NoBairroRespArquivo"], r["CoCepRespArquivo"], r["CoMunicipioRespArquivo"],
                 r["NoMunicipioRespArquivo"], r["SgUfRespArquivo"], r["NuFoneDDD"], r["NuFoneAssinante"]},
                false);
  const bool retifica = r["InRetificacao"] == "1";
  o.Arquiva(CriticaDaRetificacao(retifica, r["DaRetificacao"]),
            {{r["DaRetificacao"], "1615"_msg},
             {retifica ? "Assinalado para retificação" : "Não assinalado", "1660"_msg}});
  o.Arquiva(CriticaDaGeracao(r["DaGeracao"]), {{r["DaGeracao"], "1616"_msg}});
  o.Arquiva(CriticaEmail(r["TxEMailRespArquivo"]), {{r["TxEMailRespArquivo"], "1617"_msg}});
}

// --- establishment (level 1) -------------------------------------------------------

void ChecaEstabelecimento(Ocorrencias& o, const Referencias& ref, const Linha& e, bool estrito) {
  o.nivel = '1';
  if (const sv op = Apara(e["InOpcaoAberta"]); !op.empty()) {
    const sv texto = (op == "1" || op == "2" || op == "3") ? "Outras opções"
                     : op == "4"                           ? "Exclusão de estabelecimento"
                                                           : "Atualização de estabelecimento";
    o.Registra(E, texto, "1666"_msg, "1677"_msg);
  }
  const sv anBase = e["AnBase"];
  if (anBase != kAnoPrograma) o.Registra(E, anBase, "1658"_msg, "1911"_msg);

  const sv inscr = e["CoCgcCeiEstabelecimento"];
  const sv tipo = e["InInscrEstabelecimento"];
  if (const NuMensagem r = CriticaCnpjCei(inscr); !Inscr(r, {"0000", "0050", "0051", "0052"}))
    o.Arquiva(r, {{inscr, "1600"_msg}});
  if (!o.Arquiva(CriticaTipoInscricaoEstab(tipo), {{TextoTipoEstab(tipo), "1601"_msg}}))
    o.Arquiva(CriticaInscricaoTipo(inscr, tipo), {{TextoTipoEstab(tipo), "1601"_msg}, {inscr, "1600"_msg}});

  o.Arquiva(CriticaPrefixo(e["NuPrefixoEstabelecimento"]), {{e["NuPrefixoEstabelecimento"], "1602"_msg}});
  const sv razao = e["NoRazaoEstabelecimento"];
  o.Arquiva(CriticaRazaoSocial(razao, inscr, ref), {{razao, "1604"_msg}});
  ChecaEndereco(o, ref,
                {e["EdEstabelecimento"], e["NuEnderecoEstabelecimento"], e["TxComplemEstabelecimento"],
                 e["NoBairroEstabelecimento"], e["CoCepEstabelecimento"], e["CoMunicipio"],
                 e["NoMunicEstabelecimento"], e["SgUf"], e["NuDDD"], e["NuTelefone"]},
                true);
  o.Arquiva(CriticaEmail(e["TxEmailEstabelecimento"]), {{e["TxEmailEstabelecimento"], "1617"_msg}});

  const sv porte = e["InPorte"], simples = e["InOptanteSimples"];
  o.Arquiva(CriticaPorte(porte), {{porte, "3520"_msg}});
  if (!o.Arquiva(CriticaSimples(simples), {{simples, "3123"_msg}}))
    o.Arquiva(CriticaSimplesPorte(simples, porte), {{porte, "3520"_msg}, {simples, "3123"_msg}});

  const sv cnae = e["CoCnae"], natureza = e["CoNaturezaJuridica"];
  if (!o.Arquiva(CriticaCnae(cnae, ref), {{cnae, "1618"_msg}})) {
    const NuMensagem r = CriticaCnaeRazao(cnae, razao);
    o.Arquiva(r, {{cnae, "1618"_msg}, {razao, "1604"_msg}}, r == "0363"_msg ? W : E);
  }
  if (!o.Arquiva(CriticaNatJuridica(natureza, ref), {{natureza, "1619"_msg}}))
    o.Arquiva(CriticaNatJuridicaRazao(natureza, razao), {{natureza, "1619"_msg}, {razao, "1604"_msg}}, W);

  o.Arquiva(CriticaNumerico(e["NuProprietEstabelecimento"], 2), {{e["NuProprietEstabelecimento"], "1621"_msg}});
  const sv mesBase = e["MeDataBase"], negativa = e["InZemaNegEstabelecimento"];
  if (!o.Arquiva(CriticaMesDataBase(mesBase), {{mesBase, "1620"_msg}}))
    o.Arquiva(CriticaDataBaseNegativa(mesBase, negativa), {{mesBase, "1620"_msg}, {negativa, "1622"_msg}});

  // An empty linked CEI is one not informed, as if of zeros.
  const std::string vinculado = e["CoCgcVinculado"].empty() ? Zeros(14) : e["CoCgcVinculado"];
  const sv ceiVinculado = regras::Trecho(vinculado, 2, 12);
  if (!o.Arquiva(CriticaIndicadorNegativa(negativa), {{negativa, "1622"_msg}}))
    o.Arquiva(CriticaNegativaInscricao(negativa, tipo, ceiVinculado),
              {{negativa, "1622"_msg}, {tipo, "1601"_msg}, {ceiVinculado, "1603"_msg}});
  if (const sv inicio = sv(vinculado).substr(0, 2); inicio != "00") o.Registra(E, inicio, "1678"_msg, "0040"_msg);
  const std::string v = "00" + std::string(ceiVinculado);
  const sv v3 = sv(v).substr(2);
  if (!o.Arquiva(CriticaCeiVinculado(v), {{v3, "1603"_msg}}))
    o.Arquiva(CriticaCeiVinculadoTipo(tipo, v), {{TextoTipoCei(tipo), "1601"_msg}, {v3, "1603"_msg}});

  const sv indEnc = e["InEncerramentoAtividade"], daEnc = e["DaEncerramentoAtividade"];
  if (const NuMensagem r = CriticaEncerramento(indEnc, daEnc, anBase, estrito); !r.ok()) {
    if (r == "3516"_msg)
      o.Arquiva(r, {{daEnc, "1669"_msg}, {anBase, "1658"_msg}});
    else
      o.Arquiva(r, {{daEnc, "1669"_msg},
                    {Apara(indEnc) == "1" ? "Assinalado para encerramento das atividades" : "Não assinalado",
                     "1668"_msg}});
  }

  const sv pat = e["InParticipaPAT"];
  const sv maior5 = e["NuVinculoPatMaior5"], menor5 = e["NuVinculoPatMenor5"];
  o.Arquiva(CriticaParticipaPat(pat), {{pat, "3122"_msg}});
  const bool okMaior = !o.Arquiva(CriticaNuVinculoPat(maior5), {{maior5, "3610"_msg}});
  const bool okMenor = !o.Arquiva(CriticaNuVinculoPat(menor5), {{menor5, "3611"_msg}});
  if (okMaior && okMenor) {
    const NuMensagem r = (Apara(maior5) == "000000" && Apara(menor5) == "000000" && Apara(pat) == "1")
                             ? "3626"_msg
                             : CriticaPatQuantidades(pat, menor5, maior5);
    o.Arquiva(r, {{pat, "3122"_msg}, {maior5, "3610"_msg}, {menor5, "3611"_msg}});
  }

  struct Percentual {
    sv coluna;
    NuMensagem lbl;
  };
  static constexpr Percentual kPercentuais[] = {
      {"PoServicoProprio", "3612"_msg},         {"PoAdmCozinha", "3613"_msg},
      {"PoRefeicaoConvenio", "3614"_msg},       {"PoRefeicaoTransportadora", "3615"_msg},
      {"PoCestaAlimento", "3616"_msg},          {"PoAlimentacaoConvenio", "3617"_msg},
  };
  bool semErro = true;
  for (const auto& p : kPercentuais) {
    const NuMensagem r = CriticaPercentualPat(e[p.coluna]);
    if (r.ok()) continue;
    const bool acima = r == "3521"_msg;
    semErro = semErro && acima;
    o.Arquiva(r, {{e[p.coluna], p.lbl}}, acima ? W : E);
  }
  if (semErro) {
    const NuMensagem r = CriticaPatPercentuais(
        pat, {e["PoAdmCozinha"], e["PoServicoProprio"], e["PoRefeicaoConvenio"], e["PoRefeicaoTransportadora"],
              e["PoCestaAlimento"], e["PoAlimentacaoConvenio"]});
    if (!r.ok()) {
      o.Registra(W, pat, "3122"_msg, r);
      for (const auto& p : kPercentuais) o.Registra(W, e[p.coluna], p.lbl, r);
    }
  }

  const sv uso = Apara(e["TxUsoEstabelecimento"]);
  o.Arquiva(CriticaUsoEmpresa(uso), {{uso, "1623"_msg}});
}

// --- link (level 2) -------------------------------------------------------------

enum Col : int {
  cAnBase, cInscricao, cPrefixo, cPis, cAdmissao, cNome, cSequencial, cNascimento, cNacionalidade, cChegada,
  cInstrucao, cCtps, cCpf, cTipoAdmissao, cSalario, cTipoSalario, cHoras, cCbo, cVinculo, cCausa,
  cDesligamento, cJaneiro, cMe13Adiantamento = cJaneiro + 12, cVa13Adiantamento, cMe13Final, cVa13Final, cUso,
  cRaca, cDeficiente, cAvisoPrevio, cAlvara, cSexo, cMotivo1, cInicio1, cFim1, cMotivo2, cInicio2, cFim2,
  cMotivo3, cInicio3, cFim3, cDiasAfas, kColunasVinculo
};

constexpr std::array<sv, kColunasVinculo> kNomesVinculo = {
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoPisPasepEmpregado",
    "DaAdmissaoEmpregado", "NoEmpregado", "NuSequencialRegistro", "DaNascimentoEmpregado", "CoNacionalidade",
    "AnChegadaEmpregado", "CoInstrucao", "NuCartTrabEmpregado", "CoCpfEmpregado", "CoTipoAdmissao",
    "VaSalContratualEmpregado", "CoTipoSalarioContratual", "HoSemanaisEmpregado", "CoCbo", "CoVinculo",
    "CoCausaDesligamento", "DaDesligamentoEmpregado", "VaJaneiroEmpregado", "VaFevereiroEmpregado",
    "VaMarcoEmpregado", "VaAbrilEmpregado", "VaMaioEmpregado", "VaJunhoEmpregado", "VaJulhoEmpregado",
    "VaAgostoEmpregado", "VaSetembroEmpregado", "VaOutubroEmpregado", "VaNovembroEmpregado",
    "VaDezembroEmpregado", "Me13AdiantamentoEmpregado", "Va13AdiantamentoEmpregado",
    "Me13ParcelaFinalEmpregado", "Va13ParcelaFinalEmpregado", "TxUsoEmpregado", "CoTipoRaca",
    "InDeficienteFisico", "VaAvisoPrevioEmpregado", "InAlvaraEmpregado", "InSexo", "CoMotivoPrimAfas",
    "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas", "CoMotivoSeguAfas", "DaInicioSegundoAfas",
    "DaFinalSegundoAfas", "CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas", "QtDiasAfas"};

constexpr std::array<sv, 12> kMeses = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};

// What the link checks need of their establishment.
struct ContextoEstab {
  sv anBase, inscricao, prefixo, tipo, indEncerramento, daEncerramento, cnae, natureza;
  std::string anoLink;  // Y: the year the links are declared for
};

// Digit texts summed as the pay checks count them.
bool Digitos(sv v) { return !Apara(v).empty() && SoDigitos(v); }

class ChecaVinculos {
 public:
  ChecaVinculos(Conexao& c, Ocorrencias& o, const Referencias& ref, sv tabela)
      : c_(c), o_(o), ref_(ref), tabela_(tabela) {}

  void Checa(const ContextoEstab& e, const std::array<std::string, kColunasVinculo>& l) {
    auto V = [&l](Col k) -> sv { return l[k]; };
    o_.nivel = '2';
    o_.vinc = {V(cPis), V(cAdmissao), V(cUso), V(cNome)};
    const sv Y = e.anoLink;
    const sv A = V(cAdmissao), nasc = V(cNascimento), pis = V(cPis), nome = V(cNome), nac = V(cNacionalidade);
    const sv chegada = V(cChegada), L = V(cVinculo), K = V(cCausa), D = V(cDesligamento);

    o_.Arquiva(CriticaPis(pis), {{pis, "1624"_msg}});

    if (!o_.Arquiva(CriticaDaAdmissao(A), {{A, "1632"_msg}})) {
      o_.Arquiva(CriticaAdmissaoAnoBase(A, Y), {{A, "1632"_msg}, {Y, "1658"_msg}});
      o_.Arquiva(CriticaAdmissaoEncerramento(e.daEncerramento, A), {{A, "1632"_msg}, {e.daEncerramento, "1669"_msg}});
      const NuMensagem r = CriticaIdadeAdmissao(nasc, A);
      o_.Arquiva(r, {{A, "1632"_msg}, {nasc, "1626"_msg}}, r == "0171"_msg ? W : E);
      o_.Arquiva(CriticaChegadaAdmissao(chegada, A, nac), {{A, "1632"_msg}, {chegada, "1628"_msg}});
    }

    const bool pisZeros = SoZeros(Apara(pis));
    Duplicado(e, l, pisZeros);

    o_.Arquiva(CriticaNomeEmpregado(nome, {}), {{nome, "1625"_msg}});
    if (!o_.Arquiva(CriticaDaNascimento(nasc), {{nasc, "1626"_msg}})) {
      const NuMensagem r = CriticaAnoNascimento(nasc, Y);
      o_.Arquiva(r, {{nasc, "1626"_msg}, {Y, "1658"_msg}}, r == "0176"_msg ? W : E);
    }
    o_.Arquiva(CriticaDeficiente(V(cDeficiente)), {{V(cDeficiente), "3620"_msg}});
    o_.Arquiva(CriticaRaca(V(cRaca), ref_), {{V(cRaca), "1667"_msg}});
    OutroNascimento(e, l, pisZeros);
    o_.Arquiva(CriticaNacionalidade(nac, ref_), {{nac, "1627"_msg}});
    o_.Arquiva(CriticaSexo(V(cSexo)), {{V(cSexo), "3523"_msg}});

    if (!o_.Arquiva(CriticaAnoChegada(chegada), {{chegada, "1628"_msg}}) &&
        !o_.Arquiva(CriticaChegadaNacionalidade(chegada, nac), {{chegada, "1628"_msg}, {nac, "1627"_msg}})) {
      o_.Arquiva(CriticaChegadaAnoBase(chegada, Y, nac), {{chegada, "1628"_msg}, {Y, "1658"_msg}});
      o_.Arquiva(CriticaChegadaNascimento(chegada, nasc, nac), {{chegada, "1628"_msg}, {nasc, "1626"_msg}});
    }

    const sv instr = V(cInstrucao), ctps = V(cCtps), cpf = V(cCpf);
    o_.Arquiva(CriticaInstrucao(instr, ref_), {{instr, "1629"_msg}});
    if (!o_.Arquiva(CriticaCtps(ctps), {{ctps, "1630"_msg}}))
      o_.Arquiva(CriticaCtpsCpf(ctps, cpf), {{ctps, "1630"_msg}, {cpf, "1631"_msg}});
    o_.Arquiva(CriticaCpf(cpf), {{cpf, "1631"_msg}});
    o_.Arquiva(CriticaTipoAdmissao(V(cTipoAdmissao), ref_), {{V(cTipoAdmissao), "1633"_msg}});

    const sv sal = V(cSalario), tipoSal = V(cTipoSalario);
    o_.Arquiva(CriticaSalarioContratual(sal), {{sal, "1634"_msg}});
    if (!o_.Arquiva(CriticaTipoSalario(tipoSal, ref_), {{tipoSal, "1635"_msg}}))
      o_.Arquiva(CriticaSalarioTipo(sal, tipoSal), {{sal, "1634"_msg}, {tipoSal, "1635"_msg}}, W);
    o_.Arquiva(CriticaHorasSemanais(V(cHoras)), {{V(cHoras), "1636"_msg}});

    const sv cbo = V(cCbo);
    if (const NuMensagem r = CriticaCbo(cbo, ref_); r.ok())
      o_.Arquiva(CriticaCboInstrucao(instr, cbo, ref_), {{cbo, "1637"_msg}, {instr, "1629"_msg}});
    else
      o_.Arquiva(r, {{cbo, "1637"_msg}}, r == "3645"_msg ? W : E);

    if (!o_.Arquiva(CriticaVinculo(L, ref_), {{L, "1638"_msg}})) {
      o_.Arquiva(CriticaVinculoPis(L, pis), {{L, "1638"_msg}, {pis, "1624"_msg}});
      if (!o_.Arquiva(CriticaVinculoInscricao(L, e.tipo), {{L, "1638"_msg}, {TextoTipoCei(e.tipo), "1601"_msg}})) {
        if (const NuMensagem r = CriticaIdadeVinculo(L, nasc, kAnoPrograma); r != "3510"_msg)
          o_.Arquiva(r, {{L, "1638"_msg}, {nasc, "1626"_msg}});
        o_.Arquiva(CriticaVinculoCnae(L, e.cnae), {{L, "1638"_msg}, {e.cnae, "1618"_msg}}, W);
        o_.Arquiva(CriticaVinculoNatJuridica(L, e.natureza), {{L, "1638"_msg}, {e.natureza, "1619"_msg}}, W);
      }
    }

    const sv alvara = V(cAlvara);
    const bool alvaraOk = !o_.Arquiva(CriticaAlvara(alvara), {{alvara, "3621"_msg}});
    o_.Arquiva(CriticaAlvaraIdade(alvara, nasc, alvaraOk ? L : kVazio, kAnoPrograma),
               {{alvara, "3621"_msg}, {L, "1638"_msg}, {nasc, "1626"_msg}}, W);

    if (!o_.Arquiva(CriticaCausaDesligamento(K, ref_), {{K, "1639"_msg}}))
      o_.Arquiva(CriticaCausaEncerramento(e.indEncerramento, e.anBase, K, kAnoPrograma),
                 {{K, "1639"_msg}, {e.indEncerramento, "3618"_msg}});

    const std::string DY = std::string(D) + std::string(Y);
    if (!o_.Arquiva(CriticaDaDesligamento(D, kAnoPrograma), {{D, "1640"_msg}})) {
      o_.Arquiva(CriticaDesligamentoCausa(D, K), {{D, "1640"_msg}, {K, "1639"_msg}});
      if (Y != kAnoPrograma && Apara(D) == "0000") {
        o_.Registra(E, D, "1640"_msg, "0294"_msg);
        o_.Registra(E, Y, "1658"_msg, "0294"_msg);
      }
      o_.Arquiva(CriticaDesligamentoAdmissao(D, A, Y), {{D, "1640"_msg}, {A, "1632"_msg}});
      o_.Arquiva(CriticaDesligamentoEncerramento(D, e.daEncerramento, Y),
                 {{DY, "1640"_msg}, {e.daEncerramento, "3619"_msg}});
    }
    o_.Arquiva(CriticaAvisoPrevio(V(cAvisoPrevio)), {{V(cAvisoPrevio), "3511"_msg}});

    Meses(l, Y);
    DecimoTerceiro(l, Y);
    Remuneracao(l);
    Afastamentos(l, Y, DY);

    const sv uso = Apara(V(cUso));
    o_.Arquiva(CriticaUsoEmpresa(uso), {{uso, "1623"_msg}});
  }

 private:
  void Duplicado(const ContextoEstab& e, const std::array<std::string, kColunasVinculo>& l, bool pisZeros) {
    Consulta& q = Prepara(pisZeros ? duplicadoNome_ : duplicado_, [&] {
      return JuntaLinhas({"Select count(*)", "from " + std::string(tabela_), "where AnBase = :anbase and",
                          "      CoCGCCeiEstabelecimento = :inscricao and",
                          "      NuPrefixoEstabelecimento = :prefixo and", "      CoPisPasepEmpregado = :pispasep and",
                          pisZeros ? "      NoEmpregado = :nome and" : "", "      DaAdmissaoEmpregado = :admissao"});
    });
    q.defineTexto("anbase", e.anBase).defineTexto("inscricao", e.inscricao).defineTexto("prefixo", e.prefixo);
    q.defineTexto("pispasep", l[cPis]).defineTexto("admissao", l[cAdmissao]);
    if (pisZeros) q.defineTexto("nome", l[cNome]);
    if (q.escalar() > 1)
      for (auto [conteudo, lbl] : {Campo{l[cSequencial], "1662"_msg}, Campo{l[cPis], "1624"_msg},
                                   Campo{l[cNome], "1625"_msg}, Campo{l[cAdmissao], "1632"_msg}})
        o_.Registra(E, conteudo, lbl, "1671"_msg);
  }

  // Another link of the same worker in the establishment born on another
  // day: the rows show that link's admission and birth dates.
  void OutroNascimento(const ContextoEstab& e, const std::array<std::string, kColunasVinculo>& l, bool pisZeros) {
    Consulta& q = Prepara(pisZeros ? nascimentoNome_ : nascimento_, [&] {
      return JuntaLinhas({"Select daNascimentoEmpregado,daAdmissaoEmpregado", "from " + std::string(tabela_),
                          "where AnBase = :anbase and", "      CoCGCCeiEstabelecimento = :inscricao and",
                          "      NuPrefixoEstabelecimento = :prefixo and", "      CoPisPasepEmpregado = :pispasep",
                          pisZeros ? "     and NoEmpregado = :nome" : ""});
    });
    q.defineTexto("anbase", e.anBase).defineTexto("inscricao", e.inscricao).defineTexto("prefixo", e.prefixo);
    q.defineTexto("pispasep", l[cPis]);
    if (pisZeros) q.defineTexto("nome", l[cNome]);
    while (q.proxima()) {
      if (q.texto(0) == l[cNascimento]) continue;
      const std::string nasc(q.texto(0)), adm(q.texto(1));
      for (auto [conteudo, lbl] : {Campo{l[cSequencial], "1662"_msg}, Campo{l[cPis], "1624"_msg},
                                   Campo{l[cNome], "1625"_msg}, Campo{adm, "1632"_msg}, Campo{nasc, "1626"_msg}})
        o_.Registra(E, conteudo, lbl, "1672"_msg);
    }
  }

  void Meses(const std::array<std::string, kColunasVinculo>& l, sv Y) {
    const sv A = l[cAdmissao], D = l[cDesligamento], tipoSal = l[cTipoSalario], L = l[cVinculo];
    const sv nasc = l[cNascimento];
    const bool admitidoNoAno = regras::Ano(A) == Y;
    const bool desligado = !regras::Mes(D).empty() && regras::Mes(D) != "00";
    sv P = "0";
    for (int m = 0; m < 12; ++m) {
      const sv valor = l[cJaneiro + m], mm = kMeses[m];
      const NuMensagem lbl = NuMensagem::De(std::to_string(1641 + m));
      const NuMensagem r = CriticaRemuneracaoMes(valor, mm, tipoSal, D, A, Y);
      if (!r.ok()) {
        const bool aviso = r == "0312"_msg || r == "0313"_msg;
        o_.Registra(aviso ? W : E, valor, lbl, r);
        if (!aviso) continue;
      }
      const bool zeros = SoZeros(valor);
      if (admitidoNoAno && !zeros)
        o_.Arquiva(CriticaRemuneracaoAdmissao(mm, A, Y), {{valor, lbl}, {A, "1632"_msg}});
      if (desligado && !zeros)
        o_.Arquiva(CriticaRemuneracaoDesligamento(mm, D), {{valor, lbl}, {D, "1640"_msg}}, W);
      o_.Arquiva(CriticaRemuneracaoDecimal(valor, mm, P), {{P, NuMensagem::De(std::to_string(1640 + m))}, {valor, lbl}},
                 W);
      if (!zeros)
        o_.Arquiva(CriticaAprendizMes(mm, L, nasc, kAnoPrograma), {{valor, lbl}, {L, "1638"_msg}, {nasc, "1626"_msg}});
      P = valor;
    }
  }

  void DecimoTerceiro(const std::array<std::string, kColunasVinculo>& l, sv Y) {
    const sv A = l[cAdmissao], D = l[cDesligamento];
    const sv m1 = l[cMe13Adiantamento], v1 = l[cVa13Adiantamento], m2 = l[cMe13Final], v2 = l[cVa13Final];
    if (!o_.Arquiva(CriticaMes13Adiantamento(m1), {{m1, "1653"_msg}})) {
      o_.Arquiva(CriticaMes13Admissao(m1, A, Y), {{m1, "1653"_msg}, {A, "1632"_msg}});
      o_.Arquiva(CriticaAdiantamentoDesligamento(m1, D), {{m1, "1653"_msg}, {D, "1640"_msg}}, W);
    }
    if (!o_.Arquiva(CriticaValor13Adiantamento(v1), {{v1, "1654"_msg}})) {
      const NuMensagem r = CriticaAdiantamento13(m1, v1);
      o_.Arquiva(r, {{m1, "1653"_msg}, {v1, "1654"_msg}}, r == "0332"_msg ? W : E);
    }
    if (!o_.Arquiva(CriticaMes13ParcelaFinal(m2), {{m2, "1655"_msg}})) {
      o_.Arquiva(CriticaParcelaFinalAdiantamento(m1, m2), {{m1, "1653"_msg}, {m2, "1655"_msg}});
      o_.Arquiva(CriticaMes13Admissao(m2, A, Y), {{m2, "1655"_msg}, {A, "1632"_msg}});
      o_.Arquiva(CriticaParcelaFinalDesligamento(m2, D), {{m2, "1655"_msg}, {D, "1640"_msg}}, W);
    }
    if (!o_.Arquiva(CriticaValor13ParcelaFinal(v2), {{v2, "1656"_msg}})) {
      const NuMensagem r = CriticaParcelaFinal13(m2, v2);
      o_.Arquiva(r, {{m2, "1655"_msg}, {v2, "1656"_msg}}, r == "0332"_msg ? W : E);
    }
  }

  void Remuneracao(const std::array<std::string, kColunasVinculo>& l) {
    long long S = 0, somaPagos = 0;
    int pagos = 0;
    for (int m = 0; m < 12; ++m) {
      const sv v = l[cJaneiro + m];
      if (!Digitos(v)) continue;
      const long long x = ValorInteiro(Apara(v));
      S += x;
      if (x != 0) {
        ++pagos;
        somaPagos += x;
      }
    }
    long long T = 0, T2 = 0;
    for (sv v : {sv(l[cVa13Adiantamento]), sv(l[cVa13Final])})
      if (Digitos(v)) {
        const long long x = ValorInteiro(Apara(v));
        T += x;
        T2 += x;  // zeros add nothing either way
      }
    constexpr sv kSemRemuneracao = "Não há remuneração informada.";
    if (S == 0 && T == 0)
      o_.Registra(E, kSemRemuneracao, "1663"_msg, "1674"_msg);
    else if (S == 0)
      o_.Registra(W, kSemRemuneracao, "1664"_msg, "1675"_msg);
    else if (T == 0)
      o_.Registra(W, kSemRemuneracao, "1665"_msg, "1676"_msg);
    if (pagos > 0) {
      const double media = static_cast<double>(somaPagos) / pagos;
      if (media + media / 2 < static_cast<double>(T2)) {
        o_.Registra(W, std::to_string(somaPagos), "1664"_msg, "3508"_msg);
        o_.Registra(W, std::to_string(T2), "1665"_msg, "3508"_msg);
      }
    }
  }

  void Afastamentos(const std::array<std::string, kColunasVinculo>& l, sv Y, sv DY) {
    const sv A = l[cAdmissao], D = l[cDesligamento];
    const Col motivos[] = {cMotivo1, cMotivo2, cMotivo3};
    for (Col k : motivos) o_.Arquiva(CriticaMotivoAfastamento(l[k]), {{l[k], "3636"_msg}});
    const Col periodos[3][2] = {{cInicio1, cFim1}, {cInicio2, cFim2}, {cInicio3, cFim3}};
    for (int k = 0; k < 3; ++k) {
      const sv motivo = l[motivos[k]];
      for (int lado = 0; lado < 2; ++lado) {
        const sv E_ = l[periodos[k][lado]];
        if (o_.Arquiva(CriticaDataAfastamento(E_, kAnoPrograma), {{E_, "3637"_msg}})) continue;
        o_.Arquiva(CriticaAfastamentoAdmissao(E_, A, Y), {{E_, "3637"_msg}, {A, "1632"_msg}});
        o_.Arquiva(CriticaAfastamentoDesligamento(E_, D), {{E_, "3637"_msg}, {DY, "1640"_msg}});
        o_.Arquiva(CriticaAfastamentoMotivo(E_, motivo), {{motivo, "3642"_msg}, {E_, "3637"_msg}});
        if (lado == 0) {
          const sv fim = l[periodos[k][1]];
          o_.Arquiva(CriticaAfastamentoPeriodo(E_, fim), {{E_, "3637"_msg}, {fim, "3637"_msg}});
        }
      }
    }
    const sv dias = l[cDiasAfas];
    o_.Arquiva(CriticaQtDiasAfastamento(dias), {{dias, "3641"_msg}});
    o_.Arquiva(CriticaDiasAfastamento(l[cMotivo1], l[cMotivo2], l[cMotivo3], dias),
               {{dias, "3641"_msg}, {l[cMotivo1], "3642"_msg}});
  }

  // The statement is prepared on first use and kept for the pass.
  template <class Sql>
  Consulta& Prepara(Consulta*& q, Sql sql) {
    if (q == nullptr) q = &c_.prepara(sql());
    q->reinicia();
    q->limpaParametros();
    return *q;
  }

  Conexao& c_;
  Ocorrencias& o_;
  const Referencias& ref_;
  sv tabela_;
  Consulta *duplicado_ = nullptr, *duplicadoNome_ = nullptr, *nascimento_ = nullptr, *nascimentoNome_ = nullptr;
};

// --- the pass ----------------------------------------------------------------------

struct Tabelas {
  const char* responsavel;
  const char* estabelecimentos;
  const char* vinculos;
};

Tabelas TabelasDe(OrigemConsistencia o) {
  if (o == OrigemConsistencia::Trabalho) return {kTrabalhoResponsavel, kTrabalhoEstabelecimento, kTrabalhoVinculo};
  return {kTabelaResponsavel, kTabelaEstabelecimentos, kTabelaVinculos};
}

std::string ChaveTexto(sv anBase, sv inscricao, sv prefixo) {
  std::string k(anBase);
  k.append("|").append(inscricao).append("|").append(prefixo);
  return k;
}

// The selection as key texts, looked up once per establishment.
std::optional<std::set<std::string>> Selecao(const OpcoesConsistencia& o) {
  if (!o.selecao) return std::nullopt;
  std::set<std::string> r;
  for (const auto& k : *o.selecao) r.insert(ChaveTexto(k.anBase, InscricaoArmazenada(k.inscricao), k.prefixo));
  return r;
}

// Whole percent steps of the work units (an establishment, a link), sized
// by the declared link counts.
class Progresso {
 public:
  Progresso(AcompanhamentoPassagem& a, double total) : a_(a), passo_(total / 100.0) { a_.progresso(0); }
  // False when the user asked to stop.
  bool Avanca() {
    ++unidades_;
    if (passo_ > 0 && unidades_ > passo_) {
      const int n = static_cast<int>(unidades_ / passo_);
      unidades_ -= n * passo_;
      const int novo = std::min(99, posicao_ + n);
      if (novo > posicao_) a_.progresso(posicao_ = novo);
    }
    return !a_.interrompe();
  }
  void Fim() { a_.progresso(100); }

 private:
  AcompanhamentoPassagem& a_;
  double passo_;
  double unidades_ = 0;
  int posicao_ = 0;
};

}  // namespace

int VerificaConsistencia(Conexao& c, const Referencias& ref, const OpcoesConsistencia& opcoes,
                         AcompanhamentoPassagem& acompanhamento) {
  const TravaPastaDados trava(c);
  const Tabelas t = TabelasDe(opcoes.origem);
  ExcluiTabela(c, kTabelaErros);
  // Filing row by row in one transaction; what was filed before an
  // interruption is kept.
  Transacao tr(c, Transacao::Tipo::Adiada);
  Ocorrencias o(c);

  std::vector<Linha> estabs;
  {
    std::string sql = "select * from " + std::string(t.estabelecimentos);
    if (opcoes.anoBase) sql += " where AnBase = :anbase";
    sql += " order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento";
    Consulta& q = c.prepara(sql);
    if (opcoes.anoBase) q.defineTexto("anbase", *opcoes.anoBase);
    const auto selecao = Selecao(opcoes);
    for (auto& l : q.todas())
      if (!selecao || selecao->count(ChaveTexto(l["AnBase"], l["CoCgcCeiEstabelecimento"],
                                                l["NuPrefixoEstabelecimento"])) != 0)
        estabs.push_back(std::move(l));
  }
  double total = 0;
  for (const auto& e : estabs) {
    const sv n = Apara(e["NuVinculosEstabelecimento"]);
    total += 1 + (!n.empty() && SoDigitos(n) ? static_cast<double>(ValorInteiro(n)) : 0);
  }
  Progresso progresso(acompanhamento, total);
  auto fim = [&](int r) {
    tr.confirma();
    if (r != kConsistenciaInterrompida) progresso.Fim();
    return r;
  };

  if (opcoes.verificaResponsavel) {
    Consulta& q = c.prepara("select * from " + std::string(t.responsavel));
    auto r = q.primeira();
    // No row at all is checked as an empty one: every required field is missing.
    ChecaResponsavel(o, ref, r ? *r : DefinicaoSistema(kTabelaResponsavel)->novaLinha());
  }

  ChecaVinculos vinculos(c, o, ref, t.vinculos);
  Consulta& qv = c.prepara({"select * from " + std::string(t.vinculos),
                            "where AnBase = :anbase and CoCgcCeiEstabelecimento = :inscricao and",
                            "      NuPrefixoEstabelecimento = :prefixo",
                            "order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado,",
                            "      DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro"});
  std::array<int, kColunasVinculo> pos{};
  bool posicoes = false;
  std::array<std::string, kColunasVinculo> link;

  for (const auto& e : estabs) {
    o.estab = {e["CoCgcCeiEstabelecimento"], e["InInscrEstabelecimento"], e["NuPrefixoEstabelecimento"],
               e["NoRazaoEstabelecimento"]};
    acompanhamento.etapa("Verificando estabelecimento " + FormataInscricao(e["CoCgcCeiEstabelecimento"],
                                                                            e["InInscrEstabelecimento"]));
    ChecaEstabelecimento(o, ref, e, opcoes.encerramentoEstrito);
    if (!progresso.Avanca()) return fim(kConsistenciaInterrompida);

    ContextoEstab ce{e["AnBase"],        e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"],
                     e["InInscrEstabelecimento"], e["InEncerramentoAtividade"], e["DaEncerramentoAtividade"],
                     e["CoCnae"],        e["CoNaturezaJuridica"],      std::string(kAnoPrograma)};
    if (Apara(ce.indEncerramento) == "1" && regras::Ano(ce.daEncerramento) != kAnoPrograma) ce.anoLink = "2005";

    qv.reinicia();
    qv.defineTexto("anbase", ce.anBase).defineTexto("inscricao", ce.inscricao).defineTexto("prefixo", ce.prefixo);
    long long nLinks = 0;
    while (qv.proxima()) {
      if (!posicoes) {
        pos = Posicoes(qv, kNomesVinculo);
        posicoes = true;
      }
      for (int k = 0; k < kColunasVinculo; ++k) link[k].assign(qv.texto(pos[k]));
      ++nLinks;
      vinculos.Checa(ce, link);
      if (!progresso.Avanca()) {
        qv.reinicia();
        return fim(kConsistenciaInterrompida);
      }
    }

    o.nivel = '1';
    if (nLinks == 0 && e["InZemaNegEstabelecimento"] == "0") {
      o.Registra(E, "0", "1661"_msg, "1673"_msg);
      o.Registra(E, e["InZemaNegEstabelecimento"], "1622"_msg, "1673"_msg);
    }
    const long long F = ValorInteiro(Apara(e["NuEstrangeirosEstabelec"]));
    if (nLinks > 4 && F > 0 && nLinks / 3 < F) {
      o.Registra(W, std::to_string(nLinks), "1661"_msg, "1670"_msg);
      o.Registra(W, std::to_string(F), "1659"_msg, "1670"_msg);
    }
  }
  return fim(o.flags());
}

int VerificaConsistencia(Conexao& c, const OpcoesConsistencia& opcoes, AcompanhamentoPassagem& acompanhamento) {
  const TabelasReferencia tabelas = TabelasReferencia::Carrega(c);
  const ReferenciasTabelas ref(tabelas);
  return VerificaConsistencia(c, ref, opcoes, acompanhamento);
}

NuMensagem ConfereEstabelecimentosAVerificar(Conexao& c, const OpcoesConsistencia& opcoes) {
  if (opcoes.selecao) return kSemOcorrencia;
  const std::string tabela = opcoes.origem == OrigemConsistencia::Trabalho
                                 ? std::string("trabalho.") + kTrabalhoEstabelecimento
                                 : std::string(kTabelaEstabelecimentos);
  Consulta q(c, "SELECT count(*) FROM " + tabela + (opcoes.anoBase ? " WHERE AnBase = :ano" : ""));
  if (opcoes.anoBase) q.defineTexto("ano", *opcoes.anoBase);
  return q.escalar() > 0 ? kSemOcorrencia : "1700"_msg;
}

}  // namespace vornex
