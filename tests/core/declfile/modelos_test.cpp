// Model declaration files written from the layout description by
// tests/fixtures/declaracoes/gera.py, not by our writer: the analyser must
// load exactly the rows the script lists, and the writer, given those rows,
// must give back the very same bytes, seal included.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "../data/apoio.h"
#include "common/csv.h"
#include "common/passagem.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "declfile/analise_estrutura.h"
#include "declfile/gravacao.h"
#include "declfile/layout.h"
#include "platform/midia.h"

namespace {

namespace fs = std::filesystem;
using namespace vornex;

const fs::path kModelos = fs::path(VORNEX_TEST_DATA_DIR) / "declaracoes";

struct Modelo {
  const char* nome;
  int resultado;  // of the analysis
  long estabelecimentos, vinculos;
  ModoGravacao modo;  // how the writer makes it again
  const char* data;   // typed generation date
  const char* hora;   // clock of the type-0 record
};

void PrintTo(const Modelo& m, std::ostream* os) { *os << m.nome; }

const Modelo kModelos_[] = {
    {"simples", 0, 1, 2, {false, false}, "28022005", "093015"},
    {"varios", 0, 4, 3, {false, false}, "28022005", "093015"},
    {"retificacao", kAnaliseRetificacao, 1, 1, {true, true}, "28022005", "141502"},
};

// A file's records with their line ends, so that a difference names its record.
std::vector<std::string> Registros(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  const std::string s{std::istreambuf_iterator<char>(f), {}};
  std::vector<std::string> r;
  for (std::size_t i = 0; i < s.size(); i += kTamanhoLinhaGravada) r.push_back(s.substr(i, kTamanhoLinhaGravada));
  return r;
}

// Rows of a work table as the script lists them: table -> rows in file order
// -> column -> value.
using Linhas = std::map<std::string, std::vector<std::map<std::string, std::string>>>;

Linhas Esperadas(const Modelo& m) {
  Linhas r;
  const auto csv = LeArquivoCsv((kModelos / (std::string(m.nome) + ".linhas.csv")).string());
  for (std::size_t i = 1; i < csv.size(); ++i) {
    const auto& l = csv[i];
    auto& linhas = r[l.at(0)];
    const auto k = static_cast<std::size_t>(std::stoi(l.at(1)));
    if (linhas.size() < k) linhas.resize(k);
    linhas[k - 1][l.at(2)] = l.at(3);
  }
  return r;
}

class Modelos : public ::testing::TestWithParam<Modelo> {
 protected:
  Modelos() {
    teste::CopiaPastaInicializada(pasta_.caminho() / "dados");
    c_ = AbreZema2004(pasta_.caminho() / "dados");
  }
  teste::PastaTemporaria pasta_;
  Conexao c_;
};

TEST_P(Modelos, AnalisadorCarregaAsLinhasDoArquivo) {
  const Modelo& m = GetParam();
  long estabs = 0, vincs = 0;
  TAnaliseEstrutura an(c_);
  ASSERT_EQ(an.AnalisaArquivo(kModelos / m.nome, 2004, false, SemAcompanhamento(), estabs, vincs), m.resultado);
  EXPECT_EQ(estabs, m.estabelecimentos);
  EXPECT_EQ(vincs, m.vinculos);

  for (const auto& [tabela, linhas] : Esperadas(m)) {
    // Establishments and links in file order; the responsible row is alone.
    const std::string ordem = tabela == kTrabalhoResponsavel ? "" : " ORDER BY NuSequencialRegistro";
    const auto lidas = Consulta(c_, "SELECT * FROM " + tabela + ordem).todas();
    ASSERT_EQ(lidas.size(), linhas.size()) << tabela;
    for (std::size_t i = 0; i < linhas.size(); ++i)
      for (const auto& [coluna, valor] : linhas[i])
        EXPECT_EQ(lidas[i][coluna], valor) << tabela << " " << i + 1 << " " << coluna;
  }
}

TEST_P(Modelos, GravadorDevolveOsMesmosBytes) {
  const Modelo& m = GetParam();
  // The declaration tables, or for a rectification the work tables it is
  // written from; both have the columns the script names.
  if (m.modo.deTabelasTrabalho) RecriaCopiasDeclaracao(c_);
  const std::map<std::string, std::string> destino =
      m.modo.deTabelasTrabalho ? std::map<std::string, std::string>{{"Te8resp", kTrabalhoResponsavel},
                                                                    {"Te8emp", kTrabalhoEstabelecimento},
                                                                    {"Te8vinc", kTrabalhoVinculo}}
                               : std::map<std::string, std::string>{
                                     {"Te8resp", "BD8Resp"}, {"Te8emp", "Bd8emp"}, {"Te8vinc", "Bd8vinc"}};
  for (const auto& [tabela, linhas] : Esperadas(m)) {
    Tabela t(c_, destino.at(tabela));
    for (const auto& valores : linhas) {
      Linha l = t.novaLinha();
      for (const auto& [coluna, valor] : valores) l[coluna] = valor;
      t.inclui(l);
    }
  }

  fs::create_directories(pasta_.caminho() / "midia");
  PedidoGravacao p;
  p.modo = m.modo;
  p.dataGeracao = m.data;
  OpcoesGravacao o;
  o.relogio = [&] { return std::string(m.hora); };
  struct : InterfaceMidia {
    bool midiaNaoPronta(const Midia&) override { return false; }
    std::optional<Midia> pedeMidia(int, bool, const Midia&) override { return std::nullopt; }
    bool confirmaInterrupcao() override { return true; }
    void avisa(AvisoMidia, const Midia&) override {}
    bool autorizaSobrescrever(const Midia&) override { return false; }
  } ui;
  const auto r = GravaArquivoDeclaracao(c_, p, MidiaPasta(pasta_.caminho() / "midia", kCapacidadeDisquete), ui,
                                        SemAcompanhamento(), o);
  ASSERT_EQ(r.resultado, ResultadoGravacao::Gravado) << r.mensagem;
  ASSERT_EQ(r.volumes.size(), 1u);
  const auto gravados = Registros(r.volumes[0].arquivo), esperados = Registros(kModelos / m.nome);
  ASSERT_EQ(gravados.size(), esperados.size());
  for (std::size_t i = 0; i < esperados.size(); ++i) EXPECT_EQ(gravados[i], esperados[i]) << "registro " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(Arquivos, Modelos, ::testing::ValuesIn(kModelos_),
                         [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
