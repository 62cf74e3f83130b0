#include "data/tabelas_trabalho.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "common/texto.h"
#include "data/banco.h"

namespace vornex {

namespace {

DefinicaoCampo T(const char* nome, int tamanho) { return {nome, TipoCampo::Texto, tamanho}; }
DefinicaoCampo L(const char* nome) { return {nome, TipoCampo::Logico, 0}; }

constexpr ArquivoDados kTrabalho = ArquivoDados::Trabalho;

std::vector<DefinicaoTabela> MontaDefinicoes() {
  std::vector<DefinicaoTabela> d;
  d.emplace_back(kTabelaErros, kTrabalho,
                 std::vector<DefinicaoCampo>{T("errwar", 3), T("inscricao", 14), T("tipoinscricao", 1),
                                             T("prefixo", 2), T("tiporegistro", 1), T("retorno", 4),
                                             T("razaosocial", 52), T("copispasep", 11), T("noempregado", 30),
                                             T("DaAdmissao", 8), T("usoempresa", 12), T("lbl", 4),
                                             T("Conteudo", 52), T("Sequencial", 6)});
  d.emplace_back(kTabelaEstrutura, kTrabalho,
                 std::vector<DefinicaoCampo>{T("AnBase", 4), T("CoMsg", 4), T("Sequencia", 6),
                                             T("InscricaoPrefixo", 16), T("TipoCampo", 1),
                                             T("PosicaoInicial", 3), T("Conteudo", 20)});
  d.emplace_back(kTabelaImportacao, kTrabalho,
                 std::vector<DefinicaoCampo>{T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14),
                                             T("NuPrefixoEstabelecimento", 2), T("CoCgcVinculado", 14),
                                             T("InInscrEstabelecimento", 1), T("NuVinculosEstabelecimento", 6),
                                             T("NuTotalDesligados", 6), T("NuTotalDuplicados", 6),
                                             T("NuTotalImportados", 6), T("CoImp", 4), T("Seq", 3),
                                             // the base year of the file imported, for the report's title
                                             T("AnOrigem", 4)});
  d.emplace_back(
      kTabelaProtocoloId, kTrabalho,
      std::vector<DefinicaoCampo>{
          T("NuDisquete", 2), T("AnBase", 4), T("CoCgcCeiEstabelecimento", 14),
          T("NuPrefixoEstabelecimento", 2), T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52),
          T("EdEstabelecimento", 40), T("NuEnderecoEstabelecimento", 6), T("TxComplemEstabelecimento", 21),
          T("NoBairroEstabelecimento", 19), T("CoCepEstabelecimento", 8), T("CoMunicipio", 7),
          T("NoMunicEstabelecimento", 30), T("SgUf", 2), T("NuDDD", 2), T("NuTelefone", 8),
          T("TxEMailEstabelecimento", 45), T("CoCgcCeiResponsavel", 14), T("InInscrResponsavel", 1),
          T("NoResponsavelArquivo", 40), T("EdLogradouroRespArquivo", 40), T("NuLogradouroRespArquivo", 6),
          T("TxComplementoRespArquivo", 21), T("NoBairroRespArquivo", 19), T("CoCepRespArquivo", 8),
          T("CoMunicipioRespArquivo", 7), T("NoMunicipioRespArquivo", 30), T("SgUfRespArquivo", 2),
          T("NuFoneDDD", 2), T("NuFoneAssinante", 8), T("TxEMailRespArquivo", 45),
          L("InReciboParaRespArquivo"), L("InRetificacao"), T("DaGeracao", 8), T("HoSenha", 6),
          T("NuEstabelecimentos", 6), T("NuVinculos", 6), T("InEncerramentoAtividade", 1),
          T("DaEncerramentoAtividade", 8)});
  d.emplace_back(kTabelaProtocoloEs, kTrabalho,
                 std::vector<DefinicaoCampo>{T("NuDisquete", 2), T("CoCgcCeiEstabelecimento", 14),
                                             T("NuPrefixoEstabelecimento", 2), T("CoCgcVinculado", 14),
                                             T("InInscrEstabelecimento", 1), T("NoRazaoEstabelecimento", 52),
                                             T("NuVinculosEstabelecimento", 6),
                                             T("DaEncerramentoAtividade", 8)});
  return d;
}

const std::vector<DefinicaoTabela>& Definicoes() {
  static const std::vector<DefinicaoTabela> d = MontaDefinicoes();
  return d;
}

}  // namespace

bool TabelaDeTrabalho(std::string_view nome) {
  for (const char* t : {kTabelaErros, kTabelaEstrutura, kTabelaImportacao, kTabelaProtocoloId, kTabelaProtocoloEs,
                        kTrabalhoResponsavel, kTrabalhoEstabelecimento, kTrabalhoVinculo})
    if (IgualSemCaixa(t, nome)) return true;
  return false;
}

const DefinicaoTabela* DefinicaoTrabalho(std::string_view nome) {
  for (const auto& d : Definicoes())
    if (IgualSemCaixa(d.nome(), nome)) return &d;
  return nullptr;
}

void RecriaTabelaTrabalho(Conexao& c, std::string_view nome) {
  const DefinicaoTabela* def = DefinicaoTrabalho(nome);
  if (def == nullptr) throw std::invalid_argument("tabela de trabalho desconhecida: " + std::string(nome));
  Transacao t(c);
  ExcluiTabela(c, def->nome());
  CriaTabela(c, *def);
  t.confirma();
}

void RecriaCopiasDeclaracao(Conexao& c) {
  CopiaEstruturaTabela(c, "BD8Resp", kTrabalhoResponsavel, false);
  CopiaEstruturaTabela(c, "Bd8emp", kTrabalhoEstabelecimento, true);
  CopiaEstruturaTabela(c, "Bd8vinc", kTrabalhoVinculo, false);
  AdicionaIndice(c, kTrabalhoVinculo,
                 {"TE8VINC.PX", "Te8vinc",
                  "AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;"
                  "DaAdmissaoEmpregado;NoEmpregado;NuSequencialRegistro",
                  {true, false}});
}

void ExcluiCopiasDeclaracao(Conexao& c) {
  for (const char* t : {kTrabalhoResponsavel, kTrabalhoEstabelecimento, kTrabalhoVinculo}) ExcluiTabela(c, t);
}

}  // namespace vornex
