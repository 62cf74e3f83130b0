#pragma once
// Declaration files for tests and benchmarks, built record by record with the
// layout's own builder from rows shaped like the declaration tables. Values
// are upper-case and full width, so loading them back and building again
// gives the same bytes.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/banco.h"
#include "data/declaracao.h"
#include "data/linha.h"
#include "data/tabelas.h"
#include "declfile/layout.h"

namespace teste {

inline vornex::Linha NovaLinhaDe(const char* tabela) { return vornex::DefinicaoSistema(tabela)->novaLinha(); }

inline vornex::Linha ResponsavelExemplo() {
  vornex::Linha r = NovaLinhaDe("BD8Resp");
  r["CoCgcCeiResponsavel"] = "12345678000195";
  r["InInscrResponsavel"] = "1";
  r["NoResponsavelArquivo"] = "MARIA DA SILVA";
  r["EdLogradouroRespArquivo"] = "RUA DAS FLORES";
  r["NuLogradouroRespArquivo"] = "000123";
  r["TxComplementoRespArquivo"] = "APTO 4";
  r["NoBairroRespArquivo"] = "CENTRO";
  r["CoCepRespArquivo"] = "70000000";
  r["CoMunicipioRespArquivo"] = "5300108";
  r["NoMunicipioRespArquivo"] = "BRASILIA";
  r["SgUfRespArquivo"] = "DF";
  r["NuFoneDDD"] = "61";
  r["NuFoneAssinante"] = "33334444";
  r["TxEMailRespArquivo"] = "RESP@ESCRITORIO.COM.BR";
  r["InReciboParaRespArquivo"] = "1";
  r["DaRetificacao"] = "00000000";
  r["DaGeracao"] = "15032005";
  r["NuRespostaPesquisa"] = "123";
  return r;
}

inline vornex::Linha EstabelecimentoExemplo(std::string_view inscricao, std::string_view prefixo,
                                            bool semEmpregados, std::string_view anBase = "2004") {
  vornex::Linha e = NovaLinhaDe("Bd8emp");
  e["AnBase"] = std::string(anBase);
  e["CoCgcCeiEstabelecimento"] = std::string(inscricao);
  e["NuPrefixoEstabelecimento"] = std::string(prefixo);
  e["CoCgcVinculado"] = "00123456789012";
  e["NoRazaoEstabelecimento"] = "PADARIA PAO QUENTE LTDA";
  e["EdEstabelecimento"] = "AV CENTRAL";
  e["NuEnderecoEstabelecimento"] = "000010";
  e["TxComplemEstabelecimento"] = "LOJA 2";
  e["NoBairroEstabelecimento"] = "ASA SUL";
  e["CoCepEstabelecimento"] = "70300000";
  e["CoMunicipio"] = "5300108";
  e["NoMunicEstabelecimento"] = "BRASILIA";
  e["SgUf"] = "DF";
  e["NuDDD"] = "61";
  e["NuTelefone"] = "32220000";
  e["CoCnae"] = "15814";
  e["CoNaturezaJuridica"] = "2062";
  e["NuProprietEstabelecimento"] = "02";
  e["MeDataBase"] = "05";
  e["InInscrEstabelecimento"] = "1";
  e["InZemaNegEstabelecimento"] = semEmpregados ? "1" : "0";
  e["TxUsoEstabelecimento"] = "USO INTERNO";
  e["InPorte"] = "1";
  e["InOptanteSimples"] = "1";
  e["InEncerramentoAtividade"] = "2";
  e["DaEncerramentoAtividade"] = "00000000";
  e["InParticipaPAT"] = "1";
  e["NuVinculoPatMaior5"] = "000003";
  e["NuVinculoPatMenor5"] = "000012";
  e["PoAdmCozinha"] = "010";
  e["PoServicoProprio"] = "020";
  e["PoRefeicaoConvenio"] = "030";
  e["PoRefeicaoTransportadora"] = "040";
  e["PoCestaAlimento"] = "000";
  e["PoAlimentacaoConvenio"] = "000";
  e["TxEmailEstabelecimento"] = "CONTATO@PADARIA.COM.BR";
  return e;
}

// The n-th link (0-based) of an establishment: its PIS/PASEP and name vary with n.
inline vornex::Linha VinculoExemplo(long n) {
  vornex::Linha v = NovaLinhaDe("Bd8vinc");
  std::string pis = std::to_string(10000000000L + n);
  v["CoPisPasepEmpregado"] = pis;
  v["NoEmpregado"] = "JOSE PEREIRA " + std::to_string(n);
  v["DaNascimentoEmpregado"] = "05061980";
  v["CoNacionalidade"] = n % 5 == 4 ? "20" : "10";
  v["AnChegadaEmpregado"] = "0000";
  v["CoInstrucao"] = "7";
  v["CoCpfEmpregado"] = "11144477735";
  v["NuCartTrabEmpregado"] = "12345600012";
  v["DaAdmissaoEmpregado"] = "01022003";
  v["CoTipoAdmissao"] = "2";
  v["VaSalContratualEmpregado"] = "000150000";
  v["CoTipoSalarioContratual"] = "1";
  v["HoSemanaisEmpregado"] = "44";
  v["CoCbo"] = "848305";
  v["CoVinculo"] = "10";
  v["CoCausaDesligamento"] = "00";
  v["DaDesligamentoEmpregado"] = "0000";
  for (const char* m : {"VaJaneiroEmpregado", "VaFevereiroEmpregado", "VaMarcoEmpregado", "VaAbrilEmpregado",
                        "VaMaioEmpregado", "VaJunhoEmpregado", "VaJulhoEmpregado", "VaAgostoEmpregado",
                        "VaSetembroEmpregado", "VaOutubroEmpregado", "VaNovembroEmpregado", "VaDezembroEmpregado"})
    v[m] = "000150000";
  v["Va13AdiantamentoEmpregado"] = "000075000";
  v["Me13AdiantamentoEmpregado"] = "06";
  v["Va13ParcelaFinalEmpregado"] = "000075000";
  v["Me13ParcelaFinalEmpregado"] = "12";
  v["CoTipoRaca"] = "2";
  v["InDeficienteFisico"] = "2";
  v["InAlvaraEmpregado"] = "2";
  v["VaAvisoPrevioEmpregado"] = "000000000";
  v["InSexo"] = "1";
  v["CoMotivoPrimAfas"] = "00";
  v["DaInicioprimeiroAfas"] = "0000";
  v["DaFinalPrimeiroAfas"] = "0000";
  v["CoMotivoSeguAfas"] = "00";
  v["DaInicioSegundoAfas"] = "0000";
  v["DaFinalSegundoAfas"] = "0000";
  v["CoMotivoTercAfas"] = "00";
  v["DaInicioTerceiroAfas"] = "0000";
  v["DaFinalTerceiroAfas"] = "0000";
  v["QtDiasAfas"] = "000";
  v["TxUsoEmpregado"] = "MATRICULA 9";
  return v;
}

// Writes a file of `estabelecimentos` establishments with `vinculosPorEstab`
// links each (none: declared without employees), records ending in CR LF,
// one record at a time. Answers the links written.
inline long GeraArquivoZema(std::ostream& saida, long estabelecimentos, long vinculosPorEstab) {
  vornex::MontadorRegistros m;
  const vornex::Linha resp = ResponsavelExemplo();
  auto estab = [&](long i) {
    const std::string n = std::to_string(10000000000000L + i);
    return EstabelecimentoExemplo(n, "00", vinculosPorEstab == 0);
  };
  std::string r;
  long seq = 1, prefixos = 0, vinculos = 0;
  vornex::Linha e = estab(0);
  m.zero(resp, e, {{true, false}, {}, "101010"}, r);
  vornex::Linha v = VinculoExemplo(0);
  for (long i = 0; i < estabelecimentos; ++i) {
    if (i > 0) e = estab(i);
    m.um(e, ++seq, r);
    for (long k = 0; k < vinculosPorEstab; ++k) {
      v["CoPisPasepEmpregado"] = std::to_string(10000000000L + k);
      m.dois(e, v, ++seq, r);
      ++vinculos;
      if (r.size() > (1 << 16)) {
        saida << r;
        r.clear();
      }
    }
  }
  m.nove(resp, e, {{true, false}, ++seq, estabelecimentos, vinculos, prefixos}, r);
  saida << r;
  return vinculos;
}

// The declaration of the user's tables as the writer lays it out, in one
// file, for tests that need a file whose content passes every check.
inline std::string ArquivoDaDeclaracao(vornex::Conexao& c, std::string_view dataGeracao = "15032005") {
  vornex::MontadorRegistros m;
  const vornex::Linha resp = *vornex::LeResponsavel(c);
  const auto estabs = vornex::Consulta(c, "SELECT * FROM Bd8emp ORDER BY AnBase, CoCgcCeiEstabelecimento, "
                                          "NuPrefixoEstabelecimento").todas();
  std::string r;
  m.zero(resp, estabs.at(0), {{}, dataGeracao, "101010"}, r);
  long seq = 1, tipo2 = 0, prefixos = 0;
  for (const auto& e : estabs) {
    m.um(e, ++seq, r);
    prefixos += e["NuPrefixoEstabelecimento"] != "00";
    const vornex::ChaveEstabelecimento k{e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]};
    for (const auto& v : vornex::VinculosDoEstabelecimento(c, k)) {
      m.dois(e, v, ++seq, r);
      ++tipo2;
    }
  }
  m.nove(resp, estabs.back(), {{}, ++seq, static_cast<long>(estabs.size()), tipo2, prefixos}, r);
  return r;
}

// A file as a list of 350-character records that tests can change before
// joining them with a delimiter.
struct ArquivoZema {
  std::vector<std::string> registros;

  // Puts `texto` at the 1-based position `pos` of record `i` (0-based).
  ArquivoZema& poe(std::size_t i, int pos, std::string_view texto) {
    registros.at(i).replace(static_cast<std::size_t>(pos - 1), texto.size(), texto);
    return *this;
  }
  // Sequence numbers from 1 again, after records were added or removed.
  ArquivoZema& renumera() {
    for (std::size_t i = 0; i < registros.size(); ++i) {
      std::string s = std::to_string(i + 1);
      registros[i].replace(0, 6, std::string(6 - s.size(), '0') + s);
    }
    return *this;
  }
  std::string junta(std::string_view delimitador = "\r\n") const {
    std::string s;
    for (const auto& r : registros) (s += r) += delimitador;
    return s;
  }
};

inline ArquivoZema SeparaRegistros(const std::string& gravado) {
  ArquivoZema a;
  for (std::size_t p = 0; p + vornex::kTamanhoRegistro <= gravado.size(); p += vornex::kTamanhoLinhaGravada)
    a.registros.push_back(gravado.substr(p, vornex::kTamanhoRegistro));
  return a;
}

}  // namespace teste
