#pragma once
// Shared by the backup tests: temporary folders, files with chosen dates and
// a writer of archives byte by byte, for the cases the component never writes.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace teste {

namespace fs = std::filesystem;

class PastaTemporaria {
 public:
  PastaTemporaria() {
    std::string modelo = (fs::temp_directory_path() / "vornex-backup-XXXXXX").string();
    caminho_ = ::mkdtemp(modelo.data());
  }
  ~PastaTemporaria() {
    std::error_code ec;
    fs::remove_all(caminho_, ec);
  }
  PastaTemporaria(const PastaTemporaria&) = delete;
  PastaTemporaria& operator=(const PastaTemporaria&) = delete;
  const fs::path& operator*() const { return caminho_; }
  fs::path operator/(const fs::path& p) const { return caminho_ / p; }

 private:
  fs::path caminho_;
};

inline std::string Le(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), {}};
}

inline void Grava(const fs::path& p, const std::string& conteudo) {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << conteudo;
}

// A local time on an even second, so that it survives the packed DOS form.
inline std::time_t Instante(int ano, int mes, int dia, int hora, int minuto, int segundo) {
  std::tm tm{};
  tm.tm_year = ano - 1900;
  tm.tm_mon = mes - 1;
  tm.tm_mday = dia;
  tm.tm_hour = hora;
  tm.tm_min = minuto;
  tm.tm_sec = segundo;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

inline void MudaData(const fs::path& p, std::time_t t) {
  const struct timespec tempos[2] = {{t, 0}, {t, 0}};
  ::utimensat(AT_FDCWD, p.c_str(), tempos, 0);
}

inline std::time_t DataDe(const fs::path& p) {
  struct stat st {};
  ::stat(p.c_str(), &st);
  return st.st_mtim.tv_sec;
}

inline std::string Aleatorio(std::size_t n, unsigned semente = 7) {
  std::mt19937 g(semente);
  std::string s(n, '\0');
  for (auto& c : s) c = static_cast<char>(g());
  return s;
}

inline std::string Repetitivo(std::size_t n) {
  std::string s;
  while (s.size() < n) s += "Estabelecimento " + std::to_string(s.size() % 97) + ";";
  s.resize(n);
  return s;
}

inline std::string Zlib(const std::string& dados) {
  uLongf n = compressBound(static_cast<uLong>(dados.size()));
  std::string s(n, '\0');
  compress(reinterpret_cast<Bytef*>(s.data()), &n, reinterpret_cast<const Bytef*>(dados.data()),
           static_cast<uLong>(dados.size()));
  s.resize(n);
  return s;
}

// Little-endian archive bytes written by hand.
class Bytes {
 public:
  Bytes& i32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) s_.push_back(static_cast<char>(u >> (8 * i)));
    return *this;
  }
  Bytes& raw(const std::string& d) {
    s_ += d;
    return *this;
  }
  Bytes& texto(const std::string& d) { return i32(static_cast<std::int32_t>(d.size())).raw(d); }
  Bytes& cabecalho(const std::string& titulo = "Zema2004", std::int32_t total = 100, std::int32_t n = 1) {
    return texto(titulo).i32(total).i32(n);
  }
  Bytes& entrada(const std::string& nome, std::uint32_t data = 0x30A56000u) {
    return texto(nome).i32(static_cast<std::int32_t>(data));
  }
  Bytes& ec2() { return raw(std::string("EC2\0", 4)); }
  Bytes& guardado(const std::string& d) { return i32(-static_cast<std::int32_t>(d.size())).raw(d); }
  Bytes& comprimido(const std::string& d) {
    const std::string z = Zlib(d);
    return i32(static_cast<std::int32_t>(z.size())).raw(z);
  }
  // One whole file in stored blocks of at most 16384 bytes, then the end of the segment.
  Bytes& arquivo(const std::string& nome, const std::string& d) {
    entrada(nome).ec2();
    for (std::size_t i = 0; i < d.size(); i += 16384) guardado(d.substr(i, 16384));
    return i32(0);
  }
  const std::string& str() const { return s_; }
  void grava(const fs::path& p) const { Grava(p, s_); }

 private:
  std::string s_;
};

// The blocks of an archive written by the component, one volume.
struct Bloco {
  std::int32_t comprimento;
  std::size_t tamanho;  // decoded size
};
struct EntradaLida {
  std::string nome;
  std::uint32_t data = 0;
  std::vector<Bloco> blocos;
};

inline std::int32_t I32(const std::string& s, std::size_t& p) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= std::uint32_t{static_cast<unsigned char>(s.at(p + i))} << (8 * i);
  p += 4;
  return static_cast<std::int32_t>(u);
}

// Entries of a first volume up to the end mark or the volume change.
inline std::vector<EntradaLida> Entradas(const std::string& s) {
  std::size_t p = 0;
  const auto t = I32(s, p);
  p += static_cast<std::size_t>(t) + 8;
  std::vector<EntradaLida> r;
  for (;;) {
    const auto n = I32(s, p);
    if (n == 0) break;
    EntradaLida e;
    e.nome = s.substr(p, static_cast<std::size_t>(n));
    p += static_cast<std::size_t>(n);
    if (e.nome.starts_with("NEXT:DISK")) {
      r.push_back(e);
      break;
    }
    e.data = static_cast<std::uint32_t>(I32(s, p));
    p += 4;  // signature
    for (std::int32_t l; (l = I32(s, p)) != 0;) {
      std::size_t tamanho = static_cast<std::size_t>(l < 0 ? -l : l);
      if (l > 0) {
        std::string saida(16384, '\0');
        uLongf m = saida.size();
        uncompress(reinterpret_cast<Bytef*>(saida.data()), &m,
                   reinterpret_cast<const Bytef*>(s.data() + p), static_cast<uLong>(l));
        p += tamanho;
        tamanho = m;
      } else {
        p += tamanho;
      }
      e.blocos.push_back({l, tamanho});
    }
    r.push_back(e);
  }
  return r;
}

}  // namespace teste
