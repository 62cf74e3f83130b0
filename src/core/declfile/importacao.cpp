#include "declfile/importacao.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <set>
#include <stdexcept>

#include "common/texto.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"
#include "data/tabelas.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"
#include "declfile/itens_lista.h"
#include "validation/regras_estabelecimento.h"

namespace vornex {

std::string TextoModoImportacao(bool anoAnterior) {
  return anoAnterior ? "Anterior - Ano " + std::string(kAnoAnteriorImportacao)
                     : "Atual - Ano " + std::string(kAnoAtualImportacao);
}

ModoImportacao ModoDoTexto(std::string_view texto) {
  ModoImportacao m;
  m.anoAnterior = texto.find("Anterior") != std::string_view::npos;
  const std::size_t inicio = m.anoAnterior ? 15 : 12;
  m.anoOrigem = texto.size() > inicio ? std::string(texto.substr(inicio, 4)) : std::string();
  return m;
}

std::string ItemImportacao::texto() const {
  return TextoItemEstabelecimento(inscricao, tipo, prefixo, nome, vinculos);
}

bool ItemImportacao::prefixoImportavel() const {
  const std::string t = texto();
  return t.size() >= 22 && Apara(std::string_view(t).substr(20, 2)).size() == 2;
}

std::vector<ItemImportacao> EstabelecimentosDoArquivo(Conexao& c, std::string_view anoOrigem) {
  Consulta& q = c.prepara({"Select coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, ",
                           "NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento ",
                           "from trabalho.Te8Emp where Anbase = :ano order by rowid"});
  q.defineTexto(":ano", anoOrigem);
  std::vector<ItemImportacao> itens;
  while (q.proxima())
    itens.push_back({std::string(q.texto(0)), std::string(q.texto(1)), std::string(q.texto(2)),
                     std::string(q.texto(3)), std::string(q.texto(4))});
  return itens;
}

std::size_t QuantosSelecionaTodos(const std::vector<ItemImportacao>& itens) {
  std::size_t n = 0;
  while (n < itens.size() && itens[n].prefixoImportavel()) ++n;
  return n;
}

std::string ProximoPrefixo(std::string_view prefixo) {
  std::string p(prefixo);
  p.resize(2, '0');
  auto avanca = [](char ch) {
    if (ch == '9') return 'A';
    if (ch == 'Z') return '0';
    return static_cast<char>(ch + 1);
  };
  if (p[1] == 'Z') {
    p[1] = '0';
    p[0] = avanca(p[0]);
  } else {
    p[1] = avanca(p[1]);
  }
  return p;
}

namespace {

constexpr std::string_view kSemPrefixoNovo = "$$";

// Whole percent, each value once, in increasing order.
class Medidor {
 public:
  Medidor(AcompanhamentoPassagem& a, long long total) : a_(a), total_(total) { a_.progresso(0); }
  void avanca() {
    ++feito_;
    if (total_ <= 0) return;
    const int p = static_cast<int>(std::min<long long>(100, feito_ * 100 / total_));
    if (p > ultimo_) {
      ultimo_ = p;
      a_.progresso(p);
    }
  }
  void conclui() {
    if (ultimo_ < 100) a_.progresso(100);
    ultimo_ = 100;
  }

 private:
  AcompanhamentoPassagem& a_;
  long long total_;
  long long feito_ = 0;
  int ultimo_ = 0;
};

bool CausaAtiva(std::string_view causa) { return causa == "00" || causa == "71" || causa == "78"; }

std::string ListaColunas(const DefinicaoTabela& def) {
  std::string s;
  for (const auto& f : def.campos()) {
    if (!s.empty()) s += ", ";
    s += Identificador(f.nome);
  }
  return s;
}

std::size_t Posicao(const DefinicaoTabela& def, std::string_view coluna) {
  return def.esquema()->indice(coluna);
}

class Importador {
 public:
  Importador(Conexao& c, const OpcoesImportacao& o, long long itensLista)
      : c_(c),
        o_(o),
        anoOrigem_(o.anoAnterior ? kAnoAnteriorImportacao : kAnoAtualImportacao),
        defVinc_(*DefinicaoSistema(kTabelaVinculos)),
        bd8emp_(c, kTabelaEstabelecimentos),
        te8emp_(c, kTrabalhoEstabelecimento),
        leImp_(c, "SELECT * FROM trabalho.TE8Imp WHERE rowid = ?1"),
        contaImp_(c, "UPDATE trabalho.TE8Imp SET NuPrefixoEstabelecimento = ?1, NuTotalDesligados = ?2,"
                     " NuTotalDuplicados = ?3, NuTotalImportados = ?4, CoImp = ?5, Seq = ?6 WHERE rowid = ?7"),
        vinculosArquivo_(c, "SELECT " + ListaColunas(defVinc_) +
                                " FROM trabalho.Te8vinc WHERE CoCgcCeiEstabelecimento = ?1"
                                " AND NuPrefixoEstabelecimento = ?2 AND AnBase = ?3 ORDER BY rowid"),
        duplicado_(c, "SELECT 1 FROM main.Bd8vinc WHERE AnBase = ?1 AND CoCgcCeiEstabelecimento = ?2"
                      " AND NuPrefixoEstabelecimento = ?3 AND CoPisPasepEmpregado = ?4"
                      " AND DaAdmissaoEmpregado = ?5 LIMIT 1"),
        duplicadoNome_(c, "SELECT 1 FROM main.Bd8vinc WHERE AnBase = ?1 AND CoCgcCeiEstabelecimento = ?2"
                          " AND NuPrefixoEstabelecimento = ?3 AND CoPisPasepEmpregado = ?4"
                          " AND DaAdmissaoEmpregado = ?5 AND NoEmpregado = ?6 LIMIT 1"),
        insereVinculo_(c, InsercaoVinculo(defVinc_)) {
    iPis_ = Posicao(defVinc_, "CoPisPasepEmpregado");
    iAdmissao_ = Posicao(defVinc_, "DaAdmissaoEmpregado");
    iNome_ = Posicao(defVinc_, "NoEmpregado");
    iCausa_ = Posicao(defVinc_, "CoCausaDesligamento");
    iDiasAfas_ = Posicao(defVinc_, "QtDiasAfas");
    iAnBase_ = Posicao(defVinc_, "AnBase");
    iInscricao_ = Posicao(defVinc_, "CoCgcCeiEstabelecimento");
    iPrefixo_ = Posicao(defVinc_, "NuPrefixoEstabelecimento");
    const long long vinculos = c.prepara("SELECT count(*) FROM trabalho.Te8vinc").escalar();
    porVinculo_ = !(vinculos == 0 || itensLista * 10 >= vinculos);
    totalProgresso_ = porVinculo_ ? vinculos : 0;
  }

  bool porVinculo() const { return porVinculo_; }
  long long totalProgresso() const { return totalProgresso_; }
  std::size_t importadosTotal() const { return importadosTotal_; }
  // Rows written or looked up since the last call.
  long long linhasPostadas() {
    const long long n = linhasPostadas_;
    linhasPostadas_ = 0;
    return n;
  }

  // Step 6 for one TE8Imp row; posts the row's counters and code.
  void processa(long long rowid, Medidor& medidor) {
    medidor_ = &medidor;
    leImp_.defineInteiro(1, rowid);
    auto lida = leImp_.primeira();
    if (!lida) return;
    Linha imp = std::move(*lida);
    prefixoNovo_ = std::string(kSemPrefixoNovo);
    existe_ = false;
    desligados_ = duplicados_ = importados_ = 0;

    if (Identificacao(imp)) ImportaEstabelecimento(imp);
    imp["NuTotalDesligados"] = std::to_string(desligados_);
    imp["NuTotalDuplicados"] = std::to_string(duplicados_);
    imp["NuTotalImportados"] = std::to_string(importados_);
    contaImp_.defineTexto(1, imp["NuPrefixoEstabelecimento"])
        .defineTexto(2, imp["NuTotalDesligados"])
        .defineTexto(3, imp["NuTotalDuplicados"])
        .defineTexto(4, imp["NuTotalImportados"])
        .defineTexto(5, imp["CoImp"])
        .defineTexto(6, imp["Seq"])
        .defineInteiro(7, rowid)
        .executa();
    importadosTotal_ += static_cast<std::size_t>(importados_);
    linhasPostadas_ += 1 + importados_ + duplicados_;
  }

 private:
  static std::string InsercaoVinculo(const DefinicaoTabela& def) {
    std::string s = "INSERT INTO main.Bd8vinc (" + ListaColunas(def) + ") VALUES (";
    for (std::size_t i = 0; i < def.campos().size(); ++i) s += (i ? ", ?" : "?") + std::to_string(i + 1);
    return s + ")";
  }

  void NumeraCodigo(Linha& imp, NuMensagem codigo) {
    if (!imp["CoImp"].empty()) return;  // the first code recorded stays
    imp["CoImp"] = codigo.str();
    auto it = std::find(numerados_.begin(), numerados_.end(), codigo.str());
    if (it == numerados_.end()) it = numerados_.insert(numerados_.end(), codigo.str());
    imp["Seq"] = std::to_string(it - numerados_.begin() + 1);
  }

  bool Identificacao(Linha& imp) {
    std::string inscricao = imp["CoCgcCeiEstabelecimento"];
    if (inscricao.size() == 12) inscricao = "00" + inscricao;
    const std::string& tipo = imp["InInscrEstabelecimento"];
    const NuMensagem mInscricao = CriticaCnpjCei(inscricao);
    const NuMensagem mPrefixo = CriticaPrefixo(imp["NuPrefixoEstabelecimento"]);
    const NuMensagem mTipo = CriticaTipoInscricaoEstab(tipo);
    const NuMensagem mInscricaoTipo = CriticaInscricaoTipo(inscricao, tipo);
    const bool inscricaoOk = mInscricao == "0050"_msg || mInscricao == "0051"_msg || mInscricao == "0052"_msg;
    if (inscricaoOk && mPrefixo.ok() && mTipo.ok() && mInscricaoTipo.ok()) return true;
    if (!inscricaoOk) NumeraCodigo(imp, mInscricao);
    if (!mTipo.ok()) NumeraCodigo(imp, mTipo);
    if (!mInscricaoTipo.ok()) NumeraCodigo(imp, mInscricaoTipo);
    if (!mPrefixo.ok()) NumeraCodigo(imp, mPrefixo);
    if (medidor_ && !porVinculo_) medidor_->avanca();
    return false;
  }

  // Answers whether the establishment exists in the declaration; another
  // linked CEI under the same key makes it new under the next free prefix.
  bool VerificaExistencia(Linha& imp) {
    const std::string& inscricao = imp["CoCgcCeiEstabelecimento"];
    auto achado = bd8emp_.busca({kAnoDestinoImportacao, inscricao, imp["NuPrefixoEstabelecimento"]});
    if (!achado) return false;
    if ((*achado)["CoCgcVinculado"] == ZerosEsquerda(imp["CoCgcVinculado"], 14)) {
      existente_ = std::move(*achado);
      return true;
    }
    std::string p = "G0";
    while (bd8emp_.busca({kAnoDestinoImportacao, inscricao, p})) {
      p = ProximoPrefixo(p);
      if (p == "G0") throw std::runtime_error("nenhum prefixo livre para a inscrição " + inscricao);
    }
    prefixoNovo_ = p;
    imp["NuPrefixoEstabelecimento"] = p;
    NumeraCodigo(imp, "1505"_msg);
    return false;
  }

  const std::string& PrefixoDestino(const Linha& imp) const { return imp["NuPrefixoEstabelecimento"]; }

  // Every column of the file's row but AnBase and NuSequencialRegistro.
  Linha CopiaEstabelecimento(const Linha& arquivo, Linha destino, const std::string& prefixo) const {
    for (const auto& f : destino.esquema().colunas()) {
      if (f == "AnBase" || f == "NuSequencialRegistro") continue;
      if (arquivo.esquema().tem(f)) destino[f] = arquivo[f];
    }
    destino["NuPrefixoEstabelecimento"] = prefixo;
    destino.defineLogico("InAvisoCnae", o_.anoAnterior && !o_.modoAnalisador);
    destino["AnBase"] = std::string(kAnoDestinoImportacao);
    return destino;
  }

  void IncluiEstabelecimento(const Linha& arquivo, const Linha& imp) {
    bd8emp_.inclui(CopiaEstabelecimento(arquivo, bd8emp_.novaLinha(), PrefixoDestino(imp)));
  }

  void SubstituiEstabelecimento(const Linha& arquivo, const Linha& imp) {
    bd8emp_.altera(existente_, CopiaEstabelecimento(arquivo, existente_, PrefixoDestino(imp)));
  }

  // The current row of vinculosArquivo_: a duplicate is counted, anything
  // else appended under the destination key.
  bool CopiaVinculo(const Linha& imp) {
    Consulta& v = vinculosArquivo_;
    const std::string& inscricao = imp["CoCgcCeiEstabelecimento"];
    const std::string& prefixo = PrefixoDestino(imp);
    const std::string_view pis = v.texto(static_cast<int>(iPis_));
    const bool semPis = pis == "00000000000";
    Consulta& d = semPis ? duplicadoNome_ : duplicado_;
    d.defineTexto(1, kAnoDestinoImportacao)
        .defineTexto(2, inscricao)
        .defineTexto(3, prefixo)
        .defineTexto(4, pis)
        .defineTexto(5, v.texto(static_cast<int>(iAdmissao_)));
    if (semPis) d.defineTexto(6, v.texto(static_cast<int>(iNome_)));
    const bool existe = d.proxima();
    d.reinicia();
    if (existe) {
      ++duplicados_;
      return false;
    }
    Consulta& ins = insereVinculo_;
    const int n = v.colunas();
    for (int i = 0; i < n; ++i) {
      const auto pos = static_cast<std::size_t>(i);
      if (pos == iAnBase_)
        ins.defineTexto(i + 1, kAnoDestinoImportacao);
      else if (pos == iInscricao_)
        ins.defineTexto(i + 1, inscricao);
      else if (pos == iPrefixo_)
        ins.defineTexto(i + 1, prefixo);
      else if (pos == iDiasAfas_ && o_.anoAnterior && v.texto(i).empty())
        ins.defineTexto(i + 1, "000");
      else
        ins.defineTexto(i + 1, v.texto(i));
    }
    ins.executa();
    ++importados_;
    if (porVinculo_) medidor_->avanca();
    return true;
  }

  enum class Caso { Complementa, SemEmpregadosRecebe };

  // Runs every link of the file's establishment through CopiaVinculo (active
  // links only from a previous-year file).
  void ImportaVinculos(Linha& imp, const std::string& prefixoArquivo, Caso caso) {
    Consulta& v = vinculosArquivo_;
    v.defineTexto(1, imp["CoCgcCeiEstabelecimento"]).defineTexto(2, prefixoArquivo).defineTexto(3, anoOrigem_);
    while (v.proxima()) {
      if (o_.anoAnterior && !CausaAtiva(v.texto(static_cast<int>(iCausa_)))) {
        ++desligados_;
        if (caso == Caso::SemEmpregadosRecebe) NumeraCodigo(imp, "1504"_msg);
        continue;
      }
      if (caso == Caso::SemEmpregadosRecebe && o_.anoAnterior) NumeraCodigo(imp, "1502"_msg);
      CopiaVinculo(imp);
    }
  }

  void ImportaEstabelecimento(Linha& imp) {
    const std::string prefixoArquivo = imp["NuPrefixoEstabelecimento"];
    auto arquivo = te8emp_.busca({anoOrigem_, imp["CoCgcCeiEstabelecimento"], prefixoArquivo});
    if (!arquivo) return;  // checked before the pass
    existe_ = VerificaExistencia(imp);
    const bool arquivoSemEmpregados = (*arquivo)["InZemaNegEstabelecimento"] == "1";
    const bool declaradoSemEmpregados = existe_ && existente_["InZemaNegEstabelecimento"] == "1";

    if (!o_.anoAnterior) {
      if (!existe_) {
        IncluiEstabelecimento(*arquivo, imp);
        ImportaVinculos(imp, prefixoArquivo, Caso::Complementa);
      } else if (arquivoSemEmpregados) {
        NumeraCodigo(imp, "1501"_msg);
      } else if (declaradoSemEmpregados) {
        SubstituiEstabelecimento(*arquivo, imp);
        NumeraCodigo(imp, "1502"_msg);
        ImportaVinculos(imp, prefixoArquivo, Caso::Complementa);
      } else {
        ImportaVinculos(imp, prefixoArquivo, Caso::Complementa);
      }
    } else {
      if (!existe_) {
        if (arquivoSemEmpregados) {
          IncluiEstabelecimento(*arquivo, imp);
        } else {
          ImportaVinculos(imp, prefixoArquivo, Caso::Complementa);
          if (importados_ > 0) IncluiEstabelecimento(*arquivo, imp);
        }
      } else if (arquivoSemEmpregados) {
        NumeraCodigo(imp, "1501"_msg);
      } else if (declaradoSemEmpregados) {
        ImportaVinculos(imp, prefixoArquivo, Caso::SemEmpregadosRecebe);
        if (importados_ > 0) SubstituiEstabelecimento(*arquivo, imp);
      } else {
        ImportaVinculos(imp, prefixoArquivo, Caso::Complementa);
      }
    }
    // The row came with the file's count of this volume's links; what it
    // holds now may include links of other volumes or of the declaration.
    if (importados_ > 0)
      AtualizaContagensVinculos(c_, {std::string(kAnoDestinoImportacao), imp["CoCgcCeiEstabelecimento"], PrefixoDestino(imp)});
    if (!porVinculo_) medidor_->avanca();
  }

  Conexao& c_;
  OpcoesImportacao o_;
  std::string anoOrigem_;
  const DefinicaoTabela& defVinc_;
  Tabela bd8emp_, te8emp_;
  Consulta leImp_, contaImp_, vinculosArquivo_, duplicado_, duplicadoNome_, insereVinculo_;
  std::size_t iPis_ = 0, iAdmissao_ = 0, iNome_ = 0, iCausa_ = 0, iDiasAfas_ = 0, iAnBase_ = 0, iInscricao_ = 0,
              iPrefixo_ = 0;
  bool porVinculo_ = false;
  long long totalProgresso_ = 0;
  Medidor* medidor_ = nullptr;

  // Work state of one establishment.
  std::string prefixoNovo_{kSemPrefixoNovo};
  bool existe_ = false;
  Linha existente_;
  long long desligados_ = 0, duplicados_ = 0, importados_ = 0;

  std::vector<std::string> numerados_;  // codes in the order they were first recorded
  std::size_t importadosTotal_ = 0;
  long long linhasPostadas_ = 0;
};

// Establishments are confirmed in groups: always whole, with their TE8Imp
// row, and without a disk sync for each one. A group closes after this many
// rows or this long, whichever comes first.
constexpr long long kLinhasPorConfirmacao = 50000;
constexpr auto kTempoPorConfirmacao = std::chrono::seconds(2);

}  // namespace

ResultadoImportacao ImportaEstabelecimentos(Conexao& c, const OpcoesImportacao& opcoes,
                                             const std::vector<ItemImportacao>& escolhidos,
                                             AcompanhamentoPassagem& acompanhamento) {
  const TravaPastaDados trava(c);
  ResultadoImportacao r;
  if (escolhidos.empty()) {
    r.mensagem = "1301"_msg;
    return r;
  }
  const std::string anoOrigem(opcoes.anoAnterior ? kAnoAnteriorImportacao : kAnoAtualImportacao);
  Tabela te8emp(c, kTrabalhoEstabelecimento);
  // A list item is checked once, however often it is named.
  std::vector<const ItemImportacao*> unicos;
  std::set<std::pair<std::string, std::string>> vistos;
  for (const auto& item : escolhidos) {
    if (!item.prefixoImportavel()) throw std::invalid_argument(std::string(kTextoPrefixoNaoImportavel));
    if (!te8emp.busca({anoOrigem, item.inscricao, item.prefixo}))
      throw std::invalid_argument("estabelecimento " + item.inscricao + "/" + item.prefixo +
                                  " não está no arquivo analisado");
    if (vistos.emplace(item.inscricao, item.prefixo).second) unicos.push_back(&item);
  }

  // Only the row numbers stay in memory; each row is read back when its
  // establishment comes.
  RecriaTabelaTrabalho(c, kTabelaImportacao);
  Tabela te8imp(c, kTabelaImportacao);
  std::vector<long long> rowids;
  {
    Transacao t(c);
    for (const ItemImportacao* item : unicos) {
      const Linha e = *te8emp.busca({anoOrigem, item->inscricao, item->prefixo});
      Linha l = te8imp.novaLinha();
      l["AnBase"] = std::string(kAnoDestinoImportacao);
      l["InInscrEstabelecimento"] = e["InInscrEstabelecimento"];
      l["NuPrefixoEstabelecimento"] = e["NuPrefixoEstabelecimento"];
      l["CoCgcCeiEstabelecimento"] = e["CoCgcCeiEstabelecimento"];
      l["CoCgcVinculado"] = e["CoCgcVinculado"];
      l["NuVinculosEstabelecimento"] = e["NuVinculosEstabelecimento"];
      l["NuTotalDesligados"] = l["NuTotalDuplicados"] = l["NuTotalImportados"] = "0";
      l["AnOrigem"] = anoOrigem;
      te8imp.inclui(l);
      rowids.push_back(sqlite3_last_insert_rowid(c.nativo()));
    }
    t.confirma();
  }

  const long long itensLista =
      c.prepara("SELECT count(*) FROM trabalho.Te8emp WHERE AnBase = ?1").defineTexto(1, anoOrigem).escalar();
  Importador imp(c, opcoes, itensLista);
  Medidor medidor(acompanhamento, imp.porVinculo() ? imp.totalProgresso() : static_cast<long long>(rowids.size()));
  std::optional<Transacao> grupo;
  long long noGrupo = 0;
  auto inicioGrupo = std::chrono::steady_clock::now();
  for (const long long rowid : rowids) {
    if (acompanhamento.interrompe()) {
      r.interrompida = true;
      break;
    }
    if (!grupo) {
      grupo.emplace(c);
      inicioGrupo = std::chrono::steady_clock::now();
    }
    try {
      Transacao estabelecimento(c);  // a savepoint of the group
      imp.processa(rowid, medidor);
      estabelecimento.confirma();
    } catch (...) {
      // Only the failing establishment is undone; the ones before it stay.
      try {
        grupo->confirma();
      } catch (...) {
      }
      throw;
    }
    noGrupo += imp.linhasPostadas();
    if (noGrupo >= kLinhasPorConfirmacao || std::chrono::steady_clock::now() - inicioGrupo >= kTempoPorConfirmacao) {
      grupo->confirma();
      grupo.reset();
      noGrupo = 0;
    }
  }
  if (grupo) grupo->confirma();
  if (!r.interrompida) medidor.conclui();
  r.importados = imp.importadosTotal();
  return r;
}

// --- the import report ---------------------------------------------------------

LinhaRelatorioImportacao FormataLinhaImportacao(const Linha& l) {
  LinhaRelatorioImportacao r;
  const std::string& inscricao = l["CoCgcCeiEstabelecimento"];
  const std::string& tipo = l["InInscrEstabelecimento"];
  const NuMensagem m = CriticaCnpjCei(inscricao);
  if (m == "0051"_msg || (m == "0050"_msg && tipo == "1"))
    r.inscricao = FormataInscricao(inscricao, "1");
  else if (m == "0052"_msg || (m == "0050"_msg && tipo == "3"))
    r.inscricao = FormataInscricao(inscricao, "3");
  else
    r.inscricao = inscricao;
  r.prefixo = l["NuPrefixoEstabelecimento"];
  const std::string& cei = l["CoCgcVinculado"];
  if (Apara(cei).empty() || SoZeros(cei)) {
    r.ceiVinculado.clear();
  } else {
    const NuMensagem mc = CriticaCnpjCei(cei);
    r.ceiVinculado = (mc == "0052"_msg || mc == "0050"_msg) ? FormataInscricao(ZerosEsquerda(cei, 14), "3") : cei;
  }
  if (!l["CoImp"].empty() && l["Seq"] != "0") r.codigo = "(" + l["Seq"] + ")";
  r.totalLido = std::to_string(ValorInteiro(l["NuVinculosEstabelecimento"]));
  auto conta = [&](const char* coluna) {
    const std::string& v = l[coluna];
    return Apara(v).empty() ? std::string("0") : v;
  };
  r.desligados = conta("NuTotalDesligados");
  r.duplicados = conta("NuTotalDuplicados");
  r.importados = conta("NuTotalImportados");
  return r;
}

std::vector<Linha> LinhasImportacao(Conexao& c) {
  Consulta& q = c.prepara({"select *", "from trabalho.te8imp order by rowid"});
  return q.todas();
}

std::vector<std::pair<std::string, std::string>> LegendaImportacao(Conexao& c) {
  // An empty code is no code (the engine took it for null).
  Consulta& q = c.prepara({"select distinct seq,coimp", "from trabalho.te8imp", "where coimp<>'0000' and coimp<>''",
                           "Order by cast(seq as integer), coimp"});
  std::vector<std::pair<std::string, std::string>> r;
  while (q.proxima()) r.emplace_back(std::string(q.texto(0)), std::string(q.texto(1)));
  return r;
}

std::optional<std::string> AnoOrigemImportacao(Conexao& c) {
  if (!ExisteTabela(c, kTabelaImportacao)) return std::nullopt;
  try {
    Consulta q(c, "SELECT AnOrigem FROM trabalho.TE8Imp WHERE AnOrigem <> '' LIMIT 1");
    if (!q.proxima()) return std::nullopt;
    return std::string(q.texto(0));
  } catch (const ErroBanco&) {
    return std::nullopt;  // a table left by a version that did not record it
  }
}

}  // namespace vornex
