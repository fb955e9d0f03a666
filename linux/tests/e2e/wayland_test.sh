#!/usr/bin/env bash
# The game on SDL's own Wayland driver, with no X display of its own: weston runs in a window of
# the test's Xvfb and forwards the keys typed there, and its output is read back from weston.
# At output scale 1 the frame shows, arrows steer the head in step mode and Escape ends the game
# with status 0; at output scale 2 the same frame shows with each pixel a crisp 2 by 2 block.
# Without EGL the game cannot show anything there, says so and ends with status 1.
# Usage: wayland_test.sh <game binary> <app id> [seconds allowed for Escape to end the game]
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"
APP_ID=$2
EXIT_LIMIT=${3:-1}
# In the sanitized build, no leak check at exit here: Mesa's EGL driver is unloaded by then and
# leaves allocations without a library name, which no suppression can match. The X11 tests run the
# same shell code with the leak check on.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Grabs weston's output until the frame in it, sampled back to 640 by 480, shows the head facing
# $4 on cell ($2, $3); $1 is the output scale.
wait_for_head_on_weston() {
  local scale=$1 tries
  for tries in $(seq 50); do
    grab weston "$WORK/grab.png"
    convert "$WORK/grab.png" -sample 640x480! "$WORK/frame.png"
    shows_head "$WORK/frame.png" "$2" "$3" "$4" && return 0
    sleep 0.1
  done
  fail "at scale $scale the head facing $4 never showed on cell ($2, $3)"
}

start_display 1920x1200 bare
prepare_artwork
for scale in 1 2; do
  # With the kiosk shell the game's window fills the 640 by 480 (logical) output.
  start_weston 640 480 "$scale"
  mkdir -p "$WORK/cwd"
  if [ "$scale" = 1 ]; then
    # Without EGL there is no way to show a frame on Wayland: the game says so and ends.
    (cd "$WORK/cwd" && exec env -u DISPLAY SDL_VIDEODRIVER=wayland \
      __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent.json "$GAME_BINARY" 2>"$WORK/stderr") &
    GAME_PID=$!
    wait_for_exit 10
    [ "$GAME_STATUS" = 1 ] && grep -q '^ぬいかろ: cannot ' "$WORK/stderr" ||
      fail "without EGL: status $GAME_STATUS, stderr: $(cat "$WORK/stderr")"
  fi
  if [ "$scale" = 1 ]; then
    # weston's dump of every client's requests, to read the window's app_id from; it is listening
    # once its own first request shows in the dump.
    weston-debug -o "$WORK/protocol.log" proto &
    DEBUG_PID=$!
    for tries in $(seq 100); do
      [ -s "$WORK/protocol.log" ] && break
      sleep 0.05
    done
  fi
  (cd "$WORK/cwd" && exec env -u DISPLAY SDL_VIDEODRIVER=wayland "$GAME_BINARY" 2>"$WORK/stderr") &
  GAME_PID=$!
  # Keyboard focus on weston's window, and its pointer out of the board: weston draws it into the
  # output it reads back.
  xdotool windowfocus --sync "$WESTON_WINDOW"
  xdotool mousemove --window "$WESTON_WINDOW" $((636 * scale)) $((476 * scale)) click 1

  # The head runs down column 0 to the bottom wall.
  wait_for_head_on_weston "$scale" 0 29 2
  crop "$WORK/frame.png" 480 480 0 0 "$WORK/frame-board.png"
  covered=$(differing_pixels "$WORK/frame-board.png" "$WORK/board.png")
  [ "$covered" -gt 0 ] && [ "$covered" -le $((40 * CELL * CELL)) ] ||
    fail "at scale $scale $covered board pixels differ from the background tiles"
  convert "$WORK/frame-board.png" -sample "$((scale * 100))%" "$WORK/blocks.png"
  crop "$WORK/grab.png" $((480 * scale)) $((480 * scale)) 0 0 "$WORK/grab-board.png"
  [ "$(differing_pixels "$WORK/grab-board.png" "$WORK/blocks.png")" = 0 ] ||
    fail "at scale $scale the board is not the frame's pixels enlarged $scale times"

  if [ "$scale" = 1 ]; then
    # The app_id is the desktop entry's name, as the X11 class is, so docks find the launcher.
    stop "$DEBUG_PID"
    grep -qaF "set_app_id(\"$APP_ID\")" "$WORK/protocol.log" ||
      fail "the app_id is not $APP_ID: $(grep -a set_app_id "$WORK/protocol.log")"
    xdotool key Return
    for step in "Right 1 29 1" "Up 1 28 0" "Right 2 28 1"; do
      read -r key x y dir <<<"$step"
      xdotool key "$key"
      wait_for_head_on_weston "$scale" "$x" "$y" "$dir"
    done
  fi

  xdotool key Escape
  wait_for_exit "$EXIT_LIMIT"
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after Escape: $(cat "$WORK/stderr")"
  stop "$WESTON_PID"
  WESTON_PID=""
  rm -rf "$XDG_RUNTIME_DIR"
done
echo "PASS"
