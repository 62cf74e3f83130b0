#pragma once
// Shared by the GUI tests: the program's application object (offscreen
// platform, set by CTest), scripted dialogs, and data folders from the data
// tests' fixtures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QTest>
#include <memory>

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

}  // namespace teste
