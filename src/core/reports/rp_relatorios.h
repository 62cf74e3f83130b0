#pragma once
// The declaration report: one section per establishment, each on a page of
// its own, and below it its links, as a list (summary) or with every field of
// each link in a block kept on the page of its line (complete).
#include <string>
#include <string_view>
#include <vector>

#include "data/linha.h"
#include "reports/relatorio.h"

namespace vornex {
class Conexao;
}

namespace vornex::relatorio {

enum class Classificacao { Pis, Nome, Uso };
// "código PIS/PASEP", "Nome do empregado", "Para uso da empresa": printed in
// the page header.
std::string_view TextoClassificacao(Classificacao c);

struct EstabelecimentoEscolhido {
  std::string inscricao;  // digits; a shorter one is padded with '0' as stored
  std::string prefixo;
};

struct VinculoEscolhido {
  std::string pis;
  std::string admissao;  // DDMMAAAA
  std::string nome;      // compared only when the PIS/PASEP is "00000000000"
};

struct OpcoesDeclaracao {
  bool completo = true;
  Classificacao classificacao = Classificacao::Pis;
  bool deTabelasTrabalho = false;  // Te8emp/Te8vinc of an analysed file instead of Bd8emp/Bd8vinc
  std::string anoBase = "2004";
  std::vector<EstabelecimentoEscolhido> estabelecimentos;  // empty: every establishment of the year
  std::vector<VinculoEscolhido> vinculos;  // not empty: only these links are printed (partial report)
};

// Running heights of the paging rule, in layout units; the bands are exactly
// this tall, so the paginator's position is the rule's running height.
inline constexpr Unidade kAlturaCabecalho = 163, kAlturaFaixa = 56, kSecaoCompleto = 260, kSecaoResumido = 280,
                         kLinhaCompleto = 33, kLinhaResumido = 22, kBloco = 164, kTetoLinha = 900;

class TrpRelatorios : public Documento {
 public:
  TrpRelatorios(Conexao& c, OpcoesDeclaracao opcoes);
  Formato FormatoPagina() const override { return Formato(Papel::A4, 10); }
  void Gera(Paginador& p) override;
  void CabecalhoPagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;
  void RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) override;

 private:
  Banda Secao(const Linha& e, bool comVinculos, Unidade w) const;
  bool Escolhido(const Linha& e) const;
  bool Escolhido(const Linha& v, bool) const;

  Conexao& c_;
  OpcoesDeclaracao op_;
  Linha atual_;  // the establishment being printed
};

// Printed forms of the report's fields.
std::string ValorAgrupado(std::string_view nove);  // "1.234.567,89"; zero "0,00"
std::string ValorSimples(std::string_view nove);   // "   1234,56"; zero empty
std::string DiaMes(std::string_view ddmm);          // "15/03"

}  // namespace vornex::relatorio
