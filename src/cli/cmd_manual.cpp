// `vornex-cli manual`: the manual page (troff, section 1), written from the
// same command tree that --help prints, so the two cannot drift. Hidden from
// the list of commands; the build installs its output as vornex-cli.1.
#include <string>
#include <string_view>

#include "comando.h"
#include "common/versao.h"

namespace vornex::cli {
namespace {

// Text for a troff line: backslashes and hyphens escaped, and a line that
// would start with a control character protected.
std::string Troff(std::string_view s) {
  std::string r;
  for (char c : s) {
    if (c == '\\')
      r += "\\e";
    else if (c == '-')
      r += "\\-";
    else
      r += c;
  }
  if (!r.empty() && (r[0] == '.' || r[0] == '\'')) r.insert(0, "\\&");
  return r;
}

// CLI11 names the value of an option by its C++ type, then its check
// ("UINT:POSITIVE"); the page names the kind of value only.
std::string Valor(const CLI::Option& o) {
  const std::string nome = o.get_type_name();
  const std::string t = nome.substr(0, nome.find(':'));
  if (t == "TEXT") return "TEXTO";
  if (t == "INT" || t == "UINT" || t == "FLOAT" || t == "NUMBER") return "NÚMERO";
  return t;
}

bool Visivel(const CLI::App* a) { return !a->get_group().empty(); }

void Opcao(std::ostream& out, const CLI::Option& o) {
  out << ".TP\n";
  if (o.get_positional()) {
    out << "\\fI" << Troff(o.get_name(true)) << "\\fR\n";
  } else {
    std::string nomes;
    auto nome = [&nomes](const std::string& n) { nomes += (nomes.empty() ? "\\fB" : ", \\fB") + Troff(n) + "\\fR"; };
    for (const auto& n : o.get_lnames()) nome("--" + n);
    for (const auto& n : o.get_snames()) nome("-" + n);
    const std::string v = Valor(o);
    out << nomes << (o.get_type_size_max() > 0 && !v.empty() ? " \\fI" + Troff(v) + "\\fR" : "") << "\n";
  }
  std::string d = o.get_description();
  if (o.get_required()) d += " (obrigatório)";
  out << Troff(d) << "\n";
}

// The options of `app` that the user types (the help flag is everywhere).
void Opcoes(std::ostream& out, const CLI::App& app) {
  for (const CLI::Option* o : app.get_options([](const CLI::Option* o) { return !o->get_group().empty(); }))
    if (o != app.get_help_ptr() && o != app.get_help_all_ptr()) Opcao(out, *o);
}

std::string Sinopse(const CLI::App& app) {
  std::string s;
  for (const CLI::Option* o : app.get_options([](const CLI::Option* o) { return o->get_positional(); }))
    s += " \\fI" + Troff(o->get_name(true)) + "\\fR";
  if (!app.get_options([](const CLI::Option* o) { return o->nonpositional() && !o->get_group().empty(); }).empty())
    s += " [\\fIopções\\fR]";
  return s;
}

void Comandos(std::ostream& out, const CLI::App& app, const std::string& prefixo) {
  for (const CLI::App* sub : app.get_subcommands([](const CLI::App* a) { return Visivel(a); })) {
    const std::string nome = prefixo + sub->get_name();
    out << ".SS \"" << Troff(nome) << "\"\n";
    out << "\\fBvornex\\-cli\\fR [\\fB\\-\\-dados\\fR \\fIPASTA\\fR] \\fB" << Troff(nome) << "\\fR" << Sinopse(*sub)
        << "\n.PP\n" << Troff(sub->get_description()) << "\n";
    Opcoes(out, *sub);
    Comandos(out, *sub, nome + " ");
  }
}

// The exit status every command shares (comando.h).
constexpr struct {
  int codigo;
  const char* texto;
} kSaidas[] = {
    {kSaidaOk, "Nada de errado foi encontrado (apenas avisos também dão 0)."},
    {kSaidaErrosDados, "Foram encontrados erros nos dados."},
    {kSaidaFalha,
     "O comando não pôde fazer o seu trabalho (argumentos inválidos, arquivo ilegível, erro de E/S); a "
     "mensagem sai na saída de erro."},
};

void Manual(std::ostream& out, const CLI::App& raiz) {
  out << ".TH VORNEX\\-CLI 1 \"\" \"VORNEX " << VersaoSistema << "\" \"Comandos do usuário\"\n"
      << ".SH NOME\nvornex\\-cli \\- " << Troff(raiz.get_description()) << "\n"
      << ".SH SINOPSE\n\\fBvornex\\-cli\\fR [\\fB\\-\\-dados\\fR \\fIPASTA\\fR] \\fICOMANDO\\fR [\\fIopções\\fR]\n"
      << ".br\n\\fBvornex\\-cli\\fR [\\fICOMANDO\\fR] \\fB\\-\\-help\\fR\n"
      << ".SH DESCRIÇÃO\nPrograma de linha de comando do VORNEX: cada comando faz uma das tarefas do programa de "
         "janelas sobre a pasta de dados, sem tela. A saída é legível por pessoas; \\fB\\-\\-json\\fR dá a saída "
         "em JSON nos comandos que listam linhas. O progresso das passagens longas sai na saída de erro.\n"
      << ".SH OPÇÕES GERAIS\n";
  Opcoes(out, raiz);
  out << ".TP\n\\fB\\-h\\fR, \\fB\\-\\-help\\fR\n" << Troff(raiz.get_help_ptr()->get_description()) << "\n";
  out << ".SH COMANDOS\n";
  Comandos(out, raiz, "");
  out << ".SH CÓDIGO DE SAÍDA\n";
  for (const auto& s : kSaidas) out << ".TP\n\\fB" << s.codigo << "\\fR\n" << Troff(s.texto) << "\n";
  out << ".SH AMBIENTE\n"
         ".TP\n\\fBXDG_DATA_HOME\\fR\nSem \\fB\\-\\-dados\\fR, a pasta de dados é "
         "\\fI$XDG_DATA_HOME/vornex/dados\\fR (normalmente \\fI~/.local/share/vornex/dados\\fR).\n"
         ".TP\n\\fBVORNEX_DADOS_REFERENCIA\\fR\nPasta das tabelas de referência e do catálogo de mensagens "
         "usados para criar uma pasta de dados; sem ela vale a pasta instalada.\n"
         ".SH ARQUIVOS\n"
         ".TP\n\\fIdeclaracao.db\\fR, \\fIreferencia.db\\fR, \\fItrabalho.db\\fR\nAs tabelas da pasta de dados.\n"
         ".TP\n\\fI/usr/share/vornex\\fR\nTabelas de referência e catálogo de mensagens instalados.\n"
         ".SH VEJA TAMBÉM\n\\fBvornex\\fR(1)\n";
}

void Configura(CLI::App& app, Contexto& ctx) {
  app.group("");  // not listed by --help
  app.callback([&app, &ctx] {
    const CLI::App* raiz = &app;
    while (raiz->get_parent() != nullptr) raiz = raiz->get_parent();
    Manual(ctx.out, *raiz);
  });
}

const RegistroComando registro{"manual", "Escreve a página de manual do vornex-cli (troff)", Configura};

}  // namespace
}  // namespace vornex::cli
