// vornex-cli estabelecimentos and estabelecimento mostrar/gravar over the demo declaration.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "apoio_cli.h"
#include "common/catalogo.h"
#include "data/banco.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class EstabelecimentoCli : public ::testing::Test {
 protected:
  EstabelecimentoCli() {
    std::string modelo = (fs::temp_directory_path() / "vornex-estab-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    dados_ = (raiz_ / "dados").string();
  }
  ~EstabelecimentoCli() override {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  void SetUp() override {
    ASSERT_EQ(Roda({"iniciar"}).codigo, 0);
    auto d = Roda({"demo", "--estabelecimentos", "4", "--vinculos", "40", "--semente", "5"});
    ASSERT_EQ(d.codigo, 0) << d.err;
  }
  teste::SaidaCli Roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados_});
    return teste::RodaCli(args);
  }
  json Lista() {
    auto r = Roda({"estabelecimentos", "--json"});
    EXPECT_EQ(r.codigo, 0) << r.err;
    return json::parse(r.out);
  }
  json Mostra(const std::string& chave) {
    auto r = Roda({"estabelecimento", "mostrar", chave, "--json"});
    EXPECT_EQ(r.codigo, 0) << r.err;
    return r.codigo == 0 ? json::parse(r.out) : json();
  }
  teste::SaidaCli Grava(const json& objeto, std::vector<std::string> extra = {}) {
    const fs::path arq = raiz_ / "estab.json";
    std::ofstream(arq) << objeto.dump();
    std::vector<std::string> args{"estabelecimento", "gravar", arq.string()};
    args.insert(args.end(), extra.begin(), extra.end());
    return Roda(args);
  }
  std::string Tabela() {
    std::string s;
    auto c = vornex::AbreZema2004(dados_);
    for (const auto& l : vornex::Consulta(c, "select * from Bd8emp order by 1, 2, 3").todas())
      for (const auto& v : l.valores()) s += v + "|";
    return s;
  }
  std::string TextoDe(const char* numero) {
    auto c = vornex::AbreZema2004(dados_);
    return std::string(vornex::Consulta(c, std::string("select TxMensagem from referencia.tb8MSG where NuMensagem = '") +
                                               numero + "'")
                           .primeira()
                           .value()[0]);
  }

  fs::path raiz_;
  std::string dados_;
};

TEST_F(EstabelecimentoCli, MostrarEGravarSobOutroPrefixoCriaUmIgual) {
  const json lista = Lista();
  ASSERT_EQ(lista.size(), 4u);
  const json& primeiro = lista[0];
  const std::string chave = primeiro["inscricao"].get<std::string>() + "/" + primeiro["prefixo"].get<std::string>();
  json objeto = Mostra(chave);
  ASSERT_EQ(objeto["CoCgcCeiEstabelecimento"], primeiro["inscricao"]);
  EXPECT_TRUE(objeto["InAvisoCnae"].is_boolean());

  const std::string prefixo = primeiro["prefixo"] == "Q1" ? "Q2" : "Q1";
  objeto["NuPrefixoEstabelecimento"] = prefixo;
  auto r = Grava(objeto);
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.out.find("incluído"), std::string::npos) << r.out;

  json copia = Mostra(primeiro["inscricao"].get<std::string>() + "/" + prefixo);
  // The new establishment has no links of its own yet.
  EXPECT_EQ(copia["NuVinculosEstabelecimento"], "000000");
  for (const char* col : {"NuVinculosEstabelecimento", "NuEstrangeirosEstabelec"}) copia[col] = objeto[col];
  EXPECT_EQ(copia, objeto);
  EXPECT_EQ(Lista().size(), 5u);

  // The same object again updates the row it created.
  objeto["NoRazaoEstabelecimento"] = "  NOVO NOME LTDA ";
  r = Grava(objeto);
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.out.find("alterado"), std::string::npos) << r.out;
  EXPECT_EQ(Mostra(primeiro["inscricao"].get<std::string>() + "/" + prefixo)["NoRazaoEstabelecimento"],
            "NOVO NOME LTDA");
}

TEST_F(EstabelecimentoCli, RecusaListaCadaCampoENaoGravaNada) {
  const json lista = Lista();
  const std::string chave = lista[0]["inscricao"].get<std::string>() + "/" + lista[0]["prefixo"].get<std::string>();
  json objeto = Mostra(chave);
  const std::string antes = Tabela();

  objeto["NuPrefixoEstabelecimento"] = "Q1";
  objeto["CoCnae"] = "99999";
  auto r = Grava(objeto);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.err.find("CoCnae: " + TextoDe("0361")), std::string::npos) << r.err;

  // An existing establishment: every failing field is named.
  objeto = Mostra(chave);
  objeto["CoCnae"] = "99999";
  objeto["NoRazaoEstabelecimento"] = "";
  r = Grava(objeto);
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.err.find("NoRazaoEstabelecimento: " + TextoDe("0110")), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("CoCnae: " + TextoDe("0361")), std::string::npos) << r.err;
  EXPECT_EQ(Tabela(), antes);

  // Objects that are not an establishment's: nothing is read into the table.
  for (const json& ruim : {json{{"CoCgcCeiEstabelecimento", objeto["CoCgcCeiEstabelecimento"]}, {"Xyz", "1"}},
                           json{{"CoCgcCeiEstabelecimento", objeto["CoCgcCeiEstabelecimento"]}, {"SgUf", "SPX"}},
                           json{{"CoCgcCeiEstabelecimento", objeto["CoCgcCeiEstabelecimento"]}, {"CoCnae", 15130}},
                           json{{"NoRazaoEstabelecimento", "SEM INSCRICAO"}}, json::array()}) {
    r = Grava(ruim);
    EXPECT_EQ(r.codigo, 2) << ruim.dump();
  }
  EXPECT_EQ(Tabela(), antes);
}

TEST_F(EstabelecimentoCli, SemEmpregadosSoExcluiVinculosConfirmado) {
  for (const auto& e : Lista()) {
    if (e["vinculos"].get<long long>() == 0) continue;
    const std::string chave = e["inscricao"].get<std::string>() + "/" + e["prefixo"].get<std::string>();
    json objeto = Mostra(chave);
    if (objeto["InInscrEstabelecimento"] != "1") continue;
    objeto["InZemaNegEstabelecimento"] = "1";
    objeto["CoCgcVinculado"] = "";
    objeto["MeDataBase"] = "";
    auto r = Grava(objeto);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.err.find(TextoDe("1005")), std::string::npos) << r.err;
    EXPECT_EQ(Mostra(chave)["InZemaNegEstabelecimento"], "0");
    r = Grava(objeto, {"--exclui-vinculos"});
    ASSERT_EQ(r.codigo, 0) << r.err;
    EXPECT_EQ(Mostra(chave)["NuVinculosEstabelecimento"], "000000");
    return;
  }
  GTEST_SKIP() << "a demo sem CNPJ com vínculos";
}

}  // namespace
