#!/usr/bin/env bash
# VORNEX: installs what is missing, builds, and starts the program or runs the tests.
#   ./vornex.sh [argumentos do programa]   instala, compila e inicia o programa
#   ./vornex.sh testes                     instala, compila e executa todos os testes
#   ./vornex.sh pacote                     instala, compila e gera o pacote Debian em build/
set -euo pipefail
cd "$(dirname "$0")"

PACOTES=(build-essential cmake ninja-build pkg-config g++ clang
         libsqlite3-dev zlib1g-dev libssl-dev libcli11-dev nlohmann-json3-dev
         libgtest-dev libgmock-dev libbenchmark-dev
         qt6-base-dev qt6-base-dev-tools libgl-dev
         poppler-utils xvfb xauth x11-utils
         dpkg-dev desktop-file-utils appstream librsvg2-bin)

instala() {
  local faltam=()
  for p in "${PACOTES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltam+=("$p")
  done
  [ ${#faltam[@]} -eq 0 ] && return 0
  echo "Instalando: ${faltam[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${faltam[@]}"
}

compila() {  # pasta, opções do cmake...
  local pasta=$1; shift
  cmake -S . -B "$pasta" -G Ninja "$@" >/dev/null
  cmake --build "$pasta" -j "$(nproc)"
}

# The Debian package, vornex_<version>_<arch>.deb in build/.
pacote() {
  compila build
  (cd build && cpack -G DEB >/dev/null)
  ls build/vornex_*.deb
}

# The package and the installation it makes: contents, desktop entry and
# AppStream file valid, and the installed program running from a temporary
# prefix on the data it installed.
confere_pacote() (
  pacote
  dpkg-deb --info build/vornex_*.deb
  dpkg-deb --contents build/vornex_*.deb
  # A subshell, so the clean-up trap ends with it and never fires in the caller.
  prefixo=$(mktemp -d)
  trap 'rm -rf "$prefixo"' EXIT
  cmake --install build --prefix "$prefixo" >/dev/null
  desktop-file-validate "$prefixo/share/applications/vornex.desktop"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefixo/share/metainfo/org.vornex.Vornex.metainfo.xml"
  fi
  "$prefixo/bin/vornex-cli" versao
  "$prefixo/bin/vornex-cli" --dados "$prefixo/dados" iniciar >/dev/null
  # The help pages travel with the reference tables.
  test -f "$prefixo/share/vornex/ajuda/indice.html"
  zcat "$prefixo/share/man/man1/vornex-cli.1.gz" | grep -q '^\.SH COMANDOS'
)

testes() {
  compila build
  (cd build && ctest --output-on-failure -j "$(nproc)")
  confere_pacote
  # The same tests again with AddressSanitizer and UndefinedBehaviorSanitizer.
  compila build-san -DCMAKE_BUILD_TYPE=Debug -DVORNEX_SANITIZE=ON -DVORNEX_BENCH=OFF
  (cd build-san && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
     LSAN_OPTIONS="suppressions=$PWD/../tests/lsan.supp" \
     ctest --output-on-failure -j "$(nproc)")
}

instala
case "${1:-}" in
  testes) testes ;;
  pacote) pacote ;;
  *)
    compila build
    if [ -x build/src/gui/vornex ]; then
      exec build/src/gui/vornex "$@"
    else
      exec build/src/cli/vornex-cli "${@:---help}"
    fi
    ;;
esac
