#!/usr/bin/env bash
# The Windows program from the unpacked zip, under Wine: the window with its caption shows the
# board and the panel; Enter then an arrow moves the head one cell in step mode; Escape ends the
# game with status 0.
# Usage: smoke_test.sh <zip> <wine prefix folder>
source "$(dirname "$0")/lib.sh"

start_display
prepare_artwork
start_game
window=$(find_game_window)

size=$(xwininfo -id "$window")
grep -q 'Width: 640$' <<<"$size" || fail "client width is not 640: $size"
grep -q 'Height: 480$' <<<"$size" || fail "client height is not 480: $size"
caption=$(xprop -id "$window" _NET_WM_NAME)
grep -qF '= "ぬいかろ"' <<<"$caption" || fail "caption: $caption"

# The board: the head runs down column 0 and waits at the bottom wall, facing down; the rest is
# the tile repeated, except under the ten items and the snake (at most 40 cells).
wait_for_head "$window" 0 29 2
crop "$WORK/grab.png" 480 480 0 0 "$WORK/grab-board.png"
covered=$(differing_pixels "$WORK/grab-board.png" "$WORK/board.png")
[ "$covered" -gt 0 ] && [ "$covered" -le $((40 * CELL * CELL)) ] ||
  fail "$covered board pixels differ from the background tiles"

# The panel: the legend's pictures copied from the sheet, and ink where the title, the score and
# the legend texts stand.
for icon in "490 200 16 0" "490 216 32 0" "490 232 48 0" "510 200 0 32"; do
  read -r x y sheetX sheetY <<<"$icon"
  crop "$GAME_DIR/Nuik_Items.bmp" $CELL $CELL "$sheetX" "$sheetY" "$WORK/want-icon.png"
  crop "$WORK/grab.png" $CELL $CELL "$x" "$y" "$WORK/got-icon.png"
  [ "$(differing_pixels "$WORK/got-icon.png" "$WORK/want-icon.png")" = 0 ] ||
    fail "the legend picture at ($x, $y) is not the sheet's cell ($sheetX, $sheetY)"
done
for text in "title 120 20 515 10" "score 120 17 510 30" "legend 100 15 525 200"; do
  read -r name width height x y <<<"$text"
  crop "$WORK/grab.png" "$width" "$height" "$x" "$y" "$WORK/text.png"
  convert -size "${width}x${height}" xc:black "$WORK/black.png"
  ink=$(differing_pixels "$WORK/text.png" "$WORK/black.png")
  [ "$ink" -gt $((width * height / 10)) ] || fail "the $name shows $ink pixels of ink"
done

# Step mode: Enter at the wall moves nothing; Right then moves the head one cell, and it stays.
focus "$window"
xdotool key Return
sleep 0.5
grab "$window" "$WORK/grab.png"
shows_head "$WORK/grab.png" 0 29 2 || fail "Enter at the wall moved the head"
xdotool key Right
wait_for_head "$window" 1 29 1
sleep 0.5
grab "$window" "$WORK/grab.png"
shows_head "$WORK/grab.png" 1 29 1 || fail "the head went on past (1, 29) in step mode"

xdotool key Escape
xdotool keyup Escape
wait_for_exit 20
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
