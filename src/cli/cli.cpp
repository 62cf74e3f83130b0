#include "cli.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <optional>
#include <set>
#include <sstream>

#include "comando.h"

namespace vornex::cli {

std::vector<Comando>& Comandos() {
  static std::vector<Comando> lista;
  return lista;
}

namespace {

// Characters on screen: a UTF-8 text counts its code points, not its bytes.
std::size_t Largura(std::string_view s) {
  return static_cast<std::size_t>(
      std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// "  nome        descrição", the description starting at column `coluna`
// (on the next line when the name is longer), its own lines indented alike.
void Coluna(std::ostream& out, const std::string& nome, const std::string& descricao, std::size_t coluna) {
  const std::string n = "  " + nome;
  out << n;
  if (!descricao.empty()) {
    const std::size_t w = Largura(n);
    if (w >= coluna)
      out << "\n" << std::string(coluna, ' ');
    else
      out << std::string(coluna - w, ' ');
    for (char c : descricao) {
      out.put(c);
      if (c == '\n') out << std::string(coluna, ' ');
    }
  }
  out << "\n";
}

std::string NomeTipo(const std::string& tipo) {
  if (tipo == "TEXT") return "TEXTO";
  if (tipo == "INT" || tipo == "UINT" || tipo == "FLOAT" || tipo == "NUMBER") return "NÚMERO";
  return tipo;
}

// CLI11's help in Portuguese, the columns lined up whatever the accents.
class FormatadorPt : public CLI::Formatter {
 public:
  FormatadorPt() {
    label("OPTIONS", "OPÇÕES");
    label("SUBCOMMAND", "COMANDO");
    label("SUBCOMMANDS", "COMANDOS");
    label("Positionals", "Argumentos");
    label("Usage", "Uso");
    column_width(34);
  }

  std::string make_option(const CLI::Option* opt, bool posicional) const override {
    std::ostringstream out;
    Coluna(out, make_option_name(opt, posicional) + make_option_opts(opt), make_option_desc(opt), get_column_width());
    return out.str();
  }

  std::string make_subcommand(const CLI::App* sub) const override {
    std::ostringstream out;
    Coluna(out, sub->get_display_name(true), sub->get_description(), get_column_width());
    return out.str();
  }

  std::string make_option_opts(const CLI::Option* opt) const override {
    if (!opt->get_option_text().empty()) return " " + opt->get_option_text();
    std::string r;
    if (opt->get_type_size() != 0) {
      // "INT:descrição do validador": only the type is CLI11's.
      std::string tipo = opt->get_type_name();
      const auto p = tipo.find(':');
      const std::string resto = p == std::string::npos ? std::string() : tipo.substr(p);
      if (!tipo.empty()) r += " " + NomeTipo(tipo.substr(0, p)) + resto;
      if (!opt->get_default_str().empty()) r += "=" + opt->get_default_str();
      if (opt->get_expected_max() == CLI::detail::expected_max_vector_size) r += " ...";
      if (opt->get_required()) r += " OBRIGATÓRIO";
    }
    auto nomes = [&](const char* rotulo, const std::set<CLI::Option*>& opcoes) {
      if (opcoes.empty()) return;
      r += std::string(" ") + rotulo + ":";
      for (const CLI::Option* o : opcoes) r += " " + o->get_name();
    };
    nomes("Requer", opt->get_needs());
    nomes("Exclui", opt->get_excludes());
    return r;
  }
};

// `texto` without `sufixo`, or nullopt when it does not end so.
std::optional<std::string> SemSufixo(const std::string& texto, std::string_view sufixo) {
  if (texto.size() < sufixo.size() || texto.compare(texto.size() - sufixo.size(), sufixo.size(), sufixo) != 0)
    return std::nullopt;
  return texto.substr(0, texto.size() - sufixo.size());
}

// The two sides of `texto` around `meio`, or nullopt.
std::optional<std::pair<std::string, std::string>> Partes(const std::string& texto, std::string_view meio) {
  const auto p = texto.find(meio);
  if (p == std::string::npos) return std::nullopt;
  return std::pair{texto.substr(0, p), texto.substr(p + meio.size())};
}

// CLI11 builds its failure texts from fixed English phrases around the
// option's name and the values: each kind is said again in Portuguese.
std::string TextoFalha(const CLI::Error& e) {
  const std::string t = e.what();
  if (dynamic_cast<const CLI::RequiredError*>(&e)) {
    if (t == "A subcommand is required") return "informe um comando.";
    if (auto nome = SemSufixo(t, " is required")) return *nome + " é obrigatório.";
  } else if (dynamic_cast<const CLI::ExtrasError*>(&e)) {
    if (auto p = Partes(t, "were not expected: ")) return "argumentos não esperados: " + p->second;
    if (auto p = Partes(t, "was not expected: ")) return "argumento não esperado: " + p->second;
  } else if (dynamic_cast<const CLI::ArgumentMismatch*>(&e)) {
    if (auto p = Partes(t, " arguments to ")) return p->second.substr(0, p->second.find(',')) + ": número de valores errado.";
    if (auto p = Partes(t, ": ")) {
      if (SemSufixo(t, " missing")) return p->first + ": falta o valor.";
      return p->first + ": número de valores errado.";
    }
  } else if (dynamic_cast<const CLI::ConversionError*>(&e)) {
    if (auto p = Partes(t, "Could not convert: ")) {
      if (auto q = Partes(p->second, " = ")) return "valor inválido para " + q->first + ": " + q->second;
    }
    if (auto p = Partes(t, " is not an allowed value for ")) return "valor inválido para " + p->second + ": " + p->first.substr(10);
  } else if (dynamic_cast<const CLI::ValidationError*>(&e)) {
    return t;  // our own validators' texts
  } else if (dynamic_cast<const CLI::RequiresError*>(&e)) {
    if (auto p = Partes(t, " requires ")) return p->first + " exige " + p->second + ".";
  } else if (dynamic_cast<const CLI::ExcludesError*>(&e)) {
    if (auto p = Partes(t, " excludes ")) return p->first + " não pode ser usado com " + p->second + ".";
  }
  return "argumentos inválidos (" + t + ").";
}

void Traduz(CLI::App& app) {
  app.formatter(std::make_shared<FormatadorPt>());
  app.option_defaults()->group("Opções");
  app.set_help_flag("-h,--help", "Mostra esta ajuda e termina");
  app.failure_message([](const CLI::App*, const CLI::Error& e) {
    return "vornex-cli: " + TextoFalha(e) + "\nUse --help para ver os comandos e opções.\n";
  });
}

bool Inteiro(const std::string& s, long long& v) {
  if (s.empty() || s.size() > 18) return false;
  std::size_t i = s[0] == '-' ? 1 : 0;
  if (i == s.size()) return false;
  for (std::size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return false;
  v = std::stoll(s);
  return true;
}

}  // namespace

CLI::Validator Faixa(long long minimo, long long maximo) {
  const std::string faixa = "de " + std::to_string(minimo) + " a " + std::to_string(maximo);
  return CLI::Validator(
      [=](std::string& s) {
        long long v = 0;
        if (!Inteiro(s, v) || v < minimo || v > maximo) return "o valor " + s + " não é um número " + faixa;
        return std::string();
      },
      faixa);
}

CLI::Validator NoMinimo(long long minimo) {
  const std::string faixa = std::to_string(minimo) + " ou mais";
  return CLI::Validator(
      [=](std::string& s) {
        long long v = 0;
        if (!Inteiro(s, v) || v < minimo) return "o valor " + s + " não é um número de " + faixa;
        return std::string();
      },
      faixa);
}

CLI::Validator UmDe(std::vector<std::string> valores) {
  std::string lista;
  for (const auto& v : valores) lista += (lista.empty() ? "" : ", ") + v;
  return CLI::Validator(
      [=](std::string& s) {
        if (std::find(valores.begin(), valores.end(), s) != valores.end()) return std::string();
        return "o valor " + s + " não é um de: " + lista;
      },
      "{" + lista + "}");
}

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
    sub->group("Comandos");
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
    app.exit(e, out, err);
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
