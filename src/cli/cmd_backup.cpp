#include <cstdint>
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

struct Opcoes {
  std::string arquivo;
  std::int64_t tamanhoVolume = -1;  // -1: from the free space, as the window does
};

// Volumes are files beside the first one; the free space is checked again
// before each when the size was not given.
class EventosBackupCli : public EventosBackup {
 public:
  EventosBackupCli(std::ostream& err, fs::path arquivo, bool automatico)
      : saida_(err), linha_(err, kRotuloProgressoBackup), arquivo_(std::move(arquivo)), automatico_(automatico) {}

  void OnNeedDisk(TBackupFile& b, int disco, bool& continua) override {
    linha_.termina();
    if (automatico_) {
      const auto tamanho = TamanhoVolumeLivre(EspacoLivre(arquivo_.parent_path()).value_or(0));
      if (!tamanho) {
        semEspaco = true;
        continua = false;
        return;
      }
      b.MaxSize(*tamanho);
    }
    saida_ << "Volume " << disco << ": " << NomeVolume(arquivo_, disco).string() << "\n";
  }

  bool semEspaco = false;

 void OnProgress(TBackupFile&, const std::string&, int percentual, bool&) override { linha_.mostra(percentual); }
  void termina() { linha_.termina(); }

 private:
  std::ostream& saida_;
  LinhaProgresso linha_;
  fs::path arquivo_;
  bool automatico_;
};

// The window's warning asks to insert another diskette; here only its first
// sentence applies.
std::string SemEspaco() {
  const std::string_view m = kMsgEspacoInsuficiente;
  return std::string(m.substr(0, m.find(" \r\n")));
}

void Executa(const Opcoes& o, Contexto& ctx) {
  const fs::path dados = PastaDados(ctx);
  const fs::path arquivo = fs::absolute(ComExtensaoBackup(o.arquivo));
  std::error_code ec;
  if (!fs::is_directory(arquivo.parent_path(), ec))
    throw ErroComando("A pasta da cópia não existe: " + arquivo.parent_path().string());
  const bool automatico = o.tamanhoVolume < 0;
  std::int64_t tamanho = o.tamanhoVolume;
  if (automatico) {
    const auto t = TamanhoVolumeLivre(EspacoLivre(arquivo.parent_path()).value_or(0));
    if (!t) throw ErroComando(SemEspaco());
    tamanho = *t;
  }
  EventosBackupCli eventos(ctx.err, arquivo, automatico);
  const auto r = GravaCopiaSeguranca(dados, arquivo, tamanho, &eventos);
  eventos.termina();
  if (eventos.semEspaco) throw ErroComando(SemEspaco());
  if (!r.ok) throw ErroComando(r.mensagem.empty() ? "Cópia de segurança interrompida." : r.mensagem);
  ctx.out << r.mensagem << "\n";
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
