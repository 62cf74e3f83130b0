#pragma once
// The link-type assistant (Ctrl+Alt+F5 in the establishment consultation):
// every link of one establishment and prefix gets the link type chosen.
#include <string>

#include "tools/manutencao_gui.h"
#include "ui_fm_alt_vinculo00.h"
#include "ui_fm_alt_vinculo01.h"
#include "ui_fm_alt_vinculo02.h"

namespace vornex::gui {

class TdmVornex;

inline constexpr const char* kTituloAltVinculo = "Assistente para Alterar Código de Vínculo de todos Empregados/Servidores";

struct EstadoAltVinculo {
  std::string anoBase = "2004";
  ChaveEstabelecimento estabelecimento;
};

class TfmAltVinculo02 : public PassoComForma<Ui::TfmAltVinculo02> {
 public:
  TfmAltVinculo02(TdmVornex& dm, EstadoAltVinculo& estado, bool& fecha);
  void mostra(const QString& inscricao, const QString& prefixo, const QString& nome);

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;  // "&Concluir"

 private:
  void llVinculoExit();
  std::string codigo() const;

  TdmVornex& dm_;
  EstadoAltVinculo& estado_;
};

class TfmAltVinculo01 : public PassoComForma<Ui::TfmAltVinculo01> {
 public:
  TfmAltVinculo01(TdmVornex& dm, EstadoAltVinculo& estado, bool& fecha, TfmAltVinculo02& proximo);

 protected:
  void showEvent(QShowEvent* e) override;
  void avancar() override;

 private:
  TdmVornex& dm_;
  EstadoAltVinculo& estado_;
  TfmAltVinculo02& proximo_;
  EscolhaEstabelecimento escolha_;
};

class TfmAltVinculo00 : public PassoComForma<Ui::TfmAltVinculo00> {
 public:
  explicit TfmAltVinculo00(TdmVornex& dm);

 protected:
  void avancar() override;

 private:
  bool fecha_ = false;
  EstadoAltVinculo estado_;
  TfmAltVinculo02 passo2_;
  TfmAltVinculo01 passo1_;
};

}  // namespace vornex::gui
