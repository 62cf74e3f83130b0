#pragma once
// The satisfaction survey: 22 marks kept as one character each in
// BD8Resp.NuRespostaPesquisa. "1".."9" for marks 01 to 09, "A" for 10, "X"
// for 77 (does not apply), "B" for no answer.
#include <optional>
#include <string>
#include <string_view>

namespace vornex {

class Conexao;

inline constexpr int kQuestoesPesquisa = 22;

// The stored character of a mark as typed (padded with zeros to two
// digits first); nullopt for a mark outside the scale.
std::optional<char> CodigoDaNota(std::string_view nota);
// The mark shown for a stored character: "A" -> "10", "X" -> "77", "B" ->
// empty, any other -> "0" followed by it.
std::string NotaDoCodigo(char codigo);

// The stored answers, 22 characters ("B" for those missing); 22 "B" when
// the survey was never answered.
std::string LeRespostasPesquisa(Conexao& c);
// Writes the answers into BD8Resp, creating its row when there is none.
void GravaRespostasPesquisa(Conexao& c, std::string_view respostas);

}  // namespace vornex
