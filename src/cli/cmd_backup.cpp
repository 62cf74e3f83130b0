#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "casos/copia_volumes.h"
#include "comando.h"
#include "copia_cli.h"
#include "data/pasta_dados.h"
#include "pasta_cli.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string arquivo;
  std::int64_t tamanhoVolume = -1;  // -1: from the free space, as the window does
};

// The window's warning asks to insert another diskette; here only its first
// sentence applies.
std::string SemEspaco() {
  const std::string_view m = kMsgEspacoInsuficiente;
  return std::string(m.substr(0, m.find(" \r\n")));
}

void Executa(const Opcoes& o, Contexto& ctx) {
  PedidoCopiaVolumes pedido;
  pedido.pastaDados = PastaDados(ctx);
  pedido.arquivo = fs::absolute(ComExtensaoBackup(o.arquivo));
  std::error_code ec;
  if (!fs::is_directory(pedido.arquivo.parent_path(), ec))
    throw ErroComando("A pasta da cópia não existe: " + pedido.arquivo.parent_path().string());
  if (o.tamanhoVolume >= 0) pedido.tamanhoVolume = o.tamanhoVolume;
  VolumesCli ui(ctx.err, kRotuloProgressoBackup);
  const auto r = GravaCopiaEmVolumes(pedido, ui);
  ui.termina();
  // Nobody can insert another disk here: too little space ends the backup.
  if (r.semEspaco) throw ErroComando(SemEspaco());
  if (!r.copia.ok) throw ErroComando(r.copia.mensagem.empty() ? "Cópia de segurança interrompida." : r.copia.mensagem);
  ctx.out << r.copia.mensagem << "\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("arquivo", o->arquivo, "Arquivo da cópia (extensão .BKP)")->required();
  app.add_option("--tamanho-volume", o->tamanhoVolume,
                 "Tamanho máximo de cada volume em bytes, ao menos " + std::to_string(kTamanhoVolumeMinimo) +
                     " (0: um só volume; padrão: o espaço livre)")
      ->check(NoMinimo(0));
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"backup", "Grava uma cópia de segurança das tabelas da declaração",
                               Configura};

}  // namespace
}  // namespace vornex::cli
