// Checks a declaration read from arbitrary bytes: the work tables get one
// responsible row, one establishment and a few links whose every text is cut
// from the input (within its column's width, any bytes), then the check runs
// as the structure analyser runs it. Any failure but a finding is a fault.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "data/banco.h"
#include "data/erro_banco.h"
#include "data/pasta_dados.h"
#include "data/referencia.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "validation/consistencia.h"
#include "validation/referencias_tabelas.h"

namespace vornex::fuzz {

// Fields taken one after another: a length byte, then up to that many bytes.
class Leitor {
 public:
  Leitor(const std::uint8_t* d, std::size_t n) : d_(d), n_(n) {}
  bool fim() const { return p_ >= n_; }
  std::uint8_t byte() { return p_ < n_ ? d_[p_++] : 0; }
  std::string texto(int largura) {
    const std::size_t quer = byte() % (static_cast<unsigned>(largura) + 1);
    const std::size_t tem = std::min(quer, n_ - std::min(p_, n_));
    std::string s(reinterpret_cast<const char*>(d_ + p_), tem);
    p_ += tem;
    return s;
  }

 private:
  const std::uint8_t* d_;
  std::size_t n_, p_ = 0;
};

inline void Preenche(Tabela& t, Linha& l, Leitor& in) {
  const auto& campos = t.definicao().campos();
  for (std::size_t i = 0; i < campos.size(); ++i)
    l[i] = campos[i].tipo == TipoCampo::Logico ? ((in.byte() & 1) ? "1" : "0") : in.texto(campos[i].tamanho);
}

inline int VerificaTabelasQuaisquer(Conexao& c, const Referencias& ref, const std::uint8_t* d, std::size_t n) {
  if (!ExisteTabela(c, kTrabalhoVinculo)) RecriaCopiasDeclaracao(c);
  Transacao t(c);
  for (const char* tabela : {kTrabalhoResponsavel, kTrabalhoEstabelecimento, kTrabalhoVinculo})
    c.executa(std::string("delete from ") + tabela);
  Leitor in(d, n);
  Tabela resp(c, kTrabalhoResponsavel), emp(c, kTrabalhoEstabelecimento), vinc(c, kTrabalhoVinculo);
  Linha r = resp.novaLinha(), e = emp.novaLinha(), v = vinc.novaLinha();
  Preenche(resp, r, in);
  resp.inclui(r);
  Preenche(emp, e, in);
  emp.inclui(e);
  for (int k = 0; k < 4 && !in.fim(); ++k) {
    Preenche(vinc, v, in);
    if (in.byte() & 1)  // most links belong to the establishment
      for (const char* col : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"}) v[col] = e[col];
    try {
      Transacao linha(c);  // a savepoint, so a refused row leaves the rest
      vinc.inclui(v);
      linha.confirma();
    } catch (const ErroBanco&) {  // a repeated key: the file would not have loaded it either
    }
  }
  t.confirma();
  OpcoesConsistencia o;
  o.origem = OrigemConsistencia::Trabalho;
  o.verificaResponsavel = true;
  o.encerramentoEstrito = true;
  const int r1 = VerificaConsistencia(c, ref, o);
  if (r1 & ~(kConsistenciaErros | kConsistenciaAvisos)) std::abort();
  return 0;
}

}  // namespace vornex::fuzz

#ifndef VORNEX_SEM_LIBFUZZER
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  using namespace vornex;
  static const std::filesystem::path pasta = [] {
    std::string modelo = (std::filesystem::temp_directory_path() / "vornex-fuzz-consistencia-XXXXXX").string();
    if (!::mkdtemp(modelo.data())) std::abort();
    InicializaPastaDados(std::filesystem::path(modelo) / "dados");
    return std::filesystem::path(modelo) / "dados";
  }();
  static Conexao c = [] {
    Conexao k = AbreZema2004(pasta);
    k.executa("PRAGMA trabalho.synchronous = OFF");
    return k;
  }();
  static const TabelasReferencia tabelas = TabelasReferencia::Carrega(c);
  static const ReferenciasTabelas ref(tabelas);
  return fuzz::VerificaTabelasQuaisquer(c, ref, dados, tamanho);
}
#endif
