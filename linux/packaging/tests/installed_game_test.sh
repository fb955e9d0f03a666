#!/usr/bin/env bash
# The package unpacked into a scratch root: the desktop entry, the AppStream metainfo and the
# icons are valid as installed, and the game started through /usr/games/nuikaro from another
# working folder finds its bitmaps, draws the board and ends with status 0 on Escape.
# Usage: installed_game_test.sh <folder holding the .deb> <scratch root>
set -euo pipefail
deb=$(ls "$1"/nuikaro_*.deb)
root=$(realpath -m "$2")
rm -rf "$root"
mkdir -p "$root"
dpkg -x "$deb" "$root"
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh" "$root/usr/games/nuikaro"

# One identity, the desktop entry's name: its StartupWMClass, its icon, the metainfo's id and,
# below, the running window's class.
desktop=$(ls "$root"/usr/share/applications/*.desktop)
id=$(basename "$desktop" .desktop)
desktop-file-validate "$desktop" || fail "desktop-file-validate"
for key in StartupWMClass Icon; do
  grep -qx "$key=$id" "$desktop" || fail "the desktop entry's $key is not $id"
done
grep -qF "<id>$id</id>" "$root/usr/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo's id is not $id"
# validate-tree also checks that the metainfo finds its desktop entry; --strict fails on
# warnings and infos too.
appstreamcli validate-tree --no-net --strict "$root" || fail "appstreamcli validate-tree"
for size in 16 32 48 64 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png"
  file "$icon" | grep -qF "PNG image data, $size x $size," || fail "no $size px icon: $icon"
done

[ "$(readlink "$root/usr/games/nuikaro")" = ../lib/games/nuikaro/nuikaro ] ||
  fail "/usr/games/nuikaro is not a relative link to the game"
start_display
start_game "$root/usr/games/nuikaro"
window=$(find_game_window)
class=$(xprop -id "$window" WM_CLASS)
[ "$class" = "WM_CLASS(STRING) = \"$id\", \"$id\"" ] || fail "the window's class is not $id: $class"
prepare_artwork
# The head runs down column 0 and stops at the bottom wall: the bitmaps were found and drawn.
wait_for_head "$window" 0 29 2
focus "$window"
xdotool key Escape
xdotool keyup Escape
wait_for_exit 5
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
