#pragma once
// The import report: one line per establishment of TE8Imp with its counts and
// the number of its outcome code, then the legend of the codes.
#include <string>

#include "common/catalogo.h"
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

class TrpImport : public Documento {
 public:
  // The title names the base year of the file the import read, as TE8Imp
  // recorded it ("2004" for a table that did not record it).
  explicit TrpImport(Conexao& c);
  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }
  void Gera(Paginador& p) override;
  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;
  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;

 private:
  Conexao& c_;
  std::string ano_;
  Catalogo catalogo_;
};

}  // namespace vornex::relatorio
