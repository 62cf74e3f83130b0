// Replays hostile inputs through the fuzz targets' own entry functions, so
// that the sanitizer build runs them on every test run.
#define VORNEX_SEM_LIBFUZZER
#include "../../../fuzz/backup_restaura.cpp"
#include "../../../fuzz/lzrw1kh_decompress.cpp"

#include <gtest/gtest.h>

#include "auxiliar.h"

namespace {

using teste::Bytes;

int Restaura(const std::string& s) {
  return vornex::fuzz::RestauraArquivoQualquer(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}
int Decodifica(const std::string& s) {
  return vornex::fuzz::DecodificaBlocoQualquer(reinterpret_cast<const std::uint8_t*>(s.data()), s.size());
}

TEST(EntradasHostis, ArquivosDeBackup) {
  const std::string ecs("ECS\0", 4);
  const std::vector<std::string> entradas = {
      "",
      Bytes().i32(INT32_MAX).str(),
      Bytes().cabecalho().arquivo("c:\\x\\..\\..\\..\\declaracao.db", "d").i32(0).raw("\x01").str(),
      Bytes().cabecalho().arquivo("/../../declaracao.db", "d").i32(0).raw("\x00").str(),
      Bytes().cabecalho().entrada("declaracao.db").ec2().i32(INT32_MIN).str(),
      Bytes().cabecalho().entrada("declaracao.db").ec2().i32(16384).raw(std::string(100, 'x')).str(),
      Bytes().cabecalho().entrada("d").raw(ecs).i32(INT32_MAX).i32(32768).raw(std::string(32768, '\xff')).str(),
      Bytes().cabecalho().entrada("d").raw(ecs).i32(12).texto(std::string("\0\xff\xff\xff\xff\xff", 6)).i32(0).str(),
      Bytes().cabecalho().entrada("d").ec2().guardado("x").i32(0).texto("NEXT:DISK002").str(),
      Bytes().cabecalho().entrada("d").ec2().guardado("x").i32(0).texto("NEXT:DISK001").str(),
      Bytes().cabecalho().texto("FILE:LIST").i32(0).ec2().comprimido(std::string(16385, '\n')).i32(0).i32(0).str(),
  };
  for (const auto& e : entradas) EXPECT_EQ(Restaura(e), 0);
}

TEST(EntradasHostis, BlocosLzrw1kh) {
  const std::vector<std::string> entradas = {
      "",
      std::string("\x01\x80", 2),
      std::string("\x01\x00\xff\xff\x00\x0f\xff", 7),
      std::string("\x01\x00\x80\x00\x00\x0f\xff\x41", 8),
      std::string("\x02\x00\x80\x00\x00\x0f\xff\x41", 8),  // 128 bytes of room for a 4111-byte run
      std::string("\x01\x00\x40\x00\x41\xff\xff", 7),
      std::string("\x01\x00\x00", 3) + std::string(16, 'a') + "\x00",
  };
  for (const auto& e : entradas) EXPECT_EQ(Decodifica(e), 0);
}

}  // namespace
