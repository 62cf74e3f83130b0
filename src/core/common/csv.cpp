#include "common/csv.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vornex {

std::vector<LinhaCsv> ParseCsv(std::string_view t) {
  std::vector<LinhaCsv> linhas;
  LinhaCsv atual;
  std::string campo;
  int numLinha = 1;
  std::size_t i = 0;
  bool linhaTemConteudo = false;
  auto fechaCampo = [&] {
    atual.push_back(std::move(campo));
    campo.clear();
  };
  auto fechaLinha = [&] {
    if (linhaTemConteudo) {
      fechaCampo();
      linhas.push_back(std::move(atual));
    }
    atual.clear();
    campo.clear();
    linhaTemConteudo = false;
  };
  while (i < t.size()) {
    char c = t[i];
    if (c == '"' && campo.empty()) {
      linhaTemConteudo = true;
      int inicio = numLinha;
      ++i;
      for (;;) {
        if (i >= t.size())
          throw std::runtime_error("aspas sem fechamento na linha " + std::to_string(inicio));
        if (t[i] == '"') {
          if (i + 1 < t.size() && t[i + 1] == '"') {
            campo.push_back('"');
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        if (t[i] == '\n') ++numLinha;
        campo.push_back(t[i++]);
      }
      if (i < t.size() && t[i] != ',' && t[i] != '\n' && t[i] != '\r')
        throw std::runtime_error("texto após aspas na linha " + std::to_string(numLinha));
      continue;
    }
    if (c == ',') {
      linhaTemConteudo = true;
      fechaCampo();
      ++i;
    } else if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n') {
      ++i;
    } else if (c == '\n') {
      fechaLinha();
      ++numLinha;
      ++i;
    } else {
      linhaTemConteudo = true;
      campo.push_back(c);
      ++i;
    }
  }
  fechaLinha();
  return linhas;
}

std::vector<LinhaCsv> LeArquivoCsv(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  if (!f) throw std::runtime_error("não foi possível abrir " + caminho);
  std::ostringstream ss;
  ss << f.rdbuf();
  try {
    return ParseCsv(ss.str());
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(caminho + ": " + e.what());
  }
}

}  // namespace vornex
