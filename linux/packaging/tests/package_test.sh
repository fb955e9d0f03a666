#!/usr/bin/env bash
# Builds the .deb as `make package` does and judges it as a distribution would: lintian finds no
# error and no warning, the dependencies name the libraries and the Japanese font, and a
# `cmake --install` of the same build puts exactly the package's files in place, all of which
# the uninstall removes again.
# Usage: package_test.sh <build folder> <folder for the .deb>
set -euo pipefail
export LC_ALL=C.UTF-8
build=$1
out=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$(dirname "$0")/../build-deb.sh" "$build" "$out"
deb=$(ls "$out"/nuikaro_*.deb)

# Info and pedantic tags are shown for the record; only errors and warnings fail.
lintian --display-info --pedantic --fail-on error,warning "$deb" || fail "lintian found errors or warnings"

# Without the font the side panel shows no text; the libraries come from dpkg-shlibdeps.
depends=$(dpkg-deb --field "$deb" Depends)
for package in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libfontconfig1 fontconfig fonts-ipafont-gothic; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# The same build installed by hand: the manifest must hold every file and link of the package
# (the link in games/ included), and the uninstall must leave none of them behind.
destdir=$(mktemp -d)
trap 'rm -rf "$destdir" "$destdir".*' EXIT
DESTDIR=$destdir cmake --install "$build" --prefix /usr >/dev/null
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's#^\./#/#' | sort >"$destdir.package"
sort "$build/install_manifest.txt" >"$destdir.manifest"
diff -u "$destdir.package" "$destdir.manifest" || fail "the manifest and the package differ"
(cd "$destdir" && find . -type f -o -type l | sed 's#^\./#/#' | sort >"$destdir.installed")
diff -u "$destdir.package" "$destdir.installed" || fail "the install and the package differ"
DESTDIR=$destdir cmake --build "$build" --target uninstall >/dev/null
left=$(find "$destdir" -type f -o -type l)
[ -z "$left" ] || fail "the uninstall left: $left"
[ ! -e "$destdir/usr/lib/games/nuikaro" ] || fail "the uninstall left the game's folder"

# The manual page as packaged: not one troff warning in the C locale, where the Japanese title is
# written "nuikaro", nor in UTF-8; whatis and apropos read a plain ASCII line from NAME.
page=$destdir.nuikaro.6.gz
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man6/nuikaro.6.gz >"$page"
while read -r locale device authors; do
  warnings=$(LC_ALL=$locale man --warnings -l "$page" 2>&1 >"$destdir.text")
  [ -z "$warnings" ] || fail "man under $locale warns: $warnings"
  grep -qF "The $authors authors" "$destdir.text" || fail "under $locale the title is lost"
  warnings=$(zcat "$page" | groff -ww -man -T"$device" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "groff -T$device warns: $warnings"
done <<'END'
C ascii nuikaro
C.UTF-8 utf8 ぬいかろ
END
name=$(lexgrog "$page")
[ "$name" = "$page: \"nuikaro - a small snake game\"" ] || fail "whatis reads: $name"

echo "PASS"
