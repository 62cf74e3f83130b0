#include "validation/regras_declaracao.h"

#include "validation/regras_base.h"

namespace vornex {

using namespace regras;

namespace {
// Dates of the declaration fall in the year of delivery, 2005.
NuMensagem DataDeEntrega(std::string_view d, NuMensagem antes, NuMensagem depois, NuMensagem invalida) {
  if (!DataValida(d)) return invalida;
  const long long v = DataNumero(d);
  if (v < 20050101) return antes;
  if (v > 20051231) return depois;
  return kSemOcorrencia;
}
}  // namespace

NuMensagem CriticaDaGeracao(std::string_view data) {
  const auto d = Apara(data);
  if (auto m = CriticaNumerico(d, 8); !m.ok()) return m;
  if (SoZeros(d)) return "0420"_msg;
  return DataDeEntrega(d, "0420"_msg, "0423"_msg, "0421"_msg);
}

NuMensagem CriticaDaRetificacao(bool retificacao, std::string_view data) {
  const auto d = Apara(data);
  if (auto m = CriticaNumerico(d, 8); !m.ok()) return m;
  if (!retificacao) return SoZeros(d) ? kSemOcorrencia : "0411"_msg;
  if (SoZeros(d)) return "0410"_msg;
  return DataDeEntrega(d, "0410"_msg, "0413"_msg, "0412"_msg);
}

}  // namespace vornex
