#pragma once
// Runs a pass in a child process and kills it (SIGKILL) at a chosen moment,
// as a power cut or an impatient user would. The child must not use the
// parent's database connections: it opens its own.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

namespace teste {

// How a run in a child process ended.
struct FimFilho {
  bool morto = false;  // killed before it ended on its own
  int codigo = -1;     // exit status when it ended on its own
};

// Runs `passagem` (its result is the exit status) in a child and, unless it
// ends first, kills it after `espera`.
inline FimFilho MataDepois(const std::function<int()>& passagem, std::chrono::microseconds espera) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int r = 99;
    try {
      r = passagem();
    } catch (...) {
    }
    ::_exit(r);
  }
  FimFilho fim;
  if (pid < 0) return fim;
  const auto limite = std::chrono::steady_clock::now() + espera;
  int estado = 0;
  while (std::chrono::steady_clock::now() < limite) {
    if (::waitpid(pid, &estado, WNOHANG) == pid) {
      fim.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
      return fim;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &estado, 0);
  fim.morto = WIFSIGNALED(estado);
  if (!fim.morto) fim.codigo = WIFEXITED(estado) ? WEXITSTATUS(estado) : -1;
  return fim;
}

// How long a whole run takes in a child, to place the kill points in it.
inline std::chrono::microseconds Duracao(const std::function<int()>& passagem) {
  const auto inicio = std::chrono::steady_clock::now();
  MataDepois(passagem, std::chrono::seconds(60));
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - inicio);
}

// Kill points spread over a run of `duracao`: a handful, from its start to near its end.
inline std::vector<std::chrono::microseconds> PontosDeMorte(std::chrono::microseconds duracao, int n = 6) {
  std::vector<std::chrono::microseconds> r;
  for (int i = 0; i < n; ++i) r.push_back(duracao * (2 * i + 1) / (2 * n) );
  return r;
}

}  // namespace teste
