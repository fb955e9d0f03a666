#!/usr/bin/env bash
# Cross-builds SDL2, FreeType and SDL2_ttf with emscripten from Debian's own source packages (the
# versions Debian 12 ships, unpacked by tools/debian-sources.sh) into <deps>/prefix, once: a later
# run finds the stamp and returns. Emscripten's own ports would be fetched from the internet.
#   web/build-deps.sh <deps folder> [jobs]
# SDL is built with only what the game uses (the browser's video driver, events, timers, its
# folder); its configure checks are answered from web/sdl-checks.cmake instead of one emcc and node
# run each.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$(realpath -m "${1:?usage: build-deps.sh <deps folder> [jobs]}")
jobs=${2:-2}
prefix=$deps/prefix
stamp=$prefix/.built
# The stamp names what the libraries were built from: a change to this script or its inputs
# builds them again.
recipe=$(cat "$here/build-deps.sh" "$here/sdl-checks.cmake" "$here/freetype-modules.h" | sha256sum | cut -d' ' -f1)
if [ "$(tail -n 1 "$stamp" 2>/dev/null)" = "$recipe" ]; then
  echo "Web libraries already built in $prefix"
  exit 0
fi
rm -rf "$prefix"
# emcc's own JavaScript needs Debian's node modules, whichever node runs it.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

mkdir -p "$deps/build" "$prefix"
sources=$("$here/../tools/debian-sources.sh" "$deps/src")
{ read -r sdl; read -r freetype; read -r ttf; } <<<"$sources"

configure() {  # name source [cmake options...]
  local name=$1 source=$2; shift 2
  rm -rf "$deps/build/$name"
  emcmake cmake -S "$source" -B "$deps/build/$name" -G "Unix Makefiles" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@"
  cmake --build "$deps/build/$name" -j "$jobs"
  cmake --install "$deps/build/$name"
}
sdlWithout=()
for subsystem in AUDIO JOYSTICK HAPTIC HIDAPI POWER SENSOR LOCALE MISC THREADS LOADSO CPUINFO \
  RENDER ATOMIC; do
  sdlWithout+=("-DSDL_$subsystem=OFF")
done
configure sdl2 "$sdl" -C "$here/sdl-checks.cmake" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF \
  "${sdlWithout[@]}" -DSDL_OPENGL=OFF -DSDL_OPENGLES=OFF -DSDL_OFFSCREEN=OFF -DSDL_DUMMYVIDEO=OFF \
  -DSDL2_DISABLE_SDL2MAIN=ON
# Only the modules the page needs (web/freetype-modules.h), in place of FreeType's full list.
configure freetype "$freetype" "-DCMAKE_C_FLAGS=-DFT_CONFIG_MODULES_H='<$here/freetype-modules.h>'" \
  -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
  -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
configure sdl2_ttf "$ttf" -DSDL2TTF_VENDORED=OFF -DSDL2TTF_HARFBUZZ=OFF -DSDL2TTF_SAMPLES=OFF
printf '%s\n' "$(basename "$sdl")" "$(basename "$freetype")" "$(basename "$ttf")" "$recipe" > "$stamp"
echo "Web libraries built into $prefix"
