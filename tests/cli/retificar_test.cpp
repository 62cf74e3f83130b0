// vornex-cli retificar over the demonstration declaration.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "../core/data/apoio.h"
#include "apoio_cli.h"
#include "data/banco.h"
#include "declfile/layout.h"

namespace {

namespace fs = std::filesystem;

using Saida = teste::SaidaCli;

class Retificar : public testing::Test {
 protected:
  Retificar() {
    teste::CopiaPastaInicializada(dados());
    fs::create_directories(destino());
    EXPECT_EQ(roda({"--dados", dados().string(), "demo", "--estabelecimentos", "4", "--vinculos", "20"}).codigo, 0);
    vornex::Conexao c = vornex::AbreZema2004(dados());
    auto l = vornex::Consulta(c, "SELECT v.CoCgcCeiEstabelecimento, v.NuPrefixoEstabelecimento, "
                                 "v.CoPisPasepEmpregado, v.DaAdmissaoEmpregado FROM Bd8vinc v ORDER BY rowid LIMIT 1")
                 .primeira();
    vinculo_ = (*l)[0] + "/" + (*l)[1] + "/" + (*l)[2] + "/" + (*l)[3];
    estab_ = (*l)[0] + "/" + (*l)[1];
  }

  fs::path dados() const { return pasta_ / "dados"; }
  fs::path destino() const { return pasta_ / "midia"; }
  Saida roda(std::vector<std::string> args) {
    return teste::RodaCli(args);
  }
  Saida retifica(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados().string(), "retificar", "--data", "15032005", "--destino",
                               destino().string()});
    return roda(args);
  }

  teste::PastaTemporaria pasta_;
  std::string vinculo_, estab_;
};

TEST_F(Retificar, ArquivoComOIndicadorDeRetificacao) {
  const auto r = retifica({"--vinculo", vinculo_});
  ASSERT_EQ(r.codigo, 0) << r.err << r.out;
  std::ifstream f(destino() / "Zema2004", std::ios::binary);
  const std::string arquivo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  ASSERT_EQ(arquivo.size(), 4u * vornex::kTamanhoLinhaGravada);  // types 0, 1, 2 and 9
  EXPECT_EQ(arquivo[222], '1');
  EXPECT_EQ(arquivo.substr(223, 8), "15032005");  // the typed date: the stored one is zeros
  const std::string nove = arquivo.substr(3 * vornex::kTamanhoLinhaGravada, vornex::kTamanhoRegistro);
  EXPECT_EQ(nove[22], '9');
  for (const auto& campo : vornex::kLayoutTipoNove) {
    if (campo.regra != vornex::Regra::Estatistica) continue;
    EXPECT_EQ(nove[static_cast<std::size_t>(campo.posicao + campo.tamanho - 2)], '2');  // ends the field
  }
  // Our own analyser takes it back without a finding.
  const auto a = roda({"--dados", dados().string(), "analisar", (destino() / "Zema2004").string()});
  EXPECT_EQ(a.codigo, 0) << a.out << a.err;
  EXPECT_EQ(a.out.find("retificação não informada"), std::string::npos) << a.out;
}

TEST_F(Retificar, ErroNaVerificacaoNadaGrava) {
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    c.executa("UPDATE Bd8vinc SET DaNascimentoEmpregado = '31022001' WHERE rowid = 1");
  }
  const auto r = retifica({"--vinculo", vinculo_});
  EXPECT_EQ(r.codigo, 1) << r.err << r.out;
  EXPECT_NE(r.out.find("Data de nascimento inválida"), std::string::npos) << r.out;
  EXPECT_FALSE(fs::exists(destino() / "Zema2004"));
}

TEST_F(Retificar, SelecaoRecusada) {
  const struct {
    std::vector<std::string> args;
    std::string trecho;
  } casos[] = {
      {{}, "Nenhum estabelecimento selecionado"},                 // 1301
      {{"--estab", estab_}, "Nenhum empregado/servidor selecionado"},  // 1304
      {{"--vinculo", vinculo_, "--vinculo", vinculo_}, "O mesmo vínculo foi selecionado mais de uma vez"},
      // 1925 names what it did not find
      {{"--vinculo", "11222333000181/00/12345678901/01022001"},
       "faça a seleção novamente. (11222333000181/00/12345678901/01022001)"},
      {{"--vinculo", estab_ + "/999.99999.99-9/01022001"},
       "faça a seleção novamente. (" + estab_ + "/99999999999/01022001)"},
  };
  for (const auto& k : casos) {
    const auto r = retifica(k.args);
    EXPECT_EQ(r.codigo, 2) << k.trecho;
    EXPECT_NE(r.err.find(k.trecho), std::string::npos) << r.err;
  }
  EXPECT_FALSE(fs::exists(destino() / "Zema2004"));
}

}  // namespace
