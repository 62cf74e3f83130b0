#include "declfile/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using vornex::Esquema;
using vornex::Linha;

// Columns of the declaration tables, in table order.
const std::vector<std::string> kColunasResp = {
    "CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo", "EdLogradouroRespArquivo",
    "NuLogradouroRespArquivo", "TxComplementoRespArquivo", "NoBairroRespArquivo", "CoCepRespArquivo",
    "CoMunicipioRespArquivo", "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante",
    "TxEMailRespArquivo", "InReciboParaRespArquivo", "InRetificacao", "DaRetificacao", "InAntecipacao",
    "DaGeracao", "InDicasSemEmpregados", "InDicas", "NuRespostaPesquisa", "HoSenha"};
const std::vector<std::string> kColunasEmp = {
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado", "NoRazaoEstabelecimento",
    "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento",
    "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "NuDDD", "NuTelefone", "CoCnae",
    "CoNaturezaJuridica", "NuProprietEstabelecimento", "MeDataBase", "InInscrEstabelecimento",
    "InZemaNegEstabelecimento", "TxUsoEstabelecimento", "NuVinculosEstabelecimento", "NuEstrangeirosEstabelec",
    "InOpcaoAberta", "NuSequencialRegistro", "InPorte", "InOptanteSimples", "InEncerramentoAtividade",
    "DaEncerramentoAtividade", "InAvisoCnae", "InParticipaPAT", "NuVinculoPatMaior5", "NuVinculoPatMenor5",
    "PoAdmCozinha", "PoServicoProprio", "PoRefeicaoConvenio", "PoRefeicaoTransportadora", "PoCestaAlimento",
    "PoAlimentacaoConvenio", "TxEmailEstabelecimento"};
const std::vector<std::string> kColunasVinc = {
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoPisPasepEmpregado", "DaAdmissaoEmpregado",
    "NoEmpregado", "NuSequencialRegistro", "DaNascimentoEmpregado", "CoNacionalidade", "AnChegadaEmpregado",
    "CoInstrucao", "NuCartTrabEmpregado", "CoCpfEmpregado", "CoTipoAdmissao", "VaSalContratualEmpregado",
    "CoTipoSalarioContratual", "HoSemanaisEmpregado", "CoCbo", "CoVinculo", "CoCausaDesligamento",
    "DaDesligamentoEmpregado", "VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaAbrilEmpregado",
    "VaMaioEmpregado", "VaJunhoEmpregado", "VaJulhoEmpregado", "VaAgostoEmpregado", "VaSetembroEmpregado",
    "VaOutubroEmpregado", "VaNovembroEmpregado", "VaDezembroEmpregado", "Me13AdiantamentoEmpregado",
    "Va13AdiantamentoEmpregado", "Me13ParcelaFinalEmpregado", "Va13ParcelaFinalEmpregado", "TxUsoEmpregado",
    "CoTipoRaca", "InDeficienteFisico", "VaAvisoPrevioEmpregado", "InAlvaraEmpregado", "InSexo", "CoMotivoPrimAfas",
    "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas", "CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas",
    "CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas", "QtDiasAfas", "CoMotivoAfastamento"};

using Valores = std::map<std::string, std::string>;

Linha NovaLinha(const std::vector<std::string>& colunas, const Valores& valores) {
  static std::map<const void*, std::shared_ptr<const Esquema>> esquemas;
  auto& e = esquemas[&colunas];
  if (!e) e = std::make_shared<const Esquema>(colunas);
  Linha l(e);
  for (const auto& [c, v] : valores) l[c] = v;
  return l;
}

// A record as the layout tables say it must be: 350 characters of spaces with
// the given texts at their 1-based positions, then CR LF.
std::string Registro(std::initializer_list<std::pair<int, std::string_view>> campos) {
  std::string r(350, ' ');
  for (auto [p, t] : campos) r.replace(static_cast<std::size_t>(p - 1), t.size(), t);
  return r + "\r\n";
}

const Valores kResp = {
    {"CoCgcCeiResponsavel", "12345678000195"}, {"InInscrResponsavel", "1"},
    {"NoResponsavelArquivo", "Maria da Silva"}, {"EdLogradouroRespArquivo", "Rua das Flores"},
    {"NuLogradouroRespArquivo", "000123"}, {"TxComplementoRespArquivo", "apto 4"},
    {"NoBairroRespArquivo", "Centro"}, {"CoCepRespArquivo", "70000000"},
    {"CoMunicipioRespArquivo", "5300108"}, {"NoMunicipioRespArquivo", "Brasilia"},
    {"SgUfRespArquivo", "df"}, {"NuFoneDDD", "61"}, {"NuFoneAssinante", "3333444"},
    {"TxEMailRespArquivo", "responsavel.declaracao@escritorio-exemplo.com"},
    {"InReciboParaRespArquivo", "1"}, {"DaRetificacao", "01022004"}, {"DaGeracao", "15032004"},
    {"NuRespostaPesquisa", "123"}};

const Valores kEstab = {
    {"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "a1"},
    {"CoCgcVinculado", "00123456789012"}, {"NoRazaoEstabelecimento", "Padaria Pao Quente Ltda"},
    {"EdEstabelecimento", "Av. Central"}, {"NuEnderecoEstabelecimento", "000010"},
    {"TxComplemEstabelecimento", "loja 2"}, {"NoBairroEstabelecimento", "Asa Sul"},
    {"CoCepEstabelecimento", "70300000"}, {"CoMunicipio", "5300108"}, {"NoMunicEstabelecimento", "Brasilia"},
    {"SgUf", "DF"}, {"NuDDD", "61"}, {"NuTelefone", "32220000"}, {"CoCnae", "15814"},
    {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "02"}, {"MeDataBase", "05"},
    {"InInscrEstabelecimento", "1"}, {"InZemaNegEstabelecimento", "0"}, {"TxUsoEstabelecimento", "uso interno"},
    {"InPorte", "1"}, {"InOptanteSimples", "1"}, {"InEncerramentoAtividade", "2"},
    {"InParticipaPAT", "1"}, {"NuVinculoPatMaior5", "000003"}, {"NuVinculoPatMenor5", "000012"},
    {"PoAdmCozinha", "010"}, {"PoServicoProprio", "020"}, {"PoRefeicaoConvenio", "030"},
    {"PoRefeicaoTransportadora", "040"}, {"PoCestaAlimento", "000"}, {"PoAlimentacaoConvenio", "000"},
    {"TxEmailEstabelecimento", "contato@padaria.com.br"}};

const Valores kVinc = {
    {"CoPisPasepEmpregado", "12345678919"}, {"NoEmpregado", "Jose Pereira"},
    {"DaNascimentoEmpregado", "05061980"}, {"CoNacionalidade", "10"}, {"AnChegadaEmpregado", "0000"},
    {"CoInstrucao", "7"}, {"CoCpfEmpregado", "11144477735"}, {"NuCartTrabEmpregado", "12345600012"},
    {"DaAdmissaoEmpregado", "01022003"}, {"CoTipoAdmissao", "2"}, {"VaSalContratualEmpregado", "000150000"},
    {"CoTipoSalarioContratual", "1"}, {"HoSemanaisEmpregado", "44"}, {"CoCbo", "848305"}, {"CoVinculo", "10"},
    {"CoCausaDesligamento", "00"}, {"DaDesligamentoEmpregado", "0000"},
    {"VaJaneiroEmpregado", "000150000"}, {"VaFevereiroEmpregado", "000150001"},
    {"VaMarcoEmpregado", "000150002"}, {"VaAbrilEmpregado", "000150003"}, {"VaMaioEmpregado", "000150004"},
    {"VaJunhoEmpregado", "000150005"}, {"VaJulhoEmpregado", "000150006"}, {"VaAgostoEmpregado", "000150007"},
    {"VaSetembroEmpregado", "000150008"}, {"VaOutubroEmpregado", "000150009"},
    {"VaNovembroEmpregado", "000150010"}, {"VaDezembroEmpregado", "000150011"},
    {"Va13AdiantamentoEmpregado", "000075000"}, {"Me13AdiantamentoEmpregado", "06"},
    {"Va13ParcelaFinalEmpregado", "000075001"}, {"Me13ParcelaFinalEmpregado", "12"}, {"CoTipoRaca", ""},
    {"InDeficienteFisico", "2"}, {"InAlvaraEmpregado", "2"}, {"VaAvisoPrevioEmpregado", "000000000"},
    {"InSexo", "1"}, {"CoMotivoPrimAfas", "40"}, {"DaInicioprimeiroAfas", "0103"},
    {"DaFinalPrimeiroAfas", "1503"}, {"CoMotivoSeguAfas", "00"}, {"DaInicioSegundoAfas", "0000"},
    {"DaFinalSegundoAfas", "0000"}, {"CoMotivoTercAfas", "00"}, {"DaInicioTerceiroAfas", "0000"},
    {"DaFinalTerceiroAfas", "0000"}, {"QtDiasAfas", "015"}, {"TxUsoEmpregado", "matricula 9"}};

Valores Com(Valores base, const Valores& mudancas) {
  for (const auto& [c, v] : mudancas) base[c] = v;
  return base;
}

TEST(LayoutRegistro, TipoZeroDeclaracao) {
  vornex::MontadorRegistros m;
  std::string saida;
  m.zero(NovaLinha(kColunasResp, kResp), NovaLinha(kColunasEmp, kEstab), {{}, "10022005", "093005"}, saida);
  EXPECT_EQ(saida, Registro({{1, "000001"}, {7, "11222333000181"}, {21, "A1"}, {23, "0"}, {24, "1"},
                             {25, "12345678000195"}, {39, "1"}, {40, "MARIA DA SILVA"}, {80, "RUA DAS FLORES"},
                             {120, "000123"}, {126, "APTO 4"}, {147, "CENTRO"}, {166, "70000000"},
                             {174, "5300108"}, {181, "BRASILIA"}, {211, "DF"}, {213, "61"}, {215, "3333444"},
                             {223, "2"}, {224, "00000000"}, {232, "10022005"},
                             {240, "RESPONSAVEL.DECLARACAO@ESCRITORIO-EXEMPLO.COM"}, {285, "V01"},
                             {288, "093005"}}));
}

TEST(LayoutRegistro, TipoZeroIndicadorEDatasPorModo) {
  struct Caso {
    bool trabalho, retificacao;
    const char *daRetificacao, *daGeracao, *digitada;
    const char *indicador, *retif, *geracao;
  };
  const Caso casos[] = {
      {false, false, "01022004", "15032004", "10022005", "2", "00000000", "10022005"},
      {true, true, "01022004", "15032004", "10022005", "1", "01022004", "15032004"},
      {true, true, "", "  ", "10022005", "1", "10022005", "10022005"},
      {true, true, "00000000", "00000000", "10022005", "1", "10022005", "10022005"},
      {true, false, "00000000", "15032004", "", "2", "00000000", "15032004"},
      {true, false, "", "", "", "2", "00000000", "00000000"},
      {true, true, "", "", "", "1", "00000000", "00000000"},
  };
  vornex::MontadorRegistros m;
  for (const auto& c : casos) {
    std::string s;
    auto resp = NovaLinha(kColunasResp,
                          Com(kResp, {{"DaRetificacao", c.daRetificacao}, {"DaGeracao", c.daGeracao},
                                      {"InReciboParaRespArquivo", "0"}}));
    m.zero(resp, NovaLinha(kColunasEmp, kEstab), {{c.trabalho, c.retificacao}, c.digitada, "235959"}, s);
    SCOPED_TRACE(std::string(c.daRetificacao) + "/" + c.daGeracao + "/" + c.digitada);
    ASSERT_EQ(s.size(), 352u);
    EXPECT_EQ(s.substr(23, 1), "2");  // correspondence to the establishment
    EXPECT_EQ(s.substr(222, 1), c.indicador);
    EXPECT_EQ(s.substr(223, 8), c.retif);
    EXPECT_EQ(s.substr(231, 8), c.geracao);
  }
}

TEST(LayoutRegistro, TipoUm) {
  vornex::MontadorRegistros m;
  std::string s;
  m.um(NovaLinha(kColunasEmp, kEstab), 2, s);
  EXPECT_EQ(s, Registro({{1, "000002"}, {7, "11222333000181"}, {21, "A1"}, {23, "1"},
                         {24, "PADARIA PAO QUENTE LTDA"}, {76, "AV. CENTRAL"}, {116, "000010"}, {122, "LOJA 2"},
                         {143, "ASA SUL"}, {162, "70300000"}, {170, "5300108"}, {177, "BRASILIA"}, {207, "DF"},
                         {209, "61"}, {211, "32220000"}, {219, "CONTATO@PADARIA.COM.BR"}, {264, "15814"},
                         {269, "2062"}, {273, "02"}, {275, "05"}, {277, "1"}, {278, "0"},
                         {279, "00123456789012"}, {293, "2004"}, {297, "1"}, {298, "1"}, {299, "1"},
                         {300, "000012"}, {306, "000003"}, {312, "020"}, {315, "010"}, {318, "030"},
                         {321, "040"}, {324, "000"}, {327, "000"}, {330, "2"}, {331, "00000000"},
                         {339, "USO INTERNO"}}));
}

TEST(LayoutRegistro, TipoUmRegrasDeVazio) {
  // Never typed PAT data, no closure date, no employees.
  auto estab = Com(kEstab, {{"InZemaNegEstabelecimento", "1"}, {"NuVinculoPatMaior5", ""},
                            {"NuVinculoPatMenor5", "  "}, {"PoAdmCozinha", ""}, {"PoServicoProprio", ""},
                            {"PoRefeicaoConvenio", ""}, {"PoRefeicaoTransportadora", ""}, {"PoCestaAlimento", ""},
                            {"PoAlimentacaoConvenio", " "}, {"DaEncerramentoAtividade", " "}});
  vornex::MontadorRegistros m;
  std::string s;
  m.um(NovaLinha(kColunasEmp, estab), 7, s);
  EXPECT_EQ(s.substr(277, 1), "1");
  EXPECT_EQ(s.substr(299, 30), "000000000000000000000000000000");
  EXPECT_EQ(s.substr(330, 8), "00000000");

  const std::pair<const char*, const char*> encerramento[] = {
      {"1", "1"}, {" 1 ", "1"}, {"", "2"}, {"2", "2"}, {"X", "2"}, {"0", "2"}};
  for (auto [valor, esperado] : encerramento) {
    std::string r;
    m.um(NovaLinha(kColunasEmp, Com(kEstab, {{"InEncerramentoAtividade", valor},
                                             {"DaEncerramentoAtividade", "31122004"}})),
         2, r);
    EXPECT_EQ(r.substr(329, 1), esperado) << "'" << valor << "'";
    EXPECT_EQ(r.substr(330, 8), "31122004");
  }
}

TEST(LayoutRegistro, TipoDois) {
  vornex::MontadorRegistros m;
  std::string s;
  m.dois(NovaLinha(kColunasEmp, kEstab), NovaLinha(kColunasVinc, kVinc), 3, s);
  EXPECT_EQ(s, Registro({{1, "000003"}, {7, "11222333000181"}, {21, "A1"}, {23, "2"}, {24, "12345678919"},
                         {35, "JOSE PEREIRA"}, {65, "05061980"}, {73, "10"}, {75, "0000"}, {79, "7"},
                         {80, "11144477735"}, {91, "12345600012"}, {102, "01022003"}, {110, "2"},
                         {111, "000150000"}, {120, "1"}, {121, "44"}, {123, "848305"}, {129, "10"}, {131, "00"},
                         {133, "0000"}, {137, "000150000"}, {146, "000150001"}, {155, "000150002"},
                         {164, "000150003"}, {173, "000150004"}, {182, "000150005"}, {191, "000150006"},
                         {200, "000150007"}, {209, "000150008"}, {218, "000150009"}, {227, "000150010"},
                         {236, "000150011"}, {245, "000075000"}, {254, "06"}, {256, "000075001"}, {265, "12"},
                         {267, "9"}, {268, "2"}, {269, "2"}, {270, "000000000"}, {279, "1"}, {280, "40"},
                         {282, "0103"}, {286, "1503"}, {290, "00"}, {292, "0000"}, {296, "0000"}, {300, "00"},
                         {302, "0000"}, {306, "0000"}, {310, "015"}, {339, "MATRICULA 9"}}));

  std::string r;
  m.dois(NovaLinha(kColunasEmp, kEstab), NovaLinha(kColunasVinc, Com(kVinc, {{"CoTipoRaca", "2"}})), 4, r);
  EXPECT_EQ(r.substr(266, 1), "2");
}

TEST(LayoutRegistro, TipoNoveEstatisticaPorOrigem) {
  vornex::MontadorRegistros m;
  std::string s;
  m.nove(NovaLinha(kColunasResp, kResp), NovaLinha(kColunasEmp, kEstab), {{}, 12, 3, 8, 2}, s);
  EXPECT_EQ(s, Registro({{1, "000012"}, {7, "11222333000181"}, {21, "A1"}, {23, "9"}, {24, "000003"},
                         {30, "000008"}, {36, "000002"}, {42, "994111"}, {48, "123"}}));

  std::string t;
  m.nove(NovaLinha(kColunasResp, kResp), NovaLinha(kColunasEmp, kEstab), {{true, true}, 3, 1, 0, 0}, t);
  EXPECT_EQ(t.substr(41, 6), "994112");
}

TEST(LayoutRegistro, SempreTrezentosECinquentaMaisCrLf) {
  // Longer values, lower case and control bytes cannot break the record.
  auto vinc = Com(kVinc, {{"NoEmpregado", std::string(80, 'a')}, {"TxUsoEmpregado", "linha\r\nquebrada"},
                          {"CoPisPasepEmpregado", ""}});
  vornex::MontadorRegistros m;
  std::string s;
  m.dois(NovaLinha(kColunasEmp, kEstab), NovaLinha(kColunasVinc, vinc), 999999, s);
  ASSERT_EQ(s.size(), 352u);
  EXPECT_EQ(s.substr(0, 6), "999999");
  EXPECT_EQ(s.substr(23, 11), std::string(11, ' '));
  EXPECT_EQ(s.substr(34, 30), std::string(30, 'A'));
  EXPECT_EQ(s.substr(64, 8), "05061980");
  EXPECT_EQ(s.substr(338, 14), "LINHA  QUEBR\r\n");

  // A sequence beyond six digits is refused and leaves the output as it was.
  EXPECT_THROW(m.um(NovaLinha(kColunasEmp, kEstab), 1000000, s), std::overflow_error);
  EXPECT_EQ(s.size(), 352u);
}

TEST(LayoutRegistro, ColunasResolvidasPorNome) {
  // Another column order and other letter case resolve to the same record;
  // a missing column is named.
  std::vector<std::string> outra(kColunasEmp.rbegin(), kColunasEmp.rend());
  for (auto& c : outra)
    if (c == "NuVinculoPatMenor5") c = "NUVINCULOPATMENOR5";
  Valores v = kEstab;
  v.erase("NuVinculoPatMenor5");
  v["NUVINCULOPATMENOR5"] = "000012";
  vornex::MontadorRegistros m;
  std::string a, b;
  m.um(NovaLinha(kColunasEmp, kEstab), 2, a);
  m.um(NovaLinha(outra, v), 2, b);
  EXPECT_EQ(a, b);

  std::vector<std::string> falta(kColunasEmp.begin(), kColunasEmp.end() - 1);  // no e-mail
  try {
    m.um(NovaLinha(falta, {}), 2, b);
    FAIL();
  } catch (const std::out_of_range& e) {
    EXPECT_NE(std::string(e.what()).find("TxEmailEstabelecimento"), std::string::npos);
  }
}

TEST(LayoutDescritores, PosicoesDosDoisAnos) {
  struct Caso {
    char tipo;
    int slot, posicao, tamanho;
    const char* rotulo;
  };
  const Caso casos[] = {
      {'0', 5, 24, 1, "InReciboDefinitivo"},       {'0', 19, 0, 0, ""},
      {'0', 23, 240, 45, "e-mail do responsavel"}, {'0', 24, 288, 6, "Hora de geração do arquivo"},
      {'1', 40, 219, 45, "E-mail do Estabelecimento"},
      {'1', 22, 281, 12, "Matrícula CEI vinculada a uma inscrição CNPJ"},
      {'1', 25, 0, 0, ""},                         {'1', 26, 0, 0, ""},
      {'1', 38, 331, 8, "Data Encerramento Atividade"},
      {'2', 12, 91, 11, "Carteira de Trabalho(Série)"}, {'2', 13, 0, 0, "Carteira de Trabalho(Número)"},
      {'2', 34, 236, 9, "Remuneracao DEZEMBRO(valor com centavos)"}, {'2', 43, 269, 1, "Alvara"},
      {'2', 54, 310, 3, "Quant Dias Afastamento"}, {'9', 9, 48, 48, "Pesquisa"},
      {'9', 10, 319, 32, "Hashcode"},
  };
  for (int ano : {2004, 2003}) {
    vornex::DescritoresAno d(ano);
    EXPECT_EQ(d.tamanhoRegistro, 350);
    for (const auto& c : casos) {
      const vornex::TArquivo& a = c.tipo == '0'   ? d.zero[c.slot]
                                  : c.tipo == '1' ? d.um[c.slot]
                                  : c.tipo == '2' ? d.dois[c.slot]
                                                  : d.nove[c.slot];
      SCOPED_TRACE(std::to_string(ano) + " tipo " + c.tipo + " slot " + std::to_string(c.slot));
      EXPECT_EQ(a.posicao, c.posicao);
      EXPECT_EQ(a.tamanho, c.tamanho);
      EXPECT_EQ(a.rotulo, c.rotulo);
    }
    EXPECT_EQ(d.um[23].rotulo, std::to_string(ano));
    EXPECT_EQ(d.um[23].posicao, 293);
  }
  // Outside the slots: empty descriptors; unknown years refused.
  vornex::TArquivoZemaTipoNove nove;
  EXPECT_EQ(nove[0].tamanho, 0);
  EXPECT_EQ(nove[11].posicao, 0);
  EXPECT_THROW(vornex::DescritoresAno(2005), std::invalid_argument);
}

TEST(LayoutExtracao, DevolveOQueFoiGravado) {
  // Full-width upper-case values come back unchanged from every slot that
  // carries a column; the two fields sharing CoCgcVinculado split it.
  Valores vinc;
  int n = 0;
  for (const auto& c : vornex::CamposLayout(vornex::TipoRegistro::Dois)) {
    if (c.origem != vornex::Origem::Vinculo) continue;
    std::string v;
    for (int i = 0; i < c.tamanho; ++i) v += static_cast<char>('0' + (n + i) % 10);
    vinc[std::string(c.coluna)] = v;
    ++n;
  }
  vornex::MontadorRegistros m;
  std::string d, u;
  m.dois(NovaLinha(kColunasEmp, kEstab), NovaLinha(kColunasVinc, vinc), 5, d);
  m.um(NovaLinha(kColunasEmp, kEstab), 2, u);

  vornex::DescritoresAno desc(2004);
  int conferidos = 0;
  for (const auto& c : vornex::CamposLayout(vornex::TipoRegistro::Dois)) {
    if (c.origem != vornex::Origem::Vinculo) continue;
    EXPECT_EQ(desc.dois.extrai(d, c.slot), vinc[std::string(c.coluna)]) << c.rotulo;
    ++conferidos;
  }
  EXPECT_EQ(conferidos, 49);
  EXPECT_EQ(desc.dois.extrai(d, 1), "000005");
  EXPECT_EQ(desc.dois.extrai(d, 13), "");
  EXPECT_EQ(desc.um.extrai(u, 22), "123456789012");
  EXPECT_EQ(desc.um.extrai(u, 29), "000012");
  EXPECT_EQ(desc.um.extrai(u, 23), "2004");
}

TEST(LayoutExtracao, RegistroCurtoNaoLeAlemDoFim) {
  const std::string curto = "000001112223330001";  // 18 characters
  vornex::DescritoresAno d(2004);
  EXPECT_EQ(d.zero.extrai(curto, 1), "000001");
  EXPECT_EQ(d.zero.extrai(curto, 2), "112223330001");  // cut at the end
  EXPECT_EQ(d.zero.extrai(curto, 3), "");
  EXPECT_EQ(d.nove.extrai(curto, 10), "");
  EXPECT_EQ(vornex::Campo(curto, {"x", 1, 257}), "");
  EXPECT_EQ(vornex::Campo(curto, {"x", 0, 3}), "");
}

}  // namespace
