#pragma once
// A small declaration for the maintenance tests: establishments and links
// written straight into a copy of the initialised data folder, and a
// snapshot of both declaration tables to compare before and after.
#include <string>
#include <vector>

#include "../data/apoio.h"
#include "common/texto.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"

namespace teste {

inline constexpr const char* kCnpjSo = "11222333000181";    // valid as CNPJ only
inline constexpr const char* kCnpjECei = "00123429000176";  // valid as both
inline constexpr const char* kCeiSo = "00111222333443";     // valid as CEI only

class BaseManutencao {
 public:
  BaseManutencao() {
    CopiaPastaInicializada(pasta_ / "dados");
    c = vornex::AbreZema2004(pasta_ / "dados");
  }

  vornex::ChaveEstabelecimento Estab(const std::string& inscricao, const std::string& prefixo = "00",
                                     const std::string& tipo = "1", const std::string& ceiVinculado = "00000000000000") {
    vornex::Tabela t(c, "Bd8emp");
    vornex::Linha l = t.novaLinha();
    l["AnBase"] = "2004";
    l["CoCgcCeiEstabelecimento"] = inscricao;
    l["NuPrefixoEstabelecimento"] = prefixo;
    l["CoCgcVinculado"] = ceiVinculado;
    l["NoRazaoEstabelecimento"] = "EMPRESA " + inscricao + "/" + prefixo;
    l["InInscrEstabelecimento"] = tipo;
    l["InZemaNegEstabelecimento"] = "0";
    l["NuVinculosEstabelecimento"] = "000000";
    l["NuEstrangeirosEstabelec"] = "00000";
    t.inclui(l);
    return {"2004", inscricao, prefixo};
  }

  // Links numbered 1..n: PIS "1000000000i", name "EMPREGADO i", admission
  // 01/02/2001; every third one foreign. The row's counts are set to n.
  void Vinculos(const vornex::ChaveEstabelecimento& k, int n, const std::string& coVinculo = "10") {
    vornex::Tabela t(c, "Bd8vinc");
    for (int i = 1; i <= n; ++i) {
      vornex::Linha l = t.novaLinha();
      l["AnBase"] = k.anBase;
      l["CoCgcCeiEstabelecimento"] = k.inscricao;
      l["NuPrefixoEstabelecimento"] = k.prefixo;
      l["CoPisPasepEmpregado"] = Pis(i);
      l["DaAdmissaoEmpregado"] = "01022001";
      l["NoEmpregado"] = Nome(i);
      l["CoNacionalidade"] = i % 3 == 0 ? "20" : "10";
      l["CoVinculo"] = coVinculo;
      l["VaJaneiroEmpregado"] = "000123456";
      t.inclui(l);
    }
    vornex::Consulta q(c, "update Bd8emp set NuVinculosEstabelecimento = :n where AnBase = :a and "
                          "CoCgcCeiEstabelecimento = :i and NuPrefixoEstabelecimento = :p");
    q.defineTexto(":n", vornex::ZerosEsquerda(std::to_string(n), 6))
        .defineTexto(":a", k.anBase)
        .defineTexto(":i", k.inscricao)
        .defineTexto(":p", k.prefixo)
        .executa();
  }

  static std::string Pis(int i) {
    std::string s = std::to_string(i);
    return "1" + std::string(10 - s.size(), '0') + s;
  }
  static std::string Nome(int i) { return "EMPREGADO " + std::to_string(i); }

  // Every row of Bd8emp and Bd8vinc, all columns, in key order.
  std::vector<std::string> Retrato() {
    std::vector<std::string> r;
    for (const char* tabela : {"Bd8emp", "Bd8vinc"}) {
      vornex::Tabela t(c, tabela);
      for (const auto& l : t.todas()) {
        std::string s = tabela;
        for (const auto& v : l.valores()) s += "|" + v;
        r.push_back(std::move(s));
      }
    }
    return r;
  }

  std::string Coluna(const vornex::ChaveEstabelecimento& k, const char* coluna) {
    auto l = vornex::BuscaEstabelecimento(c, k);
    return l ? (*l)[coluna] : "<sem linha>";
  }

  PastaTemporaria pasta_;
  vornex::Conexao c;
};

}  // namespace teste
