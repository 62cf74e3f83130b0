// vornex-cli analisar, run in-process on a copy of an initialised data folder.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <fstream>
#include <sstream>

#include "../core/data/apoio.h"
#include "arquivo_zema.h"
#include "apoio_cli.h"
#include "data/banco.h"
#include "declfile/layout.h"
#include "declfile/selo.h"
#include "demonstracao/demonstracao.h"
#include "platform/midia.h"
#include "data/tabelas.h"

namespace {

namespace fs = std::filesystem;

using Saida = teste::SaidaCli;

class Analisar : public testing::Test {
 protected:
  Analisar() { teste::CopiaPastaInicializada(dados()); }

  fs::path dados() const { return pasta_ / "dados"; }
  std::string arquivo(const std::string& bytes) {
    const fs::path p = pasta_ / "Zema2004.";
    teste::Escreve(p, bytes);
    return p.string();
  }
  Saida roda(std::vector<std::string> args) {
    args.insert(args.begin(), {"--dados", dados().string(), "analisar"});
    return teste::RodaCli(args);
  }
  static std::string gerado(long estabs, long porEstab) {
    std::ostringstream s;
    teste::GeraArquivoZema(s, estabs, porEstab);
    return s.str();
  }

  teste::PastaTemporaria pasta_;
};

TEST_F(Analisar, ErroDeEstruturaComoORelatorioODescreve) {
  auto a = teste::SeparaRegistros(gerado(2, 1));
  a.poe(1, 278, "2");
  const auto r = roda({arquivo(a.junta())});
  EXPECT_EQ(r.codigo, 1) << r.err;
  for (const char* trecho :
       {"Relatório de erro de estrutura", "Erro : Tipo de ZEMA (posição 278) diferente de 0",
        "Sequência = 000002\n", "Inscrição/prefixo do estabelecimento = 10000000000000/00\n",
        "Posição 278 = 2\n", "Será listada apenas a primeira ocorrência."})
    EXPECT_NE(r.out.find(trecho), std::string::npos) << trecho << "\n" << r.out;

  const auto j = roda({arquivo(a.junta()), "--json"});
  EXPECT_EQ(j.codigo, 1);
  const auto js = nlohmann::json::parse(j.out);
  EXPECT_EQ(js["resultado"], 1);
  ASSERT_EQ(js["Te8stru"].size(), 1u);
  EXPECT_EQ(js["Te8stru"][0],
            (nlohmann::json{{"AnBase", "2004"}, {"CoMsg", "1912"}, {"Sequencia", "000002"},
                            {"InscricaoPrefixo", "1000000000000000"}, {"TipoCampo", "2"},
                            {"PosicaoInicial", ""}, {"Conteudo", "2"}}));
}

TEST_F(Analisar, ArquivoSemErroDeEstruturaFicaNasTabelasDeTrabalho) {
  const auto r = roda({arquivo(gerado(2, 3)), "--json"});
  const auto js = nlohmann::json::parse(r.out);
  EXPECT_EQ(js["resultado"], 0);
  EXPECT_EQ(js["estabelecimentos"], 2);
  EXPECT_EQ(js["vinculos"], 6);
  EXPECT_TRUE(js["Te8stru"].empty());
  vornex::Conexao c = vornex::AbreZema2004(dados());
  EXPECT_EQ(vornex::Consulta(c, "SELECT count(*) FROM Te8vinc").escalar(), 6);
}

// A sound declaration, written out and analysed: no structural error, the
// check over the work tables finds no error either.
TEST_F(Analisar, DeclaracaoCorretaPassaPelaVerificacao) {
  std::string bytes;
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    vornex::GeraDemonstracao(c, {3, 40, 7});
    bytes = teste::ArquivoDaDeclaracao(c);
  }
  const auto r = roda({arquivo(bytes)});
  EXPECT_EQ(r.codigo, 0) << r.out << r.err;
  EXPECT_NE(r.out.find("Estrutura do arquivo correta: 3 estabelecimento(s), "), std::string::npos) << r.out;

  const auto j = nlohmann::json::parse(roda({arquivo(bytes), "--json"}).out);
  EXPECT_EQ(j["resultado"], 0);
  EXPECT_EQ(j["consistencia"]["erros"], false) << j.dump(1);
}

TEST_F(Analisar, ErrosDeConsistenciaDoArquivo) {
  std::string bytes;
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    vornex::GeraDemonstracao(c, {2, 10, 7});
    c.executa("UPDATE Bd8vinc SET CoCbo = '999999'");
    bytes = teste::ArquivoDaDeclaracao(c);
  }
  const auto r = roda({arquivo(bytes), "--json"});
  EXPECT_EQ(r.codigo, 1);
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["resultado"], 0);
  EXPECT_EQ(j["consistencia"]["erros"], true);
  EXPECT_FALSE(j["consistencia"]["ocorrencias"].empty());
}

std::string Le(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// The analysed file written again from the work tables: a first delivery
// stays one, a rectification stays one, and both say they came from the
// work tables at the end of the statistics field.
TEST_F(Analisar, RegravaOArquivoAnalisado) {
  std::string bytes;
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    vornex::GeraDemonstracao(c, {3, 40, 7});
    bytes = teste::ArquivoDaDeclaracao(c);
  }
  for (char indicador : {'2', '1'}) {
    SCOPED_TRACE(indicador);
    bytes[222] = indicador;
    if (indicador == '1') bytes.replace(223, 8, "10032005");
    const fs::path destino = pasta_ / ("midia" + std::string(1, indicador));
    fs::create_directories(destino);
    const auto r = roda({arquivo(bytes), "--regravar", "--destino", destino.string()});
    ASSERT_EQ(r.codigo, 0) << r.out << r.err;
    const fs::path gravado = vornex::CaminhoDeclaracao(vornex::MidiaPasta(destino));
    const std::string novo = Le(gravado);
    ASSERT_EQ(novo.size(), bytes.size());
    EXPECT_EQ(novo[222], indicador);
    EXPECT_EQ(novo.substr(novo.size() - 352 + 41, 6), "994112");
    // What was written analyses as the original did.
    const auto j = nlohmann::json::parse(roda({gravado.string(), "--json"}).out);
    EXPECT_EQ(j["resultado"], indicador == '1' ? 8 : 0);
    EXPECT_EQ(j["vinculos"], 40);
  }
}

// What gravar writes analyses without error and loads the declared rows back.
TEST_F(Analisar, ArquivoGravadoCarregaAsMesmasLinhas) {
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    vornex::GeraDemonstracao(c, {4, 60, 11});
  }
  const fs::path destino = pasta_ / "midia";
  fs::create_directories(destino);
  std::ostringstream out, err;
  ASSERT_EQ(vornex::cli::Executa({"--dados", dados().string(), "gravar", "--data", "15032005", "--destino",
                                  destino.string()},
                                 out, err),
            0)
      << err.str();
  const auto r = roda({vornex::CaminhoDeclaracao(vornex::MidiaPasta(destino)).string()});
  ASSERT_EQ(r.codigo, 0) << r.out << r.err;

  vornex::Conexao c = vornex::AbreZema2004(dados());
  const char* ordem = " ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                      "DaAdmissaoEmpregado, NoEmpregado";
  const auto declarados = vornex::Consulta(c, std::string("SELECT * FROM Bd8vinc") + ordem).todas();
  const auto lidos = vornex::Consulta(c, std::string("SELECT * FROM Te8vinc") + ordem).todas();
  ASSERT_EQ(lidos.size(), declarados.size());
  for (std::size_t i = 0; i < lidos.size(); ++i)
    for (const auto& campo : vornex::CamposLayout(vornex::TipoRegistro::Dois)) {
      if (campo.origem != vornex::Origem::Vinculo) continue;
      const std::string col(campo.coluna);
      EXPECT_EQ(lidos[i][col], declarados[i][col]) << col << " do vínculo " << i;
    }
  EXPECT_EQ(vornex::Consulta(c, "SELECT count(*) FROM Te8emp").escalar(),
            vornex::Consulta(c, "SELECT count(*) FROM Bd8emp").escalar());
}

TEST_F(Analisar, NaoRegravaArquivoComErros) {
  std::string bytes;
  {
    vornex::Conexao c = vornex::AbreZema2004(dados());
    vornex::GeraDemonstracao(c, {2, 10, 7});
    c.executa("UPDATE Bd8vinc SET CoCbo = '999999'");
    bytes = teste::ArquivoDaDeclaracao(c);
  }
  const fs::path destino = pasta_ / "midia";
  fs::create_directories(destino);
  const auto r = roda({arquivo(bytes), "--regravar", "--destino", destino.string()});
  EXPECT_EQ(r.codigo, 1);
  EXPECT_TRUE(fs::is_empty(destino));
  EXPECT_EQ(roda({arquivo(bytes), "--destino", destino.string()}).codigo, 2);
}

TEST_F(Analisar, ArquivoAusente) {
  const auto r = roda({(pasta_ / "nada").string()});
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.err.find("O arquivo especificado não existe."), std::string::npos) << r.err;
}

}  // namespace

namespace {

// A byte that is a letter of the file's code page shows as that letter.
TEST_F(Analisar, ByteDeLetraLatin1ApareceComoLetra) {
  struct Caso {
    const char* byte;
    const char* conteudo;
  } casos[] = {{"\xE9", "é"}, {"\x8A", "Š"}, {"\xAA", "ª"}, {"\x81", "81(hexadecimal)"}, {"\xF7", "F7(hexadecimal)"}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.conteudo);
    auto a = teste::SeparaRegistros(gerado(1, 1));
    a.poe(0, 271, c.byte);
    const auto r = roda({arquivo(a.junta()), "--json"});
    EXPECT_EQ(r.codigo, 1) << r.err;
    const auto js = nlohmann::json::parse(r.out);
    ASSERT_EQ(js["Te8stru"].size(), 1u) << r.out;
    EXPECT_EQ(js["Te8stru"][0]["CoMsg"], "1901");
    EXPECT_EQ(js["Te8stru"][0]["PosicaoInicial"], "271");
    EXPECT_EQ(js["Te8stru"][0]["Conteudo"], c.conteudo);
  }
}

// The seal is read back: blank, matching, or not matching what the file holds,
// and the analysis' result stays what the structure says.
TEST_F(Analisar, SeloConferidoNaLeitura) {
  const std::string p = arquivo(gerado(2, 2));
  auto selo = [&](const char* texto, const char* nome) {
    SCOPED_TRACE(nome);
    const auto r = roda({p});
    EXPECT_NE(r.out.find(std::string(texto) + "\n"), std::string::npos) << r.out;
    const auto j = roda({p, "--json"});
    const auto js = nlohmann::json::parse(j.out);
    EXPECT_EQ(js["selo"], nome);
    EXPECT_EQ(js["resultado"], 0);
    EXPECT_EQ(j.codigo, r.codigo);
  };
  selo("Selo do arquivo: ausente (em branco).", "ausente");
  ASSERT_TRUE(vornex::GravaHash(p));
  selo("Selo do arquivo: confere com o conteúdo.", "confere");
  auto a = teste::SeparaRegistros([&] {
    std::ifstream f(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  }());
  a.poe(a.registros.size() - 1, 319, a.registros.back()[318] == '0' ? "1" : "0");
  teste::Escreve(p, a.junta());
  selo("Selo do arquivo: não confere com o conteúdo (o arquivo foi alterado depois de selado).", "diverge");
}

}  // namespace
