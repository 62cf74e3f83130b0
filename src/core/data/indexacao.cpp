#include "data/indexacao.h"

#include <array>
#include <optional>

#include "data/pasta_dados.h"
#include "data/trava_pasta.h"

namespace vornex {

namespace fs = std::filesystem;

namespace {

constexpr std::array<PassoIndexacao, 19> kPassos{{
    {1, "TB8MSG.PX", "tb8MSG", true},
    {2, "TB8VINC.PX", "tb8vinc", true},
    {3, "TB8BASE.PX", "", false},
    {4, "TB8CNAE.PX", "tb8CNAE", true},
    {5, "TB8DESL.PX", "tb8DESL", true},
    {6, "TB8INSTR.PX", "tb8INSTR", true},
    {7, "TB8MUNIC.PX", "tb8MUNIC", true},
    {8, "TB8NACIO.PX", "tb8NACIO", true},
    {9, "TB8Raca.PX", "Tb8raca", true},
    {10, "TB8NATJU.PX", "tb8NATJU", true},
    {11, "TB8TPADM.PX", "tb8TPADM", true},
    {12, "TB8TPSAL.PX", "tb8TPSAL", true},
    {13, "TBUF.PX", "TbUf", true},
    {14, "TBUF.XG0", "TbUf", true},
    {15, "TB8CBO.PX", "tb8cbo", true},
    {16, "BD8VINC.PX", "Bd8vinc", false},
    {17, "BD8EMP.PX", "Bd8emp", false},
    {18, "TB8FXCEP.PX", "tb8FXCEP", true},
    {19, "TB8Afast.PX", "tb8Afast", true},
}};

void Mostra(Dialogos& d, TipoDialogo tipo, const std::string& texto) { d.mostra(tipo, Botoes::Ok, texto); }

}  // namespace

std::span<const PassoIndexacao> PassosIndexacao() { return kPassos; }

bool RecriaIndice(Conexao& c, Dialogos& dialogos, std::string_view arquivoIndice, std::string_view nomeIndice,
                  std::string_view campos, OpcoesIndice opcoes) {
  auto ponto = arquivoIndice.find('.');
  if (ponto == std::string_view::npos) {
    Mostra(dialogos, TipoDialogo::Erro, "Parâmetro TabelaIndice deve conter nome da Tabela.indice");
    return false;
  }
  const std::string tabela(arquivoIndice.substr(0, ponto));

  std::optional<Transacao> exclusiva;
  try {
    exclusiva.emplace(c, Transacao::Tipo::Exclusiva);
    if (!ExisteTabela(c, tabela))
      throw ErroBanco(kErroTabelaInexistente, DescricaoErro(kErroTabelaInexistente) + ": " + tabela);
  } catch (const ErroBanco& e) {
    exclusiva.reset();
    if (e.tabelaOcupada()) {
      Mostra(dialogos, TipoDialogo::Erro,
             std::string("Nenhum usuário pode estar usando o sistema: \"") + e.what() + "\"");
      return false;
    }
    try {
      ExcluiIndice(c, arquivoIndice);
    } catch (const ErroBanco&) {
      Mostra(dialogos, TipoDialogo::Erro, "Nenhum usuário pode estar usando o sistema!");
      return false;
    }
  }

  try {
    ExcluiIndice(c, arquivoIndice);
  } catch (const ErroBanco&) {
    // Adding the index below reports whatever is really wrong.
  }
  // Inside the exclusive transaction a failure (duplicate keys) rolls back
  // and leaves the old index, if there was one, as it was.
  AdicionaIndice(c, tabela, {std::string(arquivoIndice), std::string(nomeIndice), std::string(campos), opcoes});
  if (exclusiva) exclusiva->confirma();
  return true;
}

bool VerificaArquivosDados(const fs::path& pasta, Dialogos& dialogos) {
  std::error_code ec;
  // The first required table lives in the declaration file, the fourth in
  // the reference file: a missing file fails its first table.
  for (const char* arquivo : {kArquivoDeclaracao, kArquivoReferencia})
    if (!fs::is_regular_file(pasta / arquivo, ec)) return false;

  Conexao c = AbreZema2004(pasta);
  for (std::string_view t : TabelasObrigatorias()) {
    const auto* def = DefinicaoSistema(t);
    if (!ExisteTabela(c, t, def->arquivo())) return false;
  }
  for (const auto& i : IndicesRecriaveis())
    if (!ExisteIndice(c, i.arquivo)) RecriaIndice(c, dialogos, i.arquivo, i.nome, i.campos, i.opcoes);
  return true;
}

ResultadoIndexacao IndexaArquivos(Conexao& c, Dialogos& dialogos, ProgressoIndexacao& progresso) {
  const TravaPastaDados trava(c);
  progresso.inicia(static_cast<int>(kPassos.size()));
  for (const auto& p : kPassos) {
    const auto* i = IndiceRecriavelDe(p.arquivoIndice);
    if (!p.conjunto.empty()) progresso.fechaConjunto(p);
    // A folder that cannot be written, a damaged file or a table without the
    // index's columns all end the pass the same way.
    bool ok = false;
    try {
      ok = RecriaIndice(c, dialogos, p.arquivoIndice, i->nome, i->campos, i->opcoes);
    } catch (const ErroBanco&) {
    }
    if (!ok) {
      Mostra(dialogos, TipoDialogo::Erro, kTextoArquivosComProblemas);
      if (p.reabre) progresso.reabreConjunto(p);
      progresso.termina(false);
      return {false, p.numero};
    }
    if (p.reabre) progresso.reabreConjunto(p);
    progresso.avanca(p);
  }
  progresso.termina(true);
  Mostra(dialogos, TipoDialogo::Informacao, "Arquivos indexados com sucesso.");
  return {true, 0};
}

}  // namespace vornex
