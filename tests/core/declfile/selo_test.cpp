#include "declfile/selo.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Reg(int seq, char tipo) {
  std::string r = std::to_string(seq);
  r = std::string(6 - r.size(), '0') + r + std::string(16, ' ') + tipo;
  r.resize(350, ' ');
  return r + "\r\n";
}

class Selo : public ::testing::Test {
 protected:
  void SetUp() override {
    char modelo[] = "/tmp/vornex_selo_XXXXXX";
    ASSERT_NE(::mkdtemp(modelo), nullptr);
    pasta_ = modelo;
  }
  void TearDown() override { fs::remove_all(pasta_); }

  fs::path Grava(const std::string& nome, const std::string& conteudo) {
    const fs::path p = pasta_ / nome;
    std::ofstream(p, std::ios::binary) << conteudo;
    return p;
  }
  static std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
  }

  fs::path pasta_;
};

// Digests of the contents below taken with an independent MD5 tool.
TEST_F(Selo, GravaMd5DoArquivoEConfere) {
  const std::string conteudo = Reg(1, '0') + Reg(2, '1') + Reg(3, '9');
  const fs::path p = Grava("Zema2004", conteudo);
  ASSERT_TRUE(vornex::GravaHash(p));
  const std::string gravado = Le(p);
  ASSERT_EQ(gravado.size(), conteudo.size());
  EXPECT_EQ(gravado.substr(0, 1056 - 34), conteudo.substr(0, 1056 - 34));
  EXPECT_EQ(gravado.substr(1056 - 34), "2FDC59C35E856607FDB2629065CEA284\r\n");
  EXPECT_EQ(vornex::LeSelo(p), "2FDC59C35E856607FDB2629065CEA284");
  EXPECT_EQ(vornex::VerificaSelo(p), vornex::ResultadoSelo::Confere);

  // Sealing again gives the same seal: the field is read as blanks.
  ASSERT_TRUE(vornex::GravaHash(p));
  EXPECT_EQ(Le(p), gravado);
}

TEST_F(Selo, CampoDoSeloEntreBlocosDeLeitura) {
  // The seal field straddles the reader's 64 KiB block boundary.
  const fs::path p = Grava("grande", std::string(65208, 'X') + Reg(1, '9'));
  ASSERT_TRUE(vornex::GravaHash(p));
  EXPECT_EQ(vornex::LeSelo(p), "B67E879A5DCE777401A9BDE8D4D6721E");
  EXPECT_EQ(vornex::VerificaSelo(p), vornex::ResultadoSelo::Confere);
}

TEST_F(Selo, ByteAlteradoNaoConfere) {
  const std::string conteudo = Reg(1, '0') + Reg(2, '1') + Reg(3, '9');
  const fs::path p = Grava("Zema2004", conteudo);
  ASSERT_TRUE(vornex::GravaHash(p));
  const std::string selado = Le(p);
  for (std::size_t pos : {std::size_t{400}, selado.size() - 34, selado.size() - 3}) {
    std::string mudado = selado;
    mudado[pos] = mudado[pos] == 'A' ? 'B' : 'A';
    Grava("Zema2004", mudado);
    EXPECT_EQ(vornex::VerificaSelo(p), vornex::ResultadoSelo::Diverge) << pos;
  }
}

TEST_F(Selo, ArquivoQueNaoSeFechaComTipoNove) {
  const std::string semNove = Reg(1, '0') + Reg(2, '1');
  const std::string casos[] = {semNove, std::string(349, ' '), ""};
  for (const auto& c : casos) {
    const fs::path p = Grava("ruim", c);
    EXPECT_FALSE(vornex::GravaHash(p));
    EXPECT_EQ(Le(p), c);
    EXPECT_EQ(vornex::VerificaSelo(p), vornex::ResultadoSelo::Invalido);
  }
  EXPECT_FALSE(vornex::GravaHash(pasta_ / "nao-existe"));
  EXPECT_EQ(vornex::VerificaSelo(pasta_), vornex::ResultadoSelo::Invalido);

  // Other record endings the reader accepts locate the same field.
  std::string soLf = Reg(3, '9');
  soLf.erase(350, 1);
  const fs::path lf = Grava("lf", soLf);
  ASSERT_TRUE(vornex::GravaHash(lf));
  EXPECT_EQ(Le(lf).substr(318, 33).back(), '\n');
  EXPECT_EQ(vornex::VerificaSelo(lf), vornex::ResultadoSelo::Confere);
}

struct GeradorFixo : vornex::GeradorSelo {
  std::string texto;
  explicit GeradorFixo(std::string t) : texto(std::move(t)) {}
  std::optional<std::string> geraSelo(const fs::path&) const override { return texto; }
};

TEST_F(Selo, OutroGeradorNoMesmoLugar) {
  const std::string conteudo = Reg(1, '0') + Reg(2, '9');
  const fs::path p = Grava("Zema2004", conteudo);
  ASSERT_TRUE(vornex::GravaHash(p, GeradorFixo("0123456789ABCDEF0123456789ABCDEFXY")));
  EXPECT_EQ(vornex::LeSelo(p), "0123456789ABCDEF0123456789ABCDEF");
  EXPECT_EQ(vornex::VerificaSelo(p, GeradorFixo("0123456789ABCDEF0123456789ABCDEF")),
            vornex::ResultadoSelo::Confere);
  EXPECT_EQ(vornex::VerificaSelo(p), vornex::ResultadoSelo::Diverge);

  // Too short or unprintable results are refused before anything is written.
  const std::string antes = Le(p);
  EXPECT_FALSE(vornex::GravaHash(p, GeradorFixo("CURTO")));
  EXPECT_FALSE(vornex::GravaHash(p, GeradorFixo(std::string(31, 'A') + "\n")));
  EXPECT_EQ(Le(p), antes);
}

}  // namespace
