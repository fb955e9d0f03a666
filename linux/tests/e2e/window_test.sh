#!/usr/bin/env bash
# The game window: size, caption, the first frames pixel for pixel, and Escape ending the game.
# Usage: window_test.sh <game binary> [seconds allowed for Escape to end the game]
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"
EXIT_LIMIT=${2:-1}

start_display
prepare_artwork
# In the plain C locale, which has no UTF-8 characters: the caption must still come out right.
LC_ALL=C LANG=C start_game
window=$(find_game_window)

size=$(xwininfo -id "$window")
grep -q 'Width: 640$' <<<"$size" || fail "client width is not 640: $size"
grep -q 'Height: 480$' <<<"$size" || fail "client height is not 480: $size"
# Whole outputs are read first: grep -q stopping early would break xprop's pipe.
caption=$(xprop -id "$window" _NET_WM_NAME WM_NAME)
[ "$(grep -cF '= "ぬいかろ"' <<<"$caption")" = 2 ] || fail "caption: $caption"
icon=$(xprop -id "$window" _NET_WM_ICON)
grep -qF "Icon (48 x 48)" <<<"$icon" || fail "the window has no 48 by 48 icon"

# The head runs down column 0 one cell a tick and stops at the bottom wall, facing down.
wait_for_head "$window" 0 29 2

# The board is the tile repeated, except under the ten items and the snake (at most 40 cells
# here: the head ran down one column, growing by at most five a cell).
crop "$WORK/grab.png" 480 480 0 0 "$WORK/grab-board.png"
covered=$(differing_pixels "$WORK/grab-board.png" "$WORK/board.png")
[ "$covered" -gt 0 ] && [ "$covered" -le $((40 * CELL * CELL)) ] ||
  fail "$covered board pixels differ from the background tiles"

# The side panel: black left of x 490 and below the legend, the legend's pictures copied
# unmasked from the sprite sheet.
crop "$WORK/grab.png" 10 480 480 0 "$WORK/left-strip.png"
convert -size 10x480 xc:black "$WORK/black-strip.png"
[ "$(differing_pixels "$WORK/left-strip.png" "$WORK/black-strip.png")" = 0 ] ||
  fail "the panel is not black left of x 490"
crop "$WORK/grab.png" 160 200 480 280 "$WORK/panel-bottom.png"
convert -size 160x200 xc:black "$WORK/black-bottom.png"
[ "$(differing_pixels "$WORK/panel-bottom.png" "$WORK/black-bottom.png")" = 0 ] ||
  fail "the panel is not black below the legend"
for icon in "490 200 16 0" "490 216 32 0" "490 232 48 0" "510 200 0 32" "510 216 0 32" "510 232 0 32"; do
  read -r x y sheetX sheetY <<<"$icon"
  crop "$GAME_DIR/Nuik_Items.bmp" $CELL $CELL "$sheetX" "$sheetY" "$WORK/want-icon.png"
  crop "$WORK/grab.png" $CELL $CELL "$x" "$y" "$WORK/got-icon.png"
  [ "$(differing_pixels "$WORK/got-icon.png" "$WORK/want-icon.png")" = 0 ] ||
    fail "the legend picture at ($x, $y) is not the sheet's cell ($sheetX, $sheetY)"
done

# Escape closes the game at once and successfully. The key is released at once too, or Xvfb
# may keep it held and repeat it into the next game.
focus "$window"
xdotool key Escape
xdotool keyup Escape
wait_for_exit "$EXIT_LIMIT"
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
