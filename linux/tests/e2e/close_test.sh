#!/usr/bin/env bash
# Every close request ends the game with status 0 and nothing on stderr: the close box (through
# the window manager), SIGTERM and SIGINT.
# Usage: close_test.sh <game binary>
source "$(dirname "$0")/../../../tests/support/e2e-lib.sh"

start_display

start_game
window=$(find_game_window)
focus "$window"
xdotool key alt+F4  # openbox's Close: the window manager's close request, as the close box sends
wait_for_exit 10
[ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after the close box: $(cat "$WORK/stderr")"
[ ! -s "$WORK/stderr" ] || fail "the close box: $(cat "$WORK/stderr")"

for signal in TERM INT; do
  start_game
  find_game_window >/dev/null
  kill -s "$signal" "$GAME_PID"
  wait_for_exit 10
  [ "$GAME_STATUS" = 0 ] || fail "exit status $GAME_STATUS after SIG$signal: $(cat "$WORK/stderr")"
  [ ! -s "$WORK/stderr" ] || fail "SIG$signal: $(cat "$WORK/stderr")"
done
echo "PASS"
