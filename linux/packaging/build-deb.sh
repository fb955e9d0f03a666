#!/usr/bin/env bash
# Builds the Debian package from this source tree: the game alone (no tests), laid out as Debian
# lays out games, stripped, packed by CPack. Used by `make package` and by the package tests.
# Usage: build-deb.sh <build folder> <folder to put nuikaro_<version>_<arch>.deb in>
set -euo pipefail
source=$(realpath "$(dirname "$0")/../..")
build=$(realpath -m "$1")
out=$2
# The package's members are written to disk before they are packed: their modes must not follow
# the caller's umask.
umask 022

# Debian's own hardening flags (stack protector, fortified calls, read-only relocations bound at
# start), as a distribution's build would use them. The debug information names the folders and
# the build ID hashes it: with the folders mapped away the game is the same wherever it is built.
# dpkg-buildflags maps the folder it runs in, so it runs in the source tree, wherever the caller is.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
flags() { (cd "$source" && dpkg-buildflags --get "$1"); }
folders="-ffile-prefix-map=$source=. -ffile-prefix-map=$build=build"
cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DNUIKARO_GAMES_LAYOUT=ON \
  -DCMAKE_CXX_FLAGS="$(flags CXXFLAGS) $(flags CPPFLAGS) $folders" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)"
cmake --build "$build" --parallel "${JOBS:-$(nproc)}"
rm -f "$build"/nuikaro_*.deb
(cd "$build" && cpack -G DEB)
mkdir -p "$out"
rm -f "$out"/nuikaro_*.deb
cp "$build"/nuikaro_*.deb "$out/"
ls "$out"/nuikaro_*.deb
