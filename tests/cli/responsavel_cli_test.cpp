// vornex-cli responsavel mostrar/gravar, and writing a declaration imported
// from a file once its responsible person is given.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "../core/data/apoio.h"
#include "apoio_cli.h"
#include "arquivo_zema.h"
#include "common/catalogo.h"
#include "data/banco.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class ResponsavelCli : public testing::Test {
 protected:
  ResponsavelCli() { teste::CopiaPastaInicializada(dados()); }

  fs::path dados() const { return pasta_ / "dados"; }
  teste::SaidaCli Roda(std::vector<std::string> args, const fs::path& pasta = {}) {
    args.insert(args.begin(), {"--dados", (pasta.empty() ? dados() : pasta).string()});
    return teste::RodaCli(args);
  }
  teste::SaidaCli Grava(const json& objeto) {
    const fs::path arq = pasta_ / "resp.json";
    std::ofstream(arq) << objeto.dump();
    return Roda({"responsavel", "gravar", arq.string()});
  }
  json Mostra() {
    auto r = Roda({"responsavel", "mostrar", "--json"});
    EXPECT_EQ(r.codigo, 0) << r.err;
    return json::parse(r.out);
  }
  // The example person, its registration as typed.
  static json Objeto(const std::string& inscricao) {
    const vornex::Linha r = teste::ResponsavelExemplo();
    json j;
    for (const char* col : {"NoResponsavelArquivo", "EdLogradouroRespArquivo", "NuLogradouroRespArquivo",
                            "TxComplementoRespArquivo", "NoBairroRespArquivo", "CoCepRespArquivo",
                            "CoMunicipioRespArquivo", "NuFoneDDD", "NuFoneAssinante", "TxEMailRespArquivo"})
      j[col] = r[col];
    j["InReciboParaRespArquivo"] = true;
    j["CoCgcCeiResponsavel"] = inscricao;
    return j;
  }

  teste::PastaTemporaria pasta_;
};

TEST_F(ResponsavelCli, CpfRecusadoComMensagemEDepoisGravadoPermiteGravarImportada) {
  // A declaration written elsewhere and imported here: no responsible person yet.
  const fs::path origem = pasta_ / "origem", midia = pasta_ / "midia", saida = pasta_ / "saida";
  teste::CopiaPastaInicializada(origem);
  fs::create_directories(midia);
  fs::create_directories(saida);
  ASSERT_EQ(Roda({"demo", "--estabelecimentos", "2", "--vinculos", "6"}, origem).codigo, 0);
  auto g = Roda({"gravar", "--data", "15012005", "--destino", midia.string()}, origem);
  ASSERT_EQ(g.codigo, 0) << g.err;
  auto i = Roda({"importar", (midia / "Zema2004").string(), "--todos"});
  ASSERT_EQ(i.codigo, 0) << i.err;
  EXPECT_EQ(Mostra()["CoCgcCeiResponsavel"], "");
  EXPECT_NE(Roda({"gravar", "--data", "15012005", "--destino", saida.string()}).codigo, 0);

  vornex::Conexao c = vornex::AbreZema2004(dados());
  const vornex::Catalogo catalogo = vornex::Catalogo::LeConexao(c);
  auto recusa = Grava(Objeto("11144477734"));
  EXPECT_EQ(recusa.codigo, 1);
  EXPECT_NE(recusa.err.find("CoCgcCeiResponsavel: " + catalogo.texto("0054")), std::string::npos) << recusa.err;
  EXPECT_EQ(Mostra()["NoResponsavelArquivo"], "");  // nothing written

  // Each refused field is told, not only the first.
  json dois = Objeto("11144477734");
  dois["CoCepRespArquivo"] = "";
  recusa = Grava(dois);
  EXPECT_EQ(recusa.codigo, 1);
  EXPECT_NE(recusa.err.find("CoCepRespArquivo: "), std::string::npos) << recusa.err;

  auto aceito = Grava(Objeto("11144477735"));
  ASSERT_EQ(aceito.codigo, 0) << aceito.err;
  const json r = Mostra();
  EXPECT_EQ(r["CoCgcCeiResponsavel"], "00011144477735");
  EXPECT_EQ(r["InInscrResponsavel"], "4");
  EXPECT_EQ(r["NoResponsavelArquivo"], "MARIA DA SILVA");

  g = Roda({"gravar", "--data", "15012005", "--destino", saida.string()});
  EXPECT_EQ(g.codigo, 0) << g.err << g.out;
  EXPECT_TRUE(fs::exists(saida / "Zema2004"));
}

}  // namespace
