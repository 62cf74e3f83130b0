#include "reports/rp_cartela.h"

#include <string>

#include "declfile/layout.h"
#include "reports/rp_comum.h"

namespace vornex::relatorio {

namespace {

constexpr Unidade kLinha = 15;

constexpr const char* kRegrasGerais[] = {
    "O arquivo é texto simples. Todo registro tem exatamente 350 caracteres. Somente são permitidos caracteres de "
    "código 32 a 126, exceto as aspas.",
    "Os registros são separados por CR LF, CR, LF ou por nenhum delimitador; todos os registros de um arquivo usam o "
    "delimitador do primeiro registro. O VORNEX termina todo registro, inclusive o último, com CR LF.",
    "Um arquivo nunca é dividido entre disquetes: quando são necessários vários disquetes, cada um recebe um arquivo "
    "completo, com seus próprios registros tipo 0 e tipo 9.",
    "Não é aceito conteúdo compactado.",
    "Campos do tipo Número sem informação são preenchidos com zeros; um valor menor é alinhado à direita e completado "
    "com zeros à esquerda (remuneração de janeiro ausente = \"000000000\"; 100,00 = \"000010000\"). Campos de valor "
    "têm 9 algarismos, com duas casas decimais implícitas.",
    "Campos do tipo Alfanum e Alfabético sem informação são preenchidos com brancos; um valor menor é alinhado à "
    "esquerda e completado com brancos à direita. Os campos de telefone marcados com (1) têm somente algarismos, "
    "alinhados à esquerda e completados com brancos.",
    "Um estabelecimento é identificado pela inscrição do empregador (14 algarismos; o CNPJ como é, a matrícula CEI de "
    "12 algarismos com dois zeros à esquerda) e por um prefixo de 2 caracteres, que pode combinar os algarismos 0-9 e "
    "as letras maiúsculas A-Z; o prefixo não usado é \"00\".",
    "Um vínculo é identificado pelo número do PIS/PASEP e pela data de admissão. Dois vínculos do mesmo trabalhador com "
    "o mesmo empregador e a mesma data de admissão devem ir para prefixos diferentes; com datas de admissão diferentes "
    "podem ficar no mesmo prefixo.",
    "Os registros são ordenados por inscrição, prefixo, PIS/PASEP e data de admissão.",
    "O nome e o endereço completo do responsável são obrigatórios.",
};

constexpr const char* kEstrutura[] = {
    "Registro tipo 0 - abertura do arquivo, dados do responsável (um por arquivo, o primeiro).",
    "Registro tipo 1 - estabelecimento (um por estabelecimento).",
    "Registro tipo 2 - vínculo empregatício (um por vínculo, logo após o registro tipo 1 do seu estabelecimento; "
    "nenhum para estabelecimento sem empregados).",
    "Registro tipo 9 - encerramento do arquivo, totais (um por arquivo, o último).",
};

constexpr const char* kNota1 = "(1) Somente algarismos, alinhados à esquerda e completados com brancos à direita.";
constexpr const char* kNota2 = "(2) Informe a matrícula CEI que possui inscrição simultânea no CNPJ.";
constexpr const char* kNota2Exemplo =
    "Exemplo: empresa de construção civil, inscrita no CNPJ, com empregados em obras específicas matriculadas no CEI.";

std::string NomeClasse(Classe c) {
  switch (c) {
    case Classe::Numero: return "Número";
    case Classe::Alfabetico: return "Alfabético";
    case Classe::Alfanum: break;
  }
  return "Alfanum";
}

std::string Descricao(const CampoLayout& c) {
  std::string d(c.rotulo);
  if (d.empty()) d = c.texto.empty() ? "Brancos" : "Preencher com \"" + std::string(c.texto) + "\"";
  if (c.nota) d += " (" + std::to_string(c.nota) + ")";
  return d;
}

void Texto(Paginador& p, const std::string& texto, Fonte f = kFonteTexto, Unidade altura = 0, Unidade recuo = 0) {
  const Unidade w = p.formato().LarguraUtil();
  // Long paragraphs wrap: about 120 characters of the text font to a line.
  const Unidade linhas = altura ? 0 : static_cast<Unidade>(texto.size() / 120 + 1);
  Banda b(TipoBanda::Detalhe, altura ? altura : linhas * 13 + 4);
  b.Paragrafo(recuo, 2, w - recuo, b.altura - 2, texto, f);
  p.Coloca(std::move(b));
}

void Tipo(Paginador& p, const char* titulo, std::span<const CampoLayout> campos, int de, int ate) {
  const Unidade w = p.formato().LarguraUtil();
  Banda t(TipoBanda::CabecalhoGrupo, 44);
  t.novaPagina = true;
  t.Texto(0, 4, w, 18, titulo, kFonteTitulo)
      .Texto(0, 26, 90, 14, "Posição", kFonteNegrito)
      .Texto(90, 26, 90, 14, "Tipo", kFonteNegrito)
      .Texto(180, 26, w - 180, 14, "Descrição", kFonteNegrito)
      .Traco(0, 42, w, 42);
  p.Coloca(std::move(t));
  bool nota1 = false, nota2 = false;
  for (const CampoLayout& c : campos) {
    if (c.posicao == 0 || c.posicao < de || c.posicao > ate) continue;
    nota1 |= c.nota == 1, nota2 |= c.nota == 2;
    const int fim = c.posicao + c.tamanho - 1;
    Banda l(TipoBanda::Detalhe, kLinha);
    l.Texto(0, 1, 90, 14, fim == c.posicao ? std::to_string(fim) : std::to_string(c.posicao) + "-" + std::to_string(fim),
            kFonteTexto)
        .Texto(90, 1, 90, 14, NomeClasse(c.classe), kFonteTexto)
        .Texto(180, 1, w - 180, 14, Descricao(c), kFonteTexto);
    p.Coloca(std::move(l));
  }
  if (nota1 || nota2) Texto(p, "", kFonteTexto, 10);
  if (nota1) Texto(p, kNota1, kFonteTexto, kLinha);
  if (nota2) {
    Texto(p, kNota2, kFonteTexto, kLinha);
    Texto(p, kNota2Exemplo, kFonteTexto, kLinha, 16);
  }
}

}  // namespace

void TrpCartela::Gera(Paginador& p) {
  Texto(p, "Informações gerais sobre o arquivo", kFonteTitulo, 24);
  for (const char* r : kRegrasGerais) Texto(p, std::string("- ") + r);
  Texto(p, "Estrutura lógica do arquivo", kFonteTitulo, 30);
  for (const char* r : kEstrutura) Texto(p, r);
  Texto(p, "", kFonteTexto, 10);
  Texto(p, LinhasAtendimento("Maiores esclarecimentos: CATZEMA - Central de Atendimento da ZEMA "), kFonteTexto, 34);

  Tipo(p, "Registro tipo zero", CamposLayout(TipoRegistro::Zero), 1, kTamanhoRegistro);
  Tipo(p, "Registro tipo Um", CamposLayout(TipoRegistro::Um), 1, kTamanhoRegistro);
  Tipo(p, "Registro tipo Dois", CamposLayout(TipoRegistro::Dois), 1, 279);
  Tipo(p, "Registro tipo Dois", CamposLayout(TipoRegistro::Dois), 280, kTamanhoRegistro);
  Tipo(p, "Registro tipo Nove", CamposLayout(TipoRegistro::Nove), 1, kTamanhoRegistro);
}

void TrpCartela::CabecalhoPagina(const ContextoPagina&, std::vector<Banda>& bandas) {
  const Unidade w = FormatoPagina().LarguraUtil();
  Banda c(TipoBanda::CabecalhoPagina, 72);
  c.Traco(0, 0, w, 0);
  TitulosCentrados(c, 4, w, "Descrição do arquivo ZEMA2004");
  c.Traco(0, 68, w, 68);
  bandas.push_back(std::move(c));
}

void TrpCartela::RodapePagina(const ContextoPagina& ctx, std::vector<Banda>& bandas) {
  bandas.push_back(RodapePadrao(ctx, FormatoPagina().LarguraUtil(), false));
}

}  // namespace vornex::relatorio
