#include <filesystem>
#include <string>

#include "backup/copia_seguranca.h"
#include "comando.h"
#include "data/pasta_dados.h"
#include "passagem_cli.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

// Nobody can insert a disk here: a volume that is not beside the first one
// ends the restore.
class EventosRestauracaoCli : public EventosBackup {
 public:
  EventosRestauracaoCli(std::ostream& err, fs::path arquivo)
      : saida_(err), linha_(err, kRotuloProgressoRestauracao), arquivo_(std::move(arquivo)) {}

  void OnNeedDisk(TBackupFile&, int disco, bool& continua) override {
    linha_.termina();
    const fs::path volume = NomeVolume(arquivo_, disco);
    std::error_code ec;
    if (!fs::exists(volume, ec)) {
      volumeAusente = volume;
      continua = false;
      return;
    }
    saida_ << "Volume " << disco << ": " << volume.string() << "\n";
  }

  fs::path volumeAusente;

 void OnProgress(TBackupFile&, const std::string&, int percentual, bool&) override { linha_.mostra(percentual); }
  void termina() { linha_.termina(); }

 private:
  std::ostream& saida_;
  LinhaProgresso linha_;
  fs::path arquivo_;
};

void Configura(CLI::App& app, Contexto& ctx) {
  auto arquivo = std::make_shared<std::string>();
  app.add_option("arquivo", *arquivo, "Arquivo da cópia (extensão .BKP)")->required();
  app.callback([arquivo, &ctx] {
    const fs::path caminho = fs::absolute(*arquivo);
    std::error_code ec;
    if (ExtensaoBackupValida(caminho) && !fs::exists(caminho, ec))
      throw ErroComando(std::string(kMsgArquivoInexistente) + " " + caminho.string());
    // Restoring onto a new computer: a folder that does not exist, or is
    // empty, becomes a complete data folder whose declaration is the copy's.
    const fs::path pasta = ResolvePastaDados(ctx.pastaDados);
    if (ComErroComando([&] { return AbreOuInicializaPastaDados(pasta); }))
      ctx.err << "Pasta de dados inicializada: " << pasta.string() << "\n";
    EventosRestauracaoCli eventos(ctx.err, caminho);
    const auto r = RestauraCopiaSeguranca(pasta, caminho, &eventos);
    eventos.termina();
    if (!r.ok) {
      std::string m = r.mensagem;
      if (!eventos.volumeAusente.empty())
        m += " [" + std::string(kMsgArquivoInexistente) + " " + eventos.volumeAusente.string() + "]";
      else if (!r.detalhe.empty())
        m += " [" + r.detalhe + "]";
      throw ErroComando(m);
    }
    ctx.out << r.mensagem << "\n";
  });
}

const RegistroComando registro{"restaurar",
                               "Restaura as tabelas da declaração de uma cópia de segurança", Configura};

}  // namespace
}  // namespace vornex::cli
