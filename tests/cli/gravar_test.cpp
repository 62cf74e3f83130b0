// vornex-cli gravar over the demo declaration, in-process on temporary folders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "apoio_cli.h"
#include "data/banco.h"
#include "declfile/selo.h"

namespace {

namespace fs = std::filesystem;

using Resultado = teste::SaidaCli;

class Gravar : public ::testing::Test {
 protected:
  Gravar() {
    std::string modelo = (fs::temp_directory_path() / "vornex-gravar-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    dados_ = (raiz_ / "dados").string();
    fs::create_directories(dados_);  // an empty folder is initialised on first use
  }
  ~Gravar() override {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  void SetUp() override {
    auto d = Roda({"demo", "--estabelecimentos", "6", "--vinculos", "200", "--semente", "3"});
    ASSERT_EQ(d.codigo, 0) << d.err;
  }
  Resultado Roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados_});
    return teste::RodaCli(args);
  }
  std::string Midia(const std::string& nome) {
    fs::create_directories(raiz_ / nome);
    return (raiz_ / nome).string();
  }
  void Sql(const std::string& sql) { vornex::AbreZema2004(dados_).executa(sql); }

  fs::path raiz_;
  std::string dados_;
};

TEST_F(Gravar, VolumesSeladosComSeuProtocolo) {
  std::vector<std::string> args = {"gravar", "--data", "10022005", "--capacidade", "40000", "--json"};
  for (const char* m : {"a", "b", "c", "d"}) args.insert(args.end(), {"--destino", Midia(m)});
  auto r = Roda(args);
  ASSERT_EQ(r.codigo, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const auto& volumes = j.at("volumes");
  ASSERT_GE(volumes.size(), 2u);
  ASSERT_EQ(j.at("te8ProID").size(), volumes.size());
  long vinculos = 0, vinculosEs = 0;
  for (std::size_t i = 0; i < volumes.size(); ++i) {
    const auto& v = volumes[i];
    const std::string arquivo = v.at("arquivo").get<std::string>();
    EXPECT_EQ(v.at("volume"), i + 1);
    EXPECT_EQ(vornex::VerificaSelo(arquivo), vornex::ResultadoSelo::Confere);
    EXPECT_EQ(vornex::LeSelo(arquivo), v.at("selo").get<std::string>());
    const auto& id = j.at("te8ProID")[i];
    EXPECT_EQ(id.at("NuDisquete"), std::to_string(i + 1));
    EXPECT_EQ(id.at("NuVinculos"), std::to_string(v.at("tipo2").get<long>()));
    EXPECT_EQ(id.at("NuEstabelecimentos"), std::to_string(v.at("tipo1").get<long>()));
    vinculos += v.at("tipo2").get<long>();
  }
  for (const auto& es : j.at("te8ProES")) vinculosEs += std::stol(es.at("NuVinculosEstabelecimento").get<std::string>());
  EXPECT_EQ(vinculos, 200);
  EXPECT_EQ(vinculosEs, 200);

  // Again over the same media, as text: the old files are replaced only when allowed.
  args.erase(std::find(args.begin(), args.end(), "--json"));
  auto recusa = Roda(args);
  EXPECT_EQ(recusa.codigo, 2);
  EXPECT_NE(recusa.err.find("Autoriza gravar sobre?"), std::string::npos) << recusa.err;
  args.push_back("--sobrescrever");
  auto texto = Roda(args);
  ASSERT_EQ(texto.codigo, 0) << texto.err;
  EXPECT_NE(texto.out.find("Volume 1: " + (raiz_ / "a" / "Zema2004").string() + "\n"), std::string::npos)
      << texto.out;
  EXPECT_NE(texto.out.find("Selo: "), std::string::npos);
}

TEST_F(Gravar, RecusasSaemComDois) {
  const std::string ocupada = Midia("ocupada");
  std::ofstream(fs::path(ocupada) / "outro.txt") << "x";
  struct Caso {
    std::vector<std::string> args;
    std::string texto;
  };
  const Caso casos[] = {
      {{"--data", "31122004", "--destino", Midia("m1")}, "anterior a 01/01/2005"},
      {{"--data", "01012006", "--destino", Midia("m1")}, "posterior a 31/12/2005"},
      {{"--data", "30022005", "--destino", Midia("m1")}, "Informe uma data válida"},
      {{"--data", "10022005", "--destino", Midia("m1"), "--estab", "99.999.999/0001-91/00"}, "não encontrado"},
      {{"--data", "10022005", "--destino", ocupada}, "O disco a ser gravado não pode conter arquivos."},
      {{"--data", "10022005", "--destino", (raiz_ / "nao-existe").string()}, "não pôde ser usada"},
      {{"--data", "10022005", "--destino", Midia("m2"), "--capacidade", "40000"},
       "falta um --destino para o volume 2"},
      // The sealed first volume is named as part of an incomplete set.
      {{"--data", "10022005", "--destino", Midia("m3"), "--capacidade", "40000"},
       "O volume 1 foi gravado, mas a declaração ficou incompleta sem os volumes seguintes."},
  };
  for (const auto& c : casos) {
    std::vector<std::string> args = {"gravar"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    auto r = Roda(args);
    EXPECT_EQ(r.codigo, 2) << c.texto;
    EXPECT_NE(r.err.find(c.texto), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(raiz_ / "m1" / "Zema2004"));
  EXPECT_FALSE(fs::exists(fs::path(ocupada) / "Zema2004"));
  // The first volume was finished before the second medium was missing: it stays.
  EXPECT_EQ(vornex::VerificaSelo(raiz_ / "m2" / "Zema2004"), vornex::ResultadoSelo::Confere);
}

// The old file is replaced only on a medium that is accepted.
TEST_F(Gravar, SobrescreverNaoApagaAntesDeAceitarAMidia) {
  const fs::path antigo = fs::path(Midia("velha")) / "Zema2004";
  std::ofstream(antigo) << "declaração antiga";
  auto r = Roda({"gravar", "--data", "10022005", "--destino", antigo.parent_path().string(), "--sobrescrever",
                 "--capacidade", "1000"});
  EXPECT_EQ(r.codigo, 2) << r.err;
  EXPECT_NE(r.err.find("não pôde ser usada"), std::string::npos) << r.err;
  std::ifstream f(antigo);
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>()), "declaração antiga");
}

TEST_F(Gravar, ErrosNosDadosImpedemAGravacao) {
  struct Caso {
    std::string sql, texto;
  };
  // Cumulative: the responsible person is checked before the establishments.
  const Caso casos[] = {
      {"UPDATE Bd8emp SET CoCnae = '99999' WHERE rowid = (SELECT min(rowid) FROM Bd8emp)", "99999"},
      {"UPDATE BD8Resp SET NoResponsavelArquivo = ''", "Responsável: "},
  };
  for (const auto& c : casos) {
    Sql(c.sql);
    auto r = Roda({"gravar", "--data", "10022005", "--destino", Midia("m")});
    EXPECT_EQ(r.codigo, 1) << r.err;
    EXPECT_NE(r.out.find(c.texto), std::string::npos) << r.out << r.err;
    EXPECT_FALSE(fs::exists(raiz_ / "m" / "Zema2004"));
  }
}

}  // namespace
