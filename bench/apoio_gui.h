#pragma once
// The screen benchmarks' application object on the offscreen platform.
#include <QApplication>
#include <memory>

namespace bench {

inline QApplication& AplicacaoOffscreen() {
  static std::unique_ptr<QApplication> app = [] {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "bench";
    static char* argv[] = {nome, nullptr};
    return std::make_unique<QApplication>(argc, argv);
  }();
  return *app;
}

}  // namespace bench
