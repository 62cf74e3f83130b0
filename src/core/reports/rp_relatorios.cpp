#include "reports/rp_relatorios.h"

#include <initializer_list>
#include <utility>

#include "common/partes.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabelas_trabalho.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {

// A piece of a stored text; short texts give short pieces.
std::string_view Pedaco(std::string_view s, std::size_t pos, std::size_t n) {
  return pos >= s.size() ? std::string_view{} : s.substr(pos, n);
}

bool Digitos(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string Cep(std::string_view s) { return FormataPartes(s, {{5, "-"}, {3, ""}}); }
std::string CodigoMunicipio(std::string_view s) { return FormataPartes(s, {{2, "-"}, {5, ""}}); }
std::string Cnae(std::string_view s) { return FormataPartes(s, {{2, "."}, {2, "-"}, {1, ""}}); }
std::string NaturezaJuridica(std::string_view s) { return FormataPartes(s, {{3, "-"}, {1, ""}}); }
std::string Cpf(std::string_view s) {
  if (s == "00000000000") return {};
  return FormataPartes(s, {{3, "."}, {3, "."}, {3, "-"}, {2, ""}});
}
std::string Percentual(std::string_view s) { return std::string(s) + "%"; }
std::string Inscricao(const Linha& e) {
  return FormataInscricao(e["CoCgcCeiEstabelecimento"], e["InInscrEstabelecimento"]);
}
std::string CeiVinculado(std::string_view s) {
  if (s == "00000000000000") return {};
  return FormataInscricao(s, "3");
}
std::string SimNao(std::string_view s) { return s == "1" || s == "X" ? "Sim" : "Não"; }

std::string Encerramento(const Linha& e) {
  const std::string& in = e["InEncerramentoAtividade"];
  return in == "1" ? FormataData(e["DaEncerramentoAtividade"]) : e["DaEncerramentoAtividade"];
}
std::string AnoInformacoes(const Linha& e) {
  return e["InEncerramentoAtividade"] == "1" && Pedaco(e["DaEncerramentoAtividade"], 4, 4) == "2005" ? "2005" : "2004";
}
std::string LegendaEncerramento(const Linha& e) {
  return e["InEncerramentoAtividade"] == "2" ? "" : "Encerrou Atividades";
}

struct Coluna {
  std::string_view legenda;
  std::string valor;
  Unidade largura;
};

// A row of captions with their values below them, left to right.
void Fileira(Banda& b, Unidade y, std::initializer_list<Coluna> colunas) {
  Unidade x = 0;
  for (const auto& c : colunas) {
    Legenda(b, x, y, c.largura - 4, c.legenda, c.valor);
    x += c.largura;
  }
}

// The establishment's identifying row, in its section and in the strip of
// the pages that continue it (whose captions are spelt slightly otherwise).
void Identificacao(Banda& b, Unidade y, const Linha& e, std::string_view inscricao, std::string_view ano) {
  Fileira(b, y,
          {{inscricao, Inscricao(e), 130},
           {"Prefixo", e["NuPrefixoEstabelecimento"], 60},
           {"CEI Vinculado", CeiVinculado(e["CoCgcVinculado"]), 130},
           {LegendaEncerramento(e), Encerramento(e), 120},
           {"Para uso da empresa", e["TxUsoEstabelecimento"], 130},
           {ano, AnoInformacoes(e), 100}});
}

std::string DecimoTerceiro(std::string_view mes, std::string_view valor) {
  if (valor == "000000000" || Apara(valor).empty()) return {};
  return std::string(mes == "00" ? std::string_view{} : mes) + "- " + ValorSimples(valor);
}

std::string Desligamento(std::string_view causa, std::string_view data) {
  const std::string_view c = causa == "00" ? std::string_view{} : causa;
  const std::string d = data == "0000" ? std::string() : DiaMes(data);
  if (Apara(c).empty() && d.empty()) return {};
  return std::string(c) + "- " + d;
}

}  // namespace

std::string_view TextoClassificacao(Classificacao c) {
  switch (c) {
    case Classificacao::Nome: return "Nome do empregado";
    case Classificacao::Uso: return "Para uso da empresa";
    case Classificacao::Pis: break;
  }
  return "código PIS/PASEP";
}

std::string ValorAgrupado(std::string_view nove) {
  const std::string_view t = Apara(nove);
  if (!t.empty() && !Digitos(t)) return std::string(nove);
  std::string d = TiraZerosEsquerda(t);
  if (d.size() < 3) d.insert(0, 3 - d.size(), '0');
  const std::string inteira = d.substr(0, d.size() - 2);
  std::string r;
  for (std::size_t i = 0; i < inteira.size(); ++i) {
    if (i > 0 && (inteira.size() - i) % 3 == 0) r += '.';
    r += inteira[i];
  }
  return r + "," + d.substr(d.size() - 2);
}

std::string ValorSimples(std::string_view nove) {
  if (Apara(nove).empty() || nove == "000000000") return {};
  if (!Digitos(nove) || nove.size() < 3) return std::string(nove);
  std::string inteira(nove.substr(0, nove.size() - 2));
  for (char& c : inteira) {
    if (c != '0') break;
    c = ' ';
  }
  return inteira + "," + std::string(nove.substr(nove.size() - 2));
}

std::string DiaMes(std::string_view ddmm) {
  if (Apara(ddmm).empty()) return {};
  return std::string(Pedaco(ddmm, 0, 2)) + "/" + std::string(Pedaco(ddmm, 2, 2));
}

TrpRelatorios::TrpRelatorios(Conexao& c, OpcoesDeclaracao opcoes) : c_(c), op_(std::move(opcoes)) {}

bool TrpRelatorios::Escolhido(const Linha& e) const {
  if (op_.estabelecimentos.empty()) return true;
  for (const auto& s : op_.estabelecimentos)
    if (InscricaoArmazenada(s.inscricao) == e["CoCgcCeiEstabelecimento"] && s.prefixo == e["NuPrefixoEstabelecimento"])
      return true;
  return false;
}

bool TrpRelatorios::Escolhido(const Linha& v, bool) const {
  if (op_.vinculos.empty()) return true;
  for (const auto& s : op_.vinculos)
    if (s.pis == v["CoPisPasepEmpregado"] && s.admissao == v["DaAdmissaoEmpregado"] &&
        (s.pis != "00000000000" || s.nome == v["NoEmpregado"]))
      return true;
  return false;
}

Banda TrpRelatorios::Secao(const Linha& e, bool comVinculos, Unidade w) const {
  Banda s(TipoBanda::CabecalhoGrupo, op_.completo ? kSecaoCompleto : kSecaoResumido);
  s.novaPagina = true;
  s.Texto(0, 0, w, 14, "ESTABELECIMENTO", kFonteNegrito);
  Identificacao(s, 18, e, "Inscrição no CNPJ/CEI", "Ano das Informações");
  Fileira(s, 48, {{"Nome/Firma/Razão Social", e["NoRazaoEstabelecimento"], w}});
  Fileira(s, 78,
          {{"Logradouro(rua,avenida,praça...) ", e["EdEstabelecimento"], 300},
           {"Número", TiraZerosEsquerda(e["NuEnderecoEstabelecimento"]), 70},
           {"Complemento", e["TxComplemEstabelecimento"], 170},
           {"Bairro", e["NoBairroEstabelecimento"], 170}});
  const std::string& ddd = e["NuDDD"];
  const std::string telefone = (SoZeros(ddd) || ddd.empty() ? ddd : "(" + ddd + ") ") + FormataTelefone(e["NuTelefone"]);
  Fileira(s, 108,
          {{"CEP", Cep(e["CoCepEstabelecimento"]), 80},
           {"Código", CodigoMunicipio(e["CoMunicipio"]), 80},
           {"Município", e["NoMunicEstabelecimento"], 260},
           {"UF", e["SgUf"], 50},
           {"Telefone", telefone, 150}});
  const std::string& porte = e["InPorte"];
  const std::string& pat = e["InParticipaPAT"];
  Fileira(s, 138,
          {{"Atividade Econômica", Cnae(e["CoCnae"]), 120},
           {"Natureza Jurídica", NaturezaJuridica(e["CoNaturezaJuridica"]), 110},
           {"Data Base", e["MeDataBase"], 70},
           {"Porte", porte == "1" ? "Micro" : porte == "2" ? "Pequeno" : porte == "3" ? "Outros" : " ", 80},
           {"Optante Simples", e["InOptanteSimples"] == "1" ? "Sim" : "Não", 90},
           {"PAT", pat == "1" ? "Sim" : pat == "2" ? "Não" : " ", 60}});
  Fileira(s, 168,
          {{"Vinc > 5 SM", TiraZerosEsquerda(e["NuVinculoPatMaior5"]), 75},
           {"Vinc <=5 SM", TiraZerosEsquerda(e["NuVinculoPatMenor5"]), 75},
           {"Serv.Proprio", Percentual(e["PoServicoProprio"]), 75},
           {"Adm Cozinha", Percentual(e["PoAdmCozinha"]), 75},
           {"Ref Convênio", Percentual(e["PoRefeicaoConvenio"]), 75},
           {"Ref Transp", Percentual(e["PoRefeicaoTransportadora"]), 75},
           {"Cesta Alim", Percentual(e["PoCestaAlimento"]), 75},
           {"Alim Conv", Percentual(e["PoAlimentacaoConvenio"]), 75},
           {"Total de Vínculos", TiraZerosEsquerda(e["NuVinculosEstabelecimento"]), 110}});
  s.Traco(0, 200, w, 200);
  if (comVinculos) {
    s.Texto(0, 206, w, 14, "VÍNCULOS", kFonteNegrito);
    if (!op_.completo)
      s.Texto(0, 230, 110, 12, "Cód. PIS/PASEP", kFonteLegenda)
          .Texto(110, 230, 300, 12, "Nome do empregado/servidor", kFonteLegenda)
          .Texto(420, 230, 100, 12, "Data de Admissão", kFonteLegenda)
          .Texto(530, 230, 150, 12, "Para uso da empresa", kFonteLegenda);
  }
  return s;
}

void TrpRelatorios::Gera(Paginador& p) {
  const Unidade w = p.formato().LarguraUtil();
  const std::string te = op_.deTabelasTrabalho ? kTrabalhoEstabelecimento : kTabelaEstabelecimentos;
  const std::string tv = op_.deTabelasTrabalho ? kTrabalhoVinculo : kTabelaVinculos;
  const char* ordem = op_.classificacao == Classificacao::Nome  ? "NoEmpregado"
                      : op_.classificacao == Classificacao::Uso ? "TxUsoEmpregado"
                                                                 : "CoPisPasepEmpregado";
  Consulta estabs(c_, {"select * from " + Identificador(te) + " where AnBase = :ano",
                       "order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  estabs.defineTexto("ano", op_.anoBase);
  Consulta vincs(c_, {"select * from " + Identificador(tv), "where AnBase = :ano and CoCgcCeiEstabelecimento = :inscr",
                      "and NuPrefixoEstabelecimento = :prefixo",
                      std::string("order by ") + ordem + ", CoPisPasepEmpregado, DaAdmissaoEmpregado"});

  while (!p.Parado() && estabs.proxima()) {
    Linha e = estabs.linha();
    if (!Escolhido(e)) continue;
    vincs.reinicia();
    vincs.defineTexto("ano", op_.anoBase)
        .defineTexto("inscr", e["CoCgcCeiEstabelecimento"])
        .defineTexto("prefixo", e["NuPrefixoEstabelecimento"]);
    Linha v;
    auto proximo = [&]() {
      while (vincs.proxima()) {
        v = vincs.linha();
        if (Escolhido(v, true)) return true;
      }
      return false;
    };
    bool tem = proximo();
    atual_ = std::move(e);
    p.Coloca(Secao(atual_, tem, w));
    for (; tem && !p.Parado(); tem = proximo()) {
      if (op_.completo) {
        Banda l(TipoBanda::Detalhe, kLinhaCompleto);
        l.teto = kTetoLinha;
        l.espacoMinimo = kLinhaCompleto + kBloco;  // and never split from its block at the page's foot
        Legenda(l, 0, 2, 110, "Cód. PIS/PASEP", FormataPis(v["CoPisPasepEmpregado"]));
        Legenda(l, 120, 2, 400, "Nome do empregado/servidor", v["NoEmpregado"]);
        Legenda(l, 530, 2, 150, "Para uso da empresa", v["TxUsoEmpregado"]);
        p.Coloca(std::move(l));

        Banda b(TipoBanda::Filha, kBloco);
        Fileira(b, 0,
                {{"Data Nascimento", FormataData(v["DaNascimentoEmpregado"]), 85},
                 {"Raça/Cor", v["CoTipoRaca"], 55},
                 {"Deficiente", SimNao(v["InDeficienteFisico"]), 60},
                 {"Sexo", v["InSexo"] == "1" ? "M" : v["InSexo"] == "2" ? "F" : " ", 40},
                 {"Nacionalidade", v["CoNacionalidade"], 72},
                 {"Ano de Chegada", v["AnChegadaEmpregado"] == "0000" ? "" : v["AnChegadaEmpregado"], 80},
                 {"Instrução", v["CoInstrucao"], 60},
                 {"CPF", Cpf(v["CoCpfEmpregado"]), 100},
                 {"Carteira de Trabalho", v["NuCartTrabEmpregado"] == "00000000000" ? "" : v["NuCartTrabEmpregado"],
                  110}});
        Fileira(b, 26,
                {{"Data Admissão", FormataData(v["DaAdmissaoEmpregado"]), 75},
                 {"T. Adm", v["CoTipoAdmissao"], 45},
                 {"Sal. Contratual", ValorSimples(v["VaSalContratualEmpregado"]), 80},
                 {"T.S.Contr.", v["CoTipoSalarioContratual"], 55},
                 {"Horas", v["HoSemanaisEmpregado"], 40},
                 {"CBO", v["CoCbo"], 60},
                 {"Vínculo", v["CoVinculo"], 50},
                 {"Alvará", SimNao(v["InAlvaraEmpregado"]), 50},
                 {"Desligamento", Desligamento(v["CoCausaDesligamento"], v["DaDesligamentoEmpregado"]), 90},
                 {"Aviso Prévio", ValorAgrupado(v["VaAvisoPrevioEmpregado"]), 90}});
        Fileira(b, 52,
                {{"Janeiro", ValorAgrupado(v["VaJaneiroEmpregado"]), 79},
                 {"Fevereiro", ValorAgrupado(v["VaFevereiroEmpregado"]), 79},
                 {"Março", ValorAgrupado(v["VaMarcoEmpregado"]), 79},
                 {"Abril", ValorAgrupado(v["VaAbrilEmpregado"]), 79},
                 {"Maio", ValorAgrupado(v["VaMaioEmpregado"]), 79},
                 {"Junho", ValorAgrupado(v["VaJunhoEmpregado"]), 79},
                 {"Julho", ValorAgrupado(v["VaJulhoEmpregado"]), 79},
                 {"Agosto", ValorAgrupado(v["VaAgostoEmpregado"]), 79},
                 {"Setembro", ValorAgrupado(v["VaSetembroEmpregado"]), 79}});
        Fileira(b, 78,
                {{"Outubro", ValorAgrupado(v["VaOutubroEmpregado"]), 79},
                 {"Novembro", ValorAgrupado(v["VaNovembroEmpregado"]), 79},
                 {"Dezembro", ValorAgrupado(v["VaDezembroEmpregado"]), 79},
                 {"13.Salário Adiantamento",
                  DecimoTerceiro(v["Me13AdiantamentoEmpregado"], v["Va13AdiantamentoEmpregado"]), 160},
                 {"13.Salário Parcela Final",
                  DecimoTerceiro(v["Me13ParcelaFinalEmpregado"], v["Va13ParcelaFinalEmpregado"]), 160}});
        Fileira(b, 104,
                {{"Cód Prim Afas", v["CoMotivoPrimAfas"], 80},
                 {"Início Prim afas", DiaMes(v["DaInicioprimeiroAfas"]), 80},
                 {"Final Prim Afas", DiaMes(v["DaFinalPrimeiroAfas"]), 80},
                 {"Cód Ter Afas", v["CoMotivoTercAfas"], 80},
                 {"Início Ter Afas", DiaMes(v["DaInicioTerceiroAfas"]), 80},
                 {"Final Ter Afas", DiaMes(v["DaFinalTerceiroAfas"]), 80}});
        Fileira(b, 130,
                {{"Cód Seg Afas", v["CoMotivoSeguAfas"], 80},
                 {"Início Seg afas", DiaMes(v["DaInicioSegundoAfas"]), 80},
                 {"Final Seg Afas", DiaMes(v["DaFinalSegundoAfas"]), 80},
                 {"Qtde Dias Afas", v["QtDiasAfas"], 80}});
        b.Traco(0, 160, w, 160);
        p.Coloca(std::move(b));
      } else {
        Banda l(TipoBanda::Detalhe, kLinhaResumido);
        l.Texto(0, 4, 110, 14, FormataPis(v["CoPisPasepEmpregado"]), kFonteValor)
            .Texto(110, 4, 300, 14, v["NoEmpregado"], kFonteValor)
            .Texto(420, 4, 100, 14, FormataData(v["DaAdmissaoEmpregado"]), kFonteValor)
            .Texto(530, 4, 150, 14, v["TxUsoEmpregado"], kFonteValor);
        p.Coloca(std::move(l));
      }
    }
  }
}

void TrpRelatorios::CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  const Unidade w = FormatoPagina().LarguraUtil();
  Banda c(TipoBanda::CabecalhoPagina, kAlturaCabecalho);
  c.Traco(0, 0, w, 0);
  TitulosCentrados(c, 4, w,
                   op_.completo ? "Relatório completo do estabelecimento" : "Relatório resumido do estabelecimento",
                   true);
  c.Texto(0, 66, w, 16, "Classificação : " + std::string(TextoClassificacao(op_.classificacao)), kFonteTexto)
      .Paragrafo(0, 86, w, 60, LinhasAtendimento("Maiores esclarecimentos : "), kFonteTexto)
      .Traco(0, 158, w, 158);
  bandas.push_back(std::move(c));
  // The pages that continue an establishment name it in a strip.
  if (ctx.abertura && ctx.abertura->tipo != TipoBanda::CabecalhoGrupo) {
    const Linha& e = atual_;
    Banda f(TipoBanda::CabecalhoPagina, kAlturaFaixa);
    f.Texto(0, 2, w, 14, "ESTABELECIMENTO", kFonteNegrito);
    Identificacao(f, 18, e, "Inscrição CNPJ/CEI:", "Ano das informações");
    f.Traco(0, 52, w, 52);
    bandas.push_back(std::move(f));
  }
}

void TrpRelatorios::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), false));
}

}  // namespace vornex::relatorio
