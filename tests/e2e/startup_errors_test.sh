#!/usr/bin/env bash
# The game cannot start: it says why on stderr (and in a box when there is a display), never
# shows its window, and ends with status 1.
# Usage: startup_errors_test.sh <game binary>
source "$(dirname "$0")/lib.sh"

# No display at all: SDL would fall back to drawing nowhere and the game would run unseen.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$GAME_BINARY" 2>"$WORK/stderr" || status=$?
[ "$status" = 1 ] || fail "exit status $status without a display"
grep -q '^ぬいかろ: .*display' "$WORK/stderr" || fail "no display message: $(cat "$WORK/stderr")"

# A display that no server answers: named in the message. (No test starts a server that high.)
status=0
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:4099 "$GAME_BINARY" 2>"$WORK/stderr" || status=$?
[ "$status" = 1 ] || fail "exit status $status with an unreachable display"
grep -qF 'ぬいかろ: cannot open the display ":4099": ' "$WORK/stderr" ||
  fail "unreachable display: $(cat "$WORK/stderr")"

# Without "BackTile.bmp" beside the program.
start_display
mkdir "$WORK/game"
cp "$GAME_BINARY" "$GAME_DIR/Nuik_Items.bmp" "$WORK/game/"
start_game "$WORK/game/$(basename "$GAME_BINARY")"
for tries in $(seq 200); do
  grep -q 'BackTile.bmp' "$WORK/stderr" 2>/dev/null && break
  kill -0 "$GAME_PID" 2>/dev/null || break
  sleep 0.05
done
grep -q "^ぬいかろ: .*BackTile\.bmp: " "$WORK/stderr" || fail "no message for the missing file: $(cat "$WORK/stderr")"
# The error box is up (a window of its own); the game window never is. Enter closes the box.
for tries in $(seq 100); do
  kill -0 "$GAME_PID" 2>/dev/null || break
  [ -z "$(xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null || true)" ] ||
    fail "the game window was shown"
  # The box belongs to a helper process SDL forks and has no class: give every visible window
  # the focus in turn (the game has none) and press Enter.
  for box in $(xdotool search --onlyvisible --name '' 2>/dev/null || true); do
    # --sync waits for good on a window that cannot take the focus: give it a second at most.
    timeout 1 xdotool windowactivate --sync "$box" >/dev/null 2>&1 ||
      xdotool windowfocus "$box" 2>/dev/null || true
    xdotool key Return
  done
  sleep 0.1
done
wait_for_exit 10
[ "$GAME_STATUS" = 1 ] || fail "exit status $GAME_STATUS without BackTile.bmp"
echo "PASS"
