#pragma once
// Shared by the document tests: a Qt application on the offscreen platform,
// a data folder of our own with work tables to fill, and the text of a PDF
// read back page by page.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <string>
#include <vector>

#include "../core/data/apoio.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"

namespace teste {

inline void AplicacaoQt() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "teste_render";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
}

inline bool TemPdftotext() {
  QProcess p;
  p.start("pdftotext", {"-v"});
  return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit;
}

// One string per page (pdftotext ends each page with a form feed).
inline std::vector<std::string> TextoPdf(const std::filesystem::path& pdf) {
  QProcess p;
  p.start("pdftotext", {"-layout", QString::fromStdString(pdf.string()), "-"});
  if (!p.waitForFinished(120000) || p.exitCode() != 0) return {};
  const std::string s = p.readAllStandardOutput().toStdString();
  std::vector<std::string> paginas;
  std::size_t i = 0;
  for (std::size_t f; (f = s.find('\f', i)) != std::string::npos; i = f + 1) paginas.push_back(s.substr(i, f - i));
  return paginas;
}

// Runs of blanks as one: the layout's column gaps are not the test's concern.
inline std::string Compacta(const std::string& s) {
  std::string r;
  for (char c : s)
    if (c != ' ' || r.empty() || r.back() != ' ') r += c;
  return r;
}

// Each text found in order within the page.
inline void EmOrdem(const std::string& original, const std::vector<std::string>& textos) {
  const std::string pagina = Compacta(original);
  std::size_t pos = 0;
  for (const auto& t : textos) {
    const std::size_t p = pagina.find(t, pos);
    ASSERT_NE(p, std::string::npos) << "\"" << t << "\" missing or out of order in:\n" << pagina;
    pos = p + t.size();
  }
}

inline int Conta(const std::string& texto, const std::string& trecho) {
  int n = 0;
  for (std::size_t p = texto.find(trecho); p != std::string::npos; p = texto.find(trecho, p + trecho.size())) ++n;
  return n;
}

// A data folder of the test's own, opened, with the catalog installed.
class Documentos : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { AplicacaoQt(); }
  void SetUp() override {
    if (!TemPdftotext()) GTEST_SKIP() << "pdftotext not installed";
    CopiaPastaInicializada(pasta_ / "dados");
    c_ = vornex::AbreZema2004(pasta_ / "dados");
  }
  // Appends a row of `valores` (column, value) to the table; others stay empty.
  void Inclui(const char* tabela, std::initializer_list<std::pair<const char*, std::string>> valores) {
    vornex::Tabela t(c_, tabela);
    vornex::Linha l = t.novaLinha();
    for (const auto& [col, v] : valores) l[col] = v;
    t.inclui(l);
  }
  std::filesystem::path Pdf(const char* nome) const { return pasta_ / nome; }

  PastaTemporaria pasta_;
  vornex::Conexao c_;
};

}  // namespace teste
