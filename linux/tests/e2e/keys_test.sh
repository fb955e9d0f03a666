#!/usr/bin/env bash
# Steering: Enter switches to step mode, and then each arrow press moves the head one cell.
# Usage: keys_test.sh <game binary>
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"

start_display
prepare_artwork
start_game
window=$(find_game_window)
focus "$window"

# Timed play: the head runs down column 0 and waits at the bottom wall.
wait_for_head "$window" 0 29 2

# Step mode on: NextDir is still down, so the move is tried at once and refused by the wall.
xdotool key Return
sleep 0.5
grab "$window" "$WORK/grab.png"
shows_head "$WORK/grab.png" 0 29 2 || fail "Enter at the wall moved the head"

# A path that never crosses itself, so no item the head takes can end the game. After each press
# the head stands on the next cell and stays there: in step mode ticks move nothing.
for step in "Right 1 29 1" "Right 2 29 1" "Up 2 28 0" "Up 2 27 0" "Right 3 27 1" "Down 3 28 2" \
  "Right 4 28 1"; do
  read -r key x y dir <<<"$step"
  xdotool key "$key"
  wait_for_head "$window" "$x" "$y" "$dir"
  sleep 0.3
  grab "$window" "$WORK/grab.png"
  shows_head "$WORK/grab.png" "$x" "$y" "$dir" || fail "$key moved the head on past ($x, $y)"
done

# Step mode off: the ticks move the head right again, to the right wall.
xdotool key Return
wait_for_head "$window" 29 28 1

xdotool key Escape
xdotool keyup Escape
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
