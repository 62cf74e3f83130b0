// Every text of the printed documents stays inside its box and the page when
// each field is filled to its full stored width.
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <sstream>

#include "data/banco.h"
#include "data/tabela.h"
#include "documentos.h"
#include "render/render.h"
#include "reports/rp_erros.h"
#include "reports/rp_import.h"
#include "reports/rp_relatorios.h"

namespace {

using namespace vornex::relatorio;

const Emissao Quando{"05/03/2005", "14:30:00"};

class Larguras : public teste::Documentos {
 protected:
  // A row with every text column at its full width: names, addresses and
  // free texts in capitals with blanks, every other column in digits; `fixos`
  // holds the codes the documents look at.
  void Cheia(const char* tabela, const std::map<std::string, std::string>& fixos) {
    static const std::string Nomes = "MARIA APARECIDA WANDERLEY DOS SANTOS MOREIRA BRAGANCA ";
    vornex::Tabela t(c_, tabela);
    vornex::Linha l = t.novaLinha();
    for (const auto& campo : t.definicao().campos()) {
      if (campo.tipo != vornex::TipoCampo::Texto || campo.tamanho <= 0) continue;
      std::string n = campo.nome;
      for (char& ch : n) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      const bool letras = n.starts_with("no") || n.starts_with("ed") || n.starts_with("tx") ||
                          n == "razaosocial" || n == "usoempresa" || n == "conteudo";
      std::string v;
      for (int i = 0; i < campo.tamanho; ++i) v += letras ? Nomes[i % Nomes.size()] : '9';
      l[campo.nome] = v;
    }
    for (const auto& [col, v] : fixos) l[col] = v;
    t.inclui(l);
  }

  static std::string Lista(const std::vector<vornex::render::Transbordo>& fora) {
    std::ostringstream s;
    for (const auto& t : fora) s << "page " << t.pagina << ": \"" << t.texto << "\" " << t.onde << "\n";
    return s.str();
  }
};

TEST_F(Larguras, NenhumTextoSaiDaSuaCaixaNemDaPagina) {
  const std::string inscr = "11222333000181";
  Cheia("Bd8emp", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", inscr}, {"NuPrefixoEstabelecimento", "00"},
                   {"InInscrEstabelecimento", "1"}, {"InEncerramentoAtividade", "1"},
                   {"DaEncerramentoAtividade", "31122004"}, {"InPorte", "3"}, {"InOptanteSimples", "1"},
                   {"InParticipaPAT", "1"}});
  for (int i = 0; i < 10; ++i)
    Cheia("Bd8vinc", {{"AnBase", "2004"}, {"CoCgcCeiEstabelecimento", inscr}, {"NuPrefixoEstabelecimento", "00"},
                      {"CoPisPasepEmpregado", "1000000000" + std::to_string(i % 10)},
                      {"DaAdmissaoEmpregado", "0102200" + std::to_string(i % 10)}, {"InSexo", "1"},
                      {"InDeficienteFisico", "1"}, {"InAlvaraEmpregado", "1"}});

  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaErros);
  int seq = 0;
  auto achado = [&](const char* nivel, const char* retorno, const char* pis) {
    char s[16];
    std::snprintf(s, sizeof s, "%06d", ++seq);
    Cheia(vornex::kTabelaErros, {{"errwar", "err"}, {"tiporegistro", nivel}, {"retorno", retorno}, {"lbl", "1599"},
                                 {"inscricao", inscr}, {"tipoinscricao", "1"}, {"prefixo", "00"},
                                 {"copispasep", pis}, {"DaAdmissao", "01022003"}, {"Sequencial", s}});
  };
  for (int i = 0; i < 40; ++i) achado("1", i % 2 ? "0372" : "1505", "");
  for (int i = 0; i < 40; ++i) achado("2", i % 2 ? "0372" : "1671", "12345678901");

  vornex::RecriaTabelaTrabalho(c_, vornex::kTabelaImportacao);
  for (int i = 0; i < 3; ++i)
    Cheia(vornex::kTabelaImportacao, {{"AnOrigem", "2003"}, {"InInscrEstabelecimento", i ? "3" : "1"},
                                      {"CoImp", i ? "1505" : ""}, {"Seq", std::to_string(i)}});

  const std::vector<std::pair<const char*, std::function<std::unique_ptr<Documento>()>>> documentos = {
      {"erros", [&] { return std::make_unique<TrpErros>(c_); }},
      {"declaracao completa", [&] { return std::make_unique<TrpRelatorios>(c_, OpcoesDeclaracao{}); }},
      {"declaracao resumida",
       [&] {
         OpcoesDeclaracao op;
         op.completo = false;
         return std::make_unique<TrpRelatorios>(c_, op);
       }},
      {"importacao", [&] { return std::make_unique<TrpImport>(c_); }},
  };
  for (const auto& [nome, cria] : documentos) {
    auto doc = cria();
    ASSERT_GT(ContaPaginas(*doc, Quando), 0) << nome;
    const auto fora = vornex::render::Transbordos(*doc, Quando);
    EXPECT_TRUE(fora.empty()) << nome << ":\n" << Lista(fora);
  }
}

}  // namespace
