#pragma once
// The diskette label: one framed label per volume written (te8ProID rows, in
// table order).
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

class TrpEtiquetas : public Documento {
 public:
  explicit TrpEtiquetas(Conexao& c) : c_(c) {}
  Formato FormatoPagina() const override { return Formato(Papel::Carta, 10); }
  void Gera(Paginador& p) override;

 private:
  Conexao& c_;
};

}  // namespace vornex::relatorio
