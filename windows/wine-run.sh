#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of the build's own, made on first use (about 10 s):
#   windows/wine-run.sh <prefix folder> program.exe [arguments...]
# The status is the program's; without a program the prefix is only made. Wine's own diagnostics stay quiet; DISPLAY is passed through, so a
# program that opens a window needs the caller's X server.
set -euo pipefail
prefix=$(realpath -m "$1")
shift
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here needs .NET or a web view, and their installers would ask.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [ ! -f "$prefix/.made" ]; then
    rm -rf "$prefix"
    DISPLAY= wineboot --init >/dev/null 2>&1
    wineserver --wait
    touch "$prefix/.made"
  fi
) 9>"$prefix.lock"
[ $# -gt 0 ] || exit 0
exec wine "$@"
