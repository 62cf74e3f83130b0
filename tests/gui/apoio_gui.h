#pragma once
// Shared by the GUI tests: the program's application object (offscreen
// platform, set by CTest), scripted dialogs, and data folders from the data
// tests' fixtures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QAbstractButton>
#include <QDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTest>
#include <memory>
#include <vector>

#include "../core/data/apoio.h"
#include "app/erro_fatal.h"
#include "data/banco.h"
#include "demonstracao/demonstracao.h"
#include "common/dialogos_roteiro.h"
#include "common/servico_dialogos.h"

namespace teste {

class AmbienteQt : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "teste_gui";
    static char* argv[] = {nome, nullptr};
    // The program's own application object, with its handler of unexpected errors.
    app_ = std::make_unique<vornex::gui::AplicacaoVornex>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<vornex::gui::AplicacaoVornex> app_;
};

inline ::testing::Environment* const kAmbienteQt = ::testing::AddGlobalTestEnvironment(new AmbienteQt);

// Clicks `b` near its left edge, inside the hit area of a check or radio
// button however wide the layout made it.
inline void Clica(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2)); }

// A fresh data folder at `dados` holding a demo declaration.
inline void PastaComDemonstracao(const std::filesystem::path& dados, int estabelecimentos, long long vinculos) {
  CopiaPastaInicializada(dados);
  vornex::Conexao c = vornex::AbreZema2004(dados);
  vornex::OpcoesDemonstracao o;
  o.estabelecimentos = estabelecimentos;
  o.vinculos = vinculos;
  vornex::GeraDemonstracao(c, o);
}

// Lets queued calls (deferred field-exit checks) run.
inline void DeixaEventos() {
  for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// The text of a PDF, pages separated by form feeds.
inline QString TextoPdf(const QString& pdf) {
  QProcess p;
  p.start("pdftotext", {pdf, "-"});
  if (!p.waitForFinished(30000)) return {};
  return QString::fromUtf8(p.readAllStandardOutput());
}

// The number printed at the foot of each page of a PDF, in file order.
inline std::vector<int> PaginasImpressas(const QString& pdf) {
  std::vector<int> r;
  static const QRegularExpression rodape(QStringLiteral("Página (\\d+)"));
  for (const QString& pagina : TextoPdf(pdf).split('\f', Qt::SkipEmptyParts)) {
    const auto achado = rodape.match(pagina);
    if (achado.hasMatch()) r.push_back(achado.captured(1).toInt());
  }
  return r;
}

}  // namespace teste
