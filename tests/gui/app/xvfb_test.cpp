#include <QDeadlineTimer>
#include <QProcess>
#include <QStandardPaths>
#include <initializer_list>

#include "../apoio_gui.h"

namespace {

// A virtual display of the test's own. The server picks a free number and
// reports it once it accepts clients (-displayfd), so parallel tests never
// race for one; -noreset keeps it up between the short-lived clients.
class Tela {
 public:
  Tela() {
    x_.setProcessChannelMode(QProcess::SeparateChannels);
    x_.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"});
    const QDeadlineTimer prazo(30000);
    while (x_.state() != QProcess::NotRunning && !x_.canReadLine() && !prazo.hasExpired())
      x_.waitForReadyRead(1000);
    const QByteArray n = x_.readLine().trimmed();
    if (!n.isEmpty()) display_ = ":" + QString::fromLatin1(n);
  }
  ~Tela() {
    x_.terminate();
    if (!x_.waitForFinished(5000)) x_.kill();
    x_.waitForFinished(5000);
  }
  const QString& display() const { return display_; }

 private:
  QProcess x_;
  QString display_;
};

// Runs `script` on a display of its own with the program as $0 and
// `argumentos` as $1..., the run-time and home folders in `pasta`; the script
// must end with 0.
void RodaNoXvfb(const teste::PastaTemporaria& pasta, const QString& script, const QStringList& argumentos) {
  Tela tela;
  ASSERT_FALSE(tela.display().isEmpty()) << "o Xvfb não iniciou";
  QProcess p;
  QProcessEnvironment amb = QProcessEnvironment::systemEnvironment();
  amb.insert("QT_QPA_PLATFORM", "xcb");
  amb.insert("DISPLAY", tela.display());
  amb.remove("XAUTHORITY");
  amb.insert("XDG_RUNTIME_DIR", QString::fromStdString(pasta.caminho().string()));
  amb.insert("HOME", QString::fromStdString(pasta.caminho().string()));
  p.setProcessEnvironment(amb);
  p.setProcessChannelMode(QProcess::MergedChannels);
  p.start("sh", QStringList{"-c", script, VORNEX_PROGRAMA} + argumentos);
  ASSERT_TRUE(p.waitForFinished(300000));  // one program per command, each started afresh
  EXPECT_EQ(p.exitCode(), 0) << p.readAll().toStdString();
}

// The tools the tests drive the display with, or the reason to skip.
QString FaltaNoSistema(std::initializer_list<const char*> programas) {
  for (const char* p : programas)
    if (QStandardPaths::findExecutable(p).isEmpty()) return QString::fromLatin1(p) + " não está instalado";
  return {};
}

// The program itself on a virtual display, on a data folder that does not
// exist yet: it initialises the folder and shows its main window.
TEST(ProgramaNoXvfb, PastaNovaEJanelaPrincipal) {
  if (const QString falta = FaltaNoSistema({"Xvfb", "xwininfo"}); !falta.isEmpty())
    GTEST_SKIP() << falta.toStdString();

  teste::PastaTemporaria pasta;
  const std::filesystem::path dados = pasta / "nova" / "dados";
  const QString script = QStringLiteral(
      "\"$0\" --dados \"$1\" & P=$!\n"
      "for i in $(seq 150); do\n"
      "  if xwininfo -root -tree | grep -qF \"$2\"; then kill $P; wait $P; exit 0; fi\n"
      "  sleep 0.2\n"
      "done\n"
      "kill $P; exit 3\n");
  RodaNoXvfb(pasta, script, {QString::fromStdString(dados.string()),
                                    "\"Vornex2004 - Vornex [Versão: 2004.1]\""});
  for (const char* a : {"declaracao.db", "referencia.db", "trabalho.db"})
    EXPECT_TRUE(std::filesystem::exists(dados / a)) << a;
}

}  // namespace

namespace {

// The menu commands open their windows on a real display, reached by their
// menu accelerators.
TEST(ProgramaNoXvfb, ComandosAbremAsJanelasDosAssistentes) {
  if (const QString falta = FaltaNoSistema({"Xvfb", "xwininfo", "xdotool"}); !falta.isEmpty())
    GTEST_SKIP() << falta.toStdString();

  teste::PastaTemporaria pasta;
  teste::PastaComDemonstracao(pasta / "dados", 2, 4);
  // Each command on a program of its own: its menu keys, then the caption awaited.
  const QString script = QStringLiteral(
      "espera() { for i in $(seq 150); do xwininfo -root -tree | grep -qF \"$1\" && return 0; sleep 0.2; done;"
      " echo \"sem janela: $1\"; kill $P; exit 3; }\n"
      "abre() { \"$PROG\" --dados \"$DADOS\" & P=$!; espera 'Vornex2004 - Vornex'; sleep 1\n"
      "  if xwininfo -root -tree | grep -qF 'Informações úteis'; then xdotool key Return; sleep 0.8; fi\n"
      "  for k in $1; do xdotool key $k; sleep 0.5; done\n"
      "  espera \"\\\"$2\\\"\"; kill $P; wait $P; }\n"
      "PROG=\"$0\"; DADOS=\"$1\"\n"
      "abre 'alt+d n' 'Vornex - Nova Declaração'\n"
      "abre 'alt+d a' 'Vornex - Informações Referentes aos Estabelecimentos'\n"
      "abre 'alt+p' 'Pesquisa de Satisfação'\n"
      "abre 'F1' 'Ajuda do VORNEX'\n"
      "abre 'alt+d v' 'Assistente para Verificar Inconsistências das Declarações'\n"
      "abre 'alt+u s g' 'Cópia de Segurança (Gravar)'\n"
      "abre 'alt+u s r' 'Restaurar Cópia de Segurança '\n"
      "abre 'alt+a' 'Assistente para Analisar um arquivo ZEMA'\n"
      "abre 'alt+d g' 'Assistente para Gravação de Disquetes'\n"
      "abre 'alt+d r' 'Retificação da Declaração'\n"
      "abre 'alt+d p 3' 'Assistente para Importação de Estabelecimentos (Declaração Ano-Base Anterior - Ano 2003)'\n"
      "abre 'alt+d p 4' 'Assistente para Importação de Estabelecimentos (Declaração Ano-Base Atual - Ano 2004)'\n"
      "abre 'alt+d i' 'Assistente de Impressão'\n"
      "abre 'alt+u c' 'Consulta Disquete do Ano-Base'\n"
      "exit 0\n");
  RodaNoXvfb(pasta, script, {QString::fromStdString((pasta / "dados").string())});
}

}  // namespace
