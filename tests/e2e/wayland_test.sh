#!/usr/bin/env bash
# The game on SDL's own Wayland driver, with no X display of its own: weston runs in a window of
# the test's Xvfb and forwards the keys typed there. The frame is read back from weston's output:
# the first frames show, arrows steer the head in step mode, Escape ends the game with status 0.
# Usage: wayland_test.sh <game binary> [seconds allowed for Escape to end the game]
source "$(dirname "$0")/lib.sh"
EXIT_LIMIT=${2:-1}

start_display 1280x1024 bare
start_weston 640 480 1
prepare_artwork
mkdir -p "$WORK/cwd"
(cd "$WORK/cwd" && exec env -u DISPLAY SDL_VIDEODRIVER=wayland "$GAME_BINARY" 2>"$WORK/stderr") &
GAME_PID=$!

# Keyboard focus on weston's window; the pointer rests on the panel's black corner, where weston
# draws it into its output.
xdotool windowfocus --sync "$WESTON_WINDOW"
xdotool mousemove --window "$WESTON_WINDOW" 636 476 click 1

# The output is the game's window: the head runs down column 0 to the bottom wall.
wait_for_head weston 0 29 2
crop "$WORK/grab.png" 480 480 0 0 "$WORK/grab-board.png"
covered=$(differing_pixels "$WORK/grab-board.png" "$WORK/board.png")
[ "$covered" -gt 0 ] && [ "$covered" -le $((40 * CELL * CELL)) ] ||
  fail "$covered board pixels differ from the background tiles"

xdotool key Return
for step in "Right 1 29 1" "Up 1 28 0" "Right 2 28 1"; do
  read -r key x y dir <<<"$step"
  xdotool key "$key"
  wait_for_head weston "$x" "$y" "$dir"
done

xdotool key Escape
wait_for_exit "$EXIT_LIMIT"
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
echo "PASS"
