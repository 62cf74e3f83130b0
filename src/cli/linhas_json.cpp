#include "linhas_json.h"

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>

#include "comando.h"

namespace vornex::cli {

using nlohmann::json;

json LinhaJson(const DefinicaoTabela& def, const Linha& l) {
  json j = json::object();
  for (const auto& campo : def.campos())
    if (campo.tipo == TipoCampo::Logico)
      j[campo.nome] = l.logico(campo.nome);
    else
      j[campo.nome] = l[campo.nome];
  return j;
}

json LeObjeto(const std::string& arquivo, std::uintmax_t tamanhoMaximo, const std::string& oQue) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_regular_file(arquivo, ec)) throw ErroComando("arquivo não encontrado: " + arquivo);
  if (fs::file_size(arquivo, ec) > tamanhoMaximo)
    throw ErroComando("arquivo grande demais para " + oQue + ": " + arquivo);
  std::ifstream in(arquivo, std::ios::binary);
  std::ostringstream texto;
  texto << in.rdbuf();
  json j = json::parse(texto.str(), nullptr, false);
  if (j.is_discarded() || !j.is_object()) throw ErroComando("o arquivo não contém um objeto JSON: " + arquivo);
  return j;
}

void AplicaObjeto(const DefinicaoTabela& def, const json& j, Linha& l) {
  for (const auto& [nome, valor] : j.items()) {
    const DefinicaoCampo* campo = def.campo(nome);
    if (!campo) throw ErroComando("coluna desconhecida em " + def.nome() + ": " + nome);
    if (campo->tipo == TipoCampo::Logico) {
      if (!valor.is_boolean()) throw ErroComando("a coluna " + campo->nome + " é lógica (true ou false)");
      l.defineLogico(campo->nome, valor.get<bool>());
      continue;
    }
    if (!valor.is_string()) throw ErroComando("a coluna " + campo->nome + " é texto (entre aspas)");
    const std::string v = valor.get<std::string>();
    if (campo->tamanho > 0 && static_cast<int>(v.size()) > campo->tamanho)
      throw ErroComando("valor longo demais para " + campo->nome + " (máximo " + std::to_string(campo->tamanho) +
                        " caracteres)");
    l[campo->nome] = v;
  }
}

std::string TextoDe(const json& j, const char* coluna, const std::string& padrao) {
  auto it = j.find(coluna);
  return it != j.end() && it->is_string() ? it->get<std::string>() : padrao;
}

void ImprimeLinha(std::ostream& out, const DefinicaoTabela& def, const Linha& l) {
  for (const auto& campo : def.campos())
    out << campo.nome << ": "
        << (campo.tipo == TipoCampo::Logico ? (l.logico(campo.nome) ? "sim" : "não") : l[campo.nome]) << "\n";
}

}  // namespace vornex::cli
