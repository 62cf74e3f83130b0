#include "declfile/retificacao.h"

#include <algorithm>

#include "common/texto.h"
#include "data/banco.h"
#include "data/declaracao.h"
#include "data/tabela.h"
#include "data/tabelas_trabalho.h"
#include "data/trava_pasta.h"

namespace vornex {

namespace {

// The whole key of the link: two links with the same PIS/PASEP and admission
// date are told apart by the name.
VinculoRetificacao Entrada(std::string_view pis, std::string_view admissao, std::string_view nome, int posicao) {
  return {std::string(pis), std::string(admissao), std::string(nome), posicao};
}

bool MesmoVinculo(const VinculoRetificacao& v, const Linha& l) {
  return v.pis == l["CoPisPasepEmpregado"] && v.admissao == l["DaAdmissaoEmpregado"] && v.nome == l["NoEmpregado"];
}

}  // namespace

bool CriaTabelasRetificacao(Conexao& c) noexcept {
  try {
    RecriaCopiasDeclaracao(c);
    return true;
  } catch (...) {
    return false;
  }
}

NuMensagem SelecaoRetificacao::carrega(Conexao& c) {
  itens_.clear();
  Consulta& q = c.prepara({"SELECT *", "FROM BD8Emp", "WHERE Anbase = :AnBase",
                           "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"});
  q.defineTexto(":AnBase", kAnoBaseRetificacao);
  for (const auto& l : q.todas()) {
    EstabelecimentoRetificacao e;
    e.anBase = l["AnBase"];
    e.inscricao = l["CoCgcCeiEstabelecimento"];
    e.prefixo = l["NuPrefixoEstabelecimento"];
    e.posicao = itens_.size();
    e.temEmpregados = l["InZemaNegEstabelecimento"] == "0";
    itens_.push_back(std::move(e));
  }
  return itens_.empty() ? "1700"_msg : kSemOcorrencia;
}

std::optional<std::size_t> SelecaoRetificacao::indice(std::string_view inscricao, std::string_view prefixo) const {
  const std::string i = InscricaoArmazenada(inscricao);
  for (std::size_t k = 0; k < itens_.size(); ++k)
    if (itens_[k].inscricao == i && itens_[k].prefixo == prefixo) return k;
  return std::nullopt;
}

void SelecaoRetificacao::marca(std::size_t i, bool marcado) {
  auto& e = itens_.at(i);
  e.selecionado = marcado;
  if (!marcado) e.vinculos.clear();
}

void SelecaoRetificacao::marcaVinculo(std::size_t i, const Linha& v, int posicao) {
  auto& vinculos = itens_.at(i).vinculos;
  const auto ja = std::find_if(vinculos.begin(), vinculos.end(),
                               [&](const VinculoRetificacao& x) { return MesmoVinculo(x, v); });
  if (ja != vinculos.end()) {
    ja->posicao = posicao;  // checked again on coming back: the earlier entry stands
    return;
  }
  vinculos.push_back(Entrada(v["CoPisPasepEmpregado"], v["DaAdmissaoEmpregado"], v["NoEmpregado"], posicao));
}

bool SelecaoRetificacao::vinculoMarcado(std::size_t i, const Linha& v) const {
  const auto& vinculos = itens_.at(i).vinculos;
  return std::any_of(vinculos.begin(), vinculos.end(), [&](const VinculoRetificacao& x) { return MesmoVinculo(x, v); });
}

void SelecaoRetificacao::marcaVinculo(std::size_t i, std::string_view pis, std::string_view admissao,
                                      std::string_view nome) {
  auto& e = itens_.at(i);
  e.selecionado = true;
  e.vinculos.push_back(Entrada(pis, admissao, nome, -1));
}

void SelecaoRetificacao::desmarcaVinculo(std::size_t i, int posicao) {
  auto& v = itens_.at(i).vinculos;
  auto it = std::find_if(v.begin(), v.end(), [&](const VinculoRetificacao& x) { return x.posicao == posicao; });
  if (it != v.end()) v.erase(it);
}

void SelecaoRetificacao::marcaTodosVinculos(std::size_t i, const std::vector<Linha>& vinculos) {
  auto& e = itens_.at(i);
  e.vinculos.clear();
  for (std::size_t k = 0; k < vinculos.size(); ++k) marcaVinculo(i, vinculos[k], static_cast<int>(k));
}

void SelecaoRetificacao::desmarcaTodosVinculos(std::size_t i) { itens_.at(i).vinculos.clear(); }

NuMensagem SelecaoRetificacao::sai(std::size_t i) {
  auto& e = itens_.at(i);
  if (e.selecionado && e.temEmpregados && e.vinculos.empty()) {
    e.selecionado = false;
    return "1304"_msg;
  }
  return kSemOcorrencia;
}

NuMensagem SelecaoRetificacao::confere() {
  if (!algumSelecionado()) return "1301"_msg;
  for (std::size_t i = 0; i < itens_.size(); ++i)
    if (auto m = sai(i); !m.ok()) return m;
  return kSemOcorrencia;
}

bool SelecaoRetificacao::algumSelecionado() const {
  return std::any_of(itens_.begin(), itens_.end(), [](const auto& e) { return e.selecionado; });
}

void SelecaoRetificacao::LiberaSelecao() { itens_.clear(); }

std::vector<Linha> VinculosParaRetificacao(Conexao& c, const EstabelecimentoRetificacao& e) {
  return VinculosDoEstabelecimento(c, {e.anBase, e.inscricao, e.prefixo});
}

NuMensagem PreparaRetificacao(Conexao& c, const SelecaoRetificacao& selecao, std::string* ausente) {
  const TravaPastaDados trava(c);
  Tabela bd8emp(c, kTabelaEstabelecimentos);
  Tabela bd8vinc(c, kTabelaVinculos);
  Tabela te8resp(c, kTrabalhoResponsavel);
  Tabela te8emp(c, kTrabalhoEstabelecimento);
  Tabela te8vinc(c, kTrabalhoVinculo);

  // What was copied before a failure is kept, so the transaction is
  // confirmed on every answer.
  Transacao t(c);
  for (const char* tabela : {kTrabalhoResponsavel, kTrabalhoEstabelecimento, kTrabalhoVinculo})
    c.executa("DELETE FROM trabalho." + Identificador(tabela));
  if (auto resp = LeResponsavel(c)) te8resp.inclui(*resp);

  NuMensagem resultado = kSemOcorrencia;
  for (const auto& e : selecao.estabelecimentos()) {
    if (!e.selecionado) continue;
    auto estab = bd8emp.busca({e.anBase, e.inscricao, e.prefixo});
    const std::string nomeEstab = e.inscricao + "/" + e.prefixo;
    if (!estab) {
      resultado = "1925"_msg;
      if (ausente) *ausente = nomeEstab;
      break;
    }
    te8emp.inclui(*estab);
    for (const auto& v : e.vinculos) {
      std::vector<std::string> chave{e.anBase, e.inscricao, e.prefixo, v.pis, v.admissao};
      if (!v.nome.empty()) chave.push_back(v.nome);
      auto vinculo = bd8vinc.busca(chave);
      if (!vinculo) {
        resultado = "1925"_msg;
        if (ausente) *ausente = nomeEstab + "/" + v.pis + "/" + v.admissao + (v.nome.empty() ? "" : "/" + v.nome);
        break;
      }
      try {
        te8vinc.inclui(*vinculo);
      } catch (const ErroBanco& erro) {
        if (!erro.violacaoChave()) throw;
        resultado = "1926"_msg;
        break;
      }
    }
    if (!resultado.ok()) break;
  }
  t.confirma();
  return resultado;
}

}  // namespace vornex
