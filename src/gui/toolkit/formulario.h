#pragma once
// The form of an entry screen: each field is declared once (widget, column,
// mask or kind of value, rules in order, what a refusal means) and that one
// declaration drives both the check run when the field is left and the full
// check run on confirming, in the order the fields were declared. Then the
// save: a core use case the screen passes in, with a duplicate key turned
// into the screen's own message.
//
//   Formulario form(dm.ta8Empresa, "Bd8emp", this);
//   form.isenta({ui.BtCancelar});
//   form.maiusculas(ui.dePrefixo, "NuPrefixoEstabelecimento").regra(CriticaPrefixo);
//   form.maiusculas(ui.deRazao, "NoRazaoEstabelecimento")
//       .regra([&](const Formulario& f) {
//         return CriticaRazaoSocial(f.valor("NoRazaoEstabelecimento"), f.valor("CoCgcCeiEstabelecimento"), ref);
//       });
//   form.chaveDuplicada("1000"_msg, ui.dePrefixo);
//   BtOk: if (form.grava([&](const Linha& l) { /* the core use case */ })) accept();
//
// A column the table lacks throws std::invalid_argument when declared, so a
// test that merely opens the screen finds a misspelt name.
#include <QObject>
#include <QPointer>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "common/mensagem.h"
#include "data/linha.h"
#include "toolkit/registro.h"
#include "validation/inscricao_digitada.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace vornex {
class DefinicaoTabela;
}

namespace vornex::gui {

// What a rule's answer other than "0000" means.
enum class Gravidade {
  Erro,        // shown, focus on the field, operation abandoned; on leaving and on confirming
  Aviso,       // shown when the field is left, then on; silent on confirming
  ErroAoSair,  // like Erro when the field is left; silent on confirming
};

class Formulario;

class CampoFormulario {
 public:
  using Regra = std::function<NuMensagem(const Formulario&)>;
  using Condicao = std::function<bool(const Formulario&)>;

  // The next rule of the field. `f` takes the form (to read other fields) or
  // the field's own value (the column's text; a free field's text).
  template <typename F>
  CampoFormulario& regra(F f, Gravidade gravidade = Gravidade::Erro) {
    if constexpr (std::is_invocable_r_v<NuMensagem, F&, const Formulario&>) {
      return adiciona(Regra(std::move(f)), gravidade);
    } else {
      static_assert(std::is_invocable_r_v<NuMensagem, F&, std::string_view>,
                    "a rule takes the form or the field's value and answers a message number");
      return adiciona([this, f = std::move(f)](const Formulario&) mutable { return f(valor()); }, gravidade);
    }
  }
  // Answers of the last rule that only warn, or that pass.
  CampoFormulario& avisa(std::initializer_list<NuMensagem> respostas);
  CampoFormulario& aceita(std::initializer_list<NuMensagem> respostas);
  // Where a refusal of the last rule puts the focus (another field).
  CampoFormulario& foco(QWidget* campo);
  // The last rule runs only when the field is left, never on confirming.
  CampoFormulario& soAoSair();

  // The field is checked only while `c` holds (a field enabled in some states).
  CampoFormulario& quando(Condicao c);
  // Checked when left even if blank (by default a blank field is checked
  // only on confirming).
  CampoFormulario& mesmoVazio();
  // Runs after the field was left and its checks passed or did not apply
  // (the screen's navigation).
  CampoFormulario& aposSair(std::function<void()> f);

  QWidget* widget() const { return widget_; }
  const std::string& coluna() const { return coluna_; }  // empty: bound to no column
  std::string valor() const;
  bool vazio() const;

 private:
  friend class Formulario;
  struct RegraDeclarada {
    Regra regra;
    Gravidade gravidade;
    std::vector<NuMensagem> avisos, aceitas;
    QWidget* foco = nullptr;
    bool soAoSair = false;
  };
  CampoFormulario(Formulario& form, QWidget* widget, std::string coluna) :
      form_(form), widget_(widget), coluna_(std::move(coluna)) {}
  CampoFormulario& adiciona(Regra r, Gravidade g);
  RegraDeclarada& ultima();

  Formulario& form_;
  QWidget* widget_;
  std::string coluna_;
  std::function<std::string()> texto_;   // what is typed: decides "blank"
  std::function<QWidget*()> alvo_;       // where a refusal puts the focus
  std::vector<RegraDeclarada> regras_;
  Condicao quando_;
  bool mesmoVazio_ = false;
  std::function<void()> aposSair_;
};

class Formulario : public QObject {
 public:
  using Gravacao = std::function<void(const Linha& linha)>;

  // `tabela`: a declaration, reference or work table; unknown throws
  // std::invalid_argument. Enter acts as Tab in `tela`.
  Formulario(RegistroEditado& registro, std::string_view tabela, QWidget* tela);
  ~Formulario() override;

  // Controls whose focus skips the checks of the field being left (the
  // screen's cancel and delete buttons, a choice the user must be free to change).
  void isenta(std::initializer_list<const QWidget*> controles);

  // --- the fields, in checking order --------------------------------------------
  CampoFormulario& texto(QLineEdit* caixa, std::string_view coluna, std::string_view mascara = {});
  // Letters become capitals as they are typed.
  CampoFormulario& maiusculas(QLineEdit* caixa, std::string_view coluna);
  // Money: shown "###,##0.00", stored as nine digits of centavos. Its first
  // rule refuses what is not an amount ("0040") or too large ("0315").
  CampoFormulario& valor(QLineEdit* caixa, std::string_view coluna);
  CampoFormulario& marca(QCheckBox* marca, std::string_view coluna, std::string marcado = "1",
                         std::string desmarcado = "0");
  // Items carry their codes as item data.
  CampoFormulario& lista(QComboBox* lista, std::string_view coluna);
  // `caixa`: the box holding the buttons (the field for the focus and for
  // isenta); by default the first button's parent.
  CampoFormulario& grupo(QButtonGroup* grupo, std::string_view coluna, std::map<int, std::string> codigos,
                         QWidget* caixa = nullptr);
  // An establishment registration: fourteen free digits while focused, the
  // CNPJ or CEI mask afterwards, the type written to `colunaTipo` and shown
  // in `caixaTipo`. Its first rule decides the type (AnalisaInscricao; under
  // Pergunta a number valid both ways is put to the user with
  // TfmTipoInscricao) and stores the registration padded to 14; `aoDefinir`
  // hears the type decided, or "" after a refusal.
  CampoFormulario& inscricao(QLineEdit* caixa, std::string_view coluna, std::string_view colunaTipo,
                             QLineEdit* caixaTipo, DesempateInscricao desempate,
                             std::function<void(const std::string& tipo)> aoDefinir = {});
  // A control of the screen bound to no column: its rules read what they need.
  CampoFormulario& livre(QWidget* widget);

  // The message for a duplicate key on saving, and the field it sends the focus to.
  void chaveDuplicada(NuMensagem mensagem, QWidget* campo);

  // --- reading -----------------------------------------------------------------
  // A column of the row being edited (unknown column: std::invalid_argument).
  std::string valor(std::string_view coluna) const;
  RegistroEditado& registro() const { return registro_; }
  const DefinicaoTabela& tabela() const { return *def_; }
  // True while the confirmation's checks run (rules that behave otherwise then).
  bool confirmando() const { return confirmando_; }

  // --- running ------------------------------------------------------------------
  // Every field's checks in order, warnings silent; false once a refusal was
  // shown (its page brought forward, the focus on its field).
  bool confirma();
  // confirma, then `gravacao` with the edited row. A duplicate key shows the
  // declared message, focuses its field and answers false with the typed
  // values still on screen; any other error goes on to the fatal report.
  bool grava(const Gravacao& gravacao);
  // The checks of the field of `widget` as leaving it runs them (lookups
  // that fill a field call it); false after a refusal.
  bool verificaSaida(QWidget* widget);

 private:
  enum class Momento { Saida, Confirmacao };
  CampoFormulario& declara(QWidget* widget, std::string_view coluna, bool observaSaida = true);
  std::string colunaDe(std::string_view coluna) const;
  void aoSair(CampoFormulario& campo);
  void verifica(CampoFormulario& campo, Momento momento);  // throws Abortado
  void sai(CampoFormulario& campo);                        // throws Abortado

  RegistroEditado& registro_;
  QWidget* tela_;
  const DefinicaoTabela* def_;
  std::vector<std::unique_ptr<CampoFormulario>> campos_;
  std::vector<const QWidget*> isentos_;
  std::optional<NuMensagem> chaveDuplicada_;
  QPointer<QWidget> focoChave_;
  bool confirmando_ = false;
};

}  // namespace vornex::gui
