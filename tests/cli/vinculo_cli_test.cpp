// vornex-cli vinculos and vinculo mostrar/gravar/excluir over the demo declaration.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "apoio_cli.h"
#include "data/banco.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class VinculoCli : public ::testing::Test {
 protected:
  VinculoCli() {
    std::string modelo = (fs::temp_directory_path() / "vornex-vinc-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    dados_ = (raiz_ / "dados").string();
  }
  ~VinculoCli() override {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  void SetUp() override {
    ASSERT_EQ(Roda({"iniciar"}).codigo, 0);
    auto d = Roda({"demo", "--estabelecimentos", "2", "--vinculos", "12", "--semente", "5"});
    ASSERT_EQ(d.codigo, 0) << d.err;
    auto c = vornex::AbreZema2004(dados_);
    auto e = vornex::Consulta(c,
                              "select CoCgcCeiEstabelecimento || '/' || NuPrefixoEstabelecimento from Bd8emp "
                              "where NuVinculosEstabelecimento <> '000000' order by 1")
                 .primeira();
    ASSERT_TRUE(e);
    estab_ = (*e)[0];
  }
  teste::SaidaCli Roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados_});
    return teste::RodaCli(args);
  }
  json Lista() {
    auto r = Roda({"vinculos", "--estab", estab_, "--json"});
    EXPECT_EQ(r.codigo, 0) << r.err;
    return r.codigo == 0 ? json::parse(r.out) : json::array();
  }
  static std::string Nome(const json& item) {
    return item["CoPisPasepEmpregado"].get<std::string>() + "/" + item["DaAdmissaoEmpregado"].get<std::string>();
  }
  json Mostra(const std::string& vinculo) {
    auto r = Roda({"vinculo", "mostrar", "--estab", estab_, "--vinculo", vinculo, "--json"});
    EXPECT_EQ(r.codigo, 0) << r.err;
    return r.codigo == 0 ? json::parse(r.out) : json();
  }
  teste::SaidaCli Grava(const json& objeto) {
    const fs::path arq = raiz_ / "vinculo.json";
    std::ofstream(arq) << objeto.dump();
    return Roda({"vinculo", "gravar", arq.string()});
  }
  std::string Contagem() {
    auto c = vornex::AbreZema2004(dados_);
    vornex::Consulta q(c, "select NuVinculosEstabelecimento from Bd8emp where CoCgcCeiEstabelecimento || '/' || "
                          "NuPrefixoEstabelecimento = :k");
    q.defineTexto(":k", estab_);
    return q.primeira().value()[0];
  }
  std::string Retrato() {
    std::string s;
    auto c = vornex::AbreZema2004(dados_);
    for (const char* sql : {"select * from Bd8emp order by 1, 2, 3", "select * from Bd8vinc order by 1, 2, 3, 4, 5, 6"})
      for (const auto& l : vornex::Consulta(c, sql).todas())
        for (const auto& v : l.valores()) s += v + "|";
    return s;
  }

  fs::path raiz_;
  std::string dados_;
  std::string estab_;
};

TEST_F(VinculoCli, MostrarEGravarComOutraAdmissaoIncluiEExcluirTira) {
  const json lista = Lista();
  ASSERT_FALSE(lista.empty());
  const std::string antes = Contagem();
  EXPECT_EQ(static_cast<std::size_t>(std::stoi(antes)), lista.size());

  json v = Mostra(Nome(lista[0]));
  ASSERT_TRUE(v.is_object());
  EXPECT_EQ(v["NoEmpregado"], lista[0]["NoEmpregado"]);
  std::string adm = v["DaAdmissaoEmpregado"];
  adm.replace(0, 2, adm.substr(0, 2) == "05" ? "06" : "05");
  v["DaAdmissaoEmpregado"] = adm;
  v["NuSequencialRegistro"] = "";
  const auto g = Grava(v);
  ASSERT_EQ(g.codigo, 0) << g.err;
  EXPECT_NE(g.out.find("Vínculo incluído"), std::string::npos) << g.out;
  EXPECT_EQ(std::stoi(Contagem()), std::stoi(antes) + 1);
  EXPECT_EQ(Lista().size(), lista.size() + 1);

  // Written again, the same object alters the link it now names.
  v["TxUsoEmpregado"] = "SETOR 9";
  const auto g2 = Grava(v);
  ASSERT_EQ(g2.codigo, 0) << g2.err;
  EXPECT_NE(g2.out.find("Vínculo alterado"), std::string::npos) << g2.out;
  EXPECT_EQ(std::stoi(Contagem()), std::stoi(antes) + 1);

  const auto e = Roda({"vinculo", "excluir", "--estab", estab_, "--vinculo",
                       v["CoPisPasepEmpregado"].get<std::string>() + "/" + adm});
  ASSERT_EQ(e.codigo, 0) << e.err;
  EXPECT_EQ(Contagem(), antes);
  EXPECT_NE(Roda({"vinculo", "mostrar", "--estab", estab_, "--vinculo",
                  v["CoPisPasepEmpregado"].get<std::string>() + "/" + adm})
                .codigo,
            0);
}

TEST_F(VinculoCli, GravarRecusadoListaCadaCampoENaoGravaNada) {
  json v = Mostra(Nome(Lista()[0]));
  std::string adm = v["DaAdmissaoEmpregado"];
  adm.replace(0, 2, adm.substr(0, 2) == "05" ? "06" : "05");
  v["DaAdmissaoEmpregado"] = adm;
  v["CoCbo"] = "999999";
  v["VaMarcoEmpregado"] = "12a";
  const std::string retrato = Retrato();
  const auto r = Grava(v);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.err.find("CoCbo: "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("VaMarcoEmpregado: Valor numérico inválido"), std::string::npos) << r.err;
  EXPECT_EQ(Retrato(), retrato);

  // Not a link object at all.
  v["ColunaQueNaoExiste"] = "1";
  EXPECT_EQ(Grava(v).codigo, 2);
  EXPECT_EQ(Retrato(), retrato);
}

}  // namespace
