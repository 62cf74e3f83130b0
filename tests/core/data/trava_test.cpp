#include "data/trava_pasta.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "apoio.h"
#include "data/banco.h"
#include "data/indexacao.h"
#include "data/pasta_dados.h"
#include "morte.h"

namespace {

namespace fs = std::filesystem;
using vornex::TravaPastaDados;
using Modo = TravaPastaDados::Modo;

// Whether another process can take the folder's lock in `modo` now. The
// child opens the lock file anew, as a separate program does (what it
// inherits from this process is this process's own lock).
bool OutroProcessoObtem(const fs::path& pasta, Modo modo) {
  const auto fim = teste::MataDepois(
      [&] {
        const int fd = ::open((pasta / vornex::kArquivoTrava).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        return fd >= 0 && ::flock(fd, (modo == Modo::Exclusiva ? LOCK_EX : LOCK_SH) | LOCK_NB) == 0 ? 0 : 1;
      },
      std::chrono::seconds(30));
  return fim.codigo == 0;
}

TEST(TravaPasta, UmaPassagemQueEscreveDeCadaVez) {
  teste::PastaTemporaria p;
  struct Caso {
    const char* nome;
    Modo aqui, outro;
    bool obtem;
  } const casos[] = {
      {"duas que escrevem", Modo::Exclusiva, Modo::Exclusiva, false},
      {"leitora depois de uma que escreve", Modo::Exclusiva, Modo::Compartilhada, false},
      {"que escreve depois de uma leitora", Modo::Compartilhada, Modo::Exclusiva, false},
      {"duas leitoras", Modo::Compartilhada, Modo::Compartilhada, true},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    TravaPastaDados t(p.caminho(), c.aqui);
    EXPECT_EQ(OutroProcessoObtem(p.caminho(), c.outro), c.obtem);
  }
  // Released at the end of the pass, however it ends.
  EXPECT_TRUE(OutroProcessoObtem(p.caminho(), Modo::Exclusiva));

  // One pass calling another keeps the folder; a reader cannot start writing.
  {
    TravaPastaDados externa(p.caminho());
    EXPECT_NO_THROW(TravaPastaDados interna(p.caminho()));
    EXPECT_NO_THROW(TravaPastaDados leitora(p.caminho(), Modo::Compartilhada));
    EXPECT_FALSE(OutroProcessoObtem(p.caminho(), Modo::Compartilhada));
  }
  {
    TravaPastaDados leitora(p.caminho(), Modo::Compartilhada);
    try {
      TravaPastaDados escritora(p.caminho());
      ADD_FAILURE() << "a leitora passou a escrever";
    } catch (const vornex::ErroPastaEmUso& e) {
      EXPECT_EQ(std::string(e.what()), "Outra operação do VORNEX está usando a pasta de dados " + p.caminho().string() +
                                           ". Aguarde o seu término e tente novamente.");
    }
  }
  // A lock file that is a link is never followed.
  teste::PastaTemporaria q;
  fs::create_symlink(p / "fora", q / vornex::kArquivoTrava);
  EXPECT_THROW(TravaPastaDados(q.caminho()), std::runtime_error);
  EXPECT_FALSE(fs::exists(p / "fora"));
}

// What killed passes leave is removed by the next pass that writes, and
// nothing else.
TEST(TravaPasta, PrimeiraPassagemQueEscreveLimpaAsSobras) {
  teste::PastaTemporaria p;
  teste::CopiaPastaInicializada(p / "dados");
  const fs::path d = p / "dados";
  fs::create_directories(d / "Work" / "Ab12Cd");
  teste::Escreve(d / "Work" / "Ab12Cd" / vornex::kArquivoDeclaracao, "restauração morta");
  teste::Escreve(d / vornex::kArquivoCopiaAnalise, "cópia de uma análise morta");
  teste::Escreve(d / ".declaracao.db.parcial-Xy34Zw", "instalação morta");
  teste::Escreve(p / "fora", "de fora");
  fs::create_symlink(p / "fora", d / "Work" / "ligacao");
  teste::Escreve(d / "notas.txt", "do usuário");

  {
    TravaPastaDados leitora(d, Modo::Compartilhada);
    EXPECT_TRUE(fs::exists(d / "Work"));
  }
  { TravaPastaDados escritora(d); }
  std::set<std::string> nomes;
  for (const auto& e : fs::directory_iterator(d)) nomes.insert(e.path().filename().string());
  EXPECT_EQ(nomes, (std::set<std::string>{vornex::kArquivoDeclaracao, vornex::kArquivoReferencia,
                                          vornex::kArquivoTrabalho, vornex::kArquivoTrava, "notas.txt"}));
  EXPECT_EQ(teste::LeArquivo(p / "fora"), "de fora");
  // The lock file alone does not make a folder a data folder.
  teste::PastaTemporaria nova;
  { TravaPastaDados t(nova.caminho()); }
  EXPECT_TRUE(vornex::AbreOuInicializaPastaDados(nova.caminho(), teste::OrigemDados()));
}

}  // namespace
