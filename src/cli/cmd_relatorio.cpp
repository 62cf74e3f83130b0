// vornex-cli relatorio: the printed documents as PDF files, drawn by the same
// renderer as the desktop program, without a display.
#ifdef VORNEX_COM_RENDER

#include <QCoreApplication>
#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

#include "comando.h"
#include "common/texto.h"
#include "data/banco.h"
#include "declfile/importacao.h"
#include "estabelecimentos_cli.h"
#include "vinculos_cli.h"
#include "passagem_cli.h"
#include "pasta_cli.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "render/render.h"
#include "reports/rp_cartela.h"
#include "reports/rp_erros.h"
#include "reports/rp_estrut.h"
#include "reports/rp_etiquetas.h"
#include "reports/rp_import.h"
#include "reports/rp_relatorios.h"

namespace vornex::cli {
namespace {

using namespace relatorio;

struct Opcoes {
  std::string documento;
  std::string pdf;
  bool completo = false, resumido = false, trabalho = false;
  std::string classificacao = "pis";
  std::vector<std::string> estabs, vinculos;
};

// Fonts and the PDF writer need a Qt application; without a display it runs
// on the offscreen platform.
// Qt's notices about the session it runs in (no XDG_RUNTIME_DIR under a
// service or a cron job) say nothing to the user of a command.
QtMessageHandler tratadorQt = nullptr;
void FiltraAvisosQt(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto) {
  if (tipo != QtFatalMsg && texto.startsWith(QLatin1String("QStandardPaths: "))) return;
  if (tratadorQt) tratadorQt(tipo, contexto, texto);
}

void AplicacaoQt() {
  if (QCoreApplication::instance() != nullptr) return;
  tratadorQt = qInstallMessageHandler(FiltraAvisosQt);
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char nome[] = "vornex-cli";
  static char* argv[] = {nome, nullptr};
  static QGuiApplication app(argc, argv);
}

// PIS/DDMMAAAA[/NOME], as the maintenance commands take a link.
relatorio::VinculoEscolhido LeVinculo(const std::string& t) {
  const vornex::VinculoEscolhido v = VinculoDoArgumento(t);
  return {v.pis, v.admissao, v.nome.value_or("")};
}

OpcoesDeclaracao OpcoesDoRelatorio(Conexao& c, const Opcoes& o) {
  OpcoesDeclaracao d;
  d.completo = !o.resumido;
  d.classificacao = o.classificacao == "nome" ? Classificacao::Nome
                    : o.classificacao == "uso" ? Classificacao::Uso
                                               : Classificacao::Pis;
  d.deTabelasTrabalho = o.trabalho;
  for (const auto& v : o.vinculos) d.vinculos.push_back(LeVinculo(v));
  // The declaration's establishments must exist; an analysed file's are only read.
  if (!o.trabalho) EstabelecimentosEscolhidos(c, o.estabs);
  for (const auto& e : o.estabs) {
    const ChaveEstabelecimento k = ChaveDoArgumento(e);
    d.estabelecimentos.push_back({k.inscricao, k.prefixo});
  }
  if (!d.vinculos.empty() && d.estabelecimentos.size() != 1)
    throw ErroComando("--vinculo pede um único estabelecimento em --estab");
  for (std::size_t i = 0; i < d.vinculos.size(); ++i) {
    const auto& v = d.vinculos[i];
    if (!ExisteVinculo(c, o.trabalho ? kTrabalhoVinculo : kTabelaVinculos, ChaveDoArgumento(o.estabs.front()), v.pis,
                       v.admissao, v.nome))
      throw ErroComando("vínculo não encontrado " + std::string(o.trabalho ? "no arquivo analisado" : "na declaração") +
                        ": " + o.vinculos[i]);
  }
  return d;
}

void Executa(const Opcoes& o, Contexto& ctx) {
  if (o.documento != "declaracao" && (o.completo || o.resumido || !o.estabs.empty() || !o.vinculos.empty()))
    throw ErroComando("--completo, --resumido, --estab e --vinculo valem só para o relatório declaracao");

  std::unique_ptr<Conexao> c;
  auto abre = [&] { c = std::make_unique<Conexao>(AbreDeclaracao(ctx, TravaPastaDados::Modo::Compartilhada)); };
  // A pass that found nothing may leave no table at all (the consistency
  // check and the analyser create theirs on the first finding).
  std::string ausente;
  auto existe = [&](const char* tabela, const char* passagem) {
    if (ExisteTabela(*c, tabela)) return true;
    ausente = std::string("a tabela ") + tabela + " não existe (" + passagem + ")";
    return false;
  };

  ComErroComando([&] {
    std::unique_ptr<Documento> doc;
    std::string vazio;
    if (o.documento == "cartela") {
      doc = std::make_unique<TrpCartela>();
    } else if (o.documento == "declaracao") {
      abre();
      if (!o.trabalho || existe(kTrabalhoEstabelecimento, "nenhum arquivo analisado"))
        doc = std::make_unique<TrpRelatorios>(*c, OpcoesDoRelatorio(*c, o));
      vazio = "nenhum estabelecimento escolhido na declaração";
    } else if (o.documento == "erros") {
      abre();
      if (existe(kTabelaErros, "nenhuma verificação ou nenhuma ocorrência")) doc = std::make_unique<TrpErros>(*c);
      vazio = "a última verificação não registrou erros nem avisos";
    } else if (o.documento == "estrutura") {
      abre();
      if (existe(kTabelaEstrutura, "nenhuma análise ou nenhum erro de estrutura"))
        doc = std::make_unique<TrpEstrut>(*c);
      vazio = "a última análise não registrou erro de estrutura";
    } else if (o.documento == "importacao") {
      abre();
      if (existe(kTabelaImportacao, "nenhuma importação")) doc = std::make_unique<TrpImport>(*c);
      vazio = "a última importação não registrou estabelecimentos";
    } else {  // etiquetas
      abre();
      if (existe(kTabelaProtocoloId, "nenhuma gravação")) doc = std::make_unique<TrpEtiquetas>(*c);
      vazio = "nenhum disquete registrado na última gravação";
    }
    int paginas = 0;
    if (doc) {
      AplicacaoQt();
      AcompanhamentoTexto progresso(ctx.err, "Gravando o relatório " + o.documento);
      paginas = render::GravaPdf(*doc, QString::fromStdString(o.pdf), EmissaoAgora(), progresso);
      progresso.termina();
    }
    if (paginas == 0)
      ctx.out << "Nada a imprimir: " << (doc ? vazio : ausente) << ". Nenhum arquivo gravado.\n";
    else
      ctx.out << "Relatório gravado: " << o.pdf << " (" << paginas << (paginas == 1 ? " página" : " páginas") << ")\n";
  });
}

void Configura(CLI::App& app, Contexto& ctx) {
  auto o = std::make_shared<Opcoes>();
  app.add_option("documento", o->documento, "erros, estrutura, importacao, declaracao, etiquetas ou cartela")
      ->required()
      ->check(UmDe({"erros", "estrutura", "importacao", "declaracao", "etiquetas", "cartela"}));
  app.add_option("--pdf", o->pdf, "Arquivo PDF a gravar")->required();
  auto* completo = app.add_flag("--completo", o->completo, "declaracao: todos os campos de cada vínculo (padrão)");
  app.add_flag("--resumido", o->resumido, "declaracao: só a relação dos vínculos")->excludes(completo);
  app.add_option("--classificacao", o->classificacao, "declaracao: ordem dos vínculos, pis (padrão), nome ou uso")
      ->check(UmDe({"pis", "nome", "uso"}));
  app.add_option("--estab", o->estabs, "declaracao: estabelecimentos a imprimir, INSCRICAO/PREFIXO (repetível; padrão: todos)");
  app.add_option("--vinculo", o->vinculos,
                 "declaracao: só estes vínculos do único estabelecimento de --estab, PIS/DDMMAAAA[/NOME]");
  app.add_flag("--trabalho", o->trabalho, "declaracao: do arquivo analisado (Te8emp/Te8vinc) em vez da declaração");
  app.footer("Grava em PDF um dos documentos impressos, a partir das tabelas da última passagem ou da declaração.");
  app.callback([o, &ctx] { Executa(*o, ctx); });
}

const RegistroComando registro{"relatorio", "Grava em PDF os relatórios, a etiqueta e a cartela", Configura};

}  // namespace
}  // namespace vornex::cli

#endif
