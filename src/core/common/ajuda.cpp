#include "common/ajuda.h"

#include "common/catalogo.h"

namespace vornex {

namespace {

std::string_view SemSufixo(std::string_view nome, std::string_view sufixo) {
  if (nome.size() > sufixo.size() && nome.substr(nome.size() - sufixo.size()) == sufixo)
    nome.remove_suffix(sufixo.size());
  return nome;
}

std::string Escapa(std::string_view texto) {
  std::string r;
  for (char ch : texto) {
    switch (ch) {
      case '&': r += "&amp;"; break;
      case '<': r += "&lt;"; break;
      case '>': r += "&gt;"; break;
      case '"': r += "&quot;"; break;
      default: r += ch;
    }
  }
  return r;
}

}  // namespace

std::optional<TopicoAjuda> TopicoDaTela(std::string_view nome,
                                        const std::function<bool(const std::string&)>& existe) {
  // Forms generated from a step's layout carry a "Form" suffix.
  const std::string_view tela = SemSufixo(nome, "Form");
  if (tela.empty()) return std::nullopt;
  if (std::string pagina = std::string(tela) + ".html"; existe(pagina)) return TopicoAjuda{pagina, {}};
  std::string_view base = tela;
  while (!base.empty() && base.back() >= '0' && base.back() <= '9') base.remove_suffix(1);
  if (base.empty() || base.size() == tela.size()) return std::nullopt;
  if (std::string pagina = std::string(base) + ".html"; existe(pagina)) return TopicoAjuda{pagina, std::string(tela)};
  return std::nullopt;
}

std::string PaginaAvisos(const Catalogo& catalogo) {
  std::string html =
      "<html><head><meta charset=\"utf-8\"><title>Avisos</title></head><body>\n"
      "<h1>Avisos da verificação</h1>\n"
      "<p>Os avisos não impedem a gravação da declaração: são alertas para que o empregador fique "
      "atento às informações que extrapolam limites, como valores muito altos. Confira cada caso "
      "antes de gravar o arquivo e corrija o que estiver errado.</p>\n"
      "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n"
      "<tr><th>Número</th><th>Aviso</th></tr>\n";
  for (const auto& [numero, m] : catalogo.todas()) {
    if (m.tipo != "WAR") continue;
    html += "<tr><td>" + Escapa(numero) + "</td><td>" + Escapa(m.texto) + "</td></tr>\n";
  }
  html += "</table>\n<p><a href=\"" + std::string(kPaginaConteudo) + "\">Conteúdo da ajuda</a></p>\n</body></html>\n";
  return html;
}

}  // namespace vornex
