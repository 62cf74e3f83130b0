#include "declfile/gravacao.h"

#include <cerrno>
#include <algorithm>
#include <cstdio>
#include <set>
#include <ctime>
#include <string_view>

#include "common/texto.h"
#include "data/banco.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"
#include "declfile/selo.h"
#include "validation/regras_declaracao.h"

namespace vornex {

namespace {

namespace fs = std::filesystem;

bool ComEmpregados(const Linha& estab) { return Apara(estab["InZemaNegEstabelecimento"]) == "0"; }

// The value of `coluna` in `linha`, the column name matched without regard
// to case (the protocol tables spell some names differently).
const std::string& Valor(const Linha& linha, std::string_view coluna) {
  if (linha.esquema().tem(coluna)) return linha[coluna];
  const auto& nomes = linha.esquema().colunas();
  for (std::size_t i = 0; i < nomes.size(); ++i)
    if (IgualSemCaixa(nomes[i], coluna)) return linha[i];
  throw std::out_of_range("coluna desconhecida: " + std::string(coluna));
}

// Columns of te8ProID copied from the first establishment of the volume and
// from the responsible person; the rest are the writer's own.
constexpr std::string_view kProtocoloDoEstabelecimento[] = {
    "AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "InInscrEstabelecimento",
    "NoRazaoEstabelecimento", "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento",
    "NoBairroEstabelecimento", "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "NuDDD",
    "NuTelefone", "TxEMailEstabelecimento", "InEncerramentoAtividade", "DaEncerramentoAtividade"};
constexpr std::string_view kProtocoloDoResponsavel[] = {
    "CoCgcCeiResponsavel", "InInscrResponsavel", "NoResponsavelArquivo", "EdLogradouroRespArquivo",
    "NuLogradouroRespArquivo", "TxComplementoRespArquivo", "NoBairroRespArquivo", "CoCepRespArquivo",
    "CoMunicipioRespArquivo", "NoMunicipioRespArquivo", "SgUfRespArquivo", "NuFoneDDD", "NuFoneAssinante",
    "TxEMailRespArquivo", "InReciboParaRespArquivo"};
constexpr std::string_view kProtocoloEsDoEstabelecimento[] = {
    "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "CoCgcVinculado", "InInscrEstabelecimento",
    "NoRazaoEstabelecimento", "DaEncerramentoAtividade"};

// Progress in whole percent of establishments plus links.
class Progresso {
 public:
  explicit Progresso(AcompanhamentoPassagem& a) : a_(a) {}
  void inicia(long long total) {
    total_ = total;
    feito_ = 0;
    ultimo_ = 0;
    a_.progresso(0);
  }
  void avanca() {
    ++feito_;
    const int p = total_ > 0 ? static_cast<int>(feito_ * 100 / total_) : 100;
    if (p > ultimo_ && p <= 100) a_.progresso(ultimo_ = p);
  }

 private:
  AcompanhamentoPassagem& a_;
  long long total_ = 0, feito_ = 0;
  int ultimo_ = 0;
};

class Gravador {
 public:
  Gravador(Conexao& c, const PedidoGravacao& pedido, const Midia& primeira, InterfaceMidia& ui,
           AcompanhamentoPassagem& acompanhamento, const OpcoesGravacao& opcoes)
      : c_(c),
        pedido_(pedido),
        volumes_(primeira, ui),
        acompanhamento_(acompanhamento),
        progresso_(acompanhamento),
        selo_(opcoes.selo ? *opcoes.selo : SeloPadrao()),
        relogio_(opcoes.relogio ? opcoes.relogio : std::function<std::string()>(HoraAtual)),
        maximoRegistros_(std::max(opcoes.maximoRegistros, 4L)) {}  // type 0, 1, 2 and 9

  RelatorioGravacao executa() {
    try {
      RecriaTabelaTrabalho(c_, kTabelaProtocoloId);
      RecriaTabelaTrabalho(c_, kTabelaProtocoloEs);
    } catch (const std::exception&) {
      falha(kMsgErroGravacao);
      limpa();
      return fim();
    }
    try {
      // Stopped half-way, the file keeps its temporary name and goes below.
      grava();
    } catch (...) {
      arquivo_ = nullptr;
      falhou_ = true;
      limpa();
      throw;
    }
    limpa();
    return fim();
  }

 private:
  // --- the run ---------------------------------------------------------------

  void grava() {
    const bool trabalho = pedido_.modo.deTabelasTrabalho;
    Tabela tResp(c_, trabalho ? kTrabalhoResponsavel : kTabelaResponsavel);
    Tabela tEstab(c_, trabalho ? kTrabalhoEstabelecimento : kTabelaEstabelecimentos);
    Tabela tVinc(c_, trabalho ? kTrabalhoVinculo : kTabelaVinculos);

    auto resp = tResp.busca(std::vector<std::string>{});
    if (!resp) return falha(kMsgErroLeituraGravacao);
    resp_ = std::move(*resp);

    // Every establishment is looked up before anything is written, so a
    // missing one cannot leave a run with some volumes already finished.
    std::vector<Linha> estabs;
    if (pedido_.selecao) {
      std::set<std::string> vistos;  // an establishment named twice is written once
      for (const auto& k : *pedido_.selecao) {
        const std::string inscricao = InscricaoArmazenada(k.inscricao);
        if (!vistos.insert(k.anBase + inscricao + k.prefixo).second) continue;
        auto e = tEstab.busca({k.anBase, inscricao, k.prefixo});
        if (!e) return falha(kMsgErroLeituraGravacao);
        estabs.push_back(std::move(*e));
      }
    } else {
      estabs = tEstab.todas();
    }
    if (estabs.empty()) return falha(kMsgErroLeituraGravacao);

    Consulta& conta = c_.prepara({"Select count(*) as numVinculos", "From " + Identificador(tVinc.definicao().nome()),
                                  "Where AnBase = :AnBase and", "CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento and",
                                  "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"});
    long long total = 0;
    for (const auto& e : estabs) {
      total += 1;
      if (!ComEmpregados(e)) continue;
      conta.defineTexto("AnBase", e["AnBase"])
          .defineTexto("CoCgcCeiEstabelecimento", e["CoCgcCeiEstabelecimento"])
          .defineTexto("NuPrefixoEstabelecimento", e["NuPrefixoEstabelecimento"]);
      total += conta.escalar();
    }
    progresso_.inicia(total);

    if (!volumes_.aguardaPrimeira()) return interrompe();
    capacidade_ = static_cast<std::int64_t>(volumes_.capacidade());
    gravados_ = capacidade_ - kReservaVolumeDeclaracao;

    for (const auto& e : estabs) {
      const bool com = ComEmpregados(e);
      if (gravados_ >= capacidade_ - kReservaVolumeDeclaracao ||
          (com && gravados_ >= capacidade_ - kReservaComVinculos) || semNumeros(com ? 2 : 1))
        if (!abreVolume(e)) return;
      if (!registroUm(e)) return;
      progresso_.avanca();
      if (!com) continue;
      const auto vinculos = tVinc.buscaTodas({e["AnBase"], e["CoCgcCeiEstabelecimento"], e["NuPrefixoEstabelecimento"]});
      for (const auto& v : vinculos) {
        if (interrompeu()) return;
        if (gravados_ >= capacidade_ - kReservaVolumeDeclaracao || semNumeros(1))
          if (!abreVolume(e) || !registroUm(e)) return;
        if (!registroDois(v)) return;
        progresso_.avanca();
      }
    }
    if (!registroNove() || !concluiVolume()) return;
    gravaProtocolo();
  }

  // The open file has no sequence numbers left for `registros` more records
  // and its type 9.
  bool semNumeros(long registros) const { return arquivo_ && sequencia_ + registros > maximoRegistros_; }

  // Closes the current volume (type 9, seal) and opens the next one with its
  // type-0 record.
  bool abreVolume(const Linha& estab) {
    if (arquivo_) {
      if (!registroNove()) return false;
      if (!concluiVolume()) return false;
    }
    prefixos_ = 0;
    arquivo_ = volumes_.abreProximo();
    if (!arquivo_) return interrompe(), false;
    capacidade_ = static_cast<std::int64_t>(volumes_.capacidade());
    if (!registroZero(estab)) return false;
    gravados_ = 0;
    return true;
  }

  // The file is complete: written out, sealed, and only then given its name.
  bool concluiVolume() {
    if (!descarrega()) return false;
    if (interrompeu()) return false;
    if (!GravaHash(volumes_.arquivoInacabado(), selo_)) return falha(kMsgErroGravacao), false;
    if (!volumes_.concluiVolume()) return falha(kMsgErroGravacao), false;
    arquivo_ = nullptr;
    const fs::path caminho = CaminhoDeclaracao(volumes_.midia());
    VolumeGravado v = volumeAtual_;
    v.volume = volumes_.volume();
    v.arquivo = caminho;
    v.selo = LeSelo(caminho).value_or("");
    concluidos_.push_back(std::move(v));
    return true;
  }

  // --- records -------------------------------------------------------------

  bool registroZero(const Linha& estab) {
    if (interrompeu()) return false;
    const std::string hora = relogio_();
    montador_.zero(resp_, estab, {pedido_.modo, pedido_.dataGeracao, hora}, buffer_);
    if (interrompeu()) return false;
    sequencia_ = 2;
    tipo1_ = tipo2_ = 0;
    return true;
  }

  bool registroUm(const Linha& estab) {
    if (interrompeu()) return false;
    if (!primeiroDoVolume_) protocoloEs_.back()["NuVinculosEstabelecimento"] = std::to_string(vinculos_);
    vinculos_ = 0;
    ultimoEstab_ = estab;
    montador_.um(estab, sequencia_, buffer_);
    if (interrompeu()) return false;

    const int volume = volumes_.volume();
    if (ultimoVolumeProtocolo_ != volume) {
      const DefinicaoTabela* def = DefinicaoTrabalho(kTabelaProtocoloId);
      Linha id = def->novaLinha();
      id["NuDisquete"] = std::to_string(volume);
      for (auto col : kProtocoloDoEstabelecimento) id[col] = Valor(estab, col);
      for (auto col : kProtocoloDoResponsavel) id[col] = Valor(resp_, col);
      id.defineLogico("InRetificacao", pedido_.modo.retificacao);
      id["DaGeracao"] = pedido_.dataGeracao;
      id["HoSenha"] = pedido_.horaGeracao;
      protocoloId_.push_back(std::move(id));
      ultimoVolumeProtocolo_ = volume;
    }
    Linha es = DefinicaoTrabalho(kTabelaProtocoloEs)->novaLinha();
    es["NuDisquete"] = std::to_string(volume);
    for (auto col : kProtocoloEsDoEstabelecimento) es[col] = Valor(estab, col);
    es["NuVinculosEstabelecimento"] = "0";
    protocoloEs_.push_back(std::move(es));

    if (estab["NuPrefixoEstabelecimento"] != "00") ++prefixos_;
    ++tipo1_;
    gravados_ += kBytesRegistroUm;
    ++sequencia_;
    primeiroDoVolume_ = false;
    return descarregaSeCheio();
  }

  bool registroDois(const Linha& vinculo) {
    if (interrompeu()) return false;
    montador_.dois(ultimoEstab_, vinculo, sequencia_, buffer_);
    if (interrompeu()) return false;
    ++tipo2_;
    gravados_ += kBytesRegistroDois;
    ++sequencia_;
    ++vinculos_;
    return descarregaSeCheio();
  }

  bool registroNove() {
    if (interrompeu()) return false;
    montador_.nove(resp_, ultimoEstab_, {pedido_.modo, sequencia_, tipo1_, tipo2_, prefixos_}, buffer_);
    if (interrompeu()) return false;
    protocoloEs_.back()["NuVinculosEstabelecimento"] = std::to_string(vinculos_);
    protocoloId_.back()["NuEstabelecimentos"] = std::to_string(tipo1_);
    protocoloId_.back()["NuVinculos"] = std::to_string(tipo2_);
    volumeAtual_ = VolumeGravado{};
    volumeAtual_.registros = sequencia_;
    volumeAtual_.tipo1 = tipo1_;
    volumeAtual_.tipo2 = tipo2_;
    volumeAtual_.prefixos = prefixos_;
    prefixos_ = 0;
    vinculos_ = 0;
    primeiroDoVolume_ = true;
    return true;
  }

  // The protocol rows of the run, appended in one transaction once every
  // volume is finished (a failed run drops the tables anyway).
  bool gravaProtocolo() {
    try {
      Transacao t(c_);
      Tabela id(c_, kTabelaProtocoloId);
      for (const auto& l : protocoloId_) id.inclui(l);
      Tabela es(c_, kTabelaProtocoloEs);
      for (const auto& l : protocoloEs_) es.inclui(l);
      t.confirma();
    } catch (const ErroBanco&) {
      return falha(kMsgErroGravacao), false;
    }
    return true;
  }

  // --- output --------------------------------------------------------------

  bool descarregaSeCheio() { return buffer_.size() < (std::size_t{1} << 18) || descarrega(); }

  bool descarrega() {
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), arquivo_) != buffer_.size())
      return falha(kMsgErroGravacao), false;
    buffer_.clear();
    if (std::fflush(arquivo_) != 0) return falha(kMsgErroGravacao), false;
    return true;
  }

  // --- outcome -------------------------------------------------------------

  bool interrompeu() {
    if (!interrompido_ && acompanhamento_.interrompe()) interrompe();
    return interrompido_;
  }
  void interrompe() {
    interrompido_ = true;
    if (mensagem_.empty()) mensagem_ = kMsgGravacaoInterrompida;
  }
  void falha(std::string_view mensagem) {
    falhou_ = true;
    mensagem_ = mensagem;
  }

  // After a failure or interruption nothing of the unfinished volume stays.
  void limpa() {
    if (!falhou_ && !interrompido_) return;
    buffer_.clear();
    try {
      ExcluiTabela(c_, kTabelaProtocoloId);
      ExcluiTabela(c_, kTabelaProtocoloEs);
    } catch (const ErroBanco&) {
      falhou_ = true;
    }
    if (!volumes_.descartaInacabado()) falhou_ = true;
  }

  RelatorioGravacao fim() {
    RelatorioGravacao r;
    r.resultado = falhou_ ? ResultadoGravacao::Falhou
                  : interrompido_ ? ResultadoGravacao::Interrompido
                                  : ResultadoGravacao::Gravado;
    r.volumes = std::move(concluidos_);
    if (r.resultado != ResultadoGravacao::Gravado) r.mensagem = mensagem_;
    return r;
  }

  Conexao& c_;
  const PedidoGravacao& pedido_;
  VolumesGravacao volumes_;
  AcompanhamentoPassagem& acompanhamento_;
  Progresso progresso_;
  const GeradorSelo& selo_;
  std::function<std::string()> relogio_;
  long maximoRegistros_;
  MontadorRegistros montador_;

  Linha resp_, ultimoEstab_;
  std::FILE* arquivo_ = nullptr;  // owned by volumes_
  std::string buffer_;

  std::int64_t capacidade_ = 0;
  std::int64_t gravados_ = 0;
  long sequencia_ = 0, tipo1_ = 0, tipo2_ = 0, prefixos_ = 0, vinculos_ = 0;
  bool primeiroDoVolume_ = true;
  int ultimoVolumeProtocolo_ = 9999;

  std::vector<Linha> protocoloId_, protocoloEs_;
  VolumeGravado volumeAtual_;
  std::vector<VolumeGravado> concluidos_;

  bool falhou_ = false, interrompido_ = false;
  std::string mensagem_;
};

}  // namespace

std::string AvisoVolumesIncompletos(const RelatorioGravacao& r) {
  if (r.resultado == ResultadoGravacao::Gravado || r.volumes.empty()) return {};
  std::string lista;
  for (std::size_t i = 0; i < r.volumes.size(); ++i) {
    if (i > 0) lista += i + 1 == r.volumes.size() ? " e " : ", ";
    lista += std::to_string(r.volumes[i].volume);
  }
  const bool um = r.volumes.size() == 1;
  return std::string(um ? "O volume " : "Os volumes ") + lista + (um ? " foi gravado" : " foram gravados") +
         ", mas a declaração ficou incompleta sem os volumes seguintes.\n" +
         (um ? "Esse disquete não deve ser entregue sozinho" : "Esses disquetes não devem ser entregues sozinhos") +
         ": grave a declaração novamente, em todos os volumes.";
}

NuMensagem CriticaDataGravacao(std::string_view ddmmaaaa) {
  // The declaration's own rule, its format findings read as an invalid date.
  const NuMensagem m = CriticaDaGeracao(ddmmaaaa);
  if (m.ok() || m == "0420" || m == "0423") return m;
  return "0421"_msg;
}

std::string HoraAtual() {
  const std::time_t t = std::time(nullptr);
  std::tm l{};
  localtime_r(&t, &l);
  char b[16];
  std::snprintf(b, sizeof b, "%02d%02d%02d", l.tm_hour, l.tm_min, l.tm_sec);
  return std::string(b, 6);
}

RelatorioGravacao GravaArquivoDeclaracao(Conexao& c, const PedidoGravacao& pedido, const Midia& primeira,
                                         InterfaceMidia& ui, AcompanhamentoPassagem& acompanhamento,
                                         const OpcoesGravacao& opcoes) {
  const TravaPastaDados trava(c);
  Gravador g(c, pedido, primeira, ui, acompanhamento, opcoes);
  return g.executa();
}

}  // namespace vornex
