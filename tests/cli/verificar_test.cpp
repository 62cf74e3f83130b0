// vornex-cli demo and verificar, run in-process on temporary data folders.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

#include "apoio_cli.h"
#include "data/banco.h"
#include "comando.h"
#include "estabelecimentos_cli.h"
#include "ocorrencias.h"
#include "common/catalogo.h"
#include "validation/consistencia.h"
#include "validation/ocorrencias.h"

namespace {

namespace fs = std::filesystem;

using Resultado = teste::SaidaCli;

class Verificar : public ::testing::Test {
 protected:
  Verificar() {
    std::string modelo = (fs::temp_directory_path() / "vornex-verificar-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    raiz_ = modelo;
    dados_ = (raiz_ / "dados").string();
    fs::create_directories(dados_);  // an empty folder is initialised on first use
  }
  ~Verificar() override {
    std::error_code ec;
    fs::remove_all(raiz_, ec);
  }
  Resultado Roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados_});
    return teste::RodaCli(args);
  }
  void Sql(const std::string& sql) { vornex::AbreZema2004(dados_).executa(sql); }

  fs::path raiz_;
  std::string dados_;
};

// Nothing to check is no success.
TEST_F(Verificar, SemEstabelecimentosDoAnoMostra1700) {
  auto v = Roda({"verificar"});
  EXPECT_EQ(v.codigo, 2);
  EXPECT_NE(v.err.find("Não há estabelecimentos cadastrados para o ano-base 2004."), std::string::npos) << v.err;
  EXPECT_EQ(v.out.find("não apresentaram erros"), std::string::npos) << v.out;
  EXPECT_EQ(Roda({"verificar", "--json"}).codigo, 2);
}

TEST_F(Verificar, DemonstracaoVerificadaSemOcorrencias) {
  auto d = Roda({"demo", "--estabelecimentos", "12", "--vinculos", "300", "--semente", "5"});
  ASSERT_EQ(d.codigo, 0) << d.err;
  EXPECT_NE(d.out.find("12 estabelecimentos (1 sem empregados), 300 vínculos"), std::string::npos) << d.out;
  auto v = Roda({"verificar"});
  EXPECT_EQ(v.codigo, 0) << v.out;
  EXPECT_EQ(v.out, "As declarações selecionadas não apresentaram erros ou avisos.\n");
  EXPECT_NE(v.err.find("Verificando Informações ...: 100%\n"), std::string::npos) << v.err;
  EXPECT_EQ(v.err.find('\r'), std::string::npos) << v.err;  // not a terminal: plain lines
  // A second demo would mix two declarations.
  EXPECT_EQ(Roda({"demo"}).codigo, 2);
}

TEST_F(Verificar, ErrosDepoisAvisosAgrupadosPorRegistro) {
  ASSERT_EQ(Roda({"demo", "--estabelecimentos", "2", "--vinculos", "4"}).codigo, 0);
  Sql("update Bd8vinc set CoTipoRaca = '' where rowid in (1, 2)");
  Sql("update Bd8emp set NuDDD = '', NuTelefone = '' where rowid = 2");
  auto v = Roda({"verificar"});
  EXPECT_EQ(v.codigo, 1);
  const auto erros = v.out.find("Relatório de Erros"), avisos = v.out.find("Relatório de Avisos");
  ASSERT_NE(erros, std::string::npos) << v.out;
  ASSERT_NE(avisos, std::string::npos) << v.out;
  EXPECT_LT(erros, avisos);
  EXPECT_NE(v.out.find("Raça/cor não informada.\n      Raça/Cor= \n"), std::string::npos) << v.out;
  EXPECT_NE(v.out.find("      DDD = \n      Número do telefone = \n"), std::string::npos) << v.out;
  // Both links belong to the first establishment: one line for it.
  EXPECT_EQ(v.out.find("Estabelecimento :"), v.out.rfind("Estabelecimento :", avisos));

  // Warnings alone do not fail.
  Sql("update Bd8vinc set CoTipoRaca = '9'");
  EXPECT_EQ(Roda({"verificar"}).codigo, 0);
}

TEST_F(Verificar, JsonComColunasETextosDoCatalogo) {
  ASSERT_EQ(Roda({"demo", "--estabelecimentos", "1", "--vinculos", "2"}).codigo, 0);
  Sql("update Bd8emp set TxEmailEstabelecimento = 'x'");
  auto v = Roda({"verificar", "--json"});
  EXPECT_EQ(v.codigo, 1);
  const auto j = nlohmann::json::parse(v.out);
  EXPECT_EQ(j["resultado"], 2);
  EXPECT_EQ(j["erros"], true);
  EXPECT_EQ(j["avisos"], false);
  ASSERT_EQ(j["ocorrencias"].size(), 1u);
  const auto& o = j["ocorrencias"][0];
  for (const char* coluna : {"errwar", "inscricao", "tipoinscricao", "prefixo", "tiporegistro", "retorno",
                             "razaosocial", "copispasep", "noempregado", "DaAdmissao", "usoempresa", "lbl",
                             "Conteudo", "Sequencial"})
    EXPECT_TRUE(o.contains(coluna)) << coluna;
  EXPECT_EQ(o["retorno"], "3627");
  EXPECT_EQ(o["Conteudo"], "x");
  EXPECT_EQ(o["TxLbl"], "Correio eletrônico (e-mail)");
  EXPECT_EQ(o["TxMensagem"].get<std::string>().rfind("E-mail inválido", 0), 0u);

  // A name brought in from an old file in another encoding still gives JSON.
  Sql("update Bd8emp set NoRazaoEstabelecimento = 'CONFEC' || char(199) || 'OES', "
      "TxEmailEstabelecimento = cast(x'78ff' as text)");
  auto latim = Roda({"verificar", "--json"});
  EXPECT_EQ(latim.codigo, 1) << latim.err;
  EXPECT_FALSE(nlohmann::json::parse(latim.out)["ocorrencias"].empty());
}

TEST_F(Verificar, EstabelecimentosEscolhidos) {
  ASSERT_EQ(Roda({"demo", "--estabelecimentos", "2", "--vinculos", "2"}).codigo, 0);
  Sql("update Bd8emp set TxEmailEstabelecimento = 'x'");
  std::vector<std::string> inscricoes;
  {
    vornex::Conexao c = vornex::AbreZema2004(dados_);
    vornex::Consulta q(c, "select CoCgcCeiEstabelecimento from Bd8emp order by 1");
    while (q.proxima()) inscricoes.emplace_back(q.texto(0));
  }
  ASSERT_EQ(inscricoes.size(), 2u);
  const std::string& i = inscricoes[1];
  // Typed with its punctuation and the prefix.
  const std::string formatada = i.substr(0, 2) + "." + i.substr(2, 3) + "." + i.substr(5, 3) + "/" + i.substr(8, 4) +
                                "-" + i.substr(12) + "/00";
  auto v = Roda({"verificar", "--estab", formatada, "--json"});
  ASSERT_EQ(v.codigo, 1) << v.err;
  const auto j = nlohmann::json::parse(v.out);
  ASSERT_EQ(j["ocorrencias"].size(), 1u);
  EXPECT_EQ(j["ocorrencias"][0]["inscricao"], i);

  EXPECT_EQ(Roda({"verificar", "--estab", "11222333000181/00"}).codigo, 2);
  EXPECT_EQ(Roda({"verificar", "--estab", "abc"}).codigo, 2);
}

}  // namespace

namespace {

// The printer as the analyser and the writer will call it.
TEST_F(Verificar, ResponsavelEVinculoDuplicadoImpressos) {
  ASSERT_EQ(Roda({"demo", "--estabelecimentos", "1", "--vinculos", "2"}).codigo, 0);
  Sql("update BD8Resp set DaGeracao = '01012004'");
  // The second link becomes the first one's worker, admitted the same day.
  Sql("update Bd8vinc set CoPisPasepEmpregado = (select CoPisPasepEmpregado from Bd8vinc where rowid = 1), "
      "DaAdmissaoEmpregado = (select DaAdmissaoEmpregado from Bd8vinc where rowid = 1), "
      "DaNascimentoEmpregado = (select DaNascimentoEmpregado from Bd8vinc where rowid = 1) where rowid = 2");
  vornex::Conexao c = vornex::AbreZema2004(dados_);
  vornex::OpcoesConsistencia o;
  o.verificaResponsavel = true;
  ASSERT_TRUE(vornex::VerificaConsistencia(c, o) & vornex::kConsistenciaErros);
  std::ostringstream out;
  vornex::cli::ImprimeOcorrencias(vornex::LeOcorrencias(c), vornex::Catalogo::LeConexao(c), out);
  const std::string s = out.str();
  EXPECT_NE(s.find("Registro tipo zero(abertura do arquivo):\n    "), std::string::npos) << s;
  EXPECT_NE(s.find("      Data da geração do arquivo = 01012004\n"), std::string::npos) << s;
  // Per link of the pair: one link line, one message heading, four fields.
  const auto duplicado = s.find("Vínculo duplicado");
  ASSERT_NE(duplicado, std::string::npos) << s;
  EXPECT_EQ(s.find("Vínculo duplicado", duplicado + 1), s.find("Vínculo duplicado", s.find("  Empregado :", duplicado)));
  for (const char* rotulo : {"Número sequencial do registro= ", "Código PIS/PASEP= ", "Nome do empregado/servidor= ",
                             "Data de admissão/transferência= "})
    EXPECT_NE(s.find(rotulo, duplicado), std::string::npos) << rotulo;
}

}  // namespace

namespace {

TEST(ArgumentoEstab, InscricaoEPrefixo) {
  struct {
    const char* texto;
    const char* inscricao;
    const char* prefixo;
  } casos[] = {
      {"11.222.333/0001-81/00", "11222333000181", "00"},
      {"11222333000181/A1", "11222333000181", "A1"},
      {"11.222.333/0001-81", "11222333000181", "00"},  // the CNPJ's own "/" is no prefix
      {"11.122.233.344/3", "00111222333443", "00"},
      {"111222333443/0B", "00111222333443", "0B"},
  };
  for (const auto& k : casos) {
    const auto c = vornex::cli::ChaveDoArgumento(k.texto);
    EXPECT_EQ(c.anBase, "2004");
    EXPECT_EQ(c.inscricao, k.inscricao) << k.texto;
    EXPECT_EQ(c.prefixo, k.prefixo) << k.texto;
  }
  for (const char* ruim : {"", "abc", "/00", "123456789012345/00", "11222333000181/0a1"})
    EXPECT_THROW(vornex::cli::ChaveDoArgumento(ruim), vornex::cli::ErroComando) << ruim;
}

}  // namespace
