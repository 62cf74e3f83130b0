#pragma once
// Address and contact rules shared by the establishment and the responsible
// person, and the composite municipality/CEP/UF check of their screens.
#include <string>
#include <string_view>

#include "common/mensagem.h"
#include "validation/referencias.h"

namespace vornex {

// --- address -----------------------------------------------------------------
NuMensagem CriticaLogradouro(std::string_view logradouro);
NuMensagem CriticaNumeroEndereco(std::string_view numero);
NuMensagem CriticaComplemento(std::string_view complemento);
NuMensagem CriticaComplementoSemNumero(std::string_view numero, std::string_view complemento);
NuMensagem CriticaBairro(std::string_view bairro);
NuMensagem CriticaNomeMunicipio(std::string_view nomeMunicipio);
NuMensagem CriticaCep(std::string_view cep);
NuMensagem CriticaMunicipio(std::string_view municipio, const Referencias& ref);
NuMensagem CriticaUf(std::string_view sgUf, const Referencias& ref);
NuMensagem CriticaUfMunicipio(std::string_view municipio, std::string_view sgUf, const Referencias& ref);
// `aceitaSemCep`: a single-CEP municipality without a CoCep takes any CEP
// (the consistency check sets it; the screens' composite check does not).
NuMensagem CriticaCepMunicipio(std::string_view cep, std::string_view municipio, bool aceitaSemCep,
                               const Referencias& ref);
// CEP prefixes accepted in a state although they are not its municipality's.
NuMensagem CriticaCepExcecao(std::string_view cep, std::string_view municipio);
// `coUf`: the two-digit state code (TbUf.CoUf).
NuMensagem CriticaCepUf(std::string_view cep, std::string_view coUf, const Referencias& ref);

// --- contact -------------------------------------------------------------------
NuMensagem CriticaDdd(std::string_view ddd);
NuMensagem CriticaTelefone(std::string_view telefone);
NuMensagem CriticaDddTelefone(std::string_view ddd, std::string_view telefone);
// `coUf`: the two-digit state code; callers get it from the abbreviation
// through Referencias::CodigoUf.
NuMensagem CriticaDddUf(std::string_view ddd, std::string_view coUf);
NuMensagem CriticaEmail(std::string_view email);

// --- composite check of the establishment and responsible screens --------------
class TCriticaZema {
 public:
  enum class Status : char {
    Valido = '0',
    MunicipioInvalido = '1',
    CepForaDoMunicipio = '2',
    CepForaDaUf = '3',
    MunicipioSemCep = '4',  // no CEP of its own; the CEP lies in the state
  };
  struct Resultado {
    std::string noMunicipio;  // filled once the municipality is valid
    std::string sgUf;
    Status status = Status::Valido;
    NuMensagem mensagem;
  };

  explicit TCriticaZema(const Referencias& ref) : ref_(ref) {}
  Resultado CriticaMunicipioCepUf(std::string_view municipio, std::string_view cep) const;

 private:
  const Referencias& ref_;
};

}  // namespace vornex
