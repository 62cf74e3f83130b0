#pragma once
// How the viewer of an analysed file shows the rows it read: every field as
// text, keyed by the column it comes from (plus the few panels that sum up
// an establishment). Codes come with their descriptions when the reference
// tables know them; nothing here changes a row.
#include <map>
#include <string>
#include <string_view>

#include "data/linha.h"

namespace vornex {

class TabelasReferencia;

// Keys besides the columns.
inline constexpr const char* kPainelDeclaracao = "PainelDeclaracao";
inline constexpr const char* kPainelPorte = "PainelPorte";
inline constexpr const char* kPainelEncerramento = "PainelEncerramento";
inline constexpr const char* kPainelAno = "PainelAno";
inline constexpr const char* kPainelPat = "PainelPat";
// The absence descriptions shown beside each code.
inline constexpr const char* kDescricaoAfastamento[] = {"NoMotivoPrimAfas", "NoMotivoSeguAfas", "NoMotivoTercAfas"};

using CamposExibidos = std::map<std::string, std::string, std::less<>>;

// Money of nine digits in centavos as the viewer's right-aligned boxes show
// it: "###,##0.00" with blanks in front by the length of the result
// ("1.500,00" gets 7); "Erro" when no number can be read; a text that is not
// all digits is shown trimmed.
std::string FormataValorConsulta(std::string_view centavos);

// Te8resp: logical columns answer "1" or "0".
CamposExibidos ExibeResponsavelArquivo(const Linha& responsavel);
CamposExibidos ExibeEstabelecimentoArquivo(const Linha& estabelecimento, const TabelasReferencia& ref);
CamposExibidos ExibeVinculoArquivo(const Linha& vinculo, const TabelasReferencia& ref);

}  // namespace vornex
