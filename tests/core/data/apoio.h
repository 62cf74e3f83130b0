#pragma once
// Shared by the data tests: temporary folders, the data files to load, a
// data folder initialised once per test program, and recorded dialogs.
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/catalogo.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"

namespace teste {

namespace fs = std::filesystem;

class PastaTemporaria {
 public:
  PastaTemporaria() {
    std::string modelo = (fs::temp_directory_path() / "vornex-dados-XXXXXX").string();
    if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("mkdtemp");
    caminho_ = modelo;
  }
  ~PastaTemporaria() {
    std::error_code ec;
    fs::remove_all(caminho_, ec);
  }
  PastaTemporaria(const PastaTemporaria&) = delete;
  PastaTemporaria& operator=(const PastaTemporaria&) = delete;
  const fs::path& caminho() const { return caminho_; }
  fs::path operator/(const fs::path& p) const { return caminho_ / p; }

 private:
  fs::path caminho_;
};

inline void Escreve(const fs::path& arquivo, const std::string& texto) {
  std::ofstream f(arquivo, std::ios::binary);
  f << texto;
}

inline std::string LeArquivo(const fs::path& arquivo) {
  std::ifstream f(arquivo, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

// The project's data files. Until the message catalog is in data/, a copy
// of them with a small catalog of our own.
inline const fs::path& OrigemDados() {
  static PastaTemporaria copia;
  static const fs::path origem = [] {
    fs::path dados = fs::path(VORNEX_SOURCE_DIR) / "data";
    if (fs::exists(dados / "catalogo.csv")) return dados;
    for (const auto& e : fs::directory_iterator(dados))
      if (e.path().extension() == ".csv") fs::copy_file(e.path(), copia / e.path().filename());
    Escreve(copia / "catalogo.csv",
            "NuMensagem,TpMensagem,TxMensagem\n"
            "0053,ERR,Mensagem de teste 53\n"
            "1059,ERR,\"Mensagem de teste, com vírgula\"\n"
            "3517,INF,Mensagem de teste 3517\n");
    return copia.caminho();
  }();
  return origem;
}

// A freshly initialised data folder, made once per test program; tests
// that change it work on a copy.
inline const fs::path& PastaInicializada() {
  static PastaTemporaria pasta;
  static const fs::path dados = [] {
    fs::path p = pasta / "dados";
    vornex::InicializaPastaDados(p, OrigemDados());
    return p;
  }();
  return dados;
}

inline void CopiaPastaInicializada(const fs::path& destino) {
  fs::create_directories(destino);
  for (const char* a : {vornex::kArquivoDeclaracao, vornex::kArquivoReferencia, vornex::kArquivoTrabalho})
    fs::copy_file(PastaInicializada() / a, destino / a);
}

struct DialogosGravados : vornex::Dialogos {
  std::vector<std::string> textos;
  int mostra(vornex::TipoDialogo, vornex::Botoes, const std::string& texto) override {
    textos.push_back(texto);
    return vornex::kResultadoOk;
  }
};

}  // namespace teste
