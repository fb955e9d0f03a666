#!/usr/bin/env bash
# Cross-builds SDL2, FreeType and SDL2_ttf for 64-bit Windows from Debian's own source packages
# (the versions Debian 12 ships) into <deps>/x64, once: a later run finds the stamp and returns.
#   windows/build-deps.sh <deps folder> [jobs]
# apt-get source needs a deb-src entry. When the machine has none, one is derived from its own apt
# sources (same URIs, suites and components) into a file of its own, and the lists are refreshed
# once. No address is written here.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "${1:?usage: build-deps.sh <deps folder> [jobs]}")
jobs=${2:-2}
prefix=$deps/x64
stamp=$prefix/.built
[ -f "$stamp" ] && { echo "Windows libraries already built in $prefix"; exit 0; }

sudo=$([ "$(id -u)" = 0 ] || echo sudo)
has_deb_src() {
  grep -rqsE '^(Types:.*\bdeb-src\b|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/
}
if ! has_deb_src; then
  list=/etc/apt/sources.list.d/nuikaro-deb-src.sources
  {
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      sed -E 's/^Types:.*/Types: deb-src/' "$f"; echo
    done
    # One-line entries become deb822 stanzas.
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -f "$f" ] || continue
      awk '$1 == "deb" { opts = ""; i = 2
             if ($2 ~ /^\[/) { while ($i !~ /\]$/) { opts = opts " " $i; i++ } opts = opts " " $i; i++ }
             uri = $i; suite = $(i + 1); comps = ""
             for (j = i + 2; j <= NF; j++) comps = comps " " $j
             printf "Types: deb-src\nURIs: %s\nSuites: %s\nComponents:%s\n", uri, suite, comps
             if (opts ~ /signed-by=/) { s = opts; sub(/.*signed-by=/, "", s); sub(/[] ].*/, "", s)
               printf "Signed-By: %s\n", s }
             printf "\n" }' "$f"
    done
  } | $sudo tee "$list" >/dev/null
  echo "Added $list from the machine's apt sources; refreshing the package lists once"
  $sudo apt-get update -qq
fi

mkdir -p "$deps/src" "$deps/build" "$prefix"
cd "$deps/src"
for package in libsdl2 freetype libsdl2-ttf; do
  ls -d "$package"-*/ >/dev/null 2>&1 || apt-get source -qq "$package" 2>&1 | grep -v '^W:' || true
done
sdl=$(ls -d "$deps"/src/libsdl2-2*/ | head -1)
freetype=$(ls -d "$deps"/src/freetype-2*/ | head -1)
ttf=$(ls -d "$deps"/src/libsdl2-ttf-2*/ | head -1)

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
