#pragma once
// The findings of the last consistency pass (Te8ErrWa) grouped the way the
// error report and the command line show them: errors first, then warnings;
// under each record (the opening record, an establishment, a link) its
// message numbers in table order, and under each number one "label =
// content" field per row.
#include <functional>
#include <string>
#include <vector>

#include "data/linha.h"

namespace vornex {

class Catalogo;
class Conexao;

struct CampoOcorrencia {
  std::string rotulo;    // catalog text of `lbl`
  std::string conteudo;  // `Conteudo` as stored
};

struct MensagemOcorrencia {
  std::string numero;  // `retorno`
  std::string texto;   // its catalog text (the number when missing)
  // The same number as the previous heading of this very record: the printed
  // report leaves the heading blank.
  bool repetida = false;
  std::vector<CampoOcorrencia> campos;
};

struct RegistroOcorrencia {
  std::string nivel;  // `tiporegistro`: "0", "1" or "2"
  // The establishment's heading goes before this record: a type-1 record, or
  // the first link of an establishment other than the last one headed.
  bool abreEstabelecimento = false;
  Linha linha;  // the record's first row, for its identity columns
  std::vector<MensagemOcorrencia> mensagens;
};

struct ParteOcorrencias {
  bool avisos = false;  // `errwar` is not "err"
  std::vector<RegistroOcorrencia> registros;
};

// Te8ErrWa in report order (errwar, sequencial); none when the table does not exist.
std::vector<Linha> LeOcorrencias(Conexao& c);
// The same rows handed to `f` one at a time, never all in memory: a pass may
// leave hundreds of thousands.
void ParaCadaOcorrencia(Conexao& c, const std::function<void(const Linha&)>& f);

// The rows of LeOcorrencias grouped; the errors' part (when any) comes first.
std::vector<ParteOcorrencias> AgrupaOcorrencias(const std::vector<Linha>& linhas, const Catalogo& catalogo);

}  // namespace vornex
