#!/usr/bin/env bash
# A desktop at twice the density (the Xft.dpi resource at 192): the window opens at 1280 by 960,
# every frame pixel a crisp 2 by 2 block, and the game plays as at 640 by 480.
# Usage: hidpi_test.sh <game binary>
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"

start_display 1920x1200
# What xrdb would load: SDL reads the resources from the root window when it opens the display.
xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER $'Xft.dpi:\t192\n'
prepare_artwork
start_game
window=$(find_game_window)

size=$(xwininfo -id "$window")
grep -q 'Width: 1280$' <<<"$size" || fail "client width is not 1280: $size"
grep -q 'Height: 960$' <<<"$size" || fail "client height is not 960: $size"

# The head runs down column 0 to the bottom wall, seen in the frame sampled back to 640 by 480.
for tries in $(seq 50); do
  grab "$window" "$WORK/grab.png"
  convert "$WORK/grab.png" -sample 50% "$WORK/frame.png"
  shows_head "$WORK/frame.png" 0 29 2 && break
  [ "$tries" -lt 50 ] || fail "the head facing down never showed on cell (0, 29)"
  sleep 0.1
done
convert "$WORK/frame.png" -sample 200% "$WORK/blocks.png"
[ "$(differing_pixels "$WORK/grab.png" "$WORK/blocks.png")" = 0 ] ||
  fail "the window is not the frame with each pixel doubled"

focus "$window"
xdotool key Escape
xdotool keyup Escape
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
