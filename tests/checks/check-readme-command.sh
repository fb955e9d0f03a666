#!/usr/bin/env bash
# One of the README's build commands run as a player runs it: in a fresh clone of this tree's
# HEAD with nothing run before it. It must configure and build, leave what the README promises
# (and no tests where it builds none), and write nothing in the tree outside its build folders.
# What a player downloads (the .deb, the Windows zip, the web zip) must come out byte for byte
# the same from a second clone in another folder, built later under another umask.
# Usage: check-readme-command.sh <source tree> plain|package|windows|web
set -euo pipefail
source=$(realpath "$1")
command=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The builds find the time to stamp on their own, from the commit.
unset SOURCE_DATE_EPOCH

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The cross-built libraries take minutes of CPU: the source tree's own (make test builds them
# once) stand in for the ones the command would build in the same place.
borrow_deps() {  # build folder
  mkdir "$1"
  ln -s "$source/$1/deps" "$1/deps"
}

# Runs the command in a fresh clone in folder $1, checks what it left and prints the artefact's path.
build_in() {
  git clone -q --no-hardlinks "$source" "$1"
  cd "$1"
  case $command in
    plain)
      # A plain build runs one job at a time unless told otherwise; this tells it without changing
      # the command.
      export CMAKE_BUILD_PARALLEL_LEVEL=${JOBS:-$(nproc)}
      cmake -S . -B build && cmake --build build
      [ -x build/nuikaro ] || fail "no build/nuikaro"
      [ ! -e build/tools/tools_tests ] || fail "the plain build built the tests"
      artefact=build/nuikaro
      ;;
    package)
      make package
      artefact=$(ls build/nuikaro_*.deb) || fail "no build/nuikaro_<version>_<arch>.deb"
      # Whole listings are read first: grep -q stopping early would break the pipe.
      contents=$(dpkg-deb --contents "$artefact")
      grep -q ' \./usr/lib/games/nuikaro/nuikaro$' <<<"$contents" || fail "the package holds no game"
      ;;
    windows)
      borrow_deps build-windows
      make windows
      artefact=$(ls build-windows/nuikaro-*-windows-x64.zip) || fail "no zip in build-windows/"
      contents=$(cmake -E tar tf "$artefact")
      grep -q '/nuikaro\.exe$' <<<"$contents" || fail "the zip holds no nuikaro.exe"
      [ ! -e build-windows/game/render/render_tests.exe ] || fail "make windows built the tests"
      ;;
    web)
      borrow_deps build-web
      make web
      artefact=$(ls build-web/nuikaro-*-web.zip) || fail "no zip in build-web/"
      contents=$(cmake -E tar tf "$artefact")
      grep -q '/nuikaro\.wasm$' <<<"$contents" || fail "the zip holds no nuikaro.wasm"
      [ -f build-web/site/index.html ] || fail "no build-web/site/index.html"
      [ ! -e build-web/game/render/render_tests.js ] || fail "make web built the tests"
      ;;
    *)
      fail "unknown command $command"
      ;;
  esac
  left=$(git status --porcelain)
  [ -z "$left" ] || fail "the command changed the tree: $left"
  cd - >/dev/null
  echo "$1/$artefact" >"$work/artefact"
}

# Where two artefacts differ, member by member: names, sizes, times, modes and owners, then the
# bytes of each member.
show_difference() {  # first second
  if [[ $1 == *.deb ]]; then
    diff <(dpkg-deb -c "$1") <(dpkg-deb -c "$2") || true
    diff <(ar tv "$1") <(ar tv "$2") || true
    mkdir "$work/x1" "$work/x2"
    dpkg-deb -R "$1" "$work/x1"
    dpkg-deb -R "$2" "$work/x2"
  else
    diff <(unzip -lv "$1") <(unzip -lv "$2") || true
    diff <(zipinfo -v "$1" | grep -v '^Archive:') <(zipinfo -v "$2" | grep -v '^Archive:') | head -40 || true
    mkdir "$work/x1" "$work/x2"
    (cd "$work/x1" && unzip -q "$1")
    (cd "$work/x2" && unzip -q "$2")
  fi
  diff -r "$work/x1" "$work/x2" || true
}

started=$(date +%s)
(build_in "$work/nuikaro")
first=$(cat "$work/artefact")
if [ "$command" != plain ]; then
  # A longer path one level deeper, later, and files checked out group-writable.
  (umask 0002 && build_in "$work/a-second-folder/elsewhere/nuikaro")
  second=$(cat "$work/artefact")
  sha256sum "$first" "$second"
  cmp "$first" "$second" || { show_difference "$first" "$second"; fail "two builds of HEAD differ"; }
fi
echo "PASS ($command in $(($(date +%s) - started)) s)"
