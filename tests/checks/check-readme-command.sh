#!/usr/bin/env bash
# One of the README's build commands run as a player runs it: in a fresh clone of this tree's
# HEAD with nothing run before it. It must configure and build, leave what the README promises
# (and no tests where it builds none), and write nothing in the tree outside its build folders.
# Usage: check-readme-command.sh <source tree> plain|package|windows
set -euo pipefail
source=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

git clone -q --no-hardlinks "$source" "$work/nuikaro"
cd "$work/nuikaro"
started=$(date +%s)
case $2 in
  plain)
    # A plain build runs one job at a time unless told otherwise; this tells it without changing
    # the command.
    export CMAKE_BUILD_PARALLEL_LEVEL=${JOBS:-$(nproc)}
    cmake -S . -B build && cmake --build build
    [ -x build/nuikaro ] || fail "no build/nuikaro"
    [ ! -e build/tools/tools_tests ] || fail "the plain build built the tests"
    ;;
  package)
    make package
    deb=$(ls build/nuikaro_*.deb) || fail "no build/nuikaro_<version>_<arch>.deb"
    # Whole listings are read first: grep -q stopping early would break the pipe.
    contents=$(dpkg-deb --contents "$deb")
    grep -q ' \./usr/lib/games/nuikaro/nuikaro$' <<<"$contents" || fail "the package holds no game"
    ;;
  windows)
    # The cross-built libraries take minutes of CPU: the source tree's own (make test builds them
    # once) stand in for the ones this command would build in the same place.
    mkdir build-windows
    ln -s "$source/build-windows/deps" build-windows/deps
    make windows
    zip=$(ls build-windows/nuikaro-*-windows-x64.zip) || fail "no zip in build-windows/"
    contents=$(cmake -E tar tf "$zip")
    grep -q '/nuikaro\.exe$' <<<"$contents" || fail "the zip holds no nuikaro.exe"
    [ ! -e build-windows/game/render/render_tests.exe ] || fail "make windows built the tests"
    ;;
  *)
    fail "unknown command $2"
    ;;
esac
left=$(git status --porcelain)
[ -z "$left" ] || fail "the command changed the tree: $left"
echo "PASS ($2 in $(($(date +%s) - started)) s)"
