#include "data/dm_vornex.h"

#include "common/servico_dialogos.h"

namespace vornex::gui {

TdmVornex::TdmVornex(const std::filesystem::path& pasta)
    : pasta_(pasta), conexao_(AbreZema2004(pasta)) {
  referencias_.emplace(TabelasReferencia::Carrega(conexao_));
  catalogo_ = referencias_->catalogo();
  ServicoDialogos::DefineCatalogo(&catalogo_);
}

TdmVornex::~TdmVornex() {
  if (ServicoDialogos::CatalogoAtual() == &catalogo_) ServicoDialogos::DefineCatalogo(nullptr);
}

bool TdmVornex::ExisteDeclaracao() {
  auto& q = conexao_.prepara({"Select CoCgcCeiEstabelecimento from Bd8Emp",
                              "where anbase = :ano1 or anbase = :ano2 limit 1"});
  q.defineTexto("ano1", std::to_string(2004)).defineTexto("ano2", std::to_string(2005));
  return q.primeira().has_value();
}

void TdmVornex::fechaConexao() { conexao_.fecha(); }

void TdmVornex::reabreConexao() {
  if (!conexao_.aberta()) conexao_ = AbreZema2004(pasta_);
}

void TdmVornex::fechaConjunto(const std::string& tabela) { fechados_.insert(tabela); }
void TdmVornex::reabreConjunto(const std::string& tabela) { fechados_.erase(tabela); }
bool TdmVornex::conjuntoAberto(const std::string& tabela) const { return fechados_.count(tabela) == 0; }

}  // namespace vornex::gui
