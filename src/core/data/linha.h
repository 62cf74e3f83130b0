#pragma once
// A row of a table as the core passes it around: the table's column names
// (shared by every row of a result) and one text per column. Logical columns
// hold "1" or "0"; an empty text is a column that was not informed.
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vornex {

class Esquema {
 public:
  explicit Esquema(std::vector<std::string> colunas) : colunas_(std::move(colunas)) {
    for (std::size_t i = 0; i < colunas_.size(); ++i) indice_.emplace(colunas_[i], i);
  }
  const std::vector<std::string>& colunas() const { return colunas_; }
  std::size_t tamanho() const { return colunas_.size(); }
  // Column position; throws std::out_of_range naming an unknown column.
  std::size_t indice(std::string_view coluna) const {
    auto it = indice_.find(std::string(coluna));
    if (it == indice_.end()) throw std::out_of_range("coluna desconhecida: " + std::string(coluna));
    return it->second;
  }
  bool tem(std::string_view coluna) const { return indice_.count(std::string(coluna)) != 0; }

 private:
  std::vector<std::string> colunas_;
  std::unordered_map<std::string, std::size_t> indice_;
};

class Linha {
 public:
  Linha() = default;
  explicit Linha(std::shared_ptr<const Esquema> esquema)
      : esquema_(std::move(esquema)), valores_(esquema_->tamanho()) {}

  const Esquema& esquema() const { return *esquema_; }
  const std::shared_ptr<const Esquema>& esquemaCompartilhado() const { return esquema_; }

  // By position (hot paths resolve positions once) or by column name.
  const std::string& operator[](std::size_t i) const { return valores_.at(i); }
  std::string& operator[](std::size_t i) { return valores_.at(i); }
  const std::string& operator[](std::string_view coluna) const { return valores_[esquema_->indice(coluna)]; }
  std::string& operator[](std::string_view coluna) { return valores_[esquema_->indice(coluna)]; }

  bool logico(std::string_view coluna) const { return (*this)[coluna] == "1"; }
  void defineLogico(std::string_view coluna, bool v) { (*this)[coluna] = v ? "1" : "0"; }

  const std::vector<std::string>& valores() const { return valores_; }
  std::vector<std::string>& valores() { return valores_; }

 private:
  std::shared_ptr<const Esquema> esquema_;
  std::vector<std::string> valores_;
};

}  // namespace vornex
