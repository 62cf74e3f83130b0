#include "data/pasta_dados.h"

#include <cstdlib>

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
  if (fs::is_directory(VORNEX_DATA_INSTALL_DIR, ec)) return fs::path(VORNEX_DATA_INSTALL_DIR);
  return fs::path(VORNEX_DATA_SOURCE_DIR);
}

}  // namespace vornex
