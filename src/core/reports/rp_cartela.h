#pragma once
// The printed description of the declaration file: the general rules, the
// logical structure and one page per record type, read from the same layout
// tables that build the records.
#include "reports/relatorio.h"

namespace vornex::relatorio {

class TrpCartela : public Documento {
 public:
  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }
  void Gera(Paginador& p) override;
  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;
  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;
};

}  // namespace vornex::relatorio
