#pragma once
// The long-lived data modules of the desktop program.
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "common/catalogo.h"
#include "data/banco.h"
#include "data/referencia.h"
#include "toolkit/registro.h"

namespace vornex::gui {

// The connection over the data folder, the reference tables in memory and
// the message catalog. Lives from start-up to the end of the run.
class TdmVornex {
 public:
  explicit TdmVornex(const std::filesystem::path& pasta);
  ~TdmVornex();
  TdmVornex(const TdmVornex&) = delete;
  TdmVornex& operator=(const TdmVornex&) = delete;

  Conexao& conexao() { return conexao_; }

  // Runs `f` with the connection closed (a restore puts another declaration
  // file in place of the open one) and opens it again afterwards, also when
  // `f` throws. The object conexao() answers stays the same, so nothing that
  // holds it needs telling; no screen keeps a query across a command.
  template <typename F>
  auto semConexao(F&& f) {
    fechaConexao();
    try {
      auto r = f();
      reabreConexao();
      return r;
    } catch (...) {
      reabreConexao();
      throw;
    }
  }
  const TabelasReferencia& referencias() const { return *referencias_; }
  const Catalogo& catalogo() const { return catalogo_; }
  const std::filesystem::path& pasta() const { return pasta_; }

  // At least one establishment of base year 2004 or 2005: what enables the
  // declaration commands.
  bool ExisteDeclaracao();

  // The datasets the re-index screen closes around a step. The lookups answer
  // from memory, which a rebuilt index does not change; the declaration
  // tables closed there stay closed until a screen opens them again.
  void fechaConjunto(const std::string& tabela);
  void reabreConjunto(const std::string& tabela);
  bool conjuntoAberto(const std::string& tabela) const;

 private:
  void fechaConexao();
  void reabreConexao();

  std::filesystem::path pasta_;
  Conexao conexao_;
  std::optional<TabelasReferencia> referencias_;
  Catalogo catalogo_;
  std::set<std::string> fechados_;
};

// The rows the entry screens edit and the two warning counters of the
// employee screen.
class TdmEntradaDados {
 public:
  RegistroEditado ta8Empresa;
  RegistroEditado ta8Empreg;
  int ContaAvisoCnaeVinculo = 1;
  int ContaAvisoNatJuVinculo = 1;
};

// State shared by the steps of the writing and rectification assistants.
class TdmDadosResp {
 public:
  bool FechaAssistente = false;
  bool ModoRetificacao = false;
  int Opcoes = 0;
};

}  // namespace vornex::gui
