#include "consulta/exibicao.h"

#include "casos/vinculo.h"
#include "common/partes.h"
#include "common/texto.h"
#include "data/referencia.h"
#include "reports/rp_relatorios.h"

namespace vornex {

namespace {

// Empty and all-zero fields were not informed.
bool Informado(std::string_view s) { return !Apara(s).empty() && !SoZeros(Apara(s)); }

std::string SeInformado(std::string_view s) { return Informado(s) ? std::string(s) : std::string(); }

std::string SemZerosSeInformado(std::string_view s) { return Informado(s) ? TiraZerosEsquerda(s) : std::string(); }

std::string DiaMesSeInformado(std::string_view ddmm) { return Informado(ddmm) ? relatorio::DiaMes(ddmm) : std::string(); }

// "(DDD)" and the number, each only when informed.
std::string Telefone(std::string_view ddd, std::string_view numero) {
  std::string r;
  if (Informado(ddd)) r = "(" + TiraZerosEsquerda(Apara(ddd)) + ")";
  if (Informado(numero)) r += FormataTelefone(Apara(numero));
  return r;
}

// The code followed by " - " and its description when `tabela` knows it.
std::string ComDescricao(const TabelasReferencia& ref, Referencia tabela, std::string_view codigo,
                         std::string_view coluna) {
  const Linha* l = ref.busca(tabela, codigo);
  return l ? std::string(codigo) + " - " + (*l)[coluna] : std::string(codigo);
}

std::string Valor(std::string_view centavos) {
  return FormataValorConsulta(Apara(centavos).empty() ? std::string_view("000000000") : centavos);
}

std::string MesDecimoTerceiro(std::string_view mes) {
  if (!Informado(mes)) return {};
  const std::string m(Apara(mes));
  return m + " - " + NomeMes(m);
}

std::string Logico(const Linha& l, std::string_view coluna) { return l.logico(coluna) ? "1" : "0"; }

}  // namespace

std::string FormataValorConsulta(std::string_view centavos) {
  const std::string_view v = Apara(centavos);
  if (!SoDigitos(v)) return std::string(v);
  // Seven digits of reais and two of centavos; whatever follows is not read.
  std::string decimal(v.substr(0, 7));
  decimal += ',';
  if (v.size() > 7) decimal += v.substr(7, 2);
  // Nothing to read (an empty text) is told as it is, not padded.
  const std::string r = FormataValor(decimal);
  return Apara(r) == "Erro" ? std::string("Erro") : r;
}

CamposExibidos ExibeResponsavelArquivo(const Linha& r) {
  CamposExibidos c;
  for (const char* coluna : {"NoResponsavelArquivo", "EdLogradouroRespArquivo", "TxComplementoRespArquivo",
                             "NoBairroRespArquivo", "NoMunicipioRespArquivo", "SgUfRespArquivo",
                             "TxEMailRespArquivo"})
    c[coluna] = r[coluna];
  const std::string& tipo = r["InInscrResponsavel"];
  c["CoCgcCeiResponsavel"] = tipo == "1" || tipo == "3" || tipo == "4"
                                 ? FormataInscricaoProtocolo(r["CoCgcCeiResponsavel"], tipo)
                                 : r["CoCgcCeiResponsavel"];
  c["NuLogradouroRespArquivo"] = TiraZerosEsquerda(r["NuLogradouroRespArquivo"]);
  c["CoCepRespArquivo"] = FormataPartes(r["CoCepRespArquivo"], {{5, "-"}, {3, ""}});
  c["CoMunicipioRespArquivo"] = FormataPartes(r["CoMunicipioRespArquivo"], {{2, "-"}, {5, ""}});
  c["NuFoneDDD"] = Telefone(r["NuFoneDDD"], r["NuFoneAssinante"]);
  c["InReciboParaRespArquivo"] = Logico(r, "InReciboParaRespArquivo");
  c["InRetificacao"] = Logico(r, "InRetificacao");
  c["DaRetificacao"] = Informado(r["DaRetificacao"]) ? FormataData(r["DaRetificacao"]) : std::string();
  return c;
}

CamposExibidos ExibeEstabelecimentoArquivo(const Linha& e, const TabelasReferencia& ref) {
  CamposExibidos c;
  for (const char* coluna :
       {"NuPrefixoEstabelecimento", "TxUsoEstabelecimento", "NoRazaoEstabelecimento", "EdEstabelecimento",
        "TxComplemEstabelecimento", "NoBairroEstabelecimento", "NoMunicEstabelecimento", "SgUf", "MeDataBase",
        "NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio",
        "PoRefeicaoTransportadora", "PoCestaAlimento", "PoAlimentacaoConvenio", "TxEmailEstabelecimento"})
    c[coluna] = e[coluna];

  const bool comEmpregados = e["InZemaNegEstabelecimento"] == "0";
  c[kPainelDeclaracao] = comEmpregados ? "ZEMA com Empregados" : "ZEMA sem Empregados";
  const std::string& porte = e["InPorte"];
  std::string painelPorte = porte == "1" ? "Microempresa" : porte == "2" ? "Pequeno Porte" : porte == "3" ? "Outros" : " ";
  if (e["InOptanteSimples"] == "1") painelPorte += " e Opta pelo Simples";
  c[kPainelPorte] = painelPorte;
  const std::string& encerramento = e["DaEncerramentoAtividade"];
  c[kPainelEncerramento] =
      e["InEncerramentoAtividade"] == "1" ? "Encerrou as Atividades: " + FormataData(encerramento) : " ";
  c[kPainelAno] = encerramento.size() >= 8 && encerramento.substr(4, 4) == "2005" ? "Antecipação Ano-Base 2005"
                                                                                 : "Declaração Ano-Base 2004";
  c[kPainelPat] = e["InParticipaPAT"] == "1" ? "Participa do PAT" : "Não Participa do PAT";

  const std::string& tipo = e["InInscrEstabelecimento"];
  c["CoCgcCeiEstabelecimento"] = tipo == "1" || tipo == "2" || tipo == "3"
                                     ? FormataInscricao(e["CoCgcCeiEstabelecimento"], tipo)
                                     : e["CoCgcCeiEstabelecimento"];
  c["CoCgcVinculado"] = Informado(e["CoCgcVinculado"]) ? FormataInscricao(e["CoCgcVinculado"], "3") : "";
  c["NuVinculosEstabelecimento"] = comEmpregados ? TiraZerosEsquerda(e["NuVinculosEstabelecimento"]) : "";
  c["NuDDD"] = Telefone(e["NuDDD"], e["NuTelefone"]);
  c["NuEnderecoEstabelecimento"] = SemZerosSeInformado(e["NuEnderecoEstabelecimento"]);
  c["CoCepEstabelecimento"] = FormataPartes(e["CoCepEstabelecimento"], {{5, "-"}, {3, ""}});
  c["CoMunicipio"] = FormataPartes(e["CoMunicipio"], {{2, "-"}, {5, ""}});
  const std::string& cnae = e["CoCnae"];
  const Linha* lc = ref.cnae(cnae);
  c["CoCnae"] = lc ? FormataPartes(cnae, {{2, "."}, {2, "-"}, {1, ""}}) + "- " + (*lc)["NoCnae"] : cnae;
  const std::string& natureza = e["CoNaturezaJuridica"];
  const Linha* ln = ref.naturezaJuridica(natureza);
  c["CoNaturezaJuridica"] =
      ln ? FormataPartes(natureza, {{3, "-"}, {1, ""}}) + "- " + (*ln)["NoNaturezaJuridica"] : natureza;
  c["NuProprietEstabelecimento"] = TiraZerosEsquerda(e["NuProprietEstabelecimento"]);
  return c;
}

CamposExibidos ExibeVinculoArquivo(const Linha& v, const TabelasReferencia& ref) {
  CamposExibidos c;
  for (const char* coluna : {"NoEmpregado", "NuCartTrabEmpregado", "HoSemanaisEmpregado"}) c[coluna] = v[coluna];
  c["CoPisPasepEmpregado"] = FormataPis(v["CoPisPasepEmpregado"]);
  c["DaNascimentoEmpregado"] = FormataData(v["DaNascimentoEmpregado"]);
  c["DaAdmissaoEmpregado"] = FormataData(v["DaAdmissaoEmpregado"]);

  struct Codigo {
    const char* coluna;
    Referencia tabela;
    const char* descricao;
  };
  for (const Codigo& k : {Codigo{"CoNacionalidade", Referencia::Nacionalidade, "NoNacionalidade"},
                          Codigo{"CoInstrucao", Referencia::Instrucao, "NoInstrucao"},
                          Codigo{"CoTipoRaca", Referencia::Raca, "NoRaca"},
                          Codigo{"CoTipoAdmissao", Referencia::TipoAdmissao, "NoTipoAdmissao"},
                          Codigo{"CoTipoSalarioContratual", Referencia::TipoSalario, "NoTipoSalarioContratual"},
                          Codigo{"CoVinculo", Referencia::Vinculo, "NoVinculo"}})
    c[k.coluna] = ComDescricao(ref, k.tabela, v[k.coluna], k.descricao);

  c["AnChegadaEmpregado"] = SeInformado(v["AnChegadaEmpregado"]);
  c["CoCpfEmpregado"] =
      Informado(v["CoCpfEmpregado"]) ? FormataPartes(v["CoCpfEmpregado"], {{3, "."}, {3, "."}, {3, "-"}, {2, ""}}) : "";
  const std::string_view sexo = Apara(v["InSexo"]);
  const long long nSexo = !sexo.empty() && SoDigitos(sexo) ? ValorInteiro(sexo) : 0;
  c["InSexo"] = nSexo == 1 ? "M" : nSexo == 2 ? "F" : " ";
  for (const char* coluna : {"InDeficienteFisico", "InAlvaraEmpregado"})
    c[coluna] = v[coluna] == "1" || v[coluna] == "X" ? "Sim" : "Não";

  const std::string& cbo = v["CoCbo"];
  const Linha* lcbo = ref.cbo(cbo);
  c["CoCbo"] = lcbo ? FormataPartes(cbo, {{4, "-"}, {2, ""}}) + " - " + (*lcbo)["NoCbo"] : cbo;
  const std::string& causa = v["CoCausaDesligamento"];
  c["CoCausaDesligamento"] =
      causa == "00" ? "   " : ComDescricao(ref, Referencia::Desligamento, causa, "NoCausaDesligamento");
  c["DaDesligamentoEmpregado"] = DiaMesSeInformado(v["DaDesligamentoEmpregado"]);

  for (const char* coluna : kColunasMeses) c[coluna] = Valor(v[coluna]);
  for (const char* coluna : {"VaSalContratualEmpregado", "Va13AdiantamentoEmpregado", "Va13ParcelaFinalEmpregado",
                             "VaAvisoPrevioEmpregado"})
    c[coluna] = Valor(v[coluna]);
  c["Me13AdiantamentoEmpregado"] = MesDecimoTerceiro(v["Me13AdiantamentoEmpregado"]);
  c["Me13ParcelaFinalEmpregado"] = MesDecimoTerceiro(v["Me13ParcelaFinalEmpregado"]);

  struct Afastamento {
    const char *codigo, *inicio, *fim;
  };
  const Afastamento afastamentos[] = {{"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
                                      {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
                                      {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};
  for (std::size_t i = 0; i < 3; ++i) {
    const Afastamento& a = afastamentos[i];
    const std::string& codigo = v[a.codigo];
    const Linha* l = codigo == "00" ? nullptr : ref.afastamento(codigo);
    c[a.codigo] = codigo == "00" ? std::string() : codigo;
    c[kDescricaoAfastamento[i]] = l ? (*l)["NoAfastamento"] : std::string();
    c[a.inicio] = DiaMesSeInformado(v[a.inicio]);
    c[a.fim] = DiaMesSeInformado(v[a.fim]);
  }
  c["QtDiasAfas"] = v["QtDiasAfas"] == "000" ? std::string() : v["QtDiasAfas"];
  return c;
}

}  // namespace vornex
