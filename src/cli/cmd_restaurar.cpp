#include <filesystem>
#include <string>

#include "casos/copia_volumes.h"
#include "comando.h"
#include "copia_cli.h"
#include "data/pasta_dados.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

void Configura(CLI::App& app, Contexto& ctx) {
  auto arquivo = std::make_shared<std::string>();
  app.add_option("arquivo", *arquivo, "Arquivo da cópia (extensão .BKP)")->required();
  app.callback([arquivo, &ctx] {
    PedidoCopiaVolumes pedido;
    pedido.arquivo = fs::absolute(*arquivo);
    std::error_code ec;
    if (ExtensaoBackupValida(pedido.arquivo) && !fs::exists(pedido.arquivo, ec))
      throw ErroComando(std::string(kMsgArquivoInexistente) + " " + pedido.arquivo.string());
    // Restoring onto a new computer: a folder that does not exist, or is
    // empty, becomes a complete data folder whose declaration is the copy's.
    pedido.pastaDados = ResolvePastaDados(ctx.pastaDados);
    if (ComErroComando([&] { return AbreOuInicializaPastaDados(pedido.pastaDados); }))
      ctx.err << "Pasta de dados inicializada: " << pedido.pastaDados.string() << "\n";
    // Nobody can insert a disk here: a volume that is not beside the first
    // one ends the restore.
    VolumesCli ui(ctx.err, kRotuloProgressoRestauracao);
    const auto r = RestauraCopiaDeVolumes(pedido, ui);
    ui.termina();
    if (!r.copia.ok) {
      std::string m = r.copia.mensagem;
      if (!r.volumeAusente.empty())
        m += " [" + std::string(kMsgArquivoInexistente) + " " + r.volumeAusente.string() + "]";
      else if (!r.copia.detalhe.empty())
        m += " [" + r.copia.detalhe + "]";
      throw ErroComando(m);
    }
    ctx.out << r.copia.mensagem << "\n";
  });
}

const RegistroComando registro{"restaurar",
                               "Restaura as tabelas da declaração de uma cópia de segurança", Configura};

}  // namespace
}  // namespace vornex::cli
