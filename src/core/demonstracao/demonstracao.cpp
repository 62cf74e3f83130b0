#include "demonstracao/demonstracao.h"

#include <algorithm>
#include <random>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/digitos.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "data/trava_pasta.h"
#include "validation/referencias_tabelas.h"
#include "validation/regras_contrato.h"
#include "validation/regras_empregado.h"
#include "validation/regras_endereco.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {

namespace {

using sv = std::string_view;

// The same numbers from the same seed on every platform (the standard
// distributions are not portable, the engine is).
class Sorteio {
 public:
  explicit Sorteio(std::uint64_t semente) : g_(semente) {}
  // Uniform in [a, b].
  long long entre(long long a, long long b) { return a + static_cast<long long>(g_() % static_cast<std::uint64_t>(b - a + 1)); }
  bool chance(int porCento) { return entre(1, 100) <= porCento; }
  template <class T>
  const T& um(const std::vector<T>& v) { return v[static_cast<std::size_t>(entre(0, static_cast<long long>(v.size()) - 1))]; }

 private:
  std::mt19937_64 g_;
};

std::string Num(long long v, int largura) { return ZerosEsquerda(std::to_string(v), largura); }
std::string Data(long long dia, long long mes, long long ano) { return Num(dia, 2) + Num(mes, 2) + Num(ano, 4); }
std::string DiaMes(long long dia, long long mes) { return Num(dia, 2) + Num(mes, 2); }

// Registrations and personal numbers with their check digits.
std::string Cnpj(long long raiz, long long filial) {
  std::string s = Num(raiz, 8) + Num(filial, 4);
  s += DigitoChar(DvModulo11(SomaPesos9(s)));
  s += DigitoChar(DvModulo11(SomaPesos9(s)));
  return s;
}
std::string Cei(long long corpo) {
  std::string s = Num(corpo, 11);
  return "00" + s + DvCei(s);
}
std::string Cpf(long long corpo) {
  std::string s = Num(corpo, 9);
  s += DigitoChar(DvModulo11(SomaPesos11(s)));
  s += DigitoChar(DvModulo11(SomaPesos11(s)));
  return s;
}

// Places whose municipality, CEP, state and area code agree under the rules.
struct Local {
  std::string municipio, nome, cep, uf, ddd;
};

std::vector<Local> Locais(const TabelasReferencia& t, const Referencias& ref) {
  std::vector<Local> r;
  for (const auto& l : t.linhas(Referencia::Municipio)) {
    if (r.size() >= 400) break;
    const std::string co(Apara(l["CoMunicipio"]));
    if (co.size() != 7 || !SoDigitos(co)) continue;
    std::string prefixo(Apara(l["CoCep"]));
    if (auto f = t.faixaCepMunicipio(co); f && l["InFaixa"] != "0") prefixo = Apara((*f)["CoCep1Inicial"]);
    if (prefixo.size() != 5) continue;
    Local x{co, std::string(Apara(l["NoMunicipio"])), prefixo + "100", ref.SiglaUf(co.substr(0, 2)).value_or(""), ""};
    const std::string coUf = co.substr(0, 2);
    if (x.uf.empty() || !CriticaNomeMunicipio(x.nome).ok() || x.nome.size() > 30 || !CriticaCep(x.cep).ok() ||
        !CriticaCepMunicipio(x.cep, co, true, ref).ok() || !CriticaCepUf(x.cep, coUf, ref).ok())
      continue;
    for (int d = 11; d <= 99 && x.ddd.empty(); ++d)
      if (d % 10 != 0 && CriticaDddUf(std::to_string(d), coUf).ok()) x.ddd = std::to_string(d);
    if (!x.ddd.empty()) r.push_back(std::move(x));
  }
  if (r.empty()) throw std::runtime_error("tabelas de referência sem municípios utilizáveis");
  return r;
}

// Codes of a reference table that pass `aceita`.
template <class F>
std::vector<std::string> Codigos(const TabelasReferencia& t, Referencia tabela, F aceita) {
  std::vector<std::string> r;
  for (const auto& l : t.linhas(tabela)) {
    std::string co(Apara(l[0]));
    if (aceita(co)) r.push_back(std::move(co));
  }
  if (r.empty()) throw std::runtime_error("tabela de referência sem códigos utilizáveis: " + std::string(NomeTabela(tabela)));
  return r;
}

constexpr const char* kNomes[] = {"ANA",    "BRUNO",  "CARLA",  "DANIEL", "EDUARDA", "FABIO",  "GABRIELA",
                                  "HELIO",  "IARA",   "JOAO",   "KARINA", "LUCAS",   "MARIA",  "NELSON",
                                  "OLGA",   "PAULO",  "RAQUEL", "SERGIO", "TATIANA", "VITOR"};
constexpr const char* kSobrenomes[] = {"SILVA",  "SANTOS",  "OLIVEIRA", "SOUZA",  "LIMA",    "PEREIRA", "COSTA",
                                       "ALMEIDA", "RIBEIRO", "CARVALHO", "GOMES", "MARTINS", "ROCHA",   "BARROS"};
constexpr const char* kAtividades[] = {"COMERCIO", "INDUSTRIA", "SERVICOS", "TRANSPORTES", "CONSTRUTORA", "AGRO"};
constexpr const char* kRuas[] = {"RUA DAS FLORES", "AVENIDA BRASIL", "RUA SETE DE SETEMBRO", "RUA DO COMERCIO",
                                 "AVENIDA CENTRAL", "TRAVESSA SAO JOSE"};
constexpr const char* kBairros[] = {"CENTRO", "JARDIM AMERICA", "VILA NOVA", "BOA VISTA", "SAO JOSE"};

template <std::size_t N>
std::string De(Sorteio& s, const char* const (&lista)[N]) {
  return lista[s.entre(0, N - 1)];
}

class Gerador {
 public:
  Gerador(Conexao& c, const OpcoesDemonstracao& o)
      : c_(c),
        o_(o),
        s_(o.semente),
        tabelas_(TabelasReferencia::Carrega(c)),
        ref_(tabelas_),
        locais_(Locais(tabelas_, ref_)),
        cnaes_(Codigos(tabelas_, Referencia::Cnae,
                       [&](sv co) { return co.size() == 5 && co.substr(0, 2) != "75" && CriticaCnae(co, ref_).ok(); })),
        naturezas_(Codigos(tabelas_, Referencia::NaturezaJuridica,
                           [&](sv co) { return co[0] != '1' && CriticaNatJuridica(co, ref_).ok(); })),
        cbos_(Codigos(tabelas_, Referencia::Cbo,
                      [&](sv co) {
                        auto f = tabelas_.indicadoresCbo(co);
                        return CriticaCbo(co, ref_).ok() && f && !f->criticaAna && !f->criticaCbo;
                      })),
        estrangeiras_(Codigos(tabelas_, Referencia::Nacionalidade,
                              [&](sv co) { return co != "10" && co.size() == 2 && CriticaNacionalidade(co, ref_).ok(); })),
        racas_(Codigos(tabelas_, Referencia::Raca, [&](sv co) { return CriticaRaca(co, ref_).ok(); })),
        instrucoes_(Codigos(tabelas_, Referencia::Instrucao, [&](sv co) { return CriticaInstrucao(co, ref_).ok(); })),
        emp_(c, kTabelaEstabelecimentos),
        vinc_(c, kTabelaVinculos) {
    // Spread the numbering by the seed, so two seeds give different people.
    desvioPis_ = static_cast<long long>(o.semente % 700000000ULL);
    desvioRaiz_ = static_cast<long long>((o.semente * 104729ULL) % 80000000ULL);
  }

  ResumoDemonstracao Gera() {
    if (emp_.conta() != 0 || vinc_.conta() != 0)
      throw std::runtime_error("a declaração já tem estabelecimentos ou vínculos; use uma pasta de dados vazia");
    const int n = o_.estabelecimentos;
    if (n < 1 && o_.vinculos > 0) throw std::invalid_argument("vínculos sem estabelecimentos");
    if (n < 0 || n > 99999) throw std::invalid_argument("número de estabelecimentos fora de 0 a 99999");
    if (o_.vinculos < 0) throw std::invalid_argument("número de vínculos negativo");

    // Every tenth establishment (a CNPJ) is declared without employees, and
    // all of them when there are no links to share.
    std::vector<bool> negativa(static_cast<std::size_t>(n));
    int comEmpregados = 0;
    for (int i = 0; i < n; ++i) {
      negativa[static_cast<std::size_t>(i)] = o_.vinculos == 0 || (n > 1 && i % 10 == 9);
      if (!negativa[static_cast<std::size_t>(i)]) ++comEmpregados;
    }
    if (comEmpregados > 0 && (o_.vinculos + comEmpregados - 1) / comEmpregados > 999999)
      throw std::invalid_argument("mais de 999999 vínculos num estabelecimento");

    Transacao t(c_);
    Responsavel();
    ResumoDemonstracao r;
    long long restantes = o_.vinculos;
    int restantesEstab = comEmpregados;
    for (int i = 0; i < n; ++i) {
      long long m = 0;
      if (!negativa[static_cast<std::size_t>(i)]) {
        m = restantes / restantesEstab;
        restantes -= m;
        --restantesEstab;
      }
      r.estrangeiros += Estabelecimento(i, m, negativa[static_cast<std::size_t>(i)]);
      r.vinculos += m;
      if (negativa[static_cast<std::size_t>(i)]) ++r.semEmpregados;
    }
    r.estabelecimentos = n;
    t.confirma();
    return r;
  }

 private:
  long long NovaRaiz() {
    for (;;) {
      const long long raiz = 10000000 + (desvioRaiz_ + proximaRaiz_++) % 80000000;
      if (!ref_.NomeRaizReservada(Num(raiz, 8))) return raiz;
    }
  }

  std::string Pis() {
    for (;;) {
      std::string s = std::to_string(1200000000 + (desvioPis_ + proximoPis_++ * 7919) % 700000000);
      s += DigitoChar(DvPis(SomaPesos9(s)));
      if (PisValido(s) && s != kPisTeste) return s;
    }
  }

  void Endereco(Linha& l, const Local& x, sv ed, sv nu, sv complemento, sv bairro, sv cep, sv mun, sv nomeMun, sv uf, sv ddd,
                sv tel) {
    l[std::string(ed)] = De(s_, kRuas);
    l[std::string(nu)] = Num(s_.entre(1, 9999), 6);
    l[std::string(complemento)] = s_.chance(30) ? "SALA " + std::to_string(s_.entre(1, 99)) : "";
    l[std::string(bairro)] = De(s_, kBairros);
    l[std::string(cep)] = x.cep;
    l[std::string(mun)] = x.municipio;
    l[std::string(nomeMun)] = x.nome;
    l[std::string(uf)] = x.uf;
    l[std::string(ddd)] = x.ddd;
    l[std::string(tel)] = std::to_string(s_.entre(30000000, 39999999));
  }

  void Responsavel() {
    Linha r = EditaResponsavel(c_);
    const Local& x = s_.um(locais_);
    r["CoCgcCeiResponsavel"] = Cnpj(NovaRaiz(), 1);
    r["InInscrResponsavel"] = "1";
    r["NoResponsavelArquivo"] = "CONTABILIDADE DEMONSTRACAO LTDA";
    Endereco(r, x, "EdLogradouroRespArquivo", "NuLogradouroRespArquivo", "TxComplementoRespArquivo",
             "NoBairroRespArquivo", "CoCepRespArquivo", "CoMunicipioRespArquivo", "NoMunicipioRespArquivo",
             "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante");
    r["TxEMailRespArquivo"] = "contato@contabilidade-demo.com.br";
    r.defineLogico("InReciboParaRespArquivo", true);
    r.defineLogico("InRetificacao", false);
    r["DaRetificacao"] = "00000000";
    r["DaGeracao"] = "01032005";
    GravaResponsavel(c_, r);
  }

  // Answers the number of foreigners among its links.
  long long Estabelecimento(int i, long long vinculos, bool negativa) {
    Linha e = emp_.novaLinha();
    const bool cei = !negativa && i % 4 == 3;
    std::string inscricao;
    do {
      const long long raiz = NovaRaiz();
      inscricao = cei ? Cei(10000000000LL + raiz * 7) : Cnpj(raiz, 1 + i % 3);
    } while (ref_.NomeRaizReservada(inscricao.substr(0, 8)));
    e["AnBase"] = "2004";
    e["CoCgcCeiEstabelecimento"] = inscricao;
    e["NuPrefixoEstabelecimento"] = i % 7 == 5 ? "A" + std::to_string(i % 10) : "00";
    e["CoCgcVinculado"] = Zeros(14);
    e["NoRazaoEstabelecimento"] = De(s_, kAtividades) + " " + De(s_, kSobrenomes) + " DEMONSTRACAO " + Num(i + 1, 5) + " LTDA";
    const Local& x = s_.um(locais_);
    Endereco(e, x, "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento",
             "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "NuDDD",
             "NuTelefone");
    e["CoCnae"] = s_.um(cnaes_);
    e["CoNaturezaJuridica"] = s_.um(naturezas_);
    e["NuProprietEstabelecimento"] = Num(s_.entre(1, 5), 2);
    e["MeDataBase"] = Num(s_.entre(1, 12), 2);
    e["InInscrEstabelecimento"] = cei ? "3" : "1";
    e["InZemaNegEstabelecimento"] = negativa ? "1" : "0";
    e["TxUsoEstabelecimento"] = "DEMO " + Num(i + 1, 5);
    e["NuVinculosEstabelecimento"] = Num(vinculos, 6);
    e["InOpcaoAberta"] = "";
    const std::string porte = std::to_string(s_.entre(1, 3));
    e["InPorte"] = porte;
    e["InOptanteSimples"] = porte == "3" ? "2" : (s_.chance(60) ? "1" : "2");
    e["InEncerramentoAtividade"] = "2";
    e["DaEncerramentoAtividade"] = "";
    const bool pat = !negativa && s_.chance(30);
    e["InParticipaPAT"] = pat ? "1" : "2";
    e["NuVinculoPatMaior5"] = pat ? Num(std::max(1LL, vinculos / 10), 6) : Zeros(6);
    e["NuVinculoPatMenor5"] = pat ? Num(vinculos - vinculos / 10, 6) : Zeros(6);
    for (const char* po : {"PoAdmCozinha", "PoServicoProprio", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
                           "PoCestaAlimento", "PoAlimentacaoConvenio"})
      e[po] = Zeros(3);
    if (pat) {
      const long long proprio = s_.entre(0, 10) * 10;
      e["PoServicoProprio"] = Num(proprio, 3);
      e["PoRefeicaoConvenio"] = Num(100 - proprio, 3);
    }
    e["TxEmailEstabelecimento"] = "rh@empresa" + Num(i + 1, 5) + ".com.br";

    long long estrangeiros = 0;
    Linha v = vinc_.novaLinha();
    for (long long k = 0; k < vinculos; ++k) estrangeiros += Vinculo(e, v, cei);
    e["NuEstrangeirosEstabelec"] = Num(estrangeiros, 5);
    emp_.inclui(e);
    return estrangeiros;
  }

  // Answers 1 for a foreign worker.
  int Vinculo(const Linha& e, Linha& v, bool cei) {
    v["AnBase"] = e["AnBase"];
    v["CoCgcCeiEstabelecimento"] = e["CoCgcCeiEstabelecimento"];
    v["NuPrefixoEstabelecimento"] = e["NuPrefixoEstabelecimento"];
    v["CoPisPasepEmpregado"] = Pis();
    v["NuSequencialRegistro"] = "";

    // Admission: mostly before the base year; some during it (up to October,
    // so the 13th salary months follow it).
    const bool admitido2004 = s_.chance(15);
    const long long anoAdm = admitido2004 ? 2004 : s_.entre(1985, 2003);
    const long long mesAdm = admitido2004 ? s_.entre(1, 10) : s_.entre(1, 12);
    v["DaAdmissaoEmpregado"] = Data(s_.entre(1, 28), mesAdm, anoAdm);
    const long long anoNasc = s_.entre(std::max(1945LL, anoAdm - 45), anoAdm - 18);
    v["DaNascimentoEmpregado"] = Data(s_.entre(1, 28), s_.entre(1, 12), anoNasc);
    v["NoEmpregado"] = std::string(kNomes[s_.entre(0, 19)]) + " " + kSobrenomes[s_.entre(0, 13)] + " " +
                       kSobrenomes[s_.entre(0, 13)];

    const bool estrangeiro = s_.chance(3);
    v["CoNacionalidade"] = estrangeiro ? s_.um(estrangeiras_) : "10";
    v["AnChegadaEmpregado"] = estrangeiro ? Num(s_.entre(anoNasc, anoAdm), 4) : "0000";
    v["CoInstrucao"] = s_.um(instrucoes_);
    v["NuCartTrabEmpregado"] = Num(s_.entre(1000000, 99999999), 8) + Num(s_.entre(1, 999), 3);
    v["CoCpfEmpregado"] = Cpf(s_.entre(10000000, 999999999));
    v["CoTipoAdmissao"] = admitido2004 ? (s_.chance(50) ? "1" : "2") : "2";
    const long long salario = s_.entre(300, 6000) * 100;
    v["VaSalContratualEmpregado"] = Num(salario, 9);
    v["CoTipoSalarioContratual"] = "1";
    v["HoSemanaisEmpregado"] = s_.chance(80) ? "44" : "40";
    v["CoCbo"] = s_.um(cbos_);
    v["CoVinculo"] = cei ? "15" : "10";

    // A tenth are dismissed during the year, after their admission month.
    const long long inicio = anoAdm == 2004 ? mesAdm : 1;
    const bool desligado = inicio < 12 && s_.chance(10);
    const long long mesDesl = desligado ? s_.entre(inicio + 1, 12) : 0;
    v["CoCausaDesligamento"] = desligado ? (s_.chance(70) ? "11" : "21") : "00";
    v["DaDesligamentoEmpregado"] = desligado ? DiaMes(s_.entre(1, 28), mesDesl) : "0000";

    long long pagos = 0;
    for (long long m = 1; m <= 12; ++m) {
      long long valor = 0;
      if (m >= inicio && (!desligado || m <= mesDesl)) {
        valor = salario + s_.entre(0, 5) * 1000;
        if (m == inicio && anoAdm == 2004) valor = std::max(SalarioMinimo(m), valor / 2);
        ++pagos;
      }
      v[std::string(kColunasMes[m - 1])] = Num(valor, 9);
    }
    // The 13th salary in proportion to the months worked: in two parts, or
    // whole with the dismissal.
    const long long decimo = salario * pagos / 12;
    if (desligado) {
      v["Me13AdiantamentoEmpregado"] = "00";
      v["Va13AdiantamentoEmpregado"] = Zeros(9);
      v["Me13ParcelaFinalEmpregado"] = "99";
      v["Va13ParcelaFinalEmpregado"] = Num(std::max(1LL, decimo), 9);
    } else {
      v["Me13AdiantamentoEmpregado"] = "11";
      v["Va13AdiantamentoEmpregado"] = Num(decimo / 2, 9);
      v["Me13ParcelaFinalEmpregado"] = "12";
      v["Va13ParcelaFinalEmpregado"] = Num(decimo - decimo / 2, 9);
    }
    v["TxUsoEmpregado"] = s_.chance(20) ? "MAT " + Num(s_.entre(1, 99999), 5) : "";
    v["CoTipoRaca"] = s_.um(racas_);
    v["InDeficienteFisico"] = s_.chance(2) ? "1" : "2";
    v["VaAvisoPrevioEmpregado"] = Zeros(9);
    v["InAlvaraEmpregado"] = "2";
    v["InSexo"] = s_.chance(50) ? "1" : "2";

    // Some long-standing workers took a leave in June.
    const bool afastado = anoAdm < 2004 && !desligado && s_.chance(5);
    v["CoMotivoPrimAfas"] = afastado ? "10" : "00";
    v["DaInicioprimeiroAfas"] = afastado ? "0106" : "0000";
    v["DaFinalPrimeiroAfas"] = afastado ? "1506" : "0000";
    for (const char* col : {"CoMotivoSeguAfas", "CoMotivoTercAfas", "CoMotivoAfastamento"}) v[col] = "00";
    for (const char* col : {"DaInicioSegundoAfas", "DaFinalSegundoAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"})
      v[col] = "0000";
    v["QtDiasAfas"] = afastado ? "015" : "000";
    vinc_.inclui(v);
    return estrangeiro ? 1 : 0;
  }

  static constexpr sv kColunasMes[12] = {
      "VaJaneiroEmpregado",  "VaFevereiroEmpregado", "VaMarcoEmpregado",    "VaAbrilEmpregado",
      "VaMaioEmpregado",     "VaJunhoEmpregado",     "VaJulhoEmpregado",    "VaAgostoEmpregado",
      "VaSetembroEmpregado", "VaOutubroEmpregado",   "VaNovembroEmpregado", "VaDezembroEmpregado"};

  Conexao& c_;
  const OpcoesDemonstracao& o_;
  Sorteio s_;
  TabelasReferencia tabelas_;
  ReferenciasTabelas ref_;
  std::vector<Local> locais_;
  std::vector<std::string> cnaes_, naturezas_, cbos_, estrangeiras_, racas_, instrucoes_;
  Tabela emp_, vinc_;
  long long desvioPis_ = 0, desvioRaiz_ = 0, proximoPis_ = 0, proximaRaiz_ = 0;
};

}  // namespace

ResumoDemonstracao GeraDemonstracao(Conexao& c, const OpcoesDemonstracao& opcoes) {
  const TravaPastaDados trava(c);
  return Gerador(c, opcoes).Gera();
}

}  // namespace vornex
