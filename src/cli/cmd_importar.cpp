#include <filesystem>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>

#include "comando.h"
#include "json_cli.h"
#include "common/catalogo.h"
#include "common/passagem.h"
#include "common/texto.h"
#include "data/banco.h"
#include "declfile/analise_estrutura.h"
#include "declfile/importacao.h"
#include "estabelecimentos_cli.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "reports/rp_comum.h"

namespace vornex::cli {
namespace {

namespace fs = std::filesystem;

struct Opcoes {
  std::string arquivo;
  bool anoAnterior = false;
  bool todos = false;
  std::vector<std::string> estabs;
  bool json = false;
};

std::string Direita(const std::string& s, int largura) {
  std::ostringstream o;
  o << std::setw(largura) << s;
  return o.str();
}

void ImprimeRelatorio(std::ostream& out, Conexao& c, const Catalogo& catalogo, const std::string& anoOrigem) {
  out << "Relatório de Importação de Dados  " << anoOrigem << "\n";
  out << "Inscrição CNPJ/CEI  Prefixo  CEI Vinculado      Cód.  Total lido  Deslig.  Duplic.  Import.\n";
  for (const auto& l : LinhasImportacao(c)) {
    const auto r = FormataLinhaImportacao(l);
    out << EspacosDireita(r.inscricao, 20) << EspacosDireita(r.prefixo, 9) << EspacosDireita(r.ceiVinculado, 19)
        << EspacosDireita(r.codigo, 4) << Direita(r.totalLido, 12) << Direita(r.desligados, 9)
        << Direita(r.duplicados, 9) << Direita(r.importados, 9) << "\n";
  }
  for (const auto& [seq, codigo] : LegendaImportacao(c))
    out << "(" << seq << ") " << relatorio::TextoMensagem(catalogo, codigo) << "\n";
}

void ImprimeJson(std::ostream& out, Conexao& c) {
  auto linhas = nlohmann::ordered_json::array();
  for (const auto& l : LinhasImportacao(c)) {
    nlohmann::ordered_json o;
    for (std::size_t i = 0; i < l.esquema().tamanho(); ++i) o[l.esquema().colunas()[i]] = l[i];
    linhas.push_back(std::move(o));
  }
  // A prefix read from a file may hold any byte.
  out << TextoJson(linhas) << "\n";
}

// A code that a field rule gave: the establishment was skipped.
bool CodigoDeRegra(const std::string& co) {
  return !co.empty() && co != "1501" && co != "1502" && co != "1504" && co != "1505";
}

void Executa(const Opcoes& o, Contexto& ctx) {
  const fs::path arquivo = fs::absolute(o.arquivo);
  std::error_code ec;
  if (!fs::is_regular_file(arquivo, ec))
    throw ErroComando("O arquivo especificado não existe. Verifique o caminho e o nome do arquivo. (" +
                      arquivo.string() + ")");
  Conexao c = AbreDeclaracao(ctx);
  const Catalogo catalogo = relatorio::CatalogoDaConexao(c);
  const ModoImportacao modo = ModoDoTexto(TextoModoImportacao(o.anoAnterior));

  TAnaliseEstrutura analise(c);
  analise.AnteriorAtual = o.anoAnterior;
  long estabelecimentos = 0, vinculos = 0;
  int bits = 0;
  {
    AcompanhamentoTexto progresso(ctx.err, "Verificando Estrutura ...");
    bits = analise.AnalisaArquivo(arquivo, 2004, true, progresso, estabelecimentos, vinculos);
  }
  if (!analise.falhaCopia().empty()) throw ErroComando(analise.falhaCopia());
  if (bits & kAnaliseErros) {
    const auto erros = LeErrosEstrutura(c);
    ctx.out << "A importação não pode ser feita: o arquivo não atende às especificações do ano-base "
            << modo.anoOrigem << ".\n";
    for (const auto& linha : TextoRelatorioEstrutura(erros, catalogo)) ctx.out << linha << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }

  const auto itens = EstabelecimentosDoArquivo(c, modo.anoOrigem);
  std::vector<ItemImportacao> escolhidos;
  bool recusado = false;
  if (o.todos) {
    const std::size_t n = QuantosSelecionaTodos(itens);
    escolhidos.assign(itens.begin(), itens.begin() + static_cast<std::ptrdiff_t>(n));
    if (n < itens.size()) {
      ctx.err << kTextoPrefixoInvalidoTodos << " (" << itens[n].inscricao << "/" << itens[n].prefixo << ")\n";
      recusado = true;
    }
  }
  for (const auto& e : o.estabs) {
    const auto k = ChaveDoArgumento(e);
    auto it = std::find_if(itens.begin(), itens.end(), [&](const ItemImportacao& i) {
      return i.inscricao == k.inscricao && i.prefixo == k.prefixo;
    });
    if (it == itens.end()) throw ErroComando("estabelecimento " + e + " não está no arquivo");
    if (!it->prefixoImportavel()) {
      ctx.err << kTextoPrefixoNaoImportavel << " (" << e << ")\n";
      recusado = true;
      continue;
    }
    escolhidos.push_back(*it);
  }
  if (escolhidos.empty()) {
    for (const auto& i : itens) ctx.err << i.texto() << "\n";
    throw ErroComando(relatorio::TextoMensagem(catalogo, "1301"));
  }

  OpcoesImportacao opcoes;
  opcoes.anoAnterior = o.anoAnterior;
  {
    AcompanhamentoTexto progresso(ctx.err, "Importando Declaração Zema");
    ImportaEstabelecimentos(c, opcoes, escolhidos, progresso);
  }
  bool pulado = false;
  for (const auto& l : LinhasImportacao(c)) pulado = pulado || CodigoDeRegra(l["CoImp"]);
  if (o.json)
    ImprimeJson(ctx.out, c);
  else
    ImprimeRelatorio(ctx.out, c, catalogo, modo.anoOrigem);
  if (recusado || pulado) ctx.saida = kSaidaErrosDados;
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("arquivo", o->arquivo, "Arquivo da declaração a importar")->required();
  app.add_flag("--ano-anterior", o->anoAnterior,
               "Arquivo do ano-base anterior (2003): identificação e vínculos ativos");
  auto* todos = app.add_flag("--todos", o->todos, "Importa todos os estabelecimentos do arquivo");
  app.add_option("--estab", o->estabs, "Estabelecimento a importar (INSCRICAO/PREFIXO); pode repetir")
      ->excludes(todos);
  app.add_flag("--json", o->json, "Linhas de TE8Imp em JSON");
  app.footer("Analisa o arquivo e importa os estabelecimentos escolhidos para a declaração; "
             "imprime uma linha por estabelecimento como o relatório de importação.");
  app.callback([o, &ctx] { ComErroComando([&] { Executa(*o, ctx); }); });
}

const RegistroComando registro{"importar", "Importa estabelecimentos e vínculos de um arquivo da declaração",
                               Configura};

}  // namespace
}  // namespace vornex::cli
