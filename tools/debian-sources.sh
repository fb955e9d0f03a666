#!/usr/bin/env bash
# Unpacks Debian's own source packages of SDL2, FreeType and SDL2_ttf (the versions the machine's
# release ships) into <folder>, once each; the Windows and the web builds cross-build them.
#   tools/debian-sources.sh <folder>
# Prints the three source folders, one a line: SDL2, FreeType, SDL2_ttf.
# apt-get source needs a deb-src entry. When the machine has none, one is derived from its own apt
# sources (same URIs, suites and components) into a file of its own, and the lists are refreshed
# once. No address is written here.
set -euo pipefail
src=$(realpath -m "${1:?usage: debian-sources.sh <folder>}")

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
  echo "Added $list from the machine's apt sources; refreshing the package lists once" >&2
  $sudo apt-get update -qq
fi

mkdir -p "$src"
cd "$src"
for package in libsdl2 freetype libsdl2-ttf; do
  ls -d "$package"-*/ >/dev/null 2>&1 ||
    apt-get source -qq "$package" 2>&1 | grep -v '^W:' >&2 || true
done
for pattern in libsdl2-2 freetype-2 libsdl2-ttf-2; do
  folder=$(ls -d "$src/$pattern"*/ 2>/dev/null | head -1)
  [ -n "$folder" ] || { echo "debian-sources.sh: no source of $pattern in $src" >&2; exit 1; }
  echo "${folder%/}"
done
