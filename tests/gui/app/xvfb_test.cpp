#include <QProcess>
#include <QStandardPaths>

#include "../apoio_gui.h"

namespace {

// The program itself on a virtual display, on a data folder that does not
// exist yet: it initialises the folder and shows its main window.
TEST(ProgramaNoXvfb, PastaNovaEJanelaPrincipal) {
  const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
  if (xvfb.isEmpty()) GTEST_SKIP() << "xvfb-run não está instalado";
  if (QStandardPaths::findExecutable("xwininfo").isEmpty()) GTEST_SKIP() << "xwininfo não está instalado";

  teste::PastaTemporaria pasta;
  const std::filesystem::path dados = pasta / "nova" / "dados";
  const QString script = QStringLiteral(
      "\"$0\" --dados \"$1\" & P=$!\n"
      "for i in $(seq 150); do\n"
      "  if xwininfo -root -tree | grep -qF \"$2\"; then kill $P; wait $P; exit 0; fi\n"
      "  sleep 0.2\n"
      "done\n"
      "kill $P; exit 3\n");
  QProcess p;
  QProcessEnvironment amb = QProcessEnvironment::systemEnvironment();
  amb.insert("QT_QPA_PLATFORM", "xcb");
  amb.insert("XDG_RUNTIME_DIR", QString::fromStdString(pasta.caminho().string()));
  p.setProcessEnvironment(amb);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start(xvfb, {"-a", "sh", "-c", script, VORNEX_PROGRAMA, QString::fromStdString(dados.string()),
                 "\"Vornex2004 - Vornex [Versão: 2004.1]\""});
  ASSERT_TRUE(p.waitForFinished(90000));
  EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
  for (const char* a : {"declaracao.db", "referencia.db", "trabalho.db"})
    EXPECT_TRUE(std::filesystem::exists(dados / a)) << a;
}

}  // namespace
