// Analyses arbitrary bytes as a declaration file, in the current and the
// previous year's layout (chosen by the input's length). Findings: a result
// outside the documented bits, error rows missing or left over, work tables
// kept after an error, or any file left in the data folder besides its own.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/passagem.h"
#include "data/banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"
#include "declfile/analise_estrutura.h"

namespace vornex::fuzz {

namespace fs = std::filesystem;

struct PastaAnalise {
  PastaAnalise() {
    const fs::path base = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string modelo = (base / "vornex-fuzz-analise-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) std::abort();
    raiz = modelo;
    InicializaPastaDados(raiz / "dados");
    c = AbreZema2004(raiz / "dados");
    // Nothing here needs to survive a crash of the fuzzer.
    for (const char* e : {"main", "trabalho"}) c.executa(std::string("PRAGMA ") + e + ".synchronous = OFF");
  }
  ~PastaAnalise() {
    c.fecha();
    std::error_code ec;
    fs::remove_all(raiz, ec);
  }
  fs::path raiz;
  Conexao c;
};

inline PastaAnalise& Pasta() {
  static PastaAnalise p;
  return p;
}

inline int AnalisaArquivoQualquer(const std::uint8_t* dados, std::size_t tamanho) {
  PastaAnalise& p = Pasta();
  const fs::path arquivo = p.raiz / "Zema2004.";
  {
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(dados), static_cast<std::streamsize>(tamanho));
  }
  TAnaliseEstrutura a(p.c);
  a.AnteriorAtual = tamanho % 3 == 1;
  long e = 0, v = 0;
  const int r = a.AnalisaArquivo(arquivo, 2004, tamanho % 2 == 1, SemAcompanhamento(), e, v);

  const auto erros = LeErrosEstrutura(p.c);
  const bool copias = ExisteTabela(p.c, kTrabalhoResponsavel) || ExisteTabela(p.c, kTrabalhoEstabelecimento) ||
                      ExisteTabela(p.c, kTrabalhoVinculo);
  switch (r) {
    case 0:
    case kAnaliseRetificacao:
      if (!erros.empty() || !copias || e < 0 || v < 0) std::abort();
      break;
    case kAnaliseErros:
      if (erros.empty() || erros.size() > 3 || copias) std::abort();
      for (const auto& l : erros)
        if (l.sequencia.size() != 6 || l.conteudo.size() > 20 || l.inscricaoPrefixo.size() > 16) std::abort();
      break;
    default: std::abort();
  }
  std::error_code ec;
  for (const auto& d : fs::directory_iterator(p.raiz / "dados")) {
    const std::string n = d.path().filename().string();
    if (n != kArquivoDeclaracao && n != kArquivoReferencia && n != kArquivoTrabalho && n != kArquivoTrava)
      std::abort();
  }
  return 0;
}

}  // namespace vornex::fuzz

#ifndef VORNEX_SEM_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  return vornex::fuzz::AnalisaArquivoQualquer(dados, tamanho);
}
#endif
