#pragma once
// The report of the consistency check's findings (Te8ErrWa): all errors, then
// all warnings from a new page on, each finding under the record it concerns.
#include <string>

#include "common/catalogo.h"
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

class TrpErros : public Documento {
 public:
  explicit TrpErros(Conexao& c);
  Formato FormatoPagina() const override { return Formato(Papel::Carta, 10); }
  void Gera(Paginador& p) override;
  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;
  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;

 private:
  // What the band being placed starts: a page opened by anything below a
  // record heading repeats the heading (and the link's, below a link).
  enum class Abertura { Registro, Vinculo, Corpo };
  void Coloca(Paginador& p, Banda b, Abertura a);

  Conexao& c_;
  Catalogo catalogo_;
  bool avisos_ = false;  // the row being printed is a warning
  Abertura abrindo_ = Abertura::Registro;
  std::string registro_, vinculo_;  // the headings the rows being printed are under
};

}  // namespace vornex::relatorio
