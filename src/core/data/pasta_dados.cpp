#include "data/pasta_dados.h"

#include <array>
#include <cstdlib>
#include <stdexcept>

#include "data/banco.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "data/trava_pasta.h"

namespace vornex {

namespace fs = std::filesystem;

fs::path PastaDadosPadrao() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg && fs::path(xdg).is_absolute())
    return fs::path(xdg) / "vornex" / "dados";
  const char* home = std::getenv("HOME");
  return fs::path(home && *home ? home : ".") / ".local" / "share" / "vornex" / "dados";
}

fs::path ResolvePastaDados(const std::string& escolhida) {
  return escolhida.empty() ? PastaDadosPadrao() : fs::path(escolhida);
}

fs::path PastaDadosInstalados() {
  if (const char* e = std::getenv("VORNEX_DADOS_REFERENCIA"); e && *e) return fs::path(e);
  std::error_code ec;
  // Installed under any prefix: share/vornex beside the program's bin/.
  if (const fs::path programa = fs::read_symlink("/proc/self/exe", ec); !ec) {
    const fs::path junto = (programa.parent_path() / VORNEX_DATA_RELATIVE_DIR).lexically_normal();
    if (fs::is_directory(junto, ec)) return junto;
  }
  if (fs::is_directory(VORNEX_DATA_INSTALL_DIR, ec)) return fs::path(VORNEX_DATA_INSTALL_DIR);
  return fs::path(VORNEX_DATA_SOURCE_DIR);
}

namespace {

constexpr std::array<const char*, 3> kArquivos{kArquivoDeclaracao, kArquivoReferencia, kArquivoTrabalho};
// Marks our files (PRAGMA application_id) and their layout version.
constexpr int kIdAplicacao = 0x564f524e;  // "VORN"
constexpr int kVersaoEstrutura = 1;

fs::path Temporario(const fs::path& pasta, const char* arquivo) {
  return pasta / (std::string(".") + arquivo + ".novo");
}

// Our files carry our mark and layout version.
void MarcaArquivo(Conexao& c, std::string_view esquema) {
  const std::string e(esquema);
  c.executa("PRAGMA " + e + ".application_id = " + std::to_string(kIdAplicacao));
  c.executa("PRAGMA " + e + ".user_version = " + std::to_string(kVersaoEstrutura));
}

void RemoveTemporarios(const fs::path& pasta) {
  std::error_code ec;
  for (const char* a : kArquivos) {
    fs::remove(Temporario(pasta, a), ec);
    fs::remove(fs::path(Temporario(pasta, a).string() + "-journal"), ec);
  }
}

}  // namespace

std::vector<ResumoCarga> InicializaPastaDados(const fs::path& pasta, const fs::path& origem) {
  std::error_code ec;
  fs::create_directories(pasta, ec);
  if (ec || !fs::is_directory(pasta, ec))
    throw std::runtime_error("não foi possível criar a pasta de dados " + pasta.string());
  for (const char* a : kArquivos)
    if (fs::exists(pasta / a, ec))
      throw std::runtime_error("a pasta de dados " + pasta.string() + " já contém " + a +
                               "; iniciar cria apenas uma pasta nova e não substitui dados existentes");

  RemoveTemporarios(pasta);
  std::vector<ResumoCarga> resumo;
  std::vector<fs::path> criados;
  try {
    {
      Conexao c = Conexao::Abre(Temporario(pasta, kArquivoDeclaracao), Conexao::Modo::Cria);
      c.anexa(Temporario(pasta, kArquivoReferencia), "referencia", Conexao::Modo::Cria);
      c.anexa(Temporario(pasta, kArquivoTrabalho), "trabalho", Conexao::Modo::Cria);
      // Files under temporary names need no journal on disk: a failure
      // throws them away. One transaction makes it a single commit.
      for (auto a : {ArquivoDados::Declaracao, ArquivoDados::Referencia, ArquivoDados::Trabalho}) {
        c.executa("PRAGMA " + std::string(EsquemaBanco(a)) + ".journal_mode = MEMORY");
        MarcaArquivo(c, EsquemaBanco(a));
      }
      Transacao t(c);
      for (const auto& def : DefinicoesSistema()) CriaTabela(c, def, true);
      resumo = CarregaArquivosReferencia(c, origem);
      t.confirma();
    }
    for (const char* a : kArquivos) {
      if (fs::exists(pasta / a, ec))
        throw std::runtime_error("a pasta de dados " + pasta.string() + " ganhou " + a +
                                 " durante a inicialização; nada foi substituído");
      fs::rename(Temporario(pasta, a), pasta / a);
      criados.push_back(pasta / a);
    }
  } catch (...) {
    // Only files this call made are removed.
    for (const auto& f : criados) fs::remove(f, ec);
    RemoveTemporarios(pasta);
    throw;
  }
  return resumo;
}

bool PastaDadosVazia(const fs::path& pasta) {
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(pasta, ec))) return true;
  // The folder's lock file alone does not make it a data folder.
  for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec))
    if (it->path().filename() != kArquivoTrava) return false;
  return !ec;
}

void CriaArquivoDeclaracaoVazio(const fs::path& arquivo) {
  Conexao c = Conexao::Abre(arquivo, Conexao::Modo::Cria);
  // A file under a temporary name needs no journal on disk.
  c.executa("PRAGMA journal_mode = MEMORY");
  MarcaArquivo(c, EsquemaBanco(ArquivoDados::Declaracao));
  Transacao t(c);
  for (const auto& def : DefinicoesSistema())
    if (def.arquivo() == ArquivoDados::Declaracao) CriaTabela(c, def, true);
  t.confirma();
}

bool AbreOuInicializaPastaDados(const fs::path& pasta, const fs::path& origem) {
  if (!PastaDadosVazia(pasta)) return false;
  InicializaPastaDados(pasta, origem);
  return true;
}

}  // namespace vornex
