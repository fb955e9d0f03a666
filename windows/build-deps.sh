#!/usr/bin/env bash
# Cross-builds SDL2, FreeType and SDL2_ttf for 64-bit Windows from Debian's own source packages
# (the versions Debian 12 ships, unpacked by tools/debian-sources.sh) into <deps>/x64, once: a
# later run finds the stamp and returns.
#   windows/build-deps.sh <deps folder> [jobs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "${1:?usage: build-deps.sh <deps folder> [jobs]}")
jobs=${2:-2}
prefix=$deps/x64
stamp=$prefix/.built
[ -f "$stamp" ] && { echo "Windows libraries already built in $prefix"; exit 0; }

mkdir -p "$deps/build" "$prefix"
sources=$("$here/../tools/debian-sources.sh" "$deps/src")
{ read -r sdl; read -r freetype; read -r ttf; } <<<"$sources"

configure() {  # name source [cmake options...]
  local name=$1 source=$2; shift 2
  cmake -S "$source" -B "$deps/build/$name" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" -DNUIKARO_WINDOWS_DEPS="$prefix" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$deps/build/$name" -j "$jobs"
  cmake --install "$deps/build/$name"
}
configure sdl2 "$sdl" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
configure freetype "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
configure sdl2_ttf "$ttf" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
printf '%s\n' "$(basename "$sdl")" "$(basename "$freetype")" "$(basename "$ttf")" > "$stamp"
echo "Windows libraries built into $prefix"
