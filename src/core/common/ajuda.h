#pragma once
// The on-line help: HTML pages shipped in the "ajuda" folder beside the
// reference tables. Each screen has a page named after it; the steps of an
// assistant share their assistant's page, one section (anchor) per step. The
// warnings page is not shipped: it is built from the message catalog, so
// each warning's text lives only there.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vornex {

class Catalogo;

inline constexpr const char* kPastaAjuda = "ajuda";
inline constexpr const char* kPaginaConteudo = "indice.html";
inline constexpr const char* kPaginaComoFazer = "como_fazer.html";
inline constexpr const char* kPaginaAvisos = "avisos.html";

struct TopicoAjuda {
  std::string pagina;  // file name inside the help folder
  std::string ancora;  // section of the page; empty: its top
};

// The topic of the screen whose form is named `nome` ("TfmDadosEstab",
// "TfmAnalis00Form", "TfmGravaDecl03"): the page named after it, else its
// assistant's page (the name without its step digits) at the step's anchor.
// `existe` answers whether a page is shipped. nullopt: no topic.
std::optional<TopicoAjuda> TopicoDaTela(std::string_view nome,
                                        const std::function<bool(const std::string& pagina)>& existe);

// The warnings page: every warning of the catalog, by number.
std::string PaginaAvisos(const Catalogo& catalogo);

}  // namespace vornex
