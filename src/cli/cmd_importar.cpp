#include <filesystem>
#include <iomanip>
#include <nlohmann/json.hpp>
#include <sstream>

#include "casos/analisa_arquivo.h"
#include "casos/importa_arquivo.h"
#include "comando.h"
#include "common/catalogo.h"
#include "common/texto.h"
#include "data/banco.h"
#include "estabelecimentos_cli.h"
#include "json_cli.h"
#include "passagem_cli.h"
#include "pasta_cli.h"

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

void ImprimeRelatorio(std::ostream& out, const ResultadoImportacaoArquivo& r,
                      const std::vector<std::pair<std::string, std::string>>& legenda, const Catalogo& catalogo) {
  out << "Relatório de Importação de Dados  " << r.anoOrigem << "\n";
  out << "Inscrição CNPJ/CEI  Prefixo  CEI Vinculado      Cód.  Total lido  Deslig.  Duplic.  Import.\n";
  for (const auto& l : r.linhas) {
    const auto f = FormataLinhaImportacao(l);
    out << EspacosDireita(f.inscricao, 20) << EspacosDireita(f.prefixo, 9) << EspacosDireita(f.ceiVinculado, 19)
        << EspacosDireita(f.codigo, 4) << Direita(f.totalLido, 12) << Direita(f.desligados, 9)
        << Direita(f.duplicados, 9) << Direita(f.importados, 9) << "\n";
  }
  for (const auto& [seq, codigo] : legenda) out << "(" << seq << ") " << catalogo.texto(codigo) << "\n";
}

void Executa(const Opcoes& o, Contexto& ctx) {
  PedidoImportacaoArquivo pedido;
  pedido.arquivo = fs::absolute(o.arquivo);
  if (std::string falha; !ArquivoParaAnalise(pedido.arquivo, falha)) throw ErroComando(falha);
  pedido.anoAnterior = o.anoAnterior;
  pedido.todos = o.todos;
  for (const auto& e : o.estabs) {
    const auto k = ChaveDoArgumento(e);
    pedido.escolhas.push_back({k.inscricao, k.prefixo, e});
  }
  Conexao c = AbreDeclaracao(ctx);
  const Catalogo catalogo = Catalogo::LeConexao(c);

  AcompanhamentoTexto estrutura(ctx.err, "Verificando Estrutura ...");
  AcompanhamentoTexto importacao(ctx.err, "Importando Declaração Zema", &estrutura);
  MeiosImportacao meios;
  meios.estrutura = &estrutura;
  meios.importacao = &importacao;
  meios.recusa = [&](const RecusaImportacao& recusa) {
    estrutura.termina();
    ctx.err << recusa.texto << " (" << recusa.nome << ")\n";
  };
  const ResultadoImportacaoArquivo r = ImportaArquivo(c, pedido, meios);
  estrutura.termina();
  importacao.termina();
  if (!r.falha.empty()) throw ErroComando(r.falha);
  if (r.estrutura & kAnaliseErros) {
    ctx.out << "A importação não pode ser feita: o arquivo não atende às especificações do ano-base "
            << r.anoOrigem << ".\n";
    for (const auto& linha : TextoRelatorioEstrutura(r.errosEstrutura, catalogo)) ctx.out << linha << "\n";
    ctx.saida = kSaidaErrosDados;
    return;
  }
  if (!r.ausente.empty()) throw ErroComando("estabelecimento " + r.ausente + " não está no arquivo");
  if (!r.importado) {
    for (const auto& i : r.itens) ctx.err << i.texto() << "\n";
    throw ErroComando(catalogo.texto(r.mensagem));
  }
  if (o.json)
    ctx.out << TextoJson(LinhasJson(r.linhas)) << "\n";  // a prefix read from a file may hold any byte
  else
    ImprimeRelatorio(ctx.out, r, LegendaImportacao(c), catalogo);
  if (r.recusado() || r.pulado) ctx.saida = kSaidaErrosDados;
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
