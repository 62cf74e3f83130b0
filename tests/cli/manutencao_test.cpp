// vornex-cli excluir, transferir and alterar-vinculo, run in-process on a
// small declaration of our own.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "apoio_cli.h"
#include "data/banco.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kCnpj = "11222333000181";    // valid as CNPJ only
constexpr const char* kCei = "00111222333443";     // valid as CEI only
constexpr const char* kAmbos = "00123429000176";   // valid as both

class Manutencao : public ::testing::Test {
 protected:
  Manutencao() {
    std::string modelo = (fs::temp_directory_path() / "vornex-manutencao-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    dados_ = (raiz_ / "dados").string();
    EXPECT_EQ(Roda({"iniciar"}).codigo, 0);
    // kCnpj/00 with links 1-10 (3, 6, 9 foreign), kCnpj/01 with 11-12, kCei/00 without links.
    Estab(kCnpj, "00", "1", 10);
    Estab(kCnpj, "01", "1", 2);
    Estab(kCei, "00", "3", 0);
    for (int i = 1; i <= 12; ++i)
      Sql(std::string("insert into Bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                      "CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado, CoNacionalidade, CoVinculo) values "
                      "('2004', '") +
          kCnpj + "', '" + (i <= 10 ? "00" : "01") + "', '" + Pis(i) + "', '01022001', 'EMPREGADO " +
          std::to_string(i) + "', '" + (i % 3 == 0 ? "20" : "10") + "', '10')");
  }
  ~Manutencao() override {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }

  teste::SaidaCli Roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados_});
    return teste::RodaCli(args);
  }
  void Sql(const std::string& sql) { vornex::AbreZema2004(dados_).executa(sql); }
  long long Conta(const std::string& sql) {
    auto c = vornex::AbreZema2004(dados_);
    return vornex::Consulta(c, sql).escalar();
  }
  std::string Valor(const std::string& sql) {
    auto c = vornex::AbreZema2004(dados_);
    auto l = vornex::Consulta(c, sql).primeira();
    return l ? l->valores().at(0) : "<nada>";
  }
  // Both declaration tables, every column, in key order.
  std::string Retrato() {
    auto c = vornex::AbreZema2004(dados_);
    std::string r;
    for (const char* sql : {"select * from Bd8emp order by 1, 2, 3", "select * from Bd8vinc order by 1, 2, 3, 4, 5, 6"})
      for (const auto& l : vornex::Consulta(c, sql).todas())
        for (const auto& v : l.valores()) r += v + "|";
    return r;
  }

  void Estab(const char* inscricao, const char* prefixo, const char* tipo, int vinculos) {
    Sql(std::string("insert into Bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoCgcVinculado, "
                    "InInscrEstabelecimento, InZemaNegEstabelecimento, NuVinculosEstabelecimento, "
                    "NuEstrangeirosEstabelec) values ('2004', '") +
        inscricao + "', '" + prefixo + "', '00000000000000', '" + tipo + "', '0', '" +
        std::string(6 - std::to_string(vinculos).size(), '0') + std::to_string(vinculos) + "', '00000')");
  }
  static std::string Pis(int i) {
    std::string s = std::to_string(i);
    return "1" + std::string(10 - s.size(), '0') + s;
  }
  static std::string Vinculo(int i) { return Pis(i) + "/01022001"; }

  fs::path raiz_;
  std::string dados_;
};

TEST_F(Manutencao, TransferirCriaODestinoERecusaOQueNaoPode) {
  auto r = Roda({"transferir", "--de", std::string(kCnpj) + "/00", "--para", "12.342.900/0176/00", "--tipo", "cei",
                 "--vinculo", Vinculo(2), "--vinculo", "100.00000.00-3/01022001/EMPREGADO 3", "--vinculo", Vinculo(9)});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_NE(r.out.find("Transferência dos empregados/servidores concluída com sucesso.\n"
                       "3 vínculo(s) de 11222333000181/00 para 00123429000176/00 (CEI).\n"
                       "Origem: 7 vínculo(s), 1 estrangeiro(s).\n"
                       "Destino: 3 vínculo(s), 2 estrangeiro(s).\n"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Valor(std::string("select NuVinculosEstabelecimento || InInscrEstabelecimento || InOpcaoAberta from "
                              "Bd8emp where CoCgcCeiEstabelecimento = '") +
                  kAmbos + "'"),
            "0000033");

  const auto antes = Retrato();
  const struct {
    const char* nome;
    std::vector<std::string> args;
    std::string texto;
  } recusas[] = {
      {"destino existente", {"--para", std::string(kCnpj) + "/01", "--todos"}, "O estabelecimento de destino"},
      {"nenhum vínculo", {"--para", std::string(kCnpj) + "/02"}, "Nenhum empregado/servidor marcado."},
      {"vínculo ausente", {"--para", std::string(kCnpj) + "/02", "--vinculo", Vinculo(2)},
       "vínculo não encontrado: " + Vinculo(2)},
      {"CNPJ pedido como CEI", {"--para", std::string(kCnpj) + "/03", "--tipo", "cei", "--todos"}, "A inscrição não corresponde ao tipo informado."},
  };
  for (const auto& k : recusas) {
    SCOPED_TRACE(k.nome);
    std::vector<std::string> args{"transferir", "--de", std::string(kCnpj) + "/00"};
    args.insert(args.end(), k.args.begin(), k.args.end());
    const auto recusa = Roda(args);
    EXPECT_EQ(recusa.codigo, 1) << recusa.err;
    EXPECT_EQ(recusa.out, "");
    EXPECT_NE(recusa.err.find(k.texto), std::string::npos) << recusa.err;
    EXPECT_EQ(Retrato(), antes);
  }
  // Both kinds of choice at once are a usage error.
  EXPECT_EQ(Roda({"transferir", "--de", std::string(kCnpj) + "/00", "--para", std::string(kCnpj) + "/02", "--todos",
                  "--vinculo", Vinculo(1)})
                .codigo,
            2);
}

TEST_F(Manutencao, ExcluirVinculosOuEstabelecimentos) {
  auto r = Roda({"excluir", "--estab", std::string(kCnpj) + "/00", "--vinculo", Vinculo(3), "--vinculo",
                 Vinculo(4) + "/EMPREGADO 4"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(r.out, "2 Empregado(s) excluído(s) com sucesso.\n11222333000181/00: 8 vínculo(s), 2 estrangeiro(s).\n");

  const auto antes = Retrato();
  auto ausente = Roda({"excluir", "--estab", std::string(kCnpj) + "/00", "--vinculo", Vinculo(5), "--vinculo",
                       Vinculo(4)});
  EXPECT_EQ(ausente.codigo, 1);
  EXPECT_NE(ausente.err.find("vínculo não encontrado: " + Vinculo(4)), std::string::npos) << ausente.err;
  EXPECT_EQ(Roda({"excluir", "--estab", std::string(kCei) + "/00", "--vinculo", Vinculo(1)}).codigo, 1);  // "1302"
  EXPECT_EQ(Roda({"excluir", "--estab", std::string(kCnpj) + "/07"}).codigo, 2);  // no such establishment
  EXPECT_EQ(Retrato(), antes);

  r = Roda({"excluir", "--estab", std::string(kCnpj) + "/00", "--estab", "111222333443"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(r.out, "2 estabelecimento(s) excluído(s) com 8 vínculo(s).\n");
  EXPECT_EQ(Conta("select count(*) from Bd8emp"), 1);
  EXPECT_EQ(Conta("select count(*) from Bd8vinc"), 2);
}

TEST_F(Manutencao, AlterarVinculoConfereOTipoDeInscricao) {
  const auto antes = Retrato();
  auto recusa = Roda({"alterar-vinculo", "--estab", std::string(kCnpj) + "/00", "--codigo", "15"});
  EXPECT_EQ(recusa.codigo, 1);
  EXPECT_NE(recusa.err.find("Código de vínculo não permitido"), std::string::npos) << recusa.err;
  EXPECT_EQ(Roda({"alterar-vinculo", "--estab", std::string(kCei) + "/00", "--codigo", "15"}).codigo, 1);  // "1304"
  EXPECT_EQ(Retrato(), antes);

  auto r = Roda({"alterar-vinculo", "--estab", std::string(kCnpj) + "/00", "--codigo", "20"});
  ASSERT_EQ(r.codigo, 0) << r.err;
  EXPECT_EQ(r.out,
            "Código de vínculo alterado com sucesso para todos os empregados/servidores do estabelecimento.\n"
            "11222333000181/00: 10 vínculo(s) com o código 20.\n");
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where CoVinculo = '20'"), 10);
  EXPECT_EQ(Conta("select count(*) from Bd8vinc where CoVinculo = '10' and NuPrefixoEstabelecimento = '01'"), 2);
}

}  // namespace
