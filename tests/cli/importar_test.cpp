// vornex-cli importar, run in-process on a copy of an initialised data folder.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "../core/data/apoio.h"
#include "arquivo_zema.h"
#include "apoio_cli.h"
#include "data/banco.h"
#include "data/trava_pasta.h"
#include "morte.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>

namespace {

namespace fs = std::filesystem;

using Saida = teste::SaidaCli;

const std::string kCnpjA = "11222333000181";
const std::string kCnpjB = "11444777000161";

class Importar : public testing::Test {
 protected:
  Importar() { teste::CopiaPastaInicializada(dados()); }

  fs::path dados() const { return pasta_ / "dados"; }
  // A file of establishments, each with its number of links (0: declared
  // without employees).
  std::string arquivo(const std::vector<std::pair<std::string, int>>& estabs) {
    vornex::MontadorRegistros m;
    const vornex::Linha resp = teste::ResponsavelExemplo();
    std::string r;
    long seq = 1, vinculos = 0;
    vornex::Linha e = teste::EstabelecimentoExemplo(estabs[0].first, "00", estabs[0].second == 0);
    m.zero(resp, e, {{true, false}, {}, "101010"}, r);
    for (const auto& [inscricao, n] : estabs) {
      e = teste::EstabelecimentoExemplo(inscricao, "00", n == 0);
      m.um(e, ++seq, r);
      for (int k = 0; k < n; ++k, ++vinculos) m.dois(e, teste::VinculoExemplo(k), ++seq, r);
    }
    m.nove(resp, e, {{true, false}, ++seq, static_cast<long>(estabs.size()), vinculos, 0}, r);
    const fs::path p = pasta_ / "Zema2004";
    teste::Escreve(p, r);
    return p.string();
  }
  Saida roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados().string(), "importar"});
    return teste::RodaCli(args);
  }
  long long conta(const std::string& sql) {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    return vornex::Consulta(c, sql).escalar();
  }

  teste::PastaTemporaria pasta_;
};

TEST_F(Importar, DuasVezesOMesmoArquivoNadaAcrescentaNaSegunda) {
  const auto a = arquivo({{kCnpjA, 3}, {kCnpjB, 0}});
  auto r = roda({a, "--todos"});
  ASSERT_EQ(r.codigo, 0) << r.err << r.out;
  EXPECT_NE(r.out.find("Relatório de Importação de Dados  2004"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("11.222.333/0001-81  00       00123456789012                    3        0        0        3"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 3);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 2);

  r = roda({a, "--todos", "--json"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  ASSERT_EQ(j.size(), 2u);
  EXPECT_EQ(j[0]["NuTotalDuplicados"], "3");
  EXPECT_EQ(j[0]["NuTotalImportados"], "0");
  EXPECT_EQ(j[1]["CoImp"], "1501");
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 3);
}

// Two imports on one folder: the second is refused at once with a clear
// message, and the first one imports everything of its own file.
TEST_F(Importar, DuasAoMesmoTempoNaMesmaPasta) {
  const auto primeiro = arquivo({{kCnpjA, 6000}});
  const fs::path copia = pasta_ / "primeiro";
  fs::rename(primeiro, copia);
  const auto segundo = arquivo({{kCnpjB, 5}});
  const pid_t filho = ::fork();
  if (filho == 0) ::_exit(roda({copia.string(), "--todos"}).codigo);
  ASSERT_GT(filho, 0);
  // Until the first one holds the folder.
  const fs::path trava = dados() / vornex::kArquivoTrava;
  bool ocupada = false;
  for (int i = 0; i < 20000 && !ocupada; ++i) {
    const int fd = ::open(trava.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
      ocupada = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
      ::close(fd);
    }
    if (!ocupada) ::usleep(500);
  }
  ASSERT_TRUE(ocupada);
  const auto r = roda({segundo, "--todos"});
  int estado = 0;
  ::waitpid(filho, &estado, 0);
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find(vornex::MensagemPastaEmUso(dados())), std::string::npos) << r.err;
  ASSERT_TRUE(WIFEXITED(estado));
  EXPECT_EQ(WEXITSTATUS(estado), 0);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 6000);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE CoCgcCeiEstabelecimento = '" + kCnpjB + "'"), 0);
}

// Killed at any moment, an import leaves sound databases holding all of its
// links or none of them.
TEST_F(Importar, MortaAQualquerMomento) {
  const auto a = arquivo({{kCnpjA, 3000}});
  const fs::path medida = pasta_ / "medida";
  teste::CopiaPastaInicializada(medida);
  auto importa = [&] { return roda({a, "--todos"}).codigo; };
  const auto duracao = teste::Duracao(
      [&] { return teste::RodaCli({"--dados", medida.string(), "importar", a, "--todos"}).codigo; });
  for (const auto quando : teste::PontosDeMorte(duracao)) {
    teste::MataDepois(importa, quando);
    for (const char* db : {vornex::kArquivoDeclaracao, vornex::kArquivoTrabalho}) {
      vornex::Conexao c = vornex::Conexao::Abre(dados() / db);
      EXPECT_EQ(vornex::Consulta(c, "PRAGMA integrity_check").primeira().value()[0], "ok") << db;
    }
    const long long n = conta("SELECT count(*) FROM Bd8vinc");
    EXPECT_TRUE(n == 0 || n == 3000) << n;
  }
}

TEST_F(Importar, EscolhaPorEstabelecimento) {
  const auto a = arquivo({{kCnpjA, 1}, {kCnpjB, 2}});
  auto r = roda({a, "--estab", "11.444.777/0001-61/00"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc WHERE CoCgcCeiEstabelecimento = '" + kCnpjB + "'"), 2);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 1);

  r = roda({a, "--estab", "11222333000262/00"});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find("não está no arquivo"), std::string::npos) << r.err;
  r = roda({a});  // nothing chosen: the list and message 1301
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find("11.222.333/0001-81  00  PADARIA"), std::string::npos) << r.err;
}

TEST_F(Importar, InscricaoInvalidaNaoEImportada) {
  const auto a = arquivo({{"11222333000100", 1}, {kCnpjA, 1}});
  const auto r = roda({a, "--todos"});
  EXPECT_EQ(r.codigo, 1) << r.err;
  EXPECT_NE(r.out.find("11222333000100      00       00123456789012     (1)"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\n(1) "), std::string::npos) << r.out;
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 1);
}

TEST_F(Importar, ErroDeEstruturaNadaImporta) {
  std::ostringstream s;
  teste::GeraArquivoZema(s, 2, 1);
  auto a = teste::SeparaRegistros(s.str());
  a.poe(1, 278, "2");
  const fs::path p = pasta_ / "Zema2004";
  teste::Escreve(p, a.junta());
  const auto r = roda({p.string(), "--todos"});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.out.find("Posição 278 = 2"), std::string::npos) << r.out;
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 0);
  EXPECT_EQ(roda({(pasta_ / "nada").string(), "--todos"}).codigo, 2);
  // The previous-year mode names the year it expects.
  const auto anterior = roda({p.string(), "--ano-anterior", "--todos"});
  EXPECT_EQ(anterior.codigo, 1);
  EXPECT_NE(anterior.out.find("especificações do ano-base 2003."), std::string::npos) << anterior.out;
}

}  // namespace

namespace {

TEST_F(Importar, AnoAnteriorSoVinculosAtivosSemRemuneracao) {
  auto a = teste::SeparaRegistros([&] {
    std::ifstream f(arquivo({{kCnpjA, 2}}), std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }());
  a.poe(1, 293, "2003");
  a.poe(3, 131, "10");  // the second link was dismissed
  const fs::path p = pasta_ / "Zema2003";
  teste::Escreve(p, a.junta());
  const auto r = roda({p.string(), "--ano-anterior", "--todos"});
  ASSERT_EQ(r.codigo, 0) << r.err << r.out;
  EXPECT_NE(r.out.find("Relatório de Importação de Dados  2003"), std::string::npos) << r.out;
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc WHERE AnBase = '2004' AND VaJaneiroEmpregado = '000000000'"), 1);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE AnBase = '2004' AND InAvisoCnae = 1"), 1);
  // The dismissed link counted in the file is not one of the establishment's.
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp WHERE NuVinculosEstabelecimento = '000001'"), 1);
}

}  // namespace

namespace {

// The round trip: a declaration written by gravar comes back whole into an
// empty folder, and a second import adds nothing.
TEST_F(Importar, ArquivoGravadoVoltaInteiroEUmaSoVez) {
  const fs::path origem = pasta_ / "origem", midia = pasta_ / "midia";
  teste::CopiaPastaInicializada(origem);
  fs::create_directories(midia);
  auto cli = [](std::vector<std::string> args) {
    std::ostringstream out, err;
    const int c = vornex::cli::Executa(args, out, err);
    return c == 0 ? std::string() : err.str() + out.str() + "!";
  };
  ASSERT_EQ(cli({"--dados", origem.string(), "demo", "--estabelecimentos", "5", "--vinculos", "40"}), "");
  ASSERT_EQ(cli({"--dados", origem.string(), "gravar", "--data", "15032005", "--destino", midia.string()}), "");
  const std::string arquivo = (midia / "Zema2004").string();

  auto r = roda({arquivo, "--todos"});
  ASSERT_EQ(r.codigo, 0) << r.err << r.out;
  const std::string colunas = "AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                              "DaAdmissaoEmpregado, NoEmpregado, VaDezembroEmpregado, QtDiasAfas";
  auto linhas = [&](const fs::path& pasta) {
    vornex::Conexao c = vornex::AbreZema2004(pasta);
    std::vector<std::vector<std::string>> v;
    for (const auto& l : vornex::Consulta(c, "SELECT " + colunas + " FROM Bd8vinc ORDER BY 1, 2, 3, 4, 5, 6").todas())
      v.push_back(l.valores());
    return v;
  };
  EXPECT_EQ(linhas(dados()), linhas(origem));
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 5);

  r = roda({arquivo, "--todos", "--json"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  long long duplicados = 0;
  for (const auto& l : nlohmann::json::parse(r.out)) {
    EXPECT_EQ(l["NuTotalImportados"], "0");
    duplicados += std::stoll(l["NuTotalDuplicados"].get<std::string>());
  }
  EXPECT_EQ(duplicados, 40);
  EXPECT_EQ(linhas(dados()), linhas(origem));
}

}  // namespace

namespace {

// A declaration written on several volumes and imported volume by volume:
// an establishment split between volumes ends with all of its links counted.
TEST_F(Importar, VolumesImportadosUmAUmContamTodosOsVinculos) {
  const fs::path origem = pasta_ / "origem";
  teste::CopiaPastaInicializada(origem);
  auto d = teste::RodaCli({"--dados", origem.string(), "demo", "--estabelecimentos", "3", "--vinculos", "166",
                           "--semente", "3"});
  ASSERT_EQ(d.codigo, 0) << d.err;
  std::vector<std::string> args = {"--dados", origem.string(), "gravar", "--data", "10022005", "--capacidade",
                                   "25000"};
  std::vector<fs::path> midias;
  for (int i = 1; i <= 6; ++i) {
    midias.push_back(pasta_ / ("m" + std::to_string(i)));
    fs::create_directories(midias.back());
    args.insert(args.end(), {"--destino", midias.back().string()});
  }
  const auto g = teste::RodaCli(args);
  ASSERT_EQ(g.codigo, 0) << g.err << g.out;
  int volumes = 0;
  for (const auto& m : midias) {
    if (!fs::exists(m / "Zema2004")) continue;
    ++volumes;
    const auto r = roda({(m / "Zema2004").string(), "--todos"});
    ASSERT_EQ(r.codigo, 0) << r.err << r.out;
  }
  ASSERT_GE(volumes, 3);
  const std::string contagens =
      "SELECT count(*) FROM Bd8emp e WHERE NuVinculosEstabelecimento <> substr('000000' || (SELECT count(*) FROM "
      "Bd8vinc v WHERE v.AnBase = e.AnBase AND v.CoCgcCeiEstabelecimento = e.CoCgcCeiEstabelecimento AND "
      "v.NuPrefixoEstabelecimento = e.NuPrefixoEstabelecimento), -6)";
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8vinc"), 166);
  EXPECT_EQ(conta("SELECT count(*) FROM Bd8emp"), 3);
  EXPECT_EQ(conta(contagens), 0);
}

}  // namespace
