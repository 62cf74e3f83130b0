#pragma once
// Check digits of CNPJ, CEI, CPF and PIS/PASEP. The field rules screen
// empty, all-zero and malformed values before these tests are called.
#include <string_view>

namespace vornex {

int SomaPesos9(std::string_view digitos);
int SomaPesos11(std::string_view digitos);
int DvModulo11(int soma);
int DvPis(int soma);  // 10 stands for the 'X' of remainder 1
char DigitoChar(int dv);
char DvCei(std::string_view onzeDigitos);

// False also for texts that are not digits of the stated length.
bool CnpjValido(std::string_view inscricao14);
bool CeiValido(std::string_view inscricao14);
bool CpfValido(std::string_view cpf11);
bool PisValido(std::string_view pis11);

}  // namespace vornex
