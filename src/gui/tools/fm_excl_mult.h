#pragma once
// The multiple-exclusion assistant (Ctrl+Alt+F4 in the establishment
// consultation): an establishment with employees, then the links to delete,
// deleted in one operation that recounts the establishment.
#include <string>
#include <vector>

#include "casos/listas.h"
#include "tools/manutencao_gui.h"
#include "ui_fm_excl_mult00.h"
#include "ui_fm_excl_mult01.h"
#include "ui_fm_excl_mult02.h"
#include "ui_fm_excl_mult03.h"
#include "ui_fm_excl_mult04.h"

namespace vornex::gui {

class TdmVornex;

inline constexpr const char* kTituloExclMult = "Assistente para Exclusão de Múltiplos Empregados/Servidores";

// What the steps hand on to each other.
struct EstadoExclMult {
  std::string anoBase = "2004";
  ChaveEstabelecimento estabelecimento;
  QString inscricao, prefixo, nome;  // as shown
  OrdemVinculos ordem = OrdemVinculos::Pis;
  ListaDeVinculos vinculos;
  std::vector<ChaveVinculo> marcados;
};

class TfmExclMult04 : public PassoComForma<Ui::TfmExclMult04> {
 public:
  TfmExclMult04(TdmVornex& dm, EstadoExclMult& estado, bool& fecha);
  void mostra();

 protected:
  void avancar() override;  // "&Concluir"

 private:
  TdmVornex& dm_;
  EstadoExclMult& estado_;
};

class TfmExclMult03 : public PassoComForma<Ui::TfmExclMult03> {
 public:
  TfmExclMult03(TdmVornex& dm, EstadoExclMult& estado, bool& fecha, TfmExclMult04& proximo);
  void preenche();

 protected:
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoExclMult& estado_;
  TfmExclMult04& proximo_;
};

class TfmExclMult02 : public PassoComForma<Ui::TfmExclMult02> {
 public:
  TfmExclMult02(EstadoExclMult& estado, bool& fecha, TfmExclMult03& proximo);
  void mostra();

 protected:
  void avancar() override;

 private:
  EstadoExclMult& estado_;
  TfmExclMult03& proximo_;
};

class TfmExclMult01 : public PassoComForma<Ui::TfmExclMult01> {
 public:
  TfmExclMult01(TdmVornex& dm, EstadoExclMult& estado, bool& fecha, TfmExclMult02& proximo);

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoExclMult& estado_;
  TfmExclMult02& proximo_;
  EscolhaEstabelecimento escolha_;
};

// The first step creates the others and frees them when it closes.
class TfmExclMult00 : public PassoComForma<Ui::TfmExclMult00> {
 public:
  explicit TfmExclMult00(TdmVornex& dm);

 protected:
  void avancar() override;

 private:
  bool fecha_ = false;
  EstadoExclMult estado_;
  TfmExclMult04 passo4_;
  TfmExclMult03 passo3_;
  TfmExclMult02 passo2_;
  TfmExclMult01 passo1_;
};

}  // namespace vornex::gui
