#include "declfile/gravacao.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "../data/apoio.h"
#include "morte.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "declfile/analise_estrutura.h"
#include "declfile/selo.h"
#include "demonstracao/demonstracao.h"

namespace {

namespace fs = std::filesystem;
using vornex::AvisoMidia;
using vornex::Midia;
using vornex::ResultadoGravacao;
using Valores = std::map<std::string, std::string>;

// A record as the layout says it must be: 350 spaces with the given texts at
// their 1-based positions, then CR LF.
std::string Registro(std::initializer_list<std::pair<int, std::string_view>> campos) {
  std::string r(350, ' ');
  for (auto [p, t] : campos) r.replace(static_cast<std::size_t>(p - 1), t.size(), t);
  return r + "\r\n";
}

std::vector<std::string> Registros(const fs::path& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  const std::string s{std::istreambuf_iterator<char>(f), {}};
  std::vector<std::string> r;
  for (std::size_t i = 0; i < s.size(); i += 352) r.push_back(s.substr(i, 352));
  return r;
}

const Valores kResp = {{"CoCgcCeiResponsavel", "12345678000195"}, {"InInscrResponsavel", "1"},
                       {"NoResponsavelArquivo", "maria silva"},   {"TxEMailRespArquivo", "m@x.com"},
                       {"NuRespostaPesquisa", "123"},             {"DaRetificacao", "01022005"},
                       {"DaGeracao", "15022005"}};

Valores Estab(std::string insc, std::string prefixo, bool comEmpregados, Valores extra = {}) {
  Valores v = {{"AnBase", "2004"},
               {"CoCgcCeiEstabelecimento", std::move(insc)},
               {"NuPrefixoEstabelecimento", std::move(prefixo)},
               {"NoRazaoEstabelecimento", "estab"},
               {"InInscrEstabelecimento", "1"},
               {"InZemaNegEstabelecimento", comEmpregados ? "0" : "1"}};
  for (auto& [k, x] : extra) v[k] = x;
  return v;
}

Valores Vinc(const Valores& estab, std::string pis, std::string nome = "jose") {
  return {{"AnBase", estab.at("AnBase")},
          {"CoCgcCeiEstabelecimento", estab.at("CoCgcCeiEstabelecimento")},
          {"NuPrefixoEstabelecimento", estab.at("NuPrefixoEstabelecimento")},
          {"CoPisPasepEmpregado", std::move(pis)},
          {"DaAdmissaoEmpregado", "01022003"},
          {"NoEmpregado", std::move(nome)},
          {"TxUsoEmpregado", "mat 1"}};
}

// Media handed out for volumes 2, 3, ...; everything refused or missing gives up.
struct MidiasTeste : vornex::InterfaceMidia {
  std::vector<Midia> seguintes;
  std::vector<int> pedidos;
  std::vector<AvisoMidia> avisos;
  bool midiaNaoPronta(const Midia&) override { return false; }
  std::optional<Midia> pedeMidia(int volume, bool repeticao, const Midia&) override {
    pedidos.push_back(volume);
    const auto i = static_cast<std::size_t>(volume - 2);
    if (repeticao || volume < 2 || i >= seguintes.size()) return std::nullopt;
    return seguintes[i];
  }
  bool confirmaInterrupcao() override { return true; }
  void avisa(AvisoMidia a, const Midia&) override { avisos.push_back(a); }
  bool autorizaSobrescrever(const Midia&) override { return sobrescreve; }
  bool sobrescreve = false;
};

// Asks to stop at the n-th poll (0: never).
struct Interrompe : vornex::AcompanhamentoPassagem {
  explicit Interrompe(int n) : em(n) {}
  int em, chamadas = 0;
  std::vector<int> progresso_;
  bool interrompe() override { return ++chamadas == em; }
  void progresso(int p) override { progresso_.push_back(p); }
};

struct SeloQueFalha : vornex::GeradorSelo {
  std::optional<std::string> geraSelo(const fs::path&) const override { return std::nullopt; }
};

class Gravacao : public ::testing::Test {
 protected:
  void SetUp() override {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    c_ = vornex::AbreZema2004(pasta_ / "dados");
  }

  void Inclui(std::string_view tabela, const Valores& v) {
    vornex::Tabela t(c_, tabela);
    vornex::Linha l = t.novaLinha();
    for (const auto& [k, x] : v) l[k] = x;
    t.inclui(l);
  }

  Midia NovaMidia(const std::string& nome, std::uint64_t capacidade = vornex::kCapacidadeDisquete) {
    fs::create_directories(pasta_ / nome);
    return vornex::MidiaPasta(pasta_ / nome, capacidade);
  }

  vornex::RelatorioGravacao Grava(const vornex::PedidoGravacao& p, const Midia& m,
                                  vornex::AcompanhamentoPassagem& a = vornex::SemAcompanhamento(),
                                  const vornex::GeradorSelo* selo = nullptr) {
    vornex::OpcoesGravacao o;
    o.selo = selo;
    o.relogio = [] { return std::string("093005"); };
    return vornex::GravaArquivoDeclaracao(c_, p, m, ui_, a, o);
  }

  std::vector<vornex::Linha> Protocolo(const char* tabela) { return vornex::Tabela(c_, tabela).todas(); }
  bool TemProtocolo() {
    return vornex::ExisteTabela(c_, vornex::kTabelaProtocoloId) || vornex::ExisteTabela(c_, vornex::kTabelaProtocoloEs);
  }

  static vornex::PedidoGravacao Declaracao() {
    vornex::PedidoGravacao p;
    p.dataGeracao = "10022005";
    p.horaGeracao = "093000";
    return p;
  }

  teste::PastaTemporaria pasta_;
  vornex::Conexao c_;
  MidiasTeste ui_;
};

TEST_F(Gravacao, ArquivoDeUmaDeclaracaoByteAByte) {
  const Valores a = Estab("11222333000181", "00", true,
                          {{"NoRazaoEstabelecimento", "padaria sol"}, {"InPorte", "1"}, {"InOptanteSimples", "2"},
                           {"InParticipaPAT", "1"}, {"NuVinculoPatMenor5", "000004"}, {"NuVinculoPatMaior5", "000001"},
                           {"PoServicoProprio", "010"}, {"PoAdmCozinha", "020"}, {"PoRefeicaoConvenio", "030"},
                           {"PoRefeicaoTransportadora", "040"}, {"PoCestaAlimento", "050"},
                           {"PoAlimentacaoConvenio", "060"}, {"InEncerramentoAtividade", "1"},
                           {"DaEncerramentoAtividade", "31032005"}});
  // PAT fields never typed, closing indicator blank.
  const Valores b = Estab("00123456789012", "A1", false, {{"NoRazaoEstabelecimento", "obra b"}, {"InInscrEstabelecimento", "3"}});
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", a);
  Inclui("Bd8emp", b);
  Inclui("Bd8vinc", Vinc(a, "12345678919"));

  auto p = Declaracao();
  p.selecao = {{"2004", "11222333000181", "00"}, {"2004", "123456789012", "A1"}};
  Interrompe acompanha(0);
  const auto r = Grava(p, NovaMidia("m1"), acompanha);
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
  ASSERT_EQ(r.volumes.size(), 1u);
  EXPECT_EQ(acompanha.progresso_, (std::vector<int>{0, 33, 66, 100}));

  const auto regs = Registros(pasta_ / "m1" / "Zema2004");
  ASSERT_EQ(regs.size(), 5u);
  EXPECT_EQ(regs[0], Registro({{1, "000001"}, {7, "11222333000181"}, {21, "00"}, {23, "0"}, {24, "2"},
                               {25, "12345678000195"}, {39, "1"}, {40, "MARIA SILVA"}, {223, "2"},
                               {224, "00000000"}, {232, "10022005"}, {240, "M@X.COM"}, {285, "V01"},
                               {288, "093005"}}));
  EXPECT_EQ(regs[1], Registro({{1, "000002"}, {7, "11222333000181"}, {21, "00"}, {23, "1"}, {24, "PADARIA SOL"},
                               {277, "1"}, {278, "0"}, {293, "2004"}, {297, "1"}, {298, "2"}, {299, "1"},
                               {300, "000004000001010020030040050060"}, {330, "131032005"}}));
  EXPECT_EQ(regs[2], Registro({{1, "000003"}, {7, "11222333000181"}, {21, "00"}, {23, "2"}, {24, "12345678919"},
                               {35, "JOSE"}, {102, "01022003"}, {267, "9"}, {339, "MAT 1"}}));
  EXPECT_EQ(regs[3], Registro({{1, "000004"}, {7, "00123456789012"}, {21, "A1"}, {23, "1"}, {24, "OBRA B"},
                               {277, "3"}, {278, "1"}, {293, "2004"}, {300, "000000000000000000000000000000"},
                               {330, "200000000"}}));
  const std::string selo = regs[4].substr(318, 32);
  EXPECT_EQ(regs[4].substr(0, 318) + std::string(32, ' ') + regs[4].substr(350),
            Registro({{1, "000005"}, {7, "00123456789012"}, {21, "A1"}, {23, "9"}, {24, "000002"}, {30, "000001"},
                      {36, "000001"}, {42, "994111"}, {48, "123"}}));
  EXPECT_EQ(r.volumes[0].selo, selo);
  EXPECT_EQ(vornex::VerificaSelo(pasta_ / "m1" / "Zema2004"), vornex::ResultadoSelo::Confere);

  const auto id = Protocolo(vornex::kTabelaProtocoloId);
  ASSERT_EQ(id.size(), 1u);
  EXPECT_EQ(id[0]["NuDisquete"], "1");
  EXPECT_EQ(id[0]["CoCgcCeiEstabelecimento"], "11222333000181");
  EXPECT_EQ(id[0]["NoRazaoEstabelecimento"], "padaria sol");  // as stored, not formatted
  EXPECT_EQ(id[0]["NoResponsavelArquivo"], "maria silva");
  EXPECT_EQ(id[0]["DaGeracao"], "10022005");
  EXPECT_EQ(id[0]["HoSenha"], "093000");
  EXPECT_EQ(id[0]["InRetificacao"], "0");
  EXPECT_EQ(id[0]["NuEstabelecimentos"], "2");
  EXPECT_EQ(id[0]["NuVinculos"], "1");
  EXPECT_EQ(id[0]["DaEncerramentoAtividade"], "31032005");
  const auto es = Protocolo(vornex::kTabelaProtocoloEs);
  ASSERT_EQ(es.size(), 2u);
  EXPECT_EQ(es[0]["NuVinculosEstabelecimento"], "1");
  EXPECT_EQ(es[1]["CoCgcCeiEstabelecimento"], "00123456789012");
  EXPECT_EQ(es[1]["NuVinculosEstabelecimento"], "0");
}

TEST_F(Gravacao, VolumesPequenosCadaUmArquivoCompleto) {
  // 1400 bytes of records per volume: the byte count says a volume is full
  // after a type-1 and three type-2 records. A's links continue on volume 2;
  // B, with employees, no longer fits there (the larger reserve) although C,
  // without, would.
  const std::uint64_t capacidade = vornex::kReservaVolumeDeclaracao + 1400;
  const Valores a = Estab("11222333000181", "00", true);
  const Valores b = Estab("11222333000262", "00", true);
  const Valores c = Estab("11222333000343", "B2", false);
  Inclui("BD8Resp", kResp);
  for (const auto* e : {&a, &b, &c}) Inclui("Bd8emp", *e);
  for (const char* pis : {"10000000001", "10000000002", "10000000003", "10000000004", "10000000005"})
    Inclui("Bd8vinc", Vinc(a, pis));
  Inclui("Bd8vinc", Vinc(b, "20000000001"));
  ui_.seguintes = {NovaMidia("m2", capacidade), NovaMidia("m3", capacidade)};

  const auto r = Grava(Declaracao(), NovaMidia("m1", capacidade));
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
  EXPECT_EQ(ui_.pedidos, (std::vector<int>{2, 3}));
  ASSERT_EQ(r.volumes.size(), 3u);

  // Record types of each file, and the establishment each type-1 names.
  struct Esperado {
    const char* tipos;
    std::vector<std::string> estabs;
    long t1, t2, prefixos;
  };
  const Esperado esperado[] = {{"012229", {"11222333000181"}, 1, 3, 0},
                               {"01229", {"11222333000181"}, 1, 2, 0},
                               {"01219", {"11222333000262", "11222333000343"}, 2, 1, 1}};
  const auto id = Protocolo(vornex::kTabelaProtocoloId);
  const auto es = Protocolo(vornex::kTabelaProtocoloEs);
  ASSERT_EQ(id.size(), 3u);
  std::size_t linhaEs = 0;
  for (int v = 0; v < 3; ++v) {
    SCOPED_TRACE(v + 1);
    const fs::path arquivo = pasta_ / ("m" + std::to_string(v + 1)) / "Zema2004";
    EXPECT_EQ(r.volumes[v].arquivo, arquivo);
    EXPECT_EQ(vornex::VerificaSelo(arquivo), vornex::ResultadoSelo::Confere);
    const auto regs = Registros(arquivo);
    std::string tipos;
    std::vector<std::string> estabs;
    for (std::size_t i = 0; i < regs.size(); ++i) {
      EXPECT_EQ(regs[i].size(), 352u);
      EXPECT_EQ(regs[i].substr(0, 6), vornex::ZerosEsquerda(std::to_string(i + 1), 6));
      tipos += regs[i][22];
      if (regs[i][22] == '1') estabs.push_back(regs[i].substr(6, 14));
    }
    const auto& e = esperado[v];
    EXPECT_EQ(tipos, e.tipos);
    EXPECT_EQ(estabs, e.estabs);
    EXPECT_EQ(regs.front().substr(6, 14), e.estabs.front());  // type 0: the first establishment
    EXPECT_EQ(regs.back().substr(6, 14), e.estabs.back());    // type 9: the last one
    EXPECT_EQ(regs.back().substr(23, 18), vornex::ZerosEsquerda(std::to_string(e.t1), 6) +
                                              vornex::ZerosEsquerda(std::to_string(e.t2), 6) +
                                              vornex::ZerosEsquerda(std::to_string(e.prefixos), 6));

    // The protocol matches the file's own totals.
    EXPECT_EQ(id[v]["NuDisquete"], std::to_string(v + 1));
    EXPECT_EQ(id[v]["CoCgcCeiEstabelecimento"], e.estabs.front());
    EXPECT_EQ(id[v]["NuEstabelecimentos"], std::to_string(e.t1));
    EXPECT_EQ(id[v]["NuVinculos"], std::to_string(e.t2));
    long soma = 0;
    for (std::size_t k = 0; k < e.estabs.size(); ++k, ++linhaEs) {
      ASSERT_LT(linhaEs, es.size());
      EXPECT_EQ(es[linhaEs]["NuDisquete"], std::to_string(v + 1));
      EXPECT_EQ(es[linhaEs]["CoCgcCeiEstabelecimento"], e.estabs[k]);
      soma += std::stol(es[linhaEs]["NuVinculosEstabelecimento"]);
    }
    EXPECT_EQ(soma, e.t2);
  }
  EXPECT_EQ(linhaEs, es.size());
}

TEST_F(Gravacao, VolumeTerminaAntesDeEsgotarOSequencial) {
  // Files of at most 5 records on a large medium; an establishment named
  // twice in the selection is written once.
  const Valores a = Estab("11222333000181", "00", true);
  const Valores b = Estab("11222333000262", "00", false);
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", a);
  Inclui("Bd8emp", b);
  for (const char* pis : {"10000000001", "10000000002", "10000000003"}) Inclui("Bd8vinc", Vinc(a, pis));
  ui_.seguintes = {NovaMidia("m2"), NovaMidia("m3")};
  auto p = Declaracao();
  p.selecao = {{"2004", "11222333000181", "00"}, {"2004", "11222333000262", "00"}, {"2004", "11222333000181", "00"}};
  vornex::OpcoesGravacao o;
  o.maximoRegistros = 5;
  const auto r = vornex::GravaArquivoDeclaracao(c_, p, NovaMidia("m1"), ui_, vornex::SemAcompanhamento(), o);
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
  std::vector<std::string> tipos;
  for (const auto& v : r.volumes) {
    std::string t;
    for (const auto& reg : Registros(v.arquivo)) t += reg[22];
    tipos.push_back(t);
  }
  EXPECT_EQ(tipos, (std::vector<std::string>{"01229", "01219"}));
}

TEST_F(Gravacao, ModosDasTabelasDeTrabalho) {
  vornex::RecriaCopiasDeclaracao(c_);
  const Valores a = Estab("11222333000181", "00", true);
  Inclui(vornex::kTrabalhoResponsavel, kResp);
  Inclui(vornex::kTrabalhoEstabelecimento, a);
  Inclui(vornex::kTrabalhoVinculo, Vinc(a, "12345678919"));
  struct Caso {
    bool retificacao;
    const char* data;
    const char* tipoZero;  // positions 223-239
    const char* retificacaoProtocolo;
  };
  const Caso casos[] = {
      {true, "10022005", "10102200515022005", "1"},  // rectification: stored dates
      {false, "", "20102200515022005", "0"},         // re-recording an analysed file
  };
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.tipoZero);
    vornex::PedidoGravacao p;
    p.modo = {true, caso.retificacao};
    p.dataGeracao = caso.data;
    const fs::path m = pasta_ / (caso.retificacao ? "r" : "a");
    const auto r = Grava(p, NovaMidia(m.filename()));
    ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
    const auto regs = Registros(m / "Zema2004");
    ASSERT_EQ(regs.size(), 4u);
    EXPECT_EQ(regs[0].substr(222, 17), caso.tipoZero);
    EXPECT_EQ(regs[3].substr(41, 6), "994112");
    EXPECT_EQ(Protocolo(vornex::kTabelaProtocoloId).at(0)["InRetificacao"], caso.retificacaoProtocolo);
  }
}

TEST_F(Gravacao, FalhaOuInterrupcaoNaoDeixaArquivoNemProtocolo) {
  // Two volumes of one establishment with its links; each case stops at a
  // different point.
  const std::uint64_t capacidade = vornex::kReservaVolumeDeclaracao + 1400;
  const Valores a = Estab("11222333000181", "00", true);
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", a);
  for (const char* pis : {"10000000001", "10000000002", "10000000003", "10000000004", "10000000005"})
    Inclui("Bd8vinc", Vinc(a, pis));

  SeloQueFalha seloRuim;
  struct Caso {
    const char* nome;
    int interrompeEm;           // poll that asks to stop (0: never)
    bool segundaMidia;          // volume 2 has a medium
    bool selecaoInexistente;
    const vornex::GeradorSelo* selo;
    ResultadoGravacao resultado;
    bool primeiroFica;          // volume 1 finished and kept
  };
  const Caso casos[] = {
      {"interrompido no primeiro volume", 3, true, false, nullptr, ResultadoGravacao::Interrompido, false},
      {"interrompido no segundo volume", 20, true, false, nullptr, ResultadoGravacao::Interrompido, true},
      {"sem mídia para o volume 2", 0, false, false, nullptr, ResultadoGravacao::Interrompido, true},
      {"selo não gerado", 0, true, false, &seloRuim, ResultadoGravacao::Falhou, false},
      {"estabelecimento da seleção inexistente", 0, true, true, nullptr, ResultadoGravacao::Falhou, false},
  };
  int n = 0;
  for (const auto& caso : casos) {
    SCOPED_TRACE(caso.nome);
    const std::string sufixo = std::to_string(++n);
    const Midia m1 = NovaMidia("p" + sufixo, capacidade);
    ui_.seguintes.clear();
    if (caso.segundaMidia) ui_.seguintes.push_back(NovaMidia("s" + sufixo, capacidade));
    auto p = Declaracao();
    if (caso.selecaoInexistente) p.selecao = {{"2004", "11222333000181", "00"}, {"2004", "99999999000191", "00"}};
    Interrompe acompanha(caso.interrompeEm);
    const auto r = Grava(p, m1, acompanha, caso.selo);
    EXPECT_EQ(r.resultado, caso.resultado);
    EXPECT_FALSE(r.mensagem.empty());
    EXPECT_FALSE(TemProtocolo());
    EXPECT_EQ(fs::exists(m1.pasta / "Zema2004"), caso.primeiroFica);
    EXPECT_EQ(r.volumes.size(), caso.primeiroFica ? 1u : 0u);
    if (caso.primeiroFica) {
      EXPECT_EQ(vornex::VerificaSelo(m1.pasta / "Zema2004"), vornex::ResultadoSelo::Confere);
    }
    if (caso.segundaMidia) {
      EXPECT_FALSE(fs::exists(ui_.seguintes[0].pasta / "Zema2004"));
    }
  }
}

// Killed at any moment, a run never leaves a Zema2004 that is incomplete or
// unsealed: the medium holds the old file or the new one, whole, and the
// databases are sound.
TEST_F(Gravacao, MortaAQualquerMomentoNaoDeixaArquivoIncompleto) {
  const Valores a = Estab("11222333000181", "00", true);
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", a);
  {
    vornex::Transacao t(c_);
    for (int i = 0; i < 4000; ++i) Inclui("Bd8vinc", Vinc(a, std::to_string(10000000000LL + i)));
    t.confirma();
  }
  const Midia m = NovaMidia("m", 100'000'000);
  ui_.sobrescreve = true;
  auto roda = [&](const char* data) {
    return [this, m, data] {
      vornex::Conexao c = vornex::AbreZema2004(pasta_ / "dados");
      auto p = Declaracao();
      p.dataGeracao = data;
      vornex::OpcoesGravacao o;
      o.relogio = [] { return std::string("093005"); };
      return static_cast<int>(vornex::GravaArquivoDeclaracao(c, p, m, ui_, vornex::SemAcompanhamento(), o).resultado);
    };
  };
  ASSERT_EQ(teste::MataDepois(roda("10022005"), std::chrono::seconds(60)).codigo, 0);
  const std::string antigo = teste::LeArquivo(m.pasta / "Zema2004");
  ASSERT_EQ(teste::MataDepois(roda("11022005"), std::chrono::seconds(60)).codigo, 0);
  const std::string novo = teste::LeArquivo(m.pasta / "Zema2004");
  ASSERT_NE(antigo, novo);
  auto integra = [&](const char* arquivo) {
    vornex::Conexao c = vornex::Conexao::Abre(pasta_ / "dados" / arquivo);
    return vornex::Consulta(c, "PRAGMA integrity_check").primeira().value()[0] == "ok";
  };

  const auto duracao = teste::Duracao(roda("10022005"));
  int mortes = 0;
  for (const auto quando : teste::PontosDeMorte(duracao)) {
    const bool eraNovo = teste::LeArquivo(m.pasta / "Zema2004") == novo;
    mortes += teste::MataDepois(roda(eraNovo ? "10022005" : "11022005"), quando).morto;
    const std::string agora = teste::LeArquivo(m.pasta / "Zema2004");
    EXPECT_TRUE(agora == antigo || agora == novo);
    EXPECT_EQ(vornex::VerificaSelo(m.pasta / "Zema2004"), vornex::ResultadoSelo::Confere);
    EXPECT_TRUE(integra(vornex::kArquivoDeclaracao));
    EXPECT_TRUE(integra(vornex::kArquivoTrabalho));
  }
  EXPECT_GT(mortes, 0);
  // The next run clears what the killed ones left.
  ASSERT_EQ(teste::MataDepois(roda("10022005"), std::chrono::seconds(60)).codigo, 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(m.pasta), {}), 1);
}

TEST_F(Gravacao, ProtocoloQueNaoPodeSerCriadoFalhaAntesDeGravar) {
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", Estab("11222333000181", "00", false));
  c_.executa("CREATE VIEW trabalho.te8ProES AS SELECT 1 AS x");
  const Midia m = NovaMidia("m1");
  const auto r = Grava(Declaracao(), m);
  EXPECT_EQ(r.resultado, ResultadoGravacao::Falhou);
  EXPECT_TRUE(fs::is_empty(m.pasta));
  EXPECT_FALSE(vornex::ExisteTabela(c_, vornex::kTabelaProtocoloId));
}

TEST_F(Gravacao, ErroDeBancoPropagadoDepoisDaLimpeza) {
  // Work-table mode without the work copies: the tables cannot be read.
  vornex::PedidoGravacao p;
  p.modo = {true, false};
  EXPECT_THROW(Grava(p, NovaMidia("m1")), vornex::ErroBanco);
  EXPECT_FALSE(TemProtocolo());
}

TEST(DataGravacao, SoDatasValidasDe2005) {
  const std::pair<const char*, const char*> casos[] = {
      {"01012005", "0000"}, {"31122005", "0000"}, {"31122004", "0420"}, {"00000000", "0420"},
      {"01012006", "0423"}, {"30022005", "0421"}, {"", "0421"},         {"1002200A", "0421"},
  };
  for (auto [data, esperado] : casos) EXPECT_EQ(vornex::CriticaDataGravacao(data), esperado) << data;
}

TEST_F(Gravacao, ProtocoloDaGravacaoAnteriorSubstituido) {
  Inclui("BD8Resp", kResp);
  Inclui("Bd8emp", Estab("11222333000181", "00", false));
  ASSERT_EQ(Grava(Declaracao(), NovaMidia("m1")).resultado, ResultadoGravacao::Gravado);
  const auto r = Grava(Declaracao(), NovaMidia("m2"));
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado);
  EXPECT_EQ(Protocolo(vornex::kTabelaProtocoloId).size(), 1u);
  EXPECT_EQ(Protocolo(vornex::kTabelaProtocoloEs).size(), 1u);
  EXPECT_EQ(Protocolo(vornex::kTabelaProtocoloId)[0]["NuVinculos"], "0");
}

TEST_F(Gravacao, ArquivoAnalisadoRegravadoIgualAoOriginal) {
  vornex::GeraDemonstracao(c_, {8, 300, 11});
  ASSERT_EQ(Grava(Declaracao(), NovaMidia("original")).resultado, ResultadoGravacao::Gravado);
  const fs::path original = pasta_ / "original" / "Zema2004";

  vornex::TAnaliseEstrutura analise(c_);
  long estabs = 0, vinculos = 0;
  ASSERT_EQ(analise.AnalisaArquivo(original, 2004, false, vornex::SemAcompanhamento(), estabs, vinculos), 0);
  EXPECT_EQ(estabs, 8);
  EXPECT_EQ(vinculos, 300);

  vornex::PedidoGravacao p;
  p.modo = {true, false};
  const auto r = Grava(p, NovaMidia("regravado"));
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
  auto a = Registros(original), b = Registros(pasta_ / "regravado" / "Zema2004");
  ASSERT_EQ(a.size(), b.size());
  // Only the statistics' source digit (work tables) and so the seal differ.
  EXPECT_EQ(a.back()[46], '1');
  EXPECT_EQ(b.back()[46], '2');
  for (auto* r9 : {&a.back(), &b.back()}) r9->replace(46, 1, "x").replace(318, 32, std::string(32, ' '));
  for (std::size_t i = 0; i < a.size(); ++i) EXPECT_EQ(a[i], b[i]) << "registro " << i + 1;
}

}  // namespace

TEST(AvisoVolumesIncompletos, NomeiaOsVolumesSeladosDeUmaGravacaoQueParou) {
  const auto com = [](vornex::ResultadoGravacao resultado, int volumes) {
    vornex::RelatorioGravacao r;
    r.resultado = resultado;
    for (int v = 1; v <= volumes; ++v) r.volumes.push_back({v, {}, 0, 0, 0, 0, {}});
    return vornex::AvisoVolumesIncompletos(r);
  };
  using R = vornex::ResultadoGravacao;
  EXPECT_EQ(com(R::Gravado, 2), "");
  EXPECT_EQ(com(R::Falhou, 0), "");
  EXPECT_EQ(com(R::Falhou, 1).rfind("O volume 1 foi gravado, mas", 0), 0u);
  EXPECT_EQ(com(R::Interrompido, 3).rfind("Os volumes 1, 2 e 3 foram gravados, mas", 0), 0u);
}
