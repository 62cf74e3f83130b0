#pragma once
// The declaration file's record layout. One table per record type lists every
// field once (position, length, class, label, column, how it is written and
// how the analyser loads it); record building, field extraction, the
// analyser's loading, the descriptor sets and the printed layout description
// all read these tables, so a position is written down once.
#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/linha.h"

namespace vornex {

inline constexpr int kTamanhoRegistro = 350;
inline constexpr std::string_view kFimRegistro = "\r\n";  // the writer always ends records so
inline constexpr int kTamanhoLinhaGravada = kTamanhoRegistro + 2;

enum class TipoRegistro : char { Zero = '0', Um = '1', Dois = '2', Nove = '9' };

// Character class of a field: N Número, A Alfanum, L Alfabético.
enum class Classe : char { Numero = 'N', Alfanum = 'A', Alfabetico = 'L' };

// Where a field's value comes from when a record is built.
enum class Origem : unsigned char {
  Fixo,             // a constant of the layout
  Gravador,         // a value the writer keeps (sequence, counts, mode, time)
  Responsavel,      // the responsible-person row
  Estabelecimento,  // the establishment row
  Vinculo,          // the link row
};

enum class Regra : unsigned char {
  Formatado,     // stored text, left-justified, space-padded, a-z upper-cased
  PadraoSeVazio, // `texto` when the stored text is blank after trimming, else formatted
  UmSenaoDois,   // "1" when the trimmed text is "1", else "2"
  Constante,     // `texto`, space-padded (so "" is all spaces)
  Sequencial,    // the record's sequence number, zero-filled
  Hora,          // hhmmss given by the writer
  IndicadorRetificacao,  // "1" rectification, "2" first delivery
  DataRetificacao,       // by the writer's mode, from `coluna` or the typed date
  DataGeracao,           // likewise
  TotalTipo1, TotalTipo2, TotalPrefixos,  // counts of the file, zero-filled
  Estatistica,           // "99", version digits, "1", source of the data
};

// How the analyser loads a field into its work-table column.
enum class Carga : unsigned char {
  Nenhuma,         // not loaded, or loaded apart (keys of the record, AnBase, CoCgcVinculado)
  Encontrado,      // as found
  Aparado,         // trimmed
  Logico,          // true when "1" or "X"
  UmSenaoDois,     // "1" for "1" or "X", else "2"
  UmDoisOuValor,   // "1" for "1" or "X", "2" for "2" or blank, else as found
  ZerosEsquerda,   // trimmed and zero-filled on the left to the field's length
  Remuneracao,     // as found, or zeros when the link loads without pay
  Porte,           // as found; "3" with the previous year's layout
  Pat,             // as found; zeros with the previous year's layout
};

struct CampoLayout {
  int slot;  // descriptor slot; 0: no descriptor
  int posicao;  // 1-based; 0 (with tamanho 0) for a descriptor with no place of its own
  int tamanho;
  Classe classe;
  std::string_view rotulo;
  Origem origem;
  Regra regra;
  Carga carga;
  // Column of the declaration and work tables (they share their names): the
  // writer's source, and where the analyser loads the field. A value the
  // writer keeps itself names only the column the analyser fills.
  std::string_view coluna = {};
  std::string_view texto = {};   // constant or blank default
  int desloc = 0;  // where the field starts inside the column's text (two fields share CoCgcVinculado)
  int nota = 0;    // footnote of the printed description: 1 telephone, 2 linked CEI
};

// clang-format off
inline constexpr CampoLayout kLayoutTipoZero[] = {
  {1,   1,  6, Classe::Numero, "Sequencial", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "000001"},
  {2,   7, 14, Classe::Numero, "CGC/CEI/CNPJ", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "CoCgcCeiEstabelecimento"},
  {3,  21,  2, Classe::Alfanum, "Prefixo", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "NuPrefixoEstabelecimento"},
  {4,  23,  1, Classe::Numero, "Tipo", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "0"},
  {5,  24,  1, Classe::Numero, "InReciboDefinitivo", Origem::Responsavel, Regra::UmSenaoDois, Carga::Logico, "InReciboParaRespArquivo"},
  {6,  25, 14, Classe::Numero, "CGC/CEI/CNPJResp", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "CoCgcCeiResponsavel"},
  {7,  39,  1, Classe::Numero, "TipoInscricao", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "InInscrResponsavel"},
  {8,  40, 40, Classe::Alfanum, "Nome/Firma/Razão Social", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "NoResponsavelArquivo"},
  {9,  80, 40, Classe::Alfanum, "Endereco do Responsavel", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "EdLogradouroRespArquivo"},
  {10, 120, 6, Classe::Numero, "Numero", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "NuLogradouroRespArquivo"},
  {11, 126, 21, Classe::Alfanum, "Complemento", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "TxComplementoRespArquivo"},
  {12, 147, 19, Classe::Alfanum, "Bairro", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "NoBairroRespArquivo"},
  {13, 166, 8, Classe::Numero, "CEP", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "CoCepRespArquivo"},
  {14, 174, 7, Classe::Numero, "Codigo do Municipio", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "CoMunicipioRespArquivo"},
  {15, 181, 30, Classe::Alfanum, "Nome do Municipio", Origem::Responsavel, Regra::Formatado, Carga::Aparado, "NoMunicipioRespArquivo"},
  {16, 211, 2, Classe::Alfabetico, "UF", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "SgUfRespArquivo"},
  {17, 213, 2, Classe::Numero, "DDDTelefone", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "NuFoneDDD", {}, 0, 1},
  {18, 215, 8, Classe::Numero, "NuTelefone", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "NuFoneAssinante", {}, 0, 1},
  {20, 223, 1, Classe::Numero, "Indicador de Retificação", Origem::Gravador, Regra::IndicadorRetificacao, Carga::Logico, "InRetificacao"},
  {21, 224, 8, Classe::Numero, "Data de Retificação", Origem::Responsavel, Regra::DataRetificacao, Carga::Encontrado, "DaRetificacao"},
  {22, 232, 8, Classe::Numero, "Data de geracao do arquivo", Origem::Responsavel, Regra::DataGeracao, Carga::Encontrado, "DaGeracao"},
  {23, 240, 45, Classe::Alfanum, "e-mail do responsavel", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "TxEMailRespArquivo"},
  {0,  285, 3, Classe::Alfanum, "", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "V01"},
  {24, 288, 6, Classe::Numero, "Hora de geração do arquivo", Origem::Gravador, Regra::Hora, Carga::Encontrado, "HoSenha"},
  {0,  294, 57, Classe::Alfanum, "", Origem::Fixo, Regra::Constante, Carga::Nenhuma},
};

inline constexpr CampoLayout kLayoutTipoUm[] = {
  {1,   1,  6, Classe::Numero, "Sequencial", Origem::Gravador, Regra::Sequencial, Carga::Encontrado, "NuSequencialRegistro"},
  {2,   7, 14, Classe::Numero, "CNPJ/CEI", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "CoCgcCeiEstabelecimento"},
  {3,  21,  2, Classe::Alfanum, "Prefixo", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "NuPrefixoEstabelecimento"},
  {4,  23,  1, Classe::Numero, "Tipo", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "1"},
  {5,  24, 52, Classe::Alfanum, "Nome/Firma/Razão Social", Origem::Estabelecimento, Regra::Formatado, Carga::Aparado, "NoRazaoEstabelecimento"},
  {6,  76, 40, Classe::Alfanum, "Endereco", Origem::Estabelecimento, Regra::Formatado, Carga::Aparado, "EdEstabelecimento"},
  {7, 116,  6, Classe::Numero, "Numero", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "NuEnderecoEstabelecimento"},
  {8, 122, 21, Classe::Alfanum, "Complemento", Origem::Estabelecimento, Regra::Formatado, Carga::Aparado, "TxComplemEstabelecimento"},
  {9, 143, 19, Classe::Alfanum, "Bairro", Origem::Estabelecimento, Regra::Formatado, Carga::Aparado, "NoBairroEstabelecimento"},
  {10, 162, 8, Classe::Numero, "CEP", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "CoCepEstabelecimento"},
  {11, 170, 7, Classe::Numero, "Código do Município", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "CoMunicipio"},
  {12, 177, 30, Classe::Alfanum, "Nome do Municipio", Origem::Estabelecimento, Regra::Formatado, Carga::Aparado, "NoMunicEstabelecimento"},
  {13, 207, 2, Classe::Alfabetico, "Sigla da UF", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "SgUf"},
  {14, 209, 2, Classe::Numero, "DDD do Telefone", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "NuDDD", {}, 0, 1},
  {15, 211, 8, Classe::Numero, "Número do Telefone", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "NuTelefone", {}, 0, 1},
  {40, 219, 45, Classe::Alfanum, "E-mail do Estabelecimento", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "TxEmailEstabelecimento"},
  {16, 264, 5, Classe::Numero, "CNAE", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "CoCnae"},
  {17, 269, 4, Classe::Numero, "Natureza Jurídica", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "CoNaturezaJuridica"},
  {18, 273, 2, Classe::Numero, "Número de Proprietarios", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "NuProprietEstabelecimento"},
  {19, 275, 2, Classe::Numero, "Data Base", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "MeDataBase"},
  {20, 277, 1, Classe::Numero, "Tipo de inscrição do estabelecimento", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "InInscrEstabelecimento"},
  {21, 278, 1, Classe::Numero, "Tipo de ZEMA", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "InZemaNegEstabelecimento"},
  // The 14-character CoCgcVinculado fills 279-292: its two leading zeros, then the CEI of slot 22.
  {0,  279, 2, Classe::Numero, "Zeros", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "CoCgcVinculado", {}, 0},
  {22, 281, 12, Classe::Numero, "Matrícula CEI vinculada a uma inscrição CNPJ", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "CoCgcVinculado", {}, 2, 2},
  {23, 293, 4, Classe::Numero, "2004", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "2004"},
  {39, 297, 1, Classe::Numero, "Porte da Empresa", Origem::Estabelecimento, Regra::Formatado, Carga::Porte, "InPorte"},
  {27, 298, 1, Classe::Numero, "Optante pelo Simples", Origem::Estabelecimento, Regra::Formatado, Carga::UmSenaoDois, "InOptanteSimples"},
  {24, 299, 1, Classe::Numero, "PAT", Origem::Estabelecimento, Regra::Formatado, Carga::UmDoisOuValor, "InParticipaPAT"},
  {29, 300, 6, Classe::Numero, "Vinculos do PAT até 5 salarios minimos", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "NuVinculoPatMenor5", "000000"},
  {30, 306, 6, Classe::Numero, "Vinculos do PAT acima de 5 salarios minimos", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "NuVinculoPatMaior5", "000000"},
  {31, 312, 3, Classe::Numero, "% Empregados serviço próprio", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoServicoProprio", "000"},
  {32, 315, 3, Classe::Numero, "% Empregados Administração Cozinha", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoAdmCozinha", "000"},
  {33, 318, 3, Classe::Numero, "% Empregados Refeição Convenio", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoRefeicaoConvenio", "000"},
  {34, 321, 3, Classe::Numero, "% Empregados Refeição Transportadora", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoRefeicaoTransportadora", "000"},
  {35, 324, 3, Classe::Numero, "% Empregados Cesta Alimento", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoCestaAlimento", "000"},
  {36, 327, 3, Classe::Numero, "% Empregados Alimentação Convenio", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Pat, "PoAlimentacaoConvenio", "000"},
  {37, 330, 1, Classe::Numero, "Indicador Encerramento Atividade", Origem::Estabelecimento, Regra::UmSenaoDois, Carga::UmSenaoDois, "InEncerramentoAtividade"},
  {38, 331, 8, Classe::Numero, "Data Encerramento Atividade", Origem::Estabelecimento, Regra::PadraoSeVazio, Carga::Encontrado, "DaEncerramentoAtividade", "00000000"},
  {28, 339, 12, Classe::Alfanum, "Reservado para informação de uso exclusivo da empresa", Origem::Estabelecimento, Regra::Formatado, Carga::Encontrado, "TxUsoEstabelecimento"},
};

inline constexpr CampoLayout kLayoutTipoDois[] = {
  {1,   1,  6, Classe::Numero, "Sequencial", Origem::Gravador, Regra::Sequencial, Carga::Encontrado, "NuSequencialRegistro"},
  {2,   7, 14, Classe::Numero, "Inscricao", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "CoCgcCeiEstabelecimento"},
  {3,  21,  2, Classe::Alfanum, "Prefixo", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "NuPrefixoEstabelecimento"},
  {4,  23,  1, Classe::Numero, "Tipo", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "2"},
  {5,  24, 11, Classe::Numero, "Código PIS/PASEP", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoPisPasepEmpregado"},
  {6,  35, 30, Classe::Alfanum, "Nome do Empregado", Origem::Vinculo, Regra::Formatado, Carga::Aparado, "NoEmpregado"},
  {7,  65,  8, Classe::Numero, "Data de Nascimento(ddmmaaaa)", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaNascimentoEmpregado"},
  {8,  73,  2, Classe::Numero, "Nacionalidade", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoNacionalidade"},
  {9,  75,  4, Classe::Numero, "Ano de chegada no país (aaaa)", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "AnChegadaEmpregado"},
  {10, 79,  1, Classe::Numero, "Grau de instrução", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoInstrucao"},
  {11, 80, 11, Classe::Numero, "CPF", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoCpfEmpregado"},
  // The work-card number and series are one field; slot 13 keeps its label only.
  {12, 91, 11, Classe::Numero, "Carteira de Trabalho(Série)", Origem::Vinculo, Regra::Formatado, Carga::ZerosEsquerda, "NuCartTrabEmpregado"},
  {13,  0,  0, Classe::Numero, "Carteira de Trabalho(Número)", Origem::Fixo, Regra::Constante, Carga::Nenhuma},
  {14, 102, 8, Classe::Numero, "Data de Admissão/Data de Transferência(ddmmaaaa)", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaAdmissaoEmpregado"},
  {15, 110, 1, Classe::Numero, "Tipo de Admissão", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoTipoAdmissao"},
  {16, 111, 9, Classe::Numero, "Salário Contratual(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaSalContratualEmpregado"},
  {17, 120, 1, Classe::Numero, "Tipo de Salário Contratual", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoTipoSalarioContratual"},
  {18, 121, 2, Classe::Numero, "Horas semanais", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "HoSemanaisEmpregado"},
  {19, 123, 6, Classe::Alfanum, "CBO", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoCbo"},
  {20, 129, 2, Classe::Numero, "Vínculo", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoVinculo"},
  {21, 131, 2, Classe::Numero, "Código de desligamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoCausaDesligamento"},
  {22, 133, 4, Classe::Numero, "Data do desligamento(ddmm)", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaDesligamentoEmpregado"},
  {23, 137, 9, Classe::Numero, "Remuneracao JANEIRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaJaneiroEmpregado"},
  {24, 146, 9, Classe::Numero, "Remuneracao FEVEREIRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaFevereiroEmpregado"},
  {25, 155, 9, Classe::Numero, "Remuneracao MARCO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaMarcoEmpregado"},
  {26, 164, 9, Classe::Numero, "Remuneracao ABRIL(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaAbrilEmpregado"},
  {27, 173, 9, Classe::Numero, "Remuneracao MAIO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaMaioEmpregado"},
  {28, 182, 9, Classe::Numero, "Remuneracao JUNHO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaJunhoEmpregado"},
  {29, 191, 9, Classe::Numero, "Remuneracao JULHO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaJulhoEmpregado"},
  {30, 200, 9, Classe::Numero, "Remuneracao AGOSTO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaAgostoEmpregado"},
  {31, 209, 9, Classe::Numero, "Remuneracao SETEMBRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaSetembroEmpregado"},
  {32, 218, 9, Classe::Numero, "Remuneracao OUTUBRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaOutubroEmpregado"},
  {33, 227, 9, Classe::Numero, "Remuneracao NOVEMBRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaNovembroEmpregado"},
  {34, 236, 9, Classe::Numero, "Remuneracao DEZEMBRO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaDezembroEmpregado"},
  {35, 245, 9, Classe::Numero, "Remuneracao 13o ADIANTAMENTO(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "Va13AdiantamentoEmpregado"},
  {36, 254, 2, Classe::Numero, "Mês de pagamento 13o ADIANTAMENTO", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "Me13AdiantamentoEmpregado"},
  {37, 256, 9, Classe::Numero, "Remuneracao 13o FINAL(valor com centavos)", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "Va13ParcelaFinalEmpregado"},
  {38, 265, 2, Classe::Numero, "Mês de pagamento 13o FINAL", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "Me13ParcelaFinalEmpregado"},
  {39, 267, 1, Classe::Alfanum, "Raça/Cor", Origem::Vinculo, Regra::PadraoSeVazio, Carga::Encontrado, "CoTipoRaca", "9"},
  {40, 268, 1, Classe::Numero, "Defeciente físico", Origem::Vinculo, Regra::Formatado, Carga::UmDoisOuValor, "InDeficienteFisico"},
  {43, 269, 1, Classe::Numero, "Alvara", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "InAlvaraEmpregado"},
  {42, 270, 9, Classe::Numero, "Aviso Previo Indenizado", Origem::Vinculo, Regra::Formatado, Carga::Remuneracao, "VaAvisoPrevioEmpregado"},
  {44, 279, 1, Classe::Numero, "Sexo", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "InSexo"},
  {45, 280, 2, Classe::Numero, "Motivo Primeiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoMotivoPrimAfas"},
  {46, 282, 4, Classe::Numero, "Data Inicio Primeiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaInicioprimeiroAfas"},
  {47, 286, 4, Classe::Numero, "Data Final Primeiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaFinalPrimeiroAfas"},
  {48, 290, 2, Classe::Numero, "Motivo Segundo Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoMotivoSeguAfas"},
  {49, 292, 4, Classe::Numero, "Data Inicio Segundo Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaInicioSegundoAfas"},
  {50, 296, 4, Classe::Numero, "Data Final Segundo Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaFinalSegundoAfas"},
  {51, 300, 2, Classe::Numero, "Motivo Terceiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "CoMotivoTercAfas"},
  {52, 302, 4, Classe::Numero, "Data Inicio Terceiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaInicioTerceiroAfas"},
  {53, 306, 4, Classe::Numero, "Data Final Terceiro Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "DaFinalTerceiroAfas"},
  {54, 310, 3, Classe::Numero, "Quant Dias Afastamento", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "QtDiasAfas"},
  {0,  313, 26, Classe::Alfanum, "", Origem::Fixo, Regra::Constante, Carga::Nenhuma},
  {41, 339, 12, Classe::Alfanum, "Reservado para informação de uso exclusivo da empresa", Origem::Vinculo, Regra::Formatado, Carga::Encontrado, "TxUsoEmpregado"},
};

inline constexpr CampoLayout kLayoutTipoNove[] = {
  {1,   1,  6, Classe::Numero, "Sequencial", Origem::Gravador, Regra::Sequencial, Carga::Nenhuma},
  {2,   7, 14, Classe::Numero, "Inscricao CNPJ/CEI do último", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "CoCgcCeiEstabelecimento"},
  {3,  21,  2, Classe::Alfanum, "Prefixo do último", Origem::Estabelecimento, Regra::Formatado, Carga::Nenhuma, "NuPrefixoEstabelecimento"},
  {4,  23,  1, Classe::Numero, "Tipo", Origem::Fixo, Regra::Constante, Carga::Nenhuma, {}, "9"},
  {5,  24,  6, Classe::Numero, "Total de registros do tipo 1", Origem::Gravador, Regra::TotalTipo1, Carga::Nenhuma},
  {6,  30,  6, Classe::Numero, "Total de registros do tipo 2", Origem::Gravador, Regra::TotalTipo2, Carga::Nenhuma},
  {7,  36,  6, Classe::Numero, "Total de prefixos diferentes de 00 - ZeroZero", Origem::Gravador, Regra::TotalPrefixos, Carga::Nenhuma},
  {8,  42,  6, Classe::Numero, "Estatística", Origem::Gravador, Regra::Estatistica, Carga::Nenhuma},
  {9,  48, 48, Classe::Alfanum, "Pesquisa", Origem::Responsavel, Regra::Formatado, Carga::Encontrado, "NuRespostaPesquisa"},
  {0,  96, 223, Classe::Alfanum, "", Origem::Fixo, Regra::Constante, Carga::Nenhuma},
  // Written blank; the seal replaces it once the file is complete.
  {10, 319, 32, Classe::Alfanum, "Hashcode", Origem::Fixo, Regra::Constante, Carga::Nenhuma},
};
// clang-format on

// The fields of a record type in position order (descriptor-only slots included).
std::span<const CampoLayout> CamposLayout(TipoRegistro tipo);

namespace layout_detalhe {

template <std::size_t K>
constexpr bool Contiguo(const CampoLayout (&t)[K]) {
  int proxima = 1;
  for (const auto& c : t) {
    if (c.posicao == 0) {
      if (c.tamanho != 0 || c.slot == 0) return false;
      continue;
    }
    if (c.posicao != proxima || c.tamanho <= 0) return false;
    proxima += c.tamanho;
  }
  return proxima == kTamanhoRegistro + 1;
}

template <std::size_t K>
constexpr bool SlotsUnicos(const CampoLayout (&t)[K], int slots) {
  for (std::size_t i = 0; i < K; ++i) {
    if (t[i].slot < 0 || t[i].slot > slots) return false;
    for (std::size_t j = i + 1; j < K; ++j)
      if (t[i].slot != 0 && t[i].slot == t[j].slot) return false;
  }
  return true;
}

// A loaded field has a slot to read it through and a column to put it in.
template <std::size_t K>
constexpr bool CargasComColuna(const CampoLayout (&t)[K]) {
  for (const auto& c : t)
    if (c.carga != Carga::Nenhuma && (c.slot == 0 || c.posicao == 0 || c.coluna.empty())) return false;
  return true;
}

template <std::size_t K>
constexpr const CampoLayout& DoSlot(const CampoLayout (&t)[K], int slot) {
  for (const auto& c : t)
    if (c.slot == slot) return c;
  throw "slot not in the layout";
}

}  // namespace layout_detalhe

static_assert(layout_detalhe::Contiguo(kLayoutTipoZero) && layout_detalhe::SlotsUnicos(kLayoutTipoZero, 24) &&
              layout_detalhe::CargasComColuna(kLayoutTipoZero));
static_assert(layout_detalhe::Contiguo(kLayoutTipoUm) && layout_detalhe::SlotsUnicos(kLayoutTipoUm, 40) &&
              layout_detalhe::CargasComColuna(kLayoutTipoUm));
static_assert(layout_detalhe::Contiguo(kLayoutTipoDois) && layout_detalhe::SlotsUnicos(kLayoutTipoDois, 54) &&
              layout_detalhe::CargasComColuna(kLayoutTipoDois));
static_assert(layout_detalhe::Contiguo(kLayoutTipoNove) && layout_detalhe::SlotsUnicos(kLayoutTipoNove, 10) &&
              layout_detalhe::CargasComColuna(kLayoutTipoNove));

// Where the seal lives in the type-9 record, and where a record says its type.
inline constexpr int kPosicaoSelo = layout_detalhe::DoSlot(kLayoutTipoNove, 10).posicao;
inline constexpr int kTamanhoSelo = layout_detalhe::DoSlot(kLayoutTipoNove, 10).tamanho;
inline constexpr int kPosicaoTipo = layout_detalhe::DoSlot(kLayoutTipoNove, 4).posicao;
static_assert(kPosicaoSelo + kTamanhoSelo - 1 == kTamanhoRegistro);

// ---------------------------------------------------------------------------
// Field descriptors.

// One field: its label, first position (1-based in the 350-character record)
// and length. An empty slot has an empty label, position 0 and length 0.
struct TArquivo {
  std::string_view rotulo;
  int posicao = 0;
  int tamanho = 0;
};

// The field a descriptor addresses in `registro`. Empty when the position or
// length is 0 or the length exceeds 256; cut short where the record ends.
std::string_view Campo(std::string_view registro, const TArquivo& campo);

template <int N>
class TArquivoZema {
 public:
  static constexpr int kSlots = N;
  // Slot 1..N; any other number gives an empty descriptor.
  const TArquivo& operator[](int slot) const;
  std::string_view extrai(std::string_view registro, int slot) const {
    return Campo(registro, (*this)[slot]);
  }

 protected:
  TArquivoZema(TipoRegistro tipo, int ano);

 private:
  std::array<TArquivo, N> campos_{};
};

// `ano` is 2004 (current) or 2003 (previous base year); others throw
// std::invalid_argument.
class TArquivoZemaTipoZero : public TArquivoZema<24> {
 public:
  explicit TArquivoZemaTipoZero(int ano = 2004) : TArquivoZema(TipoRegistro::Zero, ano) {}
};
class TArquivoZemaTipoUm : public TArquivoZema<40> {
 public:
  explicit TArquivoZemaTipoUm(int ano = 2004) : TArquivoZema(TipoRegistro::Um, ano) {}
};
class TArquivoZemaTipoDois : public TArquivoZema<54> {
 public:
  explicit TArquivoZemaTipoDois(int ano = 2004) : TArquivoZema(TipoRegistro::Dois, ano) {}
};
class TArquivoZemaTipoNove : public TArquivoZema<10> {
 public:
  explicit TArquivoZemaTipoNove(int ano = 2004) : TArquivoZema(TipoRegistro::Nove, ano) {}
};

// The descriptor set of a base year.
struct DescritoresAno {
  explicit DescritoresAno(int anoLayout)
      : ano(anoLayout), zero(anoLayout), um(anoLayout), dois(anoLayout), nove(anoLayout) {}
  int ano;
  int tamanhoRegistro = kTamanhoRegistro;
  TArquivoZemaTipoZero zero;
  TArquivoZemaTipoUm um;
  TArquivoZemaTipoDois dois;
  TArquivoZemaTipoNove nove;
};

// ---------------------------------------------------------------------------
// Record building.

// The writer's source and mode: declaration tables or work tables, and
// whether the file is a rectification (its type-0 indicator).
struct ModoGravacao {
  bool deTabelasTrabalho = false;
  bool retificacao = false;
};

struct DadosRegistroZero {
  ModoGravacao modo;
  std::string_view dataGeracao;  // typed generation date, ddmmyyyy; may be empty
  std::string_view hora;         // hhmmss when the record is written
};

struct DadosRegistroNove {
  ModoGravacao modo;
  long sequencia = 0;  // records in the file, this one included
  long tipo1 = 0;
  long tipo2 = 0;
  long prefixos = 0;  // type-1 records whose prefix is not "00"
};

// Builds records from table rows (declaration or work tables, whose columns
// have the same names). Column positions are resolved on the first row of
// each layout (and again only when a row of another result comes), so a pass
// costs one lookup per column, not per record. Each call appends exactly 350
// characters and CR LF to `saida`. A row lacking a column the layout needs
// throws std::out_of_range; a count that does not fit its field throws
// std::overflow_error.
class MontadorRegistros {
 public:
  MontadorRegistros();
  ~MontadorRegistros();
  MontadorRegistros(const MontadorRegistros&) = delete;
  MontadorRegistros& operator=(const MontadorRegistros&) = delete;

  // `primeiroEstab`: the first establishment written to this file.
  void zero(const Linha& resp, const Linha& primeiroEstab, const DadosRegistroZero& dados, std::string& saida);
  void um(const Linha& estab, long sequencia, std::string& saida);
  void dois(const Linha& estab, const Linha& vinculo, long sequencia, std::string& saida);
  // `ultimoEstab`: the last establishment written to this file.
  void nove(const Linha& resp, const Linha& ultimoEstab, const DadosRegistroNove& dados, std::string& saida);

 private:
  struct Resolucao;
  std::unique_ptr<Resolucao[]> resolucoes_;  // one per record type
};

// The statistics field of the type-9 record for a source of data.
std::string Estatistica(ModoGravacao modo);

}  // namespace vornex
