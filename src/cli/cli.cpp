#include "cli.h"

#include <algorithm>
#include <exception>

#include "comando.h"

namespace vornex::cli {

std::vector<Comando>& Comandos() {
  static std::vector<Comando> lista;
  return lista;
}

namespace {

// CLI11 writes its help and errors through a formatter; keep them in Portuguese.
void Traduz(CLI::App& app) {
  app.get_formatter()->label("OPTIONS", "OPÇÕES");
  app.get_formatter()->label("SUBCOMMAND", "COMANDO");
  app.get_formatter()->label("SUBCOMMANDS", "COMANDOS");
  app.get_formatter()->label("POSITIONALS", "ARGUMENTOS");
  app.get_formatter()->label("Usage", "Uso");
  app.get_formatter()->label("REQUIRED", "OBRIGATÓRIO");
  app.set_help_flag("-h,--help", "Mostra esta ajuda e termina");
}

}  // namespace

int Executa(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  Contexto ctx{out, err, {}, kSaidaOk, nullptr};
  CLI::App app{"VORNEX - declaração ZEMA, ano-base 2004", "vornex-cli"};
  Traduz(app);
  app.require_subcommand(1);
  app.fallthrough();
  app.add_option("--dados", ctx.pastaDados, "Pasta de dados (padrão: pasta do usuário)");

  auto comandos = Comandos();
  std::sort(comandos.begin(), comandos.end(),
            [](const Comando& a, const Comando& b) { return a.nome < b.nome; });
  for (auto& c : comandos) {
    CLI::App* sub = app.add_subcommand(c.nome, c.descricao);
    Traduz(*sub);
    c.configura(*sub, ctx);
  }

  std::vector<std::string> invertidos(args.rbegin(), args.rend());
  try {
    app.parse(invertidos);
  } catch (const CLI::CallForHelp& e) {
    out << app.help();
    return kSaidaOk;
  } catch (const CLI::CallForAllHelp& e) {
    out << app.help("", CLI::AppFormatMode::All);
    return kSaidaOk;
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == 0) return kSaidaOk;
    err << "vornex-cli: " << e.what() << "\n";
    err << "Use --help para ver os comandos e opções.\n";
    return kSaidaFalha;
  } catch (const ErroComando& e) {
    err << "vornex-cli: " << e.what() << "\n";
    return kSaidaFalha;
  } catch (const std::exception& e) {
    err << "vornex-cli: erro inesperado: " << e.what() << "\n";
    return kSaidaFalha;
  }
  return ctx.saida;
}

}  // namespace vornex::cli
