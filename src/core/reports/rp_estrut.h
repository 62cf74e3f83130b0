#pragma once
// The structural error report of an analysed file (Te8stru): the first error
// found, under its message and the record it concerns.
#include "common/catalogo.h"
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

class TrpEstrut : public Documento {
 public:
  explicit TrpEstrut(Conexao& c);
  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }
  void Gera(Paginador& p) override;
  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;

 private:
  Conexao& c_;
  Catalogo catalogo_;
};

}  // namespace vornex::relatorio
