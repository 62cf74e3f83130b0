// The use cases over a small demonstration declaration, each on its own copy
// of a data folder, the media being folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "../data/apoio.h"
#include "casos/analisa_arquivo.h"
#include "casos/copia_volumes.h"
#include "casos/grava_declaracao.h"
#include "casos/importa_arquivo.h"
#include "casos/retifica_declaracao.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "demonstracao/demonstracao.h"
#include "data/tabela.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "declfile/selo.h"
#include "validation/referencias_tabelas.h"

namespace {

namespace fs = std::filesystem;
using namespace vornex;

// Only the first medium exists; nothing is ever replaced.
struct MidiasTeste : InterfaceMidia {
  int pedidos = 0;
  bool midiaNaoPronta(const Midia&) override { return false; }
  std::optional<Midia> pedeMidia(int, bool, const Midia&) override { return ++pedidos, std::nullopt; }
  bool confirmaInterrupcao() override { return true; }
  void avisa(AvisoMidia, const Midia&) override {}
  bool autorizaSobrescrever(const Midia&) override { return false; }
};

class Casos : public ::testing::Test {
 protected:
  void SetUp() override {
    teste::CopiaPastaInicializada(pasta_ / "dados");
    c_ = AbreZema2004(pasta_ / "dados");
    OpcoesDemonstracao o;
    o.estabelecimentos = 3;
    o.vinculos = 12;
    o.semente = 7;
    GeraDemonstracao(c_, o);
    tabelas_.emplace(TabelasReferencia::Carrega(c_));
    ref_.emplace(*tabelas_);
    fs::create_directories(pasta_ / "m");
    meios_.primeira = MidiaPasta(pasta_ / "m");
    meios_.midias = &midias_;
  }

  fs::path Arquivo() const { return pasta_ / "m" / "Zema2004"; }
  bool Gravou() const { return fs::exists(Arquivo()); }
  long long Conta(const char* tabela) {
    if (!ExisteTabela(c_, tabela)) return -1;
    return Consulta(c_, std::string("select count(*) from ") + tabela).escalar();
  }

  ResultadoVerificaEGrava Grava(std::string data = "10022005") {
    PedidoGravaDeclaracao p;
    p.dataGeracao = std::move(data);
    return GravaDeclaracao(c_, *ref_, p, meios_);
  }

  teste::PastaTemporaria pasta_;
  Conexao c_;
  std::optional<TabelasReferencia> tabelas_;
  std::optional<ReferenciasTabelas> ref_;
  MidiasTeste midias_;
  MeiosGravacao meios_;
};

TEST_F(Casos, GravaDeclaracaoCorretaComSeuProtocolo) {
  int chamadas = 0;
  meios_.prossegue = [&](int bits) { return ++chamadas, bits == 0; };
  const auto r = Grava();
  EXPECT_EQ(r.etapa, EtapaCaso::Gravacao);
  ASSERT_TRUE(r.gravado()) << r.gravacao->mensagem;
  EXPECT_EQ(chamadas, 1);
  EXPECT_EQ(r.verificacao, 0);
  ASSERT_EQ(r.gravacao->volumes.size(), 1u);
  EXPECT_EQ(r.gravacao->volumes[0].tipo1, 3);
  EXPECT_EQ(VerificaSelo(Arquivo()), ResultadoSelo::Confere);
  EXPECT_EQ(Conta(kTabelaProtocoloId), 1);
  // The hour is taken when none is given.
  EXPECT_EQ(Tabela(c_, kTabelaProtocoloId).todas()[0]["HoSenha"].size(), 6u);
}

TEST_F(Casos, RecusasAntesDaVerificacaoNaoGravamNada) {
  struct Caso {
    const char* sql;  // cumulative
    const char* data;
    EtapaCaso etapa;
    NuMensagem mensagem;
    const char* campo;
  };
  const Caso casos[] = {
      {"", "31122004", EtapaCaso::Pedido, "0420"_msg, ""},
      {"", "30022005", EtapaCaso::Pedido, "0421"_msg, ""},
      {"UPDATE BD8Resp SET NoResponsavelArquivo = ''", "10022005", EtapaCaso::Responsavel, "0000"_msg,
       "NoResponsavelArquivo"},
      {"DELETE FROM Bd8emp", "10022005", EtapaCaso::Pedido, "1700"_msg, ""},
  };
  for (const auto& k : casos) {
    if (*k.sql) c_.executa(k.sql);
    const auto r = Grava(k.data);
    EXPECT_EQ(r.etapa, k.etapa) << k.sql << k.data;
    if (!k.mensagem.ok()) {
      EXPECT_EQ(r.mensagem, k.mensagem);
    }
    EXPECT_FALSE(r.mensagem.ok());
    EXPECT_EQ(r.campo, k.campo);
    EXPECT_FALSE(r.gravacao);
  }
  // Nothing was checked nor written.
  EXPECT_EQ(Conta(kTabelaErros), -1);
  EXPECT_FALSE(Gravou());
  EXPECT_EQ(Conta(kTabelaProtocoloId), -1);
}

TEST_F(Casos, ErrosImpedemAGravacaoEAvisosNao) {
  // Without a telephone the establishment only gets a warning.
  c_.executa("UPDATE Bd8emp SET NuDDD = '', NuTelefone = '' WHERE rowid = (SELECT min(rowid) FROM Bd8emp)");
  auto r = Grava();
  EXPECT_EQ(r.verificacao, kConsistenciaAvisos);
  EXPECT_TRUE(r.gravado());
  fs::remove(Arquivo());

  bool perguntou = false;
  meios_.prossegue = [&](int) { return perguntou = true; };
  c_.executa("UPDATE Bd8emp SET CoCnae = '99999' WHERE rowid = (SELECT max(rowid) FROM Bd8emp)");
  r = Grava();
  EXPECT_EQ(r.etapa, EtapaCaso::Verificacao);
  EXPECT_TRUE(r.verificacao & kConsistenciaErros);
  EXPECT_FALSE(perguntou);
  EXPECT_FALSE(r.gravacao);
  EXPECT_FALSE(Gravou());
  EXPECT_GT(Conta(kTabelaErros), 0);  // the findings stay for the report
}

TEST_F(Casos, QuemChamaPodePararAntesDeGravar) {
  meios_.prossegue = [](int) { return false; };
  const auto r = Grava();
  EXPECT_EQ(r.etapa, EtapaCaso::Verificacao);
  EXPECT_FALSE(r.gravacao);
  EXPECT_FALSE(Gravou());
}

TEST_F(Casos, RetificaSoOVinculoEscolhido) {
  const Linha v = Tabela(c_, kTabelaVinculos).todas().front();
  PedidoRetificacao p;
  p.dataGeracao = "10022005";
  p.vinculos.push_back({v["CoCgcCeiEstabelecimento"], v["NuPrefixoEstabelecimento"], v["CoPisPasepEmpregado"],
                        v["DaAdmissaoEmpregado"], ""});
  const auto r = RetificaDeclaracao(c_, *ref_, p, meios_);
  ASSERT_TRUE(r.gravado()) << static_cast<int>(r.etapa) << r.mensagem << r.falha;
  EXPECT_EQ(r.gravacao->volumes[0].tipo1, 1);
  EXPECT_EQ(r.gravacao->volumes[0].tipo2, 1);
  EXPECT_EQ(Conta(kTrabalhoVinculo), 1);

  // A key the declaration does not have stops before anything is checked.
  fs::remove(Arquivo());
  c_.executa("DROP TABLE IF EXISTS Te8ErrWa");
  p.vinculos[0].inscricao = "99999999000191";
  const auto k = RetificaDeclaracao(c_, *ref_, p, meios_);
  EXPECT_EQ(k.etapa, EtapaCaso::Pedido);
  EXPECT_EQ(k.mensagem, "1925"_msg);
  EXPECT_EQ(Conta(kTabelaErros), -1);
  EXPECT_FALSE(Gravou());
}

TEST_F(Casos, AnalisaOArquivoGravadoEGravaDeNovo) {
  ASSERT_TRUE(Grava().gravado());
  const fs::path gravado = pasta_ / "Zema2004.copia";
  fs::rename(Arquivo(), gravado);

  PedidoAnaliseArquivo p;
  p.arquivo = gravado;
  p.regravacao = &meios_;
  const auto r = AnalisaEVerifica(c_, p, {});
  EXPECT_TRUE(r.falha.empty()) << r.falha;
  EXPECT_EQ(r.estrutura, 0);
  EXPECT_EQ(r.estabelecimentos, 3);
  EXPECT_EQ(r.vinculos, Conta(kTabelaVinculos));
  EXPECT_TRUE(r.verificado);
  EXPECT_FALSE(r.verificacao & kConsistenciaErros);
  ASSERT_TRUE(r.regravacao);
  EXPECT_EQ(r.regravacao->resultado, ResultadoGravacao::Gravado);
  EXPECT_EQ(VerificaSelo(Arquivo()), ResultadoSelo::Confere);
}

TEST_F(Casos, ArquivoAusenteOuMalFormadoNaoChegaAVerificacao) {
  PedidoAnaliseArquivo p;
  p.arquivo = pasta_ / "nao-existe";
  p.regravacao = &meios_;
  auto r = AnalisaEVerifica(c_, p, {});
  EXPECT_EQ(r.falha, std::string(kTextoArquivoInexistente) + " (" + p.arquivo.string() + ")");

  p.arquivo = pasta_ / "curto";
  std::ofstream(p.arquivo) << "0 isto não é um arquivo da declaração\r\n";
  r = AnalisaEVerifica(c_, p, {});
  EXPECT_TRUE(r.falha.empty());
  EXPECT_TRUE(r.estrutura & kAnaliseErros);
  EXPECT_FALSE(r.errosEstrutura.empty());
  EXPECT_FALSE(r.verificado);
  EXPECT_FALSE(r.regravacao);
  EXPECT_FALSE(Gravou());
}

TEST_F(Casos, ImportaOsEscolhidosDoArquivo) {
  ASSERT_TRUE(Grava().gravado());
  const auto itens = EstabelecimentosParaGravacao(c_);
  ASSERT_EQ(itens.size(), 3u);
  c_.executa("DELETE FROM Bd8vinc");
  c_.executa("DELETE FROM Bd8emp");

  std::vector<RecusaImportacao> avisadas;
  MeiosImportacao meios;
  meios.recusa = [&](const RecusaImportacao& r) { avisadas.push_back(r); };
  PedidoImportacaoArquivo p;
  p.arquivo = Arquivo();
  p.escolhas = {{itens[1].inscricao, itens[1].prefixo, "segundo"}, {"99999999000191", "00", "ausente"}};
  auto r = ImportaArquivo(c_, p, meios);
  EXPECT_EQ(r.ausente, "ausente");
  EXPECT_FALSE(r.importado);
  EXPECT_EQ(Conta(kTabelaEstabelecimentos), 0);

  p.escolhas.pop_back();
  r = ImportaArquivo(c_, p, meios);
  ASSERT_TRUE(r.importado) << r.falha << r.mensagem;
  EXPECT_EQ(r.itens.size(), 3u);
  ASSERT_EQ(r.linhas.size(), 1u);
  EXPECT_FALSE(r.pulado);
  EXPECT_TRUE(avisadas.empty());
  EXPECT_EQ(Conta(kTabelaEstabelecimentos), 1);
}

// Volumes asked for in turn (from the second on); `ultimo` is the last one given.
struct VolumesTeste : InterfaceCopiaVolumes {
  int ultimo = 99;
  std::vector<int> pedidos, ausentes;
  bool pedeVolume(int disco, const fs::path&) override {
    pedidos.push_back(disco);
    return disco <= ultimo;
  }
  bool semEspaco() override { return false; }
  bool volumeAusente(int disco, const fs::path&) override {
    ausentes.push_back(disco);
    return false;
  }
};

TEST_F(Casos, CopiaEmVolumesERestauracaoQuePedeCadaUm) {
  // Enough links for several volumes of the smallest size accepted.
  c_.fecha();
  const fs::path dados = pasta_ / "grande";
  teste::CopiaPastaInicializada(dados);
  {
    Conexao grande = AbreZema2004(dados);
    OpcoesDemonstracao o;
    o.estabelecimentos = 4;
    o.vinculos = 1500;
    o.semente = 7;
    GeraDemonstracao(grande, o);
  }
  PedidoCopiaVolumes p;
  p.pastaDados = dados;
  p.arquivo = pasta_ / "copia.BKP";
  p.tamanhoVolume = kTamanhoVolumeMinimo;
  VolumesTeste ui;
  const auto g = GravaCopiaEmVolumes(p, ui);
  ASSERT_TRUE(g.copia.ok) << g.copia.mensagem << g.copia.detalhe;
  ASSERT_GE(ui.pedidos.size(), 2u);
  const int volumes = ui.pedidos.back();
  EXPECT_TRUE(fs::exists(NomeVolume(p.arquivo, volumes)));

  // The last volume missing: the restore stops on it and the tables stay.
  c_ = AbreZema2004(dados);
  c_.executa("DELETE FROM Bd8vinc");
  c_.fecha();
  fs::rename(NomeVolume(p.arquivo, volumes), pasta_ / "guardado");
  VolumesTeste falta;
  auto r = RestauraCopiaDeVolumes(p, falta);
  EXPECT_FALSE(r.copia.ok);
  EXPECT_EQ(r.volumeAusente, NomeVolume(p.arquivo, volumes));
  EXPECT_EQ(falta.ausentes, std::vector<int>{volumes});
  c_ = AbreZema2004(dados);
  EXPECT_EQ(Conta(kTabelaVinculos), 0);
  c_.fecha();

  fs::rename(pasta_ / "guardado", NomeVolume(p.arquivo, volumes));
  VolumesTeste todos;
  r = RestauraCopiaDeVolumes(p, todos);
  ASSERT_TRUE(r.copia.ok) << r.copia.mensagem << r.copia.detalhe;
  EXPECT_TRUE(todos.ausentes.empty());
  c_ = AbreZema2004(dados);
  EXPECT_EQ(Conta(kTabelaVinculos), 1500);

  // A volume refused stops the backup.
  c_.fecha();
  VolumesTeste recusa;
  recusa.ultimo = 1;
  p.arquivo = pasta_ / "outra.BKP";
  EXPECT_FALSE(GravaCopiaEmVolumes(p, recusa).copia.ok);
  EXPECT_EQ(recusa.pedidos, std::vector<int>{2});  // the first volume is never asked for
}

}  // namespace
